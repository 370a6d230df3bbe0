#include "chart2dview.h"
#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

namespace review {

namespace {

struct Range
{
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();
    void add(double v)
    {
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
};

QAbstractAxis *makeAxis(AxisScale scale, const QString &title, Range range)
{
    if (scale == AxisScale::Log) {
        auto *axis = new QLogValueAxis;
        axis->setBase(10);
        axis->setLabelFormat(QStringLiteral("%g"));
        axis->setMinorTickCount(-1);
        if (!(range.lo <= range.hi))
            range = {1, 10};
        if (range.lo == range.hi)
            range = {range.lo / 10, range.hi * 10};
        axis->setRange(range.lo, range.hi);
        axis->setTitleText(title);
        return axis;
    }
    auto *axis = new QValueAxis;
    axis->setLabelFormat(QStringLiteral("%g"));
    if (!(range.lo <= range.hi))
        range = {0, 1};
    if (range.lo == range.hi)
        range = {range.lo - 1, range.hi + 1};
    axis->setRange(range.lo, range.hi);
    axis->applyNiceNumbers();
    axis->setTitleText(title);
    return axis;
}

QString titleHtml(const Chart2D &chart)
{
    return QStringLiteral("<div align=\"center\"><b>%1</b><br/>%2</div>")
        .arg(chart.title.toHtmlEscaped(), chart.subtitle.toHtmlEscaped());
}

} // namespace

Chart2DView::Chart2DView(QWidget *parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("Pesgo1"));
    setRenderHint(QPainter::Antialiasing);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    chart()->setMargins(QMargins(4, 4, 4, 4));
}

void Chart2DView::showChart(const Chart2D &chart, bool newChartType)
{
    m_chart = chart;
    if (newChartType)
        m_xScale = AxisScale::Linear;
    redraw();
}

void Chart2DView::setXScale(AxisScale scale)
{
    if (scale == m_xScale)
        return;
    m_xScale = scale;
    redraw();
}

void Chart2DView::setYScale(AxisScale scale)
{
    if (scale == m_yScale)
        return;
    m_yScale = scale;
    redraw();
}

QList<QLineSeries *> Chart2DView::lineSeries() const
{
    QList<QLineSeries *> out;
    for (QAbstractSeries *s : chart()->series())
        if (auto *line = qobject_cast<QLineSeries *>(s))
            out << line;
    return out;
}

void Chart2DView::redraw()
{
    QChart *c = chart();
    c->removeAllSeries();
    for (QAbstractAxis *axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    m_yAxes.clear();
    c->setTitle(titleHtml(m_chart));

    // Thin each subset first so the axis ranges follow what is drawn.
    const int axisCount = std::max<int>(1, int(m_chart.yLabels.size()));
    QVector<QList<QPointF>> drawn;
    Range xRange;
    QVector<Range> yRanges(axisCount);
    for (const Subset2D &subset : m_chart.subsets) {
        QList<QPointF> points = decimateMinMax(drawablePoints(subset.points, m_xScale, m_yScale), kDrawBuckets, m_xScale);
        const int yAxis = std::clamp(subset.yAxis, 0, axisCount - 1);
        for (const QPointF &p : points) {
            xRange.add(p.x());
            yRanges[yAxis].add(p.y());
        }
        drawn.append(std::move(points));
    }

    m_xAxis = makeAxis(m_xScale, m_chart.xLabel, xRange);
    c->addAxis(m_xAxis, Qt::AlignBottom);
    for (int i = 0; i < axisCount; ++i) {
        QAbstractAxis *y = makeAxis(m_yScale, m_chart.yLabels.value(i), yRanges[i]);
        c->addAxis(y, i == 0 ? Qt::AlignLeft : Qt::AlignRight);
        m_yAxes << y;
    }
    for (qsizetype i = 0; i < m_chart.subsets.size(); ++i) {
        const Subset2D &subset = m_chart.subsets[i];
        auto *series = new QLineSeries;
        series->setName(subset.label);
        series->replace(drawn[i]);
        c->addSeries(series);
        series->attachAxis(m_xAxis);
        QAbstractAxis *y = m_yAxes[std::clamp(subset.yAxis, 0, axisCount - 1)];
        series->attachAxis(y);
        // With one axis per quantity, each axis takes its line's colour.
        if (axisCount > 1) {
            y->setLinePenColor(series->color());
            y->setLabelsColor(series->color());
            y->setTitleBrush(series->color());
        }
    }
}

} // namespace review
