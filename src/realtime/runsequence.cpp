#include "runsequence.h"
#include "store/clsSEQUENCE_INFO.h"
#include "store/clsSEQUENCE_RAMP.h"
#include "store/clsSEQUENCE_RAMP_DEFINE.h"
#include <cmath>

qint64 RunSequence::plannedSeconds() const
{
    double total = 0;
    for (const RunStep &s : steps)
        total = std::nearbyint(total + s.elapseMinutes * 60);
    return qint64(total);
}

int RunSequence::recordPeriod(int stepIndex) const
{
    const RunStep &s = steps.at(stepIndex);
    const double p = s.recordRate == 0 ? sampleInterval : s.recordRate;
    return int(std::nearbyint(p));
}

QString RunSequence::problem() const
{
    if (steps.isEmpty())
        return QStringLiteral("The test sequence \"%1\" has no steps. Add steps in Setup before starting a test.").arg(name);
    if (rampSampleRate <= 0)
        return QStringLiteral("The test sequence \"%1\" has a data sampling rate of 0 seconds. "
                              "Set a sampling rate in Setup before starting a test.").arg(name);
    if (!(samplePointsAverage >= 1) || std::floor(samplePointsAverage) != samplePointsAverage)
        return QStringLiteral("The test sequence \"%1\" averages %2 samples per data point. "
                              "Set at least 1 in Setup before starting a test.").arg(name).arg(samplePointsAverage);
    bool anyRamp = false;
    for (int i = 0; i < steps.size(); ++i) {
        if (recordPeriod(i) <= 0)
            return QStringLiteral("Step %1 of the test sequence \"%2\" records data every %3 seconds, which rounds "
                                  "to 0. Set a data recording rate of at least 1 second in Setup before starting "
                                  "a test.").arg(i + 1).arg(name).arg(steps.at(i).recordRate == 0 ? sampleInterval : steps.at(i).recordRate);
        anyRamp = anyRamp || steps.at(i).runRamp == 1;
    }
    if (anyRamp && rampRates.isEmpty())
        return QStringLiteral("The test sequence \"%1\" runs a shear ramp but defines no ramp shear rates. "
                              "Define the ramp in Setup before starting a test.").arg(name);
    return {};
}

RunSequenceLoad loadRunSequence(clsConnection *connection, const QString &name)
{
    RunSequenceLoad out;
    clsSEQUENCE_INFO info;
    info.ConnectX(connection);
    info.SEQUENCE_NAME = name;
    info.GetSeqDetail();
    if (info.isEOF())
        return out;
    out.found = true;
    RunSequence &s = out.sequence;
    s.id = qint64(info.SEQUENCE_ID);
    s.name = info.SEQUENCE_NAME;
    s.timeBeforeRead = info.TIME_BEFORE_READ;
    s.rampSampleRate = int(std::nearbyint(info.RAMP_SAMPLE_RATE));
    s.samplePointsAverage = info.SAMPLE_POINTS_AVERAGE;
    s.shutDownMinutes = info.SHUT_DOWN_ATIME;
    s.shutDownViscosity = info.SHUT_DOWN_VISC;
    s.sampleInterval = info.SAMPLE_INTERVAL();
    if (s.rampSampleRate * s.samplePointsAverage > s.sampleInterval)
        s.sampleInterval = s.rampSampleRate * s.samplePointsAverage;

    clsSEQUENCE_RAMP steps;
    steps.SequenceId = info.SEQUENCE_ID;
    steps.ConnectX(connection);
    for (steps.GetSeqDetail(); !steps.isEOF(); steps.MoveNext())
        s.steps.append({steps.RAMP_ELAPSE_TIME, steps.RAMP_TEMP, steps.RAMP_START_ERROR, steps.SHEAR_RATE,
                        steps.RUN_RAMP, steps.RECORD_RATE});

    clsSEQUENCE_RAMP_DEFINE ramp;
    ramp.SequenceId = info.SEQUENCE_ID;
    ramp.ConnectX(connection);
    for (ramp.GetSeqDetail(); !ramp.isEOF(); ramp.MoveNext())
        s.rampRates.append(ramp.RAMP_SHEAR_RATE);
    return out;
}
