#include "command.h"
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMap>
#include <cstdio>
#include <memory>

namespace cli {

static QMap<QString, Command> &registry()
{
    static QMap<QString, Command> commands;
    return commands;
}

bool registerCommand(const Command &command)
{
    registry().insert(QString::fromLatin1(command.name), command);
    return true;
}

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

} // namespace cli

static void printUsage()
{
    cli::err() << "usage: rovudaze-cli <command> [options]\n\ncommands:\n";
    for (const cli::Command &c : cli::registry())
        cli::err() << "  " << c.usage << "\n";
    cli::err().flush();
}

// Commands that draw pages get a GUI application for fonts; it never needs a
// display.
static std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv)
{
    const auto it = argc > 1 ? cli::registry().constFind(QString::fromLocal8Bit(argv[1])) : cli::registry().constEnd();
    if (it != cli::registry().constEnd() && it->drawsPages) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

int main(int argc, char **argv)
{
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rovudaze-cli"));
    QStringList args = app->arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        printUsage();
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    const auto it = cli::registry().constFind(name);
    if (it == cli::registry().constEnd()) {
        cli::err() << "rovudaze-cli: unknown command \"" << name << "\"\n";
        printUsage();
        return 2;
    }
    const int rc = it->run(args);
    cli::out().flush();
    cli::err().flush();
    return rc;
}
