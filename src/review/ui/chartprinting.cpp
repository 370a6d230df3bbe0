#include "chartprinting.h"
#include "chart2dview.h"
#include "chart3dview.h"
#include <QChart>
#include <QCoreApplication>
#include <QGraphicsScene>
#include <QPainter>
#include <QPrinter>

namespace review {

namespace {

// The largest rectangle of the source's proportions centred on the page.
QRectF fitted(const QSizeF &source, const QRectF &page)
{
    QSizeF size = source.scaled(page.size(), Qt::KeepAspectRatio);
    return QRectF(page.center() - QPointF(size.width() / 2, size.height() / 2), size);
}

} // namespace

bool printChart2D(Chart2DView *view, QPrinter *printer)
{
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    QChart *chart = view->chart();
    // A chart drawn a moment ago may not have laid out its new titles and
    // axis labels yet.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QRectF source = chart->sceneBoundingRect();
    const QRectF page = printer->pageLayout().paintRectPixels(printer->resolution());
    view->scene()->render(&painter, fitted(source.size(), QRectF(QPointF(0, 0), page.size())), source);
    return painter.end();
}

bool printChart3D(Chart3DView *view, QPrinter *printer)
{
    const QSize size = view->size().expandedTo(QSize(800, 600));
    const QImage image = view->renderImage(size);
    if (image.isNull())
        return false;
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    const QRectF page = printer->pageLayout().paintRectPixels(printer->resolution());
    // Title and subtitle above the graph.
    const Chart3D &chart = view->shownChart();
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    const int line = painter.fontMetrics().height();
    painter.drawText(QRectF(0, 0, page.width(), line), Qt::AlignCenter, chart.title);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(QRectF(0, line, page.width(), line), Qt::AlignCenter, chart.subtitle);
    const QRectF below(0, 2 * line, page.width(), page.height() - 2 * line);
    painter.drawImage(fitted(image.size(), below), image);
    return painter.end();
}

} // namespace review
