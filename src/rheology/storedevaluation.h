#pragma once
#include "rampanalysis.h"
#include <QString>

class clsConnection;

// Reading a stored test for the evaluation: the thin store wrapper around
// EvaluateRamps. Database failures propagate as StoreError.
namespace rheology {

struct StoredTestEvaluation
{
    bool found = false;              // false: no test of that name is stored
    TestInfoRow info;
    RampEvaluation evaluation;
};

// Looks the test up by TEST_NAME, reads its samples and evaluates them.
StoredTestEvaluation EvaluateStoredTest(clsConnection *connection, const QString &testName);
// The same by TEST_ID; an unknown id gives an empty evaluation.
RampEvaluation EvaluateRamps(clsConnection *connection, qint64 testId);

} // namespace rheology
