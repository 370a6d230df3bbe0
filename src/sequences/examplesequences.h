#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

class clsConnection;

// A whole test sequence in stored units: header values, timed steps and the
// shear-ramp staircase.
struct SequenceDefinition
{
    QString name;
    double timeBeforeRead = 20;
    double rampSampleRate = 2;
    double samplePointsAverage = 5;
    double shutDownMinutes = 20;
    double shutDownViscosity = 0;
    double sampleInterval = 60;
    struct Step { double minutes, setPoint, tolerance, shearRate, runRamp, recordRate; };
    QVector<Step> steps;
    QVector<double> rampRates;
};

// Stores the sequence with its steps and ramp rows in one transaction
// (StoreError on failure, e.g. Duplicate for a stored name).
void storeSequenceDefinition(clsConnection *connection, const SequenceDefinition &sequence);

// A few ready-made test sequences for a new station database; the short
// "Quick demo" also serves the end-to-end checks. Sequences already stored
// under these names are left alone. Returns the names added.
QStringList seedExampleSequences(clsConnection *connection);
