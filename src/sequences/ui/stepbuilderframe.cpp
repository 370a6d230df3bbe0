#include "stepbuilderframe.h"
#include "gridediting.h"
#include "prompter.h"
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

StepBuilderFrame::StepBuilderFrame(Prompter *prompter, QWidget *parent)
    : QGroupBox(QStringLiteral("Auto Step Builder"), parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frameRamp"));
    auto field = [this](const char *name) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setValidator(numberValidator(edit));
        return edit;
    };
    m_totalSteps = field("txtTotalSteps");
    m_stepTime = field("txtStepTime");
    m_temp = field("txtTemp");
    m_tempError = field("txtTempError");
    m_shearRate = field("txtShearRate");
    m_recordRate = field("txtRecordRate");

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Total Steps:"), m_totalSteps);
    form->addRow(QStringLiteral("Step Time (min):"), m_stepTime);
    form->addRow(QStringLiteral("Temperature (°F):"), m_temp);
    form->addRow(QStringLiteral("Temperature Error (°F):"), m_tempError);
    form->addRow(QStringLiteral("Shear Rate (1/S):"), m_shearRate);
    form->addRow(QStringLiteral("Data Recording Rate (Sec):"), m_recordRate);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdBuilderOK"));
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdBuilderCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &StepBuilderFrame::onOk);
    connect(cancel, &QPushButton::clicked, this, &QWidget::hide);
}

StepBuilderInput StepBuilderFrame::input() const
{
    return {m_totalSteps->text(), m_stepTime->text(), m_temp->text(),
            m_tempError->text(), m_shearRate->text(), m_recordRate->text()};
}

void StepBuilderFrame::onOk()
{
    const std::optional<QVector<SequenceStep>> steps = StepBuilder::build(input());
    if (!steps) {
        m_prompter->inform(this, StepBuilder::rangeTitle(), StepBuilder::rangeMessage());
        return;
    }
    hide();
    emit built(*steps);
}
