// The controls of the unit window and their layout; behaviour is in
// frmRealTime.cpp.
#include "frmRealTime.h"
#include "livechart.h"
#include "rheology/resultstablemodel.h"
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QLineEdit *readout(QWidget *parent, const char *name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight);
    edit->setMinimumWidth(70);
    return edit;
}

QLabel *label(QWidget *parent, const QString &text, const char *name = nullptr)
{
    auto *l = new QLabel(text, parent);
    if (name)
        l->setObjectName(QLatin1String(name));
    return l;
}

QPushButton *button(QWidget *parent, const QString &text, const char *name, const QString &tip)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
}

} // namespace

void frmRealTime::buildControls()
{
    // Test data: value and unit beside each label.
    auto *testData = new QGroupBox(QStringLiteral("Test Data"), this);
    testData->setObjectName(QStringLiteral("fraTestData"));
    auto *dataGrid = new QGridLayout(testData);
    txtSpeed = readout(testData, "txtSpeed");
    txtShearRate = readout(testData, "txtShearRate");
    txtShearStress = readout(testData, "txtShearStress");
    txtVisc = readout(testData, "txtVisc");
    txtpH = readout(testData, "txtpH");
    struct Row { const char *label; QLineEdit *edit; const char *unit; };
    const Row rows[] = {
        {"Motor Speed:", txtSpeed, "(rpm)"},
        {"Shear Rate:", txtShearRate, "(1/S)"},
        {"Shear Stress:", txtShearStress, "(dyn/cm2)"},
        {"Apparent Viscosity:", txtVisc, "(cP)"},
        {"pH:", txtpH, ""},
    };
    int r = 0;
    for (const Row &row : rows) {
        dataGrid->addWidget(label(testData, QLatin1String(row.label)), r, 0);
        dataGrid->addWidget(row.edit, r, 1);
        dataGrid->addWidget(label(testData, QLatin1String(row.unit)), r, 2);
        ++r;
    }
    dataGrid->setColumnStretch(1, 1);

    auto *heater = new QGroupBox(QStringLiteral("Heater Information"), this);
    heater->setObjectName(QStringLiteral("fraHeater"));
    auto *heaterGrid = new QGridLayout(heater);
    txtTempSetPoint = readout(heater, "txtTempSetPoint");
    // The operator may type here; leaving the box asks and changes nothing.
    txtTempSetPoint->setReadOnly(false);
    txtSampleTemp = readout(heater, "txtSampleTemp");
    heaterGrid->addWidget(label(heater, QStringLiteral("Current Temp Setpoint:")), 0, 0);
    heaterGrid->addWidget(txtTempSetPoint, 0, 1);
    heaterGrid->addWidget(label(heater, QStringLiteral("Sample Temperature:")), 1, 0);
    heaterGrid->addWidget(txtSampleTemp, 1, 1);
    heaterGrid->setRowStretch(2, 1);
    heaterGrid->setColumnStretch(1, 1);

    // Identity and state of the unit, with its commands.
    auto *state = new QWidget(this);
    auto *stateGrid = new QGridLayout(state);
    stateGrid->setContentsMargins(0, 0, 0, 0);
    lblInstName = label(state, unitName(), "lblInstName");
    QFont big = lblInstName->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lblInstName->setFont(big);
    lblTestName = label(state, QStringLiteral("Empty"), "lblTestName");
    lblSelectSeq = label(state, QStringLiteral("Empty"), "lblSelectSeq");
    lblActiveFlag = label(state, QStringLiteral("InActive"), "lblActiveFlag");
    QFont bold = lblActiveFlag->font();
    bold.setBold(true);
    lblActiveFlag->setFont(bold);
    for (QLabel *l : {lblTestName, lblSelectSeq})
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    stateGrid->addWidget(lblInstName, 0, 0, 1, 2);
    stateGrid->addWidget(label(state, QStringLiteral("Test Name:")), 1, 0);
    stateGrid->addWidget(lblTestName, 1, 1);
    stateGrid->addWidget(label(state, QStringLiteral("Sequence Name:")), 2, 0);
    stateGrid->addWidget(lblSelectSeq, 2, 1);
    stateGrid->addWidget(label(state, QStringLiteral("Status:")), 3, 0);
    stateGrid->addWidget(lblActiveFlag, 3, 1);
    stateGrid->setColumnStretch(1, 1);
    stateGrid->setRowStretch(4, 1);

    cmdSelect = button(this, QStringLiteral("S&elect Sequence"), "cmdSelect",
                       QStringLiteral("Click here to select sequence"));
    cmdStart_Stop = button(this, QStringLiteral("Start"), "cmdStart_Stop",
                           QStringLiteral("Click here to start test after selecting sequence"));
    cmdExit = button(this, QStringLiteral("&Exit"), "cmdExit", QStringLiteral("Click here to exit"));
    auto *commands = new QVBoxLayout;
    commands->addWidget(cmdSelect);
    commands->addWidget(cmdStart_Stop);
    commands->addWidget(cmdExit);
    commands->addStretch(1);

    auto *top = new QHBoxLayout;
    top->addWidget(testData, 3);
    top->addWidget(heater, 2);
    top->addWidget(state, 3);
    top->addLayout(commands);

    // Live chart with its legend beside it.
    CWGraph1 = new LiveChart(this);
    CWGraph1->setMinimumHeight(170);
    auto *legend = new QVBoxLayout;
    legend->addWidget(label(this, QStringLiteral("Legends:"), "lblLegends"));
    const char *legendNames[] = {"lblLegendVisc", "lblLegendTemp", "lblLegendShearRate", "lblLegendPH"};
    for (int s = 0; s < LiveChart::SeriesCount; ++s) {
        const auto series = LiveChart::Series(s);
        QLabel *l = label(this, LiveChart::seriesName(series), legendNames[s]);
        l->setStyleSheet(QStringLiteral("color: %1; font-weight: bold;").arg(LiveChart::seriesColor(series).name()));
        legend->addWidget(l);
    }
    legend->addStretch(1);
    auto *chartRow = new QHBoxLayout;
    chartRow->addWidget(CWGraph1, 1);
    chartRow->addLayout(legend);

    // Ramp results: one header row, one row per shear ramp.
    m_results = new rheology::ResultsTableModel(this);
    MSFlexGrid1 = new QTableView(this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setModel(m_results);
    MSFlexGrid1->verticalHeader()->hide();
    MSFlexGrid1->setWordWrap(true);
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    QHeaderView *header = MSFlexGrid1->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setStretchLastSection(true);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setMinimumHeight(header->fontMetrics().lineSpacing() * 3 + 10);
    MSFlexGrid1->setMinimumHeight(header->minimumHeight() + 2 * MSFlexGrid1->verticalHeader()->defaultSectionSize());

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    lblFault = label(StatusBar1, QString(), "lblFault");
    lblFault->setStyleSheet(QStringLiteral("color: #b00000;"));
    lblFault->setWordWrap(true);
    lblProgress = label(StatusBar1, QString(), "lblProgress");
    ElapsedTime = label(StatusBar1, QString(), "ElapsedTime");
    StatusBar1->addWidget(lblFault, 1);
    StatusBar1->addPermanentWidget(lblProgress);
    StatusBar1->addPermanentWidget(ElapsedTime);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 0);
    layout->addLayout(top);
    layout->addLayout(chartRow, 5);
    layout->addWidget(MSFlexGrid1, 2);
    layout->addWidget(StatusBar1);
}
