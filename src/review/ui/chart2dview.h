#pragma once
#include "review/chartdata.h"
#include "review/decimation.h"
#include <QChartView>

class QAbstractAxis;
class QLineSeries;

namespace review {

// The 2D review chart: one line per subset, a y axis per quantity, linear
// or log scales. Long subsets are drawn thinned to a few points per pixel
// column (peaks kept); the full points stay in shownChart().
class Chart2DView : public QChartView
{
    Q_OBJECT
public:
    // Slices of the x range a long subset is thinned to: about one per
    // pixel column of a large screen.
    static constexpr int kDrawBuckets = 1600;

    explicit Chart2DView(QWidget *parent = nullptr);

    // Draws a chart. A new chart type starts with a linear x axis; the y
    // scale stays as the operator set it.
    void showChart(const Chart2D &chart, bool newChartType);
    const Chart2D &shownChart() const { return m_chart; }

    AxisScale xScale() const { return m_xScale; }
    AxisScale yScale() const { return m_yScale; }
    void setXScale(AxisScale scale);
    void setYScale(AxisScale scale);

    // What the chart component was handed.
    QList<QLineSeries *> lineSeries() const;
    QAbstractAxis *xAxis() const { return m_xAxis; }
    QList<QAbstractAxis *> yAxes() const { return m_yAxes; }
    QString titleText() const { return m_chart.title; }
    QString subtitleText() const { return m_chart.subtitle; }

private:
    void redraw();

    Chart2D m_chart;
    AxisScale m_xScale = AxisScale::Linear;
    AxisScale m_yScale = AxisScale::Linear;
    QAbstractAxis *m_xAxis = nullptr;
    QList<QAbstractAxis *> m_yAxes;
};

} // namespace review
