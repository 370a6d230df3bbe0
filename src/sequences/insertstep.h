#pragma once
#include "sequencedata.h"
#include <QString>
#include <QVector>

// Values typed into the insert-step dialog.
struct InsertStepInput
{
    QString stepNo;
    QString stepTime;      // minutes
    QString temp;          // in the display unit: °C under SI, °F otherwise
    QString tempError;     // °F
    QString shearRate;
    bool after = false;    // "after" chosen rather than "before"
};

namespace InsertStep {

enum class Field { None, StepTime, Temp, ShearRate };

struct Problem {
    Field field = Field::None;
    QString title;
    QString message;
    bool ok() const { return field == Field::None; }
};

// The highest temperature the dialog takes in the given unit system
// (450 °F, or 232.3 °C under SI).
double temperatureLimit(int unitSystem);
// "Temp (°F)", or "Temp (°C)" under SI.
QString temperatureCaption(int unitSystem);

// The OK checks in order: step time, temperature, shear rate.
Problem check(const InsertStepInput &input, int unitSystem);
// The check made when the shear-rate field is left (a wider range).
Problem checkShearRateOnLeave(const QString &shearRate);

// The row (0-based) the new step takes in a grid of stepCount steps.
int insertRow(const InsertStepInput &input, int stepCount);
// The recording rate a step inserted at row takes: that of the step it
// displaces, else of the last step, else the store's default of 20 s.
QString neighbourRecordRate(const QVector<SequenceStep> &steps, int row);
// The new step's cells: temperature stored in °F, ramp flag "1". A new
// step takes the recording rate of the step it displaces (or of the one
// before it when appended).
SequenceStep makeStep(const InsertStepInput &input, int unitSystem,
                      const QString &neighbourRecordRate);

} // namespace InsertStep
