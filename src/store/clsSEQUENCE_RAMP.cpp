#include "clsSEQUENCE_RAMP.h"
#include "clsConnection.h"

using gateway::take;

clsSEQUENCE_RAMP::clsSEQUENCE_RAMP() : TableGateway(9)
{
    SetDefaults();
}

void clsSEQUENCE_RAMP::SetDefaults()
{
    SEQUENCE_RAMP_ID = 0;
    SequenceId = 0;
    RAMPNO = 1;
    RAMP_ELAPSE_TIME = 0;
    RAMP_TEMP = 0;
    RAMP_START_ERROR = 0;
    SHEAR_RATE = 100;
    RUN_RAMP = 1;
    RECORD_RATE = 20;
}

void clsSEQUENCE_RAMP::prepareStatements()
{
    m_detail = prepare(QStringLiteral(
        "SELECT SEQUENCE_RAMP_ID, SEQUENCE_ID, RAMP_NO, RAMP_ELAPSE_TIME, RAMP_TEMP, RAMP_START_ERROR, SHEAR_RATE, "
        "RUN_RAMP, RECORD_RATE FROM SEQUENCE_RAMP Where SEQUENCE_ID = ? ORDER BY RAMP_NO"));
    m_insert = prepare(QStringLiteral(
        "INSERT INTO SEQUENCE_RAMP (SEQUENCE_ID, RAMP_NO, RAMP_ELAPSE_TIME, RAMP_TEMP, RAMP_START_ERROR, SHEAR_RATE, "
        "RUN_RAMP, RECORD_RATE) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    m_delete = prepare(QStringLiteral("DELETE FROM SEQUENCE_RAMP WHERE SEQUENCE_ID = ?"));
}

void clsSEQUENCE_RAMP::ConnectX(clsConnection *connection)
{
    attach(connection);
    // Rows are taken but not loaded into the fields.
    m_detail.bindValue(0, gateway::key(SequenceId));
    readRows(m_detail);
    m_current = 0;
    m_eof = m_rowCount == 0;
}

void clsSEQUENCE_RAMP::GetSeqDetail()
{
    ensurePrepared();
    m_detail.bindValue(0, gateway::key(SequenceId));
    readDetail(m_detail);
}

void clsSEQUENCE_RAMP::AddNew()
{
    ensurePrepared();
    m_insert.bindValue(0, gateway::key(SequenceId));
    m_insert.bindValue(1, RAMPNO);
    m_insert.bindValue(2, RAMP_ELAPSE_TIME);
    m_insert.bindValue(3, RAMP_TEMP);
    m_insert.bindValue(4, RAMP_START_ERROR);
    m_insert.bindValue(5, SHEAR_RATE);
    m_insert.bindValue(6, RUN_RAMP);
    m_insert.bindValue(7, RECORD_RATE);
    exec(m_insert);
}

void clsSEQUENCE_RAMP::Delete()
{
    ensurePrepared();
    m_delete.bindValue(0, gateway::key(SequenceId));
    exec(m_delete);
}

void clsSEQUENCE_RAMP::loadRow(int i)
{
    SetDefaults();
    const QVariantList &r = m_rows.row(i);
    take(r.value(0), SEQUENCE_RAMP_ID);
    take(r.value(1), SequenceId);
    take(r.value(2), RAMPNO);
    take(r.value(3), RAMP_ELAPSE_TIME);
    take(r.value(4), RAMP_TEMP);
    take(r.value(5), RAMP_START_ERROR);
    take(r.value(6), SHEAR_RATE);
    take(r.value(7), RUN_RAMP);
    take(r.value(8), RECORD_RATE);
}

QVariantList clsSEQUENCE_RAMP::All()
{
    return {SEQUENCE_RAMP_ID, SequenceId, RAMPNO, RAMP_ELAPSE_TIME, RAMP_TEMP, RAMP_START_ERROR,
            SHEAR_RATE, RUN_RAMP, RECORD_RATE};
}

void clsSEQUENCE_RAMP::setAll(const QVariantList &v)
{
    SEQUENCE_RAMP_ID = v.value(0).toDouble();
    SequenceId = v.value(1).toDouble();
    RAMPNO = v.value(2).toDouble();
    RAMP_ELAPSE_TIME = v.value(3).toDouble();
    RAMP_TEMP = v.value(4).toDouble();
    RAMP_START_ERROR = v.value(5).toDouble();
    SHEAR_RATE = v.value(6).toDouble();
    RUN_RAMP = v.value(7).toDouble();
    RECORD_RATE = v.value(8).toDouble();
}
