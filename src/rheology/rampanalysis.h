#pragma once
#include "store/records.h"
#include <QVector>
#include <vector>

// Power-law evaluation of the shear ramps of one test.
namespace rheology {

constexpr double kRotorRadius = 1.8415;    // cm, every test

struct RampResult
{
    int rampNo = 0;             // k, 1..lastRamp
    double closingTime = 0;     // s, RESULT_TIME of the closing sample
    double temperature = 0;     // °F of the closing sample
    double nPrime = 0;
    double kPrime = 0;          // dyn·s^n/cm²
    double rSquared = 0;
    double kv = 0;              // dyn·s^n/cm²
    double kSlot = 0;           // dyn·s^n/cm²
    double visc40 = 0;          // cP
    double visc100 = 0;
    double visc170 = 0;
    double pH = 0;              // of the closing sample
    bool accepted = false;
};

struct RampEvaluation
{
    QVector<RampResult> results;   // ramps with at least 3 points, in ramp order
    int lastRamp = 0;              // RAMP_NO of the test's last sample
};

struct Geometry
{
    double B = 0;                  // rotor radius / bob radius
    double shearRatePerRpm = 0;    // Newtonian shear rate at the bob, 1/s per rpm
};

double Log10(double x);
// x and y indexed 0..count-1. Returns |r|. Fills slope and intercept; returns
// false (with slope, intercept and r set to 0) when the fit is degenerate.
struct FitResult { double slope = 0; double intercept = 0; double r = 0; bool ok = false; };
FitResult LinearFit(int count, const double *x, const double *y);
Geometry RampGeometry(double bobRadius);

// Pure: samples in ascending RESULT_TIME.
RampEvaluation EvaluateRamps(const TestInfoRow &info, const std::vector<TestResultRow> &samples);

} // namespace rheology
