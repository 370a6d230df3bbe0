#include "instrumentlink.h"

#include "serialtransport.h"
#include "sequences/portmap.h"
#include "sequences/stationsettings.h"

InstrumentLink::InstrumentLink(Clock &clock, QObject *parent)
    : QObject(parent), m_clock(clock)
{
}

InstrumentLink::~InstrumentLink()
{
    cancelCommand();
    if (m_transport)
        m_transport->disconnect(this);
}

bool InstrumentLink::OpenPort(int unit, const StationSettings &settings, const PortMap &ports)
{
    if (unit < 1 || unit > int(settings.ports.size())) {
        report(LinkError::NotConfigured, tr("There is no unit %1").arg(unit));
        return false;
    }
    const int port = settings.port(unit);
    if (port <= 0) {
        report(LinkError::NotConfigured, tr("Unit %1 has no serial port").arg(unit));
        return false;
    }
    return OpenDevice(ports.device(port));
}

bool InstrumentLink::OpenDevice(const QString &device)
{
    return attachTransport(std::make_unique<SerialTransport>(device));
}

bool InstrumentLink::attachTransport(std::unique_ptr<ByteTransport> transport)
{
    setTransport(std::move(transport));
    return reopen();
}

void InstrumentLink::setTransport(std::unique_ptr<ByteTransport> transport)
{
    ClosePort();
    if (m_transport)
        m_transport->disconnect(this);
    m_transport = std::move(transport);
    m_frames.clear();
    if (m_transport)
        connect(m_transport.get(), &ByteTransport::errorOccurred, this, &InstrumentLink::onTransportError);
}

bool InstrumentLink::reopen()
{
    if (!m_transport) {
        report(LinkError::NotOpen, tr("No port has been chosen"));
        return false;
    }
    if (m_transport->isOpen())
        return true;
    m_lastError = LinkError::NoError;
    m_lastErrorString.clear();
    return m_transport->open();   // failures arrive through onTransportError
}

void InstrumentLink::ClosePort()
{
    cancelCommand();
    if (m_transport && m_transport->isOpen())
        m_transport->close();
}

bool InstrumentLink::isOpen() const
{
    return m_transport && m_transport->isOpen();
}

QString InstrumentLink::deviceName() const
{
    return m_transport ? m_transport->deviceName() : QString();
}

void InstrumentLink::report(LinkError error, const QString &message)
{
    m_lastError = error;
    m_lastErrorString = message.isEmpty() ? linkErrorText(error) : message;
    emit errorOccurred(error, m_lastErrorString);
}

void InstrumentLink::onTransportError(LinkError error, const QString &message)
{
    const bool lost = !m_transport || !m_transport->isOpen();
    report(error, message);
    if (lost && isCommandRunning())
        abortCommand();
}

// --- Reading -------------------------------------------------------------------

LinkPollResult InstrumentLink::PollReadings()
{
    readInput();
    const bool frameEndSeen = hasFrameEnd();
    LinkPollResult result = decodeFrames();
    result.frameEndSeen = frameEndSeen;
    result.noResponse = watchdogTick();
    return result;
}

void InstrumentLink::readInput()
{
    if (!m_transport)
        return;
    const QByteArray bytes = m_transport->readAll();
    if (!bytes.isEmpty())
        m_frames.append(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

bool InstrumentLink::hasFrameEnd() const
{
    return m_frames.hasFrameEnd();
}

LinkPollResult InstrumentLink::decodeFrames()
{
    LinkPollResult result;
    result.frameEndSeen = m_frames.hasFrameEnd();
    for (;;) {
        const kx720::FrameScan scan = m_frames.next();
        if (scan.verdict == kx720::FrameVerdict::NeedMore)
            break;
        if (scan.verdict == kx720::FrameVerdict::Overlong) {
            ++result.rejected;   // noise without a frame end: the instrument did not answer
            continue;
        }
        m_responseFlag = false;
        if (scan.verdict != kx720::FrameVerdict::Valid) {
            ++result.rejected;   // only this frame is lost; the next one is decoded
            continue;
        }
        m_latest = readingFromFrame(scan.fields, m_rotorBob);
        ++result.accepted;
        emit readingReceived(m_latest);
    }
    return result;
}

bool InstrumentLink::watchdogTick()
{
    ++m_tickCount;
    if (m_tickCount % 5 != 0)
        return false;
    if (!m_responseFlag) {
        m_responseFlag = true;   // armed: the next check fails unless a frame clears it
        return false;
    }
    return true;
}

void InstrumentLink::flushInput()
{
    readInput();
    m_frames.clear();
    if (m_transport)
        m_transport->discardInput();
}

// --- Commands -------------------------------------------------------------------

bool InstrumentLink::SendStepCommand(double speedRpm, double setPointF)
{
    cancelCommand();
    if (!isOpen()) {
        report(LinkError::NotOpen, tr("Cannot send the step command: %1 is not open")
                                       .arg(deviceName().isEmpty() ? tr("the port") : deviceName()));
        return false;
    }
    m_commandItems = kx720::stepCommandItems(speedRpm, setPointF, m_rotorBob.combination);
    m_commandIndex = 0;
    const quint64 generation = ++m_commandGeneration;
    emit stepCommandStarted();
    if (generation == m_commandGeneration)   // a handler may have stopped or replaced it
        runCommandItem();
    return true;
}

void InstrumentLink::runCommandItem()
{
    m_commandTask = 0;
    if (m_commandIndex >= int(m_commandItems.size())) {
        m_commandIndex = -1;
        emit stepCommandFinished(true);
        return;
    }
    const kx720::CommandItem item = m_commandItems[std::size_t(m_commandIndex)];
    // Writing can reach handlers (errors, an in-process instrument) that
    // stop or replace this command; then it must not go on.
    const quint64 generation = m_commandGeneration;
    if (item.action == kx720::CommandItem::Action::DiscardInput) {
        flushInput();
    } else if (!isOpen() || !m_transport->write(QByteArray::fromStdString(item.bytes))) {
        if (generation == m_commandGeneration)
            abortCommand();
        return;
    }
    if (generation != m_commandGeneration)
        return;
    ++m_commandIndex;
    m_commandTask = m_clock.schedule(item.pauseAfterMs, [this] { runCommandItem(); });
}

void InstrumentLink::cancelCommand()
{
    if (m_commandIndex >= 0)
        ++m_commandGeneration;
    if (m_commandTask) {
        m_clock.cancel(m_commandTask);
        m_commandTask = 0;
    }
    m_commandIndex = -1;
}

void InstrumentLink::abortCommand()
{
    cancelCommand();
    emit stepCommandFinished(false);
}

bool InstrumentLink::SendStop()
{
    cancelCommand();
    if (!isOpen()) {
        report(LinkError::NotOpen, tr("Cannot send the stop byte: %1 is not open")
                                       .arg(deviceName().isEmpty() ? tr("the port") : deviceName()));
        return false;
    }
    return m_transport->write(QByteArray(1, kx720::kAck));
}
