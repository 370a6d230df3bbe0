#pragma once
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

class ByteTransport;
class Clock;
class Prompter;
class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class clsConnection;
class frmRealTime;

struct ConsoleOptions
{
    // Folder of initial.txt and ports.ini; empty: the current directory.
    QString settingsDir;
    // Runs every unit's link and engine; nullptr: the console's own real clock.
    Clock *clock = nullptr;
    // Message boxes; nullptr: the real ones.
    std::shared_ptr<Prompter> prompter;
    // Gives a unit a transport of its own (e.g. a simulated instrument)
    // instead of the device ports.ini names; returning nullptr opens the
    // device as usual.
    std::function<std::unique_ptr<ByteTransport>(int unit, const QString &device)> transportFor;
};

// "KX720pH Real Time Test & Monitoring": up to eight unit windows, one per
// instrument, added from the "Add Instruments" menu and arranged from the
// "Window" menu. A unit that cannot be added is reported and left out; the
// others keep running. Closing while tests run asks first and stops them.
class frmMDIRealTime : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int UnitCount = 8;

    explicit frmMDIRealTime(clsConnection *connection, QWidget *parent = nullptr);
    frmMDIRealTime(clsConnection *connection, ConsoleOptions options, QWidget *parent = nullptr);
    ~frmMDIRealTime() override;

    // Adds unit 1..8 (the menu entry "Add KX720 Unit n"); false, after a
    // message, when it cannot be added.
    bool MenuAdd_Click(int index);

    frmRealTime *unitWindow(int unit) const;
    QList<int> runningUnits() const;
    bool hasRunningTests() const { return !runningUnits().isEmpty(); }
    // Stops every running test (stop byte to each instrument).
    void stopAllTests();
    QMdiArea *mdiArea() const { return m_mdi; }

    QMenu *MenuAddInstrument;
    std::array<QAction *, UnitCount + 1> MenuAdd{};   // 1..8; 0 unused
    QMenu *MenuWindow;
    QAction *MenuWindowHorizontal;
    QAction *MenuWindowVertically;
    QAction *MenuWindowCascade;
    QAction *MenuExit;
    QLabel *lblSettingsNote;   // why no unit can be added, when so

signals:
    void unitAdded(int unit);
    void unitClosed(int unit);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void MDIForm_Load();
    void addUnit(int index);
    void onUnitUnloaded(int unit);
    void MenuWindowCascade_Click();
    void MenuWindowHorizontal_Click();
    void MenuWindowVertically_Click();
    void tile(bool horizontal);
    QString settingsPath(const QString &fileName) const;

    clsConnection *m_connection;
    ConsoleOptions m_options;
    std::unique_ptr<Clock> m_ownClock;
    Clock *m_clock;
    std::shared_ptr<Prompter> m_prompter;
    QMdiArea *m_mdi;
    std::array<QPointer<frmRealTime>, UnitCount + 1> m_units{};
    bool m_closeAsked = false;
};
