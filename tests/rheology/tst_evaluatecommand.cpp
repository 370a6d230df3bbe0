#include "rheology/storedevaluation.h"
#include "store/clsTEST_INFO.h"
#include "store/clsTEST_RESULT.h"
#include "support/testdatabase.h"
#include <QProcess>
#include <QtTest>
#include <cmath>

using namespace rheology;

namespace {

const QString kTestName = QStringLiteral("RAMP TEST, 2 \"B1\"");

// Ramp 1: K' = 4.788 dyn·s^n/cm², n' = 0.6; ramp 2 one point short;
// ramp 3 n' = 6 (rejected). Closing samples at 212 °F, pH 8.04; ramp 1
// closes at 150 s (2.5 min).
std::vector<TestResultRow> fixtureSamples()
{
    std::vector<TestResultRow> samples;
    double t = 0;
    auto add = [&](double ramp, double rate, double stress, double type) {
        TestResultRow s;
        s.rampNo = ramp;
        s.resultTime = t += 30;
        s.sampleTemp = 212;
        s.shearRate = rate;
        s.shearStress = stress;
        s.typeId = type;
        s.pH = 8.04;
        samples.push_back(s);
    };
    add(1, 100, 30, 0);
    for (double rate : {20.0, 60.0, 180.0})
        add(1, rate, 4.788 * std::pow(rate, 0.6), 1);
    add(2, 100, 10, 0);
    add(2, 20, 10, 1);
    add(2, 40, 12, 1);
    add(3, 100, 10, 0);
    for (double rate : {2.0, 3.0, 4.0})
        add(3, rate, std::pow(rate, 6), 1);
    return samples;
}

qint64 storeFixture(clsConnection *connection)
{
    clsTEST_INFO tests;
    tests.ConnectX(connection);
    TestInfoRow info;
    info.testName = kTestName;
    info.bobRadius = 1.7245;
    tests.setRow(info);
    tests.AddNew();
    const qint64 id = qint64(tests.Test_Id);
    clsTEST_RESULT results;
    results.ConnectX(connection);
    for (TestResultRow s : fixtureSamples()) {
        s.testId = double(id);
        results.setRow(s);
        results.AddNew();
    }
    return id;
}

struct CliRun
{
    int exitCode = -1;
    QString out, err;
};

CliRun runCli(const QString &dir, const QStringList &arguments)
{
    CliRun run;
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start(qEnvironmentVariable("ROVUDAZE_BIN_DIR") + QStringLiteral("/tools/rovudaze-cli"),
            QStringList{QStringLiteral("evaluate")} + arguments);
    if (!p.waitForFinished(60000))
        return run;
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

} // namespace

class tst_EvaluateCommand : public QObject
{
    Q_OBJECT
private slots:
    void storedTestEvaluatesLikeItsSamples_data();
    void storedTestEvaluatesLikeItsSamples();
    void csvOutput_data();
    void csvOutput();
    void tableOutput();
    void refusals_data();
    void refusals();
    void noDatabaseHere();
};

void tst_EvaluateCommand::storedTestEvaluatesLikeItsSamples_data()
{
    QTest::addColumn<int>("backend");
    for (TestDatabase::Backend b : TestDatabase::backends())
        QTest::newRow(qPrintable(TestDatabase::name(b))) << int(b);
}

void tst_EvaluateCommand::storedTestEvaluatesLikeItsSamples()
{
    QFETCH(int, backend);
    TestDatabase db{TestDatabase::Backend(backend)};
    if (!db.isValid())
        QSKIP(qPrintable(db.skipReason()));
    const qint64 id = storeFixture(db.connection());

    const StoredTestEvaluation stored = EvaluateStoredTest(db.connection(), kTestName);
    QVERIFY(stored.found);
    QCOMPARE(stored.info.testId, id);
    TestInfoRow info;
    info.bobRadius = 1.7245;
    QVERIFY(stored.evaluation == EvaluateRamps(info, fixtureSamples()));
    QCOMPARE(stored.evaluation.results.size(), 2);
    QVERIFY(EvaluateRamps(db.connection(), id) == stored.evaluation);

    QVERIFY(!EvaluateStoredTest(db.connection(), QStringLiteral("NO SUCH TEST")).found);
    QVERIFY(!EvaluateStoredTest(db.connection(), QString(41, QLatin1Char('X'))).found);
    QVERIFY(EvaluateRamps(db.connection(), id + 1000).results.isEmpty());
}

void tst_EvaluateCommand::csvOutput_data()
{
    QTest::addColumn<QString>("units");
    QTest::addColumn<QString>("temperatureHeader");
    QTest::addColumn<QString>("temperature");
    QTest::addColumn<QString>("kPrime");
    QTest::newRow("cgs") << "cgs" << "Temp (F°)" << "212" << "1.0000";
    QTest::newRow("ei") << "ei" << "Temp (F°)" << "212" << "0001.0";
    QTest::newRow("si") << "SI" << "Temp (C°)" << "100" << "0001.0";
}

void tst_EvaluateCommand::csvOutput()
{
    QFETCH(QString, units);
    QFETCH(QString, temperatureHeader);
    QFETCH(QString, temperature);
    QFETCH(QString, kPrime);
    if (qEnvironmentVariableIsEmpty("ROVUDAZE_BIN_DIR"))
        QSKIP("ROVUDAZE_BIN_DIR not set");
    TestDatabase db;
    storeFixture(db.connection());
    const CliRun run = runCli(db.dir(), {"--test", kTestName, "--units", units, "--format", "csv"});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.out.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 5);          // header, 3 ramp rows, final newline
    QCOMPARE(lines[0], QStringLiteral("Seq. Step,Time (Min),%1,n',K' lbf-s^n /100 ft2,Coef. Detn. (R^2),"
                                      "Kv lbf-s^n /100 ft2,K'slot lbf-s^n /100 ft2,Visc @40 1/S (cP),"
                                      "Visc @100 1/S (cP),Visc @170 1/S (cP),pH").arg(temperatureHeader));
    const QStringList row1 = lines[1].split(QLatin1Char(','));
    QCOMPARE(row1.size(), 12);
    QCOMPARE(row1.mid(0, 6), (QStringList{"1", "3.", temperature, "0.6000", kPrime, "1.0000"}));
    QCOMPARE(row1[11], QStringLiteral("8.0"));
    QCOMPARE(lines[2], QStringLiteral(",,,,,,,,,,,"));                  // ramp 2: no result
    QCOMPARE(lines[3], QStringLiteral("3,6.,%1,6.0000,N/A,N/A,N/A,N/A,N/A,N/A,N/A,").arg(temperature));
    QCOMPARE(lines[4], QString());
}

void tst_EvaluateCommand::tableOutput()
{
    if (qEnvironmentVariableIsEmpty("ROVUDAZE_BIN_DIR"))
        QSKIP("ROVUDAZE_BIN_DIR not set");
    TestDatabase db;
    storeFixture(db.connection());
    const CliRun run = runCli(db.dir(), {"--test", kTestName});   // no initial.txt: CGS
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.out.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 5);
    QVERIFY(lines[0].startsWith(QStringLiteral("Seq. Step  Time (Min)  Temp (F°)  n'")));
    QCOMPARE(lines[2], QString());
    // Cells line up under their headers.
    const int nPrimeColumn = int(lines[0].indexOf(QStringLiteral("n'")));
    QCOMPARE(lines[1].mid(nPrimeColumn, 6), QStringLiteral("0.6000"));
    QCOMPARE(lines[3].mid(nPrimeColumn, 6), QStringLiteral("6.0000"));
    QCOMPARE(lines[1].split(QLatin1Char(' '), Qt::SkipEmptyParts).size(), 12);
}

void tst_EvaluateCommand::refusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown test") << QStringList{"--test", "NOT STORED"} << 1 << "no test named \"NOT STORED\"";
    QTest::newRow("no test given") << QStringList{} << 2 << "--test NAME is required";
    QTest::newRow("bad units") << QStringList{"--test", "X", "--units", "mks"} << 2 << "unknown unit system \"mks\"";
    QTest::newRow("bad format") << QStringList{"--test", "X", "--format", "xml"} << 2 << "unknown format \"xml\"";
    QTest::newRow("unknown option") << QStringList{"--test", "X", "--fast"} << 2 << "fast";
}

void tst_EvaluateCommand::refusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    if (qEnvironmentVariableIsEmpty("ROVUDAZE_BIN_DIR"))
        QSKIP("ROVUDAZE_BIN_DIR not set");
    TestDatabase db;
    storeFixture(db.connection());
    const CliRun run = runCli(db.dir(), arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(run.out, QString());
}

void tst_EvaluateCommand::noDatabaseHere()
{
    if (qEnvironmentVariableIsEmpty("ROVUDAZE_BIN_DIR"))
        QSKIP("ROVUDAZE_BIN_DIR not set");
    QTemporaryDir empty;
    const CliRun run = runCli(empty.path(), {"--test", "ANY"});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("no database")), qPrintable(run.err));
    QVERIFY(QDir(empty.path()).entryList(QDir::Files).isEmpty());   // nothing created
}

QTEST_GUILESS_MAIN(tst_EvaluateCommand)
#include "tst_evaluatecommand.moc"
