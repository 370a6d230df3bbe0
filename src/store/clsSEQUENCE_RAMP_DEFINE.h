#pragma once
#include "tablegateway.h"

// Gateway of SEQUENCE_RAMP_DEFINE: the shear-rate staircase of a sequence.
class clsSEQUENCE_RAMP_DEFINE : public TableGateway
{
public:
    clsSEQUENCE_RAMP_DEFINE();

    void ConnectX(clsConnection *connection);
    void Refresh() {}
    void SetDefaults() override;
    void GetSeqDetail();        // ramp steps of SequenceId in RAMP_STEP_NO order
    void AddNew();
    void Update() {}
    void Delete();              // all ramp steps of SequenceId
    int RampSteps() const { return m_rowCount; }
    QVariantList All();
    void setAll(const QVariantList &values);

    double SEQUENCE_DEF_ID = 0;
    double SequenceId = 0;
    double RAMP_STEP_NO = 0;
    double RAMP_SHEAR_RATE = 0;

protected:
    void loadRow(int i) override;
    void prepareStatements() override;

private:
    QSqlQuery m_detail, m_insert, m_delete;
};
