#include "reviewpanel.h"
#include "chart2dview.h"
#include "chart3dview.h"
#include "chartcontrols.h"
#include "chartprinting.h"
#include "review/reviewsession.h"
#include "sequences/ui/prompter.h"
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace review {

namespace {

// Busy cursor while a test is read (a long test takes a second or two).
class WaitCursor
{
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};

QTableWidget *makeAdditivesGrid(QWidget *parent)
{
    auto *grid = new QTableWidget(0, 4, parent);
    grid->setObjectName(QStringLiteral("MSFlexGrid2"));
    grid->setHorizontalHeaderLabels({QStringLiteral("Additive Name"), QStringLiteral("Concentration"),
                                     QStringLiteral("Units"), QStringLiteral("Lot Number")});
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setMinimumWidth(340);
    return grid;
}

QTableView *makeResultsGrid(QAbstractItemModel *model, QWidget *parent)
{
    auto *grid = new QTableView(parent);
    grid->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid->setModel(model);
    grid->setWordWrap(true);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setDefaultSectionSize(86);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return grid;
}

} // namespace

ReviewPanel::ReviewPanel(clsConnection *connection, QWidget *parent, std::shared_ptr<Prompter> prompter)
    : QWidget(parent), m_prompter(prompter ? std::move(prompter) : std::make_shared<DialogPrompter>()),
      m_session(new ReviewSession(connection, this)), m_controls(new ChartControls(this)),
      m_charts(new QStackedWidget(this)), m_chart2D(new Chart2DView(m_charts)), m_chart3D(new Chart3DView(m_charts)),
      m_results(makeResultsGrid(m_session->resultsModel(), this)), m_additives(makeAdditivesGrid(this))
{
    setObjectName(QStringLiteral("ReviewPanel"));
    m_charts->addWidget(m_chart2D);
    m_charts->addWidget(m_chart3D);

    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(m_charts);
    split->addWidget(m_results);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);

    auto *side = new QVBoxLayout;
    side->addWidget(m_controls);
    auto *additivesLabel = new QLabel(tr("Additives:"), this);
    additivesLabel->setObjectName(QStringLiteral("lblAdditives"));
    side->addWidget(additivesLabel);
    side->addWidget(m_additives, 1);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split, 1);
    layout->addLayout(side);

    connect(m_controls, &ChartControls::modeClicked, this, &ReviewPanel::setChartMode);
    connect(m_controls, &ChartControls::chartTypeClicked, this, &ReviewPanel::selectChartType);
    connect(m_controls, &ChartControls::xScaleClicked, this, &ReviewPanel::setXScale);
    connect(m_controls, &ChartControls::yScaleClicked, this, &ReviewPanel::setYScale);
    connect(m_controls, &ChartControls::filterClicked, this, &ReviewPanel::setDataFilter);
    connect(m_controls, &ChartControls::overlapClicked, this, &ReviewPanel::requestOverlap);
    connect(m_controls, &ChartControls::printChartClicked, this, &ReviewPanel::printChartWithDialog);

    connect(m_session, &ReviewSession::chart2DChanged, this, &ReviewPanel::showChart2D);
    // Only the chart on show is drawn; the other mode draws when chosen.
    connect(m_session, &ReviewSession::chart3DChanged, this, [this] {
        if (m_session->chartMode() == ChartMode::ThreeD)
            m_chart3D->showChart(m_session->chart3D());
    });
    connect(m_session, &ReviewSession::chartModeChanged, this, &ReviewPanel::showMode);
    connect(m_session, &ReviewSession::chartTypeChanged, m_controls, &ChartControls::showChartType);
    connect(m_session, &ReviewSession::overlapEnabledChanged, this, [this](bool enabled) {
        m_controls->showOverlapEnabled(enabled);
        emit overlapEnabledChanged(enabled);
    });
    connect(m_session, &ReviewSession::testChanged, this, [this] {
        fillAdditives();
        emit testOpened(m_session->openedName());
    });

    showChart2D(true);
    m_chart3D->showChart(m_session->chart3D());
    showMode(m_session->chartMode());
}

ReviewPanel::~ReviewPanel() = default;

const OpenedTest &ReviewPanel::openedTest() const
{
    return m_session->openedTest();
}

QString ReviewPanel::openedTestName() const
{
    return m_session->openedName();
}

bool ReviewPanel::isTestOpen() const
{
    return m_session->isTestOpen();
}

QPushButton *ReviewPanel::overlapButton() const
{
    return m_controls->overlapButton();
}

QPushButton *ReviewPanel::printChartButton() const
{
    return m_controls->printChartButton();
}

ReviewOutcome ReviewPanel::openTestByName(const QString &name)
{
    const WaitCursor wait;
    return m_session->fOpen_Selected(name);
}

ReviewOutcome ReviewPanel::reopenTest()
{
    const WaitCursor wait;
    return m_session->reopen();
}

void ReviewPanel::closeTest()
{
    m_session->closeTest();
}

ReviewOutcome ReviewPanel::overlayTestByName(const QString &name)
{
    const WaitCursor wait;
    return m_session->fOverlap_overSelected(name);
}

void ReviewPanel::setDataFilter(DataFilter filter)
{
    m_controls->showFilter(filter);
    const WaitCursor wait;
    showOutcome(m_session->setDataFilter(filter));
}

void ReviewPanel::setChartMode(ChartMode mode)
{
    m_session->setChartMode(mode);
}

void ReviewPanel::selectChartType(int type)
{
    const WaitCursor wait;
    showOutcome(m_session->selectChartType(type));
}

void ReviewPanel::setXScale(AxisScale scale)
{
    m_controls->showXScale(scale);
    m_chart2D->setXScale(scale);
}

void ReviewPanel::setYScale(AxisScale scale)
{
    m_controls->showYScale(scale);
    m_chart2D->setYScale(scale);
}

void ReviewPanel::setUnitSystem(int unitSystem)
{
    m_session->setUnitSystem(unitSystem);
}

bool ReviewPanel::printChart(QPrinter *printer)
{
    if (m_session->chartMode() == ChartMode::TwoD)
        return printChart2D(m_chart2D, printer);
    return printChart3D(m_chart3D, printer);
}

void ReviewPanel::printChartWithDialog()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printer->setPageOrientation(QPageLayout::Landscape);
    auto *dialog = new QPrintDialog(m_printer.get(), this);
    dialog->setObjectName(QStringLiteral("dlgPrintChart"));
    dialog->setWindowTitle(tr("Print Chart"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this] {
        if (!printChart(m_printer.get()))
            m_prompter->inform(this, tr("Print Chart"), tr("The chart could not be printed."));
    });
    dialog->open();
}

void ReviewPanel::requestOverlap()
{
    const ReviewOutcome outcome = m_session->overlapRequest();
    if (!outcome.ok()) {
        showOutcome(outcome);
        return;
    }
    emit overlapRequested();
}

void ReviewPanel::showOutcome(const ReviewOutcome &outcome)
{
    if (outcome.needsMessage())
        m_prompter->inform(this, outcome.title, outcome.message);
}

void ReviewPanel::fillAdditives()
{
    const QVector<TestAdditiveRow> &rows = m_session->openedTest().additives;
    m_additives->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const TestAdditiveRow &a = rows[r];
        const QStringList cells = {a.additiveName, QString::number(a.concentration, 'g', 15), a.unit, a.lotNo};
        for (int c = 0; c < cells.size(); ++c)
            m_additives->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
}

void ReviewPanel::showChart2D(bool newChartType)
{
    if (m_session->chartMode() != ChartMode::TwoD)
        return;
    m_chart2D->showChart(m_session->chart2D(), newChartType);
    m_controls->showXScale(m_chart2D->xScale());
}

void ReviewPanel::showMode(ChartMode mode)
{
    m_controls->showMode(mode);
    m_controls->showOverlapEnabled(m_session->overlapEnabled());
    m_charts->setCurrentWidget(mode == ChartMode::TwoD ? static_cast<QWidget *>(m_chart2D) : m_chart3D);
}

} // namespace review
