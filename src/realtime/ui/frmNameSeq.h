#pragma once
#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class clsConnection;

// "Naming the Test": picks one of the stored test sequences for a unit.
// OK raises SelectedTestName with the chosen name; Cancel hides the picker.
class frmNameSeq : public QDialog
{
    Q_OBJECT
public:
    explicit frmNameSeq(clsConnection *connection, QWidget *parent = nullptr);

    QListWidget *lstSeqName;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
    QLabel *lblProblem;   // shown only when the names could not be read

signals:
    void SelectedTestName(const QString &name);

private:
    void fill(clsConnection *connection);
};
