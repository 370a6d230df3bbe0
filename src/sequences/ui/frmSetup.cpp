#include "frmSetup.h"
#include "prompter.h"
#include "sequencepage.h"
#include "stationpage.h"
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

frmSetup::frmSetup(clsConnection *connection, QWidget *parent, const QString &settingsDir,
                   std::shared_ptr<Prompter> prompter)
    : QDialog(parent), m_prompter(prompter ? std::move(prompter) : std::make_shared<DialogPrompter>())
{
    setObjectName(QStringLiteral("frmSetup"));
    setWindowTitle(QStringLiteral("KX720pH Setup"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setModal(false);

    m_settingsNote = new QLabel(this);
    m_settingsNote->setObjectName(QStringLiteral("lblSettingsNote"));
    m_settingsNote->setWordWrap(true);
    m_settingsNote->hide();

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("TabStrip1"));
    m_sequences = new SequencePage(connection, m_prompter.get(), m_tabs);
    m_station = new StationPage(settingsDir, m_prompter.get(), m_tabs);
    m_tabs->addTab(m_sequences, QStringLiteral("Test Sequences"));
    m_tabs->addTab(m_station, QStringLiteral("Station Settings"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_settingsNote);
    layout->addWidget(m_tabs);

    connect(m_sequences->returnButton(), &QPushButton::clicked, this, &frmSetup::requestReturn);
    connect(m_station->returnButton(), &QPushButton::clicked, this, &frmSetup::requestReturn);
    connect(m_station, &StationPage::noteChanged, this, &frmSetup::showSettingsNote);
    showSettingsNote(m_station->note(), m_station->noteIsProblem());
    resize(1100, 720);
}

frmSetup::~frmSetup() = default;

void frmSetup::requestReturn()
{
    m_sequences->confirmLeave([this] { leave(); });
}

void frmSetup::leave()
{
    m_leaving = true;
    // The main window shows again before this one goes away.
    emit returned();
    close();
}

void frmSetup::closeEvent(QCloseEvent *event)
{
    if (m_leaving) {
        QDialog::closeEvent(event);
        return;
    }
    // The title bar's close button leaves like "&Return".
    event->ignore();
    requestReturn();
}

void frmSetup::reject()
{
    if (m_leaving) {
        QDialog::reject();
        return;
    }
    // Escape leaves like "&Return" too.
    requestReturn();
}

void frmSetup::showSettingsNote(const QString &note, bool problem)
{
    m_settingsNote->setText(note);
    m_settingsNote->setStyleSheet(problem ? QStringLiteral("color: #b00000;") : QString());
    m_settingsNote->setVisible(!note.isEmpty());
}
