// Sample inserts per second, one transaction each (as a running test stores
// them), on SQLite and, when ROVUDAZE_TEST_PG_HOST is set, PostgreSQL.
#include "store/clsConnection.h"
#include "store/clsTEST_INFO.h"
#include "store/clsTEST_RESULT.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUuid>
#include <cstdio>

static double run(clsConnection &c, int samples)
{
    clsTEST_INFO info;
    info.ConnectX(&c);
    info.TEST_NAME = QStringLiteral("bench-") + QUuid::createUuid().toString(QUuid::Id128).left(12);
    info.AddNew();
    clsTEST_RESULT r;
    r.ConnectX(&c);
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < samples; ++i) {
        r.Test_Id = info.Test_Id;
        r.RESULT_TIME = i;
        r.RESULT_SHEAR_RATE = 100;
        r.RESULT_SHEAR_STRESS = 50 + i % 7;
        const int key = c.BeginTrans();
        r.AddNew();
        c.CommitTrans(key);
    }
    return samples / (t.nsecsElapsed() / 1e9);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int samples = argc > 1 ? atoi(argv[1]) : 2000;
    QTextStream out(stdout);
    QTemporaryDir dir;
    {
        clsConnection c(DatabaseConfig::sqlite(dir.filePath(QStringLiteral("KX720pH.db"))));
        if (!c.OpenDB()) {
            out << "sqlite: " << c.LastError() << "\n";
            return 1;
        }
        out << QStringLiteral("sqlite (WAL, synchronous=FULL): %1 sample inserts/s, one transaction each (%2 samples)\n")
                   .arg(run(c, samples), 0, 'f', 0)
                   .arg(samples);
    }
    if (!qEnvironmentVariableIsEmpty("ROVUDAZE_TEST_PG_HOST")) {
        DatabaseConfig cfg;
        cfg.backend = DatabaseConfig::Backend::PostgreSQL;
        cfg.host = qEnvironmentVariable("ROVUDAZE_TEST_PG_HOST");
        cfg.port = qEnvironmentVariableIntValue("ROVUDAZE_TEST_PG_PORT");
        cfg.user = qEnvironmentVariable("ROVUDAZE_TEST_PG_USER", QStringLiteral("postgres"));
        cfg.name = QStringLiteral("postgres");
        clsConnection c(cfg);
        if (!c.OpenDB()) {
            out << "postgresql: " << c.LastError() << "\n";
            return 1;
        }
        out << QStringLiteral("postgresql (unix socket): %1 sample inserts/s, one transaction each (%2 samples)\n")
                   .arg(run(c, samples), 0, 'f', 0)
                   .arg(samples);
    } else {
        out << "postgresql: skipped (set ROVUDAZE_TEST_PG_HOST, or use scripts/run-benchmarks.sh)\n";
    }
    return 0;
}
