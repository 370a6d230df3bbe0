// The station page of the setup window: unit ports, port devices, unit system.
#include "scriptedprompter.h"
#include "sequences/ui/frmSetup.h"
#include "sequences/ui/stationpage.h"
#include "sequences/unitsystem.h"
#include "support/testdatabase.h"
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestSetupStation : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::shared_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<frmSetup> m_window;

    QString path(const char *name) const { return m_dir->filePath(QLatin1String(name)); }
    frmSetup *openWindow()
    {
        m_window = std::make_unique<frmSetup>(m_db->connection(), nullptr, m_dir->path(), m_prompter);
        m_window->show();
        return m_window.get();
    }
    template <typename T> T *child(const QString &name) const { return m_window->findChild<T *>(name); }
    QComboBox *unitPort(int unit) const { return child<QComboBox>(QStringLiteral("cmbUnitPort%1").arg(unit)); }
    QLabel *unitDevice(int unit) const { return child<QLabel>(QStringLiteral("lblUnitDevice%1").arg(unit)); }
    QComboBox *portDevice(int port) const { return child<QComboBox>(QStringLiteral("cmbPortDevice%1").arg(port)); }
    QLabel *note() const { return child<QLabel>(QStringLiteral("lblSettingsNote")); }

private slots:
    void init()
    {
        m_db = std::make_unique<TestDatabase>();
        m_dir = std::make_unique<QTemporaryDir>();
        m_prompter = std::make_shared<ScriptedPrompter>();
        UnitSystem::set(UnitSystem::CGS);
    }
    void cleanup()
    {
        m_window.reset();
        m_dir.reset();
        m_db.reset();
    }

    void saveAndReload()
    {
        writeFile(path("initial.txt"), " 1\r\n 2\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 1\r\n");
        openWindow();
        QVERIFY(note()->isHidden());
        QCOMPARE(unitPort(1)->currentText(), QStringLiteral("Comm 1"));
        QCOMPARE(unitPort(2)->currentText(), QStringLiteral("Comm 2"));
        QCOMPARE(unitPort(3)->currentText(), QStringLiteral("None"));
        QCOMPARE(unitPort(3)->count(), 13);
        QCOMPARE(unitPort(3)->itemText(12), QStringLiteral("Comm 12"));
        QVERIFY(child<QRadioButton>("optCGS")->isChecked());

        unitPort(3)->setCurrentIndex(12);
        unitPort(1)->setCurrentIndex(0);
        child<QRadioButton>("OptEI")->click();
        child<QPushButton>("cmdSaveStation")->click();
        QCOMPARE(m_prompter->informed.size(), 0);
        QCOMPARE(readFile(path("initial.txt")),
                 QByteArray(" 0\r\n 2\r\n 12\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 2\r\n"));
        // No device was edited, so no port map file appears.
        QVERIFY(!QFile::exists(path("ports.ini")));

        UnitSystem::set(UnitSystem::CGS);
        openWindow();
        QCOMPARE(unitPort(3)->currentText(), QStringLiteral("Comm 12"));
        QCOMPARE(unitPort(1)->currentText(), QStringLiteral("None"));
        QVERIFY(child<QRadioButton>("OptEI")->isChecked());
        QCOMPARE(UnitSystem::current(), int(UnitSystem::EI));
    }

    void unitSystemChangesAtOnceButNotTheFile()
    {
        const QByteArray original(" 1\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 1\r\n");
        writeFile(path("initial.txt"), original);
        openWindow();
        child<QRadioButton>("OptSI")->click();
        QCOMPARE(UnitSystem::current(), int(UnitSystem::SI));
        child<QPushButton>("cmdReturnStation")->click();
        QVERIFY(!m_window->isVisible());
        QCOMPARE(UnitSystem::current(), int(UnitSystem::SI));
        QCOMPARE(readFile(path("initial.txt")), original);
    }

    void missingOrShortFileStillOpens_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << false << QByteArray();
        QTest::newRow("short") << true << QByteArray(" 3\r\n 4\r\n");
        QTest::newRow("empty") << true << QByteArray();
    }
    void missingOrShortFileStillOpens()
    {
        QFETCH(bool, present);
        QFETCH(QByteArray, content);
        if (present)
            writeFile(path("initial.txt"), content);
        UnitSystem::set(UnitSystem::EI);
        openWindow();
        QVERIFY(m_window->isVisible());
        QVERIFY(!note()->isHidden());
        QVERIFY(note()->text().contains("initial.txt"));
        for (int unit = 1; unit <= 8; ++unit)
            QCOMPARE(unitPort(unit)->currentText(), QStringLiteral("None"));
        // The unit system in use is kept and shown.
        QCOMPARE(UnitSystem::current(), int(UnitSystem::EI));
        QVERIFY(child<QRadioButton>("OptEI")->isChecked());
        // Nothing is written until the user saves.
        QCOMPARE(QFile::exists(path("initial.txt")), present);
        QCOMPARE(readFile(path("initial.txt")), content);
        child<QPushButton>("cmdReturnStation")->click();
        QCOMPARE(readFile(path("initial.txt")), content);

        openWindow();
        unitPort(2)->setCurrentIndex(4);
        child<QPushButton>("cmdSaveStation")->click();
        QCOMPARE(readFile(path("initial.txt")),
                 QByteArray(" 0\r\n 4\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 2\r\n"));
        QVERIFY(!note()->text().contains("not found"));
    }

    void portDevicesAreShownAndSaved()
    {
        writeFile(path("initial.txt"), " 1\r\n 0\r\n 3\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 1\r\n");
        openWindow();
        QVERIFY(unitDevice(1)->text().contains(PortMap::defaultDevice(1)));
        QVERIFY(unitDevice(2)->text().isEmpty());
        QVERIFY(unitDevice(3)->text().contains(PortMap::defaultDevice(3)));

        portDevice(3)->setEditText(QStringLiteral("/dev/pts/7"));
        QVERIFY(unitDevice(3)->text().contains("/dev/pts/7"));
        QVERIFY(unitDevice(1)->text().contains(PortMap::defaultDevice(1)));
        // A unit moved to another port shows that port's device.
        unitPort(2)->setCurrentIndex(3);
        QVERIFY(unitDevice(2)->text().contains("/dev/pts/7"));

        child<QPushButton>("cmdSaveStation")->click();
        QCOMPARE(m_prompter->informed.size(), 0);
        QSettings ini(path("ports.ini"), QSettings::IniFormat);
        QCOMPARE(ini.value("ports/3").toString(), QStringLiteral("/dev/pts/7"));
        QVERIFY(!ini.contains("ports/1"));

        openWindow();
        QCOMPARE(portDevice(3)->currentText(), QStringLiteral("/dev/pts/7"));
        QVERIFY(portDevice(1)->currentText().isEmpty());
        QVERIFY(unitDevice(3)->text().contains("/dev/pts/7"));

        // Clearing the device goes back to the default.
        portDevice(3)->setEditText(QString());
        child<QPushButton>("cmdSaveStation")->click();
        QSettings again(path("ports.ini"), QSettings::IniFormat);
        QVERIFY(!again.contains("ports/3"));
    }

    void unwritableFileIsReported()
    {
        writeFile(path("initial.txt"), " 1\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 1\r\n");
        openWindow();
        m_dir->remove();       // the folder is gone: the save cannot succeed
        child<QPushButton>("cmdSaveStation")->click();
        QCOMPARE(m_prompter->informed.size(), 1);
        QVERIFY(!note()->text().contains("saved"));
    }
};

QTEST_MAIN(TestSetupStation)
#include "tst_setupstation.moc"
