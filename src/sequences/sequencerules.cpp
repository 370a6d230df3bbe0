#include "sequencerules.h"
#include "leadingnumber.h"

namespace SequenceRules {

QString invalidTemperatureMessage()
{
    return QStringLiteral("Invalid input for temperature.  Can not save.");
}

QString rampNeededMessage()
{
    return QStringLiteral("Need at least one input for ramp sequence define.");
}

QString intervalTooSmallMessage()
{
    return QStringLiteral("Sampling interval between ramps is too small. "
                          "At least need be (Number of Sample)*(Sample Rate)+1 ");
}

QString tooManyStepsTitle() { return QStringLiteral("Too Many Test Steps."); }

QString tooManyStepsMessage()
{
    return QStringLiteral("Operation not allowed.  Maximum step is 98.");
}

bool isEmptyCell(const QString &text) { return text.trimmed().isEmpty(); }

QString saveProblem(const SequenceData &sequence)
{
    for (const SequenceStep &step : sequence.steps) {
        if (leadingNumber(step.temp) > MaxSaveTemperature)
            return invalidTemperatureMessage();
    }
    // A blank-only first cell would store no ramp at all; treat it as empty.
    if (sequence.rampCells.isEmpty() || isEmptyCell(sequence.rampCells.first()))
        return rampNeededMessage();
    const SequenceHeader &h = sequence.header;
    const double samples = leadingNumber(h.samplePointsAverage);
    const double rate = leadingNumber(h.sampleRate);
    const double interval = leadingNumber(h.sampleInterval);
    if (samples * rate + 1 > interval)
        return intervalTooSmallMessage();
    return {};
}

QVector<StepRow> stepRowsToStore(const QVector<SequenceStep> &steps)
{
    QVector<StepRow> rows;
    rows.reserve(steps.size());
    for (int i = 0; i < steps.size(); ++i) {
        const SequenceStep &s = steps.at(i);
        StepRow row;
        row.rampNo = i + 1;
        row.elapseTime = leadingNumber(s.elapseTime);
        row.temp = leadingNumber(s.temp);
        row.tempError = leadingNumber(s.tempError);
        row.shearRate = leadingNumber(s.shearRate);
        row.runRamp = leadingNumber(s.runRamp);
        row.recordRate = leadingNumber(s.recordRate);
        rows.append(row);
    }
    return rows;
}

QVector<RampRow> rampRowsToStore(const QStringList &cells)
{
    QVector<RampRow> rows;
    if (cells.isEmpty() || isEmptyCell(cells.first())) {
        rows.append({1, 100});
        return rows;
    }
    for (int i = 0; i < cells.size() && i < MaxRampSteps; ++i) {
        if (isEmptyCell(cells.at(i)))
            break;
        rows.append({i + 1, leadingNumber(cells.at(i))});
    }
    return rows;
}

QString cleanName(const QString &typed) { return typed.trimmed(); }

QString nameProblem(const QString &name, bool alreadyStored)
{
    if (name.size() > MaxNameLength)
        return QStringLiteral("The test sequence name \"%1\" is too long. "
                              "Please use at most %2 characters.")
            .arg(name).arg(MaxNameLength);
    if (alreadyStored)
        return QStringLiteral("A test sequence named \"%1\" already exists. "
                              "Please choose a different name.").arg(name);
    return {};
}

} // namespace SequenceRules
