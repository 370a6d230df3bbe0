#include "livechartbuffer.h"

LiveChartPoint LiveChartPoint::fromSample(const TestResultRow &sample)
{
    LiveChartPoint p;
    p.minutes = sample.resultTime / 60;
    // The small offset keeps a standing rotor from dividing by zero.
    p.viscosity = 100 * sample.shearStress / (0.0001 + sample.shearRate);
    p.temperature = sample.sampleTemp;
    p.shearRate = sample.shearRate;
    p.pH = sample.pH;
    return p;
}

void LiveChartBuffer::append(const LiveChartPoint &point)
{
    if (m_size < Capacity) {
        m_points[(m_first + m_size) % Capacity] = point;
        ++m_size;
        return;
    }
    m_points[m_first] = point;
    m_first = (m_first + 1) % Capacity;
}
