#pragma once
#include "sequences/insertstep.h"
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Prompter;

// "Insert Step": the values of one new step and where it goes. The opener
// reads mlCanceled and the input after the dialog has finished and does the
// inserting itself.
class frmInsertStep : public QDialog
{
    Q_OBJECT
public:
    frmInsertStep(int unitSystem, const QString &stepNo, Prompter *prompter,
                  QWidget *parent = nullptr);

    bool mlCanceled = true;
    InsertStepInput input() const;
    int unitSystem() const { return m_unitSystem; }

private:
    void onOk();
    void onCancel();
    void onShearRateLeft();
    QLineEdit *fieldOf(InsertStep::Field field) const;

    int m_unitSystem;
    Prompter *m_prompter;
    QLineEdit *m_stepNo;
    QComboBox *m_placement;
    QLineEdit *m_stepTime;
    QLabel *m_tempCaption;
    QLineEdit *m_temp;
    QLineEdit *m_tempError;
    QLineEdit *m_shearRate;
    QPushButton *m_ok;
    QPushButton *m_cancel;
};
