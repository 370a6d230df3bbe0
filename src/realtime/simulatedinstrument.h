#pragma once
#include "bytetransport.h"
#include "clock.h"
#include "instrumentcommandparser.h"

#include <QObject>
#include <QRandomGenerator>

// Power-law fluid: stress = K × rate^n, with K falling as the sample warms
// and, for a breaking gel, halving every breakHalfLifeMinutes of test time.
struct FluidModel
{
    double consistency = 20.0;           // K at the reference temperature, dyn·s^n/cm²
    double flowIndex = 0.5;              // n
    double referenceTemperature = 75.0;  // °F
    double thinningPerDegree = 0.01;     // K × exp(-this × (T - reference))
    double breakHalfLifeMinutes = 0.0;   // 0: the gel does not break

    // Stress in dyn/cm² at a shear rate (1/s), temperature (°F) and test age (s).
    double shearStress(double shearRate, double temperature, double ageSeconds) const;
};

struct SimulatorFaults
{
    bool silent = false;              // never answers ENQ
    int malformedEvery = 0;           // every n-th frame loses a comma (0: never)
    int garbageEvery = 0;             // random bytes before every n-th frame (0: never)
    bool splitFrames = false;         // each frame goes out in two or three pieces
    int slowStartSeconds = 0;         // first frame this long after ENQ (0: after 1 s)
    int disconnectAfterSeconds = 0;   // hangs up after streaming this long (0: never)
};

// Applies one fault by name, for command lines: "silence", "malformed[=N]",
// "garbage[=N]", "split", "slow-start[=SECONDS]", "disconnect[=SECONDS]".
// Returns false with *error for an unknown name or a bad number.
bool applySimulatorFault(const QString &faultText, SimulatorFaults &faults, QString *error = nullptr);
QString simulatorFaultHelp();

struct SimulatorConfig
{
    int instrumentNumber = 1;              // frame field 1
    double ambientTemperature = 75.0;      // °F, the sample's start
    double heatingTimeConstant = 120.0;    // s; first-order approach to the set-point
    FluidModel fluid;
    double initialPH = 7.0;
    double pHDriftPerHour = -0.05;
    double pHNoise = 0.02;                 // standard deviation
    double stressNoise = 0.005;            // relative standard deviation
    int combination = 1;                   // until a command says otherwise
    quint32 seed = 1;
    SimulatorFaults faults;
};

// A KX720 instrument on the device side of a transport. It takes step
// commands, streams one reading frame per second after ENQ, stops the rotor
// on the stop byte and heats the sample toward the commanded set-point.
// All timing runs on the given clock, so it works under a virtual clock.
class SimulatedInstrument : public QObject
{
    Q_OBJECT
public:
    // A step command arriving after the rotor stood this long starts a new sample.
    static constexpr qint64 kNewSampleAfterIdleMs = 60000;

    SimulatedInstrument(Clock &clock, ByteTransport &port, const SimulatorConfig &config = {},
                        QObject *parent = nullptr);
    ~SimulatedInstrument() override;

    const SimulatorConfig &config() const { return m_config; }
    void setFaults(const SimulatorFaults &faults) { m_config.faults = faults; }

    double setPoint() const { return m_setPoint; }
    double motorSpeed() const { return m_speed; }
    int combination() const { return m_combination; }
    double sampleTemperature() const;       // now
    double sampleAgeSeconds() const;        // since the sample's first step command
    bool isStreaming() const { return m_streaming; }
    int framesSent() const { return m_framesSent; }
    int commandsReceived() const { return m_commandsReceived; }

    // The reading frame the instrument would send now (no faults applied).
    QByteArray currentFrame();

signals:
    void commandReceived(double setPoint, double speedRpm, int combination);
    void badCommandReceived(const QByteArray &text);
    void stopReceived();
    void enquiryReceived();
    void frameSent(const QByteArray &bytes);
    void disconnected();

private:
    void onBytes();
    void handle(const InstrumentCommandParser::Event &event);
    void startStreaming();
    void stopStreaming();
    void sendFrame();
    void writeFrame(const QByteArray &frame);
    void hangUp();
    void advancePhysics();
    double gaussian();

    Clock &m_clock;
    ByteTransport &m_port;
    SimulatorConfig m_config;
    InstrumentCommandParser m_parser;
    QRandomGenerator m_random;

    double m_setPoint;
    double m_speed = 0;
    int m_combination;
    double m_temperature;
    qint64 m_physicsAtMs;
    qint64 m_sampleStartMs = -1;   // -1: no step command yet
    qint64 m_stoppedAtMs = -1;     // when the rotor last stopped
    bool m_streaming = false;
    qint64 m_streamStartMs = 0;
    int m_framesSent = 0;
    int m_commandsReceived = 0;
    QList<Clock::TaskId> m_tasks;  // the next frame and pieces of a split one
};
