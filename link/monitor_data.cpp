#include "link/monitor_data.h"

CMonitorDataBuffer g_monitorData;
std::atomic<BYTE> g_monitorReplyState{0};

DWORD CMonitorDataBuffer::Word(std::size_t index) const {
    const BYTE* word = &m_header.at(index * 4);
    return (DWORD{word[0]} << 24) | (DWORD{word[1]} << 16) | (DWORD{word[2]} << 8) | DWORD{word[3]};
}

void CMonitorDataBuffer::SetWord(std::size_t index, DWORD value) {
    BYTE* word = &m_header.at(index * 4);
    word[0] = static_cast<BYTE>(value >> 24);
    word[1] = static_cast<BYTE>(value >> 16);
    word[2] = static_cast<BYTE>(value >> 8);
    word[3] = static_cast<BYTE>(value);
}
