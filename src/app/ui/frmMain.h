#pragma once
#include <QMainWindow>
#include <QPointer>
#include <memory>

class QAction;
class QLabel;
class QPushButton;
class clsConnection;
class frmOpenTest;
class frmOverlapTest;
class frmMDIRealTime;
class frmSetup;
class Prompter;
namespace review {
class ReviewPanel;
}

// "KX720pH Viscometer for Completion and Fracture Fluids": owns the
// station's database connection, reviews saved tests and routes every
// command to the window that does the work.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    // connection: opened by the caller (start-up shows its failure);
    // prompter replaces the message boxes (tests); nullptr = the real ones.
    explicit frmMain(clsConnection *connection, QWidget *parent = nullptr,
                     std::shared_ptr<Prompter> prompter = nullptr);
    ~frmMain() override;

    clsConnection *Connection() const { return m_connection; }
    review::ReviewPanel *reviewPanel() const { return m_review; }
    frmOpenTest *openPicker() const { return m_openPicker; }
    frmOverlapTest *overlapPicker() const { return m_overlapPicker; }
    frmMDIRealTime *console() const;
    frmSetup *setupWindow() const;
    QString settingsNote() const { return m_settingsNote; }

public slots:
    void cmdOpen_Click();
    void cmdOverlap_Click();
    void cmdRelated_Click();
    void cmdSetup_Click();
    void cmdRealTime_Click();
    void cmdReport_Click();
    void cmdExcelDetail_Click();
    void cmdDetailReport_Click();
    void cmdExit_Click();
    void MenuHelpContent_Click();
    void MenuHelpAbout_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildCommands();
    void buildMenus();
    void readStationSettings();
    void onOpenSelected(const QString &name);
    void onOverSelected(const QString &name);
    void onTestDeleted(const QString &name);
    void afterSetupReturned();
    void updateCommands();
    void inform(const QString &title, const QString &text);
    // "Are you sure to exit?" (naming running units); Yes stops them and closes.
    void askToExit();
    // Stops every running unit (stop byte sent) and then closes.
    void stopUnitsAndClose();
    QStringList runningUnits() const;

    clsConnection *m_connection;
    std::shared_ptr<Prompter> m_prompter;
    review::ReviewPanel *m_review;
    frmOpenTest *m_openPicker;
    frmOverlapTest *m_overlapPicker;
    QPointer<frmMDIRealTime> m_console;
    QPointer<frmSetup> m_setup;
    QString m_settingsNote;
    bool m_closeConfirmed = false;

    QPushButton *m_cmdRelated = nullptr;
    QLabel *m_statusPanels[3] = {nullptr, nullptr, nullptr};
};
