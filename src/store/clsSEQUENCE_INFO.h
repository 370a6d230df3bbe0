#pragma once
#include "tablegateway.h"

// Gateway of SEQUENCE_INFO: one row per stored test sequence.
class clsSEQUENCE_INFO : public TableGateway
{
public:
    clsSEQUENCE_INFO();

    // Attaches the connection, prepares the statements and loads the name list.
    void ConnectX(clsConnection *connection);
    void Refresh();
    // The rows array: after ConnectX, one column of names in name order.
    const RowsArray &JustName() const { return m_rows; }

    void SetDefaults() override;
    void GetSeqDetail();                 // by SEQUENCE_NAME
    void GetSeqDetailById(double id);    // by SEQUENCE_ID
    // Inserts the current fields; SEQUENCE_ID takes the key the database gave.
    // Throws StoreError(Duplicate) when the name is already stored.
    void AddNew();
    void Update();
    // Deletes the sequence(s) of SEQUENCE_NAME with their steps and ramp rows.
    void Delete();
    // Whether a sequence of this name is stored (exact, case-sensitive).
    bool Exists(const QString &name);

    QVariantList All();
    void setAll(const QVariantList &values);

    double SEQUENCE_ID = 0;
    QString SEQUENCE_NAME;
    double TIME_BEFORE_READ = 20;
    double RAMP_SAMPLE_RATE = 2;
    double SAMPLE_POINTS_AVERAGE = 5;
    double SHUT_DOWN_ATIME = 20;
    double SHUT_DOWN_VISC = 0;

    double SAMPLE_INTERVAL() const { return m_sampleInterval; }
    void setSAMPLE_INTERVAL(double v);   // rounded half to even

protected:
    void loadRow(int i) override;
    void prepareStatements() override;

private:
    void bindFields(QSqlQuery &q);

    int m_sampleInterval = 60;
    QSqlQuery m_byName, m_byId, m_names, m_insert, m_update, m_delete, m_deleteRamps, m_deleteDefine;
};
