#pragma once
#include <QStringList>
#include <QTextStream>

// Sub-commands of rovudaze-cli register themselves from their own file:
//   static const bool registered = cli::registerCommand({"evaluate", "...", &runEvaluate});
namespace cli {

struct Command
{
    const char *name;
    const char *usage;                            // one or more lines of help
    int (*run)(const QStringList &arguments);     // arguments after the name; returns exit code
    bool drawsPages = false;                      // needs a QGuiApplication (fonts, PDF)
};

bool registerCommand(const Command &command);

QTextStream &out();
QTextStream &err();

} // namespace cli
