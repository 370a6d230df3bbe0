#pragma once
#include <QDateTime>
#include <QString>

// Appends "Time: <date time>" then "Cause: <cause>" at the next 14-column
// print zone to "CorvaErr.log" in the current directory, CR LF terminated.
// Returns false (with *error) when the file cannot be written.
bool LogError(const QString &cause, QString *error = nullptr);

namespace errorlog {
QString fileName();
// The 1-based column where output continues after a print-zone separator,
// given the column the next character would go to.
int nextPrintZone(int column);
// The entry line without its line break, for a given time.
QString formatEntry(const QDateTime &when, const QString &cause);
bool append(const QString &path, const QDateTime &when, const QString &cause, QString *error = nullptr);
}
