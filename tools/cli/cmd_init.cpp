// rovudaze-cli init: prepares a station in the current directory.
#include "command.h"
#include "sequences/examplesequences.h"
#include "sequences/portmap.h"
#include "sequences/stationsettings.h"
#include "store/clsConnection.h"
#include "store/clsSEQUENCE_INFO.h"
#include "store/clsTEST_INFO.h"
#include <QDir>
#include <QFile>

namespace {

int runInit(const QStringList &arguments)
{
    const bool examples = arguments == QStringList{QStringLiteral("--examples")};
    if (!arguments.isEmpty() && !examples) {
        cli::err() << "usage: rovudaze-cli init [--examples]\n";
        return 2;
    }
    QString configError;
    const DatabaseConfig config = DatabaseConfig::fromCurrentDirectory(&configError);
    if (!configError.isEmpty())
        cli::err() << configError << "\n";
    clsConnection connection(config);
    if (!connection.OpenDB()) {
        cli::err() << connection.LastError() << "\n";
        return 1;
    }
    cli::out() << "Database: " << config.describe() << "\n";
    try {
        if (examples) {
            const QStringList added = seedExampleSequences(&connection);
            for (const QString &name : added)
                cli::out() << "  example sequence added: " << name << "\n";
        }
        clsSEQUENCE_INFO sequences;
        sequences.ConnectX(&connection);
        clsTEST_INFO tests;
        tests.ConnectX(&connection);
        cli::out() << "  sequences stored: " << sequences.JustName().rowCount() << "\n";
        cli::out() << "  tests stored:     " << tests.UsedName().rowCount() << "\n";
    } catch (const std::exception &e) {
        cli::err() << e.what() << "\n";
        return 1;
    }

    const QString settingsPath = StationSettings::fileName();
    StationSettings settings;
    const auto read = StationSettings::read(settingsPath, settings);
    if (!QFile::exists(settingsPath)) {
        QString error;
        if (!settings.write(settingsPath, &error)) {
            cli::err() << error << "\n";
            return 1;
        }
        cli::out() << "Station settings: created " << QDir::current().filePath(settingsPath)
                   << " (no units, CGS)\n";
    } else if (!read.ok) {
        cli::out() << "Station settings: " << read.message << "\n";
    } else {
        cli::out() << "Station settings: " << QDir::current().filePath(settingsPath) << "\n";
    }
    const PortMap ports = PortMap::fromCurrentDirectory();
    for (int unit = 1; unit <= 8; ++unit) {
        const int port = settings.port(unit);
        cli::out() << "  Unit " << unit << ": "
                   << (port <= 0 ? QStringLiteral("None") : QStringLiteral("Comm %1 -> %2").arg(port).arg(ports.device(port)))
                   << "\n";
    }
    static const char *const systems[] = {"?", "CGS", "EI", "SI"};
    const int us = settings.unitSystem;
    cli::out() << "  Unit system: " << (us >= 1 && us <= 3 ? systems[us] : "unknown") << "\n";
    return 0;
}

const bool registered = cli::registerCommand(
    {"init", "init [--examples]         create the database and initial.txt here when missing (--examples: store example sequences); print a summary", &runInit});

} // namespace
