#include "review/reviewfixture.h"
#include "review/chartseries.h"
#include "review/reviewsession.h"
#include "rheology/rampanalysis.h"
#include "sequences/unitsystem.h"
#include "support/testdatabase.h"
#include <QSignalSpy>
#include <QtTest>

using namespace review;
using namespace reviewfixture;

namespace {

QStringList resultTexts(rheology::ResultsTableModel *m)
{
    QStringList out;
    for (int r = 1; r <= m->rampRowCount(); ++r)
        for (int c = 0; c < rheology::ResultsTableModel::ColumnCount; ++c)
            out << m->cellText(r, c);
    return out;
}

RunShape longerShape()
{
    RunShape s;
    s.steps = 5;
    s.ordinaryPerStep = 9;
    s.baseStress = 80;
    return s;
}

} // namespace

class tst_ReviewSession : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensTestWithEverything();
    void unknownNameLeavesOpenTestAlone_data();
    void unknownNameLeavesOpenTestAlone();
    void wholeNameMustMatch();
    void testWithoutSamples();
    void filterLeavesResultsAlone();
    void rampOnlyTestUnderNoRamp();
    void chartTypesWithoutTestSnapBack();
    void chartTypesAndModes();
    void overlayRefusals();
    void longerOverlayKeepsAllPoints();
    void threeOverlaysFourSubsets();
    void unitSystemRedraws();
    void databaseFailureIsReported();
    void closeTestGoesBackToEmptyCharts();

private:
    std::unique_ptr<TestDatabase> m_db;
    std::vector<TestResultRow> m_run;
};

void tst_ReviewSession::init()
{
    m_db = std::make_unique<TestDatabase>();
    QVERIFY2(m_db->isValid(), qPrintable(m_db->skipReason()));
    m_run = makeRun();
    storeTest(m_db->connection(), "Gel 30", m_run,
              {additive("Guar", 40, "lb/Mgal", "L-17"), additive("Borate", 1.5, "gal/Mgal", "B-2")});
    storeTest(m_db->connection(), "Gel 30 hot", makeRun(longerShape()));
    storeTest(m_db->connection(), "Gel 40", makeRun());
    storeTest(m_db->connection(), "Gel 50", makeRun());
    UnitSystem::set(UnitSystem::CGS);
}

void tst_ReviewSession::cleanup()
{
    m_db.reset();
}

void tst_ReviewSession::opensTestWithEverything()
{
    ReviewSession s(m_db->connection());
    QSignalSpy changed(&s, &ReviewSession::testChanged);
    QVERIFY(s.fOpen_Selected("Gel 30").ok());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(s.openedName(), QStringLiteral("Gel 30"));
    const OpenedTest &t = s.openedTest();
    QCOMPARE(t.info.fluidId, QStringLiteral("Fluid of Gel 30"));
    QCOMPARE(t.additives.size(), 2);
    QCOMPARE(t.additives[0].additiveName, QStringLiteral("Guar"));
    QCOMPARE(t.additives[1].lotNo, QStringLiteral("B-2"));
    QCOMPARE(t.samples.size(), m_run.size());

    // The charts of the first type of each mode, subtitled with the name.
    QCOMPARE(s.chartType(), 0);
    QCOMPARE(s.chart2D().subtitle, QStringLiteral("Gel 30"));
    QCOMPARE(s.chart2D().subsets.size(), 3);
    QCOMPARE(s.chart2D().pointCount(), qsizetype(m_run.size()));
    QCOMPARE(s.chart3D().title, QStringLiteral("Viscosity vs. Shear Rate & Time"));
    QCOMPARE(s.chart3D().points.size(), qsizetype(m_run.size()));
    QVERIFY(!s.overlapEnabled());

    // Results as the analysis gives them, one row per ramp.
    const rheology::RampEvaluation ev = rheology::EvaluateRamps(t.info, m_run);
    QCOMPARE(t.evaluation, ev);
    QCOMPARE(s.resultsModel()->rampRowCount(), 3);
    QCOMPARE(s.resultsModel()->cellText(2, rheology::ResultsTableModel::ColNPrime), QStringLiteral("0.6000"));
}

void tst_ReviewSession::unknownNameLeavesOpenTestAlone_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("not stored") << "Gel 99";
    QTest::newRow("longer than a stored name can be") << QString(60, QLatin1Char('x'));
    QTest::newRow("prefix of a stored name") << "Gel";
}

void tst_ReviewSession::unknownNameLeavesOpenTestAlone()
{
    QFETCH(QString, name);
    ReviewSession s(m_db->connection());
    QVERIFY(s.fOpen_Selected("Gel 30").ok());
    const QStringList before = resultTexts(s.resultsModel());
    const ReviewOutcome o = s.fOpen_Selected(name);
    QCOMPARE(o.error, ReviewError::NameNotFound);
    QCOMPARE(o.message, QStringLiteral("Your test sequence name is not found.  Please try again."));
    QCOMPARE(s.openedName(), QStringLiteral("Gel 30"));
    QCOMPARE(resultTexts(s.resultsModel()), before);

    QCOMPARE(s.fOpen_Selected(QString()).error, ReviewError::Ignored);
    QCOMPARE(s.openedName(), QStringLiteral("Gel 30"));
}

void tst_ReviewSession::wholeNameMustMatch()
{
    ReviewSession s(m_db->connection());
    QVERIFY(s.fOpen_Selected("Gel 30").ok());
    QCOMPARE(s.openedTest().samples.size(), m_run.size());
    QVERIFY(s.fOpen_Selected("Gel 30 hot").ok());
    QCOMPARE(s.openedTest().samples.size(), makeRun(longerShape()).size());
}

void tst_ReviewSession::testWithoutSamples()
{
    storeTest(m_db->connection(), "Empty", {}, {additive("Guar", 20, "lb/Mgal", "")});
    ReviewSession s(m_db->connection());
    QVERIFY(s.fOpen_Selected("Gel 30").ok());
    QVERIFY(s.fOpen_Selected("Empty").ok());
    QCOMPARE(s.openedTest().additives.size(), 1);
    QVERIFY(s.chart2D().isEmpty());
    QCOMPARE(s.chart2D().subtitle, QStringLiteral("Empty"));
    QVERIFY(s.chart3D().points.isEmpty());
    QCOMPARE(s.resultsModel()->rampRowCount(), 0);
}

void tst_ReviewSession::filterLeavesResultsAlone()
{
    ReviewSession s(m_db->connection());
    QVERIFY(s.fOpen_Selected("Gel 30").ok());
    const QStringList results = resultTexts(s.resultsModel());
    const qsizetype ordinary = qsizetype(m_run.size()) - countRamp(m_run);

    QVERIFY(s.setDataFilter(DataFilter::NoRamp).ok());
    QCOMPARE(s.chart2D().pointCount(), ordinary);
    QCOMPARE(s.chart3D().points.size(), ordinary);
    QCOMPARE(resultTexts(s.resultsModel()), results);

    // Chart types past the first chart every sample whatever the filter.
    QVERIFY(s.selectChartType(StressRate).ok());
    QCOMPARE(s.chart2D().pointCount(), qsizetype(m_run.size()));

    QVERIFY(s.setDataFilter(DataFilter::All).ok());
    QCOMPARE(s.chartType(), 0);
    QCOMPARE(s.chart2D().pointCount(), qsizetype(m_run.size()));
    QCOMPARE(resultTexts(s.resultsModel()), results);
}

void tst_ReviewSession::rampOnlyTestUnderNoRamp()
{
    RunShape shape;
    shape.ordinaryPerStep = 0;
    storeTest(m_db->connection(), "Ramps only", makeRun(shape));
    ReviewSession s(m_db->connection());
    s.setDataFilter(DataFilter::NoRamp);
    QVERIFY(s.fOpen_Selected("Ramps only").ok());
    QVERIFY(s.chart2D().isEmpty());
    QVERIFY(s.chart3D().points.isEmpty());
    QCOMPARE(s.resultsModel()->rampRowCount(), 3);
    QCOMPARE(s.resultsModel()->cellText(3, rheology::ResultsTableModel::ColNPrime), QStringLiteral("0.6000"));
}

void tst_ReviewSession::chartTypesWithoutTestSnapBack()
{
    ReviewSession s(m_db->connection());
    QSignalSpy types(&s, &ReviewSession::chartTypeChanged);
    QCOMPARE(s.selectChartType(3).error, ReviewError::Ignored);
    QCOMPARE(s.chartType(), 0);
    QCOMPARE(types.count(), 1);
    QCOMPARE(types.takeFirst().at(0).toInt(), 0);
    QVERIFY(s.chart2D().isEmpty());
    QVERIFY(!s.overlapEnabled());
}

void tst_ReviewSession::chartTypesAndModes()
{
    ReviewSession s(m_db->connection());
    QSignalSpy overlap(&s, &ReviewSession::overlapEnabledChanged);
    QVERIFY(s.fOpen_Selected("Gel 30").ok());
    for (int type = 1; type < 6; ++type) {
        QVERIFY(s.selectChartType(type).ok());
        QCOMPARE(s.chart2D().type, type);
        QVERIFY(s.overlapEnabled());
    }
    QCOMPARE(overlap.count(), 1);

    // 3D always lands on its first type, and nothing can be overlaid there.
    s.setChartMode(ChartMode::ThreeD);
    QCOMPARE(s.chartType(), 0);
    QVERIFY(!s.overlapEnabled());
    QCOMPARE(overlap.count(), 2);
    QCOMPARE(s.chart3D().type, 0);
    QVERIFY(s.selectChartType(2).ok());
    QCOMPARE(s.chart3D().zLabel, QStringLiteral("Time (Min)"));
    QCOMPARE(s.chart3D().points.size(), qsizetype(m_run.size()));
    QVERIFY(!s.overlapEnabled());
    QCOMPARE(s.selectChartType(5).error, ReviewError::Ignored);   // no 3D type 5
    QCOMPARE(s.chartType(), 0);

    s.setChartMode(ChartMode::TwoD);
    QCOMPARE(s.chartType(), 0);
    QCOMPARE(s.chart2D().type, 0);
}

void tst_ReviewSession::overlayRefusals()
{
    ReviewSession s(m_db->connection());
    QCOMPARE(s.overlapRequest().error, ReviewError::NoOpenTest);
    QCOMPARE(s.overlapRequest().title, QStringLiteral("Operation Error"));
    QCOMPARE(s.overlapRequest().message, QStringLiteral("No opened test to overlap on.  Please open one test first."));
    QCOMPARE(s.fOverlap_overSelected("Gel 40").error, ReviewError::NoOpenTest);

    QVERIFY(s.fOpen_Selected("Gel 30").ok());
    QVERIFY(s.overlapRequest().ok());
    // The first chart type takes no overlay.
    ReviewOutcome o = s.fOverlap_overSelected("Gel 40");
    QCOMPARE(o.error, ReviewError::NotOverlappable);
    QVERIFY(o.message.startsWith("Click here to overlap another test on graphs."));
    QCOMPARE(s.chart2D().subsets.size(), 3);

    QVERIFY(s.selectChartType(ViscRate).ok());
    const Chart2D before = s.chart2D();
    o = s.fOverlap_overSelected("Gel 30");
    QCOMPARE(o.error, ReviewError::OverlapItself);
    QCOMPARE(o.message, QStringLiteral("Test can not overlap itself!"));
    QCOMPARE(o.title, QStringLiteral("Selection Error."));
    QCOMPARE(s.fOverlap_overSelected("Gel 99").error, ReviewError::NameNotFound);
    QCOMPARE(s.fOverlap_overSelected(QString()).error, ReviewError::Ignored);
    QCOMPARE(s.chart2D().subsets.size(), before.subsets.size());
    QCOMPARE(s.chart2D().subsets[0].points, before.subsets[0].points);
    QVERIFY(s.overlayName().isEmpty());

    s.setChartMode(ChartMode::ThreeD);
    QCOMPARE(s.fOverlap_overSelected("Gel 40").error, ReviewError::NotOverlappable);
}

void tst_ReviewSession::longerOverlayKeepsAllPoints()
{
    ReviewSession s(m_db->connection());
    QVERIFY(s.fOpen_Selected("Gel 30").ok());
    QVERIFY(s.selectChartType(StressTime).ok());
    const QVector<QPointF> own = s.chart2D().subsets[0].points;
    QSignalSpy drawn(&s, &ReviewSession::chart2DChanged);
    QVERIFY(s.fOverlap_overSelected("Gel 30 hot").ok());
    QCOMPARE(drawn.count(), 1);
    QCOMPARE(drawn.first().at(0).toBool(), false);

    const auto longer = makeRun(longerShape());
    QVERIFY(longer.size() > m_run.size());
    const Chart2D &c = s.chart2D();
    QCOMPARE(c.subsets.size(), 2);
    QCOMPARE(c.pointCount(), qsizetype(longer.size()));
    QCOMPARE(c.subsets[0].points, own);
    QCOMPARE(c.subsets[1].points, curve2D(StressTime, longer, UnitSystem::CGS));
    QCOMPARE(c.subsets[0].label, QStringLiteral("Gel 30"));
    QCOMPARE(c.subsets[1].label, QStringLiteral("Gel 30 hot"));
    QCOMPARE(s.overlayName(), QStringLiteral("Gel 30 hot"));

    // A shorter test over the longer one: its points only, nothing padded.
    QVERIFY(s.fOpen_Selected("Gel 30 hot").ok());
    QVERIFY(s.selectChartType(StressTime).ok());
    QVERIFY(s.fOverlap_overSelected("Gel 30").ok());
    QCOMPARE(s.chart2D().subsets[1].points.size(), qsizetype(m_run.size()));
}

void tst_ReviewSession::threeOverlaysFourSubsets()
{
    ReviewSession s(m_db->connection());
    QVERIFY(s.fOpen_Selected("Gel 30").ok());
    QVERIFY(s.selectChartType(ViscTime).ok());
    for (const char *name : {"Gel 40", "Gel 50", "Gel 30 hot"})
        QVERIFY(s.fOverlap_overSelected(name).ok());
    const Chart2D &c = s.chart2D();
    QCOMPARE(c.subsets.size(), 4);
    QCOMPARE(c.subsets[0].label, QStringLiteral("Gel 30"));
    QCOMPARE(c.subsets[3].label, QStringLiteral("Gel 30 hot"));
    QCOMPARE(c.yLabels.size(), 1);
    QVERIFY(s.hasOverlay());

    // A new chart type starts again from the open test alone.
    QVERIFY(s.selectChartType(ViscRate).ok());
    QCOMPARE(s.chart2D().subsets.size(), 1);
    QVERIFY(!s.hasOverlay());
}

void tst_ReviewSession::unitSystemRedraws()
{
    ReviewSession s(m_db->connection());
    QVERIFY(s.fOpen_Selected("Gel 30").ok());
    QVERIFY(s.selectChartType(StressRate).ok());
    const double cgs = s.chart2D().subsets[0].points.last().y();
    s.setUnitSystem(UnitSystem::EI);
    QCOMPARE(s.chart2D().yLabels, QStringList{"Shear Stress (lb/100ft2)"});
    QCOMPARE(s.chart2D().subsets[0].points.last().y(), cgs * 100 / 478.8);
    QCOMPARE(s.resultsModel()->unitSystem(), int(UnitSystem::EI));
    QCOMPARE(s.resultsModel()->rampRowCount(), 3);
    s.setUnitSystem(UnitSystem::SI);
    QVERIFY(s.selectChartType(ViscTemp).ok());
    QCOMPARE(s.chart2D().xLabel, QStringLiteral("Sample Temperature (°C)"));
    QCOMPARE(s.chart2D().subsets[0].points.first().x(), (80 - 32) / 1.8);
    QVERIFY(s.resultsModel()->headerText(rheology::ResultsTableModel::ColTemp).contains("(C°)"));
}

void tst_ReviewSession::databaseFailureIsReported()
{
    clsConnection closed(m_db->config());   // never opened
    ReviewSession s(&closed);
    const ReviewOutcome o = s.fOpen_Selected("Gel 30");
    QCOMPARE(o.error, ReviewError::Database);
    QVERIFY(!o.message.isEmpty());
    QVERIFY(!s.isTestOpen());
}

void tst_ReviewSession::closeTestGoesBackToEmptyCharts()
{
    ReviewSession s(m_db->connection());
    QVERIFY(s.fOpen_Selected("Gel 30").ok());
    QVERIFY(s.selectChartType(ViscRate).ok());
    QSignalSpy types(&s, &ReviewSession::chartTypeChanged);
    s.closeTest();
    QVERIFY(!s.isTestOpen());
    QCOMPARE(types.count(), 1);
    QCOMPARE(s.chartType(), 0);
    QVERIFY(!s.overlapEnabled());
    QVERIFY(s.chart2D().isEmpty());
    QVERIFY(s.chart2D().subtitle.isEmpty());
    QCOMPARE(s.resultsModel()->rampRowCount(), 0);
    QCOMPARE(s.reopen().error, ReviewError::Ignored);
}

QTEST_GUILESS_MAIN(tst_ReviewSession)
#include "tst_reviewsession.moc"
