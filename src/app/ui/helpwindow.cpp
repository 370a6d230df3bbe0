#include "helpwindow.h"
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QStringLiteral("KX720pH Help"));
    auto *layout = new QVBoxLayout(this);
    auto *browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("helpBrowser"));
    browser->setOpenExternalLinks(true);
    browser->setSource(QUrl(QStringLiteral("qrc:/manual/manual.html")));
    layout->addWidget(browser);
    resize(760, 640);
}

HelpWindow *HelpWindow::showManual(QWidget *parent)
{
    auto *window = new HelpWindow(parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}
