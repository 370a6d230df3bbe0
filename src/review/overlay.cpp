#include "overlay.h"

namespace review {

ReviewOutcome overlayRefusal(const QString &openedName, const QString &overlayName, ChartMode mode, int chartType)
{
    if (openedName.isEmpty())
        return ReviewOutcome::noOpenTest();
    if (overlayName.isEmpty() || overlayName == openedName)
        return ReviewOutcome::overlapItself();
    if (!isOverlappable(mode, chartType))
        return ReviewOutcome::notOverlappable();
    return ReviewOutcome::success();
}

void addOverlaySubset(Chart2D &chart, const QString &openedName, const QString &overlayName,
                      QVector<QPointF> curve)
{
    Subset2D subset;
    subset.label = overlayName;
    subset.points = std::move(curve);
    subset.yAxis = 0;
    chart.subsets.append(std::move(subset));
    chart.subsets.first().label = openedName;
}

} // namespace review
