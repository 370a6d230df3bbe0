#pragma once
#include "review/chartdata.h"
#include <QImage>
#include <QWidget>

class QLabel;
class Q3DScatter;

namespace review {

// The 3D review chart: viscosity over two other quantities as a point
// cloud. It needs OpenGL; without it (a headless platform, no GL driver)
// the view says so in place of the graph and keeps the chart's data.
class Chart3DView : public QWidget
{
    Q_OBJECT
public:
    // Points handed to the graph at most; larger clouds are thinned keeping
    // each grid cell's lowest and highest viscosity.
    static constexpr int kMaxDrawnPoints = 20000;

    explicit Chart3DView(QWidget *parent = nullptr);
    ~Chart3DView() override;

    void showChart(const Chart3D &chart);
    const Chart3D &shownChart() const { return m_chart; }

    // True when the graph has its OpenGL context and draws.
    bool hasGraph() const;
    Q3DScatter *graph() const { return m_graph; }
    int drawnPointCount() const { return m_drawnPoints; }
    // The graph as an image, for printing and pictures (null without a graph).
    QImage renderImage(const QSize &size) const;

    // Whether this platform can give a 3D graph an OpenGL context at all.
    static bool openGLAvailable();

private:
    void createGraph();
    void redraw();

    Chart3D m_chart;
    QLabel *m_title;
    QLabel *m_fallback = nullptr;
    Q3DScatter *m_graph = nullptr;
    QWidget *m_container = nullptr;
    int m_drawnPoints = 0;
};

} // namespace review
