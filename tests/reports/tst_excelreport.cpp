#include "reports/excelreport.h"
#include "rheology/numberformat.h"
#include "xlsxsheet.h"
#include <QTemporaryDir>
#include <QtTest>

using namespace reports;

namespace {

TestResultRow sample(double ramp, double step, double seconds, double temp, double rate, double stress,
                     double type, double pH)
{
    TestResultRow s;
    s.rampNo = ramp;
    s.rampStepNo = step;
    s.resultTime = seconds;
    s.sampleTemp = temp;
    s.shearRate = rate;
    s.shearStress = stress;
    s.typeId = type;
    s.pH = pH;
    return s;
}

rheology::RampResult ramp(int k, bool accepted)
{
    rheology::RampResult r;
    r.rampNo = k;
    r.closingTime = 60.0 * k;
    r.temperature = 75.4;
    r.nPrime = 0.5123;
    r.kPrime = 0.04788;           // 0.01 lbf·s^n/100 ft²
    r.rSquared = 0.998;
    r.kv = 0.04788;
    r.kSlot = 0.09576;
    r.visc40 = 123.4;
    r.visc100 = 80;
    r.visc170 = 60;
    r.pH = 8.2;
    r.accepted = accepted;
    return r;
}

TestReportData fixture(int additives, int ramps)
{
    TestReportData d;
    d.info.testId = 3;
    d.info.testName = QStringLiteral("Borate XL");
    d.info.fluidId = QStringLiteral("F-9");
    d.info.testTime = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9));
    d.info.researcherName = QStringLiteral("A. Lab");
    d.info.rotorNo = QStringLiteral("R1");
    d.info.bobNo = QStringLiteral("B1");
    d.info.pretestPH = 7;
    d.info.posttestPH = 6.5;
    d.info.safety = QStringLiteral("Notes & <remarks>");
    for (int i = 0; i < additives; ++i) {
        TestAdditiveRow a;
        a.additiveName = QStringLiteral("Additive %1").arg(i + 1);
        a.concentration = 2.5 * (i + 1);
        a.unit = QStringLiteral("gpt");
        a.lotNo = QStringLiteral("LOT%1").arg(i + 1);
        d.additives << a;
    }
    d.ramps.lastRamp = ramps;
    for (int k = 1; k <= ramps; ++k)
        d.ramps.results << ramp(k, k != 2);
    return d;
}

// What the cell shows: its number through its number format.
QString shown(const XlsxSheet &sheet, const QString &ref)
{
    return formatNumber(sheet.number(ref), sheet.format(ref));
}

} // namespace

class TestExcelReport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    XlsxSheet write(const TestReportData &data, const std::vector<TestResultRow> &samples, const QString &name)
    {
        VectorSampleSource source(samples);
        const ReportStatus status = writeExcelDetailReport(path(name), data, source);
        [&] { QVERIFY2(status.ok(), qPrintable(status.detail)); }();
        XlsxSheet sheet;
        [&] { QVERIFY2(sheet.load(path(name)), qPrintable(sheet.error())); }();
        return sheet;
    }

private slots:
    void layoutWithTwoAdditivesAndThreeRamps()
    {
        const std::vector<TestResultRow> samples = {
            sample(0, 0, 90, 75.5, 0, 51.1, 0, 7.04),
            sample(1, 1, 30, 80.25, 170.3456, 20, 1, 6.96),
        };
        const XlsxSheet s = write(fixture(2, 3), samples, QStringLiteral("layout.xlsx"));
        if (QTest::currentTestFailed())
            return;

        QCOMPARE(s.text("A1"), QStringLiteral("KX720ph Test Report"));
        QVERIFY(!s.has("A2"));
        QCOMPARE(s.text("A3"), QStringLiteral("Test Name:"));
        QCOMPARE(s.text("B3"), QStringLiteral("Borate XL"));
        QCOMPARE(s.text("A5"), QStringLiteral("Test Time:"));
        QVERIFY(s.isNumber("B5"));     // a date value: 2024-03-05 14:07:09
        QCOMPARE(s.number("B5"), 45356.0 + (14 * 3600 + 7 * 60 + 9) / 86400.0);
        QVERIFY(s.format("B5").contains(QStringLiteral("yyyy")));
        QCOMPARE(s.text("A10"), QStringLiteral("Post-Test pH:"));
        QVERIFY(s.isNumber("B10"));
        QCOMPARE(s.number("B10"), 6.5);
        QCOMPARE(s.text("B11"), QStringLiteral("Notes & <remarks>"));
        QCOMPARE(s.text("D12"), QStringLiteral("Lot Number"));
        QCOMPARE(s.text("A14"), QStringLiteral("Additive 2"));
        QCOMPARE(s.number("B14"), 5.0);
        QCOMPARE(s.text("D14"), QStringLiteral("LOT2"));
        QVERIFY(!s.has("A15"));
        QCOMPARE(s.text("A16"), QStringLiteral("Comments:"));
        QCOMPARE(s.text("B16"), QStringLiteral("Notes & <remarks>"));
        QCOMPARE(s.text("A17"), QStringLiteral("Results:"));
        QCOMPARE(s.text("A18"), QStringLiteral("Shear Ramp"));
        QCOMPARE(s.text("C18"), QString::fromUtf8("Temp (°F)"));
        QCOMPARE(s.text("K18"), QStringLiteral("Calc. 170 (1/S)"));
        QVERIFY(!s.has("L18"));

        for (int row = 19; row <= 21; ++row) {
            const QString r = QString::number(row);
            QCOMPARE(s.number("A" + r), double(row - 18));
            QVERIFY(!s.has("L" + r));          // the pH of the results never reaches the sheet
        }
        QCOMPARE(s.number("D19"), 0.5123);
        QCOMPARE(shown(s, "E19"), QStringLiteral("0.0100"));
        QCOMPARE(s.number("I19"), 123.4);
        QCOMPARE(s.number("D20"), 0.5123);     // rejected fit: n' kept, derived values 0
        QCOMPARE(s.number("E20"), 0.0);
        QCOMPARE(s.number("K20"), 0.0);

        QCOMPARE(s.text("A22"), QStringLiteral("Ramp NO"));
        QCOMPARE(s.text("F22"), QStringLiteral("Shear Stress (dyn/cm2)"));
        QCOMPARE(s.text("J22"), QStringLiteral("Fann35 Dial (degree)"));

        // First sample, row 23: 90 s, zero shear rate, stress 51.1.
        QCOMPARE(s.number("C23"), 1.5);
        QCOMPARE(shown(s, "C23"), QStringLiteral("1.5"));
        QCOMPARE(s.number("D23"), 75.5);
        QCOMPARE(shown(s, "E23"), QStringLiteral("."));
        QCOMPARE(s.number("F23"), 51.1);
        QCOMPARE(shown(s, "H23"), QStringLiteral("7."));
        QVERIFY(!s.has("I23"));                // no viscosity without a shear rate
        QCOMPARE(s.number("J23"), 10.0);
        QCOMPARE(shown(s, "J23"), QStringLiteral("10."));
        // Second sample, row 24.
        QCOMPARE(s.number("A24"), 1.0);
        QCOMPARE(shown(s, "C24"), QStringLiteral(".5"));
        QCOMPARE(s.number("E24"), 170.346);
        QCOMPARE(shown(s, "E24"), QStringLiteral("170.346"));
        QCOMPARE(shown(s, "H24"), QStringLiteral("7."));
        QCOMPARE(shown(s, "I24"), QStringLiteral("11.7"));
        QCOMPARE(shown(s, "J24"), QStringLiteral("3.91"));
        QCOMPARE(s.lastRow(), 24);

        // Printing: landscape, one page wide and ten tall, the sample header
        // repeated on every page.
        QVERIFY(s.sheetXml.contains("orientation=\"landscape\""));
        QVERIFY(s.sheetXml.contains("fitToHeight=\"10\""));
        QVERIFY(s.sheetXml.contains("fitToPage=\"1\""));
        QVERIFY(s.workbookXml.contains("_xlnm.Print_Titles"));
        QVERIFY(s.workbookXml.contains("Sheet1!$22:$22"));
    }

    void noAdditivesNoSamples()
    {
        const XlsxSheet s = write(fixture(0, 1), {}, QStringLiteral("empty.xlsx"));
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(s.text("A12"), QStringLiteral("Additives"));
        QVERIFY(!s.has("A13"));
        QCOMPARE(s.text("A14"), QStringLiteral("Comments:"));
        QCOMPARE(s.text("A15"), QStringLiteral("Results:"));
        QCOMPARE(s.number("A17"), 1.0);
        QCOMPARE(s.text("A18"), QStringLiteral("Ramp NO"));
        QCOMPARE(s.lastRow(), 18);
        QVERIFY(!s.sheetXml.contains("landscape"));
        QVERIFY(!s.sheetXml.contains("fitToPage"));
        QVERIFY(!s.workbookXml.contains("Print_Titles"));
    }

    // A ramp with too few points keeps its row, with only its number.
    void rampWithoutResult()
    {
        TestReportData d = fixture(0, 3);
        d.ramps.results.removeAt(1);
        const XlsxSheet s = write(d, {sample(1, 1, 60, 70, 10, 5, 1, 7)}, QStringLiteral("gap.xlsx"));
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(s.number("A18"), 2.0);
        QVERIFY(!s.has("B18"));
        QCOMPARE(s.number("A19"), 3.0);
        QCOMPARE(s.number("B19"), 3.0);
        QCOMPARE(s.text("A20"), QStringLiteral("Ramp NO"));
    }

    void cancelLeavesExistingFileUntouched_data()
    {
        QTest::addColumn<int>("samples");
        QTest::newRow("while streaming samples") << 20000;
        QTest::newRow("at the end") << 3;
    }

    void cancelLeavesExistingFileUntouched()
    {
        QFETCH(int, samples);
        const QString file = path(QStringLiteral("keep.xlsx"));
        {
            QFile old(file);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("earlier export");
        }
        std::vector<TestResultRow> rows(samples, sample(1, 1, 60, 70, 10, 5, 1, 7));
        VectorSampleSource source(rows);
        int calls = 0;
        const ReportStatus status = writeExcelDetailReport(file, fixture(1, 1), source, [&](qint64 done, qint64 total) {
            ++calls;
            [&] { QCOMPARE(total, qint64(samples)); }();
            return done < 10000 && done < total;
        });
        QCOMPARE(status.error, ReportError::Cancelled);
        QVERIFY(calls >= 1);
        QFile old(file);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("earlier export"));
        QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("keep.xlsx*")}, QDir::Files),
                 QStringList{QStringLiteral("keep.xlsx")});
    }

    void unwritablePlaceIsAnError()
    {
        std::vector<TestResultRow> rows;
        VectorSampleSource source(rows);
        const ReportStatus status =
            writeExcelDetailReport(path(QStringLiteral("missing/dir/out.xlsx")), fixture(0, 0), source);
        QCOMPARE(status.error, ReportError::CannotWrite);
        QVERIFY(!status.detail.isEmpty());
    }

    void defaultFileName_data()
    {
        QTest::addColumn<QString>("test");
        QTest::addColumn<QString>("file");
        QTest::newRow("plain") << "Guar 40" << "Guar 40.xlsx";
        QTest::newRow("slashes and colons") << "HPG 3/5 12:00" << "HPG 3_5 12_00.xlsx";
        QTest::newRow("blank") << "  " << "KX720ph Test Report.xlsx";
    }

    void defaultFileName()
    {
        QFETCH(QString, test);
        QFETCH(QString, file);
        QCOMPARE(defaultExcelFileName(test), file);
    }
};

QTEST_MAIN(TestExcelReport)
#include "tst_excelreport.moc"
