#pragma once
#include "review/charttypes.h"
#include "review/decimation.h"
#include "review/openedtest.h"
#include "review/reviewoutcome.h"
#include <QWidget>
#include <memory>

class QPrinter;
class QPushButton;
class QStackedWidget;
class QTableView;
class QTableWidget;
class Prompter;
class clsConnection;

namespace review {

class Chart2DView;
class Chart3DView;
class ChartControls;
class ReviewSession;

// The saved-test review of the main window: the 2D and 3D charts with
// their commands, the ramp results grid and the additives grid. The main
// window embeds it, calls the open/overlay slots when its pickers report a
// name, and shows the outcomes those slots return. Commands that start
// here (filter, chart type, print, overlap with no test open) show their
// own messages.
class ReviewPanel : public QWidget
{
    Q_OBJECT
public:
    // prompter replaces the message boxes (tests); nullptr = the real ones.
    explicit ReviewPanel(clsConnection *connection, QWidget *parent = nullptr,
                         std::shared_ptr<Prompter> prompter = nullptr);
    ~ReviewPanel() override;

    ReviewSession *session() const { return m_session; }
    const OpenedTest &openedTest() const;
    QString openedTestName() const;
    bool isTestOpen() const;

    Chart2DView *chart2D() const { return m_chart2D; }
    Chart3DView *chart3D() const { return m_chart3D; }
    ChartControls *controls() const { return m_controls; }
    QPushButton *overlapButton() const;
    QPushButton *printChartButton() const;
    QTableView *resultsGrid() const { return m_results; }
    QTableWidget *additivesGrid() const { return m_additives; }

    // Prints the chart shown (2D or 3D) on the printer; false when it
    // could not.
    bool printChart(QPrinter *printer);

public slots:
    // Opens a stored test by its whole name. The caller shows a failure's
    // message (e.g. "Your test sequence name is not found.  Please try
    // again.") and hides its picker on success.
    review::ReviewOutcome openTestByName(const QString &name);
    // The open test again (activation of the main window, edited info).
    review::ReviewOutcome reopenTest();
    void closeTest();
    // Draws a stored test over the open one; the caller shows a refusal
    // ("Test can not overlap itself!" titled "Selection Error.", ...).
    review::ReviewOutcome overlayTestByName(const QString &name);

    void setDataFilter(review::DataFilter filter);
    void setChartMode(review::ChartMode mode);
    void selectChartType(int type);
    void setXScale(review::AxisScale scale);
    void setYScale(review::AxisScale scale);
    void setUnitSystem(int unitSystem);
    // "Print Chart": the print dialog (printers and PDF file), then print.
    void printChartWithDialog();

signals:
    void testOpened(const QString &name);
    // "Overlap Charts" was pressed with a test open: show the overlap picker.
    void overlapRequested();
    void overlapEnabledChanged(bool enabled);

private:
    void requestOverlap();
    void showOutcome(const ReviewOutcome &outcome);
    void fillAdditives();
    void showChart2D(bool newChartType);
    void showMode(ChartMode mode);

    std::shared_ptr<Prompter> m_prompter;
    ReviewSession *m_session;
    ChartControls *m_controls;
    QStackedWidget *m_charts;
    Chart2DView *m_chart2D;
    Chart3DView *m_chart3D;
    QTableView *m_results;
    QTableWidget *m_additives;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace review
