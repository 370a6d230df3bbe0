#include "insertstep.h"
#include "leadingnumber.h"
#include "unitsystem.h"
#include <algorithm>
#include <cmath>

namespace InsertStep {

double temperatureLimit(int unitSystem)
{
    return unitSystem == UnitSystem::SI ? 232.3 : 450;
}

QString temperatureCaption(int unitSystem)
{
    return unitSystem == UnitSystem::SI ? QStringLiteral("Temp (°C)")
                                        : QStringLiteral("Temp (°F)");
}

Problem check(const InsertStepInput &input, int unitSystem)
{
    const double time = leadingNumber(input.stepTime);
    if (time < 0 || time > 60000)
        return {Field::StepTime, QStringLiteral("Time input out range"),
                QStringLiteral("Invalid time inpute.")};
    const double temp = leadingNumber(input.temp);
    if (temp < 0 || temp > temperatureLimit(unitSystem))
        return {Field::Temp, QStringLiteral("Temperature input out range"),
                QStringLiteral("Invalid temperature inpute.")};
    const double shear = leadingNumber(input.shearRate);
    if (shear < -0.01 || shear > 9000)
        return {Field::ShearRate, QStringLiteral("Shear rate input out range"),
                QStringLiteral("Invalid shear rate inpute.")};
    return {};
}

Problem checkShearRateOnLeave(const QString &shearRate)
{
    const double shear = leadingNumber(shearRate);
    if (shear < -0.01 || shear > 90000)
        return {Field::ShearRate,
                QStringLiteral("Shear rate input out of range. Please try again."),
                QStringLiteral("Invalid shear rate inpute.")};
    return {};
}

int insertRow(const InsertStepInput &input, int stepCount)
{
    const double stepNo = leadingNumber(input.stepNo);
    // Step n sits in row n-1; a step number off the grid clamps to its ends.
    const int row = int(std::clamp(std::floor(stepNo), 1.0, double(std::max(stepCount, 1)))) - 1;
    const int target = input.after ? row + 1 : row;
    return std::clamp(target, 0, stepCount);
}

QString neighbourRecordRate(const QVector<SequenceStep> &steps, int row)
{
    if (row >= 0 && row < steps.size())
        return steps.at(row).recordRate;
    if (!steps.isEmpty())
        return steps.last().recordRate;
    return QStringLiteral("20");
}

SequenceStep makeStep(const InsertStepInput &input, int unitSystem,
                      const QString &neighbourRecordRate)
{
    SequenceStep step;
    step.elapseTime = numberText(leadingNumber(input.stepTime));
    double temp = leadingNumber(input.temp);
    // Set-points are stored in °F whatever the display unit.
    if (unitSystem == UnitSystem::SI)
        temp = temp * 1.8 + 32;
    step.temp = numberText(std::round(temp * 1e6) / 1e6);
    step.tempError = numberText(leadingNumber(input.tempError));
    step.shearRate = numberText(leadingNumber(input.shearRate));
    step.runRamp = QStringLiteral("1");
    step.recordRate = neighbourRecordRate;
    return step;
}

} // namespace InsertStep
