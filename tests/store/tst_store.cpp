// Store tests, run on SQLite and (when the throwaway server is up) PostgreSQL.
#include "store/clsConnection.h"
#include "store/clsSEQUENCE_INFO.h"
#include "store/clsSEQUENCE_RAMP.h"
#include "store/clsSEQUENCE_RAMP_DEFINE.h"
#include "store/clsTEST_ADDITIVE.h"
#include "store/clsTEST_INFO.h"
#include "store/clsTEST_RESULT.h"
#include "store/storeerror.h"
#include "support/testdatabase.h"
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

Q_DECLARE_METATYPE(TestDatabase::Backend)

namespace {

void addBackendRows()
{
    QTest::addColumn<TestDatabase::Backend>("backend");
    for (TestDatabase::Backend b : TestDatabase::backends())
        QTest::newRow(qPrintable(TestDatabase::name(b))) << b;
}

// Opens a fresh database for the current data row or skips.
#define OPEN_DB(db)                                                         \
    QFETCH(TestDatabase::Backend, backend);                                 \
    TestDatabase db(backend);                                               \
    if (!db.isValid())                                                      \
        QSKIP(qPrintable(db.skipReason()));                                 \
    QVERIFY2(db.connection()->IsOpen(), qPrintable(db.connection()->LastError()))

double addSequence(clsConnection *c, const QString &name, int steps, int rampSteps)
{
    clsSEQUENCE_INFO info;
    info.ConnectX(c);
    info.SEQUENCE_NAME = name;
    info.AddNew();
    clsSEQUENCE_RAMP ramp;
    ramp.ConnectX(c);
    ramp.SequenceId = info.SEQUENCE_ID;
    for (int i = 1; i <= steps; ++i) {
        ramp.RAMPNO = i;
        ramp.RAMP_TEMP = 100 + i;
        ramp.AddNew();
    }
    clsSEQUENCE_RAMP_DEFINE def;
    def.ConnectX(c);
    def.SequenceId = info.SEQUENCE_ID;
    for (int i = 1; i <= rampSteps; ++i) {
        def.RAMP_STEP_NO = i;
        def.RAMP_SHEAR_RATE = 100 * i;
        def.AddNew();
    }
    return info.SEQUENCE_ID;
}

double addTest(clsConnection *c, const QString &name)
{
    clsTEST_INFO info;
    info.ConnectX(c);
    info.TEST_NAME = name;
    info.AddNew();
    return info.Test_Id;
}

int countRows(clsConnection *c, const QString &table)
{
    QSqlQuery q(c->ADOConnection());
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table) || !q.next())
        return -1;
    return q.value(0).toInt();
}

} // namespace

class TestStore : public QObject
{
    Q_OBJECT

private slots:
    void schemaColumns_data() { addBackendRows(); }
    void schemaColumns()
    {
        OPEN_DB(db);
        const QList<QPair<QString, QStringList>> tables = {
            {"SEQUENCE_INFO", {"SEQUENCE_ID", "SEQUENCE_NAME", "TIME_BEFORE_READ", "RAMP_SAMPLE_RATE",
                               "SAMPLE_POINTS_AVERAGE", "SHUT_DOWN_ATIME", "SHUT_DOWN_VISC", "SAMPLE_INTERVAL"}},
            {"SEQUENCE_RAMP", {"SEQUENCE_RAMP_ID", "SEQUENCE_ID", "RAMP_NO", "RAMP_ELAPSE_TIME", "RAMP_TEMP",
                               "RAMP_START_ERROR", "SHEAR_RATE", "RUN_RAMP", "RECORD_RATE"}},
            {"SEQUENCE_RAMP_DEFINE", {"SEQUENCE_DEF_ID", "SEQUENCE_ID", "RAMP_STEP_NO", "RAMP_SHEAR_RATE"}},
            {"TEST_INFO", {"TEST_ID", "TEST_NAME", "FLUID_ID", "TEST_TIME", "RESEARCHER_NAME", "ROTOR_NO", "BOB_NO",
                           "BOB_RADIUS", "BOB_EFF_LENGTH", "PRETEST_PH", "POSTTEST_PH", "SAFETY"}},
            {"TEST_RESULT", {"TEST_RESULT_ID", "TEST_ID", "RAMP_NO", "RAMP_STEP_NO", "RESULT_TIME",
                             "RESULT_SAMPLE_TEMP", "RESULT_PRESS", "RESULT_SHEAR_RATE", "RESULT_SHEAR_STRESS",
                             "RESULT_TYPE_ID", "RESULT_BATH_TEMP"}},
            {"TEST_ADDITIVE", {"TESTADD_ID", "TEST_ID", "ADDITIVE_NM", "ADD_CONCEN", "ADD_UNIT", "ADD_LOTNO"}},
        };
        for (const auto &[table, columns] : tables) {
            QSqlQuery q(db.connection()->ADOConnection());
            QVERIFY2(q.exec(QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(table)), qPrintable(table));
            const QSqlRecord rec = q.record();
            QStringList got;
            for (int i = 0; i < rec.count(); ++i)
                got << rec.fieldName(i).toUpper();
            QCOMPARE(got, columns);
        }
        // Opening again keeps what is there.
        addSequence(db.connection(), "Kept", 1, 1);
        auto again = db.openAnother();
        QVERIFY(again->IsOpen());
        QCOMPARE(countRows(again.get(), "SEQUENCE_INFO"), 1);
    }

    void transactionKeys_data() { addBackendRows(); }
    void transactionKeys()
    {
        OPEN_DB(db);
        clsConnection *c = db.connection();
        QVERIFY(!c->RollBack(1));
        const int key = c->BeginTrans();
        QVERIFY(key >= 1 && key <= 1000000);
        QCOMPARE(c->BeginTrans(), 0);
        addTest(c, "InTransaction");
        QVERIFY(!c->CommitTrans(0));
        QVERIFY(c->InTransaction());
        QVERIFY(!c->CommitTrans(key == 1 ? 2 : key - 1));
        QVERIFY(c->CommitTrans(key));
        QVERIFY(!c->InTransaction());
        QCOMPARE(countRows(c, "TEST_INFO"), 1);

        const int key2 = c->BeginTrans();
        addTest(c, "RolledBack");
        QVERIFY(c->RollBack(key2));
        QCOMPARE(countRows(c, "TEST_INFO"), 1);
    }

    void openFailures_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("not a database") << 0;
        QTest::newRow("missing directory") << 1;
        if (TestDatabase::postgresAvailable())
            QTest::newRow("no server") << 2;
    }
    void openFailures()
    {
        QFETCH(int, kind);
        QTemporaryDir dir;
        DatabaseConfig config;
        if (kind == 0) {
            config = DatabaseConfig::sqlite(dir.filePath("KX720pH.db"));
            QFile f(config.file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(4096, 'x'));
        } else if (kind == 1) {
            config = DatabaseConfig::sqlite(dir.filePath("no/such/dir/KX720pH.db"));
        } else {
            config.backend = DatabaseConfig::Backend::PostgreSQL;
            config.host = dir.path();        // no server listens there
            config.port = 1;
            config.name = "nothing";
        }
        clsConnection c(config);
        QVERIFY(!c.OpenDB());
        QVERIFY(c.ErrorNeedsMessage());
        QVERIFY2(c.LastError().startsWith("clsConnection.OpenConnection: Error #: "), qPrintable(c.LastError()));
        QVERIFY(c.LastError().contains("\r\n"));
        QVERIFY(!c.IsOpen());
        clsTEST_INFO info;
        try {
            info.ConnectX(&c);
            QFAIL("a gateway on an unopened connection must fail");
        } catch (const StoreError &e) {
            QCOMPARE(e.code(), StoreError::Code::NotOpen);
        }
        QVERIFY_THROWS_EXCEPTION(StoreError, c.BeginTrans());
        QVERIFY(!c.InTransaction());
    }

    void sequenceCursor_data() { addBackendRows(); }
    void sequenceCursor()
    {
        OPEN_DB(db);
        clsConnection *c = db.connection();
        clsSEQUENCE_INFO info;
        info.ConnectX(c);
        QCOMPARE(info.JustName().rowCount(), 0);
        QVERIFY(info.isEOF() || info.JustName().rowCount() == 0);

        const double id = addSequence(c, "Gel 30", 3, 2);
        addSequence(c, "Alpha", 0, 0);
        QVERIFY(id > 0);
        info.ConnectX(c);
        QCOMPARE(info.JustName().rowCount(), 2);
        QCOMPARE(info.JustName().at(0, 0).toString(), QString("Alpha"));
        QCOMPARE(info.JustName().at(0, 1).toString(), QString("Gel 30"));

        info.SEQUENCE_NAME = "Gel 30";
        info.GetSeqDetail();
        QVERIFY(!info.isEOF());
        QVERIFY(!info.IsEmpty());
        QCOMPARE(info.SEQUENCE_ID, id);

        clsSEQUENCE_RAMP steps;
        steps.SequenceId = id;
        steps.ConnectX(c);
        steps.GetSeqDetail();
        QCOMPARE(steps.RAMP_TEMP, 101.0);
        steps.MoveRel(100);
        QCOMPARE(steps.RAMP_TEMP, 103.0);
        steps.MoveRel(-100);
        QCOMPARE(steps.RAMP_TEMP, 101.0);
        steps.MoveRel(0);
        QCOMPARE(steps.RAMP_TEMP, 101.0);
        steps.MoveLast();
        QVERIFY(!steps.isEOF());
        steps.MoveNext();
        QVERIFY(steps.isEOF());
        QCOMPARE(steps.RAMP_TEMP, 103.0);     // the last row stays loaded
        steps.MovePrevious();
        QCOMPARE(steps.RAMP_TEMP, 102.0);
        QVERIFY(steps.isEOF());               // MovePrevious leaves the end flag

        int seen = 0;
        for (steps.GetSeqDetail(); !steps.isEOF(); steps.MoveNext())
            QCOMPARE(steps.RAMPNO, double(++seen));
        QCOMPARE(seen, 3);

        clsSEQUENCE_RAMP_DEFINE def;
        def.SequenceId = id;
        def.ConnectX(c);
        def.GetSeqDetail();
        QCOMPARE(def.RampSteps(), 2);
        QCOMPARE(def.RAMP_SHEAR_RATE, 100.0);
    }

    void missingRowsGiveDefaults_data() { addBackendRows(); }
    void missingRowsGiveDefaults()
    {
        OPEN_DB(db);
        clsConnection *c = db.connection();
        clsSEQUENCE_INFO seq;
        seq.ConnectX(c);
        seq.TIME_BEFORE_READ = 99;
        seq.SEQUENCE_NAME = "nothing";
        seq.GetSeqDetail();
        QVERIFY(seq.isEOF());
        QVERIFY(seq.IsEmpty());
        QCOMPARE(seq.TIME_BEFORE_READ, 20.0);
        QCOMPARE(seq.RAMP_SAMPLE_RATE, 2.0);
        QCOMPARE(seq.SAMPLE_POINTS_AVERAGE, 5.0);
        QCOMPARE(seq.SHUT_DOWN_ATIME, 20.0);
        QCOMPARE(seq.SAMPLE_INTERVAL(), 60.0);

        clsTEST_INFO info;
        info.ConnectX(c);
        QVERIFY(info.isEOF());
        info.TEST_NAME = "nothing";
        info.BOB_RADIUS = 3;
        info.GetTestDetail();
        QVERIFY(info.isEOF());
        QVERIFY(info.IsEmpty());
        QCOMPARE(info.rowCount(), 0);
        QCOMPARE(info.RESEARCHER_NAME, QString("UNKOWN"));
        QCOMPARE(info.ROTOR_NO, QString("R1"));
        QCOMPARE(info.BOB_NO, QString("B5"));
        QCOMPARE(info.BOB_RADIUS, 1.5987);
        QCOMPARE(info.BOB_EFF_LENGTH, 7.62);
        QCOMPARE(info.PreTest_PH, 7.0);
        QCOMPARE(info.PostTest_PH, 7.0);

        clsTEST_RESULT results;
        results.Test_Id = addTest(c, "Empty");
        results.ConnectX(c);
        results.GetTestDetail();
        QCOMPARE(results.TotalPoints(), 0);
        QVERIFY(results.isEOF());
    }

    void nullColumnsLoadDefaults_data() { addBackendRows(); }
    void nullColumnsLoadDefaults()
    {
        OPEN_DB(db);
        clsConnection *c = db.connection();
        QSqlQuery q(c->ADOConnection());
        QVERIFY(q.exec("INSERT INTO SEQUENCE_INFO (SEQUENCE_NAME) VALUES ('Bare')"));
        QVERIFY(q.exec("INSERT INTO TEST_INFO (TEST_NAME) VALUES ('Bare test')"));
        clsSEQUENCE_INFO seq;
        seq.ConnectX(c);
        seq.SEQUENCE_NAME = "Bare";
        seq.GetSeqDetail();
        QVERIFY(!seq.isEOF());
        QVERIFY(seq.SEQUENCE_ID > 0);
        QCOMPARE(seq.TIME_BEFORE_READ, 20.0);
        QCOMPARE(seq.SAMPLE_INTERVAL(), 60.0);

        clsTEST_INFO info;
        info.ConnectX(c);
        QCOMPARE(info.UsedName().rowCount(), 1);     // listed although TEST_TIME is NULL
        info.TEST_NAME = "Bare test";
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        info.GetTestDetail();
        QVERIFY(!info.isEOF());
        QCOMPARE(info.BOB_RADIUS, 1.5987);
        QCOMPARE(info.RESEARCHER_NAME, QString("UNKOWN"));
        QVERIFY(info.TEST_TIME >= before);
    }

    void sampleIntervalRounding_data()
    {
        QTest::addColumn<TestDatabase::Backend>("backend");
        QTest::addColumn<double>("written");
        QTest::addColumn<double>("read");
        for (TestDatabase::Backend b : TestDatabase::backends()) {
            const QByteArray n = TestDatabase::name(b).toLatin1();
            QTest::newRow(n + " 60.5") << b << 60.5 << 60.0;
            QTest::newRow(n + " 61.5") << b << 61.5 << 62.0;
            QTest::newRow(n + " 59.4") << b << 59.4 << 59.0;
        }
    }
    void sampleIntervalRounding()
    {
        QFETCH(double, written);
        QFETCH(double, read);
        OPEN_DB(db);
        clsSEQUENCE_INFO seq;
        seq.ConnectX(db.connection());
        seq.SEQUENCE_NAME = "Round";
        seq.setSAMPLE_INTERVAL(written);
        QCOMPARE(seq.SAMPLE_INTERVAL(), read);
        seq.AddNew();
        seq.SetDefaults();
        seq.SEQUENCE_NAME = "Round";
        seq.GetSeqDetail();
        QCOMPARE(seq.SAMPLE_INTERVAL(), read);
        QCOMPARE(seq.All().at(7).toInt(), int(read));
    }

    void insertReturnsItsOwnKey_data() { addBackendRows(); }
    void insertReturnsItsOwnKey()
    {
        // Two stations adding tests at once each learn their own key from the insert.
        OPEN_DB(db);
        auto other = db.openAnother();
        clsTEST_INFO a, b;
        a.ConnectX(db.connection());
        b.ConnectX(other.get());
        a.TEST_NAME = "Station A";
        b.TEST_NAME = "Station B";
        const int key = db.connection()->BeginTrans();
        a.AddNew();
        QVERIFY(db.connection()->CommitTrans(key));
        b.AddNew();
        QVERIFY(a.Test_Id > 0 && b.Test_Id > 0 && a.Test_Id != b.Test_Id);
        clsTEST_INFO check;
        check.ConnectX(db.connection());
        check.TEST_NAME = "Station B";
        check.GetTestDetail();
        QCOMPARE(check.Test_Id, b.Test_Id);
        check.TEST_NAME = "Station A";
        check.GetTestDetail();
        QCOMPARE(check.Test_Id, a.Test_Id);
        QCOMPARE(check.UsedName().row(0).size(), 12);   // the detail row replaced the list
    }

    void duplicateNamesRefused_data() { addBackendRows(); }
    void duplicateNamesRefused()
    {
        OPEN_DB(db);
        clsConnection *c = db.connection();
        addSequence(c, "Twice", 1, 1);
        addTest(c, "Twice");
        clsSEQUENCE_INFO seq;
        seq.ConnectX(c);
        QVERIFY(seq.Exists("Twice"));
        QVERIFY(!seq.Exists("twice"));
        seq.SEQUENCE_NAME = "Twice";
        try {
            seq.AddNew();
            QFAIL("duplicate sequence name accepted");
        } catch (const StoreError &e) {
            QCOMPARE(e.code(), StoreError::Code::Duplicate);
        }
        clsTEST_INFO info;
        info.ConnectX(c);
        info.TEST_NAME = "Twice";
        QVERIFY_THROWS_EXCEPTION(StoreError, info.AddNew());
        info.TEST_NAME = "TWICE";                    // differs in case: a different name
        info.AddNew();
        QCOMPARE(countRows(c, "TEST_INFO"), 2);
        QCOMPARE(countRows(c, "SEQUENCE_INFO"), 1);
        // The connection is still usable after the failed statements.
        addTest(c, "After");
        QCOMPARE(countRows(c, "TEST_INFO"), 3);
    }

    void failedStatementLeavesDatabaseConsistent_data() { addBackendRows(); }
    void failedStatementLeavesDatabaseConsistent()
    {
        OPEN_DB(db);
        clsConnection *c = db.connection();
        addTest(c, "Existing");
        const int key = c->BeginTrans();
        clsTEST_INFO info;
        info.ConnectX(c);
        info.TEST_NAME = "New test";
        info.AddNew();
        clsTEST_ADDITIVE add;
        add.ConnectX(c);
        add.TESTId = info.Test_Id;
        add.ADDITIVE_NM = "Guar";
        add.AddNew();
        info.TEST_NAME = "Existing";
        bool threw = false;
        try {
            info.AddNew();
        } catch (const StoreError &) {
            threw = true;
            QVERIFY(c->RollBack(key));
        }
        QVERIFY(threw);
        QVERIFY(!c->InTransaction());
        QCOMPARE(countRows(c, "TEST_INFO"), 1);
        QCOMPARE(countRows(c, "TEST_ADDITIVE"), 0);
        // Too long a text is refused before it reaches the database.
        info.TEST_NAME = QString(41, 'n');
        QVERIFY_THROWS_EXCEPTION(StoreError, info.AddNew());
        QCOMPARE(countRows(c, "TEST_INFO"), 1);
    }

    void deleteRemovesChildren_data() { addBackendRows(); }
    void deleteRemovesChildren()
    {
        OPEN_DB(db);
        clsConnection *c = db.connection();
        const double keep = addSequence(c, "Keep", 2, 3);
        addSequence(c, "Drop", 4, 5);
        clsSEQUENCE_INFO seq;
        seq.ConnectX(c);
        seq.SEQUENCE_NAME = "Drop";
        seq.Delete();
        QCOMPARE(countRows(c, "SEQUENCE_INFO"), 1);
        QCOMPARE(countRows(c, "SEQUENCE_RAMP"), 2);
        QCOMPARE(countRows(c, "SEQUENCE_RAMP_DEFINE"), 3);
        seq.ConnectX(c);
        QCOMPARE(seq.JustName().rowCount(), 1);
        QCOMPARE(seq.JustName().at(0, 0).toString(), QString("Keep"));
        Q_UNUSED(keep);

        const double t1 = addTest(c, "T1");
        const double t2 = addTest(c, "T2");
        for (double t : {t1, t2}) {
            clsTEST_RESULT r;
            r.ConnectX(c);
            r.Test_Id = t;
            for (int i = 0; i < 3; ++i) {
                r.RESULT_TIME = i;
                r.AddNew();
            }
            clsTEST_ADDITIVE a;
            a.ConnectX(c);
            a.TESTId = t;
            a.ADDITIVE_NM = "KCl";
            a.AddNew();
        }
        clsTEST_INFO info;
        info.ConnectX(c);
        info.TEST_NAME = "T1";
        info.Delete();
        QCOMPARE(countRows(c, "TEST_INFO"), 1);
        QCOMPARE(countRows(c, "TEST_RESULT"), 3);
        QCOMPARE(countRows(c, "TEST_ADDITIVE"), 1);
    }

    void testRecords_data() { addBackendRows(); }
    void testRecords()
    {
        OPEN_DB(db);
        clsConnection *c = db.connection();
        clsTEST_INFO info;
        info.ConnectX(c);
        info.TEST_NAME = "Borate 200F";
        info.Fluid_ID = "XL-30";
        info.TEST_TIME = QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7));
        info.SAFETY = QString(1000, QLatin1Char('s'));
        info.SAFETY[999] = QLatin1Char('!');
        info.BOB_RADIUS = 1.7245;
        info.AddNew();
        const double id = info.Test_Id;

        // Samples come back in RESULT_TIME order whatever the insert order.
        clsTEST_RESULT r;
        r.ConnectX(c);
        for (double t : {30.0, 10.0, 20.0}) {
            r.Test_Id = id;
            r.RESULT_TIME = t;
            r.RESULT_SHEAR_STRESS = t * 2;
            QVERIFY(r.AddNew() > 0);
        }
        r.Test_Id = id;
        r.GetTestDetail();
        QCOMPARE(r.TotalPoints(), 3);
        QCOMPARE(r.RESULT_TIME, 10.0);
        QList<double> times;
        for (const TestResultRow &row : r.rTestResult())
            times << row.resultTime;
        QCOMPARE(times, (QList<double>{10, 20, 30}));
        QCOMPARE(r.All().at(8).toDouble(), 20.0);
        QCOMPARE(clsTEST_RESULT::readSamples(c, id).size(), std::size_t(3));

        info.SetDefaults();
        info.TEST_NAME = "Borate 200F";
        info.GetTestDetail();
        QCOMPARE(info.All().at(11).toString().size(), 1000);
        QCOMPARE(info.All().at(11).toString().at(999), QLatin1Char('!'));
        QCOMPARE(info.TEST_TIME, QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)));
        QCOMPARE(info.Fluid_ID, QString("XL-30"));

        // Update with the null date stores NULL, read back as "now".
        info.TEST_TIME = clsTEST_INFO::nullDate();
        info.Fluid_ID = "XL-40";
        info.Update();
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        info.SetDefaults();
        info.TEST_NAME = "Borate 200F";
        info.GetTestDetail();
        QCOMPARE(info.Fluid_ID, QString("XL-40"));
        QVERIFY(info.TEST_TIME >= before);
        QSqlQuery q(c->ADOConnection());
        QVERIFY(q.exec("SELECT COUNT(*) FROM TEST_INFO WHERE TEST_TIME IS NULL") && q.next());
        QCOMPARE(q.value(0).toInt(), 1);

        // Additives are rewritten whole.
        clsTEST_ADDITIVE add;
        add.TESTId = id;
        add.ConnectX(c);
        QVERIFY(add.isEOF());
        for (int i = 0; i < 2; ++i) {
            add.TESTId = id;
            add.ADDITIVE_NM = QStringLiteral("A%1").arg(i);
            add.ADD_CONCEN = 2.5;
            add.AddNew();
        }
        add.GetSeqDetail();
        QCOMPARE(add.rowCount(), 2);
        QCOMPARE(add.ADD_CONCEN, 2.5);
        add.Delete();
        add.GetSeqDetail();
        QVERIFY(add.isEOF());
    }

    void testListNewestFirst_data() { addBackendRows(); }
    void testListNewestFirst()
    {
        OPEN_DB(db);
        clsTEST_INFO info;
        info.ConnectX(db.connection());
        const QList<QPair<QString, QDateTime>> tests = {
            {"Old", QDateTime(QDate(2025, 12, 31), QTime(23, 0))},
            {"New", QDateTime(QDate(2026, 2, 1), QTime(8, 0))},
            {"Mid", QDateTime(QDate(2026, 1, 10), QTime(9, 30))},
        };
        for (const auto &[name, when] : tests) {
            info.TEST_NAME = name;
            info.TEST_TIME = when;
            info.AddNew();
        }
        info.ConnectX(db.connection());
        QCOMPARE(info.UsedName().rowCount(), 3);
        QCOMPARE(info.UsedName().at(0, 0).toString(), QString("New"));
        QCOMPARE(info.UsedName().at(0, 1).toString(), QString("Mid"));
        QCOMPARE(info.UsedName().at(0, 2).toString(), QString("Old"));
    }
};

// The durability check re-runs this program as a child that inserts samples
// one transaction each and prints every key once its insert has returned.
static int durabilityChild(const QString &file)
{
    clsConnection c(DatabaseConfig::sqlite(file));
    if (!c.OpenDB())
        return 3;
    clsTEST_RESULT r;
    r.ConnectX(&c);
    r.Test_Id = 1;
    QTextStream out(stdout);
    for (int i = 0;; ++i) {
        r.RESULT_TIME = i;
        r.RESULT_SHEAR_STRESS = i * 0.5;
        const double key = r.AddNew();
        out << qint64(key) << '\n';
        out.flush();
    }
}

class TestDurability : public QObject
{
    Q_OBJECT
private slots:
    void killedWriterLosesNothing()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("KX720pH.db");
        {
            clsConnection c(DatabaseConfig::sqlite(file));
            QVERIFY(c.OpenDB());
            QCOMPARE(addTest(&c, "Durable"), 1.0);
        }
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ROVUDAZE_DURABILITY_CHILD", file);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForStarted());
        QList<qint64> reported;
        QByteArray pending;
        while (reported.size() < 400 && child.state() == QProcess::Running) {
            child.waitForReadyRead(5000);
            pending += child.readAllStandardOutput();
            int nl;
            while ((nl = pending.indexOf('\n')) >= 0) {
                reported << pending.left(nl).toLongLong();
                pending.remove(0, nl + 1);
            }
        }
        child.kill();                        // SIGKILL, mid-insert
        child.waitForFinished();
        QVERIFY(reported.size() >= 400);

        clsConnection c(DatabaseConfig::sqlite(file));
        QVERIFY(c.OpenDB());
        QSqlQuery q(c.ADOConnection());
        QVERIFY(q.exec("PRAGMA integrity_check") && q.next());
        QCOMPARE(q.value(0).toString(), QString("ok"));
        QSet<qint64> stored;
        for (const TestResultRow &row : clsTEST_RESULT::readSamples(&c, 1))
            stored.insert(qint64(row.testResultId));
        for (qint64 key : reported)
            QVERIFY2(stored.contains(key), qPrintable(QString("sample %1 reported stored but missing").arg(key)));
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("ROVUDAZE_DURABILITY_CHILD"))
        return durabilityChild(qEnvironmentVariable("ROVUDAZE_DURABILITY_CHILD"));
    int status = 0;
    {
        TestStore t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestDurability t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}

#include "tst_store.moc"
