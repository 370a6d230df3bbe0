#pragma once
#include "sequences/portmap.h"
#include "sequences/stationsettings.h"
#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class Prompter;

// The station page of the setup window: the serial port of each unit, the
// device each port stands for on this computer, and the display unit system.
class StationPage : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Units = 8;
    static constexpr int Ports = 12;

    StationPage(const QString &settingsDir, Prompter *prompter, QWidget *parent = nullptr);

    QPushButton *returnButton() const { return m_cmdReturn; }
    // The settings as shown (ports by combo position, -1 for no choice).
    StationSettings shownSettings() const;
    QString settingsPath() const;
    QString portMapPath() const;

    // Reads initial.txt and ports.ini again and shows them.
    void load();
    // Writes initial.txt, and ports.ini when a device was edited.
    bool save();

    // What the window should tell about the settings files (a missing or
    // short initial.txt, or a completed save); empty when nothing.
    QString note() const { return m_note; }
    bool noteIsProblem() const { return m_noteIsProblem; }

signals:
    void noteChanged(const QString &note, bool problem);

private:
    void buildLayout();
    QWidget *buildUnitPorts();
    QWidget *buildDeviceMap();
    QWidget *buildUnitSystem();
    void showUnitSystem(int unitSystem);
    void updateDeviceLabels();
    void onDeviceEdited(int port, const QString &text);
    void showNote(const QString &text, bool problem);

    QString m_dir;
    Prompter *m_prompter;
    PortMap m_portMap;
    bool m_portMapEdited = false;
    bool m_loading = false;

    std::array<QComboBox *, Units> m_unitPorts{};
    std::array<QLabel *, Units> m_unitDevices{};
    std::array<QComboBox *, Ports> m_portDevices{};
    QRadioButton *m_optCGS;
    QRadioButton *m_optEI;
    QRadioButton *m_optSI;
    QString m_note;
    bool m_noteIsProblem = false;
    QPushButton *m_cmdSave;
    QPushButton *m_cmdReturn;
};
