#include "briefreportui.h"
#include "reports/briefreport.h"
#include "reports/paint/textreportpainter.h"
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace reports::ui {

BriefReportPrintJob::BriefReportPrintJob(QWidget *parent, const QStringList &lines)
    : QObject(parent), m_lines(lines), m_printer(new QPrinter(QPrinter::HighResolution))
{
}

BriefReportPrintJob::~BriefReportPrintJob()
{
    delete m_dialog;
    delete m_printer;
}

void BriefReportPrintJob::start()
{
    auto *dialog = new QPrintDialog(m_printer, qobject_cast<QWidget *>(parent()));
    dialog->setWindowTitle(tr("Print Brief Report"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog = dialog;
    connect(dialog, &QDialog::accepted, this, &BriefReportPrintJob::accepted);
    connect(dialog, &QDialog::rejected, this, [this] { emit finished(0); });
    dialog->open();
}

void BriefReportPrintJob::accepted()
{
    emit finished(printTo(*m_printer, m_lines));
}

int BriefReportPrintJob::printCopies(const QStringList &lines, int copies,
                                     const std::function<QPagedPaintDevice *(int)> &deviceForCopy)
{
    int done = 0;
    for (int copy = 1; copy <= copies; ++copy) {
        QPagedPaintDevice *device = deviceForCopy(copy);
        QPainter painter;
        if (!device || !painter.begin(device))
            break;
        paintTextPages(painter, *device, lines);
        if (!painter.end())
            break;
        ++done;
    }
    return done;
}

int BriefReportPrintJob::printTo(QPrinter &printer, const QStringList &lines)
{
    const int copies = std::max(1, printer.copyCount());
    // The copies are made here, one document each; the printer must not
    // multiply them again.
    printer.setCopyCount(1);
    if (printer.outputFileName().isEmpty())
        return printCopies(lines, copies, [&](int) { return static_cast<QPagedPaintDevice *>(&printer); });

    QStringList all;
    for (int copy = 1; copy <= copies; ++copy) {
        if (copy > 1)
            all << kPageBreak;
        all << lines;
    }
    return printCopies(all, 1, [&](int) { return static_cast<QPagedPaintDevice *>(&printer); }) == 1 ? copies : 0;
}

BriefReportSaveJob::BriefReportSaveJob(QWidget *parent, const QStringList &lines, const QString &testName)
    : QObject(parent), m_lines(lines), m_testName(testName)
{
}

void BriefReportSaveJob::start()
{
    const QString pdfFilter = tr("PDF document (*.pdf)");
    const QString textFilter = tr("Plain text (*.txt)");
    QString base = m_testName.trimmed();
    for (QChar &c : base)
        if (QStringLiteral("<>:\"/\\|?*").contains(c))
            c = QLatin1Char('_');
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    auto *dialog = new QFileDialog(qobject_cast<QWidget *>(parent()), tr("Save Brief Report"),
                                   QDir(dir).filePath(base + tr(" brief report.pdf")),
                                   pdfFilter + QStringLiteral(";;") + textFilter);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog = dialog;
    connect(dialog, &QFileDialog::fileSelected, this, [this, dialog, textFilter](QString file) {
        const bool text = dialog->selectedNameFilter() == textFilter;
        if (QFileInfo(file).suffix().isEmpty())
            file += text ? QStringLiteral(".txt") : QStringLiteral(".pdf");
        const bool saved = saveTo(file);
        emit finished(saved, file);
    });
    connect(dialog, &QDialog::rejected, this, [this] { emit finished(false, QString()); });
    dialog->open();
}

bool BriefReportSaveJob::saveTo(const QString &fileName)
{
    const bool text = fileName.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
    const ReportStatus status = text ? writeTextReportFile(fileName, m_lines)
                                     : writeTextReportPdf(fileName, m_lines, m_testName);
    if (!status.ok()) {
        auto *box = new QMessageBox(QMessageBox::Warning, tr("Save Brief Report"), status.detail, QMessageBox::Ok,
                                    qobject_cast<QWidget *>(parent()));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    }
    return status.ok();
}

} // namespace reports::ui
