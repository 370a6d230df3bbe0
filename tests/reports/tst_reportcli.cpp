#include "reportfixture.h"
#include "reports/briefreport.h"
#include "support/testdatabase.h"
#include "xlsxsheet.h"
#include <QProcess>
#include <QtTest>
#include <cmath>

using namespace reports;

namespace {

struct Result
{
    int exitCode = -1;
    QString out;
    QString err;
};

QString cli()
{
    return QDir(qEnvironmentVariable("ROVUDAZE_BIN_DIR")).filePath(QStringLiteral("tools/rovudaze-cli"));
}

Result runCli(const QString &dir, const QStringList &arguments)
{
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start(cli(), arguments);
    Result r;
    if (!p.waitForFinished(120000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Text of a PDF in drawing order with blanks collapsed.
QString pdfText(const QString &file)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), file, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

QString readText(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Two ramps of power-law data (n 0.6, K 2 dyn·s^n/cm²) between ordinary samples.
std::vector<TestResultRow> samples()
{
    std::vector<TestResultRow> rows;
    double t = 0;
    for (int ramp = 1; ramp <= 2; ++ramp) {
        for (int i = 0; i < 5; ++i)
            rows.push_back(makeSample(ramp - 1, 0, t += 30, 80 + ramp, 170, 2 * std::pow(170.0, 0.6), 0, 7.2));
        int step = 0;
        for (double rate : {511.0, 340.0, 170.0, 100.0}) {
            rows.push_back(makeSample(ramp, ++step, t += 30, 80 + ramp, rate, 2 * std::pow(rate, 0.6), 1, 7.2));
        }
    }
    rows.push_back(makeSample(2, 0, t += 30, 90, 0, 12.5, 0, 0.1 + 0.2));   // zero rate, awkward pH
    return rows;
}

} // namespace

class TestReportCli : public QObject
{
    Q_OBJECT

    TestDatabase m_db;
    std::vector<TestResultRow> m_samples;

    QString dir() const { return m_db.dir(); }
    QString file(const QString &name) const { return QDir(dir()).filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(cli()), qPrintable(cli()));
        QVERIFY(m_db.isValid());
        TestInfoRow info;
        info.testName = QStringLiteral("CLI Test");
        info.fluidId = QStringLiteral("Slick-1");
        info.testTime = QDateTime(QDate(2024, 1, 2), QTime(8, 0, 0));
        info.bobNo = QStringLiteral("B1");
        info.bobRadius = 1.7245;
        info.safety = QStringLiteral("From the command line");
        TestAdditiveRow kcl;
        kcl.additiveName = QStringLiteral("KCl");
        kcl.concentration = 2.5;
        kcl.unit = QStringLiteral("%");
        kcl.lotNo = QStringLiteral("L1");
        TestAdditiveRow guar = kcl;
        guar.additiveName = QStringLiteral("Guar");
        guar.concentration = 40;
        guar.unit = QStringLiteral("ppt");
        m_samples = samples();
        storeTest(m_db.connection(), info, {kcl, guar}, m_samples);
    }

    void briefAsText()
    {
        const Result r = runCli(dir(), {"report", "brief", "--test", "CLI Test", "--text", "brief.txt"});
        QCOMPARE(r.exitCode, 0);
        TestReportData data;
        QVERIFY(loadTestReportData(m_db.connection(), QStringLiteral("CLI Test"), data).ok());
        QCOMPARE(data.ramps.results.size(), 2);
        const QString text = readText(file(QStringLiteral("brief.txt")));
        QCOMPARE(text, briefReportText(briefReportLines(data)));
        QVERIFY(text.contains(QStringLiteral("\nExperiment                 Test Name:             CLI Test\n")));
        QVERIFY(text.contains(QStringLiteral("\nKCl    02.50    %    L1\nGuar    40.00    ppt    L1\n")));
        // Ramp 1 closes on the first sample of ramp 2 (7.5 min), ramp 2 on the last sample.
        QVERIFY2(text.endsWith(QStringLiteral(
                     "\n01   008.  082.0 0.600 0.41771 1.000  0.4072  0.4593    50.    35.    28.  7.2"
                     "\n02   010.  090.0 0.600 0.41771 1.000  0.4072  0.4593    50.    35.    28.  0.3\n")),
                 qPrintable(text.right(400)));
    }

    void briefAsPdf()
    {
        const Result r = runCli(dir(), {"report", "brief", "--test", "CLI Test", "--pdf", "brief.pdf"});
        QCOMPARE(r.exitCode, 0);
        const QString text = pdfText(file(QStringLiteral("brief.pdf")));
        QVERIFY(text.contains(QStringLiteral("Test Report of KX720ph Viscometer.")));
        QVERIFY2(text.contains(QStringLiteral("Comments From the command line")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("01 008. 082.0 0.600 0.41771 1.000 0.4072 0.4593 50. 35. 28. 7.2")));
    }

    void excel()
    {
        const Result r = runCli(dir(), {"report", "excel", "--test", "CLI Test", "--out", "detail.xlsx"});
        QCOMPARE(r.exitCode, 0);
        XlsxSheet s;
        QVERIFY2(s.load(file(QStringLiteral("detail.xlsx"))), qPrintable(s.error()));
        QCOMPARE(s.text("A17"), QStringLiteral("Results:"));
        QCOMPARE(s.number("A19"), 1.0);
        QCOMPARE(s.number("A20"), 2.0);
        QCOMPARE(s.text("A21"), QStringLiteral("Ramp NO"));
        QCOMPARE(s.lastRow(), 21 + int(m_samples.size()));
        QCOMPARE(s.number("C22"), 0.5);                  // first sample, 30 s
        const QString last = QString::number(s.lastRow());
        QVERIFY(!s.has("I" + last));                      // zero shear rate
        QCOMPARE(s.number("H" + last), 0.3);
    }

    void dataReport()
    {
        const Result r = runCli(dir(), {"report", "data", "--test", "CLI Test", "--pdf", "data.pdf"});
        QCOMPARE(r.exitCode, 0);
        const QString text = pdfText(file(QStringLiteral("data.pdf")));
        QVERIFY(text.contains(QStringLiteral("KX720pH Viscosity Test Report")));
        QVERIFY(text.contains(QStringLiteral("CLI Test")));
        QVERIFY2(text.contains(QStringLiteral("1.250e+10")), qPrintable(text));   // 12.5 at zero shear rate
    }

    void csv()
    {
        const Result r = runCli(dir(), {"export", "csv", "--test", "CLI Test", "--out", "samples.csv"});
        QCOMPARE(r.exitCode, 0);
        const QStringList lines = readText(file(QStringLiteral("samples.csv"))).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), int(m_samples.size()) + 1);
        QCOMPARE(lines.first(), QStringLiteral("TEST_RESULT_ID,TEST_ID,RAMP_NO,RAMP_STEP_NO,RESULT_TIME,RESULT_SAMPLE_TEMP,"
                                               "RESULT_PRESS,RESULT_SHEAR_RATE,RESULT_SHEAR_STRESS,RESULT_TYPE_ID,RESULT_BATH_TEMP"));
        // Every number comes back exactly.
        for (size_t i = 0; i < m_samples.size(); ++i) {
            const QStringList cells = lines.at(int(i) + 1).split(QLatin1Char(','));
            QCOMPARE(cells.size(), 11);
            for (int c = 2; c < 11; ++c)
                QCOMPARE(cells.at(c).toDouble(), m_samples[i][c]);
        }
        QVERIFY(lines.last().endsWith(QStringLiteral(",0.30000000000000004")));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("output");
        QTest::newRow("unknown test") << QStringList{"report", "excel", "--test", "Nope", "--out", "x.xlsx"}
                                      << "Nope" << "x.xlsx";
        QTest::newRow("unknown test, csv") << QStringList{"export", "csv", "--test", "Nope", "--out", "x.csv"}
                                           << "Nope" << "x.csv";
        QTest::newRow("brief needs one file") << QStringList{"report", "brief", "--test", "CLI Test"} << "--pdf" << "";
        QTest::newRow("brief, both files") << QStringList{"report", "brief", "--test", "CLI Test", "--pdf", "b.pdf",
                                                          "--text", "b.txt"} << "exactly one" << "b.pdf";
        QTest::newRow("no kind") << QStringList{"report", "--test", "CLI Test"} << "brief, excel or data" << "";
        QTest::newRow("no test") << QStringList{"report", "data", "--pdf", "d.pdf"} << "--test" << "d.pdf";
        QTest::newRow("unknown format") << QStringList{"export", "xml", "--test", "CLI Test", "--out", "x.xml"}
                                        << "csv" << "x.xml";
    }

    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        QFETCH(QString, output);
        const Result r = runCli(dir(), arguments);
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        if (!output.isEmpty())
            QVERIFY(!QFile::exists(file(output)));
    }

    // Without a database in the directory the commands say so and create none.
    void noDatabaseHere()
    {
        QTemporaryDir empty;
        const Result r = runCli(empty.path(), {"report", "brief", "--test", "CLI Test", "--text", "b.txt"});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(QStringLiteral("KX720pH.db")), qPrintable(r.err));
        QCOMPARE(QDir(empty.path()).entryList(QDir::Files), QStringList());
    }
};

QTEST_MAIN(TestReportCli)
#include "tst_reportcli.moc"
