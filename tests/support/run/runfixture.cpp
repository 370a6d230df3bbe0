#include "runfixture.h"
#include "store/clsSEQUENCE_INFO.h"
#include "store/clsSEQUENCE_RAMP.h"
#include "store/clsSEQUENCE_RAMP_DEFINE.h"
#include "store/clsTEST_INFO.h"

void storeSequence(clsConnection *connection, const SequenceSpec &spec)
{
    clsSEQUENCE_INFO info;
    info.ConnectX(connection);
    info.SEQUENCE_NAME = spec.name;
    info.TIME_BEFORE_READ = spec.timeBeforeRead;
    info.RAMP_SAMPLE_RATE = spec.rampSampleRate;
    info.SAMPLE_POINTS_AVERAGE = spec.samplePointsAverage;
    info.SHUT_DOWN_ATIME = spec.shutDownMinutes;
    info.SHUT_DOWN_VISC = spec.shutDownViscosity;
    info.setSAMPLE_INTERVAL(spec.sampleInterval);
    info.AddNew();
    clsSEQUENCE_RAMP steps;
    steps.ConnectX(connection);
    int no = 0;
    for (const auto &s : spec.steps) {
        steps.SequenceId = info.SEQUENCE_ID;
        steps.RAMPNO = ++no;
        steps.RAMP_ELAPSE_TIME = s.minutes;
        steps.RAMP_TEMP = s.setPoint;
        steps.RAMP_START_ERROR = s.tolerance;
        steps.SHEAR_RATE = s.shearRate;
        steps.RUN_RAMP = s.runRamp;
        steps.RECORD_RATE = s.recordRate;
        steps.AddNew();
    }
    clsSEQUENCE_RAMP_DEFINE ramp;
    ramp.ConnectX(connection);
    no = 0;
    for (double rate : spec.rampRates) {
        ramp.SequenceId = info.SEQUENCE_ID;
        ramp.RAMP_STEP_NO = ++no;
        ramp.RAMP_SHEAR_RATE = rate;
        ramp.AddNew();
    }
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
