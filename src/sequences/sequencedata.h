#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

// Columns of the steps grid, in the order of the SEQUENCE_RAMP columns they
// are stored in (RAMP_NO, RAMP_ELAPSE_TIME, RAMP_TEMP, RAMP_START_ERROR,
// SHEAR_RATE, RUN_RAMP, RECORD_RATE).
enum StepColumn {
    StepNoColumn,
    ElapseTimeColumn,
    TempColumn,
    TempErrorColumn,
    ShearRateColumn,
    RunRampColumn,
    RecordRateColumn,
    StepColumnCount
};

// One timed step as shown in the editor: texts as typed, turned into numbers
// only when stored. The step number is the step's position.
struct SequenceStep
{
    QString elapseTime;
    QString temp;
    QString tempError;
    QString shearRate;
    QString runRamp;
    QString recordRate;

    // Columns ElapseTimeColumn..RecordRateColumn.
    QString cell(int column) const;
    void setCell(int column, const QString &text);

    bool operator==(const SequenceStep &) const = default;
};

// The header fields of a sequence, as shown in the editor.
struct SequenceHeader
{
    QString timeBeforeRead = QStringLiteral("20");
    QString sampleInterval = QStringLiteral("60");
    QString sampleRate = QStringLiteral("2");
    QString samplePointsAverage = QStringLiteral("5");
    QString shutDownATime = QStringLiteral("20");
    QString shutDownVisc = QStringLiteral("0");

    bool operator==(const SequenceHeader &) const = default;
};

// A whole test sequence as the editor holds it.
struct SequenceData
{
    double id = 0;                 // SEQUENCE_ID; 0 = not stored
    QString name;
    SequenceHeader header;
    QVector<SequenceStep> steps;
    QStringList rampCells;         // shear-ramp grid, ramp step i in cell i-1
};

// How stored numbers are shown in the editor: full precision, no padding.
QString numberText(double value);
