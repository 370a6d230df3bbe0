// The console as an operator sees it: two units tiled, both running a test
// on simulated instruments, charts and ramp results filling. Offscreen under
// ctest; run it under Xvfb with ROVUDAZE_CONSOLE_SCREENSHOT naming a .png to
// take the picture of the README.
#include "realtime/ui/livechart.h"
#include "rheology/resultstablemodel.h"
#include "simbench.h"
#include <QImage>
#include <QLineSeries>
#include <QPixmap>
#include <QScreen>

using namespace console;
using Step = TestSequence::Step;

namespace {

TestSequence linearGel()
{
    TestSequence sequence;
    sequence.name = QStringLiteral("Linear gel 2 h at 150F");
    sequence.timeBeforeRead = 20;
    sequence.rampSampleRate = 2;
    sequence.samplePointsAverage = 5;
    sequence.sampleInterval = 60;
    sequence.steps = {Step{20, 150, 3, 511, 1, 30}, Step{20, 150, 3, 100, 1, 30}, Step{20, 150, 3, 100, 1, 30},
                  Step{60, 150, 3, 100, 1, 30}};
    sequence.rampRates = {511, 340, 170, 100, 40};
    return sequence;
}

SimulatorConfig labInstrument(int unit)
{
    SimulatorConfig config;
    config.instrumentNumber = unit;
    config.seed = quint32(unit);
    config.heatingTimeConstant = 240;
    config.fluid.consistency = unit == 1 ? 30 : 55;
    config.fluid.flowIndex = unit == 1 ? 0.55 : 0.42;
    config.initialPH = unit == 1 ? 7.1 : 9.4;
    config.pHDriftPerHour = -0.3;
    return config;
}

} // namespace

class TestConsolePicture : public QObject
{
    Q_OBJECT

private slots:
    void twoRunningUnitsTiled()
    {
        Bench bench(linearGel(), labInstrument);
        frmMDIRealTime *c = bench.console.get();
        c->resize(1440, 1200);
        frmRealTime *one = bench.add(1);
        frmRealTime *two = bench.add(2);
        QVERIFY(one && two);
        QVERIFY(startTest(one, QStringLiteral("Linear gel 2 h at 150F"),
                          {QStringLiteral("HPG 40 ppt, 150F"), QStringLiteral("R1"), QStringLiteral("B1"),
                           {{"HPG", "40", "ppt", "G-1187"}, {"KCl", "2", "%", "K-22"}}}));
        bench.clock.advance(7 * 60 * 1000);
        QVERIFY(startTest(two, QStringLiteral("Linear gel 2 h at 150F"),
                          {QStringLiteral("CMHPG 35 ppt, pH 9.4"), QStringLiteral("R1"), QStringLiteral("B1")}));
        bench.clock.advance(45 * 60 * 1000);
        c->findChild<QAction *>("MenuWindowHorizontal")->trigger();
        QCoreApplication::processEvents();

        QCOMPARE(c->runningUnits(), (QList<int>{1, 2}));
        for (frmRealTime *w : {one, two}) {
            QVERIFY(w->isVisible());
            QVERIFY(w->CWGraph1->series(LiveChart::Viscosity)->count() > 50);
            QVERIFY(!w->resultsModel()->cellText(2, rheology::ResultsTableModel::ColNPrime).isEmpty());
            QVERIFY(w->txtSampleTemp->text().startsWith(QStringLiteral("15")));
        }
        // Tiled one above the other, each the console's full width.
        QMdiSubWindow *top = subWindowOf(c, 1);
        QMdiSubWindow *bottom = subWindowOf(c, 2);
        QCOMPARE(top->width(), c->mdiArea()->viewport()->width());
        QVERIFY(top->geometry().bottom() < bottom->geometry().top());
        QVERIFY(!top->isMaximized() && !bottom->isMaximized());

        const QImage picture = c->grab().toImage();
        QCOMPARE(picture.size() / picture.devicePixelRatio(), c->size());
        const QString file = qEnvironmentVariable("ROVUDAZE_CONSOLE_SCREENSHOT");
        if (!file.isEmpty())
            QVERIFY(picture.save(file));
    }
};

QTEST_MAIN(TestConsolePicture)
#include "tst_consolepicture.moc"
