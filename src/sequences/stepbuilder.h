#pragma once
#include "sequencedata.h"
#include <QString>
#include <QVector>
#include <optional>

// The auto step builder: a run of identical steps that replaces the steps
// grid. Texts go into the grid as typed.
struct StepBuilderInput
{
    QString totalSteps;
    QString stepTime;
    QString temp;          // °F
    QString tempError;     // °F
    QString shearRate;
    QString recordRate;
};

namespace StepBuilder {
QString rangeTitle();      // "Input number out of allowable range."
QString rangeMessage();    // "Input number out of range.  Please check the input."

// Whether the input may be built: 0 < temperature < 201, temperature
// error < 200, and a whole number of 1 to 98 steps.
bool accepts(const StepBuilderInput &input);
// The steps to show, or nothing when the input is refused.
std::optional<QVector<SequenceStep>> build(const StepBuilderInput &input);
}
