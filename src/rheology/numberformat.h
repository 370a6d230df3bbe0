#pragma once
#include <QString>

// The number-pattern language of the reports and grids: "0" a digit always
// shown, "#" a digit shown only when significant, "." the decimal point.
// Values are rounded to the pattern's last digit; integer digits beyond the
// pattern are still shown.  formatNumber(4.788/4.788, "0.0000") == "1.0000",
// formatNumber(0.5, "#.##") == ".5", formatNumber(90/60., "#.") == "2."
QString formatNumber(double value, const QString &pattern);
