#pragma once
#include <string>
#include <vector>

// The step command that sets an instrument's temperature set-point and
// rotor speed: a fixed series of writes, each followed by a pause.
namespace kx720 {

inline constexpr double kMaxSpeedRpm = 600.0;

// Whole °F, at least three digits: 75.6 -> "076". Negative or NaN -> "000".
std::string formatSetPoint(double fahrenheit);
// Hundredths of rpm, at least five digits, limited to 600 rpm:
// 100 -> "10000", 650 -> "60000". Negative or NaN -> "00000".
std::string formatSpeed(double rpm);
std::string formatCombination(int combination);

struct CommandItem
{
    enum class Action { Write, DiscardInput };
    Action action = Action::Write;
    std::string bytes;      // for Write
    int pauseAfterMs = 0;

    friend bool operator==(const CommandItem &, const CommandItem &) = default;
};

// Everything the command does, in order. The discard item drops whatever
// the instrument sent while the command was being written.
std::vector<CommandItem> stepCommandItems(double speedRpm, double setPointF, int combination);

// The characters between ETX and CR, e.g. "01,60000,300,10000,1".
std::string stepCommandText(double speedRpm, double setPointF, int combination);

int stepCommandDurationMs();   // sum of all pauses

} // namespace kx720
