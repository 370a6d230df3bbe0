#pragma once
#include "chartdata.h"
#include "charttypes.h"
#include "openedtest.h"
#include "reviewoutcome.h"
#include "rheology/resultstablemodel.h"
#include <QObject>

class clsConnection;

namespace review {

// The saved-test view without its widgets: which test is open, the data
// filter, the chart mode and type, the charts' contents, the overlays and
// the ramp results table. Windows call the operations and redraw on the
// signals; every refusal comes back as a ReviewOutcome for the caller to
// show.
class ReviewSession : public QObject
{
    Q_OBJECT
public:
    explicit ReviewSession(clsConnection *connection, QObject *parent = nullptr);

    void setConnection(clsConnection *connection) { m_connection = connection; }
    int unitSystem() const { return m_unitSystem; }
    // Redraws the chart shown and the results in the new units.
    void setUnitSystem(int unitSystem);

    // Opens the test stored under `name`: its information, additives,
    // samples, the first chart type of the current mode and the results.
    // On failure the test open before stays open and unchanged.
    ReviewOutcome fOpen_Selected(const QString &name);
    // Reads the open test again (after its information was edited, or to
    // pick up samples a running unit has stored since).
    ReviewOutcome reopen();
    // Back to the charts of no test.
    void closeTest();

    DataFilter dataFilter() const { return m_filter; }
    // "All" / "No Ramp": reopens the open test with the new filter.
    ReviewOutcome setDataFilter(DataFilter filter);

    ChartMode chartMode() const { return m_mode; }
    // 2D / 3D: the list of types changes and its first type is drawn.
    void setChartMode(ChartMode mode);
    int chartType() const { return m_chartType; }
    // Draws a chart type of the current mode. With no test open the choice
    // snaps back to the first type and nothing is drawn (Ignored).
    ReviewOutcome selectChartType(int type);

    // The overlap command: refused while no test is open.
    ReviewOutcome overlapRequest() const;
    // Draws the stored test `name` over the open one as a new subset.
    ReviewOutcome fOverlap_overSelected(const QString &name);
    bool overlapEnabled() const { return isOverlappable(m_mode, m_chartType); }
    QString overlayName() const { return m_overlayName; }
    bool hasOverlay() const { return chart2D().subsets.size() > 1 && chart2D().type != ViscTempTime; }

    const OpenedTest &openedTest() const { return m_test; }
    QString openedName() const { return m_test.name(); }
    bool isTestOpen() const { return m_test.isOpen(); }
    // The charts' contents. The first chart type of the mode not shown is
    // only built when asked for: a long test then costs one chart, not two.
    const Chart2D &chart2D() const;
    const Chart3D &chart3D() const;
    rheology::ResultsTableModel *resultsModel() { return &m_results; }

signals:
    // A test was opened, reopened or closed: information, additives, results.
    void testChanged();
    // The 2D chart holds a new chart (newChart) or gained an overlay.
    void chart2DChanged(bool newChart);
    void chart3DChanged();
    // The mode changed, so the list of chart types did.
    void chartModeChanged(review::ChartMode mode);
    void chartTypeChanged(int type);
    void overlapEnabledChanged(bool enabled);

private:
    void drawFirstCharts();
    void drawChartType(int type);
    void showResults();
    void setChartType(int type);

    clsConnection *m_connection;
    int m_unitSystem;
    OpenedTest m_test;
    DataFilter m_filter = DataFilter::All;
    ChartMode m_mode = ChartMode::TwoD;
    int m_chartType = 0;
    bool m_overlapShownEnabled = false;
    mutable Chart2D m_chart2D;
    mutable Chart3D m_chart3D;
    mutable bool m_chart2DPending = false;    // type 0 of the open test, not built yet
    mutable bool m_chart3DPending = false;
    QString m_overlayName;
    rheology::ResultsTableModel m_results;
};

} // namespace review
