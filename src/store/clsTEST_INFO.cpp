#include "clsTEST_INFO.h"
#include "clsConnection.h"
#include "storeerror.h"

using gateway::take;

namespace {
const char kColumns[] = "SELECT TEST_ID, TEST_NAME, FLUID_ID, TEST_TIME, RESEARCHER_NAME, ROTOR_NO, BOB_NO, "
                        "BOB_RADIUS, BOB_EFF_LENGTH, PRETEST_PH, POSTTEST_PH, SAFETY";

QVariant timeValue(const QDateTime &t)
{
    // One text form on every back end; it sorts chronologically.
    return QVariant(t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}
} // namespace

clsTEST_INFO::clsTEST_INFO() : TableGateway(12)
{
    SetDefaults();
}

QDateTime clsTEST_INFO::nullDate()
{
    return QDateTime(QDate(1800, 1, 1), QTime(0, 0));
}

void clsTEST_INFO::SetDefaults()
{
    Test_Id = 0;
    TEST_NAME.clear();
    Fluid_ID.clear();
    TEST_TIME = QDateTime::currentDateTime();
    RESEARCHER_NAME = QStringLiteral("UNKOWN");
    ROTOR_NO = QStringLiteral("R1");
    BOB_NO = QStringLiteral("B5");
    BOB_RADIUS = 1.5987;
    BOB_EFF_LENGTH = 7.62;
    PreTest_PH = 7;
    PostTest_PH = 7;
    SAFETY.clear();
}

void clsTEST_INFO::prepareStatements()
{
    m_byName = prepare(QString::fromLatin1(kColumns) + QStringLiteral(" FROM TEST_INFO Where TEST_NAME = ?"));
    m_byId = prepare(QString::fromLatin1(kColumns) + QStringLiteral(" FROM TEST_INFO Where TEST_ID = ?"));
    m_list = prepare(QStringLiteral(
        "SELECT TEST_NAME, TEST_TIME, RESEARCHER_NAME FROM TEST_INFO ORDER BY TEST_TIME DESC NULLS LAST, TEST_ID DESC"));
    m_insert = prepare(QStringLiteral(
        "INSERT INTO TEST_INFO (TEST_NAME, FLUID_ID, TEST_TIME, RESEARCHER_NAME, ROTOR_NO, BOB_NO, BOB_RADIUS, "
        "BOB_EFF_LENGTH, PRETEST_PH, POSTTEST_PH, SAFETY) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING TEST_ID"));
    m_update = prepare(QStringLiteral(
        "UPDATE TEST_INFO SET TEST_NAME = ?, FLUID_ID = ?, TEST_TIME = ?, RESEARCHER_NAME = ?, ROTOR_NO = ?, BOB_NO = ?, "
        "BOB_RADIUS = ?, BOB_EFF_LENGTH = ?, PRETEST_PH = ?, POSTTEST_PH = ?, SAFETY = ? WHERE TEST_ID = ?"));
    m_deleteResults = prepare(QStringLiteral(
        "DELETE FROM TEST_RESULT WHERE TEST_ID IN (SELECT TEST_ID FROM TEST_INFO WHERE TEST_NAME = ?)"));
    m_deleteAdditives = prepare(QStringLiteral(
        "DELETE FROM TEST_ADDITIVE WHERE TEST_ID IN (SELECT TEST_ID FROM TEST_INFO WHERE TEST_NAME = ?)"));
    m_delete = prepare(QStringLiteral("DELETE FROM TEST_INFO WHERE TEST_NAME = ?"));
}

void clsTEST_INFO::ConnectX(clsConnection *connection)
{
    attach(connection);
    readRows(m_list);
    m_current = 0;
    m_eof = m_rowCount == 0;
}

void clsTEST_INFO::GetTestDetail()
{
    ensurePrepared();
    bindText(m_byName, 0, TEST_NAME, 40, "TEST_NAME");
    readDetail(m_byName);
}

void clsTEST_INFO::GetTestDetailById(qint64 id)
{
    ensurePrepared();
    m_byId.bindValue(0, id);
    readDetail(m_byId);
}

bool clsTEST_INFO::Exists(const QString &name)
{
    ensurePrepared();
    bindText(m_byName, 0, name, 40, "TEST_NAME");
    m_byName.setForwardOnly(true);
    exec(m_byName);
    const bool found = m_byName.next();
    m_byName.finish();
    return found;
}

void clsTEST_INFO::bindFields(QSqlQuery &q, bool nullForOldDate)
{
    bindText(q, 0, TEST_NAME, 40, "TEST_NAME");
    bindText(q, 1, Fluid_ID, 40, "FLUID_ID");
    if (nullForOldDate && TEST_TIME == nullDate())
        q.bindValue(2, QVariant(QMetaType::fromType<QString>()));
    else
        q.bindValue(2, timeValue(TEST_TIME));
    bindText(q, 3, RESEARCHER_NAME, 40, "RESEARCHER_NAME");
    bindText(q, 4, ROTOR_NO, 40, "ROTOR_NO");
    bindText(q, 5, BOB_NO, 40, "BOB_NO");
    q.bindValue(6, BOB_RADIUS);
    q.bindValue(7, BOB_EFF_LENGTH);
    q.bindValue(8, PreTest_PH);
    q.bindValue(9, PostTest_PH);
    bindText(q, 10, SAFETY, 1000, "SAFETY");
}

void clsTEST_INFO::AddNew()
{
    ensurePrepared();
    bindFields(m_insert, false);
    exec(m_insert);
    if (m_insert.next())
        Test_Id = m_insert.value(0).toDouble();
    m_insert.finish();
}

void clsTEST_INFO::Update()
{
    ensurePrepared();
    bindFields(m_update, true);
    m_update.bindValue(11, gateway::key(Test_Id));
    exec(m_update);
}

void clsTEST_INFO::Delete()
{
    ensurePrepared();
    // Samples and additives go with their test, all or nothing.
    connection()->inTransaction([&] {
        for (QSqlQuery *q : {&m_deleteResults, &m_deleteAdditives, &m_delete}) {
            bindText(*q, 0, TEST_NAME, 40, "TEST_NAME");
            exec(*q);
        }
    });
}

void clsTEST_INFO::loadRow(int i)
{
    SetDefaults();
    const QVariantList &r = m_rows.row(i);
    take(r.value(0), Test_Id);
    take(r.value(1), TEST_NAME);
    take(r.value(2), Fluid_ID);
    take(r.value(3), TEST_TIME);
    take(r.value(4), RESEARCHER_NAME);
    take(r.value(5), ROTOR_NO);
    take(r.value(6), BOB_NO);
    take(r.value(7), BOB_RADIUS);
    take(r.value(8), BOB_EFF_LENGTH);
    take(r.value(9), PreTest_PH);
    take(r.value(10), PostTest_PH);
    take(r.value(11), SAFETY);
}

QVariantList clsTEST_INFO::All()
{
    return {Test_Id, TEST_NAME, Fluid_ID, TEST_TIME, RESEARCHER_NAME, ROTOR_NO, BOB_NO,
            BOB_RADIUS, BOB_EFF_LENGTH, PreTest_PH, PostTest_PH, SAFETY};
}

void clsTEST_INFO::setAll(const QVariantList &v)
{
    Test_Id = v.value(0).toDouble();
    TEST_NAME = v.value(1).toString();
    Fluid_ID = v.value(2).toString();
    TEST_TIME = v.value(3).toDateTime();
    RESEARCHER_NAME = v.value(4).toString();
    ROTOR_NO = v.value(5).toString();
    BOB_NO = v.value(6).toString();
    BOB_RADIUS = v.value(7).toDouble();
    BOB_EFF_LENGTH = v.value(8).toDouble();
    PreTest_PH = v.value(9).toDouble();
    PostTest_PH = v.value(10).toDouble();
    SAFETY = v.value(11).toString();
}

TestInfoRow clsTEST_INFO::row() const
{
    TestInfoRow r;
    r.testId = qint64(Test_Id);
    r.testName = TEST_NAME;
    r.fluidId = Fluid_ID;
    r.testTime = TEST_TIME;
    r.researcherName = RESEARCHER_NAME;
    r.rotorNo = ROTOR_NO;
    r.bobNo = BOB_NO;
    r.bobRadius = BOB_RADIUS;
    r.bobEffLength = BOB_EFF_LENGTH;
    r.pretestPH = PreTest_PH;
    r.posttestPH = PostTest_PH;
    r.safety = SAFETY;
    return r;
}

void clsTEST_INFO::setRow(const TestInfoRow &r)
{
    Test_Id = double(r.testId);
    TEST_NAME = r.testName;
    Fluid_ID = r.fluidId;
    TEST_TIME = r.testTime;
    RESEARCHER_NAME = r.researcherName;
    ROTOR_NO = r.rotorNo;
    BOB_NO = r.bobNo;
    BOB_RADIUS = r.bobRadius;
    BOB_EFF_LENGTH = r.bobEffLength;
    PreTest_PH = r.pretestPH;
    PostTest_PH = r.posttestPH;
    SAFETY = r.safety;
}
