#include "rampanalysis.h"
#include <algorithm>
#include <cmath>

namespace rheology {

namespace {
constexpr double kRotorRadiusSquared = 3.39112225;
constexpr double kFourPiRotorRadiusSquared = 42.61406299750999;
constexpr int kRampLimit = 1000000000;   // keeps ramp arithmetic clear of int overflow
}

double Log10(double x)
{
    return std::log(x) / std::log(10.0);
}

void FitSums::add(double x, double y)
{
    ++count;
    sx += x;
    sy += y;
    sxy += x * y;
    sxx += x * x;
    syy += y * y;
}

FitResult LinearFit(const FitSums &s)
{
    FitResult fit;
    if (s.count <= 0)
        return fit;
    const double n = s.count;
    const double mx = s.sx / n;
    const double my = s.sy / n;
    // Degenerate: no slope can be fitted. The caller treats the ramp as
    // rejected; nothing of an earlier fit is carried over.
    if (std::fabs(s.sy) < 1e-8 || std::fabs(s.sxx - n * mx * mx) < 1e-9)
        return fit;
    const double slope = (s.sxy - n * mx * my) / (s.sxx - n * mx * mx);
    const double intercept = my - mx * slope;
    const double yVariance = s.syy - s.sy * s.sy / n;
    if (std::fabs(yVariance) > 1e-10) {
        fit.slope = slope;
        fit.intercept = intercept;
        fit.r = std::sqrt(std::fabs(slope * slope * (s.sxx - s.sx * s.sx / n) / yVariance));
        fit.ok = true;
    }
    // All stresses equal: slope, intercept and r stay 0.
    return fit;
}

FitResult LinearFit(int count, const double *x, const double *y)
{
    FitSums sums;
    for (int i = 0; i < count; ++i)
        sums.add(x[i], y[i]);
    return LinearFit(sums);
}

Geometry RampGeometry(double bobRadius)
{
    Geometry g;
    g.B = kRotorRadius / bobRadius;
    g.shearRatePerRpm = kFourPiRotorRadiusSquared / (kRotorRadiusSquared - bobRadius * bobRadius) / 60;
    return g;
}

int rampIndexOf(double rampNo)
{
    if (std::isnan(rampNo))
        return 0;
    return int(std::clamp(std::ceil(rampNo), double(-kRampLimit), double(kRampLimit)));
}

int lastRampOf(double rampNo)
{
    if (std::isnan(rampNo))
        return 0;
    return int(std::clamp(std::floor(rampNo), double(-kRampLimit), double(kRampLimit)));
}

bool isFitPoint(const TestResultRow &s)
{
    return s.typeId == 1 && s.shearRate > 0 && s.shearStress > 0;
}

void addFitPoint(FitSums &sums, const TestResultRow &s)
{
    if (isFitPoint(s))
        sums.add(Log10(s.shearRate), Log10(s.shearStress));
}

bool AcceptFit(double slope, double intercept)
{
    return slope > 0.002 && slope < 5 && intercept < 32;
}

RampResult EvaluateRamp(int rampNo, const FitSums &sums, const TestResultRow &closing,
                        const Geometry &geometry)
{
    RampResult r;
    r.rampNo = rampNo;
    r.closingTime = closing.resultTime;
    r.temperature = closing.sampleTemp;
    r.pH = closing.pH;

    const FitResult fit = LinearFit(sums);
    r.nPrime = fit.slope;
    r.rSquared = fit.r * fit.r;
    r.accepted = fit.ok && AcceptFit(fit.slope, fit.intercept);
    if (!r.accepted)
        return r;

    const double n = fit.slope;
    const double B = geometry.B;
    const double b2n = std::pow(B, 2 / n);
    // Power-law over Newtonian shear rate at the bob.
    const double ratio = (B * B - 1) * b2n / (B * B * n * (b2n - 1));
    r.kPrime = std::pow(10.0, fit.intercept);
    r.kv = r.kPrime * std::pow(ratio, -n);
    r.kSlot = r.kv * std::pow((2 * n + 1) / (3 * n), n);
    r.visc40 = 100 * r.kSlot * std::pow(40.0, n - 1);
    r.visc100 = 100 * r.kSlot * std::pow(100.0, n - 1);
    r.visc170 = 100 * r.kSlot * std::pow(170.0, n - 1);
    return r;
}

RampEvaluation EvaluateRamps(const TestInfoRow &info, const std::vector<TestResultRow> &samples)
{
    RampEvaluation evaluation;
    if (samples.empty())
        return evaluation;
    evaluation.lastRamp = lastRampOf(samples.back().rampNo);
    const Geometry geometry = RampGeometry(info.bobRadius);

    // One pass: ramp k takes every unread sample whose RAMP_NO is at most k.
    // Ramps that would take nothing are skipped in one jump.
    const size_t count = samples.size();
    size_t i = 0;
    int k = 1;
    while (i < count) {
        k = std::max(k, rampIndexOf(samples[i].rampNo));
        if (k > evaluation.lastRamp)
            break;
        FitSums sums;
        while (i < count && rampIndexOf(samples[i].rampNo) <= k) {
            addFitPoint(sums, samples[i]);
            ++i;
        }
        const TestResultRow &closing = i < count ? samples[i] : samples.back();
        if (sums.count >= 3)
            evaluation.results.append(EvaluateRamp(k, sums, closing, geometry));
        ++k;
    }
    return evaluation;
}

} // namespace rheology
