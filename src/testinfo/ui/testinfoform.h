#pragma once
#include "testinfo/testinfoentry.h"
#include <QDialog>

class AdditivesGrid;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The fields, labels, additives grid and buttons shared by the entry and the
// view/edit dialogs. mlCanceled is true until a successful OK/Save; Cancel
// and the close box set it again.
class TestInfoForm : public QDialog
{
    Q_OBJECT
public:
    bool mlCanceled = true;

    // The texts as they stand, with an open cell edit written into its cell.
    TestInfoEntry::Texts texts() const;

    QLineEdit *txtTestName;
    QLineEdit *txtFluidId;
    QLineEdit *txtTestDate;        // hidden
    QLineEdit *txtResearchName;
    QLineEdit *txtRotoNo;
    QLineEdit *txtBobNo;
    QLineEdit *txtBobRadius;       // hidden
    QLineEdit *txtBobLength;       // hidden
    QLineEdit *txtPreTestPH;
    QLineEdit *txtPostTestPH;
    QPlainTextEdit *txtSAFETY;
    AdditivesGrid *MSFlexGrid1;
    QPushButton *cmdok;
    QPushButton *cmdCancel;

public slots:
    void reject() override;        // Cancel, Escape and the close box

protected:
    TestInfoForm(const QString &okText, const QString &cancelText, QWidget *parent);
    // Field texts in no particular order (fill orders are the subclasses').
    void setFieldTexts(const TestInfoEntry::Texts &texts);
    void showMessage(const QString &text);
    // A successful OK/Save: hide with mlCanceled false.
    void acceptEntry();

    virtual void okClicked() = 0;
};
