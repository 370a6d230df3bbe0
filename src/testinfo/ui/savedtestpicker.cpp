#include "savedtestpicker.h"
#include "messageboxes.h"
#include "store/storeerror.h"
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

SavedTestPicker::SavedTestPicker(clsConnection *connection, const QString &caption, QWidget *parent)
    : QDialog(parent), m_store(connection)
{
    setWindowTitle(caption);

    Label1 = new QLabel(QStringLiteral("Please select saved test name:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    MSFlexGrid1 = new QTableWidget(0, 3, this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setHorizontalHeaderLabels({QStringLiteral("Test\nName"), QStringLiteral("Test\nTime"),
                                            QStringLiteral("Researcher\nName")});
    for (int c = 0; c < 3; ++c)
        MSFlexGrid1->horizontalHeaderItem(c)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    MSFlexGrid1->horizontalHeader()->setMinimumHeight(40);
    MSFlexGrid1->horizontalHeader()->setDefaultSectionSize(120);
    MSFlexGrid1->horizontalHeader()->setStretchLastSection(true);
    MSFlexGrid1->verticalHeader()->hide();
    MSFlexGrid1->setWordWrap(true);
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    MSFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    Label2 = new QLabel(QStringLiteral("or, please input your test result name:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    txtSeqName = new QLineEdit(this);
    txtSeqName->setObjectName(QStringLiteral("txtSeqName"));
    Label2->setBuddy(txtSeqName);
    cmdOk = new QPushButton(QStringLiteral("&OK"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    m_buttons = new QHBoxLayout;
    m_buttons->addStretch(1);
    m_buttons->addWidget(cmdOk);
    m_buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(MSFlexGrid1, 1);
    layout->addWidget(Label2);
    layout->addWidget(txtSeqName);
    layout->addLayout(m_buttons);
    resize(420, 360);

    connect(MSFlexGrid1, &QTableWidget::cellClicked, this, [this](int row, int) { takeRowName(row); });
    connect(MSFlexGrid1, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        takeRowName(row);
        rowDoubleClicked();
    });
    connect(cmdOk, &QPushButton::clicked, this, [this] { okClicked(); });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void SavedTestPicker::refill()
{
    MSFlexGrid1->setRowCount(0);
    QVector<SavedTestListing> list;
    try {
        list = m_store.list();
    } catch (const StoreError &e) {
        showMessage(e.text());
        return;
    }
    MSFlexGrid1->setRowCount(int(list.size()));
    for (int i = 0; i < list.size(); ++i) {
        const SavedTestListing &t = list.at(i);
        MSFlexGrid1->setItem(i, 0, new QTableWidgetItem(t.name));
        MSFlexGrid1->setItem(i, 1, new QTableWidgetItem(QLocale().toString(t.time, QLocale::ShortFormat)));
        MSFlexGrid1->setItem(i, 2, new QTableWidgetItem(t.researcher));
    }
    if (!list.isEmpty())
        MSFlexGrid1->setCurrentCell(0, 0);
}

void SavedTestPicker::showEvent(QShowEvent *event)
{
    // Tests stored or deleted since the last showing appear at once.
    if (!event->spontaneous())
        refill();
    QDialog::showEvent(event);
}

void SavedTestPicker::takeRowName(int row)
{
    if (const QTableWidgetItem *item = MSFlexGrid1->item(row, 0))
        txtSeqName->setText(item->text());
}

QString SavedTestPicker::chosenName() const
{
    return txtSeqName->text();
}

void SavedTestPicker::showMessage(const QString &text)
{
    TestInfoBoxes::inform(this, windowTitle(), text);
}
