#include "runfixture.h"
#include "store/clsTEST_INFO.h"

void storeSequence(clsConnection *connection, const TestSequence &sequence)
{
    storeSequenceDefinition(connection, sequence);
}

TestInfoRow storeTest(clsConnection *connection, const QString &name)
{
    clsTEST_INFO info;
    info.ConnectX(connection);
    info.TEST_NAME = name;
    info.ROTOR_NO = QStringLiteral("R1");
    info.BOB_NO = QStringLiteral("B1");
    info.BOB_RADIUS = 1.7245;
    info.BOB_EFF_LENGTH = 3.8;
    info.AddNew();
    return info.row();
}

SimulatedUnit::SimulatedUnit(clsConnection *connection, int unit, const SimulatorConfig &config)
{
    auto pair = MemoryTransport::createPair(QStringLiteral("unit%1").arg(unit));
    device = std::move(pair.device);
    instrument = std::make_unique<SimulatedInstrument>(clock, *device, config);
    link = std::make_unique<InstrumentLink>(clock);
    link->attachTransport(std::move(pair.host));
    engine = std::make_unique<RunEngine>(unit, connection, *link, clock);
}

void SimulatedUnit::runUntilIdle(qint64 maxSeconds)
{
    const qint64 end = clock.nowMs() + maxSeconds * 1000;
    while (engine->isRunning() && clock.nowMs() < end)
        clock.advance(1000);
}
