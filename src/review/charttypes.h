#pragma once
#include "store/records.h"
#include <QString>
#include <QStringList>

// The chart catalogue of the saved-test view: the list texts of the two
// chart modes and the quantities the charts plot.
namespace review {

enum class ChartMode { TwoD = 1, ThreeD = 2 };
// "All" charts every sample, "No Ramp" only the ordinary ones (type 0).
enum class DataFilter { All, NoRamp };

enum ChartType2D {
    ViscTempTime = 0,        // viscosity, sample temperature and pH against time
    StressRate = 1,
    ViscTemp = 2,
    ViscRate = 3,
    StressTime = 4,
    ViscTime = 5,
};
enum ChartType3D {
    ViscRateTime = 0,
    ViscRateTemp = 1,
    ViscTempTime3D = 2,
};

int chartTypeCount(ChartMode mode);
QStringList chartTypeTexts(ChartMode mode);
bool isValidChartType(ChartMode mode, int type);
// A second test can be drawn over the 2D types other than the first.
bool isOverlappable(ChartMode mode, int type);

// Viscosity (cP) as the opening draws it (type 0 of both modes) and as the
// other chart types draw it: the two differ only in the guard offset that
// keeps a zero shear rate from dividing by zero.
double openingViscosity(const TestResultRow &sample);
double chartViscosity(const TestResultRow &sample);
bool isRampSample(const TestResultRow &sample);

// Shear stress shown on the stress axes: lb/100 ft² under EI, dyn/cm²
// otherwise. Label and values always go together.
double displayedStress(double dynPerCm2, int unitSystem);
QString stressAxisLabel(int unitSystem);
// Sample temperature of the viscosity-temperature chart: °C under SI.
double displayedTemperature(double fahrenheit, int unitSystem);
QString temperatureAxisLabel(int unitSystem);

} // namespace review
