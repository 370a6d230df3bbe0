#pragma once
#include "clock.h"
#include "instrumentreading.h"
#include "rheology/liverampevaluator.h"
#include "runsequence.h"
#include "store/records.h"

#include <QObject>
#include <deque>
#include <memory>

class clsConnection;
class clsTEST_RESULT;
class InstrumentLink;

// Runs one test sequence on one unit, one tick per second: reads the
// instrument, averages readings into samples, stores them, keeps the ramp
// results up to date and ends the test after its last step, on Stop or by
// the automatic shut-down rule. Nothing here blocks: the step command runs
// on the link's own schedule while this unit and every other stay live.
class RunEngine : public QObject
{
    Q_OBJECT
public:
    enum class RunState { Idle = 0, Running = 1, Ramped = 6 };
    enum class Mode { NormalStep = 0, ShearRamp = 1 };
    enum class EndReason { Completed, Stopped, AutoShutDown };
    // One fault enum for the engine: each fault is reported once when it
    // starts and once when it clears; the run goes on where it can.
    enum class Fault { Database, Port, ErrorLog };

    RunEngine(int unit, clsConnection *connection, InstrumentLink &link, Clock &clock, QObject *parent = nullptr);
    ~RunEngine() override;

    // Loads the sequence and starts the test whose row is already stored
    // (info.testId set). Refuses, with a message for the user, when the unit
    // is busy, the sequence is unknown or cannot run.
    bool StartTest(const QString &sequenceName, const TestInfoRow &info, QString *error = nullptr);
    // Stop byte, timer off, idle. Also the Stop button.
    void ShutDown();
    // The tick (public so a test can drive it directly).
    void Timer1_Timer();

    int unit() const { return m_unit; }
    RunState runState() const { return m_runState; }
    bool isRunning() const { return m_runState != RunState::Idle; }
    Mode mode() const { return m_mode; }
    int step() const { return m_step; }
    int rampStep() const { return m_rampStep; }
    int stepTicks() const { return m_c; }
    int rampTicks() const { return m_r; }
    qint64 elapsedSeconds() const { return m_elapsed; }
    QString statusText() const { return m_status; }
    QString startText() const { return m_startText; }
    QString endText() const { return m_endText; }
    QString elapsedText() const { return m_elapsedText; }
    const RunSequence &sequence() const { return m_sequence; }
    const TestInfoRow &testInfo() const { return m_info; }
    double shearRatePerRpm() const { return m_k; }
    const rheology::LiveRampEvaluator &results() const { return m_live; }
    // Samples averaged but not yet in the database (kept in order, retried).
    int unsavedSamples() const { return int(m_pending.size()); }
    int storedSamples() const { return m_storedCount; }

    static QString elapsedTextFor(qint64 seconds);

signals:
    void statusChanged(const QString &status);
    void runStateChanged(RunEngine::RunState state);
    void progressChanged();                     // step, ramp step, mode or elapsed moved
    void sampleStored(const TestResultRow &sample);
    void resultsChanged(const rheology::RampUpdate &update);
    void faultRaised(RunEngine::Fault fault, const QString &message);
    void faultCleared(RunEngine::Fault fault);
    void testEnded(RunEngine::EndReason reason);

private:
    void finish(EndReason reason);
    void takeReading();
    void storeAverage();
    void StoreSample();
    void flushPending();
    void resetAverage();
    void setStatus(const QString &status);
    void advanceElapsed();
    void raise(Fault fault, const QString &message);
    void clear(Fault fault);
    void onStepCommandFinished(bool completed);
    void onLinkError();
    void sendStep(double shearRate);

    int m_unit;
    clsConnection *m_connection;
    InstrumentLink &m_link;
    Clock &m_clock;
    ClockTimer m_timer;
    ClockTimer m_retryTimer;
    std::unique_ptr<clsTEST_RESULT> m_results;

    RunSequence m_sequence;
    TestInfoRow m_info;
    double m_k = 0;                    // shear rate per rpm of the running test's bob
    rheology::LiveRampEvaluator m_live;

    RunState m_runState = RunState::Idle;
    Mode m_mode = Mode::NormalStep;
    int m_step = 1;
    int m_rampStep = 0;
    int m_c = 0;
    int m_r = 0;
    int m_n = 0;
    InstrumentReading m_sums;
    qint64 m_elapsed = 0;
    qint64 m_stepStart = 0;
    int m_w = 0;
    double m_v = 0;
    QString m_status = QStringLiteral("InActive");
    QString m_startText, m_endText, m_elapsedText;
    int m_ticksWithoutPort = 0;
    bool m_silent = false;

    std::deque<TestResultRow> m_pending;
    int m_storedCount = 0;
    bool m_faults[3] = {false, false, false};
};

Q_DECLARE_METATYPE(RunEngine::RunState)
Q_DECLARE_METATYPE(RunEngine::EndReason)
Q_DECLARE_METATYPE(RunEngine::Fault)
