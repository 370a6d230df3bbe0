#pragma once
#include "sequencedata.h"
#include <QString>
#include <QVector>

// The checks and conversions a sequence goes through before it is stored.
namespace SequenceRules {

inline constexpr int MaxSteps = 98;
inline constexpr int MaxRampSteps = 40;
inline constexpr double MaxSaveTemperature = 200;   // °F
inline constexpr int MaxNameLength = 40;

QString invalidTemperatureMessage();    // "Invalid input for temperature.  Can not save."
QString rampNeededMessage();            // "Need at least one input for ramp sequence define."
QString intervalTooSmallMessage();      // ends with a blank

// The first save check that fails, in order (step temperatures, first ramp
// cell, sampling interval), or an empty text when the sequence may be saved.
QString saveProblem(const SequenceData &sequence);

// A cell counts as empty when it holds nothing but blanks.
bool isEmptyCell(const QString &text);

// One SEQUENCE_RAMP row to store.
struct StepRow {
    double rampNo = 0;
    double elapseTime = 0;
    double temp = 0;
    double tempError = 0;
    double shearRate = 0;
    double runRamp = 0;
    double recordRate = 0;
};
// Every step, numbered by position, each cell by its leading number.
QVector<StepRow> stepRowsToStore(const QVector<SequenceStep> &steps);

// One SEQUENCE_RAMP_DEFINE row to store.
struct RampRow {
    int stepNo = 0;
    double shearRate = 0;
};
// The staircase: cells from the first up to the first empty one, at most
// 40. With the first cell empty, one step of 100 1/s.
QVector<RampRow> rampRowsToStore(const QStringList &cells);

// Whether one more step may be inserted into a sequence of stepCount steps.
inline bool canInsertStep(int stepCount) { return stepCount < MaxSteps; }
QString tooManyStepsTitle();            // "Too Many Test Steps."
QString tooManyStepsMessage();          // "Operation not allowed.  Maximum step is 98."

// Sequence names for New and Copy As: blanks around the name are dropped.
QString cleanName(const QString &typed);
// Why a (cleaned, non-empty) name cannot be used, or an empty text.
QString nameProblem(const QString &name, bool alreadyStored);

} // namespace SequenceRules
