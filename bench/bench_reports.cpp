// Time and peak memory of the long reports: the .xlsx detail report and the
// data report PDF of a test with many samples (default 1 000 000), from
// samples generated on the fly (the writers' own cost) and streamed from a
// SQLite database (the command-line path of the data report).
//   bench_reports [samples] [--skip-pdf] [--skip-db]
#include "reports/excelreport.h"
#include "reports/paint/datareportpainter.h"
#include "store/clsConnection.h"
#include "store/clsTEST_INFO.h"
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <ctime>

using namespace reports;

namespace {

// A test's samples made up as they are asked for: memory stays flat.
class GeneratedSamples : public SampleSource
{
public:
    explicit GeneratedSamples(qint64 count) : m_count(count) {}
    qint64 count() const override { return m_count; }
    bool next(TestResultRow &row) override
    {
        if (m_next >= m_count)
            return false;
        row = make(m_next++);
        return true;
    }
    static TestResultRow make(qint64 i)
    {
        TestResultRow s;
        s.testResultId = double(i + 1);
        s.testId = 1;
        s.rampNo = double(i / 5000);
        s.rampStepNo = double(i % 40);
        s.resultTime = 3.0 * double(i);
        s.sampleTemp = 75 + std::fmod(double(i) * 0.013, 200);
        s.shearRate = i % 97 == 0 ? 0 : 20 + double(i % 40) * 12.5;
        s.shearStress = 2 * std::pow(s.shearRate + 1, 0.6);
        s.typeId = i % 3 == 0 ? 1 : 0;
        s.pH = 6.5 + double(i % 30) / 10;
        return s;
    }

private:
    qint64 m_count;
    qint64 m_next = 0;
};

qint64 statusKiB(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toLongLong();
    return -1;
}

// Resets the peak resident size, so each run reports its own peak.
void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

TestReportData reportData()
{
    TestReportData data;
    data.info.testId = 1;
    data.info.testName = QStringLiteral("Benchmark");
    data.info.testTime = QDateTime::currentDateTime();
    TestAdditiveRow a;
    a.additiveName = QStringLiteral("KCl");
    a.concentration = 2;
    data.additives << a;
    data.ramps.lastRamp = 3;
    for (int k = 1; k <= 3; ++k) {
        rheology::RampResult r;
        r.rampNo = k;
        r.accepted = true;
        r.nPrime = 0.6;
        data.ramps.results << r;
    }
    return data;
}

template <typename Work>
void measure(const char *what, qint64 samples, const QString &file, Work work)
{
    resetPeak();
    const qint64 before = statusKiB("VmRSS:");
    QElapsedTimer t;
    t.start();
    const std::clock_t cpuStart = std::clock();
    const ReportStatus status = work();
    const double seconds = t.nsecsElapsed() / 1e9;
    const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const qint64 peak = statusKiB("VmHWM:");
    if (!status.ok()) {
        std::printf("%-34s failed: %s\n", what, qPrintable(status.detail));
        return;
    }
    std::printf("%-34s %9lld samples  %7.2f s (CPU %6.2f s)  peak RSS %6.1f MiB (+%5.1f MiB in the run)  "
                "file %6.1f MiB\n",
                what, samples, seconds, cpu, peak / 1024.0, (peak - before) / 1024.0,
                QFileInfo(file).size() / 1048576.0);
    std::fflush(stdout);
    QFile::remove(file);
}

qint64 storeSamples(clsConnection &connection, qint64 samples)
{
    clsTEST_INFO info;
    info.ConnectX(&connection);
    info.TEST_NAME = QStringLiteral("Benchmark");
    info.AddNew();
    const qint64 id = qint64(info.Test_Id);
    const int key = connection.BeginTrans();
    QSqlQuery insert(connection.ADOConnection());
    insert.prepare(QStringLiteral("INSERT INTO TEST_RESULT (TEST_ID, RAMP_NO, RAMP_STEP_NO, RESULT_TIME, "
                                  "RESULT_SAMPLE_TEMP, RESULT_PRESS, RESULT_SHEAR_RATE, RESULT_SHEAR_STRESS, "
                                  "RESULT_TYPE_ID, RESULT_BATH_TEMP) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (qint64 i = 0; i < samples; ++i) {
        const TestResultRow s = GeneratedSamples::make(i);
        insert.bindValue(0, id);
        for (int c = 2; c < TestResultRow::columnCount; ++c)
            insert.bindValue(c - 1, s[c]);
        insert.exec();
    }
    connection.CommitTrans(key);
    return id;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    qint64 samples = 1000000;
    for (const QString &a : args)
        if (!a.startsWith(QLatin1String("--")))
            samples = a.toLongLong();
    const bool pdf = !args.contains(QStringLiteral("--skip-pdf"));
    const bool db = !args.contains(QStringLiteral("--skip-db"));

    QTemporaryDir dir;
    const QString xlsx = dir.filePath(QStringLiteral("bench.xlsx"));
    const QString pdfFile = dir.filePath(QStringLiteral("bench.pdf"));
    const TestReportData data = reportData();
    std::printf("Report export (target for .xlsx of 1 000 000 samples: at most 10 s and 50 MiB)\n");

    measure(".xlsx, generated samples", samples, xlsx, [&] {
        GeneratedSamples source(samples);
        return writeExcelDetailReport(xlsx, data, source);
    });
    if (pdf)
        measure("data report PDF, generated samples", samples, pdfFile, [&] {
            GeneratedSamples source(samples);
            return writeDataReportPdf(pdfFile, data.info, source);
        });

    if (db) {
        clsConnection connection(DatabaseConfig::sqlite(dir.filePath(QStringLiteral("KX720pH.db"))));
        if (!connection.OpenDB()) {
            std::printf("cannot open the benchmark database: %s\n", qPrintable(connection.LastError()));
            return 1;
        }
        const qint64 id = storeSamples(connection, samples);
        measure(".xlsx, streamed from SQLite", samples, xlsx, [&] {
            DatabaseSampleSource source(&connection, id, DatabaseSampleSource::Order::ByTime);
            return writeExcelDetailReport(xlsx, data, source);
        });
        if (pdf)
            measure("data report PDF, from SQLite", samples, pdfFile, [&] {
                DatabaseSampleSource source(&connection, id, DatabaseSampleSource::Order::ByRampStepTime);
                return writeDataReportPdf(pdfFile, data.info, source);
            });
    }
    return 0;
}
