#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The instrument's side of the line: turns the bytes the software sends
// (stop byte, step command, ENQ) into events. Pure C++.
class InstrumentCommandParser
{
public:
    struct StepCommand
    {
        std::int64_t setPoint = 0;        // whole °F
        std::int64_t speedHundredths = 0; // rpm × 100
        std::int64_t combination = 0;
        friend bool operator==(const StepCommand &, const StepCommand &) = default;
    };
    struct Event
    {
        enum class Kind { Stop, StepCommand, BadCommand, Enquiry };
        Kind kind;
        StepCommand command;   // for StepCommand
        std::string text;      // command text as received, for StepCommand and BadCommand
    };

    static constexpr std::size_t kMaxCommandText = 64;

    std::vector<Event> feed(std::string_view bytes);
    // "01,60000,300,10000,1" -> its three values; false unless five digit fields.
    static bool parseCommandText(std::string_view text, StepCommand &command);

private:
    bool m_collecting = false;   // between ETX and CR
    std::string m_text;
};
