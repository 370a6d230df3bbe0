// rovudaze-cli report brief|excel|data: the reports of a saved test as files.
#include "command.h"
#include "reports/briefreport.h"
#include "reports/excelreport.h"
#include "reports/paint/datareportpainter.h"
#include "reports/paint/textreportpainter.h"
#include "store/clsConnection.h"
#include "store/storeerror.h"
#include <QCommandLineParser>

namespace {

const char kUsage[] =
    "report brief --test NAME (--pdf FILE | --text FILE)   brief report of a saved test\n"
    "  report excel --test NAME --out FILE.xlsx               spreadsheet detail report\n"
    "  report data --test NAME --pdf FILE                     printed data report as PDF";

int fail(const QString &message)
{
    cli::err() << "rovudaze-cli report: " << message << "\n";
    return 1;
}

int finish(const reports::ReportStatus &status, const QString &fileName)
{
    if (!status.ok())
        return fail(status.detail);
    cli::out() << "Wrote " << fileName << "\n";
    return 0;
}

int runBrief(clsConnection *connection, const QString &test, const QString &pdf, const QString &text)
{
    reports::TestReportData data;
    const reports::ReportStatus loaded = reports::loadTestReportData(connection, test, data);
    if (!loaded.ok())
        return fail(loaded.detail);
    const QStringList lines = reports::briefReportLines(data);
    if (!pdf.isEmpty())
        return finish(reports::writeTextReportPdf(pdf, lines, test), pdf);
    return finish(reports::writeTextReportFile(text, lines), text);
}

int runExcel(clsConnection *connection, const QString &test, const QString &out)
{
    reports::TestReportData data;
    std::vector<TestResultRow> samples;
    const reports::ReportStatus loaded = reports::loadTestReportData(connection, test, data, &samples);
    if (!loaded.ok())
        return fail(loaded.detail);
    reports::VectorSampleSource source(samples);
    return finish(reports::writeExcelDetailReport(out, data, source), out);
}

int runData(clsConnection *connection, const QString &test, const QString &pdf)
{
    TestInfoRow info;
    const reports::ReportStatus loaded = reports::loadTestInfo(connection, test, info);
    if (!loaded.ok())
        return fail(loaded.detail);
    try {
        reports::DatabaseSampleSource source(connection, info.testId,
                                             reports::DatabaseSampleSource::Order::ByRampStepTime);
        return finish(reports::writeDataReportPdf(pdf, info, source), pdf);
    } catch (const StoreError &e) {
        return fail(e.text());
    }
}

int runReport(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("kind"), QStringLiteral("brief, excel or data"));
    parser.addOption({QStringLiteral("test"), QStringLiteral("Name of the saved test."), QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("pdf"), QStringLiteral("Write a PDF file."), QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("text"), QStringLiteral("Write a plain text file."), QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("out"), QStringLiteral("Write the .xlsx workbook."), QStringLiteral("FILE")});
    if (!parser.parse(QStringList{QStringLiteral("report")} + arguments))
        return fail(parser.errorText());

    const QStringList kinds = parser.positionalArguments();
    const QString kind = kinds.value(0);
    const QString test = parser.value(QStringLiteral("test"));
    const QString pdf = parser.value(QStringLiteral("pdf"));
    const QString text = parser.value(QStringLiteral("text"));
    const QString out = parser.value(QStringLiteral("out"));
    if (kinds.size() != 1 || (kind != QLatin1String("brief") && kind != QLatin1String("excel")
                              && kind != QLatin1String("data")))
        return fail(QStringLiteral("say which report: brief, excel or data.\nusage: %1").arg(QLatin1String(kUsage)));
    if (test.isEmpty())
        return fail(QStringLiteral("--test NAME is required."));
    if (kind == QLatin1String("brief") && pdf.isEmpty() == text.isEmpty())
        return fail(QStringLiteral("the brief report needs exactly one of --pdf FILE or --text FILE."));
    if (kind == QLatin1String("excel") && out.isEmpty())
        return fail(QStringLiteral("--out FILE.xlsx is required."));
    if (kind == QLatin1String("data") && pdf.isEmpty())
        return fail(QStringLiteral("--pdf FILE is required."));

    QString error;
    const std::unique_ptr<clsConnection> connection = reports::openStationDatabase(&error);
    if (!connection)
        return fail(error);
    if (kind == QLatin1String("brief"))
        return runBrief(connection.get(), test, pdf, text);
    if (kind == QLatin1String("excel"))
        return runExcel(connection.get(), test, out);
    return runData(connection.get(), test, pdf);
}

const bool registered = cli::registerCommand({"report", kUsage, &runReport, true});

} // namespace
