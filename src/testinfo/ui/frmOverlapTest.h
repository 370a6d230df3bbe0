#pragma once
#include "savedtestpicker.h"

// Chooses a saved test to draw over the open one. OK raises OverSelected and
// leaves the picker shown (the main window hides it when the overlay is
// drawn); a double-click hides it and then raises OverSelected. Every close
// request (the close box included) is refused: only OK, Cancel, Escape or a
// double-click take it away, and the main window uses hide().
class frmOverlapTest : public SavedTestPicker
{
    Q_OBJECT
public:
    explicit frmOverlapTest(clsConnection *connection, QWidget *parent = nullptr);

signals:
    void OverSelected(const QString &name);

protected:
    void okClicked() override;
    void rowDoubleClicked() override;
    void closeEvent(QCloseEvent *event) override;
};
