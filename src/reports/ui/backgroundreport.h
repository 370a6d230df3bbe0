#pragma once
#include "reports/reportdata.h"
#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>

#include <QProgressDialog>
class QThread;
class QWidget;

namespace reports::ui {

// Runs long report work on a worker thread while a window-modal progress
// dialog shows how far it got; the dialog's Cancel stops the work. The work
// must not touch widgets or the caller's database connection.
class BackgroundReport : public QObject
{
    Q_OBJECT
public:
    using Work = std::function<ReportStatus(const ProgressCallback &progress)>;

    BackgroundReport(QWidget *parent, const QString &label, Work work);
    ~BackgroundReport() override;

    void start();
    void cancel() { m_cancel = true; }
    bool isRunning() const;
    QProgressDialog *progressDialog() const { return m_dialog; }

signals:
    void progressed(qint64 done, qint64 total);
    void finished(const reports::ReportStatus &status);

private:
    void showProgress(qint64 done, qint64 total);
    void workDone();

    QPointer<QWidget> m_parent;
    QString m_label;
    Work m_work;
    QPointer<QProgressDialog> m_dialog;
    QThread *m_thread = nullptr;
    std::atomic_bool m_cancel{false};
    ReportStatus m_status;
};

} // namespace reports::ui
