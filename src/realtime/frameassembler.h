#pragma once
#include "frameprotocol.h"

#include <string>
#include <string_view>

// The receive buffer of one unit: bytes go in as they arrive, complete
// frames come out in order. A frame split across reads waits for its SUB.
class FrameAssembler
{
public:
    // No frame is this long; unterminated bytes beyond it are line noise.
    static constexpr std::size_t kMaxPartialFrame = 1024;

    void append(std::string_view bytes);
    bool hasFrameEnd() const;       // is a SUB waiting in the buffer?
    // Takes the next frame. NeedMore when no SUB is waiting; Overlong (and
    // the partial bytes dropped) when they have grown past kMaxPartialFrame.
    kx720::FrameScan next();
    void clear();

    std::size_t size() const { return m_data.size() - m_head; }
    std::string_view pending() const { return std::string_view(m_data).substr(m_head); }

private:
    std::string m_data;
    std::size_t m_head = 0;   // taken frames stay in front until compaction
};
