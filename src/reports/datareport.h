#pragma once
#include "store/records.h"
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

// Contents of the printed data report: the information block of the test,
// the column labels and one detail line per sample (the sample source lists
// them by ramp, ramp step and time).
namespace reports {

inline const QString kDataReportTitle = QStringLiteral("KX720pH Viscosity Test Report");
inline const QString kDataReportFooter = QStringLiteral("Thank you for using the KX720pH viscometer.");

struct LabelledValue
{
    QString label;
    QString value;
};

// "TEST NAME:" ... "Description:", each with its value.
QVector<LabelledValue> dataReportInformation(const TestInfoRow &info);

constexpr int kDataReportColumns = 9;
const std::array<QString, kDataReportColumns> &dataReportColumnLabels();

// Viscosity as the report lists it: a tiny offset on the shear rate keeps a
// zero rate from dividing by zero (a very large value, or 0 without stress).
double dataReportViscosity(const TestResultRow &sample);

// The nine detail texts of one sample: ramp, ramp step, time (min),
// temperature, shear rate, shear stress, result type, viscosity, pH.
std::array<QString, kDataReportColumns> dataReportDetail(const TestResultRow &sample);

} // namespace reports
