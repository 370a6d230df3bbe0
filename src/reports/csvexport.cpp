#include "csvexport.h"
#include <QLocale>
#include <QSaveFile>

namespace reports {

ReportStatus writeSamplesCsv(const QString &fileName, SampleSource &samples, const ProgressCallback &progress)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return ReportStatus::failure(ReportError::CannotWrite,
                                     QStringLiteral("Cannot write \"%1\": %2").arg(fileName, file.errorString()));
    file.write("TEST_RESULT_ID,TEST_ID,RAMP_NO,RAMP_STEP_NO,RESULT_TIME,RESULT_SAMPLE_TEMP,RESULT_PRESS,"
               "RESULT_SHEAR_RATE,RESULT_SHEAR_STRESS,RESULT_TYPE_ID,RESULT_BATH_TEMP\n");
    const qint64 total = samples.count();
    qint64 done = 0;
    QByteArray line;
    TestResultRow s;
    while (samples.next(s)) {
        line.clear();
        for (int c = 0; c < TestResultRow::columnCount; ++c) {
            if (c)
                line += ',';
            line += QByteArray::number(s[c], 'g', QLocale::FloatingPointShortest);
        }
        line += '\n';
        file.write(line);
        if (++done % 8192 == 0 && progress && !progress(done, total)) {
            file.cancelWriting();
            return ReportStatus::failure(ReportError::Cancelled, QStringLiteral("Export cancelled."));
        }
    }
    if (!file.commit())
        return ReportStatus::failure(ReportError::CannotWrite,
                                     QStringLiteral("Cannot write \"%1\": %2").arg(fileName, file.errorString()));
    return {};
}

} // namespace reports
