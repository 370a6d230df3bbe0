// The 3D chart needs a display with OpenGL (ctest runs this under Xvfb).
// With ROVUDAZE_REVIEW_SCREENSHOTS set to a directory, it also writes
// review-2d.png, review-3d.png and review-overlay.png of the panel with a
// test open.
#include "review/reviewfixture.h"
#include "review/reviewsession.h"
#include "review/scriptedprompter.h"
#include "review/ui/chart2dview.h"
#include "review/ui/chart3dview.h"
#include "review/ui/reviewpanel.h"
#include "sequences/unitsystem.h"
#include "support/testdatabase.h"
#include <Q3DScatter>
#include <QComboBox>
#include <QPrinter>
#include <QRadioButton>
#include <QScatter3DSeries>
#include <QScreen>
#include <QValue3DAxis>
#include <QtTest>

using namespace review;
using namespace reviewfixture;

namespace {
void clickOption(QWidget *panel, const char *name)
{
    auto *b = panel->findChild<QRadioButton *>(name);
    QVERIFY2(b, name);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}
} // namespace

class tst_Review3D : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void graphShowsEveryType_data();
    void graphShowsEveryType();
    void largeCloudIsThinned();
    void printsThreeD();
    void screenshots();

private:
    void openIn3D(const QString &name);

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<ReviewPanel> m_panel;
    std::vector<TestResultRow> m_run;
};

void tst_Review3D::initTestCase()
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        QSKIP("needs an X display (run under xvfb-run)");
    if (!Chart3DView::openGLAvailable())
        QSKIP("this display offers no OpenGL");
}

void tst_Review3D::init()
{
    UnitSystem::set(UnitSystem::CGS);
    m_db = std::make_unique<TestDatabase>();
    QVERIFY2(m_db->isValid(), qPrintable(m_db->skipReason()));
    RunShape shape;
    shape.steps = 6;
    shape.ordinaryPerStep = 40;
    shape.rampPoints = 8;
    m_run = makeRun(shape);
    storeTest(m_db->connection(), "Borate gel 35", m_run,
              {additive("Guar", 35, "lb/Mgal", "G-0412"), additive("Borate XL", 1.2, "gal/Mgal", "X-77"),
               additive("Breaker", 0.5, "lb/Mgal", "B-19")});
    m_panel = std::make_unique<ReviewPanel>(m_db->connection(), nullptr, std::make_shared<RecordingPrompter>());
    m_panel->resize(1200, 800);
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
}

void tst_Review3D::cleanup()
{
    m_panel.reset();
    m_db.reset();
}

void tst_Review3D::openIn3D(const QString &name)
{
    QVERIFY(m_panel->openTestByName(name).ok());
    clickOption(m_panel.get(), "opt3D");
    QVERIFY(m_panel->chart3D()->isVisible());
}

void tst_Review3D::graphShowsEveryType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("z");
    QTest::newRow("rate, time") << 0 << "Time (Min)" << "Shear Rate (1/S)";
    QTest::newRow("rate, temp") << 1 << "Sample Temp (°F)" << "Shear Rate (1/S)";
    QTest::newRow("temp, time") << 2 << "Sample Temp (°F)" << "Time (Min)";
}

void tst_Review3D::graphShowsEveryType()
{
    QFETCH(int, type);
    QFETCH(QString, x);
    QFETCH(QString, z);
    openIn3D("Borate gel 35");
    emit m_panel->findChild<QComboBox *>("cmbChartType")->activated(type);
    Chart3DView *v = m_panel->chart3D();
    QVERIFY(v->hasGraph());
    Q3DScatter *g = v->graph();
    QCOMPARE(g->axisX()->title(), x);
    QCOMPARE(g->axisY()->title(), QStringLiteral("Viscosity (cP)"));
    QCOMPARE(g->axisZ()->title(), z);
    QCOMPARE(v->drawnPointCount(), int(m_run.size()));
    QCOMPARE(g->seriesList().first()->dataProxy()->itemCount(), int(m_run.size()));
}

void tst_Review3D::largeCloudIsThinned()
{
    RunShape big;
    big.steps = 8;
    big.ordinaryPerStep = 10000;
    const auto rows = makeRun(big);
    storeTest(m_db->connection(), "Long run", rows);
    openIn3D("Long run");
    Chart3DView *v = m_panel->chart3D();
    QVERIFY(v->drawnPointCount() <= Chart3DView::kMaxDrawnPoints);
    QVERIFY(v->drawnPointCount() > 100);
    QCOMPARE(v->shownChart().points.size(), qsizetype(rows.size()));
}

void tst_Review3D::printsThreeD()
{
    openIn3D("Borate gel 35");
    QVERIFY(!m_panel->chart3D()->renderImage(QSize(400, 300)).isNull());
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("chart3d.pdf"));
    QVERIFY(m_panel->printChart(&printer));
    QVERIFY(QFileInfo(dir.filePath("chart3d.pdf")).size() > 2000);
}

void tst_Review3D::screenshots()
{
    const QString out = qEnvironmentVariable("ROVUDAZE_REVIEW_SCREENSHOTS");
    if (out.isEmpty())
        QSKIP("set ROVUDAZE_REVIEW_SCREENSHOTS to a directory to write the pictures");
    QVERIFY(m_panel->openTestByName("Borate gel 35").ok());
    m_panel->setWindowTitle(QStringLiteral("Borate gel 35"));
    QTest::qWait(300);
    QScreen *screen = m_panel->screen();
    const QRect frame = m_panel->frameGeometry();
    auto grab = [&](const QString &file) {
        const QPixmap shot = screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
        QVERIFY(shot.save(QDir(out).filePath(file)));
    };
    grab(QStringLiteral("review-2d.png"));
    clickOption(m_panel.get(), "opt3D");
    QTest::qWait(500);
    grab(QStringLiteral("review-3d.png"));

    RunShape other;
    other.steps = 6;
    other.ordinaryPerStep = 40;
    other.rampPoints = 8;
    other.baseStress = 25;
    storeTest(m_db->connection(), "Borate gel 25", makeRun(other));
    clickOption(m_panel.get(), "opt2D");
    emit m_panel->findChild<QComboBox *>("cmbChartType")->activated(ViscTime);
    QVERIFY(m_panel->overlayTestByName("Borate gel 25").ok());
    QTest::qWait(300);
    grab(QStringLiteral("review-overlay.png"));
}

QTEST_MAIN(tst_Review3D)
#include "tst_review3d.moc"
