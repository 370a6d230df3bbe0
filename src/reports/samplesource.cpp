#include "samplesource.h"
#include "store/clsConnection.h"
#include "store/storeerror.h"
#include <QSqlError>
#include <algorithm>

namespace reports {

bool VectorSampleSource::next(TestResultRow &row)
{
    if (m_next >= m_rows.size())
        return false;
    row = m_rows[m_next++];
    return true;
}

namespace {
const char kColumns[] = "SELECT TEST_RESULT_ID, TEST_ID, RAMP_NO, RAMP_STEP_NO, RESULT_TIME, RESULT_SAMPLE_TEMP, "
                        "RESULT_PRESS, RESULT_SHEAR_RATE, RESULT_SHEAR_STRESS, RESULT_TYPE_ID, RESULT_BATH_TEMP "
                        "FROM TEST_RESULT WHERE TEST_ID = ? ";

void run(QSqlQuery &query, const QString &sql, qint64 testId)
{
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw StoreError(StoreError::Code::Statement, -1, query.lastError().text());
    query.bindValue(0, testId);
    if (!query.exec())
        throw StoreError(StoreError::Code::Statement, -1, query.lastError().text());
}
} // namespace

DatabaseSampleSource::DatabaseSampleSource(clsConnection *connection, qint64 testId, Order order)
{
    if (!connection)
        throw StoreError(StoreError::Code::NotOpen, -1, QStringLiteral("No database connection."));
    connection->requireOpen();
    {
        // The count query must be gone before the rows are asked for: with
        // PostgreSQL a forward-only query that outlives the next one's start
        // cuts that one short when it is destroyed.
        QSqlQuery counter(connection->ADOConnection());
        run(counter, QStringLiteral("SELECT COUNT(*) FROM TEST_RESULT WHERE TEST_ID = ?"), testId);
        if (counter.next())
            m_count = counter.value(0).toLongLong();
    }

    const char *orderBy = order == Order::ByTime ? "ORDER BY RESULT_TIME, TEST_RESULT_ID"
                                                 : "ORDER BY RAMP_NO, RAMP_STEP_NO, RESULT_TIME, TEST_RESULT_ID";
    m_query = QSqlQuery(connection->ADOConnection());
    run(m_query, QString::fromLatin1(kColumns) + QString::fromLatin1(orderBy), testId);
}

bool DatabaseSampleSource::next(TestResultRow &row)
{
    if (!m_query.next()) {
        m_query.finish();
        return false;
    }
    for (int c = 0; c < TestResultRow::columnCount; ++c) {
        const QVariant v = m_query.value(c);
        row[c] = v.isNull() ? 0.0 : v.toDouble();
    }
    return true;
}

std::vector<TestResultRow> orderedByRampStepTime(std::vector<TestResultRow> rows)
{
    std::stable_sort(rows.begin(), rows.end(), [](const TestResultRow &a, const TestResultRow &b) {
        if (a.rampNo != b.rampNo)
            return a.rampNo < b.rampNo;
        if (a.rampStepNo != b.rampStepNo)
            return a.rampStepNo < b.rampStepNo;
        return a.resultTime < b.resultTime;
    });
    return rows;
}

} // namespace reports
