#include "decimation.h"
#include <algorithm>
#include <cmath>
#include <limits>

namespace review {

namespace {

bool finite(const QPointF &p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

bool finite(const Point3D &p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// Emits a run's first, lowest, highest and last point in index order.
void emitRun(const QVector<QPointF> &points, qsizetype first, qsizetype last, qsizetype low, qsizetype high,
             QVector<QPointF> &out)
{
    qsizetype keep[4] = {first, low, high, last};
    std::sort(std::begin(keep), std::end(keep));
    qsizetype previous = -1;
    for (qsizetype i : keep) {
        if (i != previous)
            out.append(points.at(i));
        previous = i;
    }
}

} // namespace

QVector<QPointF> drawablePoints(const QVector<QPointF> &points, AxisScale xScale, AxisScale yScale)
{
    const auto drawable = [xScale, yScale](const QPointF &p) {
        return finite(p) && (xScale == AxisScale::Linear || p.x() > 0) && (yScale == AxisScale::Linear || p.y() > 0);
    };
    // Usually every point can be drawn: hand back the same (shared) data.
    if (std::all_of(points.begin(), points.end(), drawable))
        return points;
    QVector<QPointF> out;
    out.reserve(points.size());
    for (const QPointF &p : points)
        if (drawable(p))
            out.append(p);
    return out;
}

QVector<QPointF> decimateMinMax(const QVector<QPointF> &points, int buckets, AxisScale xScale)
{
    buckets = std::max(buckets, 1);
    const auto position = [xScale](const QPointF &p) {
        return xScale == AxisScale::Log ? std::log10(p.x()) : p.x();
    };
    const auto usable = [xScale](const QPointF &p) {
        return finite(p) && (xScale == AxisScale::Linear || p.x() > 0);
    };

    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    qsizetype usableCount = 0;
    for (const QPointF &p : points) {
        if (!usable(p))
            continue;
        ++usableCount;
        const double t = position(p);
        lo = std::min(lo, t);
        hi = std::max(hi, t);
    }
    if (usableCount <= 4 * qsizetype(buckets)) {
        if (usableCount == points.size())
            return points;
        QVector<QPointF> out;
        out.reserve(usableCount);
        for (const QPointF &p : points)
            if (usable(p))
                out.append(p);
        return out;
    }

    const double span = hi - lo;
    const double scale = span > 0 ? buckets / span : 0;
    QVector<QPointF> out;
    out.reserve(4 * qsizetype(buckets) + 4);
    qsizetype first = -1, last = -1, low = -1, high = -1;
    int runBucket = -1;
    for (qsizetype i = 0; i < points.size(); ++i) {
        const QPointF &p = points.at(i);
        if (!usable(p))
            continue;
        const int bucket = std::min(int((position(p) - lo) * scale), buckets - 1);
        if (bucket != runBucket) {
            if (first >= 0)
                emitRun(points, first, last, low, high, out);
            runBucket = bucket;
            first = last = low = high = i;
            continue;
        }
        last = i;
        if (p.y() < points.at(low).y())
            low = i;
        if (p.y() > points.at(high).y())
            high = i;
    }
    if (first >= 0)
        emitRun(points, first, last, low, high, out);
    return out;
}

QVector<Point3D> decimate3D(const QVector<Point3D> &points, int maxPoints)
{
    qsizetype finiteCount = 0;
    double x0 = std::numeric_limits<double>::infinity(), x1 = -x0, z0 = x0, z1 = -x0;
    for (const Point3D &p : points) {
        if (!finite(p))
            continue;
        ++finiteCount;
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        z0 = std::min(z0, p.z);
        z1 = std::max(z1, p.z);
    }
    if (finiteCount <= maxPoints) {
        QVector<Point3D> out;
        out.reserve(finiteCount);
        for (const Point3D &p : points)
            if (finite(p))
                out.append(p);
        return out;
    }

    // Two points per cell: the lowest and the highest viscosity.
    const int side = std::max(1, int(std::sqrt(std::max(maxPoints, 2) / 2.0)));
    const double sx = x1 > x0 ? side / (x1 - x0) : 0;
    const double sz = z1 > z0 ? side / (z1 - z0) : 0;
    QVector<qsizetype> low(qsizetype(side) * side, -1), high(qsizetype(side) * side, -1);
    for (qsizetype i = 0; i < points.size(); ++i) {
        const Point3D &p = points.at(i);
        if (!finite(p))
            continue;
        const int cx = std::min(int((p.x - x0) * sx), side - 1);
        const int cz = std::min(int((p.z - z0) * sz), side - 1);
        const qsizetype cell = qsizetype(cz) * side + cx;
        if (low[cell] < 0 || p.y < points.at(low[cell]).y)
            low[cell] = i;
        if (high[cell] < 0 || p.y > points.at(high[cell]).y)
            high[cell] = i;
    }
    QVector<Point3D> out;
    for (qsizetype cell = 0; cell < low.size(); ++cell) {
        if (low[cell] < 0)
            continue;
        out.append(points.at(low[cell]));
        if (high[cell] != low[cell])
            out.append(points.at(high[cell]));
    }
    return out;
}

} // namespace review
