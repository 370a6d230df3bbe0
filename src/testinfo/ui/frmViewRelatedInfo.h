#pragma once
#include "store/records.h"
#include "testinfoform.h"
#include <QVector>

// The information of a stored test, shown for editing. The dialog writes
// nothing: after a successful Save (mlCanceled false) the opener stores
// texts() with TestInfoStore::saveEdited.
class frmViewRelatedInfo : public TestInfoForm
{
    Q_OBJECT
public:
    explicit frmViewRelatedInfo(QWidget *parent = nullptr);

    // Fills the fields from the stored test. The bob number goes in before
    // the stored radius and length, so the stored values win over the bob
    // table.
    void fill(const TestInfoRow &info, const QVector<TestAdditiveRow> &additives);

protected:
    void okClicked() override;

private:
    void applyBobGeometry(const QString &bobNo);
};
