// rovudaze-cli run: runs a stored sequence on one unit without windows.
#include "command.h"
#include "realtime/clock.h"
#include "realtime/instrumentlink.h"
#include "realtime/memorytransport.h"
#include "realtime/runengine.h"
#include "realtime/runsequence.h"
#include "realtime/simulatedinstrument.h"
#include "rheology/resultstablemodel.h"
#include "sequences/portmap.h"
#include "sequences/stationsettings.h"
#include "sequences/unitsystem.h"
#include "store/clsConnection.h"
#include "store/storeerror.h"
#include "testinfo/testinfoentry.h"
#include "testinfo/testinfostore.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <memory>

namespace {

std::atomic<bool> g_interrupted{false};
void onSigint(int) { g_interrupted = true; }

const char kUsage[] =
    "run --unit N --sequence NAME --test NAME [--port DEVICE | --simulate]\n"
    "      [--fluid TEXT] [--researcher TEXT] [--rotor R1] [--bob B1] [--ph-before 7.0] [--ph-after 7.0]\n"
    "      [--notes TEXT] [--additive NAME:CONC:UNIT:LOT]... [--max-hours H (simulate only, default 72)]\n"
    "                            run a stored sequence on unit N and store the test";

QString modeText(const RunEngine &e)
{
    return e.mode() == RunEngine::Mode::ShearRamp ? QStringLiteral("ramp %1").arg(e.rampStep()) : QStringLiteral("step");
}

void printSample(const TestResultRow &s)
{
    cli::out() << QStringLiteral("%1  step %2  %3  T %4 F  rate %5 1/s  stress %6 dyn/cm2  pH %7\n")
                      .arg(RunEngine::elapsedTextFor(qint64(s.resultTime)))
                      .arg(int(s.rampNo))
                      .arg(s.typeId == 1 ? QStringLiteral("ramp %1").arg(int(s.rampStepNo)) : QStringLiteral("normal"),
                           -7)
                      .arg(s.sampleTemp, 0, 'f', 1)
                      .arg(s.shearRate, 0, 'f', 1)
                      .arg(s.shearStress, 0, 'f', 1)
                      .arg(s.pH, 0, 'f', 1);
    cli::out().flush();
}

void printResults(const RunEngine &e)
{
    rheology::ResultsTableModel table;
    table.SetResultsGridHeader(UnitSystem::current());
    table.showEvaluation(e.results().evaluation(), UnitSystem::current());
    if (table.rampRowCount() == 0 || !e.results().hasResults()) {
        cli::out() << "No shear ramp could be evaluated.\n";
        return;
    }
    QStringList header;
    for (int c = 0; c < rheology::ResultsTableModel::ColumnCount; ++c)
        header << table.headerLines(c).join(QLatin1Char(' ')).simplified();
    cli::out() << header.join(QStringLiteral(" | ")) << "\n";
    for (int k = 1; k <= table.rampRowCount(); ++k) {
        QStringList cells;
        for (int c = 0; c < rheology::ResultsTableModel::ColumnCount; ++c)
            cells << table.cellText(k, c);
        cli::out() << cells.join(QStringLiteral(" | ")) << "\n";
    }
}

int runRun(const QStringList &arguments)
{
    QCommandLineParser p;
    const QList<QCommandLineOption> options = {
        {"unit", "unit 1..8", "N"}, {"sequence", "sequence name", "NAME"}, {"test", "test name", "NAME"},
        {"port", "serial device", "DEVICE"}, {"simulate", "in-process simulated instrument, virtual time"},
        {"fluid", "fluid id", "TEXT"}, {"researcher", "researcher", "TEXT"}, {"rotor", "rotor number", "TEXT"},
        {"bob", "bob number", "TEXT"}, {"ph-before", "pre-test pH", "PH"}, {"ph-after", "post-test pH", "PH"},
        {"notes", "notes", "TEXT"}, {"additive", "NAME:CONC:UNIT:LOT", "SPEC"}, {"max-hours", "limit", "H"},
    };
    p.addOptions(options);
    if (!p.parse(QStringList{QStringLiteral("run")} + arguments)) {
        cli::err() << "rovudaze-cli run: " << p.errorText() << "\nusage: rovudaze-cli " << kUsage << "\n";
        return 2;
    }
    bool ok = false;
    const int unit = p.value("unit").toInt(&ok);
    if (!ok || unit < 1 || unit > 8) {
        cli::err() << "rovudaze-cli run: --unit must be a number from 1 to 8\n";
        return 2;
    }
    if (p.value("sequence").isEmpty() || !p.isSet("test")) {
        cli::err() << "rovudaze-cli run: --sequence and --test are required\nusage: rovudaze-cli " << kUsage << "\n";
        return 2;
    }
    if (p.isSet("port") && p.isSet("simulate")) {
        cli::err() << "rovudaze-cli run: give either --port or --simulate, not both\n";
        return 2;
    }
    const bool simulate = p.isSet("simulate");
    const double maxHours = p.isSet("max-hours") ? p.value("max-hours").toDouble() : 72.0;

    StationSettings settings;
    const auto settingsRead = StationSettings::read(StationSettings::fileName(), settings);
    UnitSystem::set(settings.unitSystem);

    QString configError;
    clsConnection connection(DatabaseConfig::fromCurrentDirectory(&configError));
    if (!configError.isEmpty())
        cli::err() << configError << "\n";
    if (!connection.OpenDB()) {
        cli::err() << connection.LastError() << "\n";
        return 1;
    }

    // Everything that can be refused is checked before the test is stored.
    RunSequenceLoad load;
    TestInfoStore store(&connection);
    QStringList usedNames;
    try {
        load = loadRunSequence(&connection, p.value("sequence"));
        usedNames = store.usedNames();
    } catch (const StoreError &e) {
        cli::err() << "rovudaze-cli run: " << e.description() << "\n";
        return 1;
    }
    if (!load.found) {
        cli::err() << "rovudaze-cli run: the test sequence \"" << p.value("sequence") << "\" is not stored\n";
        return 1;
    }
    if (const QString problem = load.sequence.problem(); !problem.isEmpty()) {
        cli::err() << "rovudaze-cli run: " << problem << "\n";
        return 1;
    }

    TestInfoEntry::Texts texts = TestInfoEntry::entryDefaults();
    texts.testName = p.value("test");
    auto take = [&p](const char *option, QString &field) {
        if (p.isSet(QString::fromLatin1(option)))
            field = p.value(QString::fromLatin1(option));
    };
    take("fluid", texts.fluidId);
    take("researcher", texts.researcherName);
    take("rotor", texts.rotorNo);
    take("bob", texts.bobNo);
    take("ph-before", texts.preTestPH);
    take("ph-after", texts.postTestPH);
    take("notes", texts.safety);
    const QStringList additives = p.values("additive");
    if (additives.size() > TestInfoEntry::AdditiveRows) {
        cli::err() << "rovudaze-cli run: at most " << TestInfoEntry::AdditiveRows << " additives\n";
        return 2;
    }
    for (int i = 0; i < additives.size(); ++i) {
        const QStringList parts = additives.at(i).split(QLatin1Char(':'));
        if (texts.additives.size() <= i)
            texts.additives.resize(i + 1);
        texts.additives[i] = {parts.value(0), parts.value(1), parts.value(2), parts.value(3)};
    }
    const TestInfoEntry::EntryCheck check = TestInfoEntry::checkEntry(texts, usedNames);
    if (!check.accepted()) {
        cli::err() << "rovudaze-cli run: " << check.message() << "\n";
        return 1;
    }

    // The instrument line.
    std::unique_ptr<Clock> clock;
    VirtualClock *virtualClock = nullptr;
    if (simulate) {
        auto v = std::make_unique<VirtualClock>();
        virtualClock = v.get();
        clock = std::move(v);
    } else {
        clock = std::make_unique<QtClock>();
    }
    InstrumentLink link(*clock);
    std::unique_ptr<MemoryTransport> device;
    std::unique_ptr<SimulatedInstrument> instrument;
    bool opened = false;
    if (simulate) {
        auto pair = MemoryTransport::createPair(QStringLiteral("simulated unit %1").arg(unit));
        device = std::move(pair.device);
        SimulatorConfig config;
        config.instrumentNumber = unit;
        instrument = std::make_unique<SimulatedInstrument>(*clock, *device, config);
        opened = link.attachTransport(std::move(pair.host));
    } else if (p.isSet("port")) {
        opened = link.OpenDevice(p.value("port"));
    } else {
        if (!settingsRead.ok)
            cli::err() << settingsRead.message << "\n";
        opened = link.OpenPort(unit, settings, PortMap::fromCurrentDirectory());
    }
    if (!opened) {
        cli::err() << "rovudaze-cli run: unit " << unit << ": the port cannot be opened: " << link.lastErrorString() << "\n";
        return 1;
    }
    link.setRotorBob({check.rotorBob->combination, check.rotorBob->factor});

    qint64 testId = 0;
    TestInfoRow info;
    try {
        testId = store.createTest(texts);
        const auto stored = store.load(testId);
        info = stored ? stored->info : TestInfoRow{};
    } catch (const StoreError &e) {
        cli::err() << "rovudaze-cli run: the test could not be stored: " << e.description() << "\n";
        return 1;
    }

    RunEngine engine(unit, &connection, link, *clock);
    QObject::connect(&engine, &RunEngine::sampleStored, &printSample);
    QObject::connect(&engine, &RunEngine::statusChanged, [&engine](const QString &status) {
        cli::out() << RunEngine::elapsedTextFor(engine.elapsedSeconds()) << "  " << status << " (step "
                   << engine.step() << ", " << modeText(engine) << ")\n";
        cli::out().flush();
    });
    QObject::connect(&engine, &RunEngine::faultRaised, [](RunEngine::Fault, const QString &message) {
        cli::err() << "fault: " << message << "\n";
        cli::err().flush();
    });
    QObject::connect(&engine, &RunEngine::faultCleared, [](RunEngine::Fault) {
        cli::err() << "fault cleared\n";
        cli::err().flush();
    });
    RunEngine::EndReason reason = RunEngine::EndReason::Stopped;
    bool ended = false;
    QObject::connect(&engine, &RunEngine::testEnded, [&](RunEngine::EndReason r) {
        reason = r;
        ended = true;
    });

    QString error;
    if (!engine.StartTest(load.sequence.name, info, &error)) {
        try {
            store.remove(info.testName);
        } catch (const StoreError &) {
        }
        cli::err() << "rovudaze-cli run: " << error << "\n";
        return 1;
    }
    cli::out() << "Unit " << unit << " on " << link.deviceName() << ": test \"" << info.testName << "\" (id "
               << testId << "), sequence \"" << load.sequence.name << "\", " << load.sequence.steps.size()
               << " step(s), planned " << RunEngine::elapsedTextFor(load.sequence.plannedSeconds())
               << " plus temperature waits and ramps\n";
    cli::out().flush();

    g_interrupted = false;
    std::signal(SIGINT, onSigint);
    std::signal(SIGTERM, onSigint);
    bool timedOut = false;
    if (virtualClock) {
        const qint64 limitMs = qint64(maxHours * 3600 * 1000);
        while (engine.isRunning() && !g_interrupted) {
            if (virtualClock->nowMs() >= limitMs) {
                timedOut = true;
                break;
            }
            virtualClock->advance(1000);
        }
        if (engine.isRunning())
            engine.ShutDown();
        virtualClock->advance(10000);   // lets a retry store anything still queued
    } else {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (g_interrupted && engine.isRunning())
                engine.ShutDown();
            // Quit once the test is over and every sample is in the database.
            if (!engine.isRunning() && engine.unsavedSamples() == 0)
                QCoreApplication::quit();
        });
        poll.start(200);
        QCoreApplication::exec();
    }
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);

    cli::out() << "\nTest \"" << info.testName << "\" ";
    if (timedOut)
        cli::out() << "stopped after " << maxHours << " hours of simulated time";
    else if (g_interrupted)
        cli::out() << "stopped by the operator";
    else if (ended && reason == RunEngine::EndReason::AutoShutDown)
        cli::out() << "shut down automatically (viscosity below the set value)";
    else
        cli::out() << "completed";
    cli::out() << " after " << RunEngine::elapsedTextFor(engine.elapsedSeconds()) << "; " << engine.storedSamples()
               << " samples stored";
    if (engine.unsavedSamples() > 0)
        cli::out() << ", " << engine.unsavedSamples() << " NOT stored (database unavailable)";
    cli::out() << ".\n";
    printResults(engine);
    cli::out().flush();
    if (engine.unsavedSamples() > 0)
        return 1;
    return (g_interrupted || timedOut) ? 3 : 0;
}

const bool registered = cli::registerCommand({"run", kUsage, &runRun});

} // namespace
