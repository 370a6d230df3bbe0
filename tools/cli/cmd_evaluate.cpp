// rovudaze-cli evaluate: the ramp results table of a saved test.
#include "command.h"
#include "rheology/resultstablemodel.h"
#include "rheology/storedevaluation.h"
#include "sequences/stationsettings.h"
#include "store/clsConnection.h"
#include "store/storeerror.h"
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace {

using rheology::ResultsTableModel;

const char kUsage[] =
    "evaluate --test NAME [--units cgs|ei|si] [--format table|csv]   ramp results table of a saved test";

int fail(const QString &message, int code = 1)
{
    cli::err() << "rovudaze-cli evaluate: " << message << "\n";
    return code;
}

// The station's unit system when initial.txt is readable, CGS otherwise.
int stationUnitSystem()
{
    StationSettings settings;
    if (!QFileInfo::exists(StationSettings::fileName()))
        return UnitSystem::CGS;
    StationSettings::read(StationSettings::fileName(), settings);
    const int us = settings.unitSystem;
    return us >= UnitSystem::CGS && us <= UnitSystem::SI ? us : UnitSystem::CGS;
}

// Header lines on one line: "Time  (Min)" becomes "Time (Min)".
QString headerCell(const ResultsTableModel &table, int column)
{
    return table.headerLines(column).join(QLatin1Char(' ')).simplified();
}

QString csvCell(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"'))
        && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QList<QStringList> tableLines(const ResultsTableModel &table)
{
    QList<QStringList> lines;
    QStringList header;
    for (int c = 0; c < ResultsTableModel::ColumnCount; ++c)
        header << headerCell(table, c);
    lines << header;
    for (int k = 1; k <= table.rampRowCount(); ++k) {
        QStringList cells;
        for (int c = 0; c < ResultsTableModel::ColumnCount; ++c)
            cells << table.cellText(k, c);
        lines << cells;
    }
    return lines;
}

void printCsv(const QList<QStringList> &lines)
{
    for (const QStringList &cells : lines) {
        QStringList quoted;
        for (const QString &cell : cells)
            quoted << csvCell(cell);
        cli::out() << quoted.join(QLatin1Char(',')) << "\n";
    }
}

void printAligned(const QList<QStringList> &lines)
{
    QList<int> widths(ResultsTableModel::ColumnCount, 0);
    for (const QStringList &cells : lines)
        for (int c = 0; c < cells.size(); ++c)
            widths[c] = qMax(widths[c], int(cells[c].size()));
    for (const QStringList &cells : lines) {
        QString line;
        for (int c = 0; c < cells.size(); ++c) {
            line += cells[c].leftJustified(widths[c]);
            if (c + 1 < cells.size())
                line += QLatin1String("  ");
        }
        // A row without a result stays an empty line.
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        cli::out() << line << "\n";
    }
}

int runEvaluate(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("test"), QStringLiteral("Name of the saved test."), QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("units"), QStringLiteral("cgs, ei or si."), QStringLiteral("SYSTEM")});
    parser.addOption({QStringLiteral("format"), QStringLiteral("table or csv."), QStringLiteral("FORMAT")});
    if (!parser.parse(QStringList{QStringLiteral("evaluate")} + arguments))
        return fail(parser.errorText(), 2);
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first()), 2);
    const QString testName = parser.value(QStringLiteral("test"));
    if (!parser.isSet(QStringLiteral("test")) || testName.isEmpty())
        return fail(QStringLiteral("--test NAME is required\nusage: rovudaze-cli %1").arg(QLatin1String(kUsage)), 2);

    int units = stationUnitSystem();
    if (parser.isSet(QStringLiteral("units"))) {
        const QString u = parser.value(QStringLiteral("units")).toLower();
        if (u == QLatin1String("cgs"))
            units = UnitSystem::CGS;
        else if (u == QLatin1String("ei"))
            units = UnitSystem::EI;
        else if (u == QLatin1String("si"))
            units = UnitSystem::SI;
        else
            return fail(QStringLiteral("unknown unit system \"%1\" (use cgs, ei or si)").arg(u), 2);
    }
    const QString format = parser.isSet(QStringLiteral("format"))
                               ? parser.value(QStringLiteral("format")).toLower()
                               : QStringLiteral("table");
    if (format != QLatin1String("table") && format != QLatin1String("csv"))
        return fail(QStringLiteral("unknown format \"%1\" (use table or csv)").arg(format), 2);

    QString configError;
    const DatabaseConfig config = DatabaseConfig::fromCurrentDirectory(&configError);
    if (!configError.isEmpty())
        return fail(configError);
    // Reading must not leave a new empty database behind in a wrong directory.
    if (!config.isPostgres() && !QFileInfo::exists(QDir::current().absoluteFilePath(config.file)))
        return fail(QStringLiteral("no database \"%1\" in %2").arg(config.file, QDir::currentPath()));

    clsConnection connection(config);
    if (!connection.OpenDB())
        return fail(connection.LastError());
    try {
        const rheology::StoredTestEvaluation stored = rheology::EvaluateStoredTest(&connection, testName);
        if (!stored.found)
            return fail(QStringLiteral("no test named \"%1\" in %2").arg(testName, config.describe()));
        ResultsTableModel table;
        table.SetResultsGridHeader(units);
        table.resetToHeader();
        table.showEvaluation(stored.evaluation, units);
        const QList<QStringList> lines = tableLines(table);
        if (format == QLatin1String("csv"))
            printCsv(lines);
        else
            printAligned(lines);
    } catch (const StoreError &e) {
        return fail(e.text());
    } catch (const std::exception &e) {
        return fail(QString::fromLocal8Bit(e.what()));
    }
    return 0;
}

const bool registered = cli::registerCommand({"evaluate", kUsage, &runEvaluate});

} // namespace
