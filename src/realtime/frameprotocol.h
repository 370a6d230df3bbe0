#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// Wire format of the KX720 reading frames: eight comma-separated digit-only
// fields ended by SUB. Pure functions over bytes, no Qt, so that the fuzzer
// and the benchmark can use them directly.
namespace kx720 {

inline constexpr char kEtx = 0x03;
inline constexpr char kEnq = 0x05;
inline constexpr char kAck = 0x06;   // also the stop byte
inline constexpr char kCr = 0x0D;
inline constexpr char kSub = 0x1A;

inline constexpr int kFieldCount = 8;
// Larger field values are taken as line noise, not as readings.
inline constexpr std::int64_t kMaxFieldValue = 2147483647;

enum class FrameVerdict {
    Valid,        // well formed and inside the acceptance window
    OutOfRange,   // well formed, outside the window: ignored
    Malformed,    // wrong comma count or a non-digit inside a field: dropped
    NeedMore,     // no SUB yet: wait for more bytes
    Overlong,     // unterminated bytes too long to be a frame: dropped
};

struct FrameFields
{
    std::array<std::int64_t, kFieldCount> values{};
    // Fields are numbered from 1 like on the wire.
    std::int64_t field(int number) const { return values[std::size_t(number - 1)]; }
};

struct FrameScan
{
    FrameVerdict verdict = FrameVerdict::NeedMore;
    std::size_t length = 0;   // bytes taken from the buffer (SUB included)
    FrameFields fields;       // filled for Valid and OutOfRange
};

// Checks one frame. A SUB at its end is allowed, and so is a CR and/or LF
// after the last field.
FrameVerdict parseFrame(std::string_view frame, FrameFields &fields);

// Accepts field 1 >= 1, 1 <= field 2 < 59999, field 3 >= 10, field 4 < 5001.
bool withinAcceptanceWindow(const FrameFields &fields);

// The first frame of a buffer: everything up to and including the first SUB.
FrameScan scanFrame(std::string_view buffer);

} // namespace kx720
