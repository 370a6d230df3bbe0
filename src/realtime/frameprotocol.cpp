#include "frameprotocol.h"

#include <cstring>

namespace kx720 {

FrameVerdict parseFrame(std::string_view frame, FrameFields &fields)
{
    if (!frame.empty() && frame.back() == kSub)
        frame.remove_suffix(1);
    while (!frame.empty() && (frame.back() == '\r' || frame.back() == '\n'))
        frame.remove_suffix(1);

    fields = FrameFields{};
    int index = 0;
    bool overflow = false;
    std::int64_t value = 0;
    for (const char c : frame) {
        if (c >= '0' && c <= '9') {
            value = value * 10 + (c - '0');
            if (value > kMaxFieldValue) {
                overflow = true;
                value = kMaxFieldValue;   // keep scanning for the verdict
            }
        } else if (c == ',') {
            if (index == kFieldCount - 1)
                return FrameVerdict::Malformed;   // an eighth comma
            fields.values[std::size_t(index++)] = value;
            value = 0;
        } else {
            return FrameVerdict::Malformed;
        }
    }
    if (index != kFieldCount - 1)
        return FrameVerdict::Malformed;
    fields.values[std::size_t(index)] = value;
    if (overflow || !withinAcceptanceWindow(fields))
        return FrameVerdict::OutOfRange;
    return FrameVerdict::Valid;
}

bool withinAcceptanceWindow(const FrameFields &f)
{
    return f.field(1) >= 1 && f.field(2) >= 1 && f.field(2) < 59999 && f.field(3) >= 10
           && f.field(4) < 5001;
}

FrameScan scanFrame(std::string_view buffer)
{
    FrameScan scan;
    const void *end = buffer.empty() ? nullptr : std::memchr(buffer.data(), kSub, buffer.size());
    if (!end)
        return scan;
    scan.length = std::size_t(static_cast<const char *>(end) - buffer.data()) + 1;
    scan.verdict = parseFrame(buffer.substr(0, scan.length), scan.fields);
    return scan;
}

} // namespace kx720
