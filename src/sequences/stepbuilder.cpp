#include "stepbuilder.h"
#include "leadingnumber.h"
#include "sequencerules.h"
#include <cmath>

namespace StepBuilder {

QString rangeTitle() { return QStringLiteral("Input number out of allowable range."); }

QString rangeMessage()
{
    return QStringLiteral("Input number out of range.  Please check the input.");
}

bool accepts(const StepBuilderInput &input)
{
    const double temp = leadingNumber(input.temp);
    const double tempError = leadingNumber(input.tempError);
    if (!(temp > 0 && temp < 201) || !(tempError < 200))
        return false;
    // The builder must not make more steps than a sequence may hold.
    const double total = leadingNumber(input.totalSteps);
    return total >= 1 && total <= SequenceRules::MaxSteps && std::floor(total) == total;
}

std::optional<QVector<SequenceStep>> build(const StepBuilderInput &input)
{
    if (!accepts(input))
        return std::nullopt;
    const int total = int(leadingNumber(input.totalSteps));
    SequenceStep step;
    step.elapseTime = input.stepTime;
    step.temp = input.temp;
    step.tempError = input.tempError;
    step.shearRate = input.shearRate;
    step.runRamp = QStringLiteral("1");
    step.recordRate = input.recordRate;
    return QVector<SequenceStep>(total, step);
}

} // namespace StepBuilder
