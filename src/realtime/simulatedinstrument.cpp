#include "simulatedinstrument.h"

#include "frameprotocol.h"
#include "rotorbob.h"

#include <algorithm>
#include <cmath>

double FluidModel::shearStress(double shearRate, double temperature, double ageSeconds) const
{
    double k = consistency * std::exp(-thinningPerDegree * (temperature - referenceTemperature));
    if (breakHalfLifeMinutes > 0)
        k *= std::exp2(-ageSeconds / 60.0 / breakHalfLifeMinutes);
    return k * std::pow(std::fabs(shearRate), flowIndex);
}

bool applySimulatorFault(const QString &faultText, SimulatorFaults &faults, QString *error)
{
    const QString name = faultText.section(u'=', 0, 0).trimmed().toLower();
    const bool hasValue = faultText.contains(u'=');
    int value = 0;
    if (hasValue) {
        bool ok = false;
        value = faultText.section(u'=', 1).trimmed().toInt(&ok);
        if (!ok || value < 1) {
            if (error)
                *error = QStringLiteral("%1: expected a whole number of at least 1 after '='").arg(faultText);
            return false;
        }
    }
    const auto valueOr = [&](int fallback) { return hasValue ? value : fallback; };
    if (name == u"silence" && !hasValue)
        faults.silent = true;
    else if (name == u"malformed")
        faults.malformedEvery = valueOr(5);
    else if (name == u"garbage")
        faults.garbageEvery = valueOr(4);
    else if (name == u"split" && !hasValue)
        faults.splitFrames = true;
    else if (name == u"slow-start")
        faults.slowStartSeconds = valueOr(12);
    else if (name == u"disconnect")
        faults.disconnectAfterSeconds = valueOr(30);
    else {
        if (error)
            *error = QStringLiteral("unknown fault '%1'").arg(faultText);
        return false;
    }
    return true;
}

QString simulatorFaultHelp()
{
    return QStringLiteral(
        "silence          never answers ENQ\n"
        "malformed[=N]    every N-th frame loses a comma (default 5)\n"
        "garbage[=N]      random bytes before every N-th frame (default 4)\n"
        "split            each frame is written in two or three pieces\n"
        "slow-start[=S]   first frame S seconds after ENQ (default 12)\n"
        "disconnect[=S]   hangs up after streaming S seconds (default 30)");
}

SimulatedInstrument::SimulatedInstrument(Clock &clock, ByteTransport &port, const SimulatorConfig &config,
                                         QObject *parent)
    : QObject(parent),
      m_clock(clock),
      m_port(port),
      m_config(config),
      m_random(config.seed),
      m_setPoint(config.ambientTemperature),
      m_combination(config.combination),
      m_temperature(config.ambientTemperature),
      m_physicsAtMs(clock.nowMs())
{
    connect(&m_port, &ByteTransport::readyRead, this, &SimulatedInstrument::onBytes);
    connect(&m_port, &ByteTransport::errorOccurred, this, [this] {
        if (!m_port.isOpen())
            stopStreaming();
    });
}

SimulatedInstrument::~SimulatedInstrument()
{
    stopStreaming();
}

double SimulatedInstrument::sampleTemperature() const
{
    const double seconds = double(m_clock.nowMs() - m_physicsAtMs) / 1000.0;
    if (m_config.heatingTimeConstant <= 0)
        return m_setPoint;
    return m_setPoint + (m_temperature - m_setPoint) * std::exp(-seconds / m_config.heatingTimeConstant);
}

double SimulatedInstrument::sampleAgeSeconds() const
{
    return m_sampleStartMs < 0 ? 0.0 : double(m_clock.nowMs() - m_sampleStartMs) / 1000.0;
}

void SimulatedInstrument::advancePhysics()
{
    m_temperature = sampleTemperature();
    m_physicsAtMs = m_clock.nowMs();
}

double SimulatedInstrument::gaussian()
{
    // Box-Muller; 1 - u keeps the logarithm finite.
    const double u = 1.0 - m_random.generateDouble();
    const double v = m_random.generateDouble();
    return std::sqrt(-2.0 * std::log(u)) * std::cos(2.0 * M_PI * v);
}

void SimulatedInstrument::onBytes()
{
    const QByteArray bytes = m_port.readAll();
    for (const auto &event : m_parser.feed(std::string_view(bytes.constData(), std::size_t(bytes.size()))))
        handle(event);
}

void SimulatedInstrument::handle(const InstrumentCommandParser::Event &event)
{
    using Kind = InstrumentCommandParser::Event::Kind;
    switch (event.kind) {
    case Kind::Stop:
        advancePhysics();
        if (m_speed != 0 || m_stoppedAtMs < 0)
            m_stoppedAtMs = m_clock.nowMs();
        m_speed = 0;
        stopStreaming();
        emit stopReceived();
        break;
    case Kind::StepCommand: {
        advancePhysics();
        const qint64 now = m_clock.nowMs();
        if (m_sampleStartMs < 0 || (m_stoppedAtMs >= 0 && now - m_stoppedAtMs >= kNewSampleAfterIdleMs))
            m_sampleStartMs = now;
        m_stoppedAtMs = -1;
        m_setPoint = double(event.command.setPoint);
        m_speed = double(event.command.speedHundredths) / 100.0;
        m_combination = int(event.command.combination);
        ++m_commandsReceived;
        emit commandReceived(m_setPoint, m_speed, m_combination);
        break;
    }
    case Kind::BadCommand:
        emit badCommandReceived(QByteArray::fromStdString(event.text));
        break;
    case Kind::Enquiry:
        emit enquiryReceived();
        if (!m_config.faults.silent && !m_streaming)
            startStreaming();
        break;
    }
}

void SimulatedInstrument::startStreaming()
{
    m_streaming = true;
    m_streamStartMs = m_clock.nowMs();
    const int firstMs = m_config.faults.slowStartSeconds > 0 ? m_config.faults.slowStartSeconds * 1000 : 1000;
    m_tasks.append(m_clock.schedule(firstMs, [this] { sendFrame(); }));
}

void SimulatedInstrument::stopStreaming()
{
    m_streaming = false;
    for (const Clock::TaskId id : std::as_const(m_tasks))
        m_clock.cancel(id);
    m_tasks.clear();
}

QByteArray SimulatedInstrument::currentFrame()
{
    advancePhysics();
    const double factor = RotorBobPair::factorFor(m_combination).value_or(RotorBobPair::kBaseFactor);
    double stress = m_config.fluid.shearStress(m_speed / factor, m_temperature, sampleAgeSeconds());
    stress *= 1.0 + m_config.stressNoise * gaussian();
    const double hours = sampleAgeSeconds() / 3600.0;
    const double pH = m_config.initialPH + m_config.pHDriftPerHour * hours + m_config.pHNoise * gaussian();
    const auto whole = [](double value) { return qlonglong(std::llround(std::fmax(0.0, value))); };
    const int counter = m_framesSent % 59998 + 1;
    return QByteArray::number(qMax(1, m_config.instrumentNumber)) + ',' + QByteArray::number(counter) + ','
           + QByteArray::number(whole(m_temperature)) + ',' + QByteArray::number(whole(stress)) + ','
           + QByteArray::number(whole(m_setPoint)) + ',' + QByteArray::number(whole(m_speed * 100.0)) + ','
           + QByteArray::number(m_combination) + ',' + QByteArray::number(whole(pH * 10.0)) + kx720::kSub;
}

void SimulatedInstrument::sendFrame()
{
    m_tasks.clear();   // every earlier task has run by now
    if (!m_streaming)
        return;
    const SimulatorFaults &faults = m_config.faults;
    if (faults.disconnectAfterSeconds > 0
        && m_clock.nowMs() - m_streamStartMs >= qint64(faults.disconnectAfterSeconds) * 1000) {
        hangUp();
        return;
    }
    QByteArray frame = currentFrame();
    ++m_framesSent;
    if (faults.malformedEvery > 0 && m_framesSent % faults.malformedEvery == 0)
        frame.remove(frame.lastIndexOf(','), 1);
    if (faults.garbageEvery > 0 && m_framesSent % faults.garbageEvery == 0) {
        QByteArray noise;
        const int length = int(m_random.bounded(1, 9));
        while (noise.size() < length) {
            const char c = char(m_random.bounded(256));
            if (c != kx720::kSub)
                noise.append(c);
        }
        frame.prepend(noise);
    }
    writeFrame(frame);
    m_tasks.append(m_clock.schedule(1000, [this] { sendFrame(); }));
}

void SimulatedInstrument::writeFrame(const QByteArray &frame)
{
    if (!m_config.faults.splitFrames || frame.size() < 3) {
        m_port.write(frame);
        emit frameSent(frame);
        return;
    }
    // Two or three pieces, 150 ms apart, cut at random places.
    const int pieces = int(m_random.bounded(2, 4));
    QList<int> cuts;
    for (int i = 1; i < pieces; ++i)
        cuts.append(int(m_random.bounded(1, int(frame.size()))));
    std::sort(cuts.begin(), cuts.end());
    cuts.append(int(frame.size()));
    int from = 0;
    int delay = 0;
    for (const int cut : std::as_const(cuts)) {
        const QByteArray piece = frame.mid(from, cut - from);
        from = cut;
        if (piece.isEmpty())
            continue;
        if (delay == 0) {
            m_port.write(piece);
        } else {
            m_tasks.append(m_clock.schedule(delay, [this, piece] {
                if (m_streaming)
                    m_port.write(piece);
            }));
        }
        delay += 150;
    }
    emit frameSent(frame);
}

void SimulatedInstrument::hangUp()
{
    stopStreaming();
    m_port.close();
    emit disconnected();
}
