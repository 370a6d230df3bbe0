#include "datareportjob.h"
#include "backgroundreport.h"
#include "reports/datareport.h"
#include "reports/paint/datareportpainter.h"
#include "store/clsConnection.h"
#include "store/storeerror.h"
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QUrl>

namespace reports::ui {

DataReportJob::DataReportJob(QWidget *parent, const DatabaseConfig &database, const TestInfoRow &info)
    : QObject(parent), m_database(database), m_info(info)
{
}

void DataReportJob::start()
{
    qint64 samples = 0;
    {
        clsConnection connection(m_database);
        if (!connection.OpenDB()) {
            warn(connection.LastError());
            emit finished(ReportStatus::failure(ReportError::Database, connection.LastError()), QString());
            return;
        }
        try {
            samples = DatabaseSampleSource(&connection, m_info.testId, DatabaseSampleSource::Order::ByTime).count();
        } catch (const StoreError &e) {
            warn(e.text());
            emit finished(ReportStatus::failure(ReportError::Database, e.text()), QString());
            return;
        }
    }
    if (samples <= previewLimit)
        preview();
    else
        askForPdf();
}

void DataReportJob::preview()
{
    auto *dialog = new QPrintPreviewDialog(qobject_cast<QWidget *>(parent()));
    dialog->printer()->setDocName(kDataReportTitle + QStringLiteral(" - ") + m_info.testName);
    dialog->printer()->setPageSize(QPageSize(QPageSize::Letter));
    dialog->setWindowTitle(tr("Detail Report - %1").arg(m_info.testName));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog = dialog;
    connect(dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *p) {
        const ReportStatus status = paint(p);
        if (!status.ok())
            warn(status.detail);
    });
    connect(dialog, &QDialog::finished, this, [this] { emit finished({}, QString()); });
    dialog->open();
}

ReportStatus DataReportJob::paint(QPrinter *printer)
{
    clsConnection connection(m_database);
    if (!connection.OpenDB())
        return ReportStatus::failure(ReportError::Database, connection.LastError());
    QPainter painter;
    if (!painter.begin(printer))
        return ReportStatus::failure(ReportError::CannotWrite, tr("The printer cannot be used."));
    try {
        DatabaseSampleSource samples(&connection, m_info.testId, DatabaseSampleSource::Order::ByRampStepTime);
        DataReportPainter report(*printer, m_info);
        return report.paint(painter, samples);
    } catch (const StoreError &e) {
        return ReportStatus::failure(ReportError::Database, e.text());
    }
}

void DataReportJob::askForPdf()
{
    QString base = m_info.testName.trimmed();
    for (QChar &c : base)
        if (QStringLiteral("<>:\"/\\|?*").contains(c))
            c = QLatin1Char('_');
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    auto *dialog = new QFileDialog(qobject_cast<QWidget *>(parent()), tr("Save Detail Report"),
                                   QDir(dir).filePath(base + tr(" detail report.pdf")), tr("PDF document (*.pdf)"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("pdf"));
    dialog->setLabelText(QFileDialog::Accept, tr("Save"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog = dialog;
    connect(dialog, &QFileDialog::fileSelected, this, &DataReportJob::savePdf);
    connect(dialog, &QDialog::rejected, this, [this] {
        emit finished(ReportStatus::failure(ReportError::Cancelled, tr("No file chosen.")), QString());
    });
    dialog->open();
}

void DataReportJob::savePdf(const QString &fileName)
{
    m_fileName = fileName;
    const DatabaseConfig database = m_database;
    const TestInfoRow info = m_info;
    auto work = [database, info, fileName](const ProgressCallback &progress) -> ReportStatus {
        clsConnection connection(database);
        if (!connection.OpenDB())
            return ReportStatus::failure(ReportError::Database, connection.LastError());
        try {
            DatabaseSampleSource samples(&connection, info.testId, DatabaseSampleSource::Order::ByRampStepTime);
            return writeDataReportPdf(fileName, info, samples, progress);
        } catch (const StoreError &e) {
            return ReportStatus::failure(ReportError::Database, e.text());
        }
    };
    m_background = new BackgroundReport(qobject_cast<QWidget *>(parent()),
                                        tr("Writing the detail report of \"%1\"...").arg(m_info.testName), work);
    connect(m_background, &BackgroundReport::finished, this, &DataReportJob::done);
    m_background->start();
}

void DataReportJob::done(const ReportStatus &status)
{
    if (m_background)
        m_background->deleteLater();
    if (status.ok() && m_openWhenDone && !QDesktopServices::openUrl(QUrl::fromLocalFile(m_fileName)))
        warn(tr("The report was saved as %1, but no PDF viewer could open it.")
                 .arg(QDir::toNativeSeparators(m_fileName)));
    else if (!status.ok() && status.error != ReportError::Cancelled)
        warn(status.detail);
    emit finished(status, m_fileName);
}

void DataReportJob::warn(const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Warning, tr("Detail Report"), text, QMessageBox::Ok,
                                qobject_cast<QWidget *>(parent()));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace reports::ui
