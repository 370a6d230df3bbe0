#pragma once
// Stored tests for the review tests: a few steps of ordinary samples, each
// followed by a shear ramp of power-law samples.
#include "store/clsConnection.h"
#include "store/clsTEST_ADDITIVE.h"
#include "store/clsTEST_INFO.h"
#include "store/clsTEST_RESULT.h"
#include <QSqlQuery>
#include <QVector>
#include <cmath>
#include <vector>

namespace reviewfixture {

struct RunShape
{
    int steps = 3;
    int ordinaryPerStep = 5;
    int rampPoints = 6;             // 0: no ramps
    double baseStress = 40;         // dyn/cm² of the ordinary samples
    double timeStep = 30;           // s between samples
};

// Samples in time order. Step k carries RAMP_NO k; its ramp runs the shear
// rates 300, 250, ... with stress = K · rate^n (K = 4.788 dyn·s^n/cm², n = 0.6).
inline std::vector<TestResultRow> makeRun(const RunShape &shape = {})
{
    std::vector<TestResultRow> rows;
    double t = 0;
    for (int step = 1; step <= shape.steps; ++step) {
        for (int i = 0; i < shape.ordinaryPerStep; ++i) {
            TestResultRow r;
            r.rampNo = step;
            r.resultTime = t += shape.timeStep;
            r.sampleTemp = 60 + 20 * step + i;
            r.shearRate = 100;
            r.shearStress = shape.baseStress + step + 0.5 * i;
            r.pH = 7 + 0.1 * i;
            rows.push_back(r);
        }
        for (int j = 0; j < shape.rampPoints; ++j) {
            TestResultRow r;
            r.rampNo = step;
            r.rampStepNo = j + 1;
            r.typeId = 1;
            r.resultTime = t += shape.timeStep;
            r.sampleTemp = 60 + 20 * step;
            r.shearRate = 300 - 50 * j;
            r.shearStress = 4.788 * std::pow(r.shearRate, 0.6);
            r.pH = 6.5;
            rows.push_back(r);
        }
    }
    return rows;
}

inline qint64 storeTest(clsConnection *connection, const QString &name, const std::vector<TestResultRow> &samples,
                        const QVector<TestAdditiveRow> &additives = {}, double bobRadius = 1.7245)
{
    clsTEST_INFO info;
    info.ConnectX(connection);
    info.SetDefaults();
    info.TEST_NAME = name;
    info.Fluid_ID = QStringLiteral("Fluid of ") + name;
    info.BOB_RADIUS = bobRadius;
    info.AddNew();
    const qint64 id = qint64(info.Test_Id);

    const int key = connection->BeginTrans();
    clsTEST_RESULT results;
    results.Test_Id = double(id);
    results.ConnectX(connection);
    for (TestResultRow r : samples) {
        r.testId = double(id);
        results.setRow(r);
        results.AddNew();
    }
    clsTEST_ADDITIVE add;
    add.TESTId = double(id);
    add.ConnectX(connection);
    for (const TestAdditiveRow &a : additives) {
        add.TESTId = double(id);
        add.ADDITIVE_NM = a.additiveName;
        add.ADD_CONCEN = a.concentration;
        add.ADD_UNIT = a.unit;
        add.ADD_LOTNO = a.lotNo;
        add.AddNew();
    }
    connection->CommitTrans(key);
    return id;
}

inline TestAdditiveRow additive(const QString &name, double concentration, const QString &unit, const QString &lot)
{
    TestAdditiveRow a;
    a.additiveName = name;
    a.concentration = concentration;
    a.unit = unit;
    a.lotNo = lot;
    return a;
}

inline int countRamp(const std::vector<TestResultRow> &rows)
{
    int n = 0;
    for (const TestResultRow &r : rows)
        n += r.typeId != 0;
    return n;
}

} // namespace reviewfixture
