#include "briefreport.h"
#include "rheology/numberformat.h"
#include <QRegularExpression>
#include <QSaveFile>

namespace reports {

namespace {

const char *const kInfoLabels[] = {
    "Experiment                 Test Name:             ",
    "                           Fluid ID:              ",
    "                           Test Time:             ",
    "                           Researcher Name:       ",
    "                           Rotor Number:          ",
    "                           Bob Number:            ",
    "                           Bob Radius (cm):       ",
    "                           Bob Effective Length : ",
    "                           Pre-Test pH:           ",
    "                           Post-Test pH:          ",
};

const char *const kResultsHeader[] = {
    "     Elapsed                    Coef.                  Calc.  Viscosity (cP) pH",
    "Shear  Time  Temp.   n'    K'   Detn.     Kv     K'slot via K' slot at (s^-1)   ",
    "Ramp  (min)   (F)               (R^2)   (lbf-s^n/ft^2)   40     100    170     ",
};

// Rows per printed page of the results: a new page follows rows 39, 79, ...
constexpr int kRowsPerPage = 40;

QStringList textLines(const QString &text)
{
    return text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
}

QString field(double value, const char *pattern, int blanksAfter)
{
    return formatNumber(value, QLatin1String(pattern)) + QString(blanksAfter, QLatin1Char(' '));
}

} // namespace

QString briefResultLine(int rampNo, const rheology::RampResult *r)
{
    QString line = formatNumber(rampNo, QStringLiteral("00"));
    if (!r)
        return line;
    // A rejected fit has no derived values; the table shows "N/A" there,
    // which reads as 0.
    const bool ok = r->accepted;
    line += QStringLiteral("   ");
    line += field(r->closingTime / 60.0, "000.", 2);
    line += field(r->temperature, "000.0", 1);
    line += field(r->nPrime, "0.000", 1);
    line += field(ok ? toLbfPer100SqFt(r->kPrime) : 0.0, "0.00000", 1);
    line += field(ok ? r->rSquared : 0.0, "0.000", 2);
    line += field(ok ? toLbfPer100SqFt(r->kv) : 0.0, "0.0000", 2);
    line += field(ok ? toLbfPer100SqFt(r->kSlot) : 0.0, "0.0000", 4);
    line += field(ok ? r->visc40 : 0.0, "00.", 4);
    line += field(ok ? r->visc100 : 0.0, "00.", 4);
    line += field(ok ? r->visc170 : 0.0, "00.", 2);
    line += formatNumber(r->pH, QStringLiteral("#0.0"));
    return line;
}

QStringList briefReportLines(const TestReportData &data)
{
    const TestInfoRow &info = data.info;
    QStringList lines;
    lines << QStringLiteral("Test Report of KX720ph Viscometer.") << QString();

    const QString values[] = {
        info.testName,
        info.fluidId,
        generalDateTime(info.testTime),
        info.researcherName,
        info.rotorNo,
        info.bobNo,
        shortestNumber(info.bobRadius),
        shortestNumber(info.bobEffLength),
        shortestNumber(info.pretestPH),
        shortestNumber(info.posttestPH),
    };
    for (int i = 0; i < 10; ++i)
        lines << QLatin1String(kInfoLabels[i]) + values[i];

    const QStringList notes = textLines(info.safety);
    lines << QString() << QStringLiteral("Description:") << notes;

    lines << QString() << QStringLiteral("Additives              Concentration           Units          Lot Number")
          << QString();
    const QString gap(4, QLatin1Char(' '));
    for (const TestAdditiveRow &a : data.additives)
        lines << a.additiveName + gap + formatNumber(a.concentration, QStringLiteral("00.00")) + gap + a.unit + gap
                     + a.lotNo;

    lines << QString() << QStringLiteral("Comments         ") + notes.first() << notes.mid(1);

    lines << QString() << QString() << QStringLiteral("Results") << QString();
    for (const char *h : kResultsHeader)
        lines << QLatin1String(h);
    lines << QString();

    const int rows = data.resultRowCount();
    for (int k = 1; k <= rows; ++k) {
        lines << briefResultLine(k, data.resultForRamp(k));
        if ((k + 1) % kRowsPerPage == 0 && k < rows)
            lines << kPageBreak;
    }
    return lines;
}

QString briefReportText(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines) {
        if (line == kPageBreak)
            text += QLatin1Char('\f');
        else
            text += line + QLatin1Char('\n');
    }
    return text;
}

ReportStatus writeTextReportFile(const QString &fileName, const QStringList &lines)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)
        || file.write(briefReportText(lines).toUtf8()) < 0 || !file.commit())
        return ReportStatus::failure(ReportError::CannotWrite,
                                     QStringLiteral("Cannot write \"%1\": %2").arg(fileName, file.errorString()));
    return {};
}

} // namespace reports
