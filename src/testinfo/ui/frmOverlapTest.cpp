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
    // Only OK, Cancel or a double-click take the picker away; the program
    // hides it with hide().
    event->ignore();
}
