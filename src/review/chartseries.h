#pragma once
#include "chartdata.h"
#include "charttypes.h"
#include "store/records.h"
#include <vector>

// Builds the series of every chart type from a test's samples (stored order).
namespace review {

// Titles and labels of a chart type with no points yet. Type 0 of the 2D
// chart has its three subsets, the other types one.
Chart2D chart2DLayout(int type, int unitSystem);
Chart3D chart3DLayout(int type);
// The charts before any test is opened.
Chart2D initialChart2D(int unitSystem);
Chart3D initialChart3D();

// The whole chart of a type for one test. The filter applies to type 0 (of
// either mode) only: the other types chart every sample.
Chart2D buildChart2D(int type, const std::vector<TestResultRow> &samples, int unitSystem, DataFilter filter,
                     const QString &testName);
Chart3D buildChart3D(int type, const std::vector<TestResultRow> &samples, DataFilter filter,
                     const QString &testName);

// The one curve of 2D types 1 to 5, sorted by ascending x (points with equal
// x keep their stored order). Used for the opened test and for overlays.
QVector<QPointF> curve2D(int type, const std::vector<TestResultRow> &samples, int unitSystem);

} // namespace review
