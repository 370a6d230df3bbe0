#pragma once
#include "store/records.h"
#include <array>
#include <cstddef>

// One point of a unit's live chart: test time in minutes and the four
// plotted values.
struct LiveChartPoint
{
    double minutes = 0;
    double viscosity = 0;     // cP
    double temperature = 0;   // °F
    double shearRate = 0;     // 1/s
    double pH = 0;

    static LiveChartPoint fromSample(const TestResultRow &sample);
};

// The last Capacity samples of a running test, oldest first. Adding a sample
// overwrites the oldest once the buffer is full, so a long run costs the same
// per sample as a short one.
class LiveChartBuffer
{
public:
    static constexpr std::size_t Capacity = 600;

    void clear() { m_first = 0; m_size = 0; }
    void append(const LiveChartPoint &point);
    std::size_t size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    // i = 0 is the oldest point kept.
    const LiveChartPoint &at(std::size_t i) const { return m_points[(m_first + i) % Capacity]; }

private:
    std::array<LiveChartPoint, Capacity> m_points{};
    std::size_t m_first = 0;
    std::size_t m_size = 0;
};
