// Run engine in virtual time against the in-process simulated instrument.
#include "app/errorlog.h"
#include "realtime/runsequence.h"
#include "store/clsTEST_RESULT.h"
#include "store/storeerror.h"
#include "support/run/runfixture.h"
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QSqlError>
#include <QtTest>

namespace {

using Step = TestSequence::Step;

std::vector<TestResultRow> samplesOf(clsConnection *c, const TestInfoRow &test)
{
    return clsTEST_RESULT::readSamples(c, double(test.testId));
}

QList<double> timesOf(const std::vector<TestResultRow> &rows, int typeId = -1)
{
    QList<double> out;
    for (const TestResultRow &r : rows)
        if (typeId < 0 || int(r.typeId) == typeId)
            out << r.resultTime;
    return out;
}

// A fluid that holds its sample at the set-point from the start.
SimulatorConfig steadyInstrument()
{
    SimulatorConfig config;
    config.ambientTemperature = 200;
    config.heatingTimeConstant = 1;
    config.pHNoise = 0;
    config.stressNoise = 0;
    return config;
}

} // namespace

class TestRunEngine : public QObject
{
    Q_OBJECT

    QTemporaryDir m_cwd;
    QString m_oldCwd;

private slots:
    void initTestCase()
    {
        // The shut-down rule writes CorvaErr.log into the current directory.
        m_oldCwd = QDir::currentPath();
        QDir::setCurrent(m_cwd.path());
    }
    void cleanupTestCase() { QDir::setCurrent(m_oldCwd); }

    void readingSchedule_data()
    {
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("average");
        QTest::addColumn<double>("recordRate");
        QTest::addColumn<double>("interval");
        QTest::addColumn<QList<double>>("times");
        // The command tick adds 10 s; tick c then stores at elapsed c + 8.
        QTest::newRow("one sample a minute (c = 15, 75, 135)") << 5.0 << 3.0 << 60.0 << 60.0 << QList<double>{23, 83, 143};
        // Record rate 0: the interval with a slack of 5, so m = 20 is read too.
        QTest::newRow("record rate 0 uses the interval") << 5.0 << 3.0 << 0.0 << 60.0 << QList<double>{23, 78, 133, 148};
        QTest::newRow("slack 2 stops at m = 17") << 5.0 << 3.0 << 24.0 << 60.0 << QList<double>{23, 47, 71, 95, 119, 143};
        QTest::newRow("slack 5 reads at m = 20 too") << 5.0 << 3.0 << 0.0 << 24.0 << QList<double>{23, 42, 61, 76, 95, 114, 133, 148};
    }
    void readingSchedule()
    {
        QFETCH(double, rate);
        QFETCH(double, average);
        QFETCH(double, recordRate);
        QFETCH(double, interval);
        QFETCH(QList<double>, times);
        TestDatabase db;
        TestSequence sequence;
        sequence.rampSampleRate = rate;
        sequence.samplePointsAverage = average;
        sequence.sampleInterval = interval;
        sequence.steps = {Step{2.5, 200, 5, 100, 0, recordRate}};
        storeSequence(db.connection(), sequence);
        const TestInfoRow test = storeTest(db.connection(), "Schedule");
        SimulatedUnit unit(db.connection(), 1, steadyInstrument());
        QString error;
        QVERIFY2(unit.engine->StartTest("Seq", test, &error), qPrintable(error));
        unit.runUntilIdle(3600);
        QVERIFY(!unit.engine->isRunning());
        QCOMPARE(timesOf(samplesOf(db.connection(), test)), times);
        for (const TestResultRow &r : samplesOf(db.connection(), test)) {
            QCOMPARE(r.typeId, 0.0);
            QCOMPARE(r.rampStepNo, 0.0);
            QCOMPARE(r.rampNo, 1.0);
            QCOMPARE(r.press, 0.0);
            QVERIFY(r.shearRate > 99 && r.shearRate < 101);
        }
    }

    void stepWaitsForTemperatureBand()
    {
        TestDatabase db;
        TestSequence sequence;
        sequence.steps = {Step{1, 75, 2, 100, 0, 60}, Step{1, 250, 2, 100, 0, 60}, Step{1, 250, 2, 100, 0, 60}};
        storeSequence(db.connection(), sequence);
        const TestInfoRow test = storeTest(db.connection(), "Heating");
        SimulatorConfig config;
        config.ambientTemperature = 75;
        config.heatingTimeConstant = 600;     // about 40 minutes from 75 to 248 °F
        SimulatedUnit unit(db.connection(), 1, config);
        QVERIFY(unit.engine->StartTest("Seq", test));
        unit.runUntilIdle(6 * 3600);
        QVERIFY(!unit.engine->isRunning());
        const auto rows = samplesOf(db.connection(), test);
        double step3Start = -1;
        for (const TestResultRow &r : rows)
            if (r.rampNo == 3 && step3Start < 0)
                step3Start = r.resultTime;
        // Step 2 is one minute long but cannot end before the sample is within 2 °F of 250.
        QVERIFY2(step3Start > 30 * 60, qPrintable(QString::number(step3Start)));
        for (const TestResultRow &r : rows)
            if (r.rampNo == 3)
                QVERIFY(std::abs(r.sampleTemp - 250) <= 3);
    }

    void lastStepRampEndsTheTest()
    {
        TestDatabase db;
        TestSequence sequence;
        sequence.timeBeforeRead = 10;
        sequence.rampSampleRate = 2;
        sequence.samplePointsAverage = 3;
        sequence.steps = {Step{2, 200, 5, 100, 1, 60}};
        sequence.rampRates = {170, 100, 40};
        storeSequence(db.connection(), sequence);
        const TestInfoRow test = storeTest(db.connection(), "Ramp at the end");
        SimulatedUnit unit(db.connection(), 1, steadyInstrument());
        QSignalSpy stops(unit.instrument.get(), &SimulatedInstrument::stopReceived);
        QSignalSpy ended(unit.engine.get(), &RunEngine::testEnded);
        QVERIFY(unit.engine->StartTest("Seq", test));
        unit.runUntilIdle(3600);
        QVERIFY(!unit.engine->isRunning());
        QCOMPARE(ended.size(), 1);
        QCOMPARE(ended.at(0).at(0).value<RunEngine::EndReason>(), RunEngine::EndReason::Completed);
        QVERIFY(stops.size() >= 1);
        const auto rows = samplesOf(db.connection(), test);
        QVector<const TestResultRow *> ramp;
        for (const TestResultRow &r : rows)
            if (r.typeId == 1)
                ramp << &r;
        QCOMPARE(ramp.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(ramp[i]->rampNo, 1.0);
            QCOMPARE(ramp[i]->rampStepNo, double(i + 1));
        }
        QCOMPARE(rows.back().typeId, 1.0);                      // nothing after the last ramp sample
        QVERIFY(std::abs(ramp[0]->shearRate - 170) < 2);
        QVERIFY(std::abs(ramp[2]->shearRate - 40) < 2);
        // The live results saw the ramp.
        QCOMPARE(unit.engine->results().lastRamp(), 1);
        QCOMPARE(unit.engine->storedSamples(), int(rows.size()));
    }

    void shutDownWindow()
    {
        TestDatabase db;
        TestSequence sequence;
        sequence.shutDownMinutes = 10;
        sequence.sampleInterval = 60;
        sequence.shutDownViscosity = 30;
        sequence.steps = {Step{600, 200, 5, 100, 0, 0}};
        storeSequence(db.connection(), sequence);
        const TestInfoRow test = storeTest(db.connection(), "Breaking gel");
        SimulatorConfig config = steadyInstrument();
        config.fluid.consistency = 40;
        config.fluid.flowIndex = 0.5;
        config.fluid.thinningPerDegree = 0;
        config.fluid.breakHalfLifeMinutes = 30;    // viscosity halves every half hour
        SimulatedUnit unit(db.connection(), 4, config);
        QSignalSpy ended(unit.engine.get(), &RunEngine::testEnded);
        QFile::remove(errorlog::fileName());
        QVERIFY(unit.engine->StartTest("Seq", test));
        unit.runUntilIdle(600 * 60);
        QVERIFY(!unit.engine->isRunning());
        QCOMPARE(ended.size(), 1);
        QCOMPARE(ended.at(0).at(0).value<RunEngine::EndReason>(), RunEngine::EndReason::AutoShutDown);
        const auto rows = samplesOf(db.connection(), test);
        // Checks fall after every 10 samples; at least one passed and restarted the window.
        QVERIFY(rows.size() > 10);
        QCOMPARE(int(rows.size()) % 10, 0);
        QFile log(errorlog::fileName());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = log.readAll().split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].endsWith("Cause:  Shut down due to viscosity average below preset shut down viscosity. Instrument No. 4\r"));
    }

    void silentInstrumentResendsTheCommand()
    {
        TestDatabase db;
        TestSequence sequence;
        sequence.steps = {Step{5, 200, 5, 100, 0, 60}};
        storeSequence(db.connection(), sequence);
        const TestInfoRow test = storeTest(db.connection(), "Silent");
        SimulatorConfig config = steadyInstrument();
        config.faults.silent = true;
        SimulatedUnit unit(db.connection(), 1, config);
        QVERIFY(unit.engine->StartTest("Seq", test));
        unit.clock.advance(120 * 1000);
        QVERIFY(unit.engine->isRunning());
        QVERIFY2(unit.instrument->commandsReceived() >= 10, qPrintable(QString::number(unit.instrument->commandsReceived())));
        QVERIFY(unit.engine->stepTicks() <= 1);                  // still in its command phase
        QCOMPARE(unit.engine->storedSamples(), 0);
        QCOMPARE(unit.engine->statusText(), QString("No Response"));
        // The instrument comes back: the next command is answered and the step runs.
        SimulatorFaults faults;
        unit.instrument->setFaults(faults);
        unit.clock.advance(120 * 1000);
        QVERIFY(unit.engine->stepTicks() > 2);
        QCOMPARE(unit.engine->statusText(), QString("Running Test"));
        unit.engine->ShutDown();
        QCOMPARE(unit.engine->statusText(), QString("InActive"));
    }

    void databaseFailureLosesNothing()
    {
        TestDatabase db;
        TestSequence sequence;
        sequence.rampSampleRate = 2;
        sequence.samplePointsAverage = 5;
        sequence.steps = {Step{30, 200, 5, 100, 0, 20}};
        storeSequence(db.connection(), sequence);
        const TestInfoRow test = storeTest(db.connection(), "Flaky database");
        // The engine's own connection gives up on a lock at once.
        DatabaseConfig config = db.config();
        config.busyTimeoutMs = 0;
        clsConnection connection(config);
        QVERIFY(connection.OpenDB());
        SimulatedUnit unit(&connection, 2, steadyInstrument());
        QSignalSpy raised(unit.engine.get(), &RunEngine::faultRaised);
        QSignalSpy cleared(unit.engine.get(), &RunEngine::faultCleared);
        QVERIFY(unit.engine->StartTest("Seq", test));
        unit.clock.advance(5 * 60 * 1000);
        const int before = unit.engine->storedSamples();
        QVERIFY(before > 5);

        // Another station holds the write lock: every insert is refused.
        auto other = db.openAnother();
        QSqlQuery lock(other->ADOConnection());
        QVERIFY(lock.exec("BEGIN IMMEDIATE"));
        unit.clock.advance(5 * 60 * 1000);
        QCOMPARE(unit.engine->storedSamples(), before);
        QVERIFY(unit.engine->unsavedSamples() >= 10);
        QCOMPARE(raised.size(), 1);                           // reported once, not every tick
        QCOMPARE(raised.at(0).at(0).value<RunEngine::Fault>(), RunEngine::Fault::Database);
        QVERIFY(unit.engine->isRunning());

        QVERIFY(lock.exec("ROLLBACK"));
        unit.clock.advance(2000);
        QCOMPARE(unit.engine->unsavedSamples(), 0);
        QCOMPARE(cleared.size(), 1);
        unit.engine->ShutDown();

        // Exactly the samples of the same run on a database that never failed.
        TestDatabase refDb;
        storeSequence(refDb.connection(), sequence);
        const TestInfoRow refTest = storeTest(refDb.connection(), "Steady database");
        SimulatedUnit reference(refDb.connection(), 2, steadyInstrument());
        QVERIFY(reference.engine->StartTest("Seq", refTest));
        reference.clock.advance(10 * 60 * 1000 + 2000);
        reference.engine->ShutDown();
        const auto got = samplesOf(&connection, test);
        const auto want = samplesOf(refDb.connection(), refTest);
        QCOMPARE(timesOf(got), timesOf(want));
        for (std::size_t i = 0; i < got.size(); ++i) {
            QCOMPARE(got[i].shearStress, want[i].shearStress);
            QCOMPARE(got[i].sampleTemp, want[i].sampleTemp);
        }
    }

    void unplugAndReplugResumes()
    {
        TestDatabase db;
        TestSequence sequence;
        sequence.rampSampleRate = 2;
        sequence.samplePointsAverage = 5;
        sequence.steps = {Step{30, 200, 5, 100, 0, 20}};
        storeSequence(db.connection(), sequence);
        const TestInfoRow test = storeTest(db.connection(), "Unplugged");
        SimulatedUnit unit(db.connection(), 3, steadyInstrument());
        QSignalSpy raised(unit.engine.get(), &RunEngine::faultRaised);
        QSignalSpy cleared(unit.engine.get(), &RunEngine::faultCleared);
        QVERIFY(unit.engine->StartTest("Seq", test));
        unit.clock.advance(3 * 60 * 1000);
        const int commands = unit.instrument->commandsReceived();
        const int before = unit.engine->storedSamples();

        unit.device->close();                                  // adapter pulled
        unit.clock.advance(60 * 1000);
        QVERIFY(unit.engine->isRunning());
        QCOMPARE(raised.size(), 1);
        QCOMPARE(raised.at(0).at(0).value<RunEngine::Fault>(), RunEngine::Fault::Port);
        QCOMPARE(unit.engine->storedSamples(), before);        // no samples from stale readings
        QCOMPARE(unit.engine->statusText(), QString("No Response"));

        QVERIFY(unit.device->open());                          // plugged back in
        unit.clock.advance(3 * 60 * 1000);
        QCOMPARE(cleared.size(), 1);
        QVERIFY(unit.instrument->commandsReceived() > commands);   // the step was commanded again
        QVERIFY(unit.engine->storedSamples() > before + 3);
        QCOMPARE(unit.engine->statusText(), QString("Running Test"));
        unit.engine->ShutDown();
    }

    void unrunnableSequencesAreRefused_data()
    {
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("recordRate");
        QTest::addColumn<double>("interval");
        QTest::addColumn<bool>("withSteps");
        QTest::addColumn<bool>("withRamp");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("zero sample rate") << 0.0 << 60.0 << 60.0 << true << true << "sampling rate";
        QTest::newRow("record period rounds to 0") << 2.0 << 0.4 << 60.0 << true << true << "recording rate";
        QTest::newRow("no steps") << 2.0 << 60.0 << 60.0 << false << true << "no steps";
        QTest::newRow("ramp without rates") << 2.0 << 60.0 << 60.0 << true << false << "ramp";
    }
    void unrunnableSequencesAreRefused()
    {
        QFETCH(double, rate);
        QFETCH(double, recordRate);
        QFETCH(double, interval);
        QFETCH(bool, withSteps);
        QFETCH(bool, withRamp);
        QFETCH(QString, mentions);
        TestDatabase db;
        TestSequence sequence;
        sequence.rampSampleRate = rate;
        sequence.samplePointsAverage = rate == 0 ? 5 : 3;
        sequence.sampleInterval = interval;
        if (withSteps)
            sequence.steps = {Step{1, 200, 5, 100, 1, recordRate}};
        if (withRamp)
            sequence.rampRates = {100};
        storeSequence(db.connection(), sequence);
        const TestInfoRow test = storeTest(db.connection(), "Refused");
        SimulatedUnit unit(db.connection());
        QString error;
        QVERIFY(!unit.engine->StartTest("Seq", test, &error));
        QVERIFY2(error.contains(mentions), qPrintable(error));
        QVERIFY(!unit.engine->isRunning());
        QVERIFY(!unit.engine->StartTest("No such sequence", test, &error));
        QVERIFY(error.contains("not stored"));
    }

    void elapsedText_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("start") << qint64(0) << "00:00:00";
        QTest::newRow("minutes") << qint64(754) << "00:12:34";
        QTest::newRow("past a day") << qint64(90061) << "25:01:01";
    }
    void elapsedText()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(RunEngine::elapsedTextFor(seconds), text);
    }
};

QTEST_GUILESS_MAIN(TestRunEngine)
#include "tst_runengine.moc"
