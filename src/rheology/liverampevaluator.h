#pragma once
#include "rampanalysis.h"
#include <deque>
#include <vector>

namespace rheology {

// What one appended sample changed in a unit's ramp results: enough for the
// results table to update only the rows concerned.
struct RampUpdate
{
    int lastRamp = 0;              // as RampEvaluation::lastRamp
    bool anyResult = false;        // the evaluation has at least one result
    QVector<RampResult> changed;   // results that may differ from before, in ramp order
};

// The ramp evaluation of a running test, kept up to date sample by sample.
// It holds the unit's samples and per-ramp sums in memory; append() touches
// only the ramp the new sample belongs to (and the one it closes), so the
// cost of a refresh does not grow with the test. evaluation() equals
// EvaluateRamps over info() and the same samples exactly, bit for bit.
class LiveRampEvaluator
{
public:
    explicit LiveRampEvaluator(const TestInfoRow &info = {});

    // A new test: forgets every sample.
    void reset(const TestInfoRow &info);
    // The test information was edited (the bob radius may differ): every
    // result is recomputed from the kept sums.
    void setInfo(const TestInfoRow &info);
    const TestInfoRow &info() const { return m_info; }
    const Geometry &geometry() const { return m_geometry; }

    // Adds the next stored sample (samples come in ascending RESULT_TIME).
    RampUpdate append(const TestResultRow &sample);

    // Kept in a deque: a long run never pays for moving all its samples.
    const std::deque<TestResultRow> &samples() const { return m_samples; }
    int lastRamp() const { return m_lastRamp; }
    bool hasResults() const;
    // The full evaluation; costs one copy per ramp, not per sample.
    RampEvaluation evaluation() const;

private:
    struct Segment
    {
        int rampNo = 0;
        FitSums sums;
        size_t closingIndex = 0;   // the sample that closes the ramp
        bool closed = false;       // false: the test's last sample closes it
        RampResult result;         // valid when sums.count >= 3
    };
    const TestResultRow &closingOf(const Segment &segment) const;
    void refresh(Segment &segment);
    static bool hasResult(const Segment &segment) { return segment.sums.count >= 3; }

    TestInfoRow m_info;
    Geometry m_geometry;
    std::deque<TestResultRow> m_samples;
    std::vector<Segment> m_segments;   // ascending rampNo
    int m_lastRamp = 0;
    int m_firstResultRamp = 0;         // 0: no ramp has a result yet
};

} // namespace rheology
