#include "portmap.h"
#include <QDir>
#include <QSettings>

QString PortMap::defaultDevice(int port)
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(port);
#else
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
#endif
}

QString PortMap::device(int port) const
{
    return m_devices.value(port, defaultDevice(port));
}

void PortMap::setDevice(int port, const QString &path)
{
    if (path.trimmed().isEmpty() || path.trimmed() == defaultDevice(port))
        m_devices.remove(port);
    else
        m_devices.insert(port, path.trimmed());
}

PortMap PortMap::load(const QString &path)
{
    PortMap map;
    if (!QFile::exists(path))
        return map;
    QSettings ini(path, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("ports"));
    for (const QString &k : ini.childKeys()) {
        bool ok = false;
        const int port = k.toInt(&ok);
        if (ok && port >= 1 && port <= 12)
            map.setDevice(port, ini.value(k).toString());
    }
    return map;
}

PortMap PortMap::fromCurrentDirectory()
{
    return load(QDir::current().filePath(fileName()));
}

bool PortMap::save(const QString &path, QString *error) const
{
    QSettings ini(path, QSettings::IniFormat);
    ini.remove(QStringLiteral("ports"));
    ini.beginGroup(QStringLiteral("ports"));
    for (auto it = m_devices.cbegin(); it != m_devices.cend(); ++it)
        ini.setValue(QString::number(it.key()), it.value());
    ini.endGroup();
    ini.sync();
    if (ini.status() != QSettings::NoError) {
        if (error)
            *error = QStringLiteral("Cannot write %1.").arg(path);
        return false;
    }
    return true;
}
