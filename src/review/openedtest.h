#pragma once
#include "rheology/rampanalysis.h"
#include "store/records.h"
#include <QString>
#include <QVector>
#include <vector>

class clsConnection;

namespace review {

// Everything the review keeps of the open test: its information row, its
// additives, every sample in stored order (the charts, results and reports
// all work from these) and the evaluation of its ramps.
struct OpenedTest
{
    TestInfoRow info;
    QVector<TestAdditiveRow> additives;
    std::vector<TestResultRow> samples;
    rheology::RampEvaluation evaluation;

    bool isOpen() const { return !info.testName.isEmpty(); }
    QString name() const { return info.testName; }
    qint64 testId() const { return info.testId; }
};

// Reads the test stored under exactly this name (the whole text must match)
// and evaluates its ramps. False, with `test` untouched, when no such test
// is stored. Database failures throw StoreError.
bool loadOpenedTest(clsConnection *connection, const QString &name, OpenedTest &test);

// Information row of a stored test; false when no test has this name.
bool findTest(clsConnection *connection, const QString &name, TestInfoRow &info);

} // namespace review
