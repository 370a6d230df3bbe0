#pragma once
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace reports::ui {

// Prints the brief report through the print dialog. The dialog's Cancel
// prints nothing; otherwise each chosen copy is printed as a document of
// its own (copies printed to a file go into that one file, one after the
// other, so that none overwrites another).
class BriefReportPrintJob : public QObject
{
    Q_OBJECT
public:
    BriefReportPrintJob(QWidget *parent, const QStringList &lines);
    ~BriefReportPrintJob() override;

    // Opens the print dialog (window-modal) and returns at once.
    void start();
    QWidget *dialog() const { return m_dialog; }

    // Paints `copies` documents, asking deviceForCopy for the device of each
    // copy and ending each document before the next begins. Returns the
    // number of documents finished.
    static int printCopies(const QStringList &lines, int copies,
                           const std::function<QPagedPaintDevice *(int copy)> &deviceForCopy);
    // The copies the user chose, onto the printer.
    static int printTo(QPrinter &printer, const QStringList &lines);

signals:
    void finished(int documentsPrinted);

private:
    void accepted();

    QStringList m_lines;
    QPrinter *m_printer;
    QPointer<QWidget> m_dialog;
};

// Asks for a file name (PDF or plain text, chosen by the filter or the
// suffix) and saves the brief report there.
class BriefReportSaveJob : public QObject
{
    Q_OBJECT
public:
    BriefReportSaveJob(QWidget *parent, const QStringList &lines, const QString &testName);
    void start();
    QWidget *dialog() const { return m_dialog; }
    // Saves without asking; a name ending in ".txt" gets text, anything else a PDF.
    bool saveTo(const QString &fileName);

signals:
    void finished(bool saved, const QString &fileName);

private:
    QStringList m_lines;
    QString m_testName;
    QPointer<QWidget> m_dialog;
};

} // namespace reports::ui
