#pragma once
#include "readouts.h"
#include "realtime/runengine.h"
#include <QMap>
#include <QPointer>
#include <QWidget>
#include <memory>

class ByteTransport;
class Clock;
class InstrumentLink;
class LiveChart;
class PortMap;
class Prompter;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTableView;
class clsConnection;
class frmNameSeq;
class frmTestRelatedInfo;
struct StationSettings;
namespace rheology { class ResultsTableModel; }

// The window of one unit: its instrument link and run engine, the sequence
// choice, Start/Stop and Exit, the live read-outs, the live chart and the
// ramp results. Lives inside the console; closing it while a test runs asks
// first and stops the instrument before the port closes.
class frmRealTime : public QWidget
{
    Q_OBJECT
public:
    // clock runs the link and the engine and must outlive the window;
    // prompter answers the message boxes (nullptr: the real boxes).
    frmRealTime(int unit, clsConnection *connection, Clock &clock,
                std::shared_ptr<Prompter> prompter = nullptr, QWidget *parent = nullptr);
    ~frmRealTime() override;

    // Opens the unit's port from the station settings (port number) and the
    // port map (device). On failure *error says why, for the user.
    bool OpenPort(const StationSettings &settings, const PortMap &ports, QString *error = nullptr);
    // The same on a transport made elsewhere (a simulated instrument).
    bool openTransport(std::unique_ptr<ByteTransport> transport, QString *error = nullptr);

    int unit() const { return m_unit; }
    QString unitName() const;                  // "Unit 3"
    InstrumentLink &link() const { return *m_link; }
    RunEngine &engine() const { return *m_engine; }
    bool isRunning() const { return m_engine->isRunning(); }
    QString chosenSequence() const { return m_sequenceName; }
    rheology::ResultsTableModel *resultsModel() const { return m_results; }

    // Stops a running test (stop byte, idle); nothing when idle.
    void stopTest();

    QPushButton *cmdStart_Stop;
    QPushButton *cmdSelect;
    QPushButton *cmdExit;
    LiveChart *CWGraph1;
    QTableView *MSFlexGrid1;
    QStatusBar *StatusBar1;
    QLabel *ElapsedTime;      // the status bar panel "ElapsedTime"
    QLabel *lblProgress;      // step, ramp step, start and planned end
    QLabel *lblFault;         // link and database trouble while running
    QLineEdit *txtSpeed;
    QLineEdit *txtShearRate;
    QLineEdit *txtShearStress;
    QLineEdit *txtVisc;
    QLineEdit *txtpH;
    QLineEdit *txtTempSetPoint;
    QLineEdit *txtSampleTemp;
    QLabel *lblTestName;
    QLabel *lblSelectSeq;
    QLabel *lblActiveFlag;
    QLabel *lblInstName;

signals:
    // The window is going away (its console frees the unit's entry).
    void unloaded(int unit);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void connectEngine();

    void cmdSelect_Click();
    void cfNameSeq_SelectedTestName(const QString &name);
    void cmdStart_Stop_Click();
    void cmdExit_Click();
    void txtTempSetPoint_LostFocus();
    void Form_Unload();

    void entryFinished(frmTestRelatedInfo *entry);
    void startTest(const TestInfoRow &info);
    void showReadouts(const ReadoutTexts &texts);
    void onReading();
    void onRunStateChanged();
    void onProgress();
    void onFault(RunEngine::Fault fault, const QString &message);
    void onFaultCleared(RunEngine::Fault fault);
    void clearResults();
    void closeHost();
    double currentSetPoint() const;
    void inform(const QString &text);

    int m_unit;
    clsConnection *m_connection;
    std::shared_ptr<Prompter> m_prompter;
    std::unique_ptr<InstrumentLink> m_link;
    std::unique_ptr<RunEngine> m_engine;       // declared after the link: goes first
    rheology::ResultsTableModel *m_results;
    QString m_sequenceName;
    QPointer<frmNameSeq> m_picker;
    QPointer<frmTestRelatedInfo> m_entry;
    QMap<RunEngine::Fault, QString> m_faults;
    bool m_closeAsked = false;
    bool m_unloaded = false;
};
