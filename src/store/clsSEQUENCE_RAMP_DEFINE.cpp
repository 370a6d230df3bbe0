#include "clsSEQUENCE_RAMP_DEFINE.h"
#include "clsConnection.h"

using gateway::take;

clsSEQUENCE_RAMP_DEFINE::clsSEQUENCE_RAMP_DEFINE() : TableGateway(4)
{
    SetDefaults();
}

void clsSEQUENCE_RAMP_DEFINE::SetDefaults()
{
    SEQUENCE_DEF_ID = 0;
    SequenceId = 0;
    RAMP_STEP_NO = 0;
    RAMP_SHEAR_RATE = 0;
}

void clsSEQUENCE_RAMP_DEFINE::prepareStatements()
{
    m_detail = prepare(QStringLiteral(
        "SELECT SEQUENCE_DEF_ID, SEQUENCE_ID, RAMP_STEP_NO, RAMP_SHEAR_RATE FROM SEQUENCE_RAMP_DEFINE "
        "Where SEQUENCE_ID = ? ORDER BY RAMP_STEP_NO"));
    m_insert = prepare(QStringLiteral(
        "INSERT INTO SEQUENCE_RAMP_DEFINE (SEQUENCE_ID, RAMP_STEP_NO, RAMP_SHEAR_RATE) VALUES (?, ?, ?)"));
    m_delete = prepare(QStringLiteral("DELETE FROM SEQUENCE_RAMP_DEFINE WHERE SEQUENCE_ID = ?"));
}

void clsSEQUENCE_RAMP_DEFINE::ConnectX(clsConnection *connection)
{
    attach(connection);
    m_detail.bindValue(0, gateway::key(SequenceId));
    readRows(m_detail);
    m_current = 0;
    m_eof = m_rowCount == 0;
}

void clsSEQUENCE_RAMP_DEFINE::GetSeqDetail()
{
    ensurePrepared();
    m_detail.bindValue(0, gateway::key(SequenceId));
    readDetail(m_detail);
}

void clsSEQUENCE_RAMP_DEFINE::AddNew()
{
    ensurePrepared();
    m_insert.bindValue(0, gateway::key(SequenceId));
    m_insert.bindValue(1, RAMP_STEP_NO);
    m_insert.bindValue(2, RAMP_SHEAR_RATE);
    exec(m_insert);
}

void clsSEQUENCE_RAMP_DEFINE::Delete()
{
    ensurePrepared();
    m_delete.bindValue(0, gateway::key(SequenceId));
    exec(m_delete);
}

void clsSEQUENCE_RAMP_DEFINE::loadRow(int i)
{
    SetDefaults();
    const QVariantList &r = m_rows.row(i);
    take(r.value(0), SEQUENCE_DEF_ID);
    take(r.value(1), SequenceId);
    take(r.value(2), RAMP_STEP_NO);
    take(r.value(3), RAMP_SHEAR_RATE);
}

QVariantList clsSEQUENCE_RAMP_DEFINE::All()
{
    return {SEQUENCE_DEF_ID, SequenceId, RAMP_STEP_NO, RAMP_SHEAR_RATE};
}

void clsSEQUENCE_RAMP_DEFINE::setAll(const QVariantList &v)
{
    SEQUENCE_DEF_ID = v.value(0).toDouble();
    SequenceId = v.value(1).toDouble();
    RAMP_STEP_NO = v.value(2).toDouble();
    RAMP_SHEAR_RATE = v.value(3).toDouble();
}
