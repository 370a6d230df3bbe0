#pragma once
#include "chartdata.h"
#include "charttypes.h"
#include "reviewoutcome.h"

// Drawing a second (third, ...) test over the open one in the 2D chart.
namespace review {

// Refusal for a stored test `overlayName` over the open test on the chart
// shown; success when the overlay may be drawn.
ReviewOutcome overlayRefusal(const QString &openedName, const QString &overlayName, ChartMode mode, int chartType);

// Adds the overlay test's curve as the new last subset. Every subset keeps
// its own points, so no point of a longer (or shorter) test is lost or
// padded; subset 0 is labelled with the open test, the new one with the
// overlay test.
void addOverlaySubset(Chart2D &chart, const QString &openedName, const QString &overlayName,
                      QVector<QPointF> curve);

} // namespace review
