#pragma once
#include "reports/reportdata.h"
#include "reports/samplesource.h"
#include <QFont>
#include <QRectF>

class QPainter;
class QPagedPaintDevice;

// Paints the printed data report as banded pages: the report header on the
// first page, the test's information block, the column labels (repeated on
// every page), one detail line per sample, the closing line, and
// "Page N of M" at the foot of each page.
namespace reports {

class DataReportPainter
{
public:
    DataReportPainter(QPagedPaintDevice &device, const TestInfoRow &info);

    // Pages needed for this many detail lines.
    int pageCount(qint64 samples) const;

    // Paints every sample the source gives, in its order, starting on the
    // current page. The painter must be active on the device. Returns the
    // Cancelled status when progress asks to stop.
    ReportStatus paint(QPainter &painter, SampleSource &samples, const ProgressCallback &progress = {});

private:
    struct Layout;
    qreal firstPageBodyTop() const;
    qreal laterPageBodyTop() const;
    qint64 rowsFrom(qreal top) const;
    void paintPageFooter(QPainter &painter, int page, int pages) const;
    qreal pt(qreal points) const;

    QPagedPaintDevice &m_device;
    TestInfoRow m_info;
    QFont m_titleFont, m_labelFont, m_valueFont, m_columnFont, m_detailFont, m_smallFont;
    qreal m_charWidth = 0;
    qreal m_rowHeight = 0;
    qreal m_bodyBottom = 0;
    qreal m_runningHeadHeight = 0;
    qreal m_closingHeight = 0;
};

// The report as a PDF file (US Letter, portrait). Nothing is left behind
// when it is cancelled or fails.
ReportStatus writeDataReportPdf(const QString &fileName, const TestInfoRow &info, SampleSource &samples,
                                const ProgressCallback &progress = {});

} // namespace reports
