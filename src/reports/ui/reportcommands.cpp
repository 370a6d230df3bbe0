#include "reportcommands.h"
#include "briefreportui.h"
#include "datareportjob.h"
#include "excelexportjob.h"
#include "reports/briefreport.h"
#include <QMessageBox>

namespace reports::ui {

bool requireOpenTest(QWidget *window, qint64 testId)
{
    if (testId > 0)
        return true;
    auto *box = new QMessageBox(QMessageBox::Information, QObject::tr("KX720pH"), kNoTestMessage, QMessageBox::Ok,
                                window);
    box->setObjectName(QStringLiteral("noTestMessage"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return false;
}

BriefReportPrintJob *printBriefReport(QWidget *window, const TestReportData &data)
{
    if (!requireOpenTest(window, data.info.testId))
        return nullptr;
    auto *job = new BriefReportPrintJob(window, briefReportLines(data));
    QObject::connect(job, &BriefReportPrintJob::finished, job, &QObject::deleteLater);
    job->start();
    return job;
}

BriefReportSaveJob *saveBriefReport(QWidget *window, const TestReportData &data)
{
    if (!requireOpenTest(window, data.info.testId))
        return nullptr;
    auto *job = new BriefReportSaveJob(window, briefReportLines(data), data.info.testName);
    QObject::connect(job, &BriefReportSaveJob::finished, job, &QObject::deleteLater);
    job->start();
    return job;
}

ExcelExportJob *exportExcel(QWidget *window, const DatabaseConfig &database, const TestReportData &data)
{
    if (!requireOpenTest(window, data.info.testId))
        return nullptr;
    auto *job = new ExcelExportJob(window, database, data);
    QObject::connect(job, &ExcelExportJob::finished, job, &QObject::deleteLater);
    job->start();
    return job;
}

DataReportJob *showDataReport(QWidget *window, const DatabaseConfig &database, const TestInfoRow &info)
{
    if (!requireOpenTest(window, info.testId))
        return nullptr;
    auto *job = new DataReportJob(window, database, info);
    QObject::connect(job, &DataReportJob::finished, job, &QObject::deleteLater);
    job->start();
    return job;
}

} // namespace reports::ui
