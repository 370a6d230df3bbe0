#include "messageboxes.h"
#include <QMessageBox>
#include <QPointer>

namespace TestInfoBoxes {

void inform(QWidget *parent, const QString &title, const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void confirm(QWidget *parent, const QString &title, const QString &text, std::function<void(bool)> done)
{
    auto *box = new QMessageBox(QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box->setDefaultButton(QMessageBox::Cancel);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QMessageBox::finished, box, [box, done = std::move(done)](int) {
        done(box->standardButton(box->clickedButton()) == QMessageBox::Ok);
    });
    box->open();
}

} // namespace TestInfoBoxes
