#include "reviewoutcome.h"

namespace review {

QString applicationTitle()
{
    return QStringLiteral("Rovudaze");
}

ReviewOutcome ReviewOutcome::nameNotFound()
{
    return {ReviewError::NameNotFound, applicationTitle(),
            QStringLiteral("Your test sequence name is not found.  Please try again.")};
}

ReviewOutcome ReviewOutcome::noOpenTest()
{
    return {ReviewError::NoOpenTest, QStringLiteral("Operation Error"),
            QStringLiteral("No opened test to overlap on.  Please open one test first.")};
}

ReviewOutcome ReviewOutcome::overlapItself()
{
    return {ReviewError::OverlapItself, QStringLiteral("Selection Error."),
            QStringLiteral("Test can not overlap itself!")};
}

ReviewOutcome ReviewOutcome::notOverlappable()
{
    return {ReviewError::NotOverlappable, applicationTitle(),
            QStringLiteral("Click here to overlap another test on graphs.  Charts can not be overlapped when "
                           "chart type is 'Visc Temp Vs. Time'.")};
}

ReviewOutcome ReviewOutcome::database(const QString &detail)
{
    return {ReviewError::Database, applicationTitle(), detail};
}

} // namespace review
