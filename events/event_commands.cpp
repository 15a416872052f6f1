#include "events/event_commands.h"

#include "link/emulator_link.h"
#include "link/link_results.h"

#include <algorithm>

namespace {

constexpr BYTE kCommandP = 'P';
constexpr BYTE kCommandQ = 'Q';
constexpr BYTE kCommandR = 'R';
constexpr BYTE kCommandS = 'S';
constexpr BYTE kCommandT = 'T';
constexpr BYTE kCommandU = 'U';
constexpr BYTE kCommandV = 'V';
// Trailer modes: 0x81 alone, or 0xA5 0x81.
constexpr DWORD kCloseOnly = 1;
constexpr DWORD kPadded = 2;
// A reply with a status word and no data.
constexpr DWORD kStatusReply = 10;
// The reply buffer has room for five times the expected reply.
constexpr std::size_t kReplyRoom = 5;
constexpr std::size_t kStatusOffset = 6;
constexpr std::size_t kTraceEntrySize = 4;
constexpr BYTE kWrappedBit = 0x80;

}  // namespace

CEventCommand::CEventCommand(CEmulatorLink* link, BYTE command, DWORD requestLength, DWORD replyLength,
                             DWORD trailerMode)
    : CFramePacket(link) {
    m_command = command;
    m_requestLength = requestLength;
    m_replyLength = replyLength;
    m_requestTrailerMode = trailerMode;
    m_replyTrailerMode = kPadded;
}

bool CEventCommand::IsReplyOk(std::size_t received) const {
    if (received < m_replyLength || m_reply.size() < m_replyLength) {
        return false;
    }
    return m_reply[kStatusOffset] == 0 && m_reply[kStatusOffset + 1] == 0;
}

DWORD CEventCommand::Execute() {
    if (m_link == nullptr || m_request.size() != m_requestLength) {
        return 0;
    }
    m_reply.assign(kReplyRoom * m_replyLength, 0);
    std::size_t received = 0;
    if (m_link->MonitorTransact(m_request, m_reply, &received) != link_result::kOk || !IsReplyOk(received)) {
        return 0;
    }
    Decode();
    return 1;
}

CEventCommandP::CEventCommandP(CEmulatorLink* link, DWORD dataAddress, DWORD commandAddress)
    : CEventCommand(link, kCommandP, 16, kStatusReply, kPadded) {
    AppendLong(dataAddress);
    AppendLong(commandAddress);
    BuildRequest();
}

CEventCommandQ::CEventCommandQ(CEmulatorLink* link, BYTE space, DWORD lowRegister, DWORD highRegister,
                               DWORD enableRegister, DWORD address, bool enable)
    : CEventCommand(link, kCommandQ, 26, kStatusReply, kPadded) {
    AppendByte(space);
    AppendLong(lowRegister);
    AppendByte(static_cast<BYTE>(address));
    AppendByte(static_cast<BYTE>(address >> 8));
    AppendLong(highRegister);
    AppendByte(static_cast<BYTE>(address >> 16));
    AppendByte(static_cast<BYTE>(address >> 24));
    AppendLong(enableRegister);
    AppendByte(enable ? 1 : 0);
    BuildRequest();
}

CEventCommandR::CEventCommandR(CEmulatorLink* link, const EventRegisterRow& registers, const CEventDescriptor& event)
    : CEventCommand(link, kCommandR, 26, kStatusReply, kCloseOnly) {
    AppendByte(static_cast<BYTE>(event.kind));
    const WORD values[] = {
        static_cast<WORD>((event.accessSize << 8) | (event.accessType << 6)),
        static_cast<WORD>(event.address),
        static_cast<WORD>(event.address >> 16),
        static_cast<WORD>(event.maskBits),
        event.data,
        event.dataMask,
    };
    for (std::size_t i = 0; i < registers.size(); ++i) {
        AppendByte(registers[i]);
        AppendWord16(values[i], 1);
    }
    BuildRequest();
}

CEventCommandS::CEventCommandS(CEmulatorLink* link, BYTE triggerRegister, BYTE combination)
    : CEventCommand(link, kCommandS, 10, kStatusReply, kCloseOnly) {
    AppendByte(triggerRegister);
    AppendByte(combination);
    AppendByte(0);
    BuildRequest();
}

WORD CEventCommandT::ControlWord(const EventTraceSettings& settings) {
    const auto low = [](LONG value) { return static_cast<DWORD>(value) & 0xFF; };
    DWORD word = (low(settings.start) << 12) | (low(settings.stop) << 8) | (low(settings.type) << 5) |
                 (low(settings.pickUp) << 4);
    if (settings.controlBit7 != 0) {
        word |= 0x80;
    }
    if (settings.breakAtFull == 0) {
        word |= 0x01;
    }
    return static_cast<WORD>(word);
}

CEventCommandT::CEventCommandT(CEmulatorLink* link, const EventTraceRegisters& registers,
                               const EventTraceSettings& settings, LONG traceSize)
    : CEventCommand(link, kCommandT, 18, kStatusReply, kPadded) {
    AppendByte(registers.count);
    AppendWord16(ControlWord(settings), 1);
    AppendByte(static_cast<BYTE>(traceSize));
    AppendLong(registers.bufferAddress);
    AppendByte(registers.pointerOffset);
    AppendByte(registers.data);
    BuildRequest();
}

CEventCommandU::CEventCommandU(CEmulatorLink* link, BYTE pointerRegister)
    : CEventCommand(link, kCommandU, 8, 12, kCloseOnly) {
    AppendByte(pointerRegister);
    BuildRequest();
}

void CEventCommandU::Decode() {
    const BYTE* data = ReplyData();
    m_wrapped = (data[0] & kWrappedBit) != 0 ? 1 : 0;
    m_pointer = data[1];
}

CEventCommandV::CEventCommandV(CEmulatorLink* link, BYTE pointerOffsetRegister, BYTE dataRegister, DWORD count)
    : CEventCommand(link, kCommandV, 10, static_cast<DWORD>(kTraceEntrySize) * count + kStatusReply, kPadded),
      m_count(count) {
    AppendByte(pointerOffsetRegister);
    AppendByte(dataRegister);
    BuildRequest();
}

void CEventCommandV::Decode() {
    const BYTE* data = ReplyData();
    m_entries.clear();
    m_entries.reserve(m_count);
    for (DWORD i = 0; i < m_count; ++i) {
        const BYTE* entry = data + kTraceEntrySize * i;
        m_entries.push_back({entry[0], (DWORD{entry[1]} << 16) | (DWORD{entry[2]} << 8) | entry[3]});
    }
}

namespace {

CEventTraceRecord DecodeEntry(const EventTraceEntryRaw& entry, LONG traceType) {
    CEventTraceRecord record;
    record.type = entry.type;
    if (traceType == 0) {
        record.kind = 1;
        record.branchSide = (entry.type & 0x01) == 0 ? 1 : 0;
        record.value = entry.value;
        return record;
    }
    record.kind = 0;
    record.value = entry.value >> 8;
    record.direction = (entry.type & 0x01) != 0 ? 2 : 1;
    record.size = (entry.type & 0x0C) == 0x08 ? 2 : 1;
    if (record.size == 1) {
        record.value &= 0xFF;
    }
    const BYTE code = entry.type & 0x30;
    record.code = code == 0x10 ? 0 : code == 0x20 ? 1 : -1;
    return record;
}

}  // namespace

std::vector<CEventTraceRecord> DecodeTraceEntries(const std::vector<EventTraceEntryRaw>& entries, DWORD pointer,
                                                  bool wrapped, DWORD size, LONG traceType) {
    pointer = std::min(pointer, size);
    const std::size_t count = std::min<std::size_t>(wrapped ? size : pointer, entries.size());
    std::vector<CEventTraceRecord> records;
    records.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        records.push_back(DecodeEntry(entries[i], traceType));
    }
    if (wrapped && !records.empty()) {
        // The oldest record is the one at the pointer.
        std::rotate(records.begin(), records.begin() + static_cast<std::ptrdiff_t>(pointer % records.size()),
                    records.end());
    }
    return records;
}
