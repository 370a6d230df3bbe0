#include "excelexportjob.h"
#include "backgroundreport.h"
#include "reports/excelreport.h"
#include "store/clsConnection.h"
#include "store/storeerror.h"
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>

namespace reports::ui {

ExcelExportJob::ExcelExportJob(QWidget *parent, const DatabaseConfig &database, const TestReportData &data)
    : QObject(parent), m_database(database), m_data(data)
{
}

void ExcelExportJob::start()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    auto *dialog = new QFileDialog(qobject_cast<QWidget *>(parent()), tr("Export Excel"),
                                   QDir(dir).filePath(defaultExcelFileName(m_data.info.testName)),
                                   tr("Excel workbook (*.xlsx)"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("xlsx"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog = dialog;
    connect(dialog, &QFileDialog::fileSelected, this, &ExcelExportJob::exportTo);
    connect(dialog, &QDialog::rejected, this, [this] {
        emit finished(ReportStatus::failure(ReportError::Cancelled, tr("No file chosen.")), QString());
    });
    dialog->open();
}

void ExcelExportJob::exportTo(const QString &fileName)
{
    m_fileName = fileName;
    const DatabaseConfig database = m_database;
    const TestReportData data = m_data;
    auto work = [database, data, fileName](const ProgressCallback &progress) -> ReportStatus {
        // A connection of this thread's own: Qt SQL connections stay in the
        // thread that opened them.
        clsConnection connection(database);
        if (!connection.OpenDB())
            return ReportStatus::failure(ReportError::Database, connection.LastError());
        try {
            DatabaseSampleSource samples(&connection, data.info.testId, DatabaseSampleSource::Order::ByTime);
            return writeExcelDetailReport(fileName, data, samples, progress);
        } catch (const StoreError &e) {
            return ReportStatus::failure(ReportError::Database, e.text());
        }
    };
    m_background = new BackgroundReport(qobject_cast<QWidget *>(parent()),
                                        tr("Exporting \"%1\" to Excel...").arg(m_data.info.testName), work);
    connect(m_background, &BackgroundReport::finished, this, &ExcelExportJob::done);
    m_background->start();
}

void ExcelExportJob::done(const ReportStatus &status)
{
    if (m_background)
        m_background->deleteLater();
    QWidget *window = qobject_cast<QWidget *>(parent());
    if (status.ok() && m_openWhenDone && !QDesktopServices::openUrl(QUrl::fromLocalFile(m_fileName))) {
        auto *box = new QMessageBox(QMessageBox::Information, tr("Export Excel"),
                                    tr("The workbook was saved as %1, but no spreadsheet program could open it.")
                                        .arg(QDir::toNativeSeparators(m_fileName)),
                                    QMessageBox::Ok, window);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    } else if (!status.ok() && status.error != ReportError::Cancelled) {
        auto *box = new QMessageBox(QMessageBox::Warning, tr("Export Excel"), status.detail, QMessageBox::Ok, window);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    }
    emit finished(status, m_fileName);
}

} // namespace reports::ui
