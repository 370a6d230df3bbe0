#include "stationpage.h"
#include "prompter.h"
#include "sequences/unitsystem.h"
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPortInfo>
#include <QVBoxLayout>

namespace {

QStringList portEntries()
{
    QStringList entries{QStringLiteral("None")};
    for (int n = 1; n <= StationPage::Ports; ++n)
        entries << QStringLiteral("Comm %1").arg(n);
    return entries;
}

} // namespace

StationPage::StationPage(const QString &settingsDir, Prompter *prompter, QWidget *parent)
    : QWidget(parent), m_dir(settingsDir.isEmpty() ? QDir::currentPath() : settingsDir), m_prompter(prompter)
{
    buildLayout();
    load();
}

QString StationPage::settingsPath() const { return QDir(m_dir).filePath(StationSettings::fileName()); }
QString StationPage::portMapPath() const { return QDir(m_dir).filePath(PortMap::fileName()); }

void StationPage::buildLayout()
{
    m_cmdSave = new QPushButton(QStringLiteral("&Save"), this);
    m_cmdSave->setObjectName(QStringLiteral("cmdSaveStation"));
    m_cmdReturn = new QPushButton(QStringLiteral("&Return"), this);
    m_cmdReturn->setObjectName(QStringLiteral("cmdReturnStation"));
    m_cmdReturn->setToolTip(QStringLiteral("Click here to return to main menu"));
    connect(m_cmdSave, &QPushButton::clicked, this, &StationPage::save);

    auto *columns = new QHBoxLayout;
    columns->addWidget(buildUnitPorts());
    columns->addWidget(buildDeviceMap());
    columns->addWidget(buildUnitSystem(), 0, Qt::AlignTop);
    columns->addStretch();

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdSave);
    buttons->addWidget(m_cmdReturn);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addStretch();
    layout->addLayout(buttons);
}

QWidget *StationPage::buildUnitPorts()
{
    auto *box = new QGroupBox(QStringLiteral("Commport setup for KX720:"), this);
    auto *grid = new QGridLayout(box);
    const QStringList entries = portEntries();
    for (int u = 0; u < Units; ++u) {
        auto *combo = new QComboBox(box);
        combo->setObjectName(QStringLiteral("cmbUnitPort%1").arg(u + 1));
        combo->addItems(entries);
        auto *device = new QLabel(box);
        device->setObjectName(QStringLiteral("lblUnitDevice%1").arg(u + 1));
        device->setMinimumWidth(140);
        grid->addWidget(new QLabel(QStringLiteral("Unit %1:").arg(u + 1), box), u, 0);
        grid->addWidget(combo, u, 1);
        grid->addWidget(device, u, 2);
        m_unitPorts[std::size_t(u)] = combo;
        m_unitDevices[std::size_t(u)] = device;
        connect(combo, &QComboBox::currentIndexChanged, this, &StationPage::updateDeviceLabels);
    }
    return box;
}

QWidget *StationPage::buildDeviceMap()
{
    auto *box = new QGroupBox(QStringLiteral("Serial devices on this computer:"), this);
    box->setToolTip(QStringLiteral("The device each \"Comm\" port stands for; leave empty for the default"));
    auto *grid = new QGridLayout(box);
    QStringList available;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        available << info.systemLocation();
    for (int p = 1; p <= Ports; ++p) {
        auto *combo = new QComboBox(box);
        combo->setObjectName(QStringLiteral("cmbPortDevice%1").arg(p));
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItem(QString());
        combo->addItems(available);
        combo->lineEdit()->setPlaceholderText(PortMap::defaultDevice(p));
        combo->setMinimumWidth(160);
        grid->addWidget(new QLabel(QStringLiteral("Comm %1").arg(p), box), p - 1, 0);
        grid->addWidget(combo, p - 1, 1);
        m_portDevices[std::size_t(p - 1)] = combo;
        connect(combo, &QComboBox::currentTextChanged, this,
                [this, p](const QString &text) { onDeviceEdited(p, text); });
    }
    auto *hint = new QLabel(QStringLiteral("Empty: the default device shown in grey."), box);
    hint->setWordWrap(true);
    grid->addWidget(hint, Ports, 0, 1, 2);
    return box;
}

QWidget *StationPage::buildUnitSystem()
{
    auto *box = new QGroupBox(QStringLiteral("Unit system"), this);
    m_optCGS = new QRadioButton(QStringLiteral("CGS"), box);
    m_optCGS->setObjectName(QStringLiteral("optCGS"));
    m_optEI = new QRadioButton(QStringLiteral("EI"), box);
    m_optEI->setObjectName(QStringLiteral("OptEI"));
    m_optSI = new QRadioButton(QStringLiteral("SI"), box);
    m_optSI->setObjectName(QStringLiteral("OptSI"));
    auto *layout = new QVBoxLayout(box);
    layout->addWidget(m_optCGS);
    layout->addWidget(m_optEI);
    layout->addWidget(m_optSI);
    // Effective at once; reaches the file with the next save.
    const std::pair<QRadioButton *, int> options[] = {
        {m_optCGS, UnitSystem::CGS}, {m_optEI, UnitSystem::EI}, {m_optSI, UnitSystem::SI}};
    for (const auto &[button, value] : options) {
        connect(button, &QRadioButton::toggled, this, [this, value = value](bool on) {
            if (on && !m_loading)
                UnitSystem::set(value);
        });
    }
    return box;
}

void StationPage::load()
{
    m_loading = true;
    StationSettings settings;
    const StationSettings::ReadResult read = StationSettings::read(settingsPath(), settings);
    for (int u = 0; u < Units; ++u) {
        const int port = settings.ports[std::size_t(u)];
        // A number outside the list leaves the combo without a choice.
        m_unitPorts[std::size_t(u)]->setCurrentIndex(port >= 0 && port <= Ports ? port : -1);
    }
    if (read.ok && settings.unitSystem >= UnitSystem::CGS && settings.unitSystem <= UnitSystem::SI)
        UnitSystem::set(settings.unitSystem);
    showUnitSystem(UnitSystem::current());

    m_portMap = PortMap::load(portMapPath());
    m_portMapEdited = false;
    for (int p = 1; p <= Ports; ++p) {
        QComboBox *combo = m_portDevices[std::size_t(p - 1)];
        combo->setEditText(m_portMap.isOverridden(p) ? m_portMap.device(p) : QString());
    }
    m_loading = false;
    updateDeviceLabels();

    showNote(read.ok ? QString() : read.message, !read.ok);
}

void StationPage::showUnitSystem(int unitSystem)
{
    // Any other value leaves the buttons as they are.
    if (unitSystem == UnitSystem::CGS)
        m_optCGS->setChecked(true);
    else if (unitSystem == UnitSystem::EI)
        m_optEI->setChecked(true);
    else if (unitSystem == UnitSystem::SI)
        m_optSI->setChecked(true);
}

StationSettings StationPage::shownSettings() const
{
    StationSettings s;
    for (int u = 0; u < Units; ++u)
        s.ports[std::size_t(u)] = m_unitPorts[std::size_t(u)]->currentIndex();
    s.unitSystem = UnitSystem::current();
    return s;
}

bool StationPage::save()
{
    QString error;
    if (!shownSettings().write(settingsPath(), &error)) {
        m_prompter->inform(this, QStringLiteral("KX720pH Setup"), error);
        return false;
    }
    if (m_portMapEdited) {
        if (!m_portMap.save(portMapPath(), &error)) {
            m_prompter->inform(this, QStringLiteral("KX720pH Setup"), error);
            return false;
        }
        m_portMapEdited = false;
    }
    showNote(QStringLiteral("Station settings saved to %1.").arg(QDir::toNativeSeparators(settingsPath())), false);
    return true;
}

void StationPage::onDeviceEdited(int port, const QString &text)
{
    if (m_loading)
        return;
    m_portMap.setDevice(port, text);
    m_portMapEdited = true;
    updateDeviceLabels();
}

void StationPage::updateDeviceLabels()
{
    for (int u = 0; u < Units; ++u) {
        const int port = m_unitPorts[std::size_t(u)]->currentIndex();
        m_unitDevices[std::size_t(u)]->setText(port >= 1 ? QStringLiteral("→ %1").arg(m_portMap.device(port))
                                                         : QString());
    }
}

void StationPage::showNote(const QString &text, bool problem)
{
    m_note = text;
    m_noteIsProblem = problem;
    emit noteChanged(text, problem);
}
