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

    friend bool operator==(const RampResult &, const RampResult &) = default;
};

struct RampEvaluation
{
    QVector<RampResult> results;   // ramps with at least 3 points, in ramp order
    int lastRamp = 0;              // RAMP_NO of the test's last sample

    friend bool operator==(const RampEvaluation &, const RampEvaluation &) = default;
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

// Building blocks shared by EvaluateRamps and the live evaluator; both must
// produce bit-identical results, so they sum and fit through the same code.

// Running least-squares sums of the log-log points of one ramp. Adding the
// same points in the same order gives the same sums, at once or one by one.
struct FitSums
{
    int count = 0;
    double sx = 0, sy = 0, sxy = 0, sxx = 0, syy = 0;
    void add(double x, double y);
};
FitResult LinearFit(const FitSums &sums);

// The ramp a sample belongs to at the earliest (RAMP_NO rounded up) and the
// last ramp a test's final sample lets the evaluation reach (rounded down).
// Both are clamped to a sane range; an unreadable RAMP_NO counts as 0.
int rampIndexOf(double rampNo);
int lastRampOf(double rampNo);
// A ramp sample with positive rate and stress: the only kind that is fitted.
bool isFitPoint(const TestResultRow &sample);
// Adds the sample's log rate and log stress when it is a fit point.
void addFitPoint(FitSums &sums, const TestResultRow &sample);
// 0.002 < n' < 5 and intercept < 32.
bool AcceptFit(double slope, double intercept);
// The result of ramp k from its sums (at least 3 points) and closing sample.
RampResult EvaluateRamp(int rampNo, const FitSums &sums, const TestResultRow &closing,
                        const Geometry &geometry);

} // namespace rheology
