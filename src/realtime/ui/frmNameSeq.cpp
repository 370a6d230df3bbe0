#include "frmNameSeq.h"
#include "store/clsSEQUENCE_INFO.h"
#include "store/storeerror.h"
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmNameSeq::frmNameSeq(clsConnection *connection, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmNameSeq"));
    setWindowTitle(QStringLiteral("Naming the Test"));
    auto *prompt = new QLabel(QStringLiteral("Please select available test sequence name:"), this);
    lstSeqName = new QListWidget(this);
    lstSeqName->setObjectName(QStringLiteral("lstSeqName"));
    prompt->setBuddy(lstSeqName);
    lblProblem = new QLabel(this);
    lblProblem->setObjectName(QStringLiteral("lblProblem"));
    lblProblem->setWordWrap(true);
    lblProblem->hide();
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(lstSeqName, 1);
    layout->addWidget(lblProblem);
    layout->addLayout(buttons);
    resize(360, 320);

    connect(cmdOK, &QPushButton::clicked, this, [this] {
        const QListWidgetItem *item = lstSeqName->currentItem();
        emit SelectedTestName(item ? item->text() : QString());
    });
    connect(lstSeqName, &QListWidget::itemDoubleClicked, cmdOK, &QPushButton::click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::hide);
    fill(connection);
}

void frmNameSeq::fill(clsConnection *connection)
{
    try {
        clsSEQUENCE_INFO sequences;
        sequences.ConnectX(connection);
        const RowsArray &names = sequences.JustName();
        for (int row = 0; row < names.rowCount(); ++row)
            lstSeqName->addItem(names.at(0, row).toString());
    } catch (const StoreError &e) {
        lblProblem->setText(QStringLiteral("The test sequences could not be read: %1").arg(e.description()));
        lblProblem->show();
    }
    if (lstSeqName->count() > 0)
        lstSeqName->setCurrentRow(0);
}
