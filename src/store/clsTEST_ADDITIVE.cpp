#include "clsTEST_ADDITIVE.h"
#include "clsConnection.h"

using gateway::take;

clsTEST_ADDITIVE::clsTEST_ADDITIVE() : TableGateway(6)
{
    SetDefaults();
}

void clsTEST_ADDITIVE::SetDefaults()
{
    TESTADD_ID = 0;
    TESTId = 0;
    ADDITIVE_NM.clear();
    ADD_CONCEN = 0;
    ADD_UNIT.clear();
    ADD_LOTNO.clear();
}

void clsTEST_ADDITIVE::prepareStatements()
{
    m_detail = prepare(QStringLiteral(
        "SELECT TESTADD_ID, TEST_ID, ADDITIVE_NM, ADD_CONCEN, ADD_UNIT, ADD_LOTNO FROM TEST_ADDITIVE Where TEST_ID = ?"));
    m_insert = prepare(QStringLiteral(
        "INSERT INTO TEST_ADDITIVE (TEST_ID, ADDITIVE_NM, ADD_CONCEN, ADD_UNIT, ADD_LOTNO) VALUES (?, ?, ?, ?, ?)"));
    m_delete = prepare(QStringLiteral("DELETE FROM TEST_ADDITIVE WHERE TEST_ID = ?"));
}

void clsTEST_ADDITIVE::ConnectX(clsConnection *connection)
{
    attach(connection);
    m_detail.bindValue(0, gateway::key(TESTId));
    readRows(m_detail);
    m_current = 0;
    m_eof = m_rowCount == 0;
}

void clsTEST_ADDITIVE::GetSeqDetail()
{
    ensurePrepared();
    m_detail.bindValue(0, gateway::key(TESTId));
    readDetail(m_detail);
}

void clsTEST_ADDITIVE::AddNew()
{
    ensurePrepared();
    TESTADD_ID = 0;
    m_insert.bindValue(0, gateway::key(TESTId));
    bindText(m_insert, 1, ADDITIVE_NM, 40, "ADDITIVE_NM");
    m_insert.bindValue(2, ADD_CONCEN);
    bindText(m_insert, 3, ADD_UNIT, 40, "ADD_UNIT");
    bindText(m_insert, 4, ADD_LOTNO, 40, "ADD_LOTNO");
    exec(m_insert);
}

void clsTEST_ADDITIVE::Delete()
{
    ensurePrepared();
    m_delete.bindValue(0, gateway::key(TESTId));
    exec(m_delete);
}

void clsTEST_ADDITIVE::loadRow(int i)
{
    SetDefaults();
    const QVariantList &r = m_rows.row(i);
    take(r.value(0), TESTADD_ID);
    take(r.value(1), TESTId);
    take(r.value(2), ADDITIVE_NM);
    take(r.value(3), ADD_CONCEN);
    take(r.value(4), ADD_UNIT);
    take(r.value(5), ADD_LOTNO);
}

QVariantList clsTEST_ADDITIVE::All()
{
    return {TESTADD_ID, TESTId, ADDITIVE_NM, ADD_CONCEN, ADD_UNIT, ADD_LOTNO};
}

void clsTEST_ADDITIVE::setAll(const QVariantList &v)
{
    TESTADD_ID = v.value(0).toDouble();
    TESTId = v.value(1).toDouble();
    ADDITIVE_NM = v.value(2).toString();
    ADD_CONCEN = v.value(3).toDouble();
    ADD_UNIT = v.value(4).toString();
    ADD_LOTNO = v.value(5).toString();
}

TestAdditiveRow clsTEST_ADDITIVE::row() const
{
    TestAdditiveRow r;
    r.testAddId = qint64(TESTADD_ID);
    r.testId = qint64(TESTId);
    r.additiveName = ADDITIVE_NM;
    r.concentration = ADD_CONCEN;
    r.unit = ADD_UNIT;
    r.lotNo = ADD_LOTNO;
    return r;
}
