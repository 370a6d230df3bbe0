#pragma once
#include "realtime/clock.h"
#include "realtime/instrumentlink.h"
#include "realtime/memorytransport.h"
#include "realtime/runengine.h"
#include "realtime/simulatedinstrument.h"
#include "sequences/examplesequences.h"
#include "store/records.h"
#include "support/testdatabase.h"
#include <QVector>
#include <memory>

// A stored sequence for tests: the engine tests' usual sampling.
struct TestSequence : SequenceDefinition
{
    TestSequence()
    {
        name = QStringLiteral("Seq");
        rampSampleRate = 5;
        samplePointsAverage = 3;
    }
};

void storeSequence(clsConnection *connection, const TestSequence &sequence);
// Stores a test row (bob B1 geometry) and returns it with its key.
TestInfoRow storeTest(clsConnection *connection, const QString &name);

// One unit wired to the in-process simulated instrument under a virtual
// clock: a multi-hour test runs in well under a second.
struct SimulatedUnit
{
    explicit SimulatedUnit(clsConnection *connection, int unit = 1, const SimulatorConfig &config = {});

    VirtualClock clock;
    std::unique_ptr<MemoryTransport> device;
    std::unique_ptr<SimulatedInstrument> instrument;
    std::unique_ptr<InstrumentLink> link;
    std::unique_ptr<RunEngine> engine;

    // Advances virtual time until the test ends or maxSeconds pass.
    void runUntilIdle(qint64 maxSeconds);
};
