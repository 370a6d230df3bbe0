#include "numberformat.h"
#include <cmath>
#include <cstdio>

namespace {

bool isPlaceholder(QChar c)
{
    return c == QLatin1Char('0') || c == QLatin1Char('#') || c == QLatin1Char('.');
}

struct Pattern
{
    QString prefix;        // literal text before the first placeholder
    QString suffix;        // literal text after the last placeholder
    int minIntDigits = 0;  // integer digits always shown (from the first "0" on)
    int fracDigits = 0;    // decimals the value is rounded to
    int minFracDigits = 0; // decimals always shown (up to the last "0")
    bool hasPoint = false;
};

Pattern parse(const QString &text)
{
    Pattern p;
    int first = 0;
    while (first < text.size() && !isPlaceholder(text[first]))
        ++first;
    int last = text.size() - 1;
    while (last >= first && !isPlaceholder(text[last]))
        --last;
    p.prefix = text.left(first);
    p.suffix = text.mid(last + 1);
    const QString core = text.mid(first, last - first + 1);
    const int point = core.indexOf(QLatin1Char('.'));
    p.hasPoint = point >= 0;
    const QString intPart = p.hasPoint ? core.left(point) : core;
    const QString fracPart = p.hasPoint ? core.mid(point + 1) : QString();
    const int firstZero = intPart.indexOf(QLatin1Char('0'));
    p.minIntDigits = firstZero < 0 ? 0 : int(intPart.size()) - firstZero;
    for (int i = 0; i < fracPart.size(); ++i) {
        if (fracPart[i] == QLatin1Char('0') || fracPart[i] == QLatin1Char('#')) {
            ++p.fracDigits;
            if (fracPart[i] == QLatin1Char('0'))
                p.minFracDigits = p.fracDigits;
        }
    }
    return p;
}

// |value| * 10^decimals rounded half away from zero, as a digit string
// without leading zeros ("0" for zero). The value is first taken to 15
// significant decimal digits so that 1.005 rounds like the decimal it was
// typed as, not like its binary neighbour 1.00499999...
QString scaledDigits(double magnitude, int decimals)
{
    if (magnitude == 0)
        return QStringLiteral("0");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", magnitude);
    // buf = "d.dddddddddddddde[+-]XX"
    QString mantissa;
    const char *c = buf;
    for (; *c && *c != 'e'; ++c)
        if (*c >= '0' && *c <= '9')
            mantissa.append(QLatin1Char(*c));
    const int exponent = std::atoi(c + 1);
    const int keep = exponent + 1 + decimals;   // digits left of the rounding point
    if (keep < 0)
        return QStringLiteral("0");
    QString digits = mantissa.left(keep);
    while (digits.size() < keep)
        digits.append(QLatin1Char('0'));
    const bool roundUp = keep < mantissa.size() && mantissa[keep] >= QLatin1Char('5');
    if (roundUp) {
        int i = int(digits.size()) - 1;
        for (; i >= 0; --i) {
            if (digits[i] == QLatin1Char('9')) {
                digits[i] = QLatin1Char('0');
            } else {
                digits[i] = QChar(digits[i].unicode() + 1);
                break;
            }
        }
        if (i < 0)
            digits.prepend(QLatin1Char('1'));
    }
    int lead = 0;
    while (lead < digits.size() - 1 && digits[lead] == QLatin1Char('0'))
        ++lead;
    digits = digits.mid(lead);
    return digits.isEmpty() ? QStringLiteral("0") : digits;
}

} // namespace

QString formatNumber(double value, const QString &pattern)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-Inf") : QStringLiteral("Inf");
    if (pattern.isEmpty())
        return QString::number(value, 'g', 15);

    const Pattern p = parse(pattern);
    QString digits = scaledDigits(std::fabs(value), p.fracDigits);
    const bool isZero = digits == QLatin1String("0");
    if (digits.size() <= p.fracDigits)
        digits = QString(p.fracDigits + 1 - digits.size(), QLatin1Char('0')) + digits;

    QString intText = digits.left(digits.size() - p.fracDigits);
    QString fracText = digits.right(p.fracDigits);
    if (intText == QLatin1String("0"))
        intText.clear();
    if (intText.size() < p.minIntDigits)
        intText.prepend(QString(p.minIntDigits - intText.size(), QLatin1Char('0')));
    while (fracText.size() > p.minFracDigits && fracText.endsWith(QLatin1Char('0')))
        fracText.chop(1);

    QString out;
    if (value < 0 && !isZero)
        out += QLatin1Char('-');
    out += p.prefix;
    out += intText;
    if (p.hasPoint)
        out += QLatin1Char('.');
    out += fracText;
    out += p.suffix;
    return out;
}
