#include "review/chartseries.h"
#include "review/reviewfixture.h"
#include "review/reviewsession.h"
#include "review/scriptedprompter.h"
#include "review/ui/chart2dview.h"
#include "review/ui/chart3dview.h"
#include "review/ui/reviewpanel.h"
#include "sequences/unitsystem.h"
#include "support/testdatabase.h"
#include <QComboBox>
#include <QGroupBox>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QValueAxis>
#include <QtTest>

using namespace review;
using namespace reviewfixture;

namespace {

RunShape longShape()
{
    RunShape s;
    s.steps = 4;
    s.ordinaryPerStep = 12;
    return s;
}

QStringList gridTexts(const QAbstractItemModel *m)
{
    QStringList out;
    for (int r = 0; r < m->rowCount(); ++r)
        for (int c = 0; c < m->columnCount(); ++c)
            out << m->index(r, c).data().toString();
    return out;
}

// Clicks an option button on its indicator (the button is wider than what
// it reacts to).
void clickOption(QWidget *panel, const char *name)
{
    auto *b = panel->findChild<QRadioButton *>(name);
    QVERIFY2(b, name);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

QList<int> drawnCounts(Chart2DView *v)
{
    QList<int> out;
    for (QLineSeries *s : v->lineSeries())
        out << int(s->count());
    return out;
}

} // namespace

class tst_ReviewPanel : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void controlsBeforeAnyTest();
    void opensByName();
    void unknownNameFails();
    void filterSwitchLeavesResults();
    void everyChartType_data();
    void everyChartType();
    void logAxes();
    void overlays();
    void threeOverlaysGiveFourSubsets();
    void longTestIsDrawnThinned();
    void threeDSwitch();
    void printsToPdf();
    void printButtonOpensDialog();

private:
    ReviewPanel *makePanel();

    std::unique_ptr<TestDatabase> m_db;
    std::shared_ptr<RecordingPrompter> m_prompter;
    std::unique_ptr<ReviewPanel> m_panel;
    std::vector<TestResultRow> m_run;
};

void tst_ReviewPanel::init()
{
    UnitSystem::set(UnitSystem::CGS);
    m_db = std::make_unique<TestDatabase>();
    QVERIFY2(m_db->isValid(), qPrintable(m_db->skipReason()));
    m_run = makeRun();
    storeTest(m_db->connection(), "Gel 30", m_run,
              {additive("Guar", 40, "lb/Mgal", "L-17"), additive("Borate", 1.5, "gal/Mgal", "B-2")});
    storeTest(m_db->connection(), "Gel 30 long", makeRun(longShape()));
    storeTest(m_db->connection(), "Gel 40", makeRun());
    storeTest(m_db->connection(), "Gel 50", makeRun());
    m_prompter = std::make_shared<RecordingPrompter>();
}

void tst_ReviewPanel::cleanup()
{
    m_panel.reset();
    m_db.reset();
}

ReviewPanel *tst_ReviewPanel::makePanel()
{
    m_panel = std::make_unique<ReviewPanel>(m_db->connection(), nullptr, m_prompter);
    m_panel->resize(1200, 800);
    m_panel->show();
    return m_panel.get();
}

void tst_ReviewPanel::controlsBeforeAnyTest()
{
    ReviewPanel *p = makePanel();
    const auto *list = p->findChild<QComboBox *>("cmbChartType");
    QVERIFY(list);
    QCOMPARE(list->count(), 6);
    QCOMPARE(list->itemText(0), QStringLiteral("Visc, Temp Vs Time"));
    QVERIFY(p->findChild<QRadioButton *>("opt2D")->isChecked());
    QVERIFY(p->findChild<QRadioButton *>("optAllData")->isChecked());
    QCOMPARE(p->findChild<QRadioButton *>("optNoRampData")->text(), QStringLiteral("No Ramp"));
    QCOMPARE(p->findChild<QRadioButton *>("optXlog")->text(), QStringLiteral("Log"));
    QCOMPARE(p->findChild<QRadioButton *>("optYNormal")->text(), QStringLiteral("Normal"));
    QCOMPARE(p->findChild<QGroupBox *>("fraXScale")->title(), QStringLiteral("X Scale:"));
    QVERIFY(p->findChild<QTableView *>("MSFlexGrid1"));
    QVERIFY(p->findChild<QTableWidget *>("MSFlexGrid2"));
    QVERIFY(p->findChild<Chart2DView *>("Pesgo1")->isVisible());
    QVERIFY(!p->findChild<Chart3DView *>("Pe3doa1")->isVisible());
    QVERIFY(!p->overlapButton()->isEnabled());
    QCOMPARE(p->overlapButton()->text(), QStringLiteral("Overlap Charts"));
    QCOMPARE(p->printChartButton()->objectName(), QStringLiteral("cmdPrintChart"));
    QCOMPARE(p->printChartButton()->toolTip(), QStringLiteral("Click here to print the chart shown at left"));
    QCOMPARE(p->chart2D()->titleText(), QStringLiteral("Viscosity & Temperature Vs. Time"));
    QVERIFY(p->chart2D()->subtitleText().isEmpty());

    // A chart type with no test open snaps back to the first entry.
    emit p->findChild<QComboBox *>("cmbChartType")->activated(3);
    QCOMPARE(list->currentIndex(), 0);
    QVERIFY(m_prompter->boxes.isEmpty());
}

void tst_ReviewPanel::opensByName()
{
    ReviewPanel *p = makePanel();
    QSignalSpy opened(p, &ReviewPanel::testOpened);
    QVERIFY(p->openTestByName("Gel 30").ok());
    QCOMPARE(opened.count(), 1);
    QCOMPARE(opened.first().at(0).toString(), QStringLiteral("Gel 30"));
    QCOMPARE(p->openedTestName(), QStringLiteral("Gel 30"));

    const QTableWidget *add = p->additivesGrid();
    QCOMPARE(add->rowCount(), 2);
    QCOMPARE(add->item(0, 0)->text(), QStringLiteral("Guar"));
    QCOMPARE(add->item(1, 1)->text(), QStringLiteral("1.5"));
    QCOMPARE(add->item(1, 2)->text(), QStringLiteral("gal/Mgal"));
    QCOMPARE(add->item(0, 3)->text(), QStringLiteral("L-17"));

    QCOMPARE(p->resultsGrid()->model()->rowCount(), 3);
    QCOMPARE(p->resultsGrid()->model()->index(0, 3).data().toString(), QStringLiteral("0.6000"));

    Chart2DView *v = p->chart2D();
    QCOMPARE(v->subtitleText(), QStringLiteral("Gel 30"));
    QVERIFY(v->chart()->title().contains("Gel 30"));
    const int n = int(m_run.size());
    QCOMPARE(drawnCounts(v), QList<int>({n, n, n}));
    QCOMPARE(v->yAxes().size(), 3);
    QCOMPARE(v->yAxes()[1]->titleText(), QStringLiteral("Temperature (°F)"));
    // The 3D chart is drawn when it is shown.
    QCOMPARE(p->chart3D()->shownChart().points.size(), 0);
    clickOption(p, "opt3D");
    QCOMPARE(p->chart3D()->shownChart().points.size(), qsizetype(n));
    QCOMPARE(p->chart3D()->shownChart().subtitle, QStringLiteral("Gel 30"));
}

void tst_ReviewPanel::unknownNameFails()
{
    ReviewPanel *p = makePanel();
    ReviewOutcome o = p->openTestByName("Gel 3");
    QVERIFY(!o.ok());
    QCOMPARE(o.message, QStringLiteral("Your test sequence name is not found.  Please try again."));
    QVERIFY(!p->isTestOpen());
    QVERIFY(p->chart2D()->shownChart().isEmpty());
    // The panel leaves the box to its caller.
    QVERIFY(m_prompter->boxes.isEmpty());
}

void tst_ReviewPanel::filterSwitchLeavesResults()
{
    ReviewPanel *p = makePanel();
    QVERIFY(p->openTestByName("Gel 30").ok());
    const QStringList results = gridTexts(p->resultsGrid()->model());
    const int all = int(m_run.size());
    const int ordinary = all - countRamp(m_run);

    clickOption(p, "optNoRampData");
    QVERIFY(p->findChild<QRadioButton *>("optNoRampData")->isChecked());
    QCOMPARE(drawnCounts(p->chart2D()), QList<int>({ordinary, ordinary, ordinary}));
    QCOMPARE(p->session()->chart3D().points.size(), qsizetype(ordinary));
    QCOMPARE(gridTexts(p->resultsGrid()->model()), results);

    clickOption(p, "optAllData");
    QCOMPARE(drawnCounts(p->chart2D()), QList<int>({all, all, all}));
    QCOMPARE(gridTexts(p->resultsGrid()->model()), results);
    QVERIFY(m_prompter->boxes.isEmpty());
}

void tst_ReviewPanel::everyChartType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("units");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("xTitle");
    QTest::addColumn<QString>("yTitle");
    QTest::newRow("0") << 0 << 1 << "Viscosity & Temperature Vs. Time" << "Time (Min)" << "Viscosity (cP)";
    QTest::newRow("1 CGS") << 1 << 1 << "Shear Stress Vs. Shear Rate" << "Shear Rate (1/S)" << "Shear Stress (dyn/cm2)";
    QTest::newRow("1 EI") << 1 << 2 << "Shear Stress Vs. Shear Rate" << "Shear Rate (1/S)" << "Shear Stress (lb/100ft2)";
    QTest::newRow("2 SI") << 2 << 3 << "Viscosity Vs. Temperature" << "Sample Temperature (°C)" << "Viscosity (Cp)";
    QTest::newRow("2 EI") << 2 << 2 << "Viscosity Vs. Temperature" << "Sample Temperature (°F)" << "Viscosity (Cp)";
    QTest::newRow("3") << 3 << 1 << "Viscosity Vs. Shear Rate" << "Shear Rate (1/S)" << "Viscosity (Cp)";
    QTest::newRow("4 EI") << 4 << 2 << "Shear Stress vs. Time" << "Time (S)" << "Shear Stress (lb/100ft2)";
    QTest::newRow("5") << 5 << 3 << "Viscosity vs. Time" << "Time (Min)" << "cP ";
}

void tst_ReviewPanel::everyChartType()
{
    QFETCH(int, type);
    QFETCH(int, units);
    QFETCH(QString, title);
    QFETCH(QString, xTitle);
    QFETCH(QString, yTitle);
    ReviewPanel *p = makePanel();
    p->setUnitSystem(units);
    QVERIFY(p->openTestByName("Gel 30").ok());
    // Under "No Ramp" too: only the first type leaves the ramp samples out.
    clickOption(p, "optNoRampData");
    auto *list = p->findChild<QComboBox *>("cmbChartType");
    emit list->activated(type);
    QCOMPARE(list->currentIndex(), type);

    Chart2DView *v = p->chart2D();
    QCOMPARE(v->titleText(), title);
    QCOMPARE(v->subtitleText(), QStringLiteral("Gel 30"));
    QCOMPARE(v->xAxis()->titleText(), xTitle);
    QCOMPARE(v->yAxes().first()->titleText(), yTitle);
    const int n = type == 0 ? int(m_run.size()) - countRamp(m_run) : int(m_run.size());
    for (int count : drawnCounts(v))
        QCOMPARE(count, n);
    QCOMPARE(v->lineSeries().size(), type == 0 ? 3 : 1);
    QCOMPARE(p->overlapButton()->isEnabled(), type != 0);

    // What is drawn is what the chart type computes for these units.
    if (type != 0) {
        const QVector<QPointF> expected = curve2D(type, m_run, units);
        QCOMPARE(v->lineSeries().first()->points(), expected);
    }
}

void tst_ReviewPanel::logAxes()
{
    ReviewPanel *p = makePanel();
    QVERIFY(p->openTestByName("Gel 30").ok());
    emit p->findChild<QComboBox *>("cmbChartType")->activated(ViscRate);
    clickOption(p, "optXlog");
    QVERIFY(qobject_cast<QLogValueAxis *>(p->chart2D()->xAxis()));
    QVERIFY(qobject_cast<QValueAxis *>(p->chart2D()->yAxes().first()));
    clickOption(p, "optYLog");
    QVERIFY(qobject_cast<QLogValueAxis *>(p->chart2D()->yAxes().first()));
    QCOMPARE(p->chart2D()->lineSeries().first()->count(), qsizetype(m_run.size()));

    // A new chart type: x back to linear, y stays log.
    emit p->findChild<QComboBox *>("cmbChartType")->activated(StressRate);
    QVERIFY(qobject_cast<QValueAxis *>(p->chart2D()->xAxis()));
    QVERIFY(p->findChild<QRadioButton *>("optXNormal")->isChecked());
    QVERIFY(qobject_cast<QLogValueAxis *>(p->chart2D()->yAxes().first()));
    QVERIFY(p->findChild<QRadioButton *>("optYLog")->isChecked());

    // Log scales belong to the 2D chart: hidden in 3D.
    clickOption(p, "opt3D");
    QVERIFY(!p->findChild<QGroupBox *>("fraXScale")->isVisible());
    QVERIFY(!p->findChild<QGroupBox *>("fraYScale")->isVisible());
}

void tst_ReviewPanel::overlays()
{
    ReviewPanel *p = makePanel();
    QVERIFY(p->openTestByName("Gel 30").ok());
    QSignalSpy requested(p, &ReviewPanel::overlapRequested);
    emit p->findChild<QComboBox *>("cmbChartType")->activated(StressTime);
    QVERIFY(p->overlapButton()->isEnabled());
    QTest::mouseClick(p->overlapButton(), Qt::LeftButton);
    QCOMPARE(requested.count(), 1);

    ReviewOutcome o = p->overlayTestByName("Gel 30");
    QCOMPARE(o.message, QStringLiteral("Test can not overlap itself!"));
    QCOMPARE(o.title, QStringLiteral("Selection Error."));
    QCOMPARE(p->chart2D()->lineSeries().size(), 1);

    const auto longer = makeRun(longShape());
    QVERIFY(p->overlayTestByName("Gel 30 long").ok());
    const QList<QLineSeries *> series = p->chart2D()->lineSeries();
    QCOMPARE(series.size(), 2);
    QCOMPARE(series[0]->count(), qsizetype(m_run.size()));
    QCOMPARE(series[1]->count(), qsizetype(longer.size()));
    QCOMPARE(series[1]->points(), curve2D(StressTime, longer, UnitSystem::CGS));
    QCOMPARE(series[0]->name(), QStringLiteral("Gel 30"));
    QCOMPARE(series[1]->name(), QStringLiteral("Gel 30 long"));
    // The x axis spans the longer test.
    auto *x = qobject_cast<QValueAxis *>(p->chart2D()->xAxis());
    QVERIFY(x->max() >= longer.back().resultTime);
}

void tst_ReviewPanel::threeOverlaysGiveFourSubsets()
{
    ReviewPanel *p = makePanel();
    QVERIFY(p->openTestByName("Gel 30").ok());
    emit p->findChild<QComboBox *>("cmbChartType")->activated(ViscTemp);
    for (const char *name : {"Gel 40", "Gel 50", "Gel 30 long"})
        QVERIFY(p->overlayTestByName(name).ok());
    const QList<QLineSeries *> series = p->chart2D()->lineSeries();
    QCOMPARE(series.size(), 4);
    QCOMPARE(series.first()->name(), QStringLiteral("Gel 30"));
    QCOMPARE(series.last()->name(), QStringLiteral("Gel 30 long"));
    QCOMPARE(p->chart2D()->yAxes().size(), 1);
}

void tst_ReviewPanel::longTestIsDrawnThinned()
{
    RunShape big;
    big.steps = 10;
    big.ordinaryPerStep = 6000;
    big.rampPoints = 6;
    const auto rows = makeRun(big);
    storeTest(m_db->connection(), "Long run", rows);
    ReviewPanel *p = makePanel();
    QVERIFY(p->openTestByName("Long run").ok());
    for (int count : drawnCounts(p->chart2D()))
        QVERIFY2(count <= 4 * Chart2DView::kDrawBuckets, qPrintable(QString::number(count)));
    // Every sample stays for the results and reports.
    QCOMPARE(p->openedTest().samples.size(), rows.size());
    QCOMPARE(p->chart2D()->shownChart().pointCount(), qsizetype(rows.size()));
    QCOMPARE(p->resultsGrid()->model()->rowCount(), 10);
    // The drawn viscosity keeps the highest and lowest of the test.
    const QVector<QPointF> &full = p->chart2D()->shownChart().subsets[0].points;
    const auto [lo, hi] = std::minmax_element(full.begin(), full.end(),
                                              [](const QPointF &a, const QPointF &b) { return a.y() < b.y(); });
    const QList<QPointF> drawn = p->chart2D()->lineSeries().first()->points();
    QVERIFY(drawn.contains(*lo));
    QVERIFY(drawn.contains(*hi));
}

void tst_ReviewPanel::threeDSwitch()
{
    ReviewPanel *p = makePanel();
    QVERIFY(p->openTestByName("Gel 30").ok());
    emit p->findChild<QComboBox *>("cmbChartType")->activated(ViscRate);
    QVERIFY(p->overlapButton()->isEnabled());
    clickOption(p, "opt3D");
    auto *list = p->findChild<QComboBox *>("cmbChartType");
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->currentText(), QStringLiteral("Visc Vs. Rate, Time"));
    QVERIFY(!p->overlapButton()->isEnabled());
    QVERIFY(p->chart3D()->isVisible());
    QVERIFY(!p->chart2D()->isVisible());
    emit list->activated(1);
    QCOMPARE(p->chart3D()->shownChart().title, QStringLiteral("Viscosity vs. Shear Rate & Sample Temperature"));
    // Without OpenGL the view says so and keeps the data.
    QVERIFY(!p->chart3D()->hasGraph());
    QCOMPARE(p->chart3D()->shownChart().points.size(), qsizetype(m_run.size()));
    clickOption(p, "opt2D");
    QCOMPARE(list->count(), 6);
    QCOMPARE(p->chart2D()->titleText(), QStringLiteral("Viscosity & Temperature Vs. Time"));
}

void tst_ReviewPanel::printsToPdf()
{
    ReviewPanel *p = makePanel();
    QVERIFY(p->openTestByName("Gel 30").ok());
    QTest::qWait(50);      // as after the print dialog: the chart has been laid out
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("chart.pdf"));
    QVERIFY(p->printChart(&printer));
    QFile pdf(dir.filePath("chart.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(4) == "%PDF");
    QVERIFY(pdf.size() > 2000);
    pdf.close();
    if (qEnvironmentVariableIsSet("ROVUDAZE_KEEP_PDF"))
        QFile::copy(pdf.fileName(), qEnvironmentVariable("ROVUDAZE_KEEP_PDF"));
    // The page carries the chart itself: its titles and axis labels.
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        return;
    QProcess text;
    text.start("pdftotext", {pdf.fileName(), "-"});
    QVERIFY(text.waitForFinished());
    const QString page = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(page.contains("Viscosity & Temperature Vs. Time"), qPrintable(page));
    QVERIFY(page.contains("Gel 30"));
    QVERIFY(page.contains("Time (Min)"));
}

void tst_ReviewPanel::printButtonOpensDialog()
{
    ReviewPanel *p = makePanel();
    QTest::mouseClick(p->printChartButton(), Qt::LeftButton);
    auto *dialog = p->findChild<QPrintDialog *>("dlgPrintChart");
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    dialog->reject();
    QVERIFY(m_prompter->boxes.isEmpty());
}

QTEST_MAIN(tst_ReviewPanel)
#include "tst_reviewpanel.moc"
