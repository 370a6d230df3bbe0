#include "clsSEQUENCE_INFO.h"
#include "clsConnection.h"
#include "storeerror.h"

using gateway::take;

namespace {
const char kColumns[] = "SELECT SEQUENCE_ID, SEQUENCE_NAME, TIME_BEFORE_READ, RAMP_SAMPLE_RATE, SAMPLE_POINTS_AVERAGE, "
                        "SHUT_DOWN_ATIME, SHUT_DOWN_VISC, SAMPLE_INTERVAL";
}

clsSEQUENCE_INFO::clsSEQUENCE_INFO() : TableGateway(8)
{
    SetDefaults();
}

void clsSEQUENCE_INFO::SetDefaults()
{
    SEQUENCE_ID = 0;
    SEQUENCE_NAME.clear();
    TIME_BEFORE_READ = 20;
    RAMP_SAMPLE_RATE = 2;
    SAMPLE_POINTS_AVERAGE = 5;
    SHUT_DOWN_ATIME = 20;
    SHUT_DOWN_VISC = 0;
    m_sampleInterval = 60;
}

void clsSEQUENCE_INFO::setSAMPLE_INTERVAL(double v)
{
    m_sampleInterval = gateway::roundHalfEven(v);
}

void clsSEQUENCE_INFO::prepareStatements()
{
    m_byName = prepare(QString::fromLatin1(kColumns) + QStringLiteral(" FROM SEQUENCE_INFO Where SEQUENCE_NAME = ?"));
    m_byId = prepare(QString::fromLatin1(kColumns) + QStringLiteral(" FROM SEQUENCE_INFO Where SEQUENCE_ID = ?"));
    m_names = prepare(QStringLiteral("SELECT SEQUENCE_NAME FROM SEQUENCE_INFO ORDER BY SEQUENCE_NAME"));
    m_insert = prepare(QStringLiteral(
        "INSERT INTO SEQUENCE_INFO (SEQUENCE_NAME, TIME_BEFORE_READ, RAMP_SAMPLE_RATE, SAMPLE_POINTS_AVERAGE, "
        "SHUT_DOWN_ATIME, SHUT_DOWN_VISC, SAMPLE_INTERVAL) VALUES (?, ?, ?, ?, ?, ?, ?) RETURNING SEQUENCE_ID"));
    m_update = prepare(QStringLiteral(
        "UPDATE SEQUENCE_INFO SET SEQUENCE_NAME = ?, TIME_BEFORE_READ = ?, RAMP_SAMPLE_RATE = ?, "
        "SAMPLE_POINTS_AVERAGE = ?, SHUT_DOWN_ATIME = ?, SHUT_DOWN_VISC = ?, SAMPLE_INTERVAL = ? WHERE SEQUENCE_ID = ?"));
    m_deleteRamps = prepare(QStringLiteral(
        "DELETE FROM SEQUENCE_RAMP WHERE SEQUENCE_ID IN (SELECT SEQUENCE_ID FROM SEQUENCE_INFO WHERE SEQUENCE_NAME = ?)"));
    m_deleteDefine = prepare(QStringLiteral(
        "DELETE FROM SEQUENCE_RAMP_DEFINE WHERE SEQUENCE_ID IN (SELECT SEQUENCE_ID FROM SEQUENCE_INFO WHERE SEQUENCE_NAME = ?)"));
    m_delete = prepare(QStringLiteral("DELETE FROM SEQUENCE_INFO WHERE SEQUENCE_NAME = ?"));
}

void clsSEQUENCE_INFO::ConnectX(clsConnection *connection)
{
    attach(connection);
    readRows(m_names);
}

void clsSEQUENCE_INFO::Refresh()
{
    // The name list kept by JustName is rebuilt only by ConnectX.
    ensurePrepared();
    exec(m_names);
    m_names.finish();
}

void clsSEQUENCE_INFO::GetSeqDetail()
{
    ensurePrepared();
    bindText(m_byName, 0, SEQUENCE_NAME, 40, "SEQUENCE_NAME");
    readDetail(m_byName);
}

void clsSEQUENCE_INFO::GetSeqDetailById(double id)
{
    ensurePrepared();
    m_byId.bindValue(0, gateway::key(id));
    readDetail(m_byId);
}

bool clsSEQUENCE_INFO::Exists(const QString &name)
{
    ensurePrepared();
    bindText(m_byName, 0, name, 40, "SEQUENCE_NAME");
    m_byName.setForwardOnly(true);
    exec(m_byName);
    const bool found = m_byName.next();
    m_byName.finish();
    return found;
}

void clsSEQUENCE_INFO::bindFields(QSqlQuery &q)
{
    bindText(q, 0, SEQUENCE_NAME, 40, "SEQUENCE_NAME");
    q.bindValue(1, TIME_BEFORE_READ);
    q.bindValue(2, RAMP_SAMPLE_RATE);
    q.bindValue(3, SAMPLE_POINTS_AVERAGE);
    q.bindValue(4, SHUT_DOWN_ATIME);
    q.bindValue(5, SHUT_DOWN_VISC);
    q.bindValue(6, double(m_sampleInterval));
}

void clsSEQUENCE_INFO::AddNew()
{
    ensurePrepared();
    bindFields(m_insert);
    exec(m_insert);
    if (m_insert.next())
        SEQUENCE_ID = m_insert.value(0).toDouble();
    m_insert.finish();
    Refresh();
}

void clsSEQUENCE_INFO::Update()
{
    ensurePrepared();
    bindFields(m_update);
    m_update.bindValue(7, gateway::key(SEQUENCE_ID));
    exec(m_update);
}

void clsSEQUENCE_INFO::Delete()
{
    ensurePrepared();
    // The steps and the ramp staircase go with their sequence, all or nothing.
    connection()->inTransaction([&] {
        for (QSqlQuery *q : {&m_deleteRamps, &m_deleteDefine, &m_delete}) {
            bindText(*q, 0, SEQUENCE_NAME, 40, "SEQUENCE_NAME");
            exec(*q);
        }
    });
    Refresh();
}

void clsSEQUENCE_INFO::loadRow(int i)
{
    SetDefaults();
    const QVariantList &r = m_rows.row(i);
    take(r.value(0), SEQUENCE_ID);
    take(r.value(1), SEQUENCE_NAME);
    take(r.value(2), TIME_BEFORE_READ);
    take(r.value(3), RAMP_SAMPLE_RATE);
    take(r.value(4), SAMPLE_POINTS_AVERAGE);
    take(r.value(5), SHUT_DOWN_ATIME);
    take(r.value(6), SHUT_DOWN_VISC);
    take(r.value(7), m_sampleInterval);
}

QVariantList clsSEQUENCE_INFO::All()
{
    return {SEQUENCE_ID, SEQUENCE_NAME, TIME_BEFORE_READ, RAMP_SAMPLE_RATE, SAMPLE_POINTS_AVERAGE,
            SHUT_DOWN_ATIME, SHUT_DOWN_VISC, m_sampleInterval};
}

void clsSEQUENCE_INFO::setAll(const QVariantList &v)
{
    SEQUENCE_ID = v.value(0).toDouble();
    SEQUENCE_NAME = v.value(1).toString();
    TIME_BEFORE_READ = v.value(2).toDouble();
    RAMP_SAMPLE_RATE = v.value(3).toDouble();
    SAMPLE_POINTS_AVERAGE = v.value(4).toDouble();
    SHUT_DOWN_ATIME = v.value(5).toDouble();
    SHUT_DOWN_VISC = v.value(6).toDouble();
    setSAMPLE_INTERVAL(v.value(7).toDouble());
}
