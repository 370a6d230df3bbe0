#include "frmMDIRealTime.h"
#include "frmRealTime.h"
#include "realtime/bytetransport.h"
#include "realtime/clock.h"
#include "sequences/portmap.h"
#include "sequences/stationsettings.h"
#include "sequences/ui/prompter.h"
#include "sequences/unitsystem.h"
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <cmath>
#include <exception>

frmMDIRealTime::frmMDIRealTime(clsConnection *connection, QWidget *parent)
    : frmMDIRealTime(connection, ConsoleOptions{}, parent)
{
}

frmMDIRealTime::frmMDIRealTime(clsConnection *connection, ConsoleOptions options, QWidget *parent)
    : QMainWindow(parent),
      m_connection(connection),
      m_options(std::move(options)),
      m_ownClock(m_options.clock ? nullptr : std::make_unique<QtClock>()),
      m_clock(m_options.clock ? m_options.clock : m_ownClock.get()),
      m_prompter(m_options.prompter ? m_options.prompter : std::make_shared<DialogPrompter>())
{
    setObjectName(QStringLiteral("frmMDIRealTime"));
    // A window of its own beside the main window, also when given a parent.
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("KX720pH Real Time Test & Monitoring"));
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_mdi);
    lblSettingsNote = new QLabel(this);
    lblSettingsNote->setObjectName(QStringLiteral("lblSettingsNote"));
    lblSettingsNote->setWordWrap(true);
    statusBar()->addWidget(lblSettingsNote, 1);
    buildMenus();
    resize(1200, 900);
    MDIForm_Load();
}

frmMDIRealTime::~frmMDIRealTime()
{
    // Units go first, while the console can still take their unload; each
    // stops its instrument and closes its port.
    for (int unit = 1; unit <= UnitCount; ++unit) {
        if (frmRealTime *w = m_units[std::size_t(unit)]) {
            QWidget *host = w->parentWidget();
            delete (host ? host : static_cast<QWidget *>(w));
        }
    }
}

void frmMDIRealTime::buildMenus()
{
    MenuAddInstrument = menuBar()->addMenu(QStringLiteral("Add Instruments"));
    MenuAddInstrument->setObjectName(QStringLiteral("MenuAddInstrument"));
    for (int unit = 1; unit <= UnitCount; ++unit) {
        QAction *a = MenuAddInstrument->addAction(QStringLiteral("Add KX720 Unit %1").arg(unit));
        a->setObjectName(QStringLiteral("MenuAdd%1").arg(unit));
        a->setEnabled(false);
        connect(a, &QAction::triggered, this, [this, unit] { addUnit(unit); });
        MenuAdd[std::size_t(unit)] = a;
    }
    MenuWindow = menuBar()->addMenu(QStringLiteral("Window"));
    MenuWindow->setObjectName(QStringLiteral("MenuWindow"));
    MenuWindowHorizontal = MenuWindow->addAction(QStringLiteral("Tile &Horizontally"));
    MenuWindowHorizontal->setObjectName(QStringLiteral("MenuWindowHorizontal"));
    MenuWindowVertically = MenuWindow->addAction(QStringLiteral("Tile Vertically"));
    MenuWindowVertically->setObjectName(QStringLiteral("MenuWindowVertically"));
    MenuWindowCascade = MenuWindow->addAction(QStringLiteral("&Cascade"));
    MenuWindowCascade->setObjectName(QStringLiteral("MenuWindowCascade"));
    MenuExit = menuBar()->addAction(QStringLiteral("E&xit"));
    MenuExit->setObjectName(QStringLiteral("MenuExit"));
    connect(MenuWindowHorizontal, &QAction::triggered, this, &frmMDIRealTime::MenuWindowHorizontal_Click);
    connect(MenuWindowVertically, &QAction::triggered, this, &frmMDIRealTime::MenuWindowVertically_Click);
    connect(MenuWindowCascade, &QAction::triggered, this, &frmMDIRealTime::MenuWindowCascade_Click);
    connect(MenuExit, &QAction::triggered, this, &QWidget::close);
}

QString frmMDIRealTime::settingsPath(const QString &fileName) const
{
    return m_options.settingsDir.isEmpty() ? fileName : QDir(m_options.settingsDir).filePath(fileName);
}

void frmMDIRealTime::MDIForm_Load()
{
    StationSettings settings;
    const StationSettings::ReadResult read = StationSettings::read(settingsPath(StationSettings::fileName()), settings);
    if (!read.ok) {
        // Every entry stays disabled; the note says why.
        lblSettingsNote->setText(QStringLiteral("No unit can be added: ") + read.message);
        return;
    }
    lblSettingsNote->clear();
    for (int unit = 1; unit <= UnitCount; ++unit)
        MenuAdd[std::size_t(unit)]->setEnabled(settings.port(unit) != 0);
    UnitSystem::set(settings.unitSystem);
}

void frmMDIRealTime::addUnit(int index)
{
    MenuAdd_Click(index);
}

bool frmMDIRealTime::MenuAdd_Click(int index)
{
    if (index < 1 || index > UnitCount || m_units[std::size_t(index)])
        return false;
    const QString title = QStringLiteral("Form_Load Error");
    const QString unitName = QStringLiteral("Unit %1").arg(index);
    auto refuse = [&](const QString &why) {
        m_prompter->inform(this, title, QStringLiteral("%1 could not be added: %2").arg(unitName, why));
        return false;
    };
    // Anything that goes wrong here leaves this unit out and every other
    // unit running.
    try {
        StationSettings settings;
        const StationSettings::ReadResult read =
            StationSettings::read(settingsPath(StationSettings::fileName()), settings);
        if (!read.ok)
            return refuse(read.message);
        const int port = settings.port(index);
        if (port == 0)
            return refuse(QStringLiteral("it has no serial port in the station settings."));
        const PortMap ports = PortMap::load(settingsPath(PortMap::fileName()));

        auto window = std::make_unique<frmRealTime>(index, m_connection, *m_clock, m_prompter);
        window->setWindowTitle(unitName + QStringLiteral(" Real Time Test"));
        QString error;
        std::unique_ptr<ByteTransport> transport =
            m_options.transportFor ? m_options.transportFor(index, ports.device(port)) : nullptr;
        const bool opened = transport ? window->openTransport(std::move(transport), &error)
                                      : window->OpenPort(settings, ports, &error);
        if (!opened)
            return refuse(error.isEmpty() ? QStringLiteral("its port could not be opened.") : error);

        frmRealTime *w = window.release();
        m_units[std::size_t(index)] = w;
        connect(w, &frmRealTime::unloaded, this, &frmMDIRealTime::onUnitUnloaded);
        QMdiSubWindow *sub = m_mdi->addSubWindow(w);
        sub->setObjectName(QStringLiteral("subUnit%1").arg(index));
        MenuAdd[std::size_t(index)]->setEnabled(false);
        w->show();
        sub->showMaximized();
        emit unitAdded(index);
        return true;
    } catch (const std::exception &e) {
        return refuse(QString::fromUtf8(e.what()));
    }
}

void frmMDIRealTime::onUnitUnloaded(int unit)
{
    if (unit < 1 || unit > UnitCount)
        return;
    m_units[std::size_t(unit)] = nullptr;
    MenuAdd[std::size_t(unit)]->setEnabled(true);
    emit unitClosed(unit);
}

frmRealTime *frmMDIRealTime::unitWindow(int unit) const
{
    return unit >= 1 && unit <= UnitCount ? m_units[std::size_t(unit)].data() : nullptr;
}

QList<int> frmMDIRealTime::runningUnits() const
{
    QList<int> units;
    for (int unit = 1; unit <= UnitCount; ++unit) {
        if (frmRealTime *w = m_units[std::size_t(unit)]; w && w->isRunning())
            units << unit;
    }
    return units;
}

void frmMDIRealTime::stopAllTests()
{
    for (int unit : runningUnits())
        m_units[std::size_t(unit)]->stopTest();
}

void frmMDIRealTime::closeEvent(QCloseEvent *event)
{
    const QList<int> running = runningUnits();
    if (!running.isEmpty()) {
        event->ignore();
        if (m_closeAsked)
            return;
        m_closeAsked = true;
        QStringList names;
        for (int unit : running)
            names << QStringLiteral("Unit %1").arg(unit);
        m_prompter->confirm(this, windowTitle(),
                            QStringLiteral("Tests are running on %1. Stop them and close the console?")
                                .arg(names.join(QStringLiteral(", "))),
                            [this](bool ok) {
                                m_closeAsked = false;
                                if (!ok)
                                    return;
                                stopAllTests();
                                QTimer::singleShot(0, this, &QWidget::close);
                            });
        return;
    }
    m_mdi->closeAllSubWindows();
    for (int unit = 1; unit <= UnitCount; ++unit) {
        if (m_units[std::size_t(unit)]) {
            event->ignore();   // a unit started again meanwhile and asks itself
            return;
        }
    }
    event->accept();
}

void frmMDIRealTime::MenuWindowCascade_Click()
{
    m_mdi->cascadeSubWindows();
}

void frmMDIRealTime::MenuWindowHorizontal_Click()
{
    tile(true);
}

void frmMDIRealTime::MenuWindowVertically_Click()
{
    tile(false);
}

void frmMDIRealTime::tile(bool horizontal)
{
    // Horizontally: wide windows one above the other; vertically: tall
    // windows side by side. Past four windows a second band begins.
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *w : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        if (!w->isMinimized() && w->isVisible())
            windows << w;
    }
    const int n = int(windows.size());
    if (n == 0)
        return;
    const int bands = (n + 3) / 4;
    const int perBand = (n + bands - 1) / bands;
    const QRect area = m_mdi->viewport()->rect();
    for (int i = 0; i < n; ++i) {
        const int band = i / perBand;
        const int slot = i % perBand;
        const int inThisBand = std::min(perBand, n - band * perBand);
        QRect r;
        if (horizontal) {
            const int w = area.width() / bands;
            const int h = area.height() / inThisBand;
            r = QRect(band * w, slot * h, w, h);
        } else {
            const int w = area.width() / inThisBand;
            const int h = area.height() / bands;
            r = QRect(slot * w, band * h, w, h);
        }
        windows[i]->showNormal();
        windows[i]->setGeometry(r);
    }
}
