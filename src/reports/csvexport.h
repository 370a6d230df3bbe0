#pragma once
#include "reportdata.h"
#include "samplesource.h"

// All samples of a test as comma-separated values for other tools: a header
// row of the column names, then one row per sample with every number in its
// shortest exact form.
namespace reports {

ReportStatus writeSamplesCsv(const QString &fileName, SampleSource &samples, const ProgressCallback &progress = {});

} // namespace reports
