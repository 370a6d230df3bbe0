#include "stationsettings.h"
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

StationSettings::ReadResult StationSettings::read(const QString &path, StationSettings &out)
{
    out = StationSettings{};
    ReadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.message = QStringLiteral("The station settings file %1 was not found. All units are set to \"None\" "
                                        "and the unit system to CGS until the settings are saved.")
                             .arg(QFileInfo(path).absoluteFilePath());
        return result;
    }
    const QList<QByteArray> tokens = file.readAll().simplified().split(' ');
    QList<int> values;
    for (const QByteArray &t : tokens) {
        if (t.isEmpty())
            continue;
        bool ok = false;
        const int v = t.toInt(&ok);
        if (!ok)
            break;        // a non-number ends the readable part
        values << v;
    }
    if (values.size() < 9) {
        result.message = QStringLiteral("The station settings file %1 holds %2 of its 9 numbers. All units are set to "
                                        "\"None\" and the unit system to CGS until the settings are saved.")
                             .arg(QFileInfo(path).absoluteFilePath())
                             .arg(values.size());
        return result;
    }
    for (std::size_t i = 0; i < out.ports.size(); ++i)
        out.ports[i] = values.at(int(i));
    out.unitSystem = values.at(8);
    result.ok = true;
    return result;
}

QByteArray StationSettings::format(const StationSettings &s)
{
    QByteArray out;
    auto line = [&out](int v) {
        if (v >= 0)
            out += ' ';
        out += QByteArray::number(v);
        out += "\r\n";
    };
    for (int p : s.ports)
        line(p);
    line(s.unitSystem);
    return out;
}

bool StationSettings::write(const QString &path, QString *error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(format(*this)) < 0 || !file.commit()) {
        if (error)
            *error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
