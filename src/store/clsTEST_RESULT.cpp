#include "clsTEST_RESULT.h"
#include "clsConnection.h"
#include "storeerror.h"
#include <QSqlError>

namespace {
const char kDetail[] = "SELECT TEST_RESULT_ID, TEST_ID, RAMP_NO, RAMP_STEP_NO, RESULT_TIME, RESULT_SAMPLE_TEMP, "
                       "RESULT_PRESS, RESULT_SHEAR_RATE, RESULT_SHEAR_STRESS, RESULT_TYPE_ID, RESULT_BATH_TEMP "
                       "FROM TEST_RESULT Where TEST_ID = ? ORDER BY RESULT_TIME, TEST_RESULT_ID";

// NULL columns read as the defaults (0).
void fetchAll(QSqlQuery &query, std::vector<TestResultRow> &out)
{
    out.clear();   // keeps any reserved capacity
    while (query.next()) {
        TestResultRow row;
        for (int c = 0; c < TestResultRow::columnCount; ++c) {
            const QVariant v = query.value(c);
            if (!v.isNull())
                row[c] = v.toDouble();
        }
        out.push_back(row);
    }
    query.finish();
}
} // namespace

clsTEST_RESULT::clsTEST_RESULT() : TableGateway(11)
{
    SetDefaults();
}

void clsTEST_RESULT::SetDefaults()
{
    setRow(TestResultRow{});
}

void clsTEST_RESULT::prepareStatements()
{
    m_detail = prepare(QString::fromLatin1(kDetail));
    m_detail.setForwardOnly(true);
    m_insert = prepare(QStringLiteral(
        "INSERT INTO TEST_RESULT (TEST_ID, RAMP_NO, RAMP_STEP_NO, RESULT_TIME, RESULT_SAMPLE_TEMP, RESULT_PRESS, "
        "RESULT_SHEAR_RATE, RESULT_SHEAR_STRESS, RESULT_TYPE_ID, RESULT_BATH_TEMP) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
        "RETURNING TEST_RESULT_ID"));
    m_delete = prepare(QStringLiteral("DELETE FROM TEST_RESULT WHERE TEST_ID = ?"));
}

void clsTEST_RESULT::ConnectX(clsConnection *connection)
{
    attach(connection);
    GetTestDetail();
}

void clsTEST_RESULT::GetTestDetail()
{
    ensurePrepared();
    m_detail.bindValue(0, gateway::key(Test_Id));
    exec(m_detail);
    fetchAll(m_detail, m_samples);
    m_rowCount = int(m_samples.size());
    m_current = 0;
    if (m_rowCount == 0) {
        SetDefaults();
        m_eof = true;
        return;
    }
    m_eof = false;
    loadRow(0);
}

std::vector<TestResultRow> clsTEST_RESULT::readSamples(clsConnection *connection, double testId)
{
    if (!connection)
        throw StoreError(StoreError::Code::NotOpen, -1, QStringLiteral("No database connection."));
    connection->requireOpen();
    QSqlQuery query(connection->ADOConnection());
    query.setForwardOnly(true);
    if (!query.prepare(QString::fromLatin1(kDetail)))
        throw StoreError(StoreError::Code::Statement, -1, query.lastError().text());
    // Sized once from the index: a million samples then fill one allocation.
    std::vector<TestResultRow> rows;
    {
        QSqlQuery count(connection->ADOConnection());
        count.setForwardOnly(true);
        if (count.prepare(QStringLiteral("SELECT COUNT(*) FROM TEST_RESULT WHERE TEST_ID = ?"))) {
            count.bindValue(0, gateway::key(testId));
            if (count.exec() && count.next())
                rows.reserve(std::size_t(count.value(0).toLongLong()));
        }
    }
    query.bindValue(0, gateway::key(testId));
    if (!query.exec())
        throw StoreError(StoreError::Code::Statement, -1, query.lastError().text());
    fetchAll(query, rows);
    return rows;
}

std::vector<TestResultRow> clsTEST_RESULT::takeSamples()
{
    std::vector<TestResultRow> out;
    out.swap(m_samples);
    m_rowCount = 0;
    m_current = 0;
    m_eof = true;
    return out;
}

double clsTEST_RESULT::AddNew()
{
    ensurePrepared();
    m_insert.bindValue(0, gateway::key(Test_Id));
    m_insert.bindValue(1, RAMP_NO);
    m_insert.bindValue(2, RAMP_STEP_NO);
    m_insert.bindValue(3, RESULT_TIME);
    m_insert.bindValue(4, RESULT_SAMPLE_TEMP);
    m_insert.bindValue(5, RESULT_PRESS);
    m_insert.bindValue(6, RESULT_SHEAR_RATE);
    m_insert.bindValue(7, RESULT_SHEAR_STRESS);
    m_insert.bindValue(8, RESULT_TYPE_ID);
    m_insert.bindValue(9, RESULT_BATH_TEMP);
    exec(m_insert);
    double key = 0;
    if (m_insert.next())
        key = m_insert.value(0).toDouble();
    m_insert.finish();
    return key;
}

void clsTEST_RESULT::Delete()
{
    ensurePrepared();
    m_delete.bindValue(0, gateway::key(Test_Id));
    exec(m_delete);
}

void clsTEST_RESULT::loadRow(int i)
{
    setRow(m_samples.at(std::size_t(i)));
}

TestResultRow clsTEST_RESULT::row() const
{
    TestResultRow r;
    r.testResultId = TEST_RESULT_ID;
    r.testId = Test_Id;
    r.rampNo = RAMP_NO;
    r.rampStepNo = RAMP_STEP_NO;
    r.resultTime = RESULT_TIME;
    r.sampleTemp = RESULT_SAMPLE_TEMP;
    r.press = RESULT_PRESS;
    r.shearRate = RESULT_SHEAR_RATE;
    r.shearStress = RESULT_SHEAR_STRESS;
    r.typeId = RESULT_TYPE_ID;
    r.pH = RESULT_BATH_TEMP;
    return r;
}

void clsTEST_RESULT::setRow(const TestResultRow &r)
{
    TEST_RESULT_ID = r.testResultId;
    Test_Id = r.testId;
    RAMP_NO = r.rampNo;
    RAMP_STEP_NO = r.rampStepNo;
    RESULT_TIME = r.resultTime;
    RESULT_SAMPLE_TEMP = r.sampleTemp;
    RESULT_PRESS = r.press;
    RESULT_SHEAR_RATE = r.shearRate;
    RESULT_SHEAR_STRESS = r.shearStress;
    RESULT_TYPE_ID = r.typeId;
    RESULT_BATH_TEMP = r.pH;
}

QVariantList clsTEST_RESULT::All()
{
    const TestResultRow r = row();
    QVariantList out;
    for (int c = 0; c < TestResultRow::columnCount; ++c)
        out << r[c];
    return out;
}

void clsTEST_RESULT::setAll(const QVariantList &v)
{
    TestResultRow r;
    for (int c = 0; c < TestResultRow::columnCount; ++c)
        r[c] = v.value(c).toDouble();
    setRow(r);
}
