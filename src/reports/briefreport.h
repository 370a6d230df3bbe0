#pragma once
#include "reportdata.h"
#include <QStringList>

// The brief report: fixed-width text lines meant for a monospaced font, so
// that columns line up by character count alone.
namespace reports {

// A line holding only this marks the start of a new page.
inline const QString kPageBreak = QStringLiteral("\f");

QStringList briefReportLines(const TestReportData &data);

// One results-table row of the report; a ramp without a result shows only
// its number.
QString briefResultLine(int rampNo, const rheology::RampResult *result);

// The lines as a plain text file: one line each, a form feed for a page break.
QString briefReportText(const QStringList &lines);

// Writes briefReportText() as UTF-8; the file appears only when complete.
ReportStatus writeTextReportFile(const QString &fileName, const QStringList &lines);

} // namespace reports
