#include "reportfixture.h"
#include "reports/datareport.h"
#include "reports/paint/datareportpainter.h"
#include "support/testdatabase.h"
#include <QLocale>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace reports;

namespace {

QString run(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(program, QString::fromLocal8Bit(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString pdfText(const QString &file)
{
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
}

// The text in drawing order, blanks and line breaks collapsed: labels that
// wrap over lines read as written.
QString pdfFlowText(const QString &file)
{
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), file, QStringLiteral("-")}).simplified();
}

int pdfPages(const QString &file)
{
    const QString info = run(QStringLiteral("pdfinfo"), {file});
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

TestInfoRow information()
{
    TestInfoRow info;
    info.testName = QStringLiteral("HPG 35 XL");
    info.fluidId = QStringLiteral("FL-35");
    info.testTime = QDateTime(QDate(2024, 6, 1), QTime(9, 30, 0));
    info.researcherName = QStringLiteral("R. Chen");
    info.rotorNo = QStringLiteral("R1");
    info.bobNo = QStringLiteral("B5");
    info.bobRadius = 1.5987;
    info.bobEffLength = 7.62;
    info.pretestPH = 7.5;
    info.posttestPH = 8.25;
    info.safety = QStringLiteral("Borate crosslinked");
    return info;
}

// Detail lines of the text, in order: lines that start with two integers.
QStringList detailLines(const QString &text)
{
    QStringList out;
    static const QRegularExpression detail(QStringLiteral("^\\s*\\d+\\s+\\d+\\s+\\d+\\.\\d\\d\\s"));
    for (const QString &line : text.split(QLatin1Char('\n')))
        if (detail.match(line).hasMatch())
            out << line.simplified();
    return out;
}

} // namespace

class TestDataReport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void informationLabelsAndOrder_data()
    {
        QTest::addColumn<int>("backend");
        for (TestDatabase::Backend b : TestDatabase::backends())
            QTest::newRow(qPrintable(TestDatabase::name(b))) << int(b);
    }

    // Stored in time order; listed by ramp, ramp step and time.
    void informationLabelsAndOrder()
    {
        QFETCH(int, backend);
        TestDatabase db{TestDatabase::Backend(backend)};
        QVERIFY2(db.isValid(), qPrintable(db.skipReason()));
        const std::vector<TestResultRow> samples = {
            makeSample(2, 1, 10, 71.1, 100, 50, 1, 7.1),
            makeSample(1, 2, 20, 72.2, 170.3456, 20, 1, 7.2),
            makeSample(1, 1, 30, 73.3, 0, 10, 1, 7.3),        // zero rate: huge viscosity, no failure
            makeSample(0, 0, 40, 74.4, 0, 0, 0, 7.4),         // nothing at all: 0
            makeSample(1, 1, 25, 75.5, 40, 8, 1, 7.5),
        };
        TestInfoRow info = information();
        info.testId = storeTest(db.connection(), info, {}, samples);

        const QString file = m_dir.filePath(QStringLiteral("order%1.pdf").arg(backend));
        DatabaseSampleSource source(db.connection(), info.testId, DatabaseSampleSource::Order::ByRampStepTime);
        const ReportStatus status = writeDataReportPdf(file, info, source);
        QVERIFY2(status.ok(), qPrintable(status.detail));
        const QString text = pdfText(file);

        QVERIFY(text.contains(QStringLiteral("KX720pH Viscosity Test Report")));
        const QStringList labelled = {
            "TEST NAME: +HPG 35 XL", "FLUID ID: +FL-35", "TEST_TIME: +6/1/2024 9:30:00 AM", "RESEARCHER: +R. Chen",
            "ROTOR NO: +R1", "BOB_NO: +B5", "BOB RAD\\(CM\\): +1.5987", "BOB EFFECTIVE LENGTH \\(CM\\): +7.62",
            "PRE-TEST PH: +7.5", "POST TEST PH: +8.25", "Description: +Borate crosslinked",
        };
        for (const QString &pattern : labelled)
            QVERIFY2(text.contains(QRegularExpression(pattern)), qPrintable(pattern));
        QVERIFY(pdfFlowText(file).contains(QString::fromUtf8(
            "RAMP NO: RAMP STEP: RESULT TIME (Min): SAMPLE TEMP (°F): SHEAR RATE (1/S): "
            "SHEAR STRESS (DYN/CM2): RESULT TYPE: Viscosity (cP) Fluid pH 0 0 0.67 74.4")));

        const QStringList lines = detailLines(text);
        const QStringList expected = {
            "0 0 0.67 74.4 0.00 0.00 0 0.0 7.40",
            "1 1 0.42 75.5 40.00 8.00 1 20.0 7.50",
            "1 1 0.50 73.3 0.00 10.00 1 1.000e+10 7.30",
            "1 2 0.33 72.2 170.35 20.00 1 11.7 7.20",
            "2 1 0.17 71.1 100.00 50.00 1 50.0 7.10",
        };
        QVERIFY2(lines.size() == expected.size(), qPrintable(text));
        QCOMPARE(lines, expected);
        QVERIFY(text.contains(QStringLiteral("Page 1 of 1")));
        QVERIFY(text.indexOf(kDataReportFooter) > text.indexOf(QStringLiteral("71.1")));
    }

    void viscosityOffset_data()
    {
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("stress");
        QTest::addColumn<double>("viscosity");
        QTest::newRow("ordinary") << 100.0 << 50.0 << 50.0 / (100.0 + 1e-7) * 100.0;
        QTest::newRow("zero rate") << 0.0 << 10.0 << 1e10;
        QTest::newRow("zero rate and stress") << 0.0 << 0.0 << 0.0;
    }

    void viscosityOffset()
    {
        QFETCH(double, rate);
        QFETCH(double, stress);
        QFETCH(double, viscosity);
        QCOMPARE(dataReportViscosity(makeSample(1, 1, 1, 70, rate, stress, 1, 7)), viscosity);
    }

    // Page counts are known before painting ("Page N of M"); check them at
    // the lengths where a page fills up, where the closing line no longer
    // fits, and for several pages.
    void pagesAsPlanned()
    {
        std::vector<TestResultRow> all;
        for (int i = 0; i < 400; ++i)
            all.push_back(makeSample(1 + i / 100, i % 100, 10.0 * i, 70 + i * 0.01, 100, 40, 1, 7));

        QList<int> lengths = {0, 1, 400};
        {
            QPdfWriter probe(m_dir.filePath(QStringLiteral("probe.pdf")));
            probe.setPageSize(QPageSize(QPageSize::Letter));
            probe.setPageMargins(QMarginsF(36, 36, 36, 30), QPageLayout::Point);
            probe.setResolution(600);
            DataReportPainter plan(probe, information());
            for (int n = 1; n < 160; ++n)
                if (plan.pageCount(n) != plan.pageCount(n - 1))
                    lengths << n - 1 << n;
        }
        QVERIFY(lengths.size() >= 5);

        for (int n : lengths) {
            const std::vector<TestResultRow> rows(all.begin(), all.begin() + n);
            VectorSampleSource source(rows);
            const QString file = m_dir.filePath(QStringLiteral("pages%1.pdf").arg(n));
            QVERIFY(writeDataReportPdf(file, information(), source).ok());
            const int pages = pdfPages(file);
            const QString text = pdfText(file);
            QCOMPARE(detailLines(text).size(), n);
            QVERIFY2(text.contains(QStringLiteral("Page %1 of %1").arg(pages)), qPrintable(QString::number(n)));
            QVERIFY(!text.contains(QStringLiteral("Page %1 of").arg(pages + 1)));
            QVERIFY(text.contains(kDataReportFooter));
            // The first page and every page with detail lines have the column labels.
            for (int page = 1; page <= pages; ++page) {
                const QStringList range = {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                           QString::number(page)};
                const QString pageText = run(QStringLiteral("pdftotext"), range + QStringList{QStringLiteral("-layout"), file, QStringLiteral("-")});
                const QString flow = run(QStringLiteral("pdftotext"), range + QStringList{QStringLiteral("-raw"), file, QStringLiteral("-")}).simplified();
                QCOMPARE(flow.count(QStringLiteral("RESULT TYPE:")), page == 1 || !detailLines(pageText).isEmpty() ? 1 : 0);
                QVERIFY(pageText.contains(QStringLiteral("Page %1 of %2").arg(page).arg(pages)));
            }
        }
    }

    void cancelLeavesNoFile()
    {
        std::vector<TestResultRow> rows(5000, makeSample(1, 1, 60, 70, 100, 40, 1, 7));
        VectorSampleSource source(rows);
        const QString file = m_dir.filePath(QStringLiteral("cancelled.pdf"));
        const ReportStatus status =
            writeDataReportPdf(file, information(), source, [](qint64 done, qint64) { return done < 2048; });
        QCOMPARE(status.error, ReportError::Cancelled);
        QVERIFY(!QFile::exists(file));
    }

    void orderingOfHeldSamples()
    {
        const std::vector<TestResultRow> held = {
            makeSample(2, 1, 10, 1, 0, 0, 1, 7), makeSample(1, 2, 20, 2, 0, 0, 1, 7),
            makeSample(1, 1, 30, 3, 0, 0, 1, 7), makeSample(1, 1, 25, 4, 0, 0, 1, 7),
            makeSample(1, 1, 25, 5, 0, 0, 1, 7),
        };
        QList<double> temps;
        for (const TestResultRow &s : orderedByRampStepTime(held))
            temps << s.sampleTemp;
        QCOMPARE(temps, (QList<double>{4, 5, 3, 2, 1}));
    }
};

QTEST_MAIN(TestDataReport)
#include "tst_datareport.moc"
