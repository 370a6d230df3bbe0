#include "storedevaluation.h"
#include "store/clsTEST_INFO.h"
#include "store/clsTEST_RESULT.h"

namespace rheology {

namespace {
constexpr int kTestNameLength = 40;   // longer names cannot be stored
}

StoredTestEvaluation EvaluateStoredTest(clsConnection *connection, const QString &testName)
{
    StoredTestEvaluation stored;
    if (testName.isEmpty() || testName.size() > kTestNameLength)
        return stored;
    clsTEST_INFO tests;
    tests.ConnectX(connection);
    tests.TEST_NAME = testName;
    tests.GetTestDetail();
    if (tests.IsEmpty())
        return stored;
    stored.found = true;
    stored.info = tests.row();
    stored.evaluation = EvaluateRamps(stored.info, clsTEST_RESULT::readSamples(connection, double(stored.info.testId)));
    return stored;
}

RampEvaluation EvaluateRamps(clsConnection *connection, qint64 testId)
{
    clsTEST_INFO tests;
    tests.ConnectX(connection);
    tests.GetTestDetailById(testId);
    if (tests.IsEmpty())
        return {};
    return EvaluateRamps(tests.row(), clsTEST_RESULT::readSamples(connection, double(testId)));
}

} // namespace rheology
