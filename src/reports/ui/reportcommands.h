#pragma once
#include "reports/reportdata.h"
#include "store/databaseconfig.h"

class QWidget;

// The report commands of the main window. Each one refuses with the
// no-test message while no test is open, and otherwise starts a job owned
// by `window` that deletes itself when done; the job is returned so callers
// (and tests) can follow it, or nullptr when refused.
//
//   data      the open test: its information row, additives and ramp evaluation
//   database  the station's database (clsConnection::Config()); long work
//             streams the samples through a connection of its own
namespace reports::ui {

class BriefReportPrintJob;
class BriefReportSaveJob;
class ExcelExportJob;
class DataReportJob;

// "Breif Report": the print dialog, then one document per copy.
BriefReportPrintJob *printBriefReport(QWidget *window, const TestReportData &data);
// The brief report saved as PDF or plain text.
BriefReportSaveJob *saveBriefReport(QWidget *window, const TestReportData &data);
// "Export Excel" (cmdExcelDetail).
ExcelExportJob *exportExcel(QWidget *window, const DatabaseConfig &database, const TestReportData &data);
// "D&etail Re&port" (cmdDetailReport) and "Detail Report" (MenuReportDetail).
DataReportJob *showDataReport(QWidget *window, const DatabaseConfig &database, const TestInfoRow &info);

// Shows the no-test message (window-modal) when testId is not a stored test.
bool requireOpenTest(QWidget *window, qint64 testId);

} // namespace reports::ui
