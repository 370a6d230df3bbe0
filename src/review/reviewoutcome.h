#pragma once
#include <QString>

namespace review {

// Why an open or overlay did not happen. The caller shows `message` under
// `title` (OK button only) unless it is empty.
enum class ReviewError {
    None,
    Ignored,            // no name given: nothing to do, nothing to say
    NameNotFound,
    NoOpenTest,
    OverlapItself,
    NotOverlappable,    // the chart shown cannot take an overlay
    Database,
};

struct ReviewOutcome
{
    ReviewError error = ReviewError::None;
    QString title;
    QString message;

    bool ok() const { return error == ReviewError::None; }
    bool needsMessage() const { return !message.isEmpty(); }

    static ReviewOutcome success() { return {}; }
    static ReviewOutcome nameNotFound();
    static ReviewOutcome noOpenTest();
    static ReviewOutcome overlapItself();
    static ReviewOutcome notOverlappable();
    static ReviewOutcome database(const QString &detail);
};

// Title of the boxes that have none of their own.
QString applicationTitle();

} // namespace review
