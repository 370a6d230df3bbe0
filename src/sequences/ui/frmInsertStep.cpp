#include "frmInsertStep.h"
#include "gridediting.h"
#include "prompter.h"
#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLineEdit *numberField(const QString &name, const QString &text, QWidget *parent)
{
    auto *edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setValidator(numberValidator(edit));
    return edit;
}
}

frmInsertStep::frmInsertStep(int unitSystem, const QString &stepNo, Prompter *prompter, QWidget *parent)
    : QDialog(parent), m_unitSystem(unitSystem), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmInsertStep"));
    setWindowTitle(QStringLiteral("Insert Step"));

    m_stepNo = numberField(QStringLiteral("txtStepNo"), stepNo, this);
    m_placement = new QComboBox(this);
    m_placement->setObjectName(QStringLiteral("cmbBeforeAfter"));
    m_placement->addItems({QStringLiteral("before"), QStringLiteral("after")});
    m_placement->setCurrentIndex(0);
    m_stepTime = numberField(QStringLiteral("txtStepTime"), QString(), this);
    m_stepTime->setToolTip(QStringLiteral("Enter a number >0 and <6300"));
    m_temp = numberField(QStringLiteral("txtTemp"), QString(), this);
    m_tempError = numberField(QStringLiteral("txtTempError"), QString(), this);
    m_shearRate = numberField(QStringLiteral("txtShearRate"), QString(), this);
    m_tempCaption = new QLabel(InsertStep::temperatureCaption(unitSystem), this);
    m_tempCaption->setObjectName(QStringLiteral("lblTemp"));

    auto *where = new QHBoxLayout;
    where->addWidget(new QLabel(QStringLiteral("Insert"), this));
    where->addWidget(m_placement);
    where->addWidget(new QLabel(QStringLiteral("step"), this));
    where->addWidget(m_stepNo);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Step Time (min)"), m_stepTime);
    form->addRow(m_tempCaption, m_temp);
    form->addRow(QStringLiteral("Temp Error (°F)"), m_tempError);
    form->addRow(QStringLiteral("Shear Rate (1/S)"), m_shearRate);

    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Please input test parameters:"), this));
    layout->addLayout(where);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &frmInsertStep::onOk);
    connect(m_cancel, &QPushButton::clicked, this, &frmInsertStep::onCancel);
    connect(m_shearRate, &QLineEdit::editingFinished, this, &frmInsertStep::onShearRateLeft);
}

InsertStepInput frmInsertStep::input() const
{
    InsertStepInput in;
    in.stepNo = m_stepNo->text();
    in.stepTime = m_stepTime->text();
    in.temp = m_temp->text();
    in.tempError = m_tempError->text();
    in.shearRate = m_shearRate->text();
    in.after = m_placement->currentIndex() == 1;
    return in;
}

QLineEdit *frmInsertStep::fieldOf(InsertStep::Field field) const
{
    switch (field) {
    case InsertStep::Field::StepTime: return m_stepTime;
    case InsertStep::Field::Temp: return m_temp;
    case InsertStep::Field::ShearRate: return m_shearRate;
    case InsertStep::Field::None: break;
    }
    return nullptr;
}

void frmInsertStep::onOk()
{
    const InsertStep::Problem problem = InsertStep::check(input(), m_unitSystem);
    if (!problem.ok()) {
        m_prompter->inform(this, problem.title, problem.message);
        if (QLineEdit *field = fieldOf(problem.field)) {
            field->setFocus();
            field->selectAll();
        }
        return;
    }
    mlCanceled = false;
    accept();
}

void frmInsertStep::onCancel()
{
    mlCanceled = true;
    reject();
}

void frmInsertStep::onShearRateLeft()
{
    // Enter or leaving for OK or Cancel: OK makes its own check, Cancel needs none.
    QWidget *next = QApplication::focusWidget();
    if (m_shearRate->hasFocus() || next == m_ok || next == m_cancel || !isVisible())
        return;
    const InsertStep::Problem problem = InsertStep::checkShearRateOnLeave(m_shearRate->text());
    if (!problem.ok())
        m_prompter->inform(this, problem.title, problem.message);
}
