// The console on real serial ports: the kx720-sim program serves each unit on
// a pseudo-terminal and points initial.txt and ports.ini at them. Runs in
// real time (a step command takes some seven seconds).
#include "consoledriver.h"
#include "realtime/instrumentlink.h"
#include "realtime/ui/livechart.h"
#include "sequences/leadingnumber.h"
#include "sequences/unitsystem.h"
#include "support/run/runfixture.h"
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace console;
using Step = TestSequence::Step;

namespace {

// kx720-sim serving some units, with its log of what each instrument got.
class Simulator
{
public:
    ~Simulator()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    bool start(int units, const QString &stationDir)
    {
        const QString bin = qEnvironmentVariable("ROVUDAZE_BIN_DIR") + QStringLiteral("/tools/kx720-sim");
        QObject::connect(&m_process, &QProcess::readyReadStandardError, [this] { m_log += m_process.readAllStandardError(); });
        m_process.start(bin, {"--units", QString::number(units), "--station-dir", stationDir, "--verbose",
                              "--ambient", "200", "--heat-time", "1"});
        if (!m_process.waitForStarted(5000))
            return false;
        QByteArray out;
        while (out.count("\n") < units && m_process.waitForReadyRead(5000))
            out += m_process.readAllStandardOutput();
        for (const QByteArray &line : out.split('\n')) {
            if (line.startsWith("unit "))
                m_devices << QString::fromUtf8(line.mid(line.indexOf(": ") + 2)).trimmed();
        }
        return m_devices.size() == units;
    }

    QString device(int unit) const { return m_devices.value(unit - 1); }
    int count(int unit, const char *what) const
    {
        return int(m_log.count(QByteArray("unit ") + QByteArray::number(unit) + ": " + what));
    }

private:
    QProcess m_process;
    QByteArray m_log;
    QStringList m_devices;
};

TestSequence longSequence()
{
    TestSequence sequence;
    sequence.name = QStringLiteral("Long hold");
    sequence.rampSampleRate = 2;
    sequence.samplePointsAverage = 2;
    sequence.sampleInterval = 10;
    sequence.steps = {Step{120, 200, 5, 100, 0, 10}};
    return sequence;
}

// A console on the station folder the simulator wrote.
struct PtyBench
{
    bool setUp(int units)
    {
        if (qEnvironmentVariableIsEmpty("ROVUDAZE_BIN_DIR"))
            return false;
        storeSequence(db.connection(), longSequence());
        if (!sim.start(units, dir.path()))
            return false;
        ConsoleOptions options;
        options.settingsDir = dir.path();
        console = std::make_unique<frmMDIRealTime>(db.connection(), options);
        console->show();
        return true;
    }

    TestDatabase db;
    QTemporaryDir dir;
    Simulator sim;
    std::unique_ptr<frmMDIRealTime> console;
};

} // namespace

class TestConsole : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("ROVUDAZE_BIN_DIR"))
            QSKIP("ROVUDAZE_BIN_DIR is not set: kx720-sim cannot be found");
    }

    void menusFromStationSettings_data()
    {
        QTest::addColumn<QByteArray>("initial");      // "missing" = no file
        QTest::addColumn<QList<bool>>("enabled");
        QTest::addColumn<int>("unitSystem");
        QTest::addColumn<QString>("note");
        const QList<bool> none(8, false);
        QTest::newRow("missing file") << QByteArray("missing") << none << int(UnitSystem::EI) << "was not found";
        QTest::newRow("short file") << QByteArray(" 1\r\n 2\r\n") << none << int(UnitSystem::EI) << "holds 2 of its 9 numbers";
        QTest::newRow("no instruments, CGS") << initialTxt({0, 0, 0, 0, 0, 0, 0, 0}, 1) << none << int(UnitSystem::CGS) << "";
        QTest::newRow("units 1, 3 and 8, SI") << initialTxt({1, 0, 3, 0, 0, 0, 0, 12}, 3)
                                              << QList<bool>{true, false, true, false, false, false, false, true}
                                              << int(UnitSystem::SI) << "";
    }

    void menusFromStationSettings()
    {
        QFETCH(QByteArray, initial);
        QFETCH(QList<bool>, enabled);
        QFETCH(int, unitSystem);
        QFETCH(QString, note);
        UnitSystem::set(UnitSystem::EI);
        TestDatabase db;
        QTemporaryDir dir;
        if (initial != "missing")
            writeFile(dir.filePath("initial.txt"), initial);
        ConsoleOptions options;
        options.settingsDir = dir.path();
        frmMDIRealTime c(db.connection(), options);
        c.show();
        QCOMPARE(c.windowTitle(), QStringLiteral("KX720pH Real Time Test & Monitoring"));
        QStringList menus;
        for (QAction *a : c.menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, (QStringList{"Add Instruments", "Window", "E&xit"}));
        QStringList window;
        for (QAction *a : c.findChild<QMenu *>("MenuWindow")->actions())
            window << a->text();
        QCOMPARE(window, (QStringList{"Tile &Horizontally", "Tile Vertically", "&Cascade"}));
        QCOMPARE(addEntry(&c, 8)->text(), QStringLiteral("Add KX720 Unit 8"));
        QCOMPARE(entriesEnabled(&c), enabled);
        QCOMPARE(UnitSystem::current(), unitSystem);
        const QString shown = c.findChild<QLabel *>("lblSettingsNote")->text();
        if (note.isEmpty())
            QVERIFY(shown.isEmpty());
        else
            QVERIFY2(shown.startsWith("No unit can be added: ") && shown.contains(note), qPrintable(shown));
        // A unit without a port cannot be added, not even by asking directly.
        for (int unit = 1; unit <= 8; ++unit) {
            if (enabled.at(unit - 1))
                continue;
            addEntry(&c, unit)->trigger();
            QVERIFY(!c.unitWindow(unit));
        }
        QVERIFY(!c.MenuAdd_Click(2));
        QVERIFY(answerBox(QMessageBox::Ok).startsWith("Unit 2 could not be added: "));
        QVERIFY(c.mdiArea()->subWindowList().isEmpty());
        UnitSystem::set(UnitSystem::CGS);
    }

    void runOnPseudoTerminal()
    {
        PtyBench bench;
        QVERIFY(bench.setUp(1));
        frmMDIRealTime *c = bench.console.get();
        QCOMPARE(entriesEnabled(c), (QList<bool>{true, false, false, false, false, false, false, false}));
        addEntry(c, 1)->trigger();
        frmRealTime *w = c->unitWindow(1);
        QVERIFY(w);
        QCOMPARE(w->link().deviceName(), bench.sim.device(1));
        QCOMPARE(subWindowOf(c, 1)->windowTitle(), QStringLiteral("Unit 1 Real Time Test"));
        QVERIFY(!addEntry(c, 1)->isEnabled());

        for (const QString &name : {QStringLiteral("Pty run 1"), QStringLiteral("Pty run 2")}) {
            QVERIFY(startTest(w, QStringLiteral("Long hold"), {name, QStringLiteral("R2"), QStringLiteral("B1")}));
            // Frames flow once the step command (about 7.5 s) is through.
            QTRY_COMPARE_WITH_TIMEOUT(w->txtSampleTemp->text(), QStringLiteral("200."), 20000);
            QCOMPARE(w->txtTempSetPoint->text(), QStringLiteral("200."));
            QCOMPARE(w->lblActiveFlag->text(), QStringLiteral("Running Test"));
            // 100 1/s on combination 2: 0.58744 / 3.185 × 100 rpm.
            QCOMPARE(w->txtSpeed->text(), QStringLiteral("18.44"));
            QVERIFY(std::abs(leadingNumber(w->txtShearRate->text()) - 100) < 0.1);
            QVERIFY(leadingNumber(w->txtShearStress->text()) > 0);
            QVERIFY(bench.sim.count(1, "set-point 200 °F, speed 18.44") >= 1);
            if (name.endsWith('2'))
                break;
            QTRY_VERIFY(!w->link().isCommandRunning());
            const int stops = bench.sim.count(1, "stop");
            w->cmdStart_Stop->click();
            QTRY_COMPARE(bench.sim.count(1, "stop"), stops + 1);
            QCOMPARE(w->cmdStart_Stop->text(), QStringLiteral("Start"));
            QCOMPARE(w->txtSampleTemp->text(), QStringLiteral("N/A"));
        }

        QTRY_VERIFY_WITH_TIMEOUT(w->engine().storedSamples() >= 1, 20000);
        QCOMPARE(w->CWGraph1->buffer().size(), std::size_t(w->engine().storedSamples()));
        QVERIFY(!w->link().isCommandRunning());
        const int stops = bench.sim.count(1, "stop");
        // Leaving the console while the test runs asks first.
        c->close();
        QVERIFY(answerBox(QMessageBox::Cancel).contains("Unit 1"));
        QVERIFY(c->isVisible() && w->isRunning());
        // A console torn down at once (its main window going away) still
        // stops the instrument: the stop byte leaves before the port closes.
        bench.console.reset();
        QTRY_COMPARE(bench.sim.count(1, "stop"), stops + 1);
        QCOMPARE(countRows(bench.db.connection(), "SELECT COUNT(*) FROM TEST_INFO"), 2);
        QVERIFY(countRows(bench.db.connection(), "SELECT COUNT(*) FROM TEST_RESULT") >= 1);
    }

    void closingUnit3FreesOnlyItsEntry()
    {
        PtyBench bench;
        QVERIFY(bench.setUp(4));
        frmMDIRealTime *c = bench.console.get();
        for (int unit = 1; unit <= 4; ++unit) {
            addEntry(c, unit)->trigger();
            QVERIFY(c->unitWindow(unit));
        }
        QCOMPARE(entriesEnabled(c), QList<bool>(8, false));
        QVERIFY(!visibleBox());

        QMdiSubWindow *three = subWindowOf(c, 3);
        QVERIFY(three);
        QCOMPARE(three->windowTitle(), QStringLiteral("Unit 3 Real Time Test"));
        three->close();
        QTRY_VERIFY(!c->unitWindow(3));
        QCOMPARE(entriesEnabled(c), (QList<bool>{false, false, true, false, false, false, false, false}));
        QCOMPARE(c->mdiArea()->subWindowList().size(), 3);

        // The port was closed with the window, so unit 3 can come back.
        addEntry(c, 3)->trigger();
        QVERIFY(c->unitWindow(3));
        QCOMPARE(entriesEnabled(c), QList<bool>(8, false));

        // Exit on an idle console asks nothing and frees everything.
        c->findChild<QAction *>("MenuExit")->trigger();
        QVERIFY(!visibleBox());
        QTRY_VERIFY(!c->isVisible());
        QTRY_COMPARE(c->mdiArea()->subWindowList().size(), 0);
    }

    void unitThatCannotBeAddedLeavesTheRest_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("no such device") << "missing";
        QTest::newRow("port in use") << "in use";
        QTest::newRow("port taken away after loading") << "port 0";
    }

    void unitThatCannotBeAddedLeavesTheRest()
    {
        QFETCH(QString, how);
        PtyBench bench;
        QVERIFY(bench.setUp(2));
        frmMDIRealTime *c = bench.console.get();
        addEntry(c, 1)->trigger();
        frmRealTime *one = c->unitWindow(1);
        QVERIFY(startTest(one, QStringLiteral("Long hold"), {QStringLiteral("Keeps running")}));

        const QString ports = bench.dir.filePath("ports.ini");
        const QString initial = bench.dir.filePath("initial.txt");
        if (how == "missing")
            writeFile(ports, "[ports]\n1=" + bench.sim.device(1).toUtf8() + "\n2=/nonexistent/ttyKX\n");
        else if (how == "in use")
            writeFile(ports, "[ports]\n1=" + bench.sim.device(1).toUtf8() + "\n2=" + bench.sim.device(1).toUtf8() + "\n");
        else
            writeFile(initial, initialTxt({1, 0, 0, 0, 0, 0, 0, 0}));

        addEntry(c, 2)->trigger();
        const QString message = answerBox(QMessageBox::Ok);
        QVERIFY2(message.startsWith("Unit 2 could not be added: "), qPrintable(message));
        QVERIFY(!c->unitWindow(2));
        QVERIFY(addEntry(c, 2)->isEnabled());
        QCOMPARE(c->mdiArea()->subWindowList().size(), 1);
        QVERIFY(c->isVisible());
        // Unit 1 goes on: its step command reaches the instrument.
        QVERIFY(one->isRunning());
        QTRY_VERIFY_WITH_TIMEOUT(bench.sim.count(1, "ENQ") >= 1, 15000);
        QVERIFY(one->isRunning());
    }
};

QTEST_MAIN(TestConsole)
#include "tst_console.moc"
