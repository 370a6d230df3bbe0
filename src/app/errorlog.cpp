#include "errorlog.h"
#include <QFile>
#include <QLocale>

namespace errorlog {

QString fileName() { return QStringLiteral("CorvaErr.log"); }

int nextPrintZone(int column)
{
    // Zones start at 14k + 1; output always moves on by at least one column.
    return ((column - 1) / 14 + 1) * 14 + 1;
}

QString formatEntry(const QDateTime &when, const QString &cause)
{
    // General date format: short date and long time.
    QString line = QStringLiteral("Time: ") + when.toString(QStringLiteral("M/d/yyyy h:mm:ss AP"));
    // Print zones are 14 columns wide; the next zone starts at 14k + 1 and
    // output always advances at least one column.
    const int column = line.size() + 1;                 // 1-based column of the next character
    line += QString(nextPrintZone(column) - column, QLatin1Char(' '));
    line += QStringLiteral("Cause: ") + cause;
    return line;
}

bool append(const QString &path, const QDateTime &when, const QString &cause, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (error)
            *error = QStringLiteral("Cannot write the error log %1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = formatEntry(when, cause).toLocal8Bit() + "\r\n";
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        if (error)
            *error = QStringLiteral("Cannot write the error log %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace errorlog

bool LogError(const QString &cause, QString *error)
{
    return errorlog::append(errorlog::fileName(), QDateTime::currentDateTime(), cause, error);
}
