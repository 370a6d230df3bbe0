#pragma once
// A console whose units all sit on in-process simulated instruments under a
// virtual clock: hours of a run pass in a fraction of a second.
#include "consoledriver.h"
#include "realtime/memorytransport.h"
#include "realtime/simulatedinstrument.h"
#include "support/run/runfixture.h"
#include <QTemporaryDir>
#include <functional>
#include <map>

// A quiet instrument whose sample already sits at 200 °F.
inline SimulatorConfig steadyInstrument(int unit)
{
    SimulatorConfig config;
    config.instrumentNumber = unit;
    config.ambientTemperature = 200;
    config.heatingTimeConstant = 1;
    config.pHNoise = 0;
    config.stressNoise = 0;
    return config;
}

struct Bench
{
    using ConfigFor = std::function<SimulatorConfig(int unit)>;

    explicit Bench(const TestSequence &sequence, ConfigFor configFor = steadyInstrument,
                   const QList<int> &ports = {1, 2, 3, 4, 5, 6, 7, 8})
        : m_configFor(std::move(configFor))
    {
        storeSequence(db.connection(), sequence);
        console::writeFile(dir.filePath(QStringLiteral("initial.txt")), console::initialTxt(ports));
        ConsoleOptions options;
        options.settingsDir = dir.path();
        options.clock = &clock;
        options.transportFor = [this](int unit, const QString &) -> std::unique_ptr<ByteTransport> {
            auto pair = MemoryTransport::createPair(QStringLiteral("sim%1").arg(unit));
            instruments[unit] = std::make_unique<SimulatedInstrument>(clock, *pair.device, m_configFor(unit));
            devices[unit] = std::move(pair.device);
            return std::move(pair.host);
        };
        console = std::make_unique<frmMDIRealTime>(db.connection(), options);
        console->show();
    }

    frmRealTime *add(int unit)
    {
        console::addEntry(console.get(), unit)->trigger();
        return console->unitWindow(unit);
    }

    // Advances virtual time a second at a time until done() or the limit.
    template <typename Done> bool runUntil(Done done, int maxSeconds)
    {
        for (int s = 0; s < maxSeconds && !done(); ++s)
            clock.advance(1000);
        return done();
    }

    ConfigFor m_configFor;
    TestDatabase db;
    QTemporaryDir dir;
    VirtualClock clock;
    std::map<int, std::unique_ptr<MemoryTransport>> devices;
    std::map<int, std::unique_ptr<SimulatedInstrument>> instruments;
    std::unique_ptr<frmMDIRealTime> console;   // last: goes first
};
