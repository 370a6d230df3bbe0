#pragma once
#include "reports/reportdata.h"
#include "backgroundreport.h"
#include "store/databaseconfig.h"
#include <QObject>
#include <QPointer>

class QPrinter;
class QWidget;

namespace reports::ui {



// The printed data report of a test. A test of up to previewLimit samples
// opens in a print preview, from which the user prints or saves a PDF. A
// longer one (thousands of pages) is written to a PDF the user names, on a
// worker thread with progress and Cancel, and opened in the desktop's PDF
// viewer for printing. Samples are read through a connection of the job's
// own, in ramp, ramp step and time order.
class DataReportJob : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 previewLimit = 5000;

    DataReportJob(QWidget *parent, const DatabaseConfig &database, const TestInfoRow &info);

    void start();
    void savePdf(const QString &fileName);      // the long-test path, without asking
    void setOpenWhenDone(bool open) { m_openWhenDone = open; }
    QWidget *dialog() const { return m_dialog; }
    BackgroundReport *background() const { return m_background; }

    // Paints the whole report onto the printer (the preview's pages).
    ReportStatus paint(QPrinter *printer);

signals:
    void finished(const reports::ReportStatus &status, const QString &fileName);

private:
    void preview();
    void askForPdf();
    void done(const ReportStatus &status);
    void warn(const QString &text);

    DatabaseConfig m_database;
    TestInfoRow m_info;
    QString m_fileName;
    bool m_openWhenDone = true;
    QPointer<QWidget> m_dialog;
    QPointer<BackgroundReport> m_background;
};

} // namespace reports::ui
