#include "reports/briefreport.h"
#include <QLocale>
#include <QtTest>

using rheology::RampResult;
using namespace reports;

namespace {

// An accepted ramp whose table values (lbf·s^n/100 ft²) are given directly.
RampResult accepted(int rampNo, double seconds, double tempF, double n, double kLbf, double r2, double kvLbf,
                    double kSlotLbf, double v40, double v100, double v170, double pH)
{
    RampResult r;
    r.rampNo = rampNo;
    r.closingTime = seconds;
    r.temperature = tempF;
    r.nPrime = n;
    r.kPrime = kLbf * 4.788;
    r.rSquared = r2;
    r.kv = kvLbf * 4.788;
    r.kSlot = kSlotLbf * 4.788;
    r.visc40 = v40;
    r.visc100 = v100;
    r.visc170 = v170;
    r.pH = pH;
    r.accepted = true;
    return r;
}

TestReportData fixture()
{
    TestReportData d;
    d.info.testId = 12;
    d.info.testName = QStringLiteral("Guar 40 ppt");
    d.info.fluidId = QStringLiteral("WF-40");
    d.info.testTime = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9));
    d.info.researcherName = QStringLiteral("J. Smith");
    d.info.rotorNo = QStringLiteral("R1");
    d.info.bobNo = QStringLiteral("B1");
    d.info.bobRadius = 1.7245;
    d.info.bobEffLength = 7.62;
    d.info.pretestPH = 7;
    d.info.posttestPH = 6.85;
    d.info.safety = QStringLiteral("Crosslinked at 150 F");

    d.ramps.lastRamp = 3;
    d.ramps.results << accepted(1, 90, 75.44, 0.5123, 0.01234, 0.99876, 0.0150, 0.0162, 123.4, 1234.6, 12.2, 7);
    RampResult rejected;           // all stresses equal: slope 0, fit refused
    rejected.rampNo = 2;
    rejected.closingTime = 600;
    rejected.temperature = 80;
    rejected.nPrime = 0;
    rejected.kPrime = 99;          // never shown for a rejected fit
    rejected.pH = 0.5;
    rejected.accepted = false;
    d.ramps.results << rejected;
    // ramp 3 collected too few points: no result
    return d;
}

const QString kDate = QStringLiteral("3/5/2024 2:07:09 PM");

} // namespace

class TestBriefReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void wholeReportWithoutAdditives()
    {
        const QStringList expected = {
            "Test Report of KX720ph Viscometer.",
            "",
            "Experiment                 Test Name:             Guar 40 ppt",
            "                           Fluid ID:              WF-40",
            "                           Test Time:             " + kDate,
            "                           Researcher Name:       J. Smith",
            "                           Rotor Number:          R1",
            "                           Bob Number:            B1",
            "                           Bob Radius (cm):       1.7245",
            "                           Bob Effective Length : 7.62",
            "                           Pre-Test pH:           7",
            "                           Post-Test pH:          6.85",
            "",
            "Description:",
            "Crosslinked at 150 F",
            "",
            "Additives              Concentration           Units          Lot Number",
            "",
            "",
            "Comments         Crosslinked at 150 F",
            "",
            "",
            "Results",
            "",
            "     Elapsed                    Coef.                  Calc.  Viscosity (cP) pH",
            "Shear  Time  Temp.   n'    K'   Detn.     Kv     K'slot via K' slot at (s^-1)   ",
            "Ramp  (min)   (F)               (R^2)   (lbf-s^n/ft^2)   40     100    170     ",
            "",
            "01   002.  075.4 0.512 0.01234 0.999  0.0150  0.0162    123.    1235.    12.  7.0",
            "02   010.  080.0 0.000 0.00000 0.000  0.0000  0.0000    00.    00.    00.  0.5",
            "03",
        };
        const QStringList lines = briefReportLines(fixture());
        for (int i = 0; i < std::min(lines.size(), expected.size()); ++i)
            QCOMPARE(lines.at(i), expected.at(i));
        QCOMPARE(lines.size(), expected.size());
    }

    void additiveLines_data()
    {
        QTest::addColumn<double>("concentration");
        QTest::addColumn<QString>("line");
        QTest::newRow("two and a half") << 2.5 << "KCl    02.50    %    L-77";
        QTest::newRow("none given") << 0.0 << "KCl    00.00    %    L-77";
        QTest::newRow("above 99 keeps its digits") << 125.0 << "KCl    125.00    %    L-77";
    }

    void additiveLines()
    {
        QFETCH(double, concentration);
        QFETCH(QString, line);
        TestReportData d = fixture();
        TestAdditiveRow a;
        a.additiveName = QStringLiteral("KCl");
        a.concentration = concentration;
        a.unit = QStringLiteral("%");
        a.lotNo = QStringLiteral("L-77");
        d.additives << a;
        const QStringList lines = briefReportLines(d);
        const int header = int(lines.indexOf(
            QStringLiteral("Additives              Concentration           Units          Lot Number")));
        QCOMPARE(lines.at(header + 1), QString());
        QCOMPARE(lines.at(header + 2), line);
        QCOMPARE(lines.at(header + 3), QString());
        QVERIFY(lines.at(header + 4).startsWith(QStringLiteral("Comments         ")));
    }

    // Notes with line breaks of their own keep them, under both headings.
    void multiLineNotes()
    {
        TestReportData d = fixture();
        d.info.safety = QStringLiteral("Line one\r\nLine two");
        const QStringList lines = briefReportLines(d);
        const int description = int(lines.indexOf(QStringLiteral("Description:")));
        QCOMPARE(lines.mid(description + 1, 2), (QStringList{"Line one", "Line two"}));
        const int comments = int(lines.indexOf(QStringLiteral("Comments         Line one")));
        QVERIFY(comments > description);
        QCOMPARE(lines.at(comments + 1), QStringLiteral("Line two"));
    }

    void resultCells_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("field");     // 0 visc40, 1 pH, 2 temperature
        QTest::addColumn<QString>("text");
        QTest::newRow("viscosity above 999") << 12345.4 << 0 << "12345.";
        QTest::newRow("viscosity below 10") << 7.4 << 0 << "07.";
        QTest::newRow("pH 7") << 7.0 << 1 << "7.0";
        QTest::newRow("pH below 1") << 0.44 << 1 << "0.4";
        QTest::newRow("pH 12.96") << 12.96 << 1 << "13.0";
        QTest::newRow("temperature above 999") << 1000.04 << 2 << "1000.0";
    }

    void resultCells()
    {
        QFETCH(double, value);
        QFETCH(int, field);
        QFETCH(QString, text);
        RampResult r = accepted(4, 60, 75, 0.5, 0.01, 0.9, 0.01, 0.01, 50, 50, 50, 7);
        if (field == 0)
            r.visc40 = value;
        else if (field == 1)
            r.pH = value;
        else
            r.temperature = value;
        const QString line = briefResultLine(4, &r);
        const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QCOMPARE(parts.size(), 12);
        QCOMPARE(parts.at(field == 0 ? 8 : field == 1 ? 11 : 2), text);
    }

    // 45 ramps: the first page holds 39 result rows, the break follows the
    // 39th and no other (and none after the last row).
    void pageBreakAfterRow39()
    {
        TestReportData d = fixture();
        d.ramps.results.clear();
        d.ramps.lastRamp = 45;
        for (int k = 1; k <= 45; ++k)
            d.ramps.results << accepted(k, 60.0 * k, 75, 0.5, 0.01, 0.9, 0.01, 0.01, 50, 50, 50, 7);
        const QStringList lines = briefReportLines(d);
        QCOMPARE(lines.count(kPageBreak), 1);
        const int brk = int(lines.indexOf(kPageBreak));
        QVERIFY(lines.at(brk - 1).startsWith(QStringLiteral("39   039.")));
        QVERIFY(lines.at(brk + 1).startsWith(QStringLiteral("40   040.")));
        QVERIFY(lines.last().startsWith(QStringLiteral("45   045.")));

        const QString text = briefReportText(lines);
        QCOMPARE(text.count(QLatin1Char('\f')), 1);
        QVERIFY(text.contains(QStringLiteral("039.  075.0")));
        QVERIFY(text.endsWith(QLatin1Char('\n')));

        d.ramps.lastRamp = 39;
        d.ramps.results.resize(39);
        QCOMPARE(briefReportLines(d).count(kPageBreak), 0);
    }

    void noRampResultsNoRows()
    {
        TestReportData d = fixture();
        d.ramps.results.clear();
        const QStringList lines = briefReportLines(d);
        QCOMPARE(lines.last(), QString());
        QCOMPARE(lines.at(lines.size() - 2),
                 QStringLiteral("Ramp  (min)   (F)               (R^2)   (lbf-s^n/ft^2)   40     100    170     "));
    }
};

QTEST_MAIN(TestBriefReport)
#include "tst_briefreport.moc"
