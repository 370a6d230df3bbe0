#include "datareport.h"
#include "reportdata.h"
#include <cmath>

namespace reports {

QVector<LabelledValue> dataReportInformation(const TestInfoRow &info)
{
    return {
        {QStringLiteral("TEST NAME:"), info.testName},
        {QStringLiteral("FLUID ID:"), info.fluidId},
        {QStringLiteral("TEST_TIME:"), generalDateTime(info.testTime)},
        {QStringLiteral("RESEARCHER:"), info.researcherName},
        {QStringLiteral("ROTOR NO:"), info.rotorNo},
        {QStringLiteral("BOB_NO:"), info.bobNo},
        {QStringLiteral("BOB RAD(CM):"), shortestNumber(info.bobRadius)},
        {QStringLiteral("BOB EFFECTIVE LENGTH (CM):"), shortestNumber(info.bobEffLength)},
        {QStringLiteral("PRE-TEST PH:"), shortestNumber(info.pretestPH)},
        {QStringLiteral("POST TEST PH:"), shortestNumber(info.posttestPH)},
        {QStringLiteral("Description:"), info.safety},
    };
}

const std::array<QString, kDataReportColumns> &dataReportColumnLabels()
{
    static const std::array<QString, kDataReportColumns> labels = {
        QStringLiteral("RAMP NO:"),
        QStringLiteral("RAMP STEP:"),
        QStringLiteral("RESULT TIME (Min):"),
        QString::fromUtf8("SAMPLE TEMP (°F):"),
        QStringLiteral("SHEAR RATE (1/S):"),
        QStringLiteral("SHEAR STRESS (DYN/CM2):"),
        QStringLiteral("RESULT TYPE:"),
        QStringLiteral("Viscosity (cP)"),
        QStringLiteral("Fluid pH"),
    };
    return labels;
}

double dataReportViscosity(const TestResultRow &s)
{
    return s.shearStress / (0.0000001 + s.shearRate) * 100.0;
}

namespace {
QString fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

// Plain digits while they fit the column; very large values (a zero shear
// rate) in scientific notation.
QString viscosityText(double value)
{
    if (std::fabs(value) >= 1e7)
        return QString::number(value, 'e', 3);
    return fixed(value, 1);
}
} // namespace

std::array<QString, kDataReportColumns> dataReportDetail(const TestResultRow &s)
{
    return {
        shortestNumber(s.rampNo),
        shortestNumber(s.rampStepNo),
        fixed(s.resultTime / 60.0, 2),
        fixed(s.sampleTemp, 1),
        fixed(s.shearRate, 2),
        fixed(s.shearStress, 2),
        shortestNumber(s.typeId),
        viscosityText(dataReportViscosity(s)),
        fixed(s.pH, 2),
    };
}

} // namespace reports
