#include "prompter.h"
#include <QInputDialog>
#include <QMessageBox>

void DialogPrompter::inform(QWidget *parent, const QString &title, const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void DialogPrompter::confirm(QWidget *parent, const QString &title, const QString &text,
                             std::function<void(bool)> done)
{
    auto *box = new QMessageBox(QMessageBox::Question, title, text,
                                QMessageBox::Ok | QMessageBox::Cancel, parent);
    box->setDefaultButton(QMessageBox::Cancel);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QMessageBox::finished, box, [box, done = std::move(done)](int) {
        done(box->standardButton(box->clickedButton()) == QMessageBox::Ok);
    });
    box->open();
}

void DialogPrompter::askText(QWidget *parent, const QString &title, const QString &prompt,
                             std::function<void(std::optional<QString>)> done)
{
    auto *dialog = new QInputDialog(parent);
    dialog->setWindowTitle(title);
    dialog->setLabelText(prompt);
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QInputDialog::finished, dialog, [dialog, done = std::move(done)](int result) {
        if (result == QDialog::Accepted)
            done(dialog->textValue());
        else
            done(std::nullopt);
    });
    dialog->open();
}
