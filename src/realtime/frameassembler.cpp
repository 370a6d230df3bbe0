#include "frameassembler.h"

#include <cstring>

void FrameAssembler::append(std::string_view bytes)
{
    if (m_head > 0 && m_head >= m_data.size() / 2) {
        m_data.erase(0, m_head);
        m_head = 0;
    }
    m_data.append(bytes);
}

bool FrameAssembler::hasFrameEnd() const
{
    return size() > 0 && std::memchr(m_data.data() + m_head, kx720::kSub, size()) != nullptr;
}

kx720::FrameScan FrameAssembler::next()
{
    kx720::FrameScan scan = kx720::scanFrame(pending());
    if (scan.verdict == kx720::FrameVerdict::NeedMore) {
        if (size() > kMaxPartialFrame) {
            scan.verdict = kx720::FrameVerdict::Overlong;
            scan.length = size();
            clear();
        }
        return scan;
    }
    m_head += scan.length;
    if (m_head == m_data.size())
        clear();
    return scan;
}

void FrameAssembler::clear()
{
    m_data.clear();
    m_head = 0;
}
