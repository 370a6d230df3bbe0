#include "backgroundreport.h"
#include <QProgressDialog>
#include <QThread>

namespace reports::ui {

BackgroundReport::BackgroundReport(QWidget *parent, const QString &label, Work work)
    : QObject(parent), m_parent(parent), m_label(label), m_work(std::move(work))
{
    connect(this, &BackgroundReport::progressed, this, &BackgroundReport::showProgress, Qt::QueuedConnection);
}

BackgroundReport::~BackgroundReport()
{
    if (m_thread) {
        m_cancel = true;
        m_thread->wait();
        delete m_thread;
    }
    delete m_dialog;
}

bool BackgroundReport::isRunning() const
{
    return m_thread && m_thread->isRunning();
}

void BackgroundReport::start()
{
    m_dialog = new QProgressDialog(m_label, tr("Cancel"), 0, 1000, m_parent);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(400);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    connect(m_dialog, &QProgressDialog::canceled, this, &BackgroundReport::cancel);

    m_thread = QThread::create([this] {
        m_status = m_work([this](qint64 done, qint64 total) {
            emit progressed(done, total);
            return !m_cancel.load();
        });
    });
    connect(m_thread, &QThread::finished, this, &BackgroundReport::workDone);
    m_thread->start();
}

void BackgroundReport::showProgress(qint64 done, qint64 total)
{
    if (m_dialog && total > 0)
        m_dialog->setValue(int(1000 * std::min(done, total) / total));
}

void BackgroundReport::workDone()
{
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    if (m_dialog) {
        m_dialog->close();
        m_dialog->deleteLater();
    }
    emit finished(m_status);
}

} // namespace reports::ui
