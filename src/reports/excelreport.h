#pragma once
#include "reportdata.h"
#include "samplesource.h"

// The spreadsheet detail report: one worksheet with the test information,
// additives, ramp results and every sample, written as an .xlsx workbook.
// Rows are streamed to disk as they are written, so memory stays flat
// however many samples the test has.
namespace reports {

// Sheet rows (numbered from 1) of a test with the given number of additive
// and ramp-result rows.
struct ExcelLayout
{
    int additives = 0;
    int resultRows = 0;

    int additivesHeaderRow() const { return 12; }
    int firstAdditiveRow() const { return 13; }
    int commentsRow() const { return 14 + additives; }
    int resultsTitleRow() const { return 15 + additives; }
    int resultsHeaderRow() const { return 16 + additives; }
    int firstResultRow() const { return 17 + additives; }
    int sampleHeaderRow() const { return 17 + additives + resultRows; }
    int firstSampleRow() const { return 18 + additives + resultRows; }
};

// A default file name for the workbook of a test: its name with characters
// that file systems refuse replaced, plus ".xlsx".
QString defaultExcelFileName(const QString &testName);

// Writes the workbook to fileName. The file appears only when the whole
// workbook was written; a cancelled or failed export leaves nothing behind
// (and an existing file of that name untouched).
ReportStatus writeExcelDetailReport(const QString &fileName, const TestReportData &data, SampleSource &samples,
                                    const ProgressCallback &progress = {});

} // namespace reports
