#pragma once
#include "livechartbuffer.h"
#include <QChartView>
#include <QColor>
#include <array>

class QLineSeries;
class QValueAxis;

// The live chart of a unit: viscosity, sample temperature, shear rate and pH
// against test time in minutes, each on its own axis, over the last
// LiveChartBuffer::Capacity samples.
class LiveChart : public QChartView
{
    Q_OBJECT
public:
    enum Series { Viscosity, Temperature, ShearRate, PH, SeriesCount };

    explicit LiveChart(QWidget *parent = nullptr);

    void clearData();
    void addSample(const TestResultRow &sample);

    const LiveChartBuffer &buffer() const { return m_buffer; }
    QLineSeries *series(Series s) const { return m_series[s]; }
    QValueAxis *axisX() const { return m_axisX; }
    QValueAxis *axisY(Series s) const { return m_axisY[s]; }
    static QString seriesName(Series s);
    static QColor seriesColor(Series s);

private:
    void replot();

    LiveChartBuffer m_buffer;
    std::array<QLineSeries *, SeriesCount> m_series{};
    std::array<QValueAxis *, SeriesCount> m_axisY{};
    QValueAxis *m_axisX = nullptr;
};
