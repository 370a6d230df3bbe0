#include "../reportfixture.h"
#include "../xlsxsheet.h"
#include "reports/briefreport.h"
#include "reports/ui/briefreportui.h"
#include "reports/ui/datareportjob.h"
#include "reports/ui/excelexportjob.h"
#include "reports/ui/reportcommands.h"
#include "support/testdatabase.h"
#include <QFileDialog>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

using namespace reports;
using namespace reports::ui;

namespace {

QString pdfText(const QString &file)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

TestReportData reportData(qint64 testId)
{
    TestReportData d;
    d.info.testId = testId;
    d.info.testName = QStringLiteral("Borate XL");
    d.info.safety = QStringLiteral("notes");
    d.ramps.lastRamp = 1;
    rheology::RampResult r;
    r.rampNo = 1;
    r.accepted = true;
    r.nPrime = 0.5;
    d.ramps.results << r;
    return d;
}

} // namespace

class TestReportUi : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    TestDatabase m_db;
    qint64 m_small = 0;     // a few samples
    qint64 m_large = 0;     // more than the preview takes

    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_db.isValid());
        TestInfoRow info;
        info.testName = QStringLiteral("Borate XL");
        std::vector<TestResultRow> few;
        for (int i = 0; i < 30; ++i)
            few.push_back(makeSample(1 + i / 10, i % 10, 10.0 * (30 - i), 70, 100, 40, 1, 7));
        m_small = storeTest(m_db.connection(), info, {}, few);
        info.testName = QStringLiteral("Long run");
        std::vector<TestResultRow> many;
        for (qint64 i = 0; i < DataReportJob::previewLimit + 1; ++i)
            many.push_back(makeSample(1, 0, double(i), 70, 100, 40, 0, 7));
        m_large = storeTest(m_db.connection(), info, {}, many);
    }

    void noOpenTestRefusesEveryReport()
    {
        QWidget window;
        TestReportData none = reportData(0);
        QVERIFY(!printBriefReport(&window, none));
        QVERIFY(!saveBriefReport(&window, none));
        QVERIFY(!exportExcel(&window, m_db.config(), none));
        QVERIFY(!showDataReport(&window, m_db.config(), none.info));
        const auto boxes = window.findChildren<QMessageBox *>(QStringLiteral("noTestMessage"));
        QCOMPARE(boxes.size(), 4);
        QCOMPARE(boxes.first()->text(),
                 QStringLiteral("Currently no valid test selected.  Please first open a saved test."));
    }

    void cancelInThePrintDialogPrintsNothing()
    {
        QWidget window;
        BriefReportPrintJob job(&window, briefReportLines(reportData(1)));
        QSignalSpy finished(&job, &BriefReportPrintJob::finished);
        job.start();
        auto *dialog = qobject_cast<QDialog *>(job.dialog());
        QVERIFY(dialog);
        dialog->reject();
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().first().toInt(), 0);
    }

    // Three copies are three documents, each the whole report.
    void eachCopyItsOwnDocument()
    {
        const QStringList lines = briefReportLines(reportData(1));
        std::vector<std::unique_ptr<QPdfWriter>> writers;
        const int done = BriefReportPrintJob::printCopies(lines, 3, [&](int copy) {
            writers.push_back(std::make_unique<QPdfWriter>(path(QStringLiteral("copy%1.pdf").arg(copy))));
            return writers.back().get();
        });
        QCOMPARE(done, 3);
        writers.clear();
        for (int copy = 1; copy <= 3; ++copy) {
            const QString text = pdfText(path(QStringLiteral("copy%1.pdf").arg(copy)));
            QCOMPARE(text.count(QStringLiteral("Test Report of KX720ph Viscometer.")), 1);
            QVERIFY(text.contains(QStringLiteral("Results")));
        }
    }

    // Printed to a file, the copies follow one another in that file.
    void copiesToAFileShareIt()
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path(QStringLiteral("copies.pdf")));
        printer.setCopyCount(3);
        QCOMPARE(BriefReportPrintJob::printTo(printer, briefReportLines(reportData(1))), 3);
        QCOMPARE(printer.copyCount(), 1);
        QCOMPARE(pdfText(path(QStringLiteral("copies.pdf"))).count(QStringLiteral("Test Report of KX720ph Viscometer.")),
                 3);
    }

    void saveBriefAsTextOrPdf()
    {
        QWidget window;
        BriefReportSaveJob job(&window, briefReportLines(reportData(1)), QStringLiteral("Borate XL"));
        QVERIFY(job.saveTo(path(QStringLiteral("brief.txt"))));
        QFile text(path(QStringLiteral("brief.txt")));
        QVERIFY(text.open(QIODevice::ReadOnly));
        QVERIFY(text.readAll().startsWith("Test Report of KX720ph Viscometer.\n\n"));
        QVERIFY(job.saveTo(path(QStringLiteral("brief.pdf"))));
        QVERIFY(pdfText(path(QStringLiteral("brief.pdf"))).contains(QStringLiteral("Test Report of KX720ph")));
        // The dialog offers a name made from the test name.
        job.start();
        auto *dialog = qobject_cast<QFileDialog *>(job.dialog());
        QVERIFY(dialog);
        QVERIFY2(dialog->selectedFiles().value(0).endsWith(QStringLiteral("/Borate XL brief report.pdf")),
                 qPrintable(dialog->selectedFiles().value(0)));
        dialog->reject();
    }

    void excelExportAsksThenWrites()
    {
        QWidget window;
        ExcelExportJob job(&window, m_db.config(), reportData(m_small));
        job.setOpenWhenDone(false);
        QSignalSpy finished(&job, &ExcelExportJob::finished);
        job.start();
        auto *dialog = qobject_cast<QFileDialog *>(job.dialog());
        QVERIFY(dialog);
        QVERIFY2(dialog->selectedFiles().value(0).endsWith(QStringLiteral("/Borate XL.xlsx")),
                 qPrintable(dialog->selectedFiles().value(0)));
        dialog->reject();
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().first().value<ReportStatus>().error, ReportError::Cancelled);

        const QString file = path(QStringLiteral("export.xlsx"));
        job.exportTo(file);
        QVERIFY(finished.wait(30000));
        const ReportStatus status = finished.last().first().value<ReportStatus>();
        QVERIFY2(status.ok(), qPrintable(status.detail));
        XlsxSheet sheet;
        QVERIFY2(sheet.load(file), qPrintable(sheet.error()));
        QCOMPARE(sheet.text("A18"), QStringLiteral("Ramp NO"));
        QCOMPARE(sheet.lastRow(), 18 + 30);
        QCOMPARE(sheet.number("C19"), 0.17);      // samples in time order: 10 s first
    }

    void excelExportCancelledMidway()
    {
        QWidget window;
        ExcelExportJob job(&window, m_db.config(), reportData(m_large));
        job.setOpenWhenDone(false);
        QSignalSpy finished(&job, &ExcelExportJob::finished);
        const QString file = path(QStringLiteral("cancelled.xlsx"));
        job.exportTo(file);
        QVERIFY(job.background());
        job.background()->cancel();
        QVERIFY(finished.wait(30000));
        QCOMPARE(finished.last().first().value<ReportStatus>().error, ReportError::Cancelled);
        QVERIFY(!QFile::exists(file));
        QVERIFY(window.findChildren<QMessageBox *>().isEmpty());   // a cancel is not an error
    }

    void shortTestOpensThePrintPreview()
    {
        QWidget window;
        TestInfoRow info = reportData(m_small).info;
        DataReportJob job(&window, m_db.config(), info);
        job.start();
        auto *preview = qobject_cast<QPrintPreviewDialog *>(job.dialog());
        QVERIFY(preview);

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path(QStringLiteral("preview.pdf")));
        QVERIFY(job.paint(&printer).ok());
        const QString text = pdfText(path(QStringLiteral("preview.pdf")));
        QVERIFY(text.contains(QStringLiteral("KX720pH Viscosity Test Report")));
        QVERIFY(text.indexOf(QStringLiteral("1.67")) < text.indexOf(QStringLiteral("0.17")));  // ramp 1 before ramp 3
        preview->close();
    }

    void longTestIsWrittenToAPdfInTheBackground()
    {
        QWidget window;
        TestInfoRow info = reportData(m_large).info;
        info.testName = QStringLiteral("Long run");
        DataReportJob job(&window, m_db.config(), info);
        job.setOpenWhenDone(false);
        QSignalSpy finished(&job, &DataReportJob::finished);
        job.start();
        auto *dialog = qobject_cast<QFileDialog *>(job.dialog());
        QVERIFY(dialog);
        QVERIFY(dialog->selectedFiles().value(0).endsWith(QStringLiteral("/Long run detail report.pdf")));
        dialog->reject();
        QCOMPARE(finished.size(), 1);

        const QString file = path(QStringLiteral("long.pdf"));
        job.savePdf(file);
        QVERIFY(finished.wait(60000));
        QVERIFY(finished.last().first().value<ReportStatus>().ok());
        QVERIFY(pdfText(file).contains(QStringLiteral("Thank you for using the KX720pH viscometer.")));
    }
};


QTEST_MAIN(TestReportUi)
#include "tst_reportui.moc"
