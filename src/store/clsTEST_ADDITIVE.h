#pragma once
#include "records.h"
#include "tablegateway.h"

// Gateway of TEST_ADDITIVE: the additives of a test's fluid.
class clsTEST_ADDITIVE : public TableGateway
{
public:
    clsTEST_ADDITIVE();

    void ConnectX(clsConnection *connection);
    void Refresh() {}
    void SetDefaults() override;
    void GetSeqDetail();                  // additives of TESTId
    void AddNew();                        // TESTADD_ID := 0, insert
    void Update() {}
    void Delete();                        // every additive of TESTId
    QVariantList All();
    void setAll(const QVariantList &values);
    TestAdditiveRow row() const;

    double TESTADD_ID = 0;
    double TESTId = 0;
    QString ADDITIVE_NM;
    double ADD_CONCEN = 0;
    QString ADD_UNIT;
    QString ADD_LOTNO;

protected:
    void loadRow(int i) override;
    void prepareStatements() override;

private:
    QSqlQuery m_detail, m_insert, m_delete;
};
