#pragma once
// Properties of the frame decoder and the instrument's command parser that
// must hold for any bytes at all. Shared by the libFuzzer targets and the
// corpus replay test; returns an empty string when everything holds.
#include "realtime/frameassembler.h"
#include "realtime/frameprotocol.h"
#include "realtime/instrumentcommandparser.h"
#include "realtime/instrumentreading.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fuzzchecks {

struct Decoded
{
    kx720::FrameVerdict verdict;
    std::size_t length;
    kx720::FrameFields fields;
};

// Feeds the stream in pieces of the given sizes (cycled), taking frames
// after each piece like a poll does.
inline std::vector<Decoded> decodeInPieces(std::string_view stream, const std::vector<std::size_t> &sizes,
                                           std::size_t &leftOver)
{
    FrameAssembler assembler;
    std::vector<Decoded> out;
    std::size_t at = 0;
    std::size_t piece = 0;
    while (at < stream.size()) {
        const std::size_t n = std::min(stream.size() - at, std::max<std::size_t>(1, sizes[piece++ % sizes.size()]));
        assembler.append(stream.substr(at, n));
        at += n;
        for (auto scan = assembler.next(); scan.verdict != kx720::FrameVerdict::NeedMore; scan = assembler.next())
            out.push_back({scan.verdict, scan.length, scan.fields});
    }
    leftOver = assembler.size();
    return out;
}

// The first byte chooses how the rest is cut into reads.
inline std::string checkFrameDecoder(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return {};
    const unsigned selector = data[0];
    const std::string_view stream(reinterpret_cast<const char *>(data + 1), size - 1);

    std::size_t leftWhole = 0;
    const std::vector<Decoded> whole = decodeInPieces(stream, {stream.size()}, leftWhole);
    std::vector<std::size_t> sizes;
    for (unsigned k = 0; k < 4; ++k)
        sizes.push_back(1 + ((selector >> (2 * k)) & 3u) * (1 + k * 5));
    std::size_t leftPieces = 0;
    const std::vector<Decoded> pieces = decodeInPieces(stream, sizes, leftPieces);

    std::size_t run = 0;
    std::size_t longestRun = 0;   // bytes between frame ends
    for (const char c : stream) {
        run = c == kx720::kSub ? 0 : run + 1;
        longestRun = std::max(longestRun, run);
    }
    const bool noOverlong = longestRun <= FrameAssembler::kMaxPartialFrame;

    std::size_t consumed = 0;
    std::size_t at = 0;
    for (const Decoded &d : whole) {
        if (d.verdict == kx720::FrameVerdict::Overlong) {
            // Only an unterminated tail too long for a frame, dropped whole.
            if (&d != &whole.back() || at + d.length != stream.size() || d.length <= FrameAssembler::kMaxPartialFrame)
                return "overlong reported for something else than a long tail";
            consumed += d.length;
            at += d.length;
            continue;
        }
        if (d.length == 0 || at + d.length > stream.size())
            return "frame length outside the stream";
        const std::string_view frame = stream.substr(at, d.length);
        at += d.length;
        consumed += d.length;
        if (frame.back() != kx720::kSub || frame.find(kx720::kSub) != frame.size() - 1)
            return "frame not cut at its first SUB";
        kx720::FrameFields again;
        if (kx720::parseFrame(frame, again) != d.verdict)
            return "verdict differs when the frame is parsed alone";
        if (d.verdict == kx720::FrameVerdict::Valid) {
            if (!kx720::withinAcceptanceWindow(d.fields))
                return "valid frame outside the acceptance window";
            for (const char c : frame) {
                if (!((c >= '0' && c <= '9') || c == ',' || c == '\r' || c == '\n' || c == kx720::kSub))
                    return "valid frame with a foreign character";
            }
            for (const std::int64_t v : d.fields.values) {
                if (v < 0 || v > kx720::kMaxFieldValue)
                    return "field value out of bounds";
            }
            RotorBobPair pair;
            const InstrumentReading r = readingFromFrame(d.fields, pair);
            if (!std::isfinite(r.sampleTemperature) || !std::isfinite(r.shearRate) || !std::isfinite(r.shearStress)
                || !std::isfinite(r.pH) || !(pair.factor > 0))
                return "reading not finite";
        }
    }
    if (consumed + leftWhole != stream.size())
        return "bytes lost or invented";

    if (noOverlong) {
        if (pieces.size() != whole.size() || leftPieces != leftWhole)
            return "read boundaries changed the frames";
        for (std::size_t i = 0; i < whole.size(); ++i) {
            if (pieces[i].verdict != whole[i].verdict || pieces[i].length != whole[i].length
                || pieces[i].fields.values != whole[i].fields.values)
                return "read boundaries changed a frame";
        }
    }
    for (const Decoded &d : pieces) {
        if (d.verdict == kx720::FrameVerdict::Overlong && d.length <= FrameAssembler::kMaxPartialFrame)
            return "short partial frame dropped as overlong";
    }
    return {};
}

inline std::string checkCommandParser(const std::uint8_t *data, std::size_t size)
{
    InstrumentCommandParser whole;
    InstrumentCommandParser bytewise;
    const std::string_view stream(reinterpret_cast<const char *>(data), size);
    const auto a = whole.feed(stream);
    std::vector<InstrumentCommandParser::Event> b;
    for (const char c : stream) {
        auto events = bytewise.feed(std::string_view(&c, 1));
        b.insert(b.end(), events.begin(), events.end());
    }
    if (a.size() != b.size())
        return "read boundaries changed the events";
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].kind != b[i].kind || a[i].text != b[i].text || !(a[i].command == b[i].command))
            return "read boundaries changed an event";
        if (a[i].text.size() > InstrumentCommandParser::kMaxCommandText)
            return "command text longer than its limit";
        if (a[i].kind == InstrumentCommandParser::Event::Kind::StepCommand) {
            InstrumentCommandParser::StepCommand again;
            if (!InstrumentCommandParser::parseCommandText(a[i].text, again) || !(again == a[i].command))
                return "command text does not parse back";
        }
    }
    return {};
}

} // namespace fuzzchecks
