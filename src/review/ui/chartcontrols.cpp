#include "chartcontrols.h"
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace review {

namespace {

QRadioButton *option(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QRadioButton(caption, parent);
    b->setObjectName(name);
    return b;
}

// Two options of one choice: exclusive among themselves only.
void pair(QWidget *owner, QRadioButton *a, QRadioButton *b)
{
    auto *group = new QButtonGroup(owner);
    group->addButton(a);
    group->addButton(b);
}

void check(QRadioButton *b)
{
    const QSignalBlocker block(b);
    b->setChecked(true);
}

} // namespace

ChartControls::ChartControls(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *chartFrame = new QGroupBox(tr("Chart:"), this);
    chartFrame->setObjectName(QStringLiteral("fraChart"));
    m_opt2D = option(QStringLiteral("opt2D"), QStringLiteral("2D"), chartFrame);
    m_opt3D = option(QStringLiteral("opt3D"), QStringLiteral("3D"), chartFrame);
    pair(this, m_opt2D, m_opt3D);
    m_types = new QComboBox(chartFrame);
    m_types->setObjectName(QStringLiteral("cmbChartType"));
    auto *modes = new QHBoxLayout;
    modes->addWidget(m_opt2D);
    modes->addWidget(m_opt3D);
    auto *chartLayout = new QVBoxLayout(chartFrame);
    chartLayout->addLayout(modes);
    chartLayout->addWidget(m_types);
    layout->addWidget(chartFrame);

    m_xFrame = scaleFrame(QStringLiteral("fraXScale"), QStringLiteral("X Scale:"), QStringLiteral("optXlog"),
                          QStringLiteral("optXNormal"), m_xLog, m_xNormal);
    m_yFrame = scaleFrame(QStringLiteral("fraYScale"), QStringLiteral("Y Scale:"), QStringLiteral("optYLog"),
                          QStringLiteral("optYNormal"), m_yLog, m_yNormal);
    layout->addWidget(m_xFrame);
    layout->addWidget(m_yFrame);

    auto *dataFrame = new QGroupBox(tr("Data:"), this);
    dataFrame->setObjectName(QStringLiteral("fraData"));
    m_all = option(QStringLiteral("optAllData"), QStringLiteral("All"), dataFrame);
    m_noRamp = option(QStringLiteral("optNoRampData"), QStringLiteral("No Ramp"), dataFrame);
    pair(this, m_all, m_noRamp);
    auto *dataLayout = new QHBoxLayout(dataFrame);
    dataLayout->addWidget(m_all);
    dataLayout->addWidget(m_noRamp);
    layout->addWidget(dataFrame);

    m_overlap = new QPushButton(QStringLiteral("Overlap Charts"), this);
    m_overlap->setObjectName(QStringLiteral("cmdOverlap"));
    m_overlap->setToolTip(QStringLiteral("Click here to overlap another test on graphs.  Charts can not be "
                                         "overlapped when chart type is \"Visc Temp Vs. Time\"."));
    m_print = new QPushButton(QStringLiteral("Print Chart"), this);
    m_print->setObjectName(QStringLiteral("cmdPrintChart"));
    m_print->setToolTip(QStringLiteral("Click here to print the chart shown at left"));
    layout->addWidget(m_overlap);
    layout->addWidget(m_print);
    layout->addStretch(1);

    connect(m_opt2D, &QRadioButton::clicked, this, [this] { emit modeClicked(ChartMode::TwoD); });
    connect(m_opt3D, &QRadioButton::clicked, this, [this] { emit modeClicked(ChartMode::ThreeD); });
    connect(m_types, &QComboBox::activated, this, &ChartControls::chartTypeClicked);
    connect(m_xLog, &QRadioButton::clicked, this, [this] { emit xScaleClicked(AxisScale::Log); });
    connect(m_xNormal, &QRadioButton::clicked, this, [this] { emit xScaleClicked(AxisScale::Linear); });
    connect(m_yLog, &QRadioButton::clicked, this, [this] { emit yScaleClicked(AxisScale::Log); });
    connect(m_yNormal, &QRadioButton::clicked, this, [this] { emit yScaleClicked(AxisScale::Linear); });
    connect(m_all, &QRadioButton::clicked, this, [this] { emit filterClicked(DataFilter::All); });
    connect(m_noRamp, &QRadioButton::clicked, this, [this] { emit filterClicked(DataFilter::NoRamp); });
    connect(m_overlap, &QPushButton::clicked, this, &ChartControls::overlapClicked);
    connect(m_print, &QPushButton::clicked, this, &ChartControls::printChartClicked);

    showMode(ChartMode::TwoD);
    showXScale(AxisScale::Linear);
    showYScale(AxisScale::Linear);
    showFilter(DataFilter::All);
    showOverlapEnabled(false);
}

QGroupBox *ChartControls::scaleFrame(const QString &name, const QString &caption, const QString &logName,
                                     const QString &normalName, QRadioButton *&log, QRadioButton *&normal)
{
    auto *frame = new QGroupBox(caption, this);
    frame->setObjectName(name);
    log = option(logName, QStringLiteral("Log"), frame);
    normal = option(normalName, QStringLiteral("Normal"), frame);
    pair(this, log, normal);
    auto *l = new QHBoxLayout(frame);
    l->addWidget(log);
    l->addWidget(normal);
    return frame;
}

void ChartControls::showMode(ChartMode mode)
{
    check(mode == ChartMode::TwoD ? m_opt2D : m_opt3D);
    {
        const QSignalBlocker block(m_types);
        m_types->clear();
        m_types->addItems(chartTypeTexts(mode));
        m_types->setCurrentIndex(0);
    }
    // Log scales belong to the 2D chart only.
    m_xFrame->setVisible(mode == ChartMode::TwoD);
    m_yFrame->setVisible(mode == ChartMode::TwoD);
}

void ChartControls::showChartType(int type)
{
    const QSignalBlocker block(m_types);
    m_types->setCurrentIndex(type);
}

void ChartControls::showXScale(AxisScale scale)
{
    check(scale == AxisScale::Log ? m_xLog : m_xNormal);
}

void ChartControls::showYScale(AxisScale scale)
{
    check(scale == AxisScale::Log ? m_yLog : m_yNormal);
}

void ChartControls::showFilter(DataFilter filter)
{
    check(filter == DataFilter::All ? m_all : m_noRamp);
}

void ChartControls::showOverlapEnabled(bool enabled)
{
    m_overlap->setEnabled(enabled);
}

} // namespace review
