#include "excelreport.h"
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <cstdio>
#include <xlsxwriter.h>

namespace reports {

namespace {

constexpr lxw_row_t kMaxSheetRows = 1048576;
constexpr qint64 kProgressEvery = 8192;

double roundTo(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

// Thin wrapper over one worksheet, addressed by 1-based rows and columns as
// the layout is written.
class Sheet
{
public:
    Sheet(lxw_worksheet *ws) : m_ws(ws) {}
    lxw_worksheet *ws() const { return m_ws; }

    void text(int row, int col, const QString &value, lxw_format *format = nullptr)
    {
        const QByteArray utf8 = value.toUtf8();
        check(worksheet_write_string(m_ws, lxw_row_t(row - 1), lxw_col_t(col - 1), utf8.constData(), format));
    }
    void number(int row, int col, double value, lxw_format *format = nullptr)
    {
        check(worksheet_write_number(m_ws, lxw_row_t(row - 1), lxw_col_t(col - 1), value, format));
    }
    void date(int row, int col, const QDateTime &value, lxw_format *format)
    {
        if (!value.isValid())
            return;
        const QDate d = value.date();
        const QTime t = value.time();
        lxw_datetime dt{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second() + t.msec() / 1000.0};
        check(worksheet_write_datetime(m_ws, lxw_row_t(row - 1), lxw_col_t(col - 1), &dt, format));
    }
    lxw_error error() const { return m_error; }

private:
    void check(lxw_error e)
    {
        if (e != LXW_NO_ERROR && m_error == LXW_NO_ERROR)
            m_error = e;
    }
    lxw_worksheet *m_ws;
    lxw_error m_error = LXW_NO_ERROR;
};

struct Formats
{
    lxw_format *bold, *header, *date, *wholeNumber, *fourDecimals, *upTo1, *upTo2, *upTo3;

    explicit Formats(lxw_workbook *wb)
    {
        bold = workbook_add_format(wb);
        format_set_bold(bold);
        header = workbook_add_format(wb);
        format_set_bold(header);
        format_set_text_wrap(header);
        format_set_align(header, LXW_ALIGN_VERTICAL_BOTTOM);
        date = numberFormat(wb, "yyyy-mm-dd hh:mm:ss");
        wholeNumber = numberFormat(wb, "0");
        fourDecimals = numberFormat(wb, "0.0000");
        upTo1 = numberFormat(wb, "#.#");
        upTo2 = numberFormat(wb, "#.##");
        upTo3 = numberFormat(wb, "#.###");
    }
    static lxw_format *numberFormat(lxw_workbook *wb, const char *pattern)
    {
        lxw_format *f = workbook_add_format(wb);
        format_set_num_format(f, pattern);
        return f;
    }
};

const char *const kResultsHeader[] = {
    "Shear Ramp", "Time (Min)", "Temp (°F)", "n'", "K'", "Coef Detn. (R^2)", "Kv", "K' Slot",
    "Calc. 40 (1/S)", "Calc. 100 (1/S)", "Calc. 170 (1/S)",
};

const char *const kSampleHeader[] = {
    "Ramp NO", "Ramp Step No", "Time (Min)", "Sample Temp(°F)", "Shear Rate (1/S)", "Shear Stress (dyn/cm2)",
    "Result Type", "pH", "Viscosity (cP)", "Fann35 Dial (degree)",
};

void setColumns(lxw_worksheet *ws)
{
    // B holds the test time; the column headers wrap onto two lines.
    worksheet_set_column(ws, 0, 0, 18, nullptr);
    worksheet_set_column(ws, 1, 1, 20, nullptr);
    worksheet_set_column(ws, 2, 10, 13, nullptr);
}

// A two-line header row (its height must be set before the row is written).
void writeHeaderRow(Sheet &sheet, int row, const char *const *texts, int count, const Formats &f)
{
    worksheet_set_row(sheet.ws(), lxw_row_t(row - 1), 30, nullptr);
    for (int c = 0; c < count; ++c)
        sheet.text(row, c + 1, QString::fromUtf8(texts[c]), f.header);
}

void writeSampleHeader(Sheet &sheet, int row, const Formats &f)
{
    writeHeaderRow(sheet, row, kSampleHeader, 10, f);
}

// Repeat the sample header on every printed page; landscape, one page wide.
void setPageSetup(lxw_worksheet *ws, int sampleHeaderRow)
{
    worksheet_repeat_rows(ws, lxw_row_t(sampleHeaderRow - 1), lxw_row_t(sampleHeaderRow - 1));
    worksheet_set_landscape(ws);
    worksheet_fit_to_pages(ws, 1, 10);
}

void writeInformation(Sheet &sheet, const TestReportData &data, const Formats &f)
{
    const TestInfoRow &info = data.info;
    sheet.text(1, 1, QStringLiteral("KX720ph Test Report"), f.bold);
    sheet.text(3, 1, QStringLiteral("Test Name:"));
    sheet.text(3, 2, info.testName);
    sheet.text(4, 1, QStringLiteral("Fluid ID:"));
    sheet.text(4, 2, info.fluidId);
    sheet.text(5, 1, QStringLiteral("Test Time:"));
    sheet.date(5, 2, info.testTime, f.date);
    sheet.text(6, 1, QStringLiteral("Researcher Name:"));
    sheet.text(6, 2, info.researcherName);
    sheet.text(7, 1, QStringLiteral("Rotor Number:"));
    sheet.text(7, 2, info.rotorNo);
    sheet.text(8, 1, QStringLiteral("Bob Number:"));
    sheet.text(8, 2, info.bobNo);
    sheet.text(9, 1, QStringLiteral("Pre-Test pH:"));
    sheet.number(9, 2, info.pretestPH);
    sheet.text(10, 1, QStringLiteral("Post-Test pH:"));
    sheet.number(10, 2, info.posttestPH);
    sheet.text(11, 1, QStringLiteral("Description:"));
    sheet.text(11, 2, info.safety);
    sheet.text(12, 1, QStringLiteral("Additives"), f.bold);
    sheet.text(12, 2, QStringLiteral("Concentration"), f.bold);
    sheet.text(12, 3, QStringLiteral("Units"), f.bold);
    sheet.text(12, 4, QStringLiteral("Lot Number"), f.bold);
}

void writeResults(Sheet &sheet, const TestReportData &data, const ExcelLayout &layout, const Formats &f)
{
    int row = layout.firstAdditiveRow();
    for (const TestAdditiveRow &a : data.additives) {
        sheet.text(row, 1, a.additiveName);
        sheet.number(row, 2, a.concentration);
        sheet.text(row, 3, a.unit);
        sheet.text(row, 4, a.lotNo);
        ++row;
    }
    sheet.text(layout.commentsRow(), 1, QStringLiteral("Comments:"));
    sheet.text(layout.commentsRow(), 2, data.info.safety);
    sheet.text(layout.resultsTitleRow(), 1, QStringLiteral("Results:"), f.bold);
    writeHeaderRow(sheet, layout.resultsHeaderRow(), kResultsHeader, 11, f);

    row = layout.firstResultRow();
    for (int k = 1; k <= layout.resultRows; ++k, ++row) {
        sheet.number(row, 1, k);
        const rheology::RampResult *r = data.resultForRamp(k);
        if (!r)
            continue;       // no result for this ramp: the rest of its row stays empty
        sheet.number(row, 2, r->closingTime / 60.0, f.wholeNumber);
        sheet.number(row, 3, r->temperature, f.wholeNumber);
        sheet.number(row, 4, r->nPrime, f.fourDecimals);
        // A rejected fit has no derived values; the table's "N/A" reads as 0.
        const bool ok = r->accepted;
        sheet.number(row, 5, ok ? toLbfPer100SqFt(r->kPrime) : 0.0, f.fourDecimals);
        sheet.number(row, 6, ok ? r->rSquared : 0.0, f.fourDecimals);
        sheet.number(row, 7, ok ? toLbfPer100SqFt(r->kv) : 0.0, f.fourDecimals);
        sheet.number(row, 8, ok ? toLbfPer100SqFt(r->kSlot) : 0.0, f.fourDecimals);
        sheet.number(row, 9, ok ? r->visc40 : 0.0, f.wholeNumber);
        sheet.number(row, 10, ok ? r->visc100 : 0.0, f.wholeNumber);
        sheet.number(row, 11, ok ? r->visc170 : 0.0, f.wholeNumber);
    }
}

// One sample row. The derived columns are numbers rounded to their pattern
// and shown with it, so the sheet reads as the report always did (".5",
// "10.") while every cell stays a number.
void writeSample(Sheet &sheet, int row, const TestResultRow &s, const Formats &f)
{
    sheet.number(row, 1, s.rampNo);
    sheet.number(row, 2, s.rampStepNo);
    sheet.number(row, 3, roundTo(s.resultTime / 60.0, 2), f.upTo2);
    sheet.number(row, 4, s.sampleTemp);
    sheet.number(row, 5, roundTo(s.shearRate, 3), f.upTo3);
    sheet.number(row, 6, s.shearStress);
    sheet.number(row, 7, s.typeId);
    sheet.number(row, 8, roundTo(s.pH, 1), f.upTo1);
    if (s.shearRate != 0)
        sheet.number(row, 9, roundTo(s.shearStress / s.shearRate * 100.0, 1), f.upTo1);
    sheet.number(row, 10, roundTo(s.shearStress / 5.11, 2), f.upTo2);
}

QString errorText(lxw_error e)
{
    return QString::fromUtf8(lxw_strerror(e));
}

} // namespace

QString defaultExcelFileName(const QString &testName)
{
    QString name = testName.trimmed();
    static const QString refused = QStringLiteral("<>:\"/\\|?*");
    for (QChar &c : name)
        if (refused.contains(c) || c.unicode() < 32)
            c = QLatin1Char('_');
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        name = QStringLiteral("KX720ph Test Report");
    return name + QStringLiteral(".xlsx");
}

ReportStatus writeExcelDetailReport(const QString &fileName, const TestReportData &data, SampleSource &samples,
                                    const ProgressCallback &progress)
{
    const QString partial = fileName + QStringLiteral(".partial");
    const QByteArray partialPath = QFile::encodeName(partial);
    const qint64 total = samples.count();
    {
        // Find out now, not after a million rows, that the place is not writable.
        QFile probe(partial);
        if (!probe.open(QIODevice::WriteOnly))
            return ReportStatus::failure(ReportError::CannotWrite,
                                         QStringLiteral("Cannot write \"%1\": %2").arg(fileName, probe.errorString()));
        probe.close();
        probe.remove();
    }

    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.use_zip64 = total > 4000000 ? LXW_TRUE : LXW_FALSE;
    lxw_workbook *wb = workbook_new_opt(partialPath.constData(), &options);
    if (!wb)
        return ReportStatus::failure(ReportError::CannotWrite,
                                     QStringLiteral("Cannot create the workbook \"%1\".").arg(fileName));
    const Formats formats(wb);
    lxw_worksheet *ws = workbook_add_worksheet(wb, nullptr);
    setColumns(ws);
    Sheet sheet(ws);

    ExcelLayout layout;
    layout.additives = int(data.additives.size());
    layout.resultRows = data.resultRowCount();
    writeInformation(sheet, data, formats);
    writeResults(sheet, data, layout, formats);
    writeSampleHeader(sheet, layout.sampleHeaderRow(), formats);

    auto abandon = [&](ReportStatus status) {
        lxw_workbook_free(wb);
        QFile::remove(partial);
        return status;
    };

    // Samples beyond the last row of a worksheet continue on further sheets,
    // each starting with the sample header.
    int headerRow = layout.sampleHeaderRow();
    int row = headerRow;
    int sheetNo = 1;
    qint64 done = 0;
    TestResultRow s;
    while (samples.next(s)) {
        if (lxw_row_t(row) >= kMaxSheetRows) {
            if (sheet.error() != LXW_NO_ERROR)
                break;
            setPageSetup(sheet.ws(), headerRow);
            const QByteArray name = QStringLiteral("Samples %1").arg(++sheetNo).toUtf8();
            sheet = Sheet(workbook_add_worksheet(wb, name.constData()));
            setColumns(sheet.ws());
            headerRow = row = 1;
            writeSampleHeader(sheet, headerRow, formats);
        }
        writeSample(sheet, ++row, s, formats);
        if (++done % kProgressEvery == 0 && progress && !progress(done, total))
            return abandon(ReportStatus::failure(ReportError::Cancelled, QStringLiteral("Export cancelled.")));
    }
    if (done > 0)
        setPageSetup(sheet.ws(), headerRow);
    if (sheet.error() != LXW_NO_ERROR)
        return abandon(ReportStatus::failure(ReportError::CannotWrite, errorText(sheet.error())));
    if (progress && !progress(done, total))
        return abandon(ReportStatus::failure(ReportError::Cancelled, QStringLiteral("Export cancelled.")));

    const lxw_error closed = workbook_close(wb);
    if (closed != LXW_NO_ERROR) {
        QFile::remove(partial);
        return ReportStatus::failure(ReportError::CannotWrite,
                                     QStringLiteral("Cannot write \"%1\": %2").arg(fileName, errorText(closed)));
    }
    // rename() replaces an existing file in one step.
    if (std::rename(partialPath.constData(), QFile::encodeName(fileName).constData()) != 0) {
        QFile::remove(partial);
        return ReportStatus::failure(ReportError::CannotWrite, QStringLiteral("Cannot write \"%1\".").arg(fileName));
    }
    return {};
}

} // namespace reports
