#include "testinfoform.h"
#include "additivesgrid.h"
#include "messageboxes.h"
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit *lineEdit(const char *name, int maxLength, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

} // namespace

TestInfoForm::TestInfoForm(const QString &okText, const QString &cancelText, QWidget *parent) : QDialog(parent)
{
    const int text = TestInfoEntry::TextColumnWidth;
    txtTestName = lineEdit("txtTestName", text, this);
    txtFluidId = lineEdit("txtFluidId", text, this);
    txtTestDate = lineEdit("txtTestDate", 0, this);
    txtResearchName = lineEdit("txtResearchName", text, this);
    txtRotoNo = lineEdit("txtRotoNo", text, this);
    txtBobNo = lineEdit("txtBobNo", text, this);
    txtBobRadius = lineEdit("txtBobRadius", 0, this);
    txtBobLength = lineEdit("txtBobLength", 0, this);
    txtPreTestPH = lineEdit("txtPreTestPH", 0, this);
    txtPostTestPH = lineEdit("txtPostTestPH", 0, this);
    txtSAFETY = new QPlainTextEdit(this);
    txtSAFETY->setObjectName(QStringLiteral("txtSAFETY"));
    txtSAFETY->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtSAFETY->setTabChangesFocus(true);
    MSFlexGrid1 = new AdditivesGrid(this);
    cmdok = new QPushButton(okText, this);
    cmdok->setObjectName(QStringLiteral("cmdok"));
    cmdok->setAutoDefault(false);
    cmdCancel = new QPushButton(cancelText, this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);

    struct Field { const char *label; const char *labelName; QWidget *field; bool shown; };
    const Field left[] = {
        {"Test Name:", "lblTestName", txtTestName, true},
        {"Fluid ID:", "lblFluidId", txtFluidId, true},
        {"Test Date:", "lblTestDate", txtTestDate, false},
        {"Researcher's Name:", "lblResearchName", txtResearchName, true},
    };
    const Field right[] = {
        {"Rotor Number:", "lblRotoNo", txtRotoNo, true},
        {"Bob Number:", "lblBobNo", txtBobNo, true},
        {"Bob Radius (cm):", "lblBobRadius", txtBobRadius, false},
        {"Bob Effective Length (cm):", "lblBobLength", txtBobLength, false},
        {"Pre-Test pH:", "lblPreTestPH", txtPreTestPH, true},
        {"Post-Test pH:", "lblPostTestPH", txtPostTestPH, true},
    };
    auto *fields = new QGridLayout;
    auto place = [&](const Field &f, int row, int column) {
        auto *label = new QLabel(QString::fromLatin1(f.label), this);
        label->setObjectName(QLatin1String(f.labelName));
        label->setBuddy(f.field);
        fields->addWidget(label, row, column);
        fields->addWidget(f.field, row, column + 1);
        // Hidden fields carry their values but show neither field nor label.
        label->setVisible(f.shown);
        f.field->setVisible(f.shown);
    };
    int row = 0;
    for (const Field &f : left)
        place(f, row++, 0);
    row = 0;
    for (const Field &f : right)
        place(f, row++, 2);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);

    auto *notesLabel = new QLabel(QStringLiteral("Description, Notes and Comments:"), this);
    notesLabel->setObjectName(QStringLiteral("lblSAFETY"));
    notesLabel->setBuddy(txtSAFETY);
    auto *additivesLabel = new QLabel(QStringLiteral("Additives:"), this);
    additivesLabel->setObjectName(QStringLiteral("lblAdditives"));
    additivesLabel->setBuddy(MSFlexGrid1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdok);
    buttons->addWidget(cmdCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(notesLabel);
    layout->addWidget(txtSAFETY, 1);
    layout->addWidget(additivesLabel);
    layout->addWidget(MSFlexGrid1, 2);
    layout->addLayout(buttons);

    setWindowTitle(QStringLiteral("KX720pH Test Related Information"));
    resize(640, 600);

    connect(cmdok, &QPushButton::clicked, this, [this] { okClicked(); });
    connect(cmdCancel, &QPushButton::clicked, this, &TestInfoForm::reject);
}

TestInfoEntry::Texts TestInfoForm::texts() const
{
    MSFlexGrid1->commitPendingEdit();
    TestInfoEntry::Texts t;
    t.testName = txtTestName->text();
    t.fluidId = txtFluidId->text();
    t.testDate = txtTestDate->text();
    t.researcherName = txtResearchName->text();
    t.rotorNo = txtRotoNo->text();
    t.bobNo = txtBobNo->text();
    t.bobRadius = txtBobRadius->text();
    t.bobLength = txtBobLength->text();
    t.preTestPH = txtPreTestPH->text();
    t.postTestPH = txtPostTestPH->text();
    t.safety = txtSAFETY->toPlainText();
    t.additives = MSFlexGrid1->cells();
    return t;
}

void TestInfoForm::setFieldTexts(const TestInfoEntry::Texts &t)
{
    txtTestName->setText(t.testName);
    txtFluidId->setText(t.fluidId);
    txtTestDate->setText(t.testDate);
    txtResearchName->setText(t.researcherName);
    txtRotoNo->setText(t.rotorNo);
    txtBobNo->setText(t.bobNo);
    txtBobRadius->setText(t.bobRadius);
    txtBobLength->setText(t.bobLength);
    txtPreTestPH->setText(t.preTestPH);
    txtPostTestPH->setText(t.postTestPH);
    txtSAFETY->setPlainText(t.safety);
    MSFlexGrid1->setCells(t.additives);
}

void TestInfoForm::showMessage(const QString &text)
{
    TestInfoBoxes::inform(this, windowTitle(), text);
}

void TestInfoForm::acceptEntry()
{
    mlCanceled = false;
    accept();
}

void TestInfoForm::reject()
{
    mlCanceled = true;
    QDialog::reject();
}
