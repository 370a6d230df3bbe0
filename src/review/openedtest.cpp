#include "openedtest.h"
#include "store/clsTEST_ADDITIVE.h"
#include "store/clsTEST_INFO.h"
#include "store/clsTEST_RESULT.h"

namespace review {

namespace {
constexpr int kTestNameLength = 40;   // longer names cannot be stored
}

bool findTest(clsConnection *connection, const QString &name, TestInfoRow &info)
{
    if (name.isEmpty() || name.size() > kTestNameLength)
        return false;
    clsTEST_INFO tests;
    tests.ConnectX(connection);
    tests.TEST_NAME = name;
    tests.GetTestDetail();
    if (tests.IsEmpty())
        return false;
    info = tests.row();
    return true;
}

bool loadOpenedTest(clsConnection *connection, const QString &name, OpenedTest &test)
{
    OpenedTest loaded;
    if (!findTest(connection, name, loaded.info))
        return false;

    clsTEST_ADDITIVE additives;
    additives.TESTId = double(loaded.info.testId);
    additives.ConnectX(connection);
    additives.GetSeqDetail();
    if (!additives.IsEmpty()) {
        for (additives.MoveFirst(); !additives.isEOF(); additives.MoveNext())
            loaded.additives.append(additives.row());
    }

    loaded.samples = clsTEST_RESULT::readSamples(connection, double(loaded.info.testId));
    loaded.evaluation = rheology::EvaluateRamps(loaded.info, loaded.samples);
    test = std::move(loaded);
    return true;
}

} // namespace review
