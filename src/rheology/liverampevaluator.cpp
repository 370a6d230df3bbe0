#include "liverampevaluator.h"
#include <algorithm>

namespace rheology {

LiveRampEvaluator::LiveRampEvaluator(const TestInfoRow &info)
{
    reset(info);
}

void LiveRampEvaluator::reset(const TestInfoRow &info)
{
    m_info = info;
    m_geometry = RampGeometry(info.bobRadius);
    m_samples.clear();
    m_segments.clear();
    m_lastRamp = 0;
    m_firstResultRamp = 0;
}

void LiveRampEvaluator::setInfo(const TestInfoRow &info)
{
    m_info = info;
    m_geometry = RampGeometry(info.bobRadius);
    for (Segment &segment : m_segments)
        refresh(segment);
}

const TestResultRow &LiveRampEvaluator::closingOf(const Segment &segment) const
{
    return segment.closed ? m_samples[segment.closingIndex] : m_samples.back();
}

void LiveRampEvaluator::refresh(Segment &segment)
{
    if (hasResult(segment))
        segment.result = EvaluateRamp(segment.rampNo, segment.sums, closingOf(segment), m_geometry);
}

bool LiveRampEvaluator::hasResults() const
{
    return m_firstResultRamp != 0 && m_firstResultRamp <= m_lastRamp;
}

RampUpdate LiveRampEvaluator::append(const TestResultRow &sample)
{
    const int previousLastRamp = m_lastRamp;
    m_samples.push_back(sample);
    const size_t index = m_samples.size() - 1;
    const int ramp = rampIndexOf(sample.rampNo);

    // The sample goes to the ramp being collected unless its RAMP_NO is
    // higher; then that ramp is closed by this sample and a new one starts.
    Segment *closedNow = nullptr;
    if (m_segments.empty()) {
        m_segments.push_back({});
        m_segments.back().rampNo = std::max(1, ramp);
    } else if (ramp > m_segments.back().rampNo) {
        Segment &previous = m_segments.back();
        previous.closed = true;
        previous.closingIndex = index;
        m_segments.push_back({});
        m_segments.back().rampNo = ramp;
        closedNow = &m_segments[m_segments.size() - 2];
    }
    Segment &current = m_segments.back();
    addFitPoint(current.sums, sample);
    if (hasResult(current) && m_firstResultRamp == 0)
        m_firstResultRamp = current.rampNo;
    if (closedNow)
        refresh(*closedNow);
    refresh(current);   // the new last sample closes it for now
    m_lastRamp = lastRampOf(sample.rampNo);

    RampUpdate update;
    update.lastRamp = m_lastRamp;
    update.anyResult = hasResults();
    if (!update.anyResult)
        return update;
    // Changed: the ramp closed now, the current ramp, and ramps that a rise
    // of the last ramp brought back into the evaluation (only on odd data).
    const int fromRamp = std::min(previousLastRamp + 1,
                                  closedNow ? closedNow->rampNo : current.rampNo);
    auto it = std::lower_bound(m_segments.begin(), m_segments.end(), fromRamp,
                               [](const Segment &s, int rampNo) { return s.rampNo < rampNo; });
    for (; it != m_segments.end() && it->rampNo <= m_lastRamp; ++it) {
        const bool touched = it->rampNo > previousLastRamp || &*it == closedNow || &*it == &current;
        if (touched && hasResult(*it))
            update.changed.append(it->result);
    }
    return update;
}

RampEvaluation LiveRampEvaluator::evaluation() const
{
    RampEvaluation evaluation;
    evaluation.lastRamp = m_lastRamp;
    for (const Segment &segment : m_segments) {
        if (segment.rampNo > m_lastRamp)
            break;
        if (hasResult(segment))
            evaluation.results.append(segment.result);
    }
    return evaluation;
}

} // namespace rheology
