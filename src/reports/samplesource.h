#pragma once
#include "store/records.h"
#include <QSqlQuery>
#include <QtGlobal>
#include <vector>

class clsConnection;

namespace reports {

// A forward pass over the samples of one test. Reports pull rows one at a
// time so that a test of a million samples never has to be copied.
class SampleSource
{
public:
    virtual ~SampleSource() = default;
    virtual qint64 count() const = 0;
    // Fills row with the next sample; false when there is none left.
    virtual bool next(TestResultRow &row) = 0;
};

// Samples the caller already holds (the open test), in the caller's order.
class VectorSampleSource : public SampleSource
{
public:
    explicit VectorSampleSource(const std::vector<TestResultRow> &rows) : m_rows(rows) {}
    qint64 count() const override { return qint64(m_rows.size()); }
    bool next(TestResultRow &row) override;

private:
    const std::vector<TestResultRow> &m_rows;
    size_t m_next = 0;
};

// Samples streamed from the database with a forward-only query. Throws
// StoreError when the query cannot run. Run no other statement on the
// connection while the source is being read (PostgreSQL streams the rows).
class DatabaseSampleSource : public SampleSource
{
public:
    enum class Order {
        ByTime,                // as stored: RESULT_TIME
        ByRampStepTime,        // RAMP_NO, RAMP_STEP_NO, RESULT_TIME
    };

    DatabaseSampleSource(clsConnection *connection, qint64 testId, Order order);
    qint64 count() const override { return m_count; }
    bool next(TestResultRow &row) override;

private:
    QSqlQuery m_query;
    qint64 m_count = 0;
};

// Orders samples the way the printed data report lists them: by ramp, ramp
// step and time (stable, so equal keys keep their stored order).
std::vector<TestResultRow> orderedByRampStepTime(std::vector<TestResultRow> rows);

} // namespace reports
