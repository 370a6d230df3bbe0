#include "frmOverlapTest.h"
#include <QCloseEvent>

frmOverlapTest::frmOverlapTest(clsConnection *connection, QWidget *parent)
    : SavedTestPicker(connection, QStringLiteral("Overlap Saved Test"), parent)
{
    setObjectName(QStringLiteral("frmOverlapTest"));
}

void frmOverlapTest::okClicked()
{
    emit OverSelected(chosenName());
}

void frmOverlapTest::rowDoubleClicked()
{
    const QString name = chosenName();
    accept();
    emit OverSelected(name);
}

void frmOverlapTest::closeEvent(QCloseEvent *event)
{
    // The user's close box is refused; a close by the program (the main
    // window ending) goes through.
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
