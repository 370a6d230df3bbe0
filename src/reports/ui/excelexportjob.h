#pragma once
#include "reports/reportdata.h"
#include "backgroundreport.h"
#include "store/databaseconfig.h"
#include <QObject>
#include <QPointer>

class QWidget;

namespace reports::ui {



// "Export Excel": asks where to save the workbook (default name from the
// test name), writes it on a worker thread with progress and Cancel, then
// opens it with the desktop's spreadsheet program. The samples are streamed
// from a connection of the job's own to the station's database.
class ExcelExportJob : public QObject
{
    Q_OBJECT
public:
    ExcelExportJob(QWidget *parent, const DatabaseConfig &database, const TestReportData &data);

    void start();                           // asks for the file, then exports
    void exportTo(const QString &fileName); // exports without asking
    void setOpenWhenDone(bool open) { m_openWhenDone = open; }
    QWidget *dialog() const { return m_dialog; }
    BackgroundReport *background() const { return m_background; }

signals:
    void finished(const reports::ReportStatus &status, const QString &fileName);

private:
    void done(const ReportStatus &status);

    DatabaseConfig m_database;
    TestReportData m_data;
    QString m_fileName;
    bool m_openWhenDone = true;
    QPointer<QWidget> m_dialog;
    QPointer<BackgroundReport> m_background;
};

} // namespace reports::ui
