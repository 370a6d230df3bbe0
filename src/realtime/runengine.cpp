#include "runengine.h"
#include "app/errorlog.h"
#include "instrumentlink.h"
#include "store/clsConnection.h"
#include "store/clsTEST_RESULT.h"
#include "store/storeerror.h"

#include <QDateTime>
#include <QTime>
#include <cmath>

namespace {
constexpr int kTickMs = 1000;
constexpr int kCommandTickMs = 8000;
constexpr int kRetryMs = 2000;          // database retries while idle
constexpr int kReopenEveryTicks = 5;    // port reopen attempts while running
}

RunEngine::RunEngine(int unit, clsConnection *connection, InstrumentLink &link, Clock &clock, QObject *parent)
    : QObject(parent),
      m_unit(unit),
      m_connection(connection),
      m_link(link),
      m_clock(clock),
      m_timer(clock, this),
      m_retryTimer(clock, this)
{
    qRegisterMetaType<RunEngine::RunState>();
    qRegisterMetaType<RunEngine::EndReason>();
    qRegisterMetaType<RunEngine::Fault>();
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &ClockTimer::timeout, this, &RunEngine::Timer1_Timer);
    m_retryTimer.setInterval(kRetryMs);
    connect(&m_retryTimer, &ClockTimer::timeout, this, &RunEngine::flushPending);
    // The command lengthens the tick before its first byte and adds its own
    // ten seconds to the test time when it is done.
    connect(&m_link, &InstrumentLink::stepCommandStarted, this, [this] { m_timer.setInterval(kCommandTickMs); });
    connect(&m_link, &InstrumentLink::stepCommandFinished, this, &RunEngine::onStepCommandFinished);
    connect(&m_link, &InstrumentLink::errorOccurred, this, &RunEngine::onLinkError);
    m_elapsedText = QStringLiteral("00:00");
}

RunEngine::~RunEngine() = default;

QString RunEngine::elapsedTextFor(qint64 seconds)
{
    // Hours and minutes, then seconds; hours keep counting past a day.
    const qint64 hours = seconds / 3600;
    const qint64 minutes = (seconds / 60) % 60;
    return QStringLiteral("%1:%2:%3")
        .arg(hours, 2, 10, QLatin1Char('0'))
        .arg(minutes, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

bool RunEngine::StartTest(const QString &sequenceName, const TestInfoRow &info, QString *error)
{
    auto refuse = [error](const QString &message) {
        if (error)
            *error = message;
        return false;
    };
    if (m_runState != RunState::Idle)
        return refuse(QStringLiteral("Unit %1 is already running a test.").arg(m_unit));
    RunSequenceLoad load;
    try {
        load = loadRunSequence(m_connection, sequenceName);
        m_results = std::make_unique<clsTEST_RESULT>();
        m_results->ConnectX(m_connection);
    } catch (const StoreError &e) {
        return refuse(QStringLiteral("The test sequence could not be read: %1").arg(e.description()));
    }
    if (!load.found)
        return refuse(QStringLiteral("The test sequence \"%1\" is not stored.").arg(sequenceName));
    const QString problem = load.sequence.problem();
    if (!problem.isEmpty())
        return refuse(problem);
    if (info.testId <= 0)
        return refuse(QStringLiteral("The test has not been stored yet."));

    m_sequence = load.sequence;
    m_info = info;
    m_k = rheology::RampGeometry(info.bobRadius).shearRatePerRpm;
    m_live.reset(info);

    m_v = 0;
    resetAverage();
    m_step = 1;
    m_rampStep = 0;
    m_c = 0;
    m_r = 0;
    m_elapsed = 0;
    m_stepStart = 0;
    m_mode = Mode::NormalStep;
    m_w = 0;
    m_silent = false;
    m_ticksWithoutPort = 0;
    m_storedCount = 0;

    m_runState = RunState::Running;
    m_timer.setInterval(kTickMs);
    m_timer.start();

    const QDateTime now = QDateTime::currentDateTime();
    m_startText = now.toString(QStringLiteral("HH:mm"));
    m_endText = now.addSecs(m_sequence.plannedSeconds()).toString(QStringLiteral("HH:mm"));
    m_elapsedText = QStringLiteral("00:00");
    m_link.flushInput();
    setStatus(QStringLiteral("Running Test"));
    emit runStateChanged(m_runState);
    emit progressChanged();
    return true;
}

void RunEngine::ShutDown()
{
    finish(EndReason::Stopped);
}

void RunEngine::finish(EndReason reason)
{
    const bool wasRunning = m_runState != RunState::Idle;
    m_link.SendStop();
    m_stepStart = 0;
    m_timer.stop();
    m_runState = RunState::Idle;
    setStatus(QStringLiteral("InActive"));
    if (!m_pending.empty())
        m_retryTimer.start();
    if (wasRunning) {
        emit runStateChanged(m_runState);
        emit testEnded(reason);
    }
}

void RunEngine::setStatus(const QString &status)
{
    if (status == m_status)
        return;
    m_status = status;
    emit statusChanged(status);
}

void RunEngine::resetAverage()
{
    m_n = 0;
    m_sums = InstrumentReading{};
}

void RunEngine::sendStep(double shearRate)
{
    const RunStep &s = m_sequence.steps.at(m_step - 1);
    m_link.SendStepCommand(m_link.rotorBob().factor * shearRate, s.setPointF);
}

void RunEngine::onStepCommandFinished(bool completed)
{
    Q_UNUSED(completed);
    if (m_runState == RunState::Idle)
        return;
    m_elapsed += 10;
    emit progressChanged();
}

void RunEngine::onLinkError()
{
    if (m_runState == RunState::Idle)
        return;
    if (!m_link.isOpen())
        raise(Fault::Port, QStringLiteral("Unit %1: %2. Trying to reopen the port; the test goes on when the "
                                          "instrument answers again.")
                               .arg(m_unit)
                               .arg(m_link.lastErrorString()));
}

void RunEngine::raise(Fault fault, const QString &message)
{
    bool &active = m_faults[int(fault)];
    if (active)
        return;
    active = true;
    emit faultRaised(fault, message);
}

void RunEngine::clear(Fault fault)
{
    bool &active = m_faults[int(fault)];
    if (!active)
        return;
    active = false;
    emit faultCleared(fault);
}

void RunEngine::Timer1_Timer()
{
    // The step command owns the line until its last pause.
    if (m_link.isCommandRunning())
        return;

    // Poll: the resend rule needs to know whether a frame end is waiting
    // before any frame is taken.
    m_link.readInput();
    const bool frameEndSeen = m_link.hasFrameEnd();
    if ((m_c == 1 || m_r == 1) && !frameEndSeen) {
        if (m_mode == Mode::NormalStep)
            m_c = 0;
        else
            m_r = 0;
    }
    const LinkPollResult decoded = m_link.decodeFrames();
    if (decoded.accepted + decoded.rejected > 0)
        m_silent = false;
    if (m_link.watchdogTick())
        m_silent = true;

    if (!m_pending.empty())
        flushPending();

    if (m_runState != RunState::Running && m_runState != RunState::Ramped)
        return;

    // A vanished port: keep the test time, take no readings, try to reopen.
    // Once open, the current step's command goes out again (resend rule).
    if (!m_link.isOpen()) {
        if (++m_ticksWithoutPort % kReopenEveryTicks == 0 && m_link.reopen()) {
            clear(Fault::Port);
            m_ticksWithoutPort = 0;
            if (m_mode == Mode::NormalStep)
                m_c = 0;
            else
                m_r = 0;
        }
        setStatus(QStringLiteral("No Response"));
        advanceElapsed();
        return;
    }
    m_ticksWithoutPort = 0;

    if (m_mode == Mode::NormalStep) {
        setStatus(m_silent ? QStringLiteral("No Response") : QStringLiteral("Running Test"));
        ++m_c;
        const RunStep &s = m_sequence.steps.at(m_step - 1);
        if (m_c == 1) {
            sendStep(s.shearRate);
            emit progressChanged();
            return;
        }
        m_timer.setInterval(kTickMs);
        const int period = m_sequence.recordPeriod(m_step - 1);
        const int m = m_c % period;
        const int slack = s.recordRate == 0 ? 5 : 2;
        if (m % m_sequence.rampSampleRate == 0 && m != 0 && m_c > 2
            && m_sequence.rampSampleRate * m_sequence.samplePointsAverage + slack >= m)
            takeReading();
        if (m_n == m_sequence.samplePointsAverage) {
            storeAverage();
            StoreSample();
            resetAverage();
            const InstrumentReading &avg = m_link.latestReading();
            ++m_w;
            m_v += 100 * avg.shearStress / ((avg.shearRate + 0.0001) * m_k);
            if (m_w * m_sequence.sampleInterval / 60 >= m_sequence.shutDownMinutes) {
                if (m_v / m_w < m_sequence.shutDownViscosity) {
                    QString logError;
                    if (!LogError(QStringLiteral(" Shut down due to viscosity average below preset shut down "
                                                 "viscosity. Instrument No. %1").arg(m_unit), &logError))
                        raise(Fault::ErrorLog, logError);
                    finish(EndReason::AutoShutDown);
                    return;
                }
                m_w = 0;
                m_v = 0;
            }
        }
        const double temperature = m_link.latestReading().sampleTemperature;
        if (std::abs(s.setPointF - temperature) <= s.tolerance && s.elapseMinutes * 60 < m_elapsed - m_stepStart) {
            m_link.flushInput();
            if (s.runRamp == 1) {
                m_mode = Mode::ShearRamp;
                m_rampStep = 1;
                m_r = 0;
                resetAverage();
                m_stepStart = m_elapsed;
            } else {
                m_rampStep = 0;
                ++m_step;
                m_c = 0;
                m_r = 0;
                resetAverage();
                m_stepStart = m_elapsed;
                m_mode = Mode::NormalStep;
                if (m_step > m_sequence.steps.size()) {
                    finish(EndReason::Completed);
                    return;
                }
            }
        }
    } else {
        setStatus(m_silent ? QStringLiteral("No Response") : QStringLiteral("Ramping"));
        if (m_runState != RunState::Ramped) {
            m_runState = RunState::Ramped;
            emit runStateChanged(m_runState);
        }
        ++m_c;
        ++m_r;
        if (m_r == 1)
            sendStep(m_sequence.rampRates.at(m_rampStep - 1));
        else
            m_timer.setInterval(kTickMs);
        if (m_r > m_sequence.timeBeforeRead
            && qint64(std::nearbyint(m_r - m_sequence.timeBeforeRead)) % m_sequence.rampSampleRate == 0)
            takeReading();
        if (m_n == m_sequence.samplePointsAverage) {
            storeAverage();
            StoreSample();
            resetAverage();
            ++m_rampStep;
            m_r = 0;
            m_link.flushInput();
            if (m_rampStep > m_sequence.rampRates.size()) {
                m_rampStep = 0;
                ++m_step;
                m_c = 0;
                m_r = 0;
                m_mode = Mode::NormalStep;
                if (m_step > m_sequence.steps.size()) {
                    finish(EndReason::Completed);
                    return;
                }
            }
        }
    }
    advanceElapsed();
}

void RunEngine::advanceElapsed()
{
    ++m_elapsed;
    m_elapsedText = elapsedTextFor(m_elapsed);
    emit progressChanged();
}

void RunEngine::takeReading()
{
    const InstrumentReading &latest = m_link.latestReading();
    m_sums.pH += latest.pH;
    m_sums.sampleTemperature += latest.sampleTemperature;
    m_sums.shearRate += latest.shearRate;
    m_sums.pressure += latest.pressure;
    m_sums.shearStress += latest.shearStress;
    ++m_n;
}

void RunEngine::storeAverage()
{
    // The averages stand as the latest values until the next frame.
    InstrumentReading avg = m_link.latestReading();
    avg.pH = m_sums.pH / m_n;
    avg.sampleTemperature = m_sums.sampleTemperature / m_n;
    avg.shearRate = m_sums.shearRate / m_n;
    avg.pressure = m_sums.pressure / m_n;
    avg.shearStress = m_sums.shearStress / m_n;
    m_link.setLatestReading(avg);
}

void RunEngine::StoreSample()
{
    const InstrumentReading &avg = m_link.latestReading();
    TestResultRow row;
    row.testId = double(m_info.testId);
    row.rampNo = m_step;
    row.rampStepNo = m_rampStep;
    row.resultTime = double(m_elapsed);
    row.sampleTemp = avg.sampleTemperature;
    row.press = avg.pressure;
    row.shearRate = avg.shearRate;
    row.shearStress = avg.shearStress;
    row.typeId = m_mode == Mode::ShearRamp ? 1 : 0;
    row.pH = avg.pH;
    // Queued first: a sample the database refuses now is stored, in order,
    // as soon as it is back.
    m_pending.push_back(row);
    flushPending();
}

void RunEngine::flushPending()
{
    while (!m_pending.empty()) {
        TestResultRow row = m_pending.front();
        try {
            m_results->setRow(row);
            row.testResultId = m_results->AddNew();
        } catch (const StoreError &e) {
            raise(Fault::Database, QStringLiteral("Unit %1: a sample could not be stored (%2). %3 sample(s) are kept "
                                                  "and will be stored when the database is back.")
                                       .arg(m_unit)
                                       .arg(e.description())
                                       .arg(m_pending.size()));
            if (e.code() == StoreError::Code::Connection || e.code() == StoreError::Code::NotOpen)
                m_connection->Reconnect();
            if (m_runState == RunState::Idle && !m_retryTimer.isActive())
                m_retryTimer.start();
            return;
        }
        m_pending.pop_front();
        ++m_storedCount;
        const rheology::RampUpdate update = m_live.append(row);
        emit sampleStored(row);
        emit resultsChanged(update);
    }
    m_retryTimer.stop();
    clear(Fault::Database);
}
