#include "livechart.h"
#include <QChart>
#include <QLineSeries>
#include <QList>
#include <QPointF>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

struct Range
{
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    void add(double v)
    {
        low = std::min(low, v);
        high = std::max(high, v);
    }
};

// 1, 2 or 5 times a power of ten, at least rough.
double niceStep(double rough)
{
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    const double f = rough / power;
    return power * (f <= 1 ? 1 : f <= 2 ? 2 : f <= 5 ? 5 : 10);
}

// Range on whole steps around the values, about `ticks` ticks.
void applyRange(QValueAxis *axis, Range r, double minimumSpan, int ticks = 5)
{
    if (r.low > r.high)
        r = {0, minimumSpan};
    if (r.high - r.low < minimumSpan) {
        const double mid = (r.high + r.low) / 2;
        r.low = mid - minimumSpan / 2;
        r.high = mid + minimumSpan / 2;
    }
    const double step = niceStep((r.high - r.low) / (ticks - 1));
    const double low = std::floor(r.low / step) * step;
    const double high = std::ceil(r.high / step) * step;
    axis->setRange(low, high);
    axis->setTickCount(int(std::lround((high - low) / step)) + 1);
}

} // namespace

QString LiveChart::seriesName(Series s)
{
    switch (s) {
    case Viscosity: return QStringLiteral("Visc.");
    case Temperature: return QStringLiteral("Sample Temp");
    case ShearRate: return QStringLiteral("Shear Rate");
    case PH: return QStringLiteral("pH");
    default: return {};
    }
}

QColor LiveChart::seriesColor(Series s)
{
    switch (s) {
    case Viscosity: return QColor(0x1f, 0x5f, 0xbf);
    case Temperature: return QColor(0xd0, 0x30, 0x20);
    case ShearRate: return QColor(0x20, 0x90, 0x30);
    case PH: return QColor(0x90, 0x40, 0xb0);
    default: return Qt::black;
    }
}

LiveChart::LiveChart(QWidget *parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("CWGraph1"));
    setRenderHint(QPainter::Antialiasing);
    auto *chart = new QChart;
    chart->legend()->hide();   // the window shows its own legend beside the chart
    chart->setMargins(QMargins(4, 4, 4, 4));

    m_axisX = new QValueAxis;
    m_axisX->setTitleText(QStringLiteral("Time (Min)"));
    m_axisX->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(m_axisX, Qt::AlignBottom);

    const char *titles[SeriesCount] = {"Viscosity (Cp)", "Temperature (F)", "Shear Rate (1/S)", "pH"};
    const char *formats[SeriesCount] = {"%.0f", "%.0f", "%.0f", "%.1f"};
    QFont titleFont = m_axisX->titleFont();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 0.85);
    const Qt::Alignment sides[SeriesCount] = {Qt::AlignLeft, Qt::AlignLeft, Qt::AlignRight, Qt::AlignRight};
    for (int i = 0; i < SeriesCount; ++i) {
        const auto s = Series(i);
        auto *series = new QLineSeries;
        series->setName(seriesName(s));
        series->setColor(seriesColor(s));
        chart->addSeries(series);
        auto *axis = new QValueAxis;
        axis->setTitleText(QLatin1String(titles[i]));
        axis->setTitleFont(titleFont);
        axis->setLabelFormat(QLatin1String(formats[i]));
        axis->setLinePenColor(seriesColor(s));
        axis->setLabelsColor(seriesColor(s));
        axis->setTitleBrush(seriesColor(s));
        axis->setGridLineVisible(i == Viscosity);
        chart->addAxis(axis, sides[i]);
        series->attachAxis(m_axisX);
        series->attachAxis(axis);
        m_series[i] = series;
        m_axisY[i] = axis;
    }
    setChart(chart);
    replot();
}

void LiveChart::clearData()
{
    m_buffer.clear();
    replot();
}

void LiveChart::addSample(const TestResultRow &sample)
{
    m_buffer.append(LiveChartPoint::fromSample(sample));
    replot();
}

void LiveChart::replot()
{
    // At most Capacity points per series: the cost of a refresh is bounded
    // however long the test runs.
    std::array<QList<QPointF>, SeriesCount> points;
    std::array<Range, SeriesCount> ranges;
    Range time;
    for (auto &p : points)
        p.reserve(qsizetype(m_buffer.size()));
    for (std::size_t i = 0; i < m_buffer.size(); ++i) {
        const LiveChartPoint &p = m_buffer.at(i);
        const double values[SeriesCount] = {p.viscosity, p.temperature, p.shearRate, p.pH};
        time.add(p.minutes);
        for (int s = 0; s < SeriesCount; ++s) {
            points[s].append(QPointF(p.minutes, values[s]));
            ranges[s].add(values[s]);
        }
    }
    for (int s = 0; s < SeriesCount; ++s) {
        m_series[s]->replace(points[s]);
        applyRange(m_axisY[s], ranges[s], s == PH ? 1.0 : 10.0);
    }
    // Time runs from the oldest point kept, at least one minute wide.
    if (time.low > time.high)
        time = {0, 1};
    time.high = std::max(time.high, time.low + 1);
    applyRange(m_axisX, time, 1.0, 7);
}
