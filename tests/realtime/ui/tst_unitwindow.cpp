// The unit window and the console on in-process simulated instruments under
// a virtual clock: a whole test with its shear ramp runs in well under a
// second. The windows are driven by objectName; their boxes are answered.
#include "consoledriver.h"
#include "realtime/instrumentreading.h"
#include "realtime/ui/livechart.h"
#include "realtime/ui/readouts.h"
#include "rheology/resultstablemodel.h"
#include "sequences/leadingnumber.h"
#include "store/clsSEQUENCE_INFO.h"
#include "simbench.h"
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QValueAxis>
#include <cmath>
#include <map>

using namespace console;
using Step = TestSequence::Step;

namespace {

// One normal step closing with a three-rate shear ramp, then a long step.
TestSequence rampSequence(const QString &name = QStringLiteral("Quick ramp"))
{
    TestSequence sequence;
    sequence.name = name;
    sequence.timeBeforeRead = 2;
    sequence.rampSampleRate = 1;
    sequence.samplePointsAverage = 2;
    sequence.sampleInterval = 10;
    sequence.steps = {Step{1, 200, 5, 100, 1, 10}, Step{60, 200, 5, 100, 0, 10}};
    sequence.rampRates = {170, 100, 40};
    return sequence;
}

TestResultRow sampleAt(double seconds)
{
    TestResultRow r;
    r.resultTime = seconds;
    r.shearRate = 100;
    r.shearStress = 50;
    r.sampleTemp = 150 + seconds / 60;
    r.pH = 7;
    return r;
}

} // namespace

class TestUnitWindow : public QObject
{
    Q_OBJECT

private slots:
    void readouts_data()
    {
        QTest::addColumn<double>("speed");
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("stress");
        QTest::addColumn<QStringList>("expected");   // speed, rate, stress, visc, pH, temp, set-point
        QTest::newRow("turning") << 100.0 << 170.24 << 56.789 << QStringList{"100.", "170.24", "56.8", "33.4", "7.2", "199.5", "200."};
        QTest::newRow("standing") << 0.0 << 0.0 << 12.0 << QStringList{"0.0", "0.0", "12.", "0.0", "7.2", "199.5", "200."};
        // Rounds to 0.00 as shown: counts as standing.
        QTest::newRow("creeping") << 0.004 << 0.0068 << 3.0 << QStringList{"0.0", "0.0", "3.", "0.0", "7.2", "199.5", "200."};
        QTest::newRow("just turning") << 0.01 << 0.017 << 3.0 << QStringList{".01", ".02", "3.", "17646.", "7.2", "199.5", "200."};
    }

    void readouts()
    {
        QFETCH(double, speed);
        QFETCH(double, rate);
        QFETCH(double, stress);
        QFETCH(QStringList, expected);
        InstrumentReading r;
        r.motorSpeed = speed;
        r.shearRate = rate;
        r.shearStress = stress;
        r.pH = 7.23;
        r.sampleTemperature = 199.49;
        const ReadoutTexts t = ReadoutTexts::fromReading(r, 200);
        QCOMPARE((QStringList{t.speed, t.shearRate, t.shearStress, t.viscosity, t.pH, t.sampleTemp, t.tempSetPoint}),
                 expected);
    }

    void chartKeepsTheLast600Samples()
    {
        LiveChart chart;
        for (int i = 1; i <= 601; ++i)
            chart.addSample(sampleAt(60.0 * i));
        for (int s = 0; s < LiveChart::SeriesCount; ++s) {
            const QLineSeries *series = chart.series(LiveChart::Series(s));
            QCOMPARE(series->count(), 600);
            QCOMPARE(series->at(0).x(), 2.0);      // sample 1 dropped
            QCOMPARE(series->at(599).x(), 601.0);
        }
        QCOMPARE(chart.series(LiveChart::Viscosity)->at(0).y(), 100 * 50 / (0.0001 + 100));
        QVERIFY(chart.axisX()->min() <= 2.0 && chart.axisX()->max() >= 601.0);
        const QValueAxis *temp = chart.axisY(LiveChart::Temperature);
        QVERIFY(temp->min() <= 150 + 2.0 / 1 && temp->max() >= 150 + 601.0);
        chart.clearData();
        QCOMPARE(chart.series(LiveChart::PH)->count(), 0);
    }

    void freshWindow()
    {
        Bench bench(rampSequence());
        frmRealTime *w = bench.add(2);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Unit 2 Real Time Test"));
        QCOMPARE(subWindowOf(bench.console.get(), 2)->windowTitle(), QStringLiteral("Unit 2 Real Time Test"));
        QCOMPARE(w->findChild<QLabel *>("lblInstName")->text(), QStringLiteral("Unit 2"));
        QCOMPARE(w->findChild<QLabel *>("lblTestName")->text(), QStringLiteral("Empty"));
        QCOMPARE(w->findChild<QLabel *>("lblSelectSeq")->text(), QStringLiteral("Empty"));
        QCOMPARE(w->findChild<QLabel *>("lblActiveFlag")->text(), QStringLiteral("InActive"));
        auto *start = w->findChild<QPushButton *>("cmdStart_Stop");
        QCOMPARE(start->text(), QStringLiteral("Start"));
        QCOMPARE(start->toolTip(), QStringLiteral("Click here to start test after selecting sequence"));
        QCOMPARE(w->findChild<QPushButton *>("cmdSelect")->text(), QStringLiteral("S&elect Sequence"));
        QCOMPARE(w->findChild<QPushButton *>("cmdExit")->text(), QStringLiteral("&Exit"));
        for (const char *name : {"txtSpeed", "txtShearRate", "txtShearStress", "txtVisc", "txtpH", "txtTempSetPoint",
                                 "txtSampleTemp"})
            QVERIFY2(w->findChild<QLineEdit *>(name), name);
        QStringList legend;
        for (const char *name : {"lblLegends", "lblLegendVisc", "lblLegendTemp", "lblLegendShearRate", "lblLegendPH"})
            legend << w->findChild<QLabel *>(name)->text();
        QCOMPARE(legend, (QStringList{"Legends:", "Visc.", "Sample Temp", "Shear Rate", "pH"}));
        auto *chart = w->findChild<LiveChart *>("CWGraph1");
        QVERIFY(chart);
        QCOMPARE(chart->axisX()->titleText(), QStringLiteral("Time (Min)"));
        QStringList axes;
        for (int s = 0; s < LiveChart::SeriesCount; ++s)
            axes << chart->axisY(LiveChart::Series(s))->titleText();
        QCOMPARE(axes, (QStringList{"Viscosity (Cp)", "Temperature (F)", "Shear Rate (1/S)", "pH"}));
        auto *grid = w->findChild<QTableView *>("MSFlexGrid1");
        QCOMPARE(grid->model()->columnCount(), 12);
        QCOMPARE(grid->model()->rowCount(), 1);
        QCOMPARE(grid->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("n'"));
        QCOMPARE(w->findChild<QLabel *>("ElapsedTime")->parentWidget(), w->findChild<QStatusBar *>("StatusBar1"));
        QVERIFY(w->findChild<QLabel *>("ElapsedTime")->text().startsWith(QStringLiteral("Elapsed Time: ")));
        // The controls follow the window's size.
        QMdiSubWindow *sub = subWindowOf(bench.console.get(), 2);
        sub->showNormal();
        sub->resize(900, 700);
        QCoreApplication::processEvents();
        const int wide = chart->width();
        sub->resize(1300, 900);
        QCoreApplication::processEvents();
        QVERIFY(chart->width() > wide);
    }

    void startRunStop()
    {
        Bench bench(rampSequence());
        frmRealTime *w = bench.add(1);
        QVERIFY(w);
        SimulatedInstrument &sim = *bench.instruments.at(1);
        Entry e{QStringLiteral("Gel 42"), QStringLiteral("r1 long"), QStringLiteral("b4x"),
                {{"Crosslinker", "1.5", "gpt", "L-7"}, {"Breaker", "abc", "ppt", "B-2"}}};
        QVERIFY(startTest(w, QStringLiteral("Quick ramp"), e));
        QCOMPARE(w->cmdStart_Stop->text(), QStringLiteral("Stop"));
        QVERIFY(!w->cmdExit->isEnabled());
        QVERIFY(!w->cmdSelect->isEnabled());
        QCOMPARE(w->lblTestName->text(), QStringLiteral("Gel 42"));
        // The test row and both additives are stored before the run starts.
        clsConnection *c = bench.db.connection();
        QCOMPARE(countRows(c, "SELECT COUNT(*) FROM TEST_INFO WHERE TEST_NAME = 'Gel 42'"), 1);
        QCOMPARE(countRows(c, "SELECT COUNT(*) FROM TEST_ADDITIVE"), 2);
        QCOMPARE(countRows(c, "SELECT COUNT(*) FROM TEST_ADDITIVE WHERE ADDITIVE_NM = 'Breaker' AND ADD_CONCEN = 0"), 1);
        // This unit runs on the combination entered: R1B4 is combination 6.
        QCOMPARE(w->link().rotorBob().combination, 6);

        rheology::ResultsTableModel *results = w->resultsModel();
        QVERIFY(bench.runUntil([&] { return !results->cellText(1, rheology::ResultsTableModel::ColNPrime).isEmpty(); },
                               600));
        QCOMPARE(sim.combination(), 6);
        QCOMPARE(results->cellText(1, rheology::ResultsTableModel::ColRamp), QStringLiteral("1"));
        // The simulated fluid is a power law with n = 0.5.
        QVERIFY(std::abs(leadingNumber(results->cellText(1, rheology::ResultsTableModel::ColNPrime)) - 0.5) < 0.05);
        QCOMPARE(results->cellText(1, rheology::ResultsTableModel::ColKPrime).size(), 6);
        QCOMPARE(w->MSFlexGrid1->model()->rowCount(), 1);
        QCOMPARE(w->CWGraph1->buffer().size(), std::size_t(w->engine().storedSamples()));
        QVERIFY(w->engine().storedSamples() >= 6);
        QCOMPARE(w->txtSampleTemp->text(), QStringLiteral("200."));
        QCOMPARE(w->txtTempSetPoint->text(), QStringLiteral("200."));
        QVERIFY(leadingNumber(w->txtSpeed->text()) > 0);
        QVERIFY(leadingNumber(w->txtVisc->text()) > 0);
        QCOMPARE(w->txtpH->text(), QStringLiteral("7."));
        QVERIFY(w->ElapsedTime->text().startsWith(QStringLiteral("Elapsed Time: 00:0")));
        QVERIFY(w->ElapsedTime->text() != QStringLiteral("Elapsed Time: 00:00:00"));
        QVERIFY(w->lblProgress->text().startsWith(QStringLiteral("Step 2 of 2")));
        bench.clock.advance(1000);
        QCOMPARE(w->lblActiveFlag->text(), QStringLiteral("Running Test"));

        // The step command opens with the same byte as a stop: count from here.
        bench.clock.advance(10 * 1000);
        QVERIFY(!w->link().isCommandRunning());
        QSignalSpy stops(&sim, &SimulatedInstrument::stopReceived);
        w->cmdStart_Stop->click();
        QVERIFY(!w->isRunning());
        QCOMPARE(stops.size(), 1);
        QCOMPARE(w->cmdStart_Stop->text(), QStringLiteral("Start"));
        QVERIFY(w->cmdExit->isEnabled());
        QCOMPARE(w->lblActiveFlag->text(), QStringLiteral("InActive"));
        QCOMPARE((QStringList{w->txtSpeed->text(), w->txtShearRate->text(), w->txtShearStress->text(),
                              w->txtVisc->text(), w->txtSampleTemp->text(), w->txtTempSetPoint->text()}),
                 (QStringList{"0.0", "0.0", "0.0", "0.0", "N/A", "N/A"}));
        // The results of the stopped test stay on show.
        QCOMPARE(results->cellText(1, rheology::ResultsTableModel::ColRamp), QStringLiteral("1"));
        QVERIFY(!visibleBox());
    }

    void startNeedsSequenceAndEntry()
    {
        Bench bench(rampSequence());
        frmRealTime *w = bench.add(1);
        // No sequence chosen: nothing opens.
        QVERIFY(!pressStart(w));
        QVERIFY(!visibleBox());
        // Cancel, and the close box, leave everything as it was.
        QVERIFY(chooseSequence(w, QStringLiteral("Quick ramp")));
        for (bool closeBox : {false, true}) {
            frmTestRelatedInfo *entry = pressStart(w);
            QVERIFY(entry);
            entry->txtTestName->setText(QStringLiteral("Never"));
            if (closeBox)
                entry->close();
            else
                entry->cmdCancel->click();
            QVERIFY(!w->isRunning());
            QCOMPARE(w->lblTestName->text(), QStringLiteral("Empty"));
            QCOMPARE(countRows(bench.db.connection(), "SELECT COUNT(*) FROM TEST_INFO"), 0);
            QCOMPARE(bench.instruments.at(1)->commandsReceived(), 0);
        }
    }

    void failedStartLeavesNothing_data()
    {
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("message");
        QTest::newRow("name taken meanwhile") << 0
            << "Error in save to a new name. Please make sure that the name is not used and try again.";
        QTest::newRow("sequence deleted meanwhile") << 1 << "The test sequence \"Quick ramp\" is not stored.";
    }

    void failedStartLeavesNothing()
    {
        QFETCH(int, failure);
        QFETCH(QString, message);
        Bench bench(rampSequence());
        clsConnection *c = bench.db.connection();
        frmRealTime *w = bench.add(1);
        QVERIFY(chooseSequence(w, QStringLiteral("Quick ramp")));
        frmTestRelatedInfo *entry = pressStart(w);
        QVERIFY(entry);
        fillEntry(entry, {QStringLiteral("Taken"), QStringLiteral("R1"), QStringLiteral("B4"),
                          {{"A", "1", "gpt", "1"}, {"B", "2", "gpt", "2"}, {"C", "3", "gpt", "3"}}});
        // Another station gets in between the check and the store.
        if (failure == 0) {
            storeTest(c, QStringLiteral("Taken"));
        } else {
            clsSEQUENCE_INFO sequences;
            sequences.ConnectX(c);
            sequences.SEQUENCE_NAME = QStringLiteral("Quick ramp");
            sequences.Delete();
        }
        entry->cmdok->click();
        QCOMPARE(answerBox(QMessageBox::Ok), message);
        QVERIFY(!w->isRunning());
        QCOMPARE(w->cmdStart_Stop->text(), QStringLiteral("Start"));
        QCOMPARE(w->lblTestName->text(), QStringLiteral("Empty"));
        QCOMPARE(w->link().rotorBob().combination, 1);
        QCOMPARE(countRows(c, "SELECT COUNT(*) FROM TEST_INFO"), failure == 0 ? 1 : 0);
        QCOMPARE(countRows(c, "SELECT COUNT(*) FROM TEST_ADDITIVE"), 0);
        QCOMPARE(bench.instruments.at(1)->commandsReceived(), 0);
    }

    void rotorBobPairPerUnit()
    {
        Bench bench(rampSequence());
        frmRealTime *one = bench.add(1);
        QVERIFY(startTest(one, QStringLiteral("Quick ramp"), {QStringLiteral("One"), QStringLiteral("R1"), QStringLiteral("B4")}));
        bench.clock.advance(20 * 1000);
        // A second window opening leaves the first unit's pair alone.
        frmRealTime *two = bench.add(2);
        QCOMPARE(two->link().rotorBob().combination, 1);
        QCOMPARE(one->link().rotorBob().combination, 6);
        QVERIFY(startTest(two, QStringLiteral("Quick ramp"), {QStringLiteral("Two"), QStringLiteral("R2"), QStringLiteral("B1")}));
        QVERIFY(bench.runUntil([&] { return bench.instruments.at(1)->commandsReceived() >= 3; }, 600));
        QCOMPARE(bench.instruments.at(1)->combination(), 6);
        QCOMPARE(bench.instruments.at(2)->combination(), 2);
        QCOMPARE(one->link().rotorBob().factor, 0.58744 / 0.15743);
        QCOMPARE(two->link().rotorBob().factor, 0.58744 / 3.185);
    }

    void closingARunningUnitAsksFirst()
    {
        Bench bench(rampSequence());
        frmRealTime *w = bench.add(3);
        QVERIFY(startTest(w, QStringLiteral("Quick ramp"), {QStringLiteral("Close me")}));
        bench.clock.advance(15 * 1000);
        QVERIFY(!w->link().isCommandRunning());
        QSignalSpy stops(bench.instruments.at(3).get(), &SimulatedInstrument::stopReceived);
        QMdiSubWindow *sub = subWindowOf(bench.console.get(), 3);
        QPointer<frmRealTime> unit(w);

        sub->close();
        QCOMPARE(answerBox(QMessageBox::Cancel), QStringLiteral("A test is running on Unit 3. Stop the test and close the window?"));
        QVERIFY(unit && unit->isRunning());
        QCOMPARE(stops.size(), 0);
        QVERIFY(!addEntry(bench.console.get(), 3)->isEnabled());

        sub->close();
        QVERIFY(!answerBox(QMessageBox::Ok).isEmpty());
        QTRY_VERIFY(!unit);
        QCOMPARE(stops.size(), 1);
        QVERIFY(addEntry(bench.console.get(), 3)->isEnabled());
        QCOMPARE(bench.instruments.at(3)->motorSpeed(), 0.0);
    }

    void closingTheConsoleWhileUnitsRunAsksOnce()
    {
        Bench bench(rampSequence());
        frmRealTime *one = bench.add(1);
        frmRealTime *two = bench.add(2);
        bench.add(4);   // idle
        QVERIFY(startTest(one, QStringLiteral("Quick ramp"), {QStringLiteral("C1")}));
        QVERIFY(startTest(two, QStringLiteral("Quick ramp"), {QStringLiteral("C2")}));
        bench.clock.advance(15 * 1000);
        QVERIFY(!one->link().isCommandRunning() && !two->link().isCommandRunning());
        QCOMPARE(bench.console->runningUnits(), (QList<int>{1, 2}));

        bench.console->findChild<QAction *>("MenuExit")->trigger();
        QCOMPARE(answerBox(QMessageBox::Cancel),
                 QStringLiteral("Tests are running on Unit 1, Unit 2. Stop them and close the console?"));
        QVERIFY(bench.console->isVisible());
        QVERIFY(one->isRunning() && two->isRunning());

        QSignalSpy stops1(bench.instruments.at(1).get(), &SimulatedInstrument::stopReceived);
        QSignalSpy stops2(bench.instruments.at(2).get(), &SimulatedInstrument::stopReceived);
        bench.console->close();
        QVERIFY(!answerBox(QMessageBox::Ok).isEmpty());
        QTRY_VERIFY(!bench.console->isVisible());
        QCOMPARE(stops1.size(), 1);
        QCOMPARE(stops2.size(), 1);
        QVERIFY(!visibleBox());   // no unit asked again
        QTRY_COMPARE(bench.console->mdiArea()->subWindowList().size(), 0);
    }

    void linkTroubleShowsInTheStatusBarOnly()
    {
        Bench bench(rampSequence());
        frmRealTime *w = bench.add(1);
        frmRealTime *other = bench.add(2);
        QVERIFY(startTest(w, QStringLiteral("Quick ramp"), {QStringLiteral("Unplugged")}));
        QVERIFY(startTest(other, QStringLiteral("Quick ramp"), {QStringLiteral("Plugged")}));
        bench.clock.advance(20 * 1000);
        // The line hangs up: reported once, beside the run, no box per tick.
        bench.devices.at(1)->close();
        bench.clock.advance(30 * 1000);
        QVERIFY(w->isRunning());
        QVERIFY2(w->lblFault->text().startsWith(QStringLiteral("Unit 1: ")), qPrintable(w->lblFault->text()));
        QCOMPARE(w->lblActiveFlag->text(), QStringLiteral("No Response"));
        QVERIFY(!visibleBox());
        QVERIFY(other->lblFault->text().isEmpty());
        QCOMPARE(other->lblActiveFlag->text(), QStringLiteral("Running Test"));
        // Back on the line: the port reopens and the note goes.
        bench.devices.at(1)->open();
        QVERIFY(bench.runUntil([&] { return w->lblFault->text().isEmpty(); }, 30));
        QVERIFY(bench.runUntil([&] { return w->lblActiveFlag->text() == QLatin1String("Running Test"); }, 60));
    }

    void setPointQuestionChangesNothing()
    {
        Bench bench(rampSequence());
        frmRealTime *w = bench.add(1);
        QVERIFY(startTest(w, QStringLiteral("Quick ramp"), {QStringLiteral("Set-point")}));
        QVERIFY(bench.runUntil([&] { return w->txtTempSetPoint->text() == QLatin1String("200."); }, 60));
        const int commands = bench.instruments.at(1)->commandsReceived();
        bench.console->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(bench.console.get()));
        w->txtTempSetPoint->setFocus();
        QVERIFY(w->txtTempSetPoint->hasFocus());
        QTest::keyClicks(w->txtTempSetPoint, "5");
        w->txtSpeed->setFocus();
        QMessageBox *box = visibleBox();
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("Change Confirmation."));
        QCOMPARE(box->text(), QStringLiteral("Do you reall want to change the temperature setpoint? "));
        answerBox(QMessageBox::Ok);
        QCOMPARE(w->txtTempSetPoint->text(), QStringLiteral("200."));
        QCOMPARE(bench.instruments.at(1)->commandsReceived(), commands);
        // Leaving it untouched asks nothing.
        w->txtTempSetPoint->setFocus();
        w->txtSpeed->setFocus();
        QVERIFY(!visibleBox());
    }
};

QTEST_MAIN(TestUnitWindow)
#include "tst_unitwindow.moc"
