#pragma once
#include "sequences/stepbuilder.h"
#include <QGroupBox>

class QLineEdit;
class Prompter;

// "Auto Step Builder": a run of identical steps that replaces the steps grid.
class StepBuilderFrame : public QGroupBox
{
    Q_OBJECT
public:
    StepBuilderFrame(Prompter *prompter, QWidget *parent = nullptr);

    StepBuilderInput input() const;

signals:
    void built(const QVector<SequenceStep> &steps);

private:
    void onOk();

    Prompter *m_prompter;
    QLineEdit *m_totalSteps;
    QLineEdit *m_stepTime;
    QLineEdit *m_temp;
    QLineEdit *m_tempError;
    QLineEdit *m_shearRate;
    QLineEdit *m_recordRate;
};
