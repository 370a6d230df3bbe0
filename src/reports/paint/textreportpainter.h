#pragma once
#include "reports/reportdata.h"
#include <QFont>
#include <QStringList>

class QPainter;
class QPagedPaintDevice;

// Paints fixed-width text reports (the brief report) onto pages.
namespace reports {

// "Courier" 12 point, or the nearest monospaced font the system has.
QFont briefReportFont();

// Paints the lines onto the device's pages, starting on the current page:
// a new page at each page-break line and whenever a page is full. The font
// shrinks only if the widest line would not fit the page width. The painter
// must be active on the device.
void paintTextPages(QPainter &painter, QPagedPaintDevice &device, const QStringList &lines,
                    const QFont &font = briefReportFont());

// The lines as a PDF document (US Letter, portrait).
ReportStatus writeTextReportPdf(const QString &fileName, const QStringList &lines, const QString &title = {});

} // namespace reports
