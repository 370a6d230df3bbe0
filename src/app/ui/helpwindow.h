#pragma once
#include <QDialog>

// The user manual shipped with the program.
class HelpWindow : public QDialog
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);
    static HelpWindow *showManual(QWidget *parent);
};
