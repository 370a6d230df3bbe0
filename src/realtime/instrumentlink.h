#pragma once
#include "bytetransport.h"
#include "clock.h"
#include "frameassembler.h"
#include "instrumentreading.h"
#include "linkerror.h"
#include "rotorbob.h"
#include "stepcommand.h"

#include <QObject>

#include <memory>
#include <vector>

class PortMap;
struct StationSettings;

// What one poll of the receive buffer found.
struct LinkPollResult
{
    bool frameEndSeen = false;   // a SUB was waiting before any frame was taken
    int accepted = 0;            // frames that updated the latest reading
    int rejected = 0;            // malformed, out-of-range or overlong, dropped
    bool noResponse = false;     // the watchdog found no frame since its last check
};

// The link to one unit's instrument: its port, receive buffer, latest
// reading, rotor/bob pair and watchdog, and the timed step command.
// Nothing here is shared between units.
class InstrumentLink : public QObject
{
    Q_OBJECT
public:
    // The clock runs the step command's pauses; it must outlive the link.
    explicit InstrumentLink(Clock &clock, QObject *parent = nullptr);
    ~InstrumentLink() override;

    // --- Port -------------------------------------------------------------
    // Unit 1..8: its port number from the station settings, its device
    // from the port map. Port 0 gives NotConfigured.
    bool OpenPort(int unit, const StationSettings &settings, const PortMap &ports);
    bool OpenDevice(const QString &device);      // any serial device or pty
    // Takes over a transport (e.g. the host end of a MemoryTransport pair)
    // and opens it.
    bool attachTransport(std::unique_ptr<ByteTransport> transport);
    bool reopen();                               // the same device again, e.g. after PortVanished
    void ClosePort();                            // also cancels a running step command
    bool isOpen() const;
    QString deviceName() const;
    ByteTransport *transport() const { return m_transport.get(); }
    LinkError lastError() const { return m_lastError; }
    QString lastErrorString() const { return m_lastErrorString; }

    // --- Reading ------------------------------------------------------------
    // One tick: readInput(), note whether a SUB is waiting, decodeFrames(),
    // watchdogTick(). The resend decision can be made from frameEndSeen
    // afterwards: decoding does not depend on it.
    LinkPollResult PollReadings();
    void readInput();                 // appends what has arrived to the buffer
    bool hasFrameEnd() const;         // is a SUB in the buffer?
    LinkPollResult decodeFrames();    // takes every complete frame, in order
    bool watchdogTick();              // true on a fifth tick with no frame since the last check
    void flushInput();                // reads everything and empties the buffer

    const InstrumentReading &latestReading() const { return m_latest; }
    // The run engine writes its averages back here after storing a sample.
    void setLatestReading(const InstrumentReading &reading) { m_latest = reading; }
    qint64 tickCount() const { return m_tickCount; }
    std::size_t bufferedBytes() const { return m_frames.size(); }

    // --- Rotor/bob pair of this unit ------------------------------------------
    RotorBobPair rotorBob() const { return m_rotorBob; }
    void setRotorBob(const RotorBobPair &pair) { m_rotorBob = pair; }
    int RotorBobCombination() const { return m_rotorBob.combination; }
    double RotorBobFactor() const { return m_rotorBob.factor; }

    // --- Commands -------------------------------------------------------------
    // Starts the timed step command with this unit's combination number.
    // Emits stepCommandStarted() before the first byte goes out (the run
    // engine lengthens its tick then) and stepCommandFinished() after the
    // last pause. A new command replaces one still running. Returns false
    // (and reports NotOpen) when the port is not open.
    bool SendStepCommand(double speedRpm, double setPointF);
    // Writes the stop byte. A step command still running is abandoned, so
    // its remaining writes cannot start the rotor again.
    bool SendStop();
    bool isCommandRunning() const { return m_commandIndex >= 0; }

signals:
    void readingReceived(const InstrumentReading &reading);   // every accepted frame
    void stepCommandStarted();
    // completed is false when a port error cut the command short. Not
    // emitted for a command replaced, stopped or closed by the caller.
    void stepCommandFinished(bool completed);
    void errorOccurred(LinkError error, const QString &message);

private:
    void setTransport(std::unique_ptr<ByteTransport> transport);
    void report(LinkError error, const QString &message);
    void onTransportError(LinkError error, const QString &message);
    void runCommandItem();
    void cancelCommand();
    void abortCommand();

    Clock &m_clock;
    std::unique_ptr<ByteTransport> m_transport;
    FrameAssembler m_frames;
    InstrumentReading m_latest;
    RotorBobPair m_rotorBob;
    bool m_responseFlag = false;   // set by the watchdog, cleared by every frame taken
    qint64 m_tickCount = 0;
    LinkError m_lastError = LinkError::NoError;
    QString m_lastErrorString;

    std::vector<kx720::CommandItem> m_commandItems;
    int m_commandIndex = -1;          // item running now, -1 when idle
    Clock::TaskId m_commandTask = 0;  // the pause in progress
    quint64 m_commandGeneration = 0;  // changes whenever a command starts or ends early
};
