// rovudaze-cli export csv: every sample of a saved test for other tools.
#include "command.h"
#include "reports/csvexport.h"
#include "store/clsConnection.h"
#include "store/storeerror.h"
#include <QCommandLineParser>

namespace {

const char kUsage[] = "export csv --test NAME --out FILE                     all samples of a saved test as CSV";

int fail(const QString &message)
{
    cli::err() << "rovudaze-cli export: " << message << "\n";
    return 1;
}

int runExport(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("format"), QStringLiteral("csv"));
    parser.addOption({QStringLiteral("test"), QStringLiteral("Name of the saved test."), QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("out"), QStringLiteral("Output file."), QStringLiteral("FILE")});
    if (!parser.parse(QStringList{QStringLiteral("export")} + arguments))
        return fail(parser.errorText());
    if (parser.positionalArguments() != QStringList{QStringLiteral("csv")})
        return fail(QStringLiteral("the only export format is csv.\nusage: %1").arg(QLatin1String(kUsage)));
    const QString test = parser.value(QStringLiteral("test"));
    const QString out = parser.value(QStringLiteral("out"));
    if (test.isEmpty() || out.isEmpty())
        return fail(QStringLiteral("--test NAME and --out FILE are required."));

    QString error;
    const std::unique_ptr<clsConnection> connection = reports::openStationDatabase(&error);
    if (!connection)
        return fail(error);
    TestInfoRow info;
    const reports::ReportStatus found = reports::loadTestInfo(connection.get(), test, info);
    if (!found.ok())
        return fail(found.detail);
    try {
        reports::DatabaseSampleSource samples(connection.get(), info.testId,
                                              reports::DatabaseSampleSource::Order::ByTime);
        const reports::ReportStatus written = reports::writeSamplesCsv(out, samples);
        if (!written.ok())
            return fail(written.detail);
        cli::out() << "Wrote " << out << " (" << samples.count() << " samples)\n";
    } catch (const StoreError &e) {
        return fail(e.text());
    }
    return 0;
}

const bool registered = cli::registerCommand({"export", kUsage, &runExport});

} // namespace
