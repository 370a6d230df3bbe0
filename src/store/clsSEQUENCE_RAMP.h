#pragma once
#include "tablegateway.h"

// Gateway of SEQUENCE_RAMP: the timed steps of a sequence.
class clsSEQUENCE_RAMP : public TableGateway
{
public:
    clsSEQUENCE_RAMP();

    void ConnectX(clsConnection *connection);
    void Refresh() {}
    void SetDefaults() override;
    void GetSeqDetail();        // steps of SequenceId in RAMP_NO order
    void AddNew();
    void Update() {}
    void Delete();              // all steps of SequenceId
    QVariantList All();
    void setAll(const QVariantList &values);

    double SEQUENCE_RAMP_ID = 0;
    double SequenceId = 0;
    double RAMPNO = 1;
    double RAMP_ELAPSE_TIME = 0;
    double RAMP_TEMP = 0;
    double RAMP_START_ERROR = 0;
    double SHEAR_RATE = 100;
    double RUN_RAMP = 1;
    double RECORD_RATE = 20;

protected:
    void loadRow(int i) override;
    void prepareStatements() override;

private:
    QSqlQuery m_detail, m_insert, m_delete;
};
