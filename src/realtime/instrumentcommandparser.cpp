#include "instrumentcommandparser.h"

#include "frameprotocol.h"

#include <array>

std::vector<InstrumentCommandParser::Event> InstrumentCommandParser::feed(std::string_view bytes)
{
    std::vector<Event> events;
    for (const char c : bytes) {
        switch (c) {
        case kx720::kAck:
            m_collecting = false;
            events.push_back({Event::Kind::Stop, {}, {}});
            break;
        case kx720::kEtx:
            m_collecting = true;
            m_text.clear();
            break;
        case kx720::kEnq:
            m_collecting = false;
            events.push_back({Event::Kind::Enquiry, {}, {}});
            break;
        case kx720::kCr:
            if (m_collecting) {
                m_collecting = false;
                Event event{Event::Kind::BadCommand, {}, m_text};
                if (parseCommandText(m_text, event.command))
                    event.kind = Event::Kind::StepCommand;
                events.push_back(std::move(event));
            }
            break;
        default:
            if (!m_collecting)
                break;   // SUB, the trailing "99", line noise
            if (m_text.size() >= kMaxCommandText) {
                m_collecting = false;
                events.push_back({Event::Kind::BadCommand, {}, m_text});
                break;
            }
            m_text.push_back(c);
        }
    }
    return events;
}

bool InstrumentCommandParser::parseCommandText(std::string_view text, StepCommand &command)
{
    std::array<std::int64_t, 5> values{};
    std::size_t index = 0;
    bool hasDigits = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            if (values[index] > 99999999)
                return false;
            values[index] = values[index] * 10 + (c - '0');
            hasDigits = true;
        } else if (c == ',' && hasDigits && index + 1 < values.size()) {
            ++index;
            hasDigits = false;
        } else {
            return false;
        }
    }
    if (index + 1 != values.size() || !hasDigits)
        return false;
    command = StepCommand{values[2], values[3], values[4]};
    return true;
}
