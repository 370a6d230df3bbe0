#include "charttypes.h"
#include "sequences/unitsystem.h"

namespace review {

namespace {
constexpr double kOpeningOffset = 0.0001;
constexpr double kChartOffset = 0.0000001;
constexpr double kDynPerCm2PerLbfPer100SqFt = 478.8 / 100;
}

int chartTypeCount(ChartMode mode)
{
    return mode == ChartMode::TwoD ? 6 : 3;
}

QStringList chartTypeTexts(ChartMode mode)
{
    if (mode == ChartMode::TwoD)
        return {QStringLiteral("Visc, Temp Vs Time"), QStringLiteral("Shr. Stress Vs. Shr. Rate"),
                QStringLiteral("Visc Vs. Sample Temp"), QStringLiteral("Viscosity Vs. Shear Rate"),
                QStringLiteral("Shr. Stress Vs. Time"), QStringLiteral("Visc Vs. Time")};
    return {QStringLiteral("Visc Vs. Rate, Time"), QStringLiteral("Visc Vs. Rate, Temp"),
            QStringLiteral("Visc Vs. Temp, Time")};
}

bool isValidChartType(ChartMode mode, int type)
{
    return type >= 0 && type < chartTypeCount(mode);
}

bool isOverlappable(ChartMode mode, int type)
{
    return mode == ChartMode::TwoD && type > ViscTempTime && type < chartTypeCount(mode);
}

double openingViscosity(const TestResultRow &s)
{
    return 100 * s.shearStress / (kOpeningOffset + s.shearRate);
}

double chartViscosity(const TestResultRow &s)
{
    return 100 * s.shearStress / (kChartOffset + s.shearRate);
}

bool isRampSample(const TestResultRow &s)
{
    return s.typeId != 0;
}

double displayedStress(double dynPerCm2, int unitSystem)
{
    return unitSystem == UnitSystem::EI ? dynPerCm2 / kDynPerCm2PerLbfPer100SqFt : dynPerCm2;
}

QString stressAxisLabel(int unitSystem)
{
    return unitSystem == UnitSystem::EI ? QStringLiteral("Shear Stress (lb/100ft2)")
                                        : QStringLiteral("Shear Stress (dyn/cm2)");
}

double displayedTemperature(double fahrenheit, int unitSystem)
{
    return unitSystem == UnitSystem::SI ? (fahrenheit - 32) / 1.8 : fahrenheit;
}

QString temperatureAxisLabel(int unitSystem)
{
    return unitSystem == UnitSystem::SI ? QStringLiteral("Sample Temperature (°C)")
                                        : QStringLiteral("Sample Temperature (°F)");
}

} // namespace review
