#include "chart3dview.h"
#include "review/decimation.h"
#include <QGuiApplication>
#include <QLabel>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QVBoxLayout>
#include <Q3DCamera>
#include <Q3DScatter>
#include <Q3DTheme>
#include <QScatter3DSeries>
#include <QValue3DAxis>

namespace review {

Chart3DView::Chart3DView(QWidget *parent) : QWidget(parent), m_title(new QLabel(this))
{
    setObjectName(QStringLiteral("Pe3doa1"));
    m_title->setObjectName(QStringLiteral("lbl3DTitle"));
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setTextFormat(Qt::RichText);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_title);
    createGraph();
    if (m_graph) {
        layout->addWidget(m_container, 1);
    } else {
        m_fallback = new QLabel(tr("The 3D chart needs OpenGL, which this display does not offer."), this);
        m_fallback->setObjectName(QStringLiteral("lbl3DUnavailable"));
        m_fallback->setAlignment(Qt::AlignCenter);
        m_fallback->setWordWrap(true);
        layout->addWidget(m_fallback, 1);
    }
    redraw();
}

Chart3DView::~Chart3DView() = default;

bool Chart3DView::openGLAvailable()
{
    // Headless platforms have no GL context for the graph (and the graph
    // cannot even be constructed there).
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return false;
    QOpenGLContext context;
    if (!context.create())
        return false;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    const bool ok = context.makeCurrent(&surface);
    if (ok)
        context.doneCurrent();
    return ok;
}

void Chart3DView::createGraph()
{
    if (!openGLAvailable())
        return;
    auto *graph = new Q3DScatter;
    if (!graph->hasContext()) {
        delete graph;
        return;
    }
    m_graph = graph;
    m_graph->setShadowQuality(QAbstract3DGraph::ShadowQualityNone);
    m_graph->scene()->activeCamera()->setCameraPreset(Q3DCamera::CameraPresetIsometricRight);
    m_graph->scene()->activeCamera()->setZoomLevel(85);
    // Axis labels are drawn from textures of this font: large keeps them sharp.
    QFont font = m_graph->activeTheme()->font();
    font.setPointSize(20);
    m_graph->activeTheme()->setFont(font);
    m_graph->axisX()->setTitleVisible(true);
    m_graph->axisY()->setTitleVisible(true);
    m_graph->axisZ()->setTitleVisible(true);
    auto *series = new QScatter3DSeries;
    m_graph->addSeries(series);
    m_container = QWidget::createWindowContainer(m_graph, this);   // owns the graph
    m_container->setObjectName(QStringLiteral("Pe3doa1Graph"));
    m_container->setMinimumSize(200, 150);
}

bool Chart3DView::hasGraph() const
{
    return m_graph && m_graph->hasContext();
}

void Chart3DView::showChart(const Chart3D &chart)
{
    m_chart = chart;
    redraw();
}

void Chart3DView::redraw()
{
    m_title->setText(QStringLiteral("<b>%1</b><br/>%2").arg(m_chart.title.toHtmlEscaped(),
                                                            m_chart.subtitle.toHtmlEscaped()));
    if (!m_graph) {
        m_drawnPoints = 0;
        return;
    }
    m_graph->axisX()->setTitle(m_chart.xLabel);
    m_graph->axisY()->setTitle(m_chart.yLabel);
    m_graph->axisZ()->setTitle(m_chart.zLabel);
    const QVector<Point3D> points = decimate3D(m_chart.points, kMaxDrawnPoints);
    auto *data = new QScatterDataArray;
    data->reserve(points.size());
    for (const Point3D &p : points)
        data->append(QScatterDataItem(QVector3D(float(p.x), float(p.y), float(p.z))));
    // Small clouds as little spheres, large ones as plain points (cheap to draw).
    QScatter3DSeries *series = m_graph->seriesList().first();
    series->setMesh(points.size() > 3000 ? QAbstract3DSeries::MeshPoint : QAbstract3DSeries::MeshSphere);
    series->setItemSize(0.04f);
    series->dataProxy()->resetArray(data);
    m_drawnPoints = int(points.size());
}

QImage Chart3DView::renderImage(const QSize &size) const
{
    if (!hasGraph())
        return {};
    return m_graph->renderToImage(0, size);
}

} // namespace review
