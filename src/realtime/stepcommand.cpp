#include "stepcommand.h"

#include "frameprotocol.h"

#include <cmath>
#include <cstdio>

namespace kx720 {
namespace {

// Rounds half away from zero; negative and NaN become 0, the top is capped.
std::string zeroPadded(double value, double cap, int digits)
{
    long long whole = 0;
    if (value > 0)   // false for NaN
        whole = std::llround(std::fmin(value, cap));
    char text[32];
    std::snprintf(text, sizeof text, "%0*lld", digits, whole);
    return text;
}

} // namespace

std::string formatSetPoint(double fahrenheit)
{
    // Far above any heater's range; keeps the field bounded.
    return zeroPadded(fahrenheit, 9999.0, 3);
}

std::string formatSpeed(double rpm)
{
    if (rpm > kMaxSpeedRpm)
        rpm = kMaxSpeedRpm;
    return zeroPadded(rpm * 100.0, kMaxSpeedRpm * 100.0, 5);
}

std::string formatCombination(int combination)
{
    return std::to_string(combination);
}

std::string stepCommandText(double speedRpm, double setPointF, int combination)
{
    return "01,60000," + formatSetPoint(setPointF) + "," + formatSpeed(speedRpm) + ","
           + formatCombination(combination);
}

std::vector<CommandItem> stepCommandItems(double speedRpm, double setPointF, int combination)
{
    using A = CommandItem::Action;
    return {
        {A::Write, std::string(1, kAck), 3000},
        {A::Write, std::string(1, kEtx), 100},
        {A::Write, "01", 100},
        {A::Write, ",", 100},
        {A::Write, "60000", 100},
        {A::Write, ",", 100},
        {A::Write, formatSetPoint(setPointF), 100},
        {A::Write, ",", 100},
        {A::Write, formatSpeed(speedRpm), 100},
        {A::Write, ",", 100},
        {A::Write, formatCombination(combination), 100},
        {A::Write, std::string{kCr, kSub}, 100},
        {A::Write, "99", 200},
        {A::DiscardInput, {}, 0},
        {A::Write, std::string(1, kEnq), 3000},
    };
}

int stepCommandDurationMs()
{
    int total = 0;
    for (const CommandItem &item : stepCommandItems(0, 0, 1))
        total += item.pauseAfterMs;
    return total;
}

} // namespace kx720
