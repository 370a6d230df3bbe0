#include "datareportpainter.h"
#include "reports/datareport.h"
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <cmath>

namespace reports {

namespace {

// Detail columns in characters of the monospaced detail font.
constexpr int kWidths[kDataReportColumns] = {8, 8, 11, 11, 11, 12, 8, 14, 8};
constexpr int kTotalWidth = 91;
constexpr qint64 kProgressEvery = 2048;

QFont sansFont(qreal points, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QString detailLine(const TestResultRow &sample)
{
    const auto fields = dataReportDetail(sample);
    QString line;
    line.reserve(kTotalWidth + 8);
    for (int i = 0; i < kDataReportColumns; ++i) {
        line += fields[i].rightJustified(kWidths[i] - 1);
        line += QLatin1Char(' ');
    }
    return line;
}

} // namespace

DataReportPainter::DataReportPainter(QPagedPaintDevice &device, const TestInfoRow &info)
    : m_device(device), m_info(info)
{
    m_titleFont = sansFont(16, true);
    m_labelFont = sansFont(9, true);
    m_valueFont = sansFont(9, false);
    m_columnFont = sansFont(7.5, true);
    m_smallFont = sansFont(7.5, false);
    m_detailFont = QFont(QStringLiteral("DejaVu Sans Mono"));
    m_detailFont.setStyleHint(QFont::TypeWriter);
    m_detailFont.setFixedPitch(true);
    m_detailFont.setPointSizeF(9);

    m_charWidth = QFontMetricsF(m_detailFont, &m_device).horizontalAdvance(QLatin1Char('0'));
    if (m_charWidth * kTotalWidth > m_device.width()) {
        m_detailFont.setPointSizeF(9 * m_device.width() / (m_charWidth * kTotalWidth));
        m_charWidth = QFontMetricsF(m_detailFont, &m_device).horizontalAdvance(QLatin1Char('0'));
    }
    m_rowHeight = QFontMetricsF(m_detailFont, &m_device).lineSpacing();

    const QFontMetricsF small(m_smallFont, &m_device);
    m_bodyBottom = m_device.height() - 2 * small.lineSpacing();
    m_runningHeadHeight = small.lineSpacing() + pt(4);
    m_closingHeight = pt(12) + QFontMetricsF(m_valueFont, &m_device).lineSpacing();
}

qreal DataReportPainter::pt(qreal points) const
{
    return points * m_device.logicalDpiY() / 72.0;
}

struct DataReportPainter::Layout
{
    // Lays out (and, with a painter, paints) the information block from top.
    static qreal information(const DataReportPainter &self, QPainter *painter, qreal top)
    {
        const QFontMetricsF labels(self.m_labelFont, &self.m_device);
        const QFontMetricsF values(self.m_valueFont, &self.m_device);
        const auto entries = dataReportInformation(self.m_info);
        qreal labelWidth = 0;
        for (const LabelledValue &e : entries)
            labelWidth = std::max(labelWidth, labels.horizontalAdvance(e.label));
        labelWidth += self.pt(8);
        const qreal valueWidth = self.m_device.width() - labelWidth;
        qreal y = top;
        for (const LabelledValue &e : entries) {
            const QRectF bounds = values.boundingRect(QRectF(0, 0, valueWidth, 1e9), Qt::TextWordWrap, e.value);
            const qreal height = std::max(bounds.height(), values.lineSpacing());
            if (painter) {
                painter->setFont(self.m_labelFont);
                painter->drawText(QRectF(0, y, labelWidth, labels.lineSpacing()), Qt::AlignLeft | Qt::AlignTop,
                                  e.label);
                painter->setFont(self.m_valueFont);
                painter->drawText(QRectF(labelWidth, y, valueWidth, height), Qt::TextWordWrap | Qt::AlignTop,
                                  e.value);
            }
            y += height + self.pt(2);
        }
        return y - top;
    }

    // Column labels break only at blanks, so each stays readable (and
    // searchable) as written; the label font shrinks if a word is too wide.
    static QStringList labelLines(const QString &label, qreal width, const QFontMetricsF &metrics)
    {
        QStringList lines;
        for (const QString &word : label.split(QLatin1Char(' '))) {
            if (!lines.isEmpty() && metrics.horizontalAdvance(lines.last() + QLatin1Char(' ') + word) <= width)
                lines.last() += QLatin1Char(' ') + word;
            else
                lines << word;
        }
        return lines;
    }

    static qreal columnWidth(const DataReportPainter &self, int i) { return (kWidths[i] - 1) * self.m_charWidth; }

    static QFont fittedColumnFont(const DataReportPainter &self)
    {
        QFont font = self.m_columnFont;
        const QFontMetricsF metrics(font, &self.m_device);
        qreal scale = 1;
        for (int i = 0; i < kDataReportColumns; ++i)
            for (const QString &word : dataReportColumnLabels()[i].split(QLatin1Char(' ')))
                scale = std::min(scale, columnWidth(self, i) / metrics.horizontalAdvance(word));
        font.setPointSizeF(font.pointSizeF() * scale);
        return font;
    }

    static qreal columnLabels(const DataReportPainter &self, QPainter *painter, qreal top)
    {
        const QFont font = fittedColumnFont(self);
        const QFontMetricsF metrics(font, &self.m_device);
        const auto &labels = dataReportColumnLabels();
        QStringList lines[kDataReportColumns];
        qsizetype most = 1;
        for (int i = 0; i < kDataReportColumns; ++i) {
            lines[i] = labelLines(labels[i], columnWidth(self, i), metrics);
            most = std::max(most, lines[i].size());
        }
        const qreal height = most * metrics.lineSpacing();
        qreal x = 0;
        if (painter)
            painter->setFont(font);
        for (int i = 0; i < kDataReportColumns; ++i) {
            if (painter) {
                qreal y = top + height - lines[i].size() * metrics.lineSpacing();
                for (const QString &line : lines[i]) {
                    painter->drawText(QRectF(x, y, columnWidth(self, i), metrics.lineSpacing()), Qt::AlignRight, line);
                    y += metrics.lineSpacing();
                }
            }
            x += kWidths[i] * self.m_charWidth;
        }
        if (painter) {
            const qreal rule = top + height + self.pt(2);
            painter->drawLine(QPointF(0, rule), QPointF(x, rule));
        }
        return height + self.pt(5);
    }

    static qreal title(const DataReportPainter &self, QPainter *painter)
    {
        const QFontMetricsF metrics(self.m_titleFont, &self.m_device);
        if (painter) {
            painter->setFont(self.m_titleFont);
            painter->drawText(QRectF(0, 0, self.m_device.width(), metrics.lineSpacing()), Qt::AlignHCenter,
                              kDataReportTitle);
        }
        return metrics.lineSpacing() + self.pt(10);
    }

    static void runningHead(const DataReportPainter &self, QPainter &painter)
    {
        painter.setFont(self.m_smallFont);
        const QString text = kDataReportTitle + QStringLiteral("  \u2014  TEST NAME: ") + self.m_info.testName;
        painter.drawText(QRectF(0, 0, self.m_device.width(), self.m_runningHeadHeight), Qt::AlignLeft | Qt::AlignTop,
                         text);
    }
};

qreal DataReportPainter::firstPageBodyTop() const
{
    const qreal titleHeight = Layout::title(*this, nullptr);
    const qreal info = Layout::information(*this, nullptr, titleHeight);
    return titleHeight + info + pt(8) + Layout::columnLabels(*this, nullptr, 0);
}

qreal DataReportPainter::laterPageBodyTop() const
{
    return m_runningHeadHeight + Layout::columnLabels(*this, nullptr, 0);
}

qint64 DataReportPainter::rowsFrom(qreal top) const
{
    return std::max<qint64>(1, qint64(std::floor((m_bodyBottom - top) / m_rowHeight)));
}

int DataReportPainter::pageCount(qint64 samples) const
{
    const qreal firstTop = firstPageBodyTop();
    const qreal laterTop = laterPageBodyTop();
    const qint64 first = rowsFrom(firstTop);
    const qint64 later = rowsFrom(laterTop);
    qint64 pages = 1;
    qreal lastTop = firstTop;
    qint64 lastRows = samples;
    if (samples > first) {
        const qint64 extra = samples - first;
        const qint64 more = (extra + later - 1) / later;
        pages += more;
        lastTop = laterTop;
        lastRows = extra - (more - 1) * later;
    }
    if (lastTop + lastRows * m_rowHeight + m_closingHeight > m_bodyBottom)
        ++pages;
    return int(pages);
}

void DataReportPainter::paintPageFooter(QPainter &painter, int page, int pages) const
{
    painter.setFont(m_smallFont);
    const QFontMetricsF metrics(m_smallFont, &m_device);
    const QRectF band(0, m_device.height() - metrics.lineSpacing(), m_device.width(), metrics.lineSpacing());
    painter.drawText(band, Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("Page %1 of %2").arg(page).arg(pages));
}

ReportStatus DataReportPainter::paint(QPainter &painter, SampleSource &samples, const ProgressCallback &progress)
{
    const qint64 total = samples.count();
    int pages = pageCount(total);
    painter.setPen(Qt::black);

    qreal y = Layout::title(*this, &painter);
    y += Layout::information(*this, &painter, y) + pt(8);
    y += Layout::columnLabels(*this, &painter, y);
    qint64 capacity = rowsFrom(y);
    qint64 onPage = 0;
    int page = 1;
    const qreal ascent = QFontMetricsF(m_detailFont, &m_device).ascent();
    const qreal laterTop = laterPageBodyTop();

    auto nextPage = [&](bool withLabels) {
        paintPageFooter(painter, page, std::max(page, pages));
        m_device.newPage();
        ++page;
        pages = std::max(pages, page);
        Layout::runningHead(*this, painter);
        if (withLabels)
            Layout::columnLabels(*this, &painter, m_runningHeadHeight);
        y = laterTop;
        capacity = rowsFrom(y);
        onPage = 0;
    };

    qint64 done = 0;
    TestResultRow sample;
    painter.setFont(m_detailFont);
    while (samples.next(sample)) {
        if (onPage == capacity) {
            nextPage(true);
            painter.setFont(m_detailFont);
        }
        painter.drawText(QPointF(0, y + ascent), detailLine(sample));
        y += m_rowHeight;
        ++onPage;
        if (++done % kProgressEvery == 0 && progress && !progress(done, total))
            return ReportStatus::failure(ReportError::Cancelled, QStringLiteral("Report cancelled."));
    }

    if (y + m_closingHeight > m_bodyBottom)
        nextPage(false);
    painter.setFont(m_valueFont);
    const QFontMetricsF closing(m_valueFont, &m_device);
    painter.drawText(QRectF(0, y + pt(12), m_device.width(), closing.lineSpacing()), Qt::AlignHCenter, kDataReportFooter);
    paintPageFooter(painter, page, std::max(page, pages));
    if (progress && !progress(done, total))
        return ReportStatus::failure(ReportError::Cancelled, QStringLiteral("Report cancelled."));
    return {};
}

ReportStatus writeDataReportPdf(const QString &fileName, const TestInfoRow &info, SampleSource &samples,
                                const ProgressCallback &progress)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return ReportStatus::failure(ReportError::CannotWrite,
                                     QStringLiteral("Cannot write \"%1\": %2").arg(fileName, file.errorString()));
    ReportStatus status;
    {
        QPdfWriter writer(&file);
        writer.setTitle(kDataReportTitle + QStringLiteral(" - ") + info.testName);
        writer.setCreator(QStringLiteral("Rovudaze"));
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageMargins(QMarginsF(36, 36, 36, 30), QPageLayout::Point);
        writer.setResolution(600);
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return ReportStatus::failure(ReportError::CannotWrite, QStringLiteral("Cannot start the PDF document."));
        }
        DataReportPainter report(writer, info);
        status = report.paint(painter, samples, progress);
        painter.end();
    }
    if (!status.ok()) {
        file.cancelWriting();
        return status;
    }
    if (!file.commit())
        return ReportStatus::failure(ReportError::CannotWrite,
                                     QStringLiteral("Cannot write \"%1\": %2").arg(fileName, file.errorString()));
    return status;
}

} // namespace reports
