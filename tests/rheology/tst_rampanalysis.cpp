#include "rheology/liverampevaluator.h"
#include "rheology/rampanalysis.h"
#include <QtTest>
#include <cmath>
#include <limits>

using namespace rheology;

namespace {

TestResultRow sample(double rampNo, double time, double rate, double stress, double type = 1,
                     double temp = 150, double pH = 7)
{
    TestResultRow s;
    s.testId = 1;
    s.rampNo = rampNo;
    s.resultTime = time;
    s.sampleTemp = temp;
    s.shearRate = rate;
    s.shearStress = stress;
    s.typeId = type;
    s.pH = pH;
    return s;
}

// Appends one ramp of power-law samples (stress = K·rate^n) to samples.
void addPowerLawRamp(std::vector<TestResultRow> &samples, int rampNo, double K, double n,
                     const QList<double> &rates)
{
    double t = samples.empty() ? 0 : samples.back().resultTime;
    for (double rate : rates)
        samples.push_back(sample(rampNo, t += 10, rate, K * std::pow(rate, n)));
}

TestInfoRow bob(double radius)
{
    TestInfoRow info;
    info.testId = 1;
    info.bobRadius = radius;
    return info;
}

const QList<double> kRates{25, 50, 100, 200, 400};

} // namespace

class tst_RampAnalysis : public QObject
{
    Q_OBJECT
private slots:
    void perfectPowerLaw_data();
    void perfectPowerLaw();
    void usablePoints_data();
    void usablePoints();
    void acceptanceWindow_data();
    void acceptanceWindow();
    void rejectedFitsFromData_data();
    void rejectedFitsFromData();
    void degenerateFitNeverBorrowsAnotherRamp_data();
    void degenerateFitNeverBorrowsAnotherRamp();
    void rampCollectionAndClosingSample();
    void lastSampleDecidesLastRamp();
    void geometryOfB1();
    void handCheckedAcceptedRamp();
    void noSamples();
    void damagedRampNumbers();
};

void tst_RampAnalysis::perfectPowerLaw_data()
{
    QTest::addColumn<double>("K");
    QTest::addColumn<double>("n");
    QTest::newRow("shear thinning") << 10.0 << 0.5;
    QTest::newRow("newtonian") << 0.35 << 1.0;
    QTest::newRow("strongly thinning") << 120.0 << 0.1;
    QTest::newRow("thickening") << 0.02 << 2.5;
    QTest::newRow("consistency below one") << 0.8 << 0.75;
}

void tst_RampAnalysis::perfectPowerLaw()
{
    QFETCH(double, K);
    QFETCH(double, n);
    std::vector<TestResultRow> samples;
    addPowerLawRamp(samples, 1, K, n, kRates);
    const RampEvaluation ev = EvaluateRamps(bob(1.7245), samples);
    QCOMPARE(ev.results.size(), 1);
    const RampResult &r = ev.results.first();
    QVERIFY(r.accepted);
    QVERIFY(qAbs(r.nPrime - n) < 1e-9);
    QVERIFY(qAbs(r.kPrime / K - 1) < 1e-9);
    QVERIFY(qAbs(r.rSquared - 1) < 1e-9);
}

void tst_RampAnalysis::usablePoints_data()
{
    QTest::addColumn<QList<double>>("rates");      // one sample per entry
    QTest::addColumn<QList<double>>("stresses");
    QTest::addColumn<QList<double>>("types");
    QTest::addColumn<bool>("evaluated");

    QTest::newRow("3 points") << QList<double>{10, 20, 40} << QList<double>{5, 7, 10}
                              << QList<double>{1, 1, 1} << true;
    QTest::newRow("2 points") << QList<double>{10, 20} << QList<double>{5, 7}
                              << QList<double>{1, 1} << false;
    QTest::newRow("zero rate and zero stress dropped")
        << QList<double>{10, 0, 20, 30} << QList<double>{5, 6, 7, 0}
        << QList<double>{1, 1, 1, 1} << false;
    QTest::newRow("negative values dropped")
        << QList<double>{10, -5, 20, 30} << QList<double>{5, 6, -7, 9}
        << QList<double>{1, 1, 1, 1} << false;
    QTest::newRow("3 left after zeros")
        << QList<double>{0, 10, 20, 40, 50} << QList<double>{3, 5, 7, 10, 0}
        << QList<double>{1, 1, 1, 1, 1} << true;
    QTest::newRow("ordinary samples do not count")
        << QList<double>{10, 20, 40, 80, 160} << QList<double>{5, 7, 10, 14, 20}
        << QList<double>{1, 1, 0, 0, 0} << false;
}

void tst_RampAnalysis::usablePoints()
{
    QFETCH(QList<double>, rates);
    QFETCH(QList<double>, stresses);
    QFETCH(QList<double>, types);
    QFETCH(bool, evaluated);
    std::vector<TestResultRow> samples;
    for (int i = 0; i < rates.size(); ++i)
        samples.push_back(sample(1, 10.0 * i, rates[i], stresses[i], types[i]));
    const RampEvaluation ev = EvaluateRamps(bob(1.7245), samples);
    QCOMPARE(ev.lastRamp, 1);
    QCOMPARE(ev.results.size(), evaluated ? 1 : 0);
}

void tst_RampAnalysis::acceptanceWindow_data()
{
    QTest::addColumn<double>("slope");
    QTest::addColumn<double>("intercept");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("n' 0.002") << 0.002 << 1.0 << false;
    QTest::newRow("n' just above 0.002") << 0.0021 << 1.0 << true;
    QTest::newRow("n' 5") << 5.0 << 1.0 << false;
    QTest::newRow("n' just below 5") << 4.999 << 1.0 << true;
    QTest::newRow("n' 0") << 0.0 << 1.0 << false;
    QTest::newRow("n' negative") << -0.5 << 1.0 << false;
    QTest::newRow("intercept 32") << 0.5 << 32.0 << false;
    QTest::newRow("intercept just below 32") << 0.5 << 31.999 << true;
    QTest::newRow("negative intercept") << 0.5 << -3.0 << true;
}

void tst_RampAnalysis::acceptanceWindow()
{
    QFETCH(double, slope);
    QFETCH(double, intercept);
    QFETCH(bool, accepted);
    QCOMPARE(AcceptFit(slope, intercept), accepted);
}

void tst_RampAnalysis::rejectedFitsFromData_data()
{
    QTest::addColumn<double>("K");
    QTest::addColumn<double>("n");
    QTest::newRow("n' 5 exactly") << 1.0 << 5.0;
    QTest::newRow("n' above 5") << 1.0 << 6.0;
    QTest::newRow("n' below 0.002") << 50.0 << 0.001;
    QTest::newRow("n' negative") << 50.0 << -0.3;
    QTest::newRow("intercept above 32") << 1e33 << 0.5;
}

void tst_RampAnalysis::rejectedFitsFromData()
{
    QFETCH(double, K);
    QFETCH(double, n);
    std::vector<TestResultRow> samples;
    addPowerLawRamp(samples, 1, K, n, {1, 10, 100});
    const RampEvaluation ev = EvaluateRamps(bob(1.7245), samples);
    QCOMPARE(ev.results.size(), 1);
    const RampResult &r = ev.results.first();
    QVERIFY(!r.accepted);
    QVERIFY(qAbs(r.nPrime - n) < 1e-9);
    // Nothing derived is computed for a rejected ramp.
    QCOMPARE(r.kPrime, 0.0);
    QCOMPARE(r.kv, 0.0);
    QCOMPARE(r.kSlot, 0.0);
    QCOMPARE(r.visc100, 0.0);
}

void tst_RampAnalysis::degenerateFitNeverBorrowsAnotherRamp_data()
{
    QTest::addColumn<QList<double>>("rates");
    QTest::addColumn<QList<double>>("stresses");
    QTest::addColumn<bool>("afterGoodRamp");
    const QList<double> sameRates{100, 100, 100};
    const QList<double> logSumZero{0.1, 1, 10};
    const QList<double> flat{20, 20, 20};
    QTest::newRow("all rates equal, first ramp") << sameRates << QList<double>{5, 7, 9} << false;
    QTest::newRow("all rates equal, after a good ramp") << sameRates << QList<double>{5, 7, 9} << true;
    QTest::newRow("log stresses sum to zero") << QList<double>{10, 100, 1000} << logSumZero << true;
    QTest::newRow("all stresses equal") << QList<double>{10, 100, 1000} << flat << true;
}

void tst_RampAnalysis::degenerateFitNeverBorrowsAnotherRamp()
{
    QFETCH(QList<double>, rates);
    QFETCH(QList<double>, stresses);
    QFETCH(bool, afterGoodRamp);
    std::vector<TestResultRow> samples;
    int ramp = 1;
    if (afterGoodRamp)
        addPowerLawRamp(samples, ramp++, 10, 0.5, kRates);
    for (int i = 0; i < rates.size(); ++i)
        samples.push_back(sample(ramp, 1000.0 + i, rates[i], stresses[i]));
    const RampEvaluation ev = EvaluateRamps(bob(1.7245), samples);
    QCOMPARE(ev.results.size(), ramp);
    if (afterGoodRamp)
        QVERIFY(ev.results.first().accepted);
    const RampResult &r = ev.results.last();
    QCOMPARE(r.rampNo, ramp);
    QVERIFY(!r.accepted);
    QCOMPARE(r.nPrime, 0.0);
    QCOMPARE(r.rSquared, 0.0);
    QCOMPARE(r.kPrime, 0.0);
}

void tst_RampAnalysis::rampCollectionAndClosingSample()
{
    // Ramp 1 evaluable, ramp 2 two points short, ramp 3 evaluable and last.
    std::vector<TestResultRow> s;
    s.push_back(sample(1, 10, 300, 999, 0, 100, 6.0));      // ordinary sample of step 1
    s.push_back(sample(1, 20, 10, 10 * std::sqrt(10.0), 1));
    s.push_back(sample(1, 30, 40, 10 * std::sqrt(40.0), 1));
    s.push_back(sample(1, 40, 160, 10 * std::sqrt(160.0), 1));
    s.push_back(sample(1, 45, 500, 1, 0));                   // ordinary, off the line
    s.push_back(sample(2, 60, 170, 50, 0, 180, 6.5));        // closes ramp 1
    s.push_back(sample(2, 70, 10, 20, 1));
    s.push_back(sample(2, 80, 40, 30, 1));
    s.push_back(sample(3, 90, 170, 50, 0, 190, 6.8));        // closes ramp 2 (no row)
    s.push_back(sample(3, 100, 10, 5, 1));
    s.push_back(sample(3, 110, 40, 10, 1));
    s.push_back(sample(3, 120, 160, 20, 1, 212, 7.25));      // last sample closes ramp 3

    const RampEvaluation ev = EvaluateRamps(bob(1.7245), s);
    QCOMPARE(ev.lastRamp, 3);
    QCOMPARE(ev.results.size(), 2);

    const RampResult &r1 = ev.results[0];
    QCOMPARE(r1.rampNo, 1);
    QCOMPARE(r1.closingTime, 60.0);
    QCOMPARE(r1.temperature, 180.0);
    QCOMPARE(r1.pH, 6.5);
    QVERIFY(r1.accepted);
    QVERIFY(qAbs(r1.nPrime - 0.5) < 1e-12);            // ordinary samples stayed out
    QVERIFY(qAbs(r1.rSquared - 1) < 1e-12);

    const RampResult &r3 = ev.results[1];
    QCOMPARE(r3.rampNo, 3);
    QCOMPARE(r3.closingTime, 120.0);
    QCOMPARE(r3.temperature, 212.0);
    QCOMPARE(r3.pH, 7.25);
    QVERIFY(qAbs(r3.nPrime - 0.5) < 1e-12);
}

void tst_RampAnalysis::lastSampleDecidesLastRamp()
{
    // Unread samples with a lower RAMP_NO go to the ramp being collected; the
    // last sample's RAMP_NO bounds the ramps evaluated.
    std::vector<TestResultRow> s;
    addPowerLawRamp(s, 1, 10, 0.5, {10, 20, 40});
    addPowerLawRamp(s, 3, 10, 0.5, {10, 20});
    addPowerLawRamp(s, 2, 10, 0.5, {40});      // late RAMP_NO 2, taken by ramp 3
    RampEvaluation ev = EvaluateRamps(bob(1.7245), s);
    QCOMPARE(ev.lastRamp, 2);
    QCOMPARE(ev.results.size(), 1);          // ramp 3 lies beyond the last ramp
    QCOMPARE(ev.results[0].rampNo, 1);
    QCOMPARE(ev.results[0].closingTime, s[3].resultTime);

    s.push_back(sample(3, 1000, 300, 10, 0));
    ev = EvaluateRamps(bob(1.7245), s);
    QCOMPARE(ev.lastRamp, 3);
    QCOMPARE(ev.results.size(), 2);
    QCOMPARE(ev.results[1].rampNo, 3);
    QVERIFY(qAbs(ev.results[1].nPrime - 0.5) < 1e-12);
    QCOMPARE(ev.results[1].closingTime, 1000.0);
}

void tst_RampAnalysis::geometryOfB1()
{
    const Geometry g = RampGeometry(1.7245);
    QCOMPARE(QString::number(g.shearRatePerRpm, 'f', 4), QStringLiteral("1.7023"));
    QCOMPARE(QString::number(g.B, 'f', 4), QStringLiteral("1.0678"));
    QCOMPARE(QString::number(RampGeometry(0.8622).B, 'f', 4), QStringLiteral("2.1358"));
}

void tst_RampAnalysis::handCheckedAcceptedRamp()
{
    // K' = 10, n' = 0.5 on the B1 bob (B = 1.06785, B^4 = 1.30029):
    // ratio = 0.14030·1.30029 / (1.14030·0.5·0.30029) = 1.06555,
    // Kv = 10 / √1.06555 = 9.6875, K'slot = Kv·√(2/1.5) = 11.1862,
    // viscosity = 100·K'slot/√γ: 176.87, 111.86, 85.79 cP.
    std::vector<TestResultRow> s;
    addPowerLawRamp(s, 1, 10, 0.5, kRates);
    const RampResult r = EvaluateRamps(bob(1.7245), s).results.value(0);
    QVERIFY(r.accepted);
    QVERIFY(qAbs(r.kPrime - 10) < 1e-9);
    QVERIFY(qAbs(r.kv - 9.68753) < 1e-4);
    QVERIFY(qAbs(r.kSlot - 11.18620) < 1e-4);
    QVERIFY(qAbs(r.visc40 - 176.869) < 1e-3);
    QVERIFY(qAbs(r.visc100 - 111.862) < 1e-3);
    QVERIFY(qAbs(r.visc170 - 85.794) < 1e-3);
}

void tst_RampAnalysis::noSamples()
{
    const RampEvaluation ev = EvaluateRamps(bob(1.7245), {});
    QCOMPARE(ev.lastRamp, 0);
    QVERIFY(ev.results.isEmpty());
}

void tst_RampAnalysis::damagedRampNumbers()
{
    // A RAMP_NO far out of range or unreadable must neither hang the
    // evaluation nor lose the ramps before it.
    std::vector<TestResultRow> s;
    addPowerLawRamp(s, 1, 10, 0.5, kRates);
    s.push_back(sample(1e15, 5000, 100, 40, 0));
    RampEvaluation ev = EvaluateRamps(bob(1.7245), s);
    QCOMPARE(ev.results.size(), 1);
    QCOMPARE(ev.results[0].closingTime, 5000.0);
    QVERIFY(ev.lastRamp >= 1000000);

    s.push_back(sample(std::numeric_limits<double>::quiet_NaN(), 5010, 100, 40, 1));
    ev = EvaluateRamps(bob(1.7245), s);
    QCOMPARE(ev.lastRamp, 0);
    QVERIFY(ev.results.isEmpty());

    LiveRampEvaluator live(bob(1.7245));
    for (const TestResultRow &row : s)
        live.append(row);
    QVERIFY(live.evaluation() == ev);
}

QTEST_APPLESS_MAIN(tst_RampAnalysis)
#include "tst_rampanalysis.moc"
