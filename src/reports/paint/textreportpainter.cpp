#include "textreportpainter.h"
#include "reports/briefreport.h"
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace reports {

QFont briefReportFont()
{
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(12);
    return font;
}

void paintTextPages(QPainter &painter, QPagedPaintDevice &device, const QStringList &lines, const QFont &baseFont)
{
    QFont font = baseFont;
    qsizetype widest = 0;
    for (const QString &line : lines)
        widest = std::max(widest, line.size());
    {
        const QFontMetricsF metrics(font, &device);
        const qreal needed = metrics.horizontalAdvance(QLatin1Char('M')) * qreal(widest);
        if (needed > device.width() && needed > 0)
            font.setPointSizeF(std::max(6.0, font.pointSizeF() * device.width() / needed));
    }
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(font, &device);
    const qreal lineHeight = metrics.lineSpacing();
    const qreal pageHeight = device.height();

    qreal y = 0;
    bool pageEmpty = true;
    for (const QString &line : lines) {
        if (line == kPageBreak) {
            device.newPage();
            y = 0;
            pageEmpty = true;
            continue;
        }
        if (!pageEmpty && y + lineHeight > pageHeight) {
            device.newPage();
            y = 0;
        }
        painter.drawText(QPointF(0, y + metrics.ascent()), line);
        y += lineHeight;
        pageEmpty = false;
    }
}

ReportStatus writeTextReportPdf(const QString &fileName, const QStringList &lines, const QString &title)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return ReportStatus::failure(ReportError::CannotWrite,
                                     QStringLiteral("Cannot write \"%1\": %2").arg(fileName, file.errorString()));
    {
        QPdfWriter writer(&file);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Rovudaze"));
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageMargins(QMarginsF(15, 36, 15, 36), QPageLayout::Point);
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return ReportStatus::failure(ReportError::CannotWrite, QStringLiteral("Cannot start the PDF document."));
        }
        paintTextPages(painter, writer, lines);
        painter.end();
    }
    if (!file.commit())
        return ReportStatus::failure(ReportError::CannotWrite,
                                     QStringLiteral("Cannot write \"%1\": %2").arg(fileName, file.errorString()));
    return {};
}

} // namespace reports
