#include "chartseries.h"
#include <algorithm>

namespace review {

namespace {

bool included(const TestResultRow &s, DataFilter filter)
{
    return filter == DataFilter::All || !isRampSample(s);
}

QPointF pointOf(int type, const TestResultRow &s, int unitSystem)
{
    switch (type) {
    case StressRate:
        return {s.shearRate, displayedStress(s.shearStress, unitSystem)};
    case ViscTemp:
        return {displayedTemperature(s.sampleTemp, unitSystem), chartViscosity(s)};
    case ViscRate:
        return {s.shearRate, chartViscosity(s)};
    case StressTime:
        return {s.resultTime, displayedStress(s.shearStress, unitSystem)};
    case ViscTime:
        return {s.resultTime / 60, chartViscosity(s)};
    default:
        return {};
    }
}

} // namespace

Chart2D chart2DLayout(int type, int unitSystem)
{
    Chart2D c;
    c.type = type;
    switch (type) {
    case ViscTempTime:
        c.title = QStringLiteral("Viscosity & Temperature Vs. Time");
        c.xLabel = QStringLiteral("Time (Min)");
        c.yLabels = {QStringLiteral("Viscosity (cP)"), QStringLiteral("Temperature (°F)"), QStringLiteral("pH")};
        c.subsets = {{QStringLiteral("Viscosity"), {}, 0},
                     {QStringLiteral("Sample Temp."), {}, 1},
                     {QStringLiteral("pH"), {}, 2}};
        return c;
    case StressRate:
        c.title = QStringLiteral("Shear Stress Vs. Shear Rate");
        c.xLabel = QStringLiteral("Shear Rate (1/S)");
        c.yLabels = {stressAxisLabel(unitSystem)};
        break;
    case ViscTemp:
        c.title = QStringLiteral("Viscosity Vs. Temperature");
        c.xLabel = temperatureAxisLabel(unitSystem);
        c.yLabels = {QStringLiteral("Viscosity (Cp)")};
        break;
    case ViscRate:
        c.title = QStringLiteral("Viscosity Vs. Shear Rate");
        c.xLabel = QStringLiteral("Shear Rate (1/S)");
        c.yLabels = {QStringLiteral("Viscosity (Cp)")};
        break;
    case StressTime:
        c.title = QStringLiteral("Shear Stress vs. Time");
        c.xLabel = QStringLiteral("Time (S)");
        c.yLabels = {stressAxisLabel(unitSystem)};
        break;
    case ViscTime:
        c.title = QStringLiteral("Viscosity vs. Time");
        c.xLabel = QStringLiteral("Time (Min)");
        c.yLabels = {QStringLiteral("cP ")};
        break;
    default:
        return chart2DLayout(ViscTempTime, unitSystem);
    }
    c.subsets = {Subset2D{}};
    return c;
}

Chart3D chart3DLayout(int type)
{
    Chart3D c;
    c.type = type;
    c.yLabel = QStringLiteral("Viscosity (cP)");
    switch (type) {
    case ViscRateTemp:
        c.title = QStringLiteral("Viscosity vs. Shear Rate & Sample Temperature");
        c.xLabel = QStringLiteral("Sample Temp (°F)");
        c.zLabel = QStringLiteral("Shear Rate (1/S)");
        break;
    case ViscTempTime3D:
        c.title = QStringLiteral("Viscosity vs. Time & Sample Temperature");
        c.xLabel = QStringLiteral("Sample Temp (°F)");
        c.zLabel = QStringLiteral("Time (Min)");
        break;
    default:
        c.type = ViscRateTime;
        c.title = QStringLiteral("Viscosity vs. Shear Rate & Time");
        c.xLabel = QStringLiteral("Time (Min)");
        c.zLabel = QStringLiteral("Shear Rate (1/S)");
        break;
    }
    return c;
}

Chart2D initialChart2D(int unitSystem)
{
    return chart2DLayout(ViscTempTime, unitSystem);
}

Chart3D initialChart3D()
{
    Chart3D c;
    c.title = QStringLiteral("Viscosity Vs. Shear Rate & Sample Temp");
    c.xLabel = QStringLiteral("Time (Min)");
    c.yLabel = QStringLiteral("Shear Rate (1/S)");
    c.zLabel = QStringLiteral("Viscosity (cP)");
    return c;
}

QVector<QPointF> curve2D(int type, const std::vector<TestResultRow> &samples, int unitSystem)
{
    QVector<QPointF> points;
    points.reserve(qsizetype(samples.size()));
    for (const TestResultRow &s : samples)
        points.append(pointOf(type, s, unitSystem));
    // Curves run left to right; equal x keep their stored order.
    std::stable_sort(points.begin(), points.end(),
                     [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); });
    return points;
}

Chart2D buildChart2D(int type, const std::vector<TestResultRow> &samples, int unitSystem, DataFilter filter,
                     const QString &testName)
{
    Chart2D c = chart2DLayout(type, unitSystem);
    c.subtitle = testName;
    if (c.type != ViscTempTime) {
        c.subsets[0].label = testName;
        c.subsets[0].points = curve2D(c.type, samples, unitSystem);
        return c;
    }
    for (Subset2D &s : c.subsets)
        s.points.reserve(qsizetype(samples.size()));
    for (const TestResultRow &s : samples) {
        if (!included(s, filter))
            continue;
        const double minutes = s.resultTime / 60;
        c.subsets[0].points.append({minutes, openingViscosity(s)});
        c.subsets[1].points.append({minutes, s.sampleTemp});
        c.subsets[2].points.append({minutes, s.pH});
    }
    return c;
}

Chart3D buildChart3D(int type, const std::vector<TestResultRow> &samples, DataFilter filter,
                     const QString &testName)
{
    Chart3D c = chart3DLayout(type);
    c.subtitle = testName;
    c.points.reserve(qsizetype(samples.size()));
    for (const TestResultRow &s : samples) {
        switch (c.type) {
        case ViscRateTemp:
            c.points.append({s.sampleTemp, chartViscosity(s), s.shearRate});
            break;
        case ViscTempTime3D:
            c.points.append({s.sampleTemp, chartViscosity(s), s.resultTime / 60});
            break;
        default:
            if (included(s, filter))
                c.points.append({s.resultTime / 60, openingViscosity(s), s.shearRate});
            break;
        }
    }
    return c;
}

qsizetype Chart2D::pointCount() const
{
    qsizetype n = 0;
    for (const Subset2D &s : subsets)
        n = std::max(n, s.points.size());
    return n;
}

} // namespace review
