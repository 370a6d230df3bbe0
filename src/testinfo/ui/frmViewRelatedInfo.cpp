#include "frmViewRelatedInfo.h"
#include "additivesgrid.h"
#include "testinfo/rotorbobrules.h"
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

frmViewRelatedInfo::frmViewRelatedInfo(QWidget *parent)
    : TestInfoForm(QStringLiteral("&Save"), QStringLiteral("&Return"), parent)
{
    setObjectName(QStringLiteral("frmViewRelatedInfo"));
    setWindowTitle(QStringLiteral("Test Related Information"));
    TestInfoEntry::Texts defaults = TestInfoEntry::entryDefaults();
    defaults.bobRadius = QStringLiteral("1.5987");
    defaults.bobLength = QStringLiteral("7.620");
    setFieldTexts(defaults);
    // Name, rotor and bob belong to the run; they are shown, not edited.
    txtTestName->setReadOnly(true);
    txtRotoNo->setReadOnly(true);
    txtBobNo->setReadOnly(true);
    connect(txtBobNo, &QLineEdit::textChanged, this, &frmViewRelatedInfo::applyBobGeometry);
}

void frmViewRelatedInfo::applyBobGeometry(const QString &bobNo)
{
    if (const auto g = RotorBobRules::bobGeometry(bobNo)) {
        txtBobRadius->setText(g->radius);
        txtBobLength->setText(g->length);
    }
}

void frmViewRelatedInfo::fill(const TestInfoRow &info, const QVector<TestAdditiveRow> &additives)
{
    const TestInfoEntry::Texts t = TestInfoEntry::textsOf(info, additives);
    txtTestName->setText(t.testName);
    txtFluidId->setText(t.fluidId);
    txtTestDate->setText(t.testDate);
    txtBobNo->setText(t.bobNo);
    txtRotoNo->setText(t.rotorNo);
    txtBobRadius->setText(t.bobRadius);
    txtBobLength->setText(t.bobLength);
    txtPreTestPH->setText(t.preTestPH);
    txtPostTestPH->setText(t.postTestPH);
    txtResearchName->setText(t.researcherName);
    txtSAFETY->setPlainText(t.safety);
    MSFlexGrid1->setCells(t.additives);
}

void frmViewRelatedInfo::okClicked()
{
    const TestInfoEntry::Refusal refusal = TestInfoEntry::checkEdit(texts());
    if (refusal != TestInfoEntry::Refusal::None) {
        showMessage(TestInfoEntry::message(refusal));
        return;
    }
    acceptEntry();
}
