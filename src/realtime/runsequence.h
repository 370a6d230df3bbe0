#pragma once
#include <QString>
#include <QVector>

class clsConnection;

// A stored test sequence as the run engine executes it: the header values
// and the step and ramp arrays (index 0 here is step 1).
struct RunStep
{
    double elapseMinutes = 0;    // RAMP_ELAPSE_TIME
    double setPointF = 0;        // RAMP_TEMP
    double tolerance = 0;        // RAMP_START_ERROR
    double shearRate = 0;        // SHEAR_RATE
    double runRamp = 0;          // RUN_RAMP: 1 = shear ramp when the step ends
    double recordRate = 0;       // RECORD_RATE, s; 0 = SAMPLE_INTERVAL
};

struct RunSequence
{
    qint64 id = 0;
    QString name;
    double timeBeforeRead = 20;  // ticks
    int rampSampleRate = 2;      // ticks between readings
    double samplePointsAverage = 5;
    double shutDownMinutes = 20;
    double shutDownViscosity = 0;
    double sampleInterval = 60;  // s, raised to rampSampleRate × samplePointsAverage
    QVector<RunStep> steps;
    QVector<double> rampRates;   // RAMP_SHEAR_RATE per ramp step

    // Planned duration in seconds (the steps' times, rounded as they add up).
    qint64 plannedSeconds() const;
    // Record period of a step, whole seconds (halves to even).
    int recordPeriod(int stepIndex) const;
    // Empty when the engine can run it; otherwise why not, for the user.
    QString problem() const;
};

struct RunSequenceLoad
{
    bool found = false;
    RunSequence sequence;
};

// Reads the sequence of that name through the sequence gateways (StoreError
// on database failures).
RunSequenceLoad loadRunSequence(clsConnection *connection, const QString &name);
