#pragma once
#include "review/charttypes.h"
#include "review/decimation.h"
#include <QWidget>

class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace review {

// The review's chart commands: 2D/3D, chart type list, axis scales, data
// filter, overlap and print. It only reports clicks; setters show the
// state without reporting anything back.
class ChartControls : public QWidget
{
    Q_OBJECT
public:
    explicit ChartControls(QWidget *parent = nullptr);

    void showMode(ChartMode mode);          // refills the list, first entry selected
    void showChartType(int type);
    void showXScale(AxisScale scale);
    void showYScale(AxisScale scale);
    void showFilter(DataFilter filter);
    void showOverlapEnabled(bool enabled);

    QComboBox *chartTypeList() const { return m_types; }
    QPushButton *overlapButton() const { return m_overlap; }
    QPushButton *printChartButton() const { return m_print; }

signals:
    void modeClicked(review::ChartMode mode);
    void chartTypeClicked(int type);
    void xScaleClicked(review::AxisScale scale);
    void yScaleClicked(review::AxisScale scale);
    void filterClicked(review::DataFilter filter);
    void overlapClicked();
    void printChartClicked();

private:
    QGroupBox *scaleFrame(const QString &name, const QString &caption, const QString &logName,
                          const QString &normalName, QRadioButton *&log, QRadioButton *&normal);

    QRadioButton *m_opt2D, *m_opt3D;
    QComboBox *m_types;
    QGroupBox *m_xFrame, *m_yFrame;
    QRadioButton *m_xLog, *m_xNormal, *m_yLog, *m_yNormal;
    QRadioButton *m_all, *m_noRamp;
    QPushButton *m_overlap, *m_print;
};

} // namespace review
