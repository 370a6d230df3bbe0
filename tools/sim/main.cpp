// kx720-sim: simulated KX720 instruments on pseudo-terminals, one per unit.
// Prints "unit N: /dev/pts/M" for each, then serves them until stopped.
#include "ptytransport.h"
#include "realtime/clock.h"
#include "realtime/simulatedinstrument.h"
#include "sequences/portmap.h"
#include "sequences/stationsettings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

struct Unit
{
    std::unique_ptr<PtyTransport> pty;
    std::unique_ptr<SimulatedInstrument> instrument;
};

bool readNumber(const QCommandLineParser &parser, const QString &option, double &value)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const double number = parser.value(option).toDouble(&ok);
    if (!ok) {
        err() << "kx720-sim: --" << option << " needs a number, not '" << parser.value(option) << "'\n";
        return false;
    }
    value = number;
    return true;
}

// "2:silence" applies to unit 2 only, "silence" to every unit.
bool applyFaults(const QStringList &faultTexts, std::vector<SimulatorConfig> &configs)
{
    for (const QString &faultText : faultTexts) {
        int unit = 0;
        QString fault = faultText;
        if (const qsizetype colon = faultText.indexOf(u':'); colon > 0) {
            bool ok = false;
            unit = faultText.left(colon).toInt(&ok);
            if (!ok || unit < 1 || unit > int(configs.size())) {
                err() << "kx720-sim: no unit " << faultText.left(colon) << " for fault '" << faultText << "'\n";
                return false;
            }
            fault = faultText.mid(colon + 1);
        }
        for (int i = 0; i < int(configs.size()); ++i) {
            if (unit != 0 && unit != i + 1)
                continue;
            QString error;
            if (!applySimulatorFault(fault, configs[std::size_t(i)].faults, &error)) {
                err() << "kx720-sim: " << error << "\nFaults:\n" << simulatorFaultHelp() << "\n";
                return false;
            }
        }
    }
    return true;
}

// Points ports 1..N of a station folder at the pseudo-terminals, so the
// software started there finds units 1..N.
bool writeStation(const QString &dir, const std::vector<Unit> &units)
{
    const QDir folder(dir);
    const QString initial = folder.filePath(StationSettings::fileName());
    StationSettings settings;
    StationSettings::read(initial, settings);   // keeps the unit system of an existing file
    PortMap ports = PortMap::load(folder.filePath(PortMap::fileName()));
    settings.ports.fill(0);
    for (int i = 0; i < int(units.size()); ++i) {
        settings.ports[std::size_t(i)] = i + 1;
        ports.setDevice(i + 1, units[std::size_t(i)].pty->devicePath());
    }
    QString error;
    if (!settings.write(initial, &error) || !ports.save(folder.filePath(PortMap::fileName()), &error)) {
        err() << "kx720-sim: " << error << "\n";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kx720-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulated KX720pH instruments on pseudo-terminals.\n"
                       "Prints \"unit N: <device>\" for each unit; open that device as the unit's port.\n\n"
                       "Faults (--fault, repeatable, \"N:fault\" for unit N only):\n")
        + simulatorFaultHelp());
    parser.addHelpOption();
    const QCommandLineOption unitsOption({QStringLiteral("u"), QStringLiteral("units")},
                                         QStringLiteral("Number of instruments, 1 to 8 (default 1)."), QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption faultOption(QStringLiteral("fault"), QStringLiteral("Fault mode, see above."), QStringLiteral("fault"));
    const QCommandLineOption stationOption(QStringLiteral("station-dir"),
                                           QStringLiteral("Write initial.txt and ports.ini in this folder so units 1..n use the pseudo-terminals."),
                                           QStringLiteral("dir"));
    const QCommandLineOption heatOption(QStringLiteral("heat-time"), QStringLiteral("Time constant of the sample's approach to the set-point, s (default 120)."), QStringLiteral("s"));
    const QCommandLineOption ambientOption(QStringLiteral("ambient"), QStringLiteral("Starting sample temperature, °F (default 75)."), QStringLiteral("F"));
    const QCommandLineOption kOption(QStringLiteral("consistency"), QStringLiteral("Fluid consistency K at 75 °F, dyn·s^n/cm² (default 20)."), QStringLiteral("K"));
    const QCommandLineOption nOption(QStringLiteral("flow-index"), QStringLiteral("Fluid flow behaviour index n (default 0.5)."), QStringLiteral("n"));
    const QCommandLineOption thinOption(QStringLiteral("thinning"), QStringLiteral("Fractional fall of K per °F (default 0.01)."), QStringLiteral("per-F"));
    const QCommandLineOption breakOption(QStringLiteral("break-half-life"), QStringLiteral("Breaking gel: K halves every this many minutes of test (default 0 = stable)."), QStringLiteral("min"));
    const QCommandLineOption phOption(QStringLiteral("ph"), QStringLiteral("Starting pH (default 7.0)."), QStringLiteral("pH"));
    const QCommandLineOption driftOption(QStringLiteral("ph-drift"), QStringLiteral("pH change per hour (default -0.05)."), QStringLiteral("per-h"));
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("Random seed for noise (default 1)."), QStringLiteral("n"));
    const QCommandLineOption verboseOption({QStringLiteral("v"), QStringLiteral("verbose")}, QStringLiteral("Log commands received to stderr."));
    parser.addOptions({unitsOption, faultOption, stationOption, heatOption, ambientOption, kOption, nOption,
                       thinOption, breakOption, phOption, driftOption, seedOption, verboseOption});
    parser.process(app);

    bool ok = false;
    const int unitCount = parser.value(unitsOption).toInt(&ok);
    if (!ok || unitCount < 1 || unitCount > 8) {
        err() << "kx720-sim: --units must be 1 to 8\n";
        return 2;
    }
    SimulatorConfig base;
    const bool numbersOk = readNumber(parser, heatOption.names().first(), base.heatingTimeConstant)
                           && readNumber(parser, ambientOption.names().first(), base.ambientTemperature)
                           && readNumber(parser, kOption.names().first(), base.fluid.consistency)
                           && readNumber(parser, nOption.names().first(), base.fluid.flowIndex)
                           && readNumber(parser, thinOption.names().first(), base.fluid.thinningPerDegree)
                           && readNumber(parser, breakOption.names().first(), base.fluid.breakHalfLifeMinutes)
                           && readNumber(parser, phOption.names().first(), base.initialPH)
                           && readNumber(parser, driftOption.names().first(), base.pHDriftPerHour);
    if (!numbersOk)
        return 2;
    if (parser.isSet(seedOption))
        base.seed = parser.value(seedOption).toUInt();

    std::vector<SimulatorConfig> configs(std::size_t(unitCount), base);
    for (int i = 0; i < unitCount; ++i) {
        configs[std::size_t(i)].instrumentNumber = i + 1;
        configs[std::size_t(i)].seed = base.seed + quint32(i);
    }
    if (!applyFaults(parser.values(faultOption), configs))
        return 2;

    QtClock clock;
    std::vector<Unit> units;
    for (int i = 0; i < unitCount; ++i) {
        QString error;
        Unit unit;
        unit.pty = PtyTransport::create(&error);
        if (!unit.pty) {
            err() << "kx720-sim: " << error << "\n";
            return 1;
        }
        unit.instrument = std::make_unique<SimulatedInstrument>(clock, *unit.pty, configs[std::size_t(i)]);
        if (parser.isSet(verboseOption)) {
            const int number = i + 1;
            QObject::connect(unit.instrument.get(), &SimulatedInstrument::commandReceived,
                             [number](double setPoint, double speed, int combination) {
                                 err() << "unit " << number << ": set-point " << setPoint << " °F, speed " << speed
                                       << " rpm, combination " << combination << Qt::endl;
                             });
            QObject::connect(unit.instrument.get(), &SimulatedInstrument::enquiryReceived,
                             [number] { err() << "unit " << number << ": ENQ" << Qt::endl; });
            QObject::connect(unit.instrument.get(), &SimulatedInstrument::frameSent,
                             [number](const QByteArray &frame) { err() << "unit " << number << ": sent " << frame.toPercentEncoding(",") << Qt::endl; });
            QObject::connect(unit.instrument.get(), &SimulatedInstrument::stopReceived,
                             [number] { err() << "unit " << number << ": stop" << Qt::endl; });
            QObject::connect(unit.instrument.get(), &SimulatedInstrument::disconnected,
                             [number] { err() << "unit " << number << ": hung up" << Qt::endl; });
        }
        units.push_back(std::move(unit));
    }
    if (parser.isSet(stationOption) && !writeStation(parser.value(stationOption), units))
        return 1;

    QTextStream out(stdout);
    for (int i = 0; i < unitCount; ++i)
        out << "unit " << (i + 1) << ": " << units[std::size_t(i)].pty->devicePath() << "\n";
    out.flush();
    std::fflush(stdout);
    return app.exec();
}
