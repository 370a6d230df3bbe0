#include "rheology/liverampevaluator.h"
#include "rheology/resultstablemodel.h"
#include <QRandomGenerator>
#include <QtTest>
#include <cmath>

using namespace rheology;

namespace {

// A test as a run produces it: steps of ordinary samples, some followed by a
// shear ramp under the step's RAMP_NO. Ramps vary on purpose: too few
// points, zero readings, equal rates (degenerate fit), steep fits that are
// rejected, skipped step numbers; with `odd` the stream also carries RAMP_NO
// values that go back or are not whole numbers.
std::vector<TestResultRow> randomStream(quint32 seed, bool odd)
{
    QRandomGenerator rng(seed);
    std::vector<TestResultRow> samples;
    double t = 0;
    auto push = [&](double ramp, double rate, double stress, double type) {
        TestResultRow s;
        s.testId = 7;
        s.rampNo = ramp;
        s.resultTime = t += 1 + rng.bounded(30);
        s.sampleTemp = 70 + rng.bounded(250.0);
        s.shearRate = rate;
        s.shearStress = stress;
        s.typeId = type;
        s.pH = rng.bounded(14.0);
        samples.push_back(s);
    };
    const int steps = 1 + rng.bounded(12);
    int step = 0;
    for (int i = 0; i < steps; ++i) {
        step += rng.bounded(5) == 0 ? 2 + rng.bounded(3) : 1;
        double ramp = step;
        for (int n = rng.bounded(6); n > 0; --n)
            push(ramp, 100, rng.bounded(80.0), 0);
        if (rng.bounded(4) == 0)
            continue;                                   // no shear ramp on this step
        const int kind = rng.bounded(6);
        const double K = 0.1 + rng.bounded(30.0);
        const double n = kind == 4 ? 5.5 + rng.bounded(2.0) : 0.1 + rng.bounded(1.5);
        const int points = rng.bounded(9);
        for (int p = 0; p < points; ++p) {
            if (odd && rng.bounded(10) == 0)
                ramp = rng.bounded(2) ? step - 1 - rng.bounded(3) : step + rng.bounded(1.0);
            double rate = kind == 3 ? 170 : 5 + rng.bounded(600.0);
            double stress = K * std::pow(rate, n) * (1 + 0.05 * (rng.generateDouble() - 0.5));
            if (kind == 2 && rng.bounded(2))
                (rng.bounded(2) ? rate : stress) = 0;
            if (kind == 5)
                stress = 25;                            // flat: all stresses equal
            push(ramp, rate, stress, 1);
        }
        for (int n = rng.bounded(3); n > 0; --n)
            push(ramp, 100, rng.bounded(80.0), 0);
    }
    return samples;
}

QString describe(const RampEvaluation &ev)
{
    QStringList parts{QStringLiteral("last %1").arg(ev.lastRamp)};
    for (const RampResult &r : ev.results)
        parts << QStringLiteral("k%1 n'%2 t%3 %4").arg(r.rampNo).arg(r.nPrime, 0, 'g', 17)
                     .arg(r.closingTime).arg(r.accepted ? "ok" : "rej");
    return parts.join(QStringLiteral("; "));
}

QString tableText(const ResultsTableModel &m)
{
    QStringList lines{QString::number(m.rowCount())};
    for (int k = 1; k <= m.rowCount(); ++k) {
        QStringList cells;
        for (int c = 0; c < ResultsTableModel::ColumnCount; ++c)
            cells << m.cellText(k, c);
        lines << cells.join(QLatin1Char('|'));
    }
    return lines.join(QLatin1Char('\n'));
}

TestInfoRow info(double bobRadius = 1.7245)
{
    TestInfoRow row;
    row.testId = 7;
    row.bobRadius = bobRadius;
    return row;
}

} // namespace

class tst_LiveRampEvaluator : public QObject
{
    Q_OBJECT
private slots:
    void sameAsFullEvaluation_data();
    void sameAsFullEvaluation();
    void editedBobRecomputes();
    void ordinaryRunTouchesAtMostTwoRamps();
    void resetForgetsTheTest();
};

void tst_LiveRampEvaluator::sameAsFullEvaluation_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<bool>("odd");
    for (quint32 seed = 1; seed <= 60; ++seed)
        QTest::addRow("run %u", seed) << seed << false;
    for (quint32 seed = 1001; seed <= 1060; ++seed)
        QTest::addRow("odd ramp numbers %u", seed) << seed << true;
}

void tst_LiveRampEvaluator::sameAsFullEvaluation()
{
    QFETCH(quint32, seed);
    QFETCH(bool, odd);
    const std::vector<TestResultRow> stream = randomStream(seed, odd);
    LiveRampEvaluator live(info());
    std::vector<TestResultRow> stored;
    // Two tables: one refilled from a full evaluation after every sample,
    // one fed only the live changes. They must always show the same.
    ResultsTableModel full, incremental;
    full.SetResultsGridHeader(UnitSystem::EI);
    incremental.SetResultsGridHeader(UnitSystem::EI);
    for (size_t i = 0; i < stream.size(); ++i) {
        stored.push_back(stream[i]);
        const RampUpdate update = live.append(stream[i]);
        const RampEvaluation expected = EvaluateRamps(info(), stored);
        const RampEvaluation actual = live.evaluation();
        QVERIFY2(actual == expected, qPrintable(QStringLiteral("after sample %1\n live %2\n full %3")
                                                    .arg(i).arg(describe(actual), describe(expected))));
        QCOMPARE(update.lastRamp, expected.lastRamp);
        QCOMPARE(update.anyResult, !expected.results.isEmpty());
        full.showEvaluation(expected, UnitSystem::EI);
        incremental.showResults(update.lastRamp, update.anyResult, update.changed, UnitSystem::EI);
        QCOMPARE(tableText(incremental), tableText(full));
    }
}

void tst_LiveRampEvaluator::editedBobRecomputes()
{
    const std::vector<TestResultRow> stream = randomStream(42, false);
    LiveRampEvaluator live(info(1.7245));
    for (const TestResultRow &s : stream)
        live.append(s);
    live.setInfo(info(0.8622));
    QVERIFY(live.evaluation() == EvaluateRamps(info(0.8622), stream));
    QCOMPARE(live.geometry().B, RampGeometry(0.8622).B);
}

void tst_LiveRampEvaluator::ordinaryRunTouchesAtMostTwoRamps()
{
    // Ascending steps: a sample changes its own ramp and, when it starts a
    // new step, the ramp it closes - never the whole history.
    LiveRampEvaluator live(info());
    int maxChanged = 0;
    for (quint32 seed = 1; seed <= 20; ++seed) {
        live.reset(info());
        for (const TestResultRow &s : randomStream(seed, false))
            maxChanged = std::max(maxChanged, int(live.append(s).changed.size()));
    }
    QVERIFY(maxChanged <= 2);
    QVERIFY(maxChanged >= 1);
}

void tst_LiveRampEvaluator::resetForgetsTheTest()
{
    LiveRampEvaluator live(info());
    for (const TestResultRow &s : randomStream(3, false))
        live.append(s);
    live.reset(info());
    QVERIFY(live.samples().empty());
    QCOMPARE(live.lastRamp(), 0);
    QVERIFY(!live.hasResults());
    QVERIFY(live.evaluation() == RampEvaluation{});
}

QTEST_GUILESS_MAIN(tst_LiveRampEvaluator)
#include "tst_liverampevaluator.moc"
