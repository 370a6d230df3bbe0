#pragma once
#include "testinfo/testinfostore.h"
#include <QDialog>

class QBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// What both saved-test pickers share: the list of stored tests (newest
// first), the name box a click fills, OK and Cancel. The pickers only name a
// test; the main window handles their signals and does the work.
class SavedTestPicker : public QDialog
{
    Q_OBJECT
public:
    QLabel *Label1;
    QTableWidget *MSFlexGrid1;
    QLabel *Label2;
    QLineEdit *txtSeqName;
    QPushButton *cmdOk;
    QPushButton *cmdCancel;

    // Reads the stored tests again into the list (done each time the picker
    // is shown).
    void refill();

protected:
    SavedTestPicker(clsConnection *connection, const QString &caption, QWidget *parent);
    void showEvent(QShowEvent *event) override;

    virtual void okClicked() = 0;
    // A double-click on a row, after the row's name went into the name box.
    virtual void rowDoubleClicked() = 0;

    QString chosenName() const;
    void showMessage(const QString &text);

    TestInfoStore m_store;
    QBoxLayout *m_buttons;

private:
    void takeRowName(int row);
};
