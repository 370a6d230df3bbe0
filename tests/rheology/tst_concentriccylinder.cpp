// Checks the ramp evaluation against the exact flow of a power-law fluid in
// the gap between a stationary bob and the rotating cup, worked out here from
// the momentum balance alone:
//   stress   tau(r) = tau_b (Rb / r)^2            (torque is the same at every r)
//   rate     gamma(r) = (tau(r) / K)^(1/n)
//   cup speed  Omega = integral over Rb..Rc of gamma(r) / r dr
//                    = (tau_b / K)^(1/n) (n / 2) (1 - (Rb / Rc)^(2/n))
// so the bob stress at a cup speed is tau_b = K (2 Omega / (n (1 - (Rb/Rc)^(2/n))))^n,
// and the nominal (Newtonian) bob shear rate is 2 Omega Rc^2 / (Rc^2 - Rb^2).
#include "rheology/rampanalysis.h"
#include <QtTest>
#include <cmath>
#include <numbers>

using namespace rheology;

namespace {

constexpr double kCupRadius = 1.8415;
const QList<double> kRotorRpm{3, 6, 30, 60, 100, 200, 300, 600};

double omegaOf(double rpm) { return 2 * std::numbers::pi * rpm / 60; }

double bobStress(double K, double n, double bobRadius, double rpm)
{
    const double gap = 1 - std::pow(bobRadius / kCupRadius, 2 / n);
    return K * std::pow(2 * omegaOf(rpm) / (n * gap), n);
}

double nominalRate(double bobRadius, double rpm)
{
    const double rc2 = kCupRadius * kCupRadius;
    return 2 * omegaOf(rpm) * rc2 / (rc2 - bobRadius * bobRadius);
}

RampResult evaluateFluid(double K, double n, double bobRadius)
{
    TestInfoRow info;
    info.bobRadius = bobRadius;
    std::vector<TestResultRow> samples;
    double t = 0;
    for (double rpm : kRotorRpm) {
        TestResultRow s;
        s.rampNo = 1;
        s.typeId = 1;
        s.resultTime = t += 20;
        s.shearRate = nominalRate(bobRadius, rpm);
        s.shearStress = bobStress(K, n, bobRadius, rpm);
        samples.push_back(s);
    }
    const RampEvaluation ev = EvaluateRamps(info, samples);
    return ev.results.value(0);
}

bool near(double actual, double expected, double relative)
{
    return std::fabs(actual - expected) <= relative * std::fabs(expected);
}

} // namespace

class tst_ConcentricCylinder : public QObject
{
    Q_OBJECT
private slots:
    void nominalRateMatchesRotorSpeed_data() { bobs(); }
    void nominalRateMatchesRotorSpeed();
    void powerLawConsistencyRecovered_data();
    void powerLawConsistencyRecovered();
    void newtonianViscosityIsRateIndependent_data() { bobs(); }
    void newtonianViscosityIsRateIndependent();

private:
    void bobs();
};

void tst_ConcentricCylinder::bobs()
{
    QTest::addColumn<double>("bobRadius");
    QTest::newRow("B1") << 1.7245;
    QTest::newRow("B2") << 1.2276;
    QTest::newRow("B3/B4") << 0.8622;
    QTest::newRow("B5") << 1.5987;
}

void tst_ConcentricCylinder::nominalRateMatchesRotorSpeed()
{
    QFETCH(double, bobRadius);
    // The instrument's rate per rpm is the nominal bob shear rate (its pi is
    // rounded to 3.14159, hence the loose tolerance).
    for (double rpm : kRotorRpm)
        QVERIFY(near(rpm * RampGeometry(bobRadius).shearRatePerRpm, nominalRate(bobRadius, rpm), 1e-5));
}

void tst_ConcentricCylinder::powerLawConsistencyRecovered_data()
{
    QTest::addColumn<double>("bobRadius");
    QTest::addColumn<double>("K");     // dyn·s^n/cm²
    QTest::addColumn<double>("n");
    const QList<QPair<QString, double>> bobList{
        {"B1", 1.7245}, {"B2", 1.2276}, {"B3", 0.8622}, {"B5", 1.5987}};
    for (const auto &b : bobList) {
        QTest::newRow(qPrintable(b.first + " K=10 n=0.5")) << b.second << 10.0 << 0.5;
        QTest::newRow(qPrintable(b.first + " K=2.5 n=0.3")) << b.second << 2.5 << 0.3;
        QTest::newRow(qPrintable(b.first + " K=0.04 n=1.4")) << b.second << 0.04 << 1.4;
    }
}

void tst_ConcentricCylinder::powerLawConsistencyRecovered()
{
    QFETCH(double, bobRadius);
    QFETCH(double, K);
    QFETCH(double, n);
    const RampResult r = evaluateFluid(K, n, bobRadius);
    QVERIFY(r.accepted);
    QVERIFY2(near(r.nPrime, n, 1e-9), qPrintable(QString::number(r.nPrime, 'g', 15)));
    QVERIFY(near(r.rSquared, 1, 1e-9));
    // Kv is the fluid's own consistency, whatever the bob.
    QVERIFY2(near(r.kv, K, 1e-9), qPrintable(QString::number(r.kv, 'g', 15)));
    // K' is the bob-side value: the gap correction really had work to do.
    QVERIFY(!near(r.kPrime, K, 1e-6));
}

void tst_ConcentricCylinder::newtonianViscosityIsRateIndependent()
{
    QFETCH(double, bobRadius);
    const double viscosityPoise = 0.47;   // 47 cP
    const RampResult r = evaluateFluid(viscosityPoise, 1.0, bobRadius);
    QVERIFY(r.accepted);
    QVERIFY(near(r.nPrime, 1, 1e-9));
    QVERIFY(near(r.kPrime, viscosityPoise, 1e-9));
    QVERIFY(near(r.kv, viscosityPoise, 1e-9));
    QVERIFY(near(r.visc40, 47, 1e-9));
    QVERIFY(near(r.visc100, 47, 1e-9));
    QVERIFY(near(r.visc170, 47, 1e-9));
}

QTEST_APPLESS_MAIN(tst_ConcentricCylinder)
#include "tst_concentriccylinder.moc"
