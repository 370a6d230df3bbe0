#include "review/decimation.h"
#include <QRandomGenerator>
#include <QtTest>
#include <cmath>
#include <limits>

using namespace review;

namespace {

// Lowest and highest y per slice of x, the envelope a chart draws.
struct Envelope
{
    QVector<double> low, high;
};

Envelope envelope(const QVector<QPointF> &points, int buckets, double x0, double x1, bool logX)
{
    Envelope e{QVector<double>(buckets, std::numeric_limits<double>::infinity()),
               QVector<double>(buckets, -std::numeric_limits<double>::infinity())};
    const double a = logX ? std::log10(x0) : x0;
    const double b = logX ? std::log10(x1) : x1;
    for (const QPointF &p : points) {
        const double t = logX ? std::log10(p.x()) : p.x();
        const int k = std::min(int((t - a) * (buckets / (b - a))), buckets - 1);
        e.low[k] = std::min(e.low[k], p.y());
        e.high[k] = std::max(e.high[k], p.y());
    }
    return e;
}

// A noisy time series with narrow spikes up and down at random places.
QVector<QPointF> spikySeries(int n, quint32 seed, QVector<qsizetype> *spikes)
{
    QRandomGenerator rng(seed);
    QVector<QPointF> pts;
    pts.reserve(n);
    double y = 100;
    for (int i = 0; i < n; ++i) {
        y += rng.generateDouble() - 0.5;
        pts.append({i * 0.5, y});
    }
    for (int k = 0; k < 40; ++k) {
        const qsizetype at = rng.bounded(n);
        pts[at].setY(pts[at].y() + (k % 2 ? -1 : 1) * (500 + k));
        spikes->append(at);
    }
    return pts;
}

} // namespace

class tst_Decimation : public QObject
{
    Q_OBJECT
private slots:
    void shortSeriesUnchanged();
    void keepsEnvelopeAndPeaks_data();
    void keepsEnvelopeAndPeaks();
    void logAxisBucketsInLogSpace();
    void undrawablePointsLeftOut();
    void constantX();
    void cloudKeepsExtremes();
};

void tst_Decimation::shortSeriesUnchanged()
{
    QVector<QPointF> pts;
    for (int i = 0; i < 400; ++i)
        pts.append({double(i), std::sin(i * 0.1)});
    QCOMPARE(decimateMinMax(pts, 100), pts);
    QCOMPARE(decimateMinMax({}, 100), QVector<QPointF>());
}

void tst_Decimation::keepsEnvelopeAndPeaks_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("buckets");
    QTest::addColumn<quint32>("seed");
    QTest::newRow("1e6 into 1600") << 1000000 << 1600 << 7u;
    QTest::newRow("1e5 into 800") << 100000 << 800 << 11u;
    QTest::newRow("just over the limit") << 4001 << 1000 << 3u;
}

void tst_Decimation::keepsEnvelopeAndPeaks()
{
    QFETCH(int, count);
    QFETCH(int, buckets);
    QFETCH(quint32, seed);
    QVector<qsizetype> spikes;
    const QVector<QPointF> pts = spikySeries(count, seed, &spikes);
    const QVector<QPointF> out = decimateMinMax(pts, buckets);

    QVERIFY(out.size() <= 4 * buckets);
    QVERIFY(out.size() >= buckets);
    QCOMPARE(out.first(), pts.first());
    QCOMPARE(out.last(), pts.last());
    // Every kept point is an input point, in input order.
    qsizetype at = 0;
    for (const QPointF &p : out) {
        while (at < pts.size() && pts[at] != p)
            ++at;
        QVERIFY2(at < pts.size(), "point not from the input or out of order");
    }
    // The same envelope, slice by slice, so every spike still shows.
    const Envelope a = envelope(pts, buckets, pts.first().x(), pts.last().x(), false);
    const Envelope b = envelope(out, buckets, pts.first().x(), pts.last().x(), false);
    QCOMPARE(b.low, a.low);
    QCOMPARE(b.high, a.high);
    // Each spike is the extreme of its slice (unless a bigger one shares
    // it) and is kept as a point of its own.
    const double x0 = pts.first().x(), x1 = pts.last().x();
    int kept = 0;
    for (qsizetype s : spikes) {
        const int k = std::min(int((pts[s].x() - x0) * (buckets / (x1 - x0))), buckets - 1);
        if (pts[s].y() == a.high[k] || pts[s].y() == a.low[k]) {
            QVERIFY(out.contains(pts[s]));
            ++kept;
        }
    }
    QVERIFY(kept >= spikes.size() - 4);
}

void tst_Decimation::logAxisBucketsInLogSpace()
{
    // Shear rates from 0.01 to 1000 1/s: on a log axis the low decades get
    // as many slices as the high ones.
    QVector<QPointF> pts;
    const int n = 50000;
    for (int i = 0; i < n; ++i) {
        const double x = std::pow(10.0, -2 + 5.0 * i / (n - 1));
        pts.append({x, std::sin(i * 0.37) * (i % 997 == 0 ? 50 : 1)});
    }
    pts.prepend({0, 1e6});       // cannot be drawn on a log axis
    const QVector<QPointF> out = decimateMinMax(pts, 500, AxisScale::Log);
    QVERIFY(out.size() <= 2000);
    QVERIFY(!out.contains(QPointF(0, 1e6)));
    QVector<QPointF> positive = pts.mid(1);
    const Envelope a = envelope(positive, 500, 0.01, 1000, true);
    const Envelope b = envelope(out, 500, 0.01, 1000, true);
    QCOMPARE(b.low, a.low);
    QCOMPARE(b.high, a.high);
}

void tst_Decimation::undrawablePointsLeftOut()
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const QVector<QPointF> pts = {{1, 1}, {2, inf}, {nan, 3}, {-1, 4}, {5, -2}};
    QCOMPARE(decimateMinMax(pts, 100), QVector<QPointF>({{1, 1}, {-1, 4}, {5, -2}}));
    QCOMPARE(drawablePoints(pts, AxisScale::Log, AxisScale::Linear), QVector<QPointF>({{1, 1}, {5, -2}}));
    QCOMPARE(drawablePoints(pts, AxisScale::Linear, AxisScale::Log), QVector<QPointF>({{1, 1}, {-1, 4}}));
}

void tst_Decimation::constantX()
{
    // A whole series at one x (a long hold at one shear rate) is one slice:
    // its first, lowest, highest and last points.
    QVector<QPointF> pts;
    for (int i = 0; i < 10000; ++i)
        pts.append({100, double((i * 7919) % 1000)});
    const QVector<QPointF> out = decimateMinMax(pts, 100);
    QVERIFY(out.size() <= 4);
    QVERIFY(out.contains(QPointF(100, 0)));
    QVERIFY(out.contains(QPointF(100, 999)));
}

void tst_Decimation::cloudKeepsExtremes()
{
    QRandomGenerator rng(5);
    QVector<Point3D> pts;
    for (int i = 0; i < 200000; ++i)
        pts.append({rng.generateDouble() * 100, rng.generateDouble() * 10, rng.generateDouble() * 300});
    pts[1234].y = 5000;
    pts[4321].y = -5000;
    pts.append({std::numeric_limits<double>::quiet_NaN(), 1, 1});
    const QVector<Point3D> out = decimate3D(pts, 20000);
    QVERIFY(out.size() <= 20000);
    QVERIFY(out.contains(pts[1234]));
    QVERIFY(out.contains(pts[4321]));
    QCOMPARE(decimate3D(pts.mid(0, 100), 20000), pts.mid(0, 100));
}

QTEST_GUILESS_MAIN(tst_Decimation)
#include "tst_decimation.moc"
