#pragma once
#include <QMap>
#include <QString>

// Maps a station port number (1..12, "Comm n") to a device path on this
// computer. On Windows it is COMn. Elsewhere the default is /dev/ttyS(n-1),
// and "ports.ini" beside initial.txt can point any number at any device,
// a USB adapter or a pseudo-terminal included:
//
//   [ports]
//   1=/dev/ttyUSB0
//   3=/dev/pts/7
class PortMap
{
public:
    static QString fileName() { return QStringLiteral("ports.ini"); }

    static QString defaultDevice(int port);
    QString device(int port) const;
    void setDevice(int port, const QString &path);    // empty path = default
    bool isOverridden(int port) const { return m_devices.contains(port); }

    static PortMap load(const QString &path);
    static PortMap fromCurrentDirectory();
    bool save(const QString &path, QString *error = nullptr) const;

private:
    QMap<int, QString> m_devices;
};
