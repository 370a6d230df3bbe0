// The main window on a real X display with a test open, 2D and 3D. With
// ROVUDAZE_SCREENSHOT_DIR set the shots are saved there (docs/images).
#include "app/ui/frmMain.h"
#include "review/ui/reviewpanel.h"
#include "sequences/examplesequences.h"
#include "sequences/ui/prompter.h"
#include "support/run/runfixture.h"
#include <QComboBox>
#include <QScreen>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QtTest>

namespace {
class SilentPrompter : public Prompter
{
public:
    QStringList texts;
    void inform(QWidget *, const QString &, const QString &text) override { texts << text; }
    void confirm(QWidget *, const QString &, const QString &, std::function<void(bool)> done) override { done(true); }
    void askText(QWidget *, const QString &, const QString &, std::function<void(std::optional<QString>)> done) override
    {
        done(std::nullopt);
    }
};
} // namespace

class TestMainWindowShots : public QObject
{
    Q_OBJECT
private slots:
    void testOpenIn2DAnd3D()
    {
        QTemporaryDir cwd;
        const QString old = QDir::currentPath();
        QDir::setCurrent(cwd.path());
        QFile settings("initial.txt");
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write(" 1\r\n 2\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 1\r\n");
        settings.close();
        TestDatabase db;
        seedExampleSequences(db.connection());
        const TestInfoRow test = storeTest(db.connection(), "HPG 30 ppt at 150F");
        SimulatorConfig config;
        config.heatingTimeConstant = 300;
        SimulatedUnit unit(db.connection(), 1, config);
        QVERIFY(unit.engine->StartTest("Linear gel 2 h at 150F", test));
        unit.runUntilIdle(6 * 3600);
        QVERIFY(unit.engine->storedSamples() > 100);

        auto prompter = std::make_shared<SilentPrompter>();
        frmMain window(db.connection(), nullptr, prompter);
        window.resize(1240, 820);
        window.move(10, 10);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.reviewPanel()->openTestByName("HPG 30 ppt at 150F").ok());
        QTest::qWait(300);
        const QString dir = qEnvironmentVariable("ROVUDAZE_SCREENSHOT_DIR");
        // The screen, not the widget: the 3D graph draws with OpenGL.
        auto grabWindow = [&window] {
            const QRect frame = window.frameGeometry();
            return window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height()).toImage();
        };
        const QImage shot2d = grabWindow();
        QVERIFY(!shot2d.isNull());
        if (!dir.isEmpty())
            QVERIFY(shot2d.save(QDir(dir).filePath("main-2d.png")));

        auto *opt3D = window.findChild<QRadioButton *>("opt3D");
        QVERIFY(opt3D);
        opt3D->click();
        QTest::qWait(800);
        const QImage shot3d = grabWindow();
        QVERIFY(!shot3d.isNull());
        if (!dir.isEmpty())
            QVERIFY(shot3d.save(QDir(dir).filePath("main-3d.png")));
        QVERIFY(prompter->texts.isEmpty());
        QDir::setCurrent(old);
    }
};

QTEST_MAIN(TestMainWindowShots)
#include "tst_mainwindowshots.moc"
