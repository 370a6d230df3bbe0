#pragma once
#include "rheology/rampanalysis.h"
#include "store/records.h"
#include <QString>
#include <QVector>
#include <functional>
#include <memory>

class clsConnection;

namespace reports {

// Shown when a report is asked for while no test is open.
inline const QString kNoTestMessage =
    QStringLiteral("Currently no valid test selected.  Please first open a saved test.");

// Long report work calls this now and then; returning false cancels it.
using ProgressCallback = std::function<bool(qint64 done, qint64 total)>;

enum class ReportError {
    None,
    NoTest,        // no test open, or the named test is not stored
    Cancelled,     // the user cancelled; nothing was left behind
    CannotWrite,   // the output file could not be written
    Database,      // reading the test failed
};

struct ReportStatus
{
    ReportError error = ReportError::None;
    QString detail;

    bool ok() const { return error == ReportError::None; }
    static ReportStatus failure(ReportError error, const QString &detail) { return {error, detail}; }
};

// What the reports take from the open test: its information row, its
// additives and its evaluated ramps. Samples are streamed separately.
struct TestReportData
{
    TestInfoRow info;
    QVector<TestAdditiveRow> additives;
    rheology::RampEvaluation ramps;

    // Rows of the ramp results table: one per ramp 1..lastRamp once any
    // ramp has a result; nullptr for a ramp without one.
    int resultRowCount() const;
    const rheology::RampResult *resultForRamp(int rampNo) const;
};

// Loads everything but the samples of the test called testName (samples are
// read to evaluate the ramps, then dropped unless samplesOut is given).
ReportStatus loadTestReportData(clsConnection *connection, const QString &testName, TestReportData &data,
                                std::vector<TestResultRow> *samplesOut = nullptr);

// Opens the station's database (database.ini or KX720pH.db of the current
// directory) for reading reports. A missing database file is an error here,
// not a new empty database. Null with *error set on failure.
std::unique_ptr<clsConnection> openStationDatabase(QString *error);

// Loads only the information row of the test called testName.
ReportStatus loadTestInfo(clsConnection *connection, const QString &testName, TestInfoRow &info);

// 100 · value / 478.8: dyn·s^n/cm² to lbf·s^n/100 ft², as the results table shows it.
double toLbfPer100SqFt(double dynPerCm2);

// The test time as the station shows dates: short date with a four-digit
// year and the time with seconds.
QString generalDateTime(const QDateTime &time);

// Shortest decimal text of a number (7 → "7", 1.7245 → "1.7245").
QString shortestNumber(double value);

} // namespace reports
