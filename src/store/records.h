#pragma once
#include <QDateTime>
#include <QString>

// One TEST_RESULT row (a stored sample), fields in column order. Eleven
// doubles, no padding: large tests are held as plain vectors of these.
struct TestResultRow
{
    double testResultId = 0;
    double testId = 0;
    double rampNo = 0;
    double rampStepNo = 0;
    double resultTime = 0;     // seconds from the start of the test
    double sampleTemp = 0;     // °F
    double press = 0;          // always 0
    double shearRate = 0;      // 1/s
    double shearStress = 0;    // dyn/cm²
    double typeId = 0;         // 0 normal step, 1 shear ramp
    double pH = 0;             // stored in RESULT_BATH_TEMP

    static constexpr int columnCount = 11;
    double operator[](int column) const { return (&testResultId)[column]; }
    double &operator[](int column) { return (&testResultId)[column]; }
};
static_assert(sizeof(TestResultRow) == 11 * sizeof(double));

// One TEST_INFO row, fields in column order.
struct TestInfoRow
{
    qint64 testId = 0;
    QString testName;
    QString fluidId;
    QDateTime testTime;
    QString researcherName = QStringLiteral("UNKOWN");
    QString rotorNo = QStringLiteral("R1");
    QString bobNo = QStringLiteral("B5");
    double bobRadius = 1.5987;      // cm
    double bobEffLength = 7.62;     // cm
    double pretestPH = 7;
    double posttestPH = 7;
    QString safety;
};

// One TEST_ADDITIVE row.
struct TestAdditiveRow
{
    qint64 testAddId = 0;
    qint64 testId = 0;
    QString additiveName;
    double concentration = 0;
    QString unit;
    QString lotNo;
};
