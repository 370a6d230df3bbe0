// Widgets and layout of the sequences page.
#include "gridediting.h"
#include "sequencepage.h"
#include "stepbuilderframe.h"
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QPushButton *commandButton(const char *name, const QString &caption, const QString &tip, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    if (!tip.isEmpty())
        b->setToolTip(tip);
    return b;
}

QLineEdit *headerField(const char *name, const QString &tip, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setToolTip(tip);
    e->setValidator(numberValidator(e));
    e->setMaximumWidth(80);
    return e;
}

} // namespace

void SequencePage::buildLayout()
{
    m_storeError = new QLabel(this);
    m_storeError->setObjectName(QStringLiteral("lblStoreError"));
    m_storeError->setStyleSheet(QStringLiteral("color: #b00000;"));
    m_storeError->setWordWrap(true);
    m_storeError->hide();

    m_lstSeqName = new QListWidget(this);
    m_lstSeqName->setObjectName(QStringLiteral("lstSeqName"));
    m_cmdNew = commandButton("cmdNew", QStringLiteral("&New"),
                             QStringLiteral("Click here to create a new test sequence"), this);
    m_cmdSaveas = commandButton("cmdSaveas", QStringLiteral("Copy &As"),
                                QStringLiteral("Click here to save the selected test sequence as a different name"), this);
    m_cmdDelete = commandButton("cmdDelete", QStringLiteral("&Delete"),
                                QStringLiteral("Click here to delete the selected test ssequence"), this);
    auto *listColumn = new QVBoxLayout;
    listColumn->addWidget(new QLabel(QStringLiteral("Saved test sequences:"), this));
    listColumn->addWidget(m_lstSeqName, 1);
    listColumn->addWidget(m_cmdNew);
    listColumn->addWidget(m_cmdSaveas);
    listColumn->addWidget(m_cmdDelete);

    m_steps = new QTableView(this);
    m_steps->setObjectName(QStringLiteral("MSFlexGrid1"));
    m_steps->setToolTip(QStringLiteral("Select the desired test step by click on it"));
    m_steps->setModel(m_document.steps());
    m_steps->setItemDelegate(new CellEditorDelegate(QStringLiteral("txtOverlap2"), m_steps));
    m_steps->verticalHeader()->hide();
    m_steps->verticalHeader()->setDefaultSectionSize(m_steps->fontMetrics().height() + 8);
    m_steps->setSelectionMode(QAbstractItemView::SingleSelection);
    m_steps->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked
                             | QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed);
    m_steps->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_steps->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_cmdInsertStep = commandButton("cmdInsertStep", QStringLiteral("&Insert new step"),
                                    QStringLiteral("Click here to insert new test step in the current test sequence"), this);
    m_cmdDeleteStep = commandButton("cmdDeleteStep", QStringLiteral("De&lete current step"),
                                    QStringLiteral("Click here to delete the test step from the current test sequence"), this);
    m_cmdBuilder = commandButton("cmdBuilder", QStringLiteral("Auto Step Builder"),
                                 QStringLiteral("Click here to copy & paste one section of steps"), this);
    m_frameRamp = new StepBuilderFrame(m_prompter, this);
    m_frameRamp->hide();
    auto *stepButtons = new QHBoxLayout;
    stepButtons->addWidget(m_cmdInsertStep);
    stepButtons->addWidget(m_cmdDeleteStep);
    stepButtons->addWidget(m_cmdBuilder);
    stepButtons->addStretch();
    auto *stepsColumn = new QVBoxLayout;
    stepsColumn->addWidget(new QLabel(QStringLiteral("Sequence Steps:"), this));
    stepsColumn->addWidget(m_steps, 1);
    stepsColumn->addLayout(stepButtons);
    stepsColumn->addWidget(m_frameRamp);

    m_ramp = new RampGridView(this);
    m_ramp->setObjectName(QStringLiteral("MSFlexGrid3"));
    m_ramp->setModel(m_document.ramp());
    m_ramp->setItemDelegate(new CellEditorDelegate(QStringLiteral("txtOverlap"), m_ramp));
    m_ramp->setSelectionMode(QAbstractItemView::SingleSelection);
    m_ramp->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked
                            | QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed);
    m_ramp->horizontalHeader()->setStretchLastSection(true);
    m_ramp->verticalHeader()->setDefaultSectionSize(m_ramp->fontMetrics().height() + 8);
    auto *rampColumn = new QVBoxLayout;
    auto *rampLabel = new QLabel(QStringLiteral("Ramp Sequence Define (1/S):(Maximum 40 steps.)"), this);
    rampLabel->setWordWrap(true);
    rampColumn->addWidget(rampLabel);
    rampColumn->addWidget(m_ramp, 1);

    auto *grids = new QHBoxLayout;
    grids->addLayout(listColumn, 2);
    grids->addLayout(stepsColumn, 5);
    grids->addLayout(rampColumn, 2);

    m_cmdSaveChange = commandButton("cmdSaveChange", QStringLiteral("&Save Change"), QString(), this);
    m_cmdReturn = commandButton("cmdReturn", QStringLiteral("&Return"),
                                QStringLiteral("Click here to return to main menu"), this);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_cmdSaveChange);
    bottom->addWidget(m_cmdReturn);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_storeError);
    layout->addLayout(grids, 1);
    layout->addWidget(buildHeaderFields());
    layout->addLayout(bottom);
}

QWidget *SequencePage::buildHeaderFields()
{
    auto *fields = new QWidget(this);
    auto *info = new QGroupBox(QStringLiteral("Ramp Steps Info Within Each Step"), fields);
    m_txtTimeBefRead = headerField("txtTimeBefRead", QStringLiteral("Enter a number >=20 and <=200"), info);
    m_txtTimeBefRead->setText(QStringLiteral("20"));
    m_txtSampleInterval = headerField("txtSampleInterval", QStringLiteral("Enter a number >=20 and <=200"), info);
    m_txtNoSampleAve = headerField("txtNoSampleAve", QStringLiteral("Enter a number >=1 and <=20"), info);
    m_txtNoSampleAve->setText(QStringLiteral("5"));
    m_cmbSampleRate = new QComboBox(info);
    m_cmbSampleRate->setObjectName(QStringLiteral("cmbSampleRate"));
    m_cmbSampleRate->addItems({QStringLiteral("2"), QStringLiteral("5"), QStringLiteral("30"), QStringLiteral("60")});
    m_cmbSampleRate->setCurrentIndex(0);
    auto *rate = new QHBoxLayout;
    rate->addWidget(m_cmbSampleRate);
    rate->addWidget(new QLabel(QStringLiteral("(sec)per sample"), info));
    rate->addStretch();
    auto *form = new QFormLayout(info);
    form->addRow(QStringLiteral("Wait time before reading in each ramp step (sec):"), m_txtTimeBefRead);
    form->addRow(QStringLiteral("Data recording interval between ramps (sec):"), m_txtSampleInterval);
    form->addRow(QStringLiteral("Data sampling rate, every"), rate);
    form->addRow(QStringLiteral("Number of Samples to Average for one data:"), m_txtNoSampleAve);

    auto *shutDown = new QGroupBox(QStringLiteral("Auto Shut Down"), fields);
    m_txtShutDownATime = headerField("txtShutDownATime", QString(), shutDown);
    m_txtShutDownVisc = headerField("txtShutDownVisc", QString(), shutDown);
    auto *sd = new QVBoxLayout(shutDown);
    auto *sentence = new QLabel(QStringLiteral("Test will automatically shut down if average viscosity over"), shutDown);
    sentence->setWordWrap(true);
    auto *values = new QHBoxLayout;
    values->addWidget(m_txtShutDownATime);
    values->addWidget(new QLabel(QStringLiteral("(Min)"), shutDown));
    values->addWidget(new QLabel(QStringLiteral("drops below"), shutDown));
    values->addWidget(m_txtShutDownVisc);
    values->addWidget(new QLabel(QStringLiteral("(cP)"), shutDown));
    values->addStretch();
    sd->addWidget(sentence);
    sd->addLayout(values);
    sd->addStretch();

    auto *row = new QHBoxLayout(fields);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(info, 3);
    row->addWidget(shutDown, 2);
    return fields;
}
