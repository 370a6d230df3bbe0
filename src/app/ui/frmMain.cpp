#include "frmMain.h"
#include "frmAbout.h"
#include "helpwindow.h"
#include "realtime/ui/frmMDIRealTime.h"
#include "reports/reportdata.h"
#include "reports/ui/reportcommands.h"
#include "review/openedtest.h"
#include "review/reviewoutcome.h"
#include "review/ui/reviewpanel.h"
#include "sequences/stationsettings.h"
#include "sequences/ui/frmSetup.h"
#include "sequences/ui/prompter.h"
#include "sequences/unitsystem.h"
#include "store/clsConnection.h"
#include "store/storeerror.h"
#include "testinfo/testinfostore.h"
#include "testinfo/ui/frmOpenTest.h"
#include "testinfo/ui/frmOverlapTest.h"
#include "testinfo/ui/frmViewRelatedInfo.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>

namespace {

struct CommandButton
{
    const char *name;
    const char *caption;
    const char *tip;
    void (frmMain::*slot)();
};

const QString kReportTip = QStringLiteral("Click here to generate report or export data to other format");

} // namespace

frmMain::frmMain(clsConnection *connection, QWidget *parent, std::shared_ptr<Prompter> prompter)
    : QMainWindow(parent),
      m_connection(connection),
      m_prompter(prompter ? std::move(prompter) : std::make_shared<DialogPrompter>())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("KX720pH Viscometer for Completion and Fracture Fluids"));

    // Start-up: connection (opened by the caller), pickers, settings, charts.
    m_openPicker = new frmOpenTest(connection, this);
    m_overlapPicker = new frmOverlapTest(connection, this);
    readStationSettings();

    auto *central = new QWidget(this);
    auto *layout = new QHBoxLayout(central);
    m_review = new review::ReviewPanel(connection, central, m_prompter);
    layout->addWidget(m_review, 1);
    setCentralWidget(central);
    buildCommands();
    buildMenus();

    for (auto &panel : m_statusPanels) {
        panel = new QLabel(this);
        // Long texts are cut, never widen the window.
        panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        statusBar()->addWidget(panel, 1);
    }
    m_statusPanels[0]->setText(m_connection->IsOpen() ? m_connection->Config().describe()
                                                      : QStringLiteral("No database: %1").arg(m_connection->LastError().section(QStringLiteral("\r\n"), -1)));
    if (!m_settingsNote.isEmpty()) {
        m_statusPanels[1]->setText(m_settingsNote);
        m_statusPanels[1]->setToolTip(m_settingsNote);
    }

    m_review->setUnitSystem(UnitSystem::current());
    connect(m_openPicker, &frmOpenTest::Selected, this, &frmMain::onOpenSelected);
    connect(m_openPicker, &frmOpenTest::Deleted, this, &frmMain::onTestDeleted);
    connect(m_overlapPicker, &frmOverlapTest::OverSelected, this, &frmMain::onOverSelected);
    connect(m_review, &review::ReviewPanel::overlapRequested, this, &frmMain::cmdOverlap_Click);
    connect(m_review, &review::ReviewPanel::testOpened, this, &frmMain::updateCommands);

    resize(1180, 760);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }
    updateCommands();
}

frmMain::~frmMain() = default;

frmMDIRealTime *frmMain::console() const
{
    return m_console;
}

frmSetup *frmMain::setupWindow() const
{
    return m_setup;
}

void frmMain::readStationSettings()
{
    StationSettings settings;
    const auto result = StationSettings::read(StationSettings::fileName(), settings);
    UnitSystem::set(settings.unitSystem);
    m_settingsNote = result.ok ? QString() : result.message;
}

void frmMain::buildCommands()
{
    const CommandButton commands[] = {
        {"cmdOpen", "&Open Saved Test", "Click here to open saved test", &frmMain::cmdOpen_Click},
        {"cmdRelated", "Edit Test Info", "", &frmMain::cmdRelated_Click},
        {"cmdReport", "Brief Re&port", "", &frmMain::cmdReport_Click},
        {"cmdExcelDetail", "Export Excel", "", &frmMain::cmdExcelDetail_Click},
        {"cmdDetailReport", "D&etail Re&port", "", &frmMain::cmdDetailReport_Click},
        {"cmdSetup", "&Setup", "Setup test procedures, comport, etc.", &frmMain::cmdSetup_Click},
        {"cmdRealTime", "Real &Time Test", "Click here to run real time test", &frmMain::cmdRealTime_Click},
        {"cmdExit", "&Exit", "Click here to exit Rovudaze", &frmMain::cmdExit_Click},
    };
    auto *column = new QWidget(centralWidget());
    auto *box = new QVBoxLayout(column);
    for (const CommandButton &command : commands) {
        auto *button = new QPushButton(QString::fromUtf8(command.caption), column);
        button->setObjectName(QString::fromLatin1(command.name));
        QString tip = QString::fromUtf8(command.tip);
        const QString name = button->objectName();
        if (name == QLatin1String("cmdReport") || name == QLatin1String("cmdExcelDetail")
            || name == QLatin1String("cmdDetailReport"))
            tip = kReportTip;
        button->setToolTip(tip);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        box->addWidget(button);
        connect(button, &QPushButton::clicked, this, command.slot);
        if (name == QLatin1String("cmdRelated"))
            m_cmdRelated = button;
    }
    static_cast<QHBoxLayout *>(centralWidget()->layout())->addWidget(column, 0);
}

void frmMain::buildMenus()
{
    auto add = [this](QMenu *menu, const char *name, const QString &text, void (frmMain::*slot)()) {
        QAction *a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        if (slot)
            connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("MenuFile"));
    add(file, "MenuFileOpen", QStringLiteral("&Open Saved Test"), &frmMain::cmdOpen_Click);
    add(file, "MenuSetup", QStringLiteral("&Setup"), &frmMain::cmdSetup_Click);
    add(file, "MenuFileReport", QStringLiteral("Re&port..."), &frmMain::cmdReport_Click);
    add(file, "MenuFileRealTimeTest", QStringLiteral("Real &Time Test"), &frmMain::cmdRealTime_Click);
    file->addSeparator();
    add(file, "MenuPrintScreen", QStringLiteral("Print Screen"), nullptr);
    add(file, "MenuPrintChart", QStringLiteral("Print Chart"), nullptr);
    add(file, "MenuPrintBriefResult", QStringLiteral("Print Brief Result"), nullptr);
    file->addSeparator();
    add(file, "MenuFileExit", QStringLiteral("E&xit"), &frmMain::cmdExit_Click);
    QMenu *reports = menuBar()->addMenu(QStringLiteral("Reports..."));
    reports->setObjectName(QStringLiteral("MenuReports"));
    add(reports, "MenuReportDetail", QStringLiteral("Detail Report"), &frmMain::cmdDetailReport_Click);
    add(reports, "MenuBriefReport", QStringLiteral("Breif Report"), &frmMain::cmdReport_Click);
    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("MenuHelp"));
    add(help, "MenuHelpContent", QStringLiteral("&Content"), &frmMain::MenuHelpContent_Click);
    add(help, "MenuHelpAbout", QStringLiteral("&About"), &frmMain::MenuHelpAbout_Click);
}

void frmMain::updateCommands()
{
    // "Overlap Charts" and "Print Chart" sit with the charts and follow them.
    m_cmdRelated->setEnabled(m_review->isTestOpen());
}

void frmMain::inform(const QString &title, const QString &text)
{
    m_prompter->inform(this, title, text);
}

void frmMain::cmdOpen_Click()
{
    m_openPicker->setWindowModality(Qt::ApplicationModal);
    m_openPicker->show();
    m_openPicker->raise();
    m_openPicker->activateWindow();
}

void frmMain::onOpenSelected(const QString &name)
{
    review::ReviewOutcome outcome;
    try {
        outcome = m_review->openTestByName(name);
    } catch (const StoreError &e) {
        inform(QString(), e.text());
        return;
    }
    if (outcome.ok())
        m_openPicker->hide();
    else if (outcome.needsMessage())
        inform(outcome.title, outcome.message);
    updateCommands();
}

void frmMain::onTestDeleted(const QString &name)
{
    if (m_review->isTestOpen() && m_review->openedTestName() == name) {
        m_review->closeTest();
        updateCommands();
    }
}

void frmMain::cmdOverlap_Click()
{
    if (!m_review->isTestOpen())
        return;
    m_overlapPicker->setWindowModality(Qt::ApplicationModal);
    m_overlapPicker->show();
    m_overlapPicker->raise();
}

void frmMain::onOverSelected(const QString &name)
{
    review::ReviewOutcome outcome;
    try {
        outcome = m_review->overlayTestByName(name);
    } catch (const StoreError &e) {
        inform(QString(), e.text());
        return;
    }
    if (outcome.ok())
        m_overlapPicker->hide();
    else if (outcome.needsMessage())
        inform(outcome.title, outcome.message);
}

void frmMain::cmdRelated_Click()
{
    if (!m_review->isTestOpen() || m_review->openedTest().testId() == 0)
        return;
    const review::OpenedTest &test = m_review->openedTest();
    auto *dialog = new frmViewRelatedInfo(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("Test Related Information"));
    dialog->fill(test.info, test.additives);
    const qint64 testId = test.testId();
    connect(dialog, &QDialog::finished, this, [this, dialog, testId] {
        if (dialog->mlCanceled)
            return;
        try {
            TestInfoStore(m_connection).saveEdited(testId, dialog->texts());
            m_review->reopenTest();
        } catch (const StoreError &e) {
            inform(QString(), e.text());
        }
    });
    dialog->open();
}

void frmMain::cmdSetup_Click()
{
    if (m_setup) {
        m_setup->raise();
        return;
    }
    m_setup = new frmSetup(m_connection, nullptr, QString(), m_prompter);
    m_setup->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_setup, &frmSetup::returned, this, &frmMain::afterSetupReturned);
    hide();
    m_setup->show();
}

void frmMain::afterSetupReturned()
{
    // The station page may have switched the unit system.
    m_review->setUnitSystem(UnitSystem::current());
    show();
    activateWindow();
}

void frmMain::cmdRealTime_Click()
{
    if (!m_console) {
        m_console = new frmMDIRealTime(m_connection, nullptr);
        m_console->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_console->show();
    m_console->raise();
    m_console->activateWindow();
}

void frmMain::cmdReport_Click()
{
    if (!reports::ui::requireOpenTest(this, m_review->isTestOpen() ? m_review->openedTest().testId() : 0))
        return;
    const review::OpenedTest &test = m_review->openedTest();
    reports::ui::printBriefReport(this, {test.info, test.additives, test.evaluation});
}

void frmMain::cmdExcelDetail_Click()
{
    if (!reports::ui::requireOpenTest(this, m_review->isTestOpen() ? m_review->openedTest().testId() : 0))
        return;
    const review::OpenedTest &test = m_review->openedTest();
    reports::ui::exportExcel(this, m_connection->Config(), {test.info, test.additives, test.evaluation});
}

void frmMain::cmdDetailReport_Click()
{
    if (!reports::ui::requireOpenTest(this, m_review->isTestOpen() ? m_review->openedTest().testId() : 0))
        return;
    reports::ui::showDataReport(this, m_connection->Config(), m_review->openedTest().info);
}

void frmMain::MenuHelpContent_Click()
{
#ifdef Q_OS_WIN
    const QString chm = QDir::current().filePath(QStringLiteral("KX720pH.chm"));
    if (QFile::exists(chm) && QDesktopServices::openUrl(QUrl::fromLocalFile(chm)))
        return;
#endif
    HelpWindow::showManual(this);
}

void frmMain::MenuHelpAbout_Click()
{
    frmAbout about(this);
    about.exec();
}

QStringList frmMain::runningUnits() const
{
    QStringList units;
    if (m_console)
        for (int unit : m_console->runningUnits())
            units << QStringLiteral("Unit %1").arg(unit);
    return units;
}

void frmMain::cmdExit_Click()
{
    if (runningUnits().isEmpty()) {
        m_closeConfirmed = true;
        close();
        return;
    }
    // Tests running: never end them silently.
    askToExit();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (m_closeConfirmed) {
        if (m_console)
            m_console->close();
        if (m_setup)
            m_setup->close();
        event->accept();
        return;
    }
    event->ignore();
    askToExit();
}

void frmMain::askToExit()
{
    const QStringList running = runningUnits();
    QString text = QStringLiteral("Are you sure to exit?");
    if (!running.isEmpty())
        text = QStringLiteral("Tests are running on %1. Exiting stops them and tells the instruments to stop.\n\n%2")
                   .arg(running.join(QStringLiteral(", ")), text);
    auto *box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Exit Check"), text,
                                QMessageBox::Yes | QMessageBox::No, this);
    box->setObjectName(QStringLiteral("exitCheck"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [this, box] {
        if (box->clickedButton() == box->button(QMessageBox::Yes))
            stopUnitsAndClose();
    });
    box->open();
}

void frmMain::stopUnitsAndClose()
{
    if (m_console)
        m_console->stopAllTests();
    m_closeConfirmed = true;
    close();
}
