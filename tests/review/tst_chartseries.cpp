#include "review/chartseries.h"
#include "review/reviewfixture.h"
#include "sequences/unitsystem.h"
#include <QtTest>

using namespace review;

namespace {

TestResultRow sample(double time, double temp, double rate, double stress, double pH, int type = 0)
{
    TestResultRow r;
    r.resultTime = time;
    r.sampleTemp = temp;
    r.shearRate = rate;
    r.shearStress = stress;
    r.pH = pH;
    r.typeId = type;
    return r;
}

// Three samples out of x order for every type, one of them a ramp sample.
std::vector<TestResultRow> mixed()
{
    return {sample(600, 212, 100, 478.8, 7.0), sample(120, 122, 300, 957.6, 6.5, 1),
            sample(300, 32, 50, 47.88, 8.0)};
}

} // namespace

class tst_ChartSeries : public QObject
{
    Q_OBJECT
private slots:
    void typeLists();
    void chartLabelsAndValues_data();
    void chartLabelsAndValues();
    void curvesRunLeftToRightKeepingTies();
    void filterAppliesToFirstTypesOnly();
    void defaultChartSeries();
    void threeDTypes_data();
    void threeDTypes();
    void zeroShearRateStaysFinite();
    void chartsBeforeAnyTest();
};

void tst_ChartSeries::typeLists()
{
    QCOMPARE(chartTypeTexts(ChartMode::TwoD),
             QStringList({"Visc, Temp Vs Time", "Shr. Stress Vs. Shr. Rate", "Visc Vs. Sample Temp",
                          "Viscosity Vs. Shear Rate", "Shr. Stress Vs. Time", "Visc Vs. Time"}));
    QCOMPARE(chartTypeTexts(ChartMode::ThreeD),
             QStringList({"Visc Vs. Rate, Time", "Visc Vs. Rate, Temp", "Visc Vs. Temp, Time"}));
    for (int t = 0; t < 6; ++t)
        QCOMPARE(isOverlappable(ChartMode::TwoD, t), t != 0);
    for (int t = 0; t < 3; ++t)
        QVERIFY(!isOverlappable(ChartMode::ThreeD, t));
}

// Labels and plotted values must agree in every unit system: EI stresses
// are lb/100 ft², SI temperatures of the viscosity-temperature chart °C.
void tst_ChartSeries::chartLabelsAndValues_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("units");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("xLabel");
    QTest::addColumn<QString>("yLabel");
    QTest::addColumn<QPointF>("firstPoint");   // point of the lowest x

    const double visc50 = 100 * 47.88 / (1e-7 + 50);
    const double visc300 = 100 * 957.6 / (1e-7 + 300);
    QTest::newRow("stress-rate CGS") << 1 << 1 << "Shear Stress Vs. Shear Rate" << "Shear Rate (1/S)"
                                     << "Shear Stress (dyn/cm2)" << QPointF(50, 47.88);
    QTest::newRow("stress-rate EI") << 1 << 2 << "Shear Stress Vs. Shear Rate" << "Shear Rate (1/S)"
                                    << "Shear Stress (lb/100ft2)" << QPointF(50, 10);
    QTest::newRow("stress-rate SI") << 1 << 3 << "Shear Stress Vs. Shear Rate" << "Shear Rate (1/S)"
                                    << "Shear Stress (dyn/cm2)" << QPointF(50, 47.88);
    QTest::newRow("visc-temp CGS") << 2 << 1 << "Viscosity Vs. Temperature" << "Sample Temperature (°F)"
                                   << "Viscosity (Cp)" << QPointF(32, visc50);
    QTest::newRow("visc-temp EI") << 2 << 2 << "Viscosity Vs. Temperature" << "Sample Temperature (°F)"
                                  << "Viscosity (Cp)" << QPointF(32, visc50);
    QTest::newRow("visc-temp SI") << 2 << 3 << "Viscosity Vs. Temperature" << "Sample Temperature (°C)"
                                  << "Viscosity (Cp)" << QPointF(0, visc50);
    QTest::newRow("visc-rate") << 3 << 2 << "Viscosity Vs. Shear Rate" << "Shear Rate (1/S)" << "Viscosity (Cp)"
                               << QPointF(50, visc50);
    QTest::newRow("stress-time CGS") << 4 << 1 << "Shear Stress vs. Time" << "Time (S)" << "Shear Stress (dyn/cm2)"
                                     << QPointF(120, 957.6);
    QTest::newRow("stress-time EI") << 4 << 2 << "Shear Stress vs. Time" << "Time (S)"
                                    << "Shear Stress (lb/100ft2)" << QPointF(120, 200);
    QTest::newRow("visc-time SI") << 5 << 3 << "Viscosity vs. Time" << "Time (Min)" << "cP " << QPointF(2, visc300);
}

void tst_ChartSeries::chartLabelsAndValues()
{
    QFETCH(int, type);
    QFETCH(int, units);
    QFETCH(QString, title);
    QFETCH(QString, xLabel);
    QFETCH(QString, yLabel);
    QFETCH(QPointF, firstPoint);

    const Chart2D c = buildChart2D(type, mixed(), units, DataFilter::All, QStringLiteral("Gel 30"));
    QCOMPARE(c.type, type);
    QCOMPARE(c.title, title);
    QCOMPARE(c.subtitle, QStringLiteral("Gel 30"));
    QCOMPARE(c.xLabel, xLabel);
    QCOMPARE(c.yLabels, QStringList{yLabel});
    QCOMPARE(c.subsets.size(), 1);
    QCOMPARE(c.subsets[0].label, QStringLiteral("Gel 30"));
    QCOMPARE(c.pointCount(), 3);
    QVERIFY2(qAbs(c.subsets[0].points[0].x() - firstPoint.x()) < 1e-9, qPrintable(QString::number(c.subsets[0].points[0].x())));
    QVERIFY2(qAbs(c.subsets[0].points[0].y() - firstPoint.y()) < 1e-6 * qMax(1.0, qAbs(firstPoint.y())),
             qPrintable(QString::number(c.subsets[0].points[0].y(), 'g', 12)));
}

void tst_ChartSeries::curvesRunLeftToRightKeepingTies()
{
    // Equal shear rates (a ramp run twice) keep their stored order.
    const std::vector<TestResultRow> rows = {sample(1, 70, 200, 30, 7), sample(2, 70, 100, 10, 7),
                                             sample(3, 70, 200, 31, 7), sample(4, 70, 100, 11, 7),
                                             sample(5, 70, 50, 5, 7)};
    const QVector<QPointF> c = curve2D(StressRate, rows, UnitSystem::CGS);
    QCOMPARE(c, QVector<QPointF>({{50, 5}, {100, 10}, {100, 11}, {200, 30}, {200, 31}}));
}

void tst_ChartSeries::filterAppliesToFirstTypesOnly()
{
    const auto rows = reviewfixture::makeRun();
    const int all = int(rows.size());
    const int ordinary = all - reviewfixture::countRamp(rows);
    QVERIFY(ordinary < all);
    const Chart2D first = buildChart2D(ViscTempTime, rows, 1, DataFilter::NoRamp, "t");
    for (const Subset2D &s : first.subsets)
        QCOMPARE(s.points.size(), ordinary);
    QCOMPARE(buildChart3D(ViscRateTime, rows, DataFilter::NoRamp, "t").points.size(), ordinary);
    for (int type = 1; type < 6; ++type)
        QCOMPARE(buildChart2D(type, rows, 1, DataFilter::NoRamp, "t").pointCount(), all);
    QCOMPARE(buildChart3D(ViscRateTemp, rows, DataFilter::NoRamp, "t").points.size(), all);
    QCOMPARE(buildChart3D(ViscTempTime3D, rows, DataFilter::NoRamp, "t").points.size(), all);

    // A test of ramp samples only charts nothing under "No Ramp".
    reviewfixture::RunShape onlyRamps;
    onlyRamps.ordinaryPerStep = 0;
    QVERIFY(buildChart2D(ViscTempTime, reviewfixture::makeRun(onlyRamps), 1, DataFilter::NoRamp, "t").isEmpty());
}

void tst_ChartSeries::defaultChartSeries()
{
    // Type 0 keeps °F in every unit system and says so.
    const Chart2D c = buildChart2D(ViscTempTime, mixed(), UnitSystem::SI, DataFilter::All, "Gel 30");
    QCOMPARE(c.title, QStringLiteral("Viscosity & Temperature Vs. Time"));
    QCOMPARE(c.xLabel, QStringLiteral("Time (Min)"));
    QCOMPARE(c.yLabels, QStringList({"Viscosity (cP)", "Temperature (°F)", "pH"}));
    QCOMPARE(c.subsets.size(), 3);
    QCOMPARE(c.subsets[0].label, QStringLiteral("Viscosity"));
    QCOMPARE(c.subsets[1].label, QStringLiteral("Sample Temp."));
    QCOMPARE(c.subsets[2].label, QStringLiteral("pH"));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(c.subsets[i].yAxis, i);
    // Stored order, time in minutes.
    QCOMPARE(c.subsets[1].points, QVector<QPointF>({{10, 212}, {2, 122}, {5, 32}}));
    QCOMPARE(c.subsets[2].points, QVector<QPointF>({{10, 7.0}, {2, 6.5}, {5, 8.0}}));
    QCOMPARE(c.subsets[0].points[0].y(), 100 * 478.8 / (0.0001 + 100));
}

void tst_ChartSeries::threeDTypes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("xLabel");
    QTest::addColumn<QString>("zLabel");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("z");
    QTest::newRow("rate, time") << 0 << "Viscosity vs. Shear Rate & Time" << "Time (Min)" << "Shear Rate (1/S)"
                                << 10.0 << 100 * 478.8 / (0.0001 + 100) << 100.0;
    QTest::newRow("rate, temp") << 1 << "Viscosity vs. Shear Rate & Sample Temperature" << "Sample Temp (°F)"
                                << "Shear Rate (1/S)" << 212.0 << 100 * 478.8 / (1e-7 + 100) << 100.0;
    QTest::newRow("temp, time") << 2 << "Viscosity vs. Time & Sample Temperature" << "Sample Temp (°F)"
                                << "Time (Min)" << 212.0 << 100 * 478.8 / (1e-7 + 100) << 10.0;
}

void tst_ChartSeries::threeDTypes()
{
    QFETCH(int, type);
    QFETCH(QString, title);
    QFETCH(QString, xLabel);
    QFETCH(QString, zLabel);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, z);
    const Chart3D c = buildChart3D(type, mixed(), DataFilter::All, "Gel 30");
    QCOMPARE(c.title, title);
    QCOMPARE(c.subtitle, QStringLiteral("Gel 30"));
    QCOMPARE(c.xLabel, xLabel);
    QCOMPARE(c.yLabel, QStringLiteral("Viscosity (cP)"));
    QCOMPARE(c.zLabel, zLabel);
    QCOMPARE(c.points.size(), 3);
    QCOMPARE(c.points[0], (Point3D{x, y, z}));
}

void tst_ChartSeries::zeroShearRateStaysFinite()
{
    const std::vector<TestResultRow> rows = {sample(60, 70, 0, 12, 7)};
    for (int type = 0; type < 6; ++type)
        for (const Subset2D &s : buildChart2D(type, rows, 1, DataFilter::All, "t").subsets)
            for (const QPointF &p : s.points)
                QVERIFY(std::isfinite(p.x()) && std::isfinite(p.y()));
}

void tst_ChartSeries::chartsBeforeAnyTest()
{
    const Chart2D c = initialChart2D(UnitSystem::CGS);
    QCOMPARE(c.title, QStringLiteral("Viscosity & Temperature Vs. Time"));
    QVERIFY(c.subtitle.isEmpty());
    QCOMPARE(c.subsets.size(), 3);
    QVERIFY(c.isEmpty());
    const Chart3D d = initialChart3D();
    QCOMPARE(d.title, QStringLiteral("Viscosity Vs. Shear Rate & Sample Temp"));
    QVERIFY(d.points.isEmpty());
}

QTEST_GUILESS_MAIN(tst_ChartSeries)
#include "tst_chartseries.moc"
