// The event commands 'P' to 'V' of the emulator firmware, through which the
// event engine reaches the chip's event, address-interrupt and trace
// registers. Each is one request frame (the firmware requests' 'Z' layout)
// and one reply whose status word (bytes 6 and 7, high byte first) is 0 on
// success; 'U' and 'V' carry data from byte 8. A command object lives for
// one exchange: built with its values, executed once, read, destroyed.
#pragma once

#include "events/event_descriptor.h"
#include "link/frame_packet.h"

#include <array>
#include <cstddef>
#include <vector>

class CEmulatorLink;

class CEventCommand : public CFramePacket {
public:
    // 1 when the exchange succeeded and the reply is whole with status 0,
    // else 0. Sends nothing when the request does not fill its length.
    DWORD Execute();

protected:
    CEventCommand(CEmulatorLink* link, BYTE command, DWORD requestLength, DWORD replyLength, DWORD trailerMode);

    // The frame from the payload appended so far.
    void BuildRequest() { Serialize(); }
    // A reply shorter than the command's reply length is none: its data
    // would be the zeros of the buffer.
    bool IsReplyOk(std::size_t received) const;
    void AppendLong(DWORD value) { AppendValue(value, 1); }
    // The data of the reply, once it passed the check.
    const BYTE* ReplyData() const { return m_reply.data() + kReplyDataOffset; }

    void Decode() override {}

private:
    static constexpr std::size_t kReplyDataOffset = 8;
};

// 'P': where the DCR data and command registers lie.
class CEventCommandP : public CEventCommand {
public:
    CEventCommandP(CEmulatorLink* link, DWORD dataAddress, DWORD commandAddress);
};

// 'Q': one address-interrupt channel.
class CEventCommandQ : public CEventCommand {
public:
    CEventCommandQ(CEmulatorLink* link, BYTE space, DWORD lowRegister, DWORD highRegister, DWORD enableRegister,
                   DWORD address, bool enable);
};

// The register numbers of one event, in the order 'R' writes them: DBC, DBAD
// low, DBAD high, DBAM, DBD, DBDM (event B: 0 for the two data registers).
using EventRegisterRow = std::array<BYTE, 6>;

// 'R': one event.
class CEventCommandR : public CEventCommand {
public:
    CEventCommandR(CEmulatorLink* link, const EventRegisterRow& registers, const CEventDescriptor& event);
};

// 'S': the break combination.
class CEventCommandS : public CEventCommand {
public:
    CEventCommandS(CEmulatorLink* link, BYTE triggerRegister, BYTE combination);
};

// The trace settings as the engine keeps them.
struct EventTraceSettings {
    LONG type = 0;         // 0 branch trace, else data trace
    LONG start = 0;        // 0 from the go, else a combination 4..7
    LONG stop = 0;         // 0 at the break, 2 when full, else a combination
    LONG pickUp = 1;       // data trace: 0 event A, 1 event A or B
    LONG breakAtFull = 0;  // nonzero: break when the buffer is full
    LONG controlBit7 = 1;
};

// The registers 'T' names, and where the buffer lies.
struct EventTraceRegisters {
    BYTE count = 0;
    BYTE pointerOffset = 0;
    BYTE data = 0;
    DWORD bufferAddress = 0;
};

// 'T': the trace.
class CEventCommandT : public CEventCommand {
public:
    CEventCommandT(CEmulatorLink* link, const EventTraceRegisters& registers, const EventTraceSettings& settings,
                   LONG traceSize);
    // The control word: start << 12, stop << 8, bit 7, type << 5, pick-up
    // << 4, bit 0 when there is no break at a full trace.
    static WORD ControlWord(const EventTraceSettings& settings);
};

// 'U': the trace pointer and whether the buffer wrapped.
class CEventCommandU : public CEventCommand {
public:
    CEventCommandU(CEmulatorLink* link, BYTE pointerRegister);
    DWORD m_pointer = 0;
    DWORD m_wrapped = 0;

protected:
    void Decode() override;
};

// One raw entry of 'V': the type byte and the 24-bit value.
struct EventTraceEntryRaw {
    BYTE type = 0;
    DWORD value = 0;
};

// 'V': count entries of the trace buffer (count only sets the reply's length).
class CEventCommandV : public CEventCommand {
public:
    CEventCommandV(CEmulatorLink* link, BYTE pointerOffsetRegister, BYTE dataRegister, DWORD count);
    std::vector<EventTraceEntryRaw> m_entries;
    DWORD m_count;

protected:
    void Decode() override;
};

// The records of a trace read: the first pointer entries (all of them, size,
// when the buffer wrapped), decoded as branches (trace type 0) or data
// accesses, oldest first. A pointer beyond size counts as size; entries
// beyond those given are not read.
std::vector<CEventTraceRecord> DecodeTraceEntries(const std::vector<EventTraceEntryRaw>& entries, DWORD pointer,
                                                  bool wrapped, DWORD size, LONG traceType);
