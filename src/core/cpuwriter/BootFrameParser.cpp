#include "BootFrameParser.h"

#include "BootFrame.h"

namespace zel {

void BootFrameParser::reset() {
    m_state = 0;
    m_content.clear();
    m_sum = 0;
    m_checksum = 0;
}

BootFrameParser::Result BootFrameParser::fail() {
    m_state = 0;
    return Result::Error;
}

BootFrameParser::Result BootFrameParser::feed(quint8 byte) {
    switch (m_state) {
    case 0:
        if (byte == BootFrame::Dle)
            m_state = 1;
        return Result::Pending;
    case 1:
        if (byte != BootFrame::Stx)
            return fail();
        m_content.clear();
        m_sum = 0;
        m_state = 2;
        return Result::Pending;
    case 2:
        m_sum += byte;
        if (byte == BootFrame::Dle) {
            m_state = 3;
            return Result::Pending;
        }
        if (m_content.size() >= kContentLimit)
            return fail();
        m_content.append(char(byte));
        return Result::Pending;
    case 3:
        m_sum += byte;
        if (byte == BootFrame::Etx) {
            m_state = 4;
            return Result::Pending;
        }
        if (byte != BootFrame::Dle || m_content.size() >= kContentLimit)
            return fail();
        m_content.append(char(byte));
        m_state = 2;
        return Result::Pending;
    case 4:
        m_checksum = quint16(byte << 8);
        m_state = 5;
        return Result::Pending;
    default:
        m_checksum = quint16(m_checksum + byte);
        m_state = 0;
        return m_checksum == m_sum ? Result::Frame : Result::Error;
    }
}

} // namespace zel
