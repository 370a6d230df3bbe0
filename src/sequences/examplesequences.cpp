#include "examplesequences.h"
#include "store/clsConnection.h"
#include "store/clsSEQUENCE_INFO.h"
#include "store/clsSEQUENCE_RAMP.h"
#include "store/clsSEQUENCE_RAMP_DEFINE.h"

namespace {

const QVector<SequenceDefinition> &examples()
{
    static const QVector<SequenceDefinition> list = {
        {QStringLiteral("Quick demo"), 5, 2, 2, 20, 0, 10, {{0.5, 80, 10, 100, 1, 10}}, {100, 170, 40}},
        {QStringLiteral("Linear gel 2 h at 150F"), 20, 2, 5, 20, 0, 60,
         {{30, 150, 3, 511, 1, 60}, {30, 150, 3, 100, 1, 60}, {30, 150, 3, 100, 1, 60}, {30, 150, 3, 100, 1, 60}},
         {511, 340, 170, 100, 40}},
        {QStringLiteral("Borate crosslink 250F shut-down"), 20, 5, 3, 10, 50, 60,
         {{20, 250, 5, 100, 1, 60}, {60, 250, 5, 100, 1, 60}, {60, 250, 5, 100, 1, 60}},
         {170, 100, 70, 40}},
    };
    return list;
}

} // namespace

void storeSequenceDefinition(clsConnection *connection, const SequenceDefinition &e)
{
    connection->inTransaction([&] {
        clsSEQUENCE_INFO info;
        info.ConnectX(connection);
        info.SEQUENCE_NAME = e.name;
        info.TIME_BEFORE_READ = e.timeBeforeRead;
        info.RAMP_SAMPLE_RATE = e.rampSampleRate;
        info.SAMPLE_POINTS_AVERAGE = e.samplePointsAverage;
        info.SHUT_DOWN_ATIME = e.shutDownMinutes;
        info.SHUT_DOWN_VISC = e.shutDownViscosity;
        info.setSAMPLE_INTERVAL(e.sampleInterval);
        info.AddNew();
        clsSEQUENCE_RAMP steps;
        steps.ConnectX(connection);
        int no = 0;
        for (const auto &s : e.steps) {
            steps.SequenceId = info.SEQUENCE_ID;
            steps.RAMPNO = ++no;
            steps.RAMP_ELAPSE_TIME = s.minutes;
            steps.RAMP_TEMP = s.setPoint;
            steps.RAMP_START_ERROR = s.tolerance;
            steps.SHEAR_RATE = s.shearRate;
            steps.RUN_RAMP = s.runRamp;
            steps.RECORD_RATE = s.recordRate;
            steps.AddNew();
        }
        clsSEQUENCE_RAMP_DEFINE ramp;
        ramp.ConnectX(connection);
        no = 0;
        for (double rate : e.rampRates) {
            ramp.SequenceId = info.SEQUENCE_ID;
            ramp.RAMP_STEP_NO = ++no;
            ramp.RAMP_SHEAR_RATE = rate;
            ramp.AddNew();
        }
    });
}

QStringList seedExampleSequences(clsConnection *connection)
{
    QStringList added;
    clsSEQUENCE_INFO info;
    info.ConnectX(connection);
    for (const SequenceDefinition &e : examples()) {
        if (info.Exists(e.name))
            continue;
        storeSequenceDefinition(connection, e);
        added << e.name;
    }
    return added;
}
