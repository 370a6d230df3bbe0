// The main window driven by objectName, offscreen.
#include "app/ui/frmMain.h"
#include "review/ui/reviewpanel.h"
#include "sequences/ui/prompter.h"
#include "sequences/unitsystem.h"
#include "store/clsTEST_RESULT.h"
#include "support/run/runfixture.h"
#include "testinfo/ui/frmOpenTest.h"
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

class RecordingPrompter : public Prompter
{
public:
    QStringList texts;
    void inform(QWidget *, const QString &, const QString &text) override { texts << text; }
    void confirm(QWidget *, const QString &, const QString &text, std::function<void(bool)> done) override
    {
        texts << text;
        done(true);
    }
    void askText(QWidget *, const QString &, const QString &, std::function<void(std::optional<QString>)> done) override
    {
        done(std::nullopt);
    }
};

void storeTestWithSamples(clsConnection *c, const QString &name)
{
    const TestInfoRow test = storeTest(c, name);
    clsTEST_RESULT r;
    r.ConnectX(c);
    for (int i = 0; i < 30; ++i) {
        r.Test_Id = double(test.testId);
        r.RAMP_NO = 1;
        r.RESULT_TIME = i * 20;
        r.RESULT_SAMPLE_TEMP = 150;
        r.RESULT_SHEAR_RATE = i < 25 ? 100 : (i - 24) * 40.0;
        r.RESULT_SHEAR_STRESS = 10 * std::sqrt(r.RESULT_SHEAR_RATE);
        r.RESULT_TYPE_ID = i < 25 ? 0 : 1;
        r.RAMP_STEP_NO = i < 25 ? 0 : i - 24;
        r.RESULT_BATH_TEMP = 7;
        r.AddNew();
    }
}

} // namespace

class TestFrmMain : public QObject
{
    Q_OBJECT

    QTemporaryDir m_cwd;
    QString m_old;

private slots:
    void init()
    {
        m_old = QDir::currentPath();
        QDir::setCurrent(m_cwd.path());
        QFile::remove("initial.txt");
    }
    void cleanup() { QDir::setCurrent(m_old); }

    void startsWithoutStationSettings()
    {
        UnitSystem::set(3);
        TestDatabase db;
        frmMain window(db.connection(), nullptr, std::make_shared<RecordingPrompter>());
        QCOMPARE(window.windowTitle(), QString("KX720pH Viscometer for Completion and Fracture Fluids"));
        QVERIFY(window.settingsNote().contains("not found"));
        QCOMPARE(UnitSystem::current(), 1);
        QVERIFY(!QFile::exists("initial.txt"));       // nothing written until the user saves
        const QList<QPair<QString, QString>> buttons = {
            {"cmdOpen", "&Open Saved Test"}, {"cmdOverlap", "Overlap Charts"}, {"cmdRelated", "Edit Test Info"},
            {"cmdPrintChart", "Print Chart"}, {"cmdReport", "Brief Re&port"}, {"cmdExcelDetail", "Export Excel"},
            {"cmdDetailReport", "D&etail Re&port"}, {"cmdSetup", "&Setup"}, {"cmdRealTime", "Real &Time Test"},
            {"cmdExit", "&Exit"}};
        for (const auto &[name, caption] : buttons) {
            auto *b = window.findChild<QPushButton *>(name);
            QVERIFY2(b, qPrintable(name));
            QCOMPARE(b->text(), caption);
        }
        QVERIFY(!window.findChild<QPushButton *>("cmdOverlap")->isEnabled());
        QVERIFY(!window.findChild<QPushButton *>("cmdRelated")->isEnabled());
        for (const char *menu : {"MenuFileOpen", "MenuSetup", "MenuFileReport", "MenuFileRealTimeTest", "MenuPrintScreen",
                                 "MenuFileExit", "MenuReportDetail", "MenuBriefReport", "MenuHelpContent", "MenuHelpAbout"})
            QVERIFY2(window.findChild<QAction *>(menu), menu);
    }

    void readsUnitSystemFromStationSettings()
    {
        QFile f("initial.txt");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(" 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 2\r\n");
        f.close();
        TestDatabase db;
        frmMain window(db.connection(), nullptr, std::make_shared<RecordingPrompter>());
        QVERIFY(window.settingsNote().isEmpty());
        QCOMPARE(UnitSystem::current(), 2);
    }

    void opensByTypedNameAndByRow()
    {
        TestDatabase db;
        storeTestWithSamples(db.connection(), "Guar 40 at 150F");
        auto prompter = std::make_shared<RecordingPrompter>();
        frmMain window(db.connection(), nullptr, prompter);
        window.show();
        QTest::mouseClick(window.findChild<QPushButton *>("cmdOpen"), Qt::LeftButton);
        frmOpenTest *picker = window.openPicker();
        QTRY_VERIFY(picker->isVisible());

        picker->txtSeqName->setText("No such test");
        QTest::mouseClick(picker->cmdOk, Qt::LeftButton);
        QTRY_COMPARE(prompter->texts.value(0), QString("Your test sequence name is not found.  Please try again."));
        QVERIFY(!window.reviewPanel()->isTestOpen());

        QTest::mouseClick(window.findChild<QPushButton *>("cmdOpen"), Qt::LeftButton);
        QTRY_VERIFY(picker->isVisible());
        picker->txtSeqName->setText("Guar 40 at 150F");
        QTest::mouseClick(picker->cmdOk, Qt::LeftButton);
        QTRY_VERIFY(window.reviewPanel()->isTestOpen());
        QCOMPARE(window.reviewPanel()->openedTestName(), QString("Guar 40 at 150F"));
        QVERIFY(!picker->isVisible());
        QVERIFY(window.findChild<QPushButton *>("cmdRelated")->isEnabled());

        // By row: a click fills the name, a double-click opens; the main window hides the picker.
        window.reviewPanel()->closeTest();
        QTest::mouseClick(window.findChild<QPushButton *>("cmdOpen"), Qt::LeftButton);
        QTRY_VERIFY(picker->isVisible());
        QTableWidget *grid = picker->MSFlexGrid1;
        const QRect cell = grid->visualRect(grid->model()->index(0, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(picker->txtSeqName->text(), QString("Guar 40 at 150F"));
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTRY_VERIFY(window.reviewPanel()->isTestOpen());
        QTRY_VERIFY(!picker->isVisible());
    }

    void exitAsksOnlyForTheCloseBox()
    {
        TestDatabase db;
        auto *window = new frmMain(db.connection(), nullptr, std::make_shared<RecordingPrompter>());
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));

        window->close();                              // as the close box does
        QMessageBox *box = nullptr;
        QTRY_VERIFY((box = window->findChild<QMessageBox *>("exitCheck")));
        QCOMPARE(box->windowTitle(), QString("Exit Check"));
        QCOMPARE(box->text(), QString("Are you sure to exit?"));
        QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
        QTest::qWait(50);
        QVERIFY(window->isVisible());                 // No keeps the window

        window->close();
        QTRY_VERIFY((box = window->findChild<QMessageBox *>("exitCheck")));
        QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
        QTRY_VERIFY(!window->isVisible());

        window->show();
        QTest::mouseClick(window->findChild<QPushButton *>("cmdExit"), Qt::LeftButton);
        QTRY_VERIFY(!window->isVisible());            // cmdExit does not ask
        for (QMessageBox *b : window->findChildren<QMessageBox *>("exitCheck"))
            QVERIFY(!b->isVisible());
        delete window;
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
