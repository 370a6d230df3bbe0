#pragma once
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>

namespace review {

// One curve of the 2D chart, drawn against the y axis yAxis.
struct Subset2D
{
    QString label;
    QVector<QPointF> points;
    int yAxis = 0;
};

// What the 2D chart shows: titles, axis labels and every point of every
// subset (the view decides how many of them it needs to draw).
struct Chart2D
{
    int type = 0;
    QString title;
    QString subtitle;
    QString xLabel;
    QStringList yLabels;          // one per y axis
    QVector<Subset2D> subsets;

    // The chart's point count: wide enough for its longest subset.
    qsizetype pointCount() const;
    bool isEmpty() const { return pointCount() == 0; }
};

struct Point3D
{
    double x = 0;
    double y = 0;
    double z = 0;
    friend bool operator==(const Point3D &, const Point3D &) = default;
};

} // namespace review
Q_DECLARE_TYPEINFO(review::Point3D, Q_PRIMITIVE_TYPE);
namespace review {

// What the 3D chart shows: one subset of points, viscosity always on y.
struct Chart3D
{
    int type = 0;
    QString title;
    QString subtitle;
    QString xLabel;
    QString yLabel;
    QString zLabel;
    QVector<Point3D> points;
};

} // namespace review
