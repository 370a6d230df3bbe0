#pragma once
#include <QDialog>

// "About": product, version and a logo.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);
};
