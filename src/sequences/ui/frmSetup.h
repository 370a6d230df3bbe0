#pragma once
#include <QDialog>
#include <memory>

class QLabel;
class QTabWidget;
class clsConnection;
class Prompter;
class SequencePage;
class StationPage;

// "KX720pH Setup": test sequences on one page, station settings on the
// other. Opened modeless by the main window, which hides until returned()
// is emitted; the window then closes itself.
class frmSetup : public QDialog
{
    Q_OBJECT
public:
    // settingsDir holds initial.txt and ports.ini (empty: current directory).
    // prompter replaces the message boxes (tests); nullptr = the real ones.
    explicit frmSetup(clsConnection *connection, QWidget *parent = nullptr,
                      const QString &settingsDir = QString(),
                      std::shared_ptr<Prompter> prompter = nullptr);
    ~frmSetup() override;

    SequencePage *sequencePage() const { return m_sequences; }
    StationPage *stationPage() const { return m_station; }

    // "&Return": asks about unsaved sequence edits, then emits returned()
    // and closes.
    void requestReturn();

signals:
    void returned();

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void leave();
    void showSettingsNote(const QString &note, bool problem);

    std::shared_ptr<Prompter> m_prompter;
    QTabWidget *m_tabs;
    QLabel *m_settingsNote;
    SequencePage *m_sequences;
    StationPage *m_station;
    bool m_leaving = false;
};
