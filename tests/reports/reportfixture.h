#pragma once
// Stores a whole test (information, additives, samples) for report tests.
#include "store/clsConnection.h"
#include "store/clsTEST_ADDITIVE.h"
#include "store/clsTEST_INFO.h"
#include "store/clsTEST_RESULT.h"
#include <QVector>
#include <vector>

inline qint64 storeTest(clsConnection *connection, const TestInfoRow &info, const QVector<TestAdditiveRow> &additives,
                        const std::vector<TestResultRow> &samples)
{
    clsTEST_INFO test;
    test.ConnectX(connection);
    test.setRow(info);
    test.AddNew();
    const qint64 id = qint64(test.Test_Id);

    const int key = connection->BeginTrans();
    clsTEST_ADDITIVE additive;
    additive.ConnectX(connection);
    for (const TestAdditiveRow &a : additives) {
        additive.TESTId = double(id);
        additive.ADDITIVE_NM = a.additiveName;
        additive.ADD_CONCEN = a.concentration;
        additive.ADD_UNIT = a.unit;
        additive.ADD_LOTNO = a.lotNo;
        additive.AddNew();
    }
    clsTEST_RESULT result;
    result.ConnectX(connection);
    for (TestResultRow s : samples) {
        s.testId = double(id);
        result.setRow(s);
        result.AddNew();
    }
    connection->CommitTrans(key);
    return id;
}

inline TestResultRow makeSample(double ramp, double step, double seconds, double temp, double rate, double stress,
                                double type, double pH)
{
    TestResultRow s;
    s.rampNo = ramp;
    s.rampStepNo = step;
    s.resultTime = seconds;
    s.sampleTemp = temp;
    s.shearRate = rate;
    s.shearStress = stress;
    s.typeId = type;
    s.pH = pH;
    return s;
}
