#pragma once
#include <QStringView>

// The number a text field or grid cell stands for: the longest leading
// decimal number of the text (leading blanks skipped, optional sign, digits,
// decimal point, exponent). A text that does not start with a number gives 0,
// so "12abc" is 12 and "abc" is 0; nothing is rejected here.
double leadingNumber(QStringView text);
