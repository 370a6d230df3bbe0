// Soak: eight units with the simulated instrument run a 24-hour sequence in
// virtual time against one SQLite database. Reports wall time, peak memory
// and samples stored, and checks that every sample the engines stored is in
// the database exactly once.
#include "realtime/clock.h"
#include "realtime/instrumentlink.h"
#include "realtime/memorytransport.h"
#include "realtime/runengine.h"
#include "realtime/simulatedinstrument.h"
#include "store/clsConnection.h"
#include "store/clsSEQUENCE_INFO.h"
#include "store/clsSEQUENCE_RAMP.h"
#include "store/clsSEQUENCE_RAMP_DEFINE.h"
#include "store/clsTEST_INFO.h"
#include "store/clsTEST_RESULT.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>
#include <memory>

static long peakRssKiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const double hours = argc > 1 ? atof(argv[1]) : 24.0;
    QTemporaryDir dir;
    const bool inMemory = qEnvironmentVariableIsSet("SOAK_IN_MEMORY");
    clsConnection connection(DatabaseConfig::sqlite(inMemory ? QStringLiteral(":memory:") : dir.filePath(QStringLiteral("KX720pH.db"))));
    if (!connection.OpenDB()) {
        out << connection.LastError() << "\n";
        return 1;
    }
    // 24 one-hour steps at 200 °F, a sample a minute, a 5-rate ramp every 4 hours.
    clsSEQUENCE_INFO info;
    info.ConnectX(&connection);
    info.SEQUENCE_NAME = QStringLiteral("Soak");
    info.RAMP_SAMPLE_RATE = 5;
    info.SAMPLE_POINTS_AVERAGE = 3;
    info.TIME_BEFORE_READ = 20;
    info.setSAMPLE_INTERVAL(60);
    info.AddNew();
    clsSEQUENCE_RAMP steps;
    steps.ConnectX(&connection);
    const int stepCount = int(hours);
    for (int i = 1; i <= stepCount; ++i) {
        steps.SequenceId = info.SEQUENCE_ID;
        steps.RAMPNO = i;
        steps.RAMP_ELAPSE_TIME = 60;
        steps.RAMP_TEMP = 200;
        steps.RAMP_START_ERROR = 5;
        steps.SHEAR_RATE = 100;
        steps.RUN_RAMP = i % 4 == 0 ? 1 : 0;
        steps.RECORD_RATE = 60;
        steps.AddNew();
    }
    clsSEQUENCE_RAMP_DEFINE ramp;
    ramp.ConnectX(&connection);
    int no = 0;
    for (double rate : {511.0, 340.0, 170.0, 100.0, 40.0}) {
        ramp.SequenceId = info.SEQUENCE_ID;
        ramp.RAMP_STEP_NO = ++no;
        ramp.RAMP_SHEAR_RATE = rate;
        ramp.AddNew();
    }

    VirtualClock clock;
    struct Unit
    {
        std::unique_ptr<MemoryTransport> device;
        std::unique_ptr<SimulatedInstrument> instrument;
        std::unique_ptr<InstrumentLink> link;
        std::unique_ptr<RunEngine> engine;
        TestInfoRow test;
    };
    std::vector<Unit> units(8);
    clsTEST_INFO tests;
    tests.ConnectX(&connection);
    for (int u = 0; u < 8; ++u) {
        Unit &unit = units[std::size_t(u)];
        auto pair = MemoryTransport::createPair();
        unit.device = std::move(pair.device);
        SimulatorConfig config;
        config.instrumentNumber = u + 1;
        config.seed = quint32(u + 1);
        config.heatingTimeConstant = 300;
        unit.instrument = std::make_unique<SimulatedInstrument>(clock, *unit.device, config);
        unit.link = std::make_unique<InstrumentLink>(clock);
        unit.link->attachTransport(std::move(pair.host));
        unit.engine = std::make_unique<RunEngine>(u + 1, &connection, *unit.link, clock);
        tests.SetDefaults();
        tests.TEST_NAME = QStringLiteral("Soak unit %1").arg(u + 1);
        tests.BOB_RADIUS = 1.7245;
        tests.AddNew();
        unit.test = tests.row();
        QString error;
        if (!unit.engine->StartTest(QStringLiteral("Soak"), unit.test, &error)) {
            out << error << "\n";
            return 1;
        }
        clock.advance(137);    // units start a little apart, as in a lab
    }

    QElapsedTimer wall;
    wall.start();
    auto running = [&units] {
        for (const Unit &u : units)
            if (u.engine->isRunning())
                return true;
        return false;
    };
    while (running() && clock.nowMs() < qint64((hours + 6) * 3600 * 1000))
        clock.advance(60 * 1000);
    const double seconds = wall.nsecsElapsed() / 1e9;

    long engineTotal = 0, dbTotal = 0;
    bool ok = true;
    for (const Unit &u : units) {
        const auto rows = clsTEST_RESULT::readSamples(&connection, double(u.test.testId));
        QSet<double> times;
        for (const TestResultRow &r : rows)
            times.insert(r.resultTime);
        const bool unique = times.size() == int(rows.size());
        const bool complete = int(rows.size()) == u.engine->storedSamples() && u.engine->unsavedSamples() == 0;
        ok = ok && unique && complete && !u.engine->isRunning();
        engineTotal += u.engine->storedSamples();
        dbTotal += long(rows.size());
    }
    out << QStringLiteral("soak: 8 units x %1 h sequence in virtual time\n").arg(hours);
    out << QStringLiteral("  wall time      %1 s\n").arg(seconds, 0, 'f', 2);
    out << QStringLiteral("  peak memory    %1 MiB (VmHWM)\n").arg(peakRssKiB() / 1024.0, 0, 'f', 1);
    out << QStringLiteral("  samples stored %1 (engines report %2)\n").arg(dbTotal).arg(engineTotal);
    out << QStringLiteral("  every sample present once, all units finished: %1\n").arg(ok ? "yes" : "NO");
    return ok ? 0 : 1;
}
