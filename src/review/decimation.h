#pragma once
#include "chartdata.h"
#include <QPointF>
#include <QVector>

// Thinning long series for drawing without losing what the eye needs: every
// peak and trough stays. The full series stay with the caller.
namespace review {

enum class AxisScale { Linear, Log };

// Splits the x range into `buckets` equal slices (of log10 x for a log
// axis) and keeps, from every run of consecutive points within one slice,
// its first, lowest, highest and last point in their original order. The
// result draws the same envelope as the input at one slice per pixel.
// Series of at most 4 · buckets points come back unchanged. Points that
// cannot be drawn (not finite, or x <= 0 on a log axis) are left out.
QVector<QPointF> decimateMinMax(const QVector<QPointF> &points, int buckets, AxisScale xScale = AxisScale::Linear);

// Points a chart axis can show: finite, and positive on a log axis.
QVector<QPointF> drawablePoints(const QVector<QPointF> &points, AxisScale xScale, AxisScale yScale);

// Thins a 3D point cloud to at most about maxPoints: a grid over x and z,
// keeping the lowest and highest y of every cell. Clouds of at most
// maxPoints come back unchanged (non-finite points are always dropped).
QVector<Point3D> decimate3D(const QVector<Point3D> &points, int maxPoints);

} // namespace review
