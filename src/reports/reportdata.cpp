#include "reportdata.h"
#include "store/clsTEST_ADDITIVE.h"
#include "store/clsTEST_INFO.h"
#include "store/clsTEST_RESULT.h"
#include "store/storeerror.h"
#include "store/clsConnection.h"
#include <QFileInfo>
#include <QLocale>

namespace reports {

int TestReportData::resultRowCount() const
{
    return ramps.results.isEmpty() ? 0 : ramps.lastRamp;
}

const rheology::RampResult *TestReportData::resultForRamp(int rampNo) const
{
    for (const rheology::RampResult &r : ramps.results)
        if (r.rampNo == rampNo)
            return &r;
    return nullptr;
}

namespace {
ReportStatus readInfo(clsConnection *connection, const QString &testName, TestInfoRow &out)
{
    clsTEST_INFO info;
    info.ConnectX(connection);
    info.TEST_NAME = testName;
    info.GetTestDetail();
    if (info.IsEmpty())
        return ReportStatus::failure(ReportError::NoTest, QStringLiteral("No test named \"%1\" is stored.").arg(testName));
    out = info.row();
    return {};
}
} // namespace

std::unique_ptr<clsConnection> openStationDatabase(QString *error)
{
    QString configError;
    const DatabaseConfig config = DatabaseConfig::fromCurrentDirectory(&configError);
    if (!configError.isEmpty()) {
        *error = configError;
        return nullptr;
    }
    if (!config.isPostgres() && !QFileInfo::exists(config.file)) {
        *error = QStringLiteral("No database file \"%1\" here.").arg(config.file);
        return nullptr;
    }
    auto connection = std::make_unique<clsConnection>(config);
    if (!connection->OpenDB()) {
        *error = connection->LastError();
        return nullptr;
    }
    return connection;
}

ReportStatus loadTestInfo(clsConnection *connection, const QString &testName, TestInfoRow &info)
{
    try {
        return readInfo(connection, testName, info);
    } catch (const StoreError &e) {
        return ReportStatus::failure(ReportError::Database, e.text());
    }
}

ReportStatus loadTestReportData(clsConnection *connection, const QString &testName, TestReportData &data,
                                std::vector<TestResultRow> *samplesOut)
{
    try {
        const ReportStatus found = readInfo(connection, testName, data.info);
        if (!found.ok())
            return found;

        clsTEST_ADDITIVE additives;
        additives.TESTId = double(data.info.testId);
        additives.ConnectX(connection);
        additives.GetSeqDetail();
        data.additives.clear();
        if (!additives.IsEmpty()) {
            additives.MoveFirst();
            while (!additives.isEOF()) {
                data.additives.append(additives.row());
                additives.MoveNext();
            }
        }

        std::vector<TestResultRow> samples = clsTEST_RESULT::readSamples(connection, double(data.info.testId));
        data.ramps = rheology::EvaluateRamps(data.info, samples);
        if (samplesOut)
            *samplesOut = std::move(samples);
    } catch (const StoreError &e) {
        return ReportStatus::failure(ReportError::Database, e.text());
    }
    return {};
}

double toLbfPer100SqFt(double dynPerCm2)
{
    return 100.0 * dynPerCm2 / 478.8;
}

QString generalDateTime(const QDateTime &time)
{
    if (!time.isValid())
        return {};
    const QLocale locale;
    QString date = locale.dateFormat(QLocale::ShortFormat);
    if (!date.contains(QLatin1String("yyyy")))
        date.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    QString clock = locale.timeFormat(QLocale::ShortFormat);
    if (!clock.contains(QLatin1String("ss")))
        clock.replace(QLatin1String("mm"), QLatin1String("mm:ss"));
    return locale.toString(time, date + QLatin1Char(' ') + clock);
}

QString shortestNumber(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace reports
