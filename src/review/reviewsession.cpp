#include "reviewsession.h"
#include "chartseries.h"
#include "overlay.h"
#include "sequences/unitsystem.h"
#include "store/clsTEST_RESULT.h"
#include "store/storeerror.h"

namespace review {

ReviewSession::ReviewSession(clsConnection *connection, QObject *parent)
    : QObject(parent), m_connection(connection), m_unitSystem(UnitSystem::current()),
      m_chart2D(initialChart2D(m_unitSystem)), m_chart3D(initialChart3D())
{
    m_results.SetResultsGridHeader(m_unitSystem);
    m_results.resetToHeader();
}

void ReviewSession::setUnitSystem(int unitSystem)
{
    if (unitSystem == m_unitSystem)
        return;
    m_unitSystem = unitSystem;
    showResults();
    if (isTestOpen()) {
        drawChartType(m_chartType);
    } else {
        m_chart2D = initialChart2D(m_unitSystem);
        m_chart2DPending = false;
        emit chart2DChanged(true);
    }
}

ReviewOutcome ReviewSession::fOpen_Selected(const QString &name)
{
    if (name.isEmpty())
        return {ReviewError::Ignored, {}, {}};
    try {
        OpenedTest loaded;
        if (!loadOpenedTest(m_connection, name, loaded))
            return ReviewOutcome::nameNotFound();
        m_test = std::move(loaded);
    } catch (const StoreError &e) {
        return ReviewOutcome::database(e.text());
    }
    m_overlayName.clear();
    drawFirstCharts();
    showResults();
    emit testChanged();
    return ReviewOutcome::success();
}

ReviewOutcome ReviewSession::reopen()
{
    if (!isTestOpen())
        return {ReviewError::Ignored, {}, {}};
    return fOpen_Selected(m_test.name());
}

void ReviewSession::closeTest()
{
    m_test = OpenedTest{};
    m_overlayName.clear();
    setChartType(0);
    emit chartTypeChanged(0);
    m_chart2D = initialChart2D(m_unitSystem);
    m_chart3D = initialChart3D();
    m_chart2DPending = m_chart3DPending = false;
    showResults();
    emit chart2DChanged(true);
    emit chart3DChanged();
    emit testChanged();
}

ReviewOutcome ReviewSession::setDataFilter(DataFilter filter)
{
    m_filter = filter;
    return reopen();
}

void ReviewSession::setChartMode(ChartMode mode)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    emit chartModeChanged(mode);
    setChartType(0);
    if (isTestOpen()) {
        drawChartType(0);
        return;
    }
    emit chartTypeChanged(0);
    if (mode == ChartMode::TwoD)
        emit chart2DChanged(true);
    else
        emit chart3DChanged();
}

ReviewOutcome ReviewSession::selectChartType(int type)
{
    if (!isTestOpen() || !isValidChartType(m_mode, type)) {
        setChartType(0);
        emit chartTypeChanged(0);
        return {ReviewError::Ignored, {}, {}};
    }
    if (type == 0)
        return reopen();
    setChartType(type);
    drawChartType(type);
    return ReviewOutcome::success();
}

ReviewOutcome ReviewSession::overlapRequest() const
{
    return isTestOpen() ? ReviewOutcome::success() : ReviewOutcome::noOpenTest();
}

ReviewOutcome ReviewSession::fOverlap_overSelected(const QString &name)
{
    if (name.isEmpty())
        return {ReviewError::Ignored, {}, {}};
    if (!isTestOpen())
        return ReviewOutcome::noOpenTest();
    try {
        TestInfoRow info;
        if (!findTest(m_connection, name, info))
            return ReviewOutcome::nameNotFound();
        const ReviewOutcome refusal = overlayRefusal(m_test.name(), info.testName, m_mode, m_chartType);
        if (!refusal.ok())
            return refusal;
        const std::vector<TestResultRow> samples = clsTEST_RESULT::readSamples(m_connection, double(info.testId));
        chart2D();
        addOverlaySubset(m_chart2D, m_test.name(), info.testName, curve2D(m_chartType, samples, m_unitSystem));
        m_overlayName = info.testName;
    } catch (const StoreError &e) {
        return ReviewOutcome::database(e.text());
    }
    emit chart2DChanged(false);
    return ReviewOutcome::success();
}

void ReviewSession::setChartType(int type)
{
    m_chartType = type;
    if (overlapEnabled() != m_overlapShownEnabled) {
        m_overlapShownEnabled = overlapEnabled();
        emit overlapEnabledChanged(m_overlapShownEnabled);
    }
}

void ReviewSession::drawFirstCharts()
{
    setChartType(0);
    emit chartTypeChanged(0);
    m_chart2DPending = m_chart3DPending = true;
    emit chart2DChanged(true);
    emit chart3DChanged();
}

const Chart2D &ReviewSession::chart2D() const
{
    if (m_chart2DPending) {
        m_chart2D = buildChart2D(ViscTempTime, m_test.samples, m_unitSystem, m_filter, m_test.name());
        m_chart2DPending = false;
    }
    return m_chart2D;
}

const Chart3D &ReviewSession::chart3D() const
{
    if (m_chart3DPending) {
        m_chart3D = buildChart3D(ViscRateTime, m_test.samples, m_filter, m_test.name());
        m_chart3DPending = false;
    }
    return m_chart3D;
}

void ReviewSession::drawChartType(int type)
{
    if (m_mode == ChartMode::TwoD) {
        m_chart2D = buildChart2D(type, m_test.samples, m_unitSystem, m_filter, m_test.name());
        m_chart2DPending = false;
        emit chart2DChanged(true);
    } else {
        m_chart3D = buildChart3D(type, m_test.samples, m_filter, m_test.name());
        m_chart3DPending = false;
        emit chart3DChanged();
    }
    emit chartTypeChanged(type);
}

void ReviewSession::showResults()
{
    m_results.SetResultsGridHeader(m_unitSystem);
    m_results.resetToHeader();
    if (isTestOpen())
        m_results.showEvaluation(m_test.evaluation, m_unitSystem);
}

} // namespace review
