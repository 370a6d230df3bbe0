#pragma once
#include "records.h"
#include "tablegateway.h"
#include <vector>

// Gateway of TEST_RESULT: the stored samples of a test. Rows are held as
// plain TestResultRow values so that tests of a million samples stay compact.
class clsTEST_RESULT : public TableGateway
{
public:
    clsTEST_RESULT();

    void ConnectX(clsConnection *connection);
    void Refresh() {}
    void SetDefaults() override;
    // Reads every sample of Test_Id in RESULT_TIME order, loads row 0.
    void GetTestDetail();
    // Inserts one sample (the current fields) and returns its key. The row is
    // committed (or part of the caller's open transaction) when this returns.
    double AddNew();
    void Update() {}
    void Delete();                        // every sample of Test_Id
    int TotalPoints() const { return m_rowCount; }
    // The rows of the last detail read (the recordset of callers that walk
    // the samples themselves).
    const std::vector<TestResultRow> &rTestResult() const { return m_samples; }
    std::vector<TestResultRow> takeSamples();

    QVariantList All();
    void setAll(const QVariantList &values);
    TestResultRow row() const;
    void setRow(const TestResultRow &row);

    double TEST_RESULT_ID = 0;            // loaded, no property in the table's pattern
    double Test_Id = 0;
    double RAMP_NO = 0;
    double RAMP_STEP_NO = 0;
    double RESULT_TIME = 0;
    double RESULT_SAMPLE_TEMP = 0;
    double RESULT_PRESS = 0;
    double RESULT_SHEAR_RATE = 0;
    double RESULT_SHEAR_STRESS = 0;
    double RESULT_TYPE_ID = 0;
    double RESULT_BATH_TEMP = 0;

    // Reads all samples of a test without a gateway (fast path for review).
    static std::vector<TestResultRow> readSamples(clsConnection *connection, double testId);

protected:
    void loadRow(int i) override;
    void prepareStatements() override;

private:
    std::vector<TestResultRow> m_samples;
    QSqlQuery m_detail, m_insert, m_delete;
};
