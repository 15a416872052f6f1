// CFirmCommand: the object through which the plug-in asks the emulator
// firmware to act on the target: read and write memory, read and write the
// register file, start the program, reset the CPU, read the firmware
// version; and the flash mirror's operations (flash_*.cpp). A caller creates
// one object for one operation and deletes it afterwards.
//
// Every request is built into the shared request buffer, carried by the
// link facade and answered into the shared reply buffer: build, send, parse,
// the first nonzero result ending the operation.
//
// Caller buffers hold target memory in memory order for every access code:
// the firmware carries the units of 'W', 'A', 'L' and 'D' most significant
// byte first, so target pieces are turned to and from that order, while the
// flash mirror already holds memory order.
#pragma once

#include "link/firm_buffers.h"
#include "link/firm_codes.h"

#include "platform/wintypes.h"

#include <array>
#include <atomic>
#include <functional>
#include <span>
#include <vector>

class CEmulatorLink;

// The register that a device group sets to 3 around every change of its
// break channels and back to 0 after it; true for the device in use.
inline constexpr DWORD kBreakGuardRegister = 0x1BF;
bool SetsBreakGuardRegister();

// True while the chip's break enable registers may hold what a launch wrote
// and no disarm has cleared: a launch refused halfway, a run whose stop no
// disarm followed. The next launch clears them before it arms its channels,
// so a channel the host no longer lists never stops a run.
extern std::atomic<bool> g_breakRegistersArmed;
// A stop the firmware reported: where the firmware clears the enable
// register at every stop (protocol type 1 without the data break), nothing
// stays armed.
void TakeStopAsDisarm();

// A range of target addresses, both ends included.
struct TargetRange {
    DWORD top = 0;
    DWORD end = 0;
};

class CFirmCommand {
public:
    // Over the session's link (g_emulatorLink).
    CFirmCommand();
    explicit CFirmCommand(CEmulatorLink* link);
    CFirmCommand(const CFirmCommand&) = delete;
    CFirmCommand& operator=(const CFirmCommand&) = delete;

    // Clears every field and points at the shared buffers.
    void Init();

    // ---- requests ----
    // Fills the request buffer for the code from the object's fields.
    void BuildRequest(DWORD code);
    // Sends the built frame: with a reply through the link's transport, the
    // go request without one (then a 10 ms pause); 0x5052 for a code that no
    // transport carries.
    WORD Transfer(DWORD code);
    // Decodes the reply for the code and answers its status; a reply that
    // is no whole firmware reply to the code is a failed exchange (0x5346).
    WORD ParseReply(DWORD code);

    // ---- memory ----
    // At most 32,768 bytes a call, in pieces of at most 128; flash areas are
    // served from the mirror; above the top address the rest reads 0xFF.
    WORD ReadMemory(DWORD access, DWORD address, DWORD count, BYTE* destination);
    // At most 32,768 bytes of g_firmWriteData a call, in pieces of at most
    // 64; 0x5045 for an address outside the effective areas.
    WORD WriteMemory(DWORD access, DWORD address, DWORD count, DWORD verify);
    // One byte written as WriteMemory writes it (verified), except in the
    // flash mirror: there it goes into the mirror alone, and the chip keeps
    // its own byte until the next write-back. A break byte taken out while
    // the program is stopped so costs no flash programming when the next go
    // puts it back in.
    WORD PutBackByte(DWORD address, BYTE value);
    // The monitor's fill: the pattern (its unit by the access code) over
    // range[0] to range[1]; on a failure range holds the failing address,
    // the pattern's low 32 bits and the unit's value read back there.
    WORD WriteMemoryMonitor(DWORD access, DWORD verify, DWORD patternLow, DWORD patternHigh, DWORD* range);
    // The firmware's version text (12 characters and a NUL) into buffer.
    WORD ReadVersion(std::span<BYTE, 13> buffer);
    // The version value (code 0x5a010006) into second, or the detail word of
    // a failed memory request into first.
    void GetResult(DWORD code, DWORD* first, DWORD* second) const;

    // ---- registers ----
    // The twenty register values of the register file.
    WORD ReadRegisterFile(std::span<DWORD, 20> values);
    WORD WriteRegisterFile(std::span<const DWORD, 20> values);
    // One register (or all twenty for 4096) between the caller and the
    // register cache, masked to its width; 0xFFFF for an unknown number.
    WORD GetRegister(DWORD number, DWORD* value);
    WORD SetRegister(DWORD number, const DWORD* value);

    // ---- execution ----
    WORD StartExecution(DWORD runMode);
    WORD LaunchTarget();
    // Resumes a target stopped for an access: go with its break registers.
    WORD Go();
    // The applied channels into the chip's break registers (or the go
    // request, or the event engine); the first refused access is the answer.
    WORD ProgramBreakRegisters();
    // The break registers cleared after a stop, where the chip needs it; the
    // first refused write is the answer.
    WORD DisarmBreakRegisters();
    // With the event-function firmware: the address breaks to the
    // break-condition provider; nonzero on success.
    DWORD ApplyBreakChannels();
    // After a stop at an address-match break: "PC" back to the break address.
    void AdjustPcAfterBreak();
    // CPU reset; 0x80042001 when the monitor access cannot be opened again.
    DWORD ResetTarget();
    WORD SetSuspendState(DWORD value);
    WORD SaveByteForSuspend(DWORD address);
    WORD ClearSuspendState();
    // Requests of the sibling family that do nothing here.
    WORD UnsupportedRequestA() { return 0; }
    WORD UnsupportedRequestB() { return 0; }
    WORD UnsupportedRequestC() { return 0; }
    // Issues code 0x08000010, which no transport carries.
    WORD UnsupportedRequest08(DWORD parameter);

    // ---- the flash mirror (flash_mirror_ops.cpp, flash_write_back.cpp) ----
    // Copies the device's block tables, clears the flags, erases the mirror;
    // answers 0xFFFFFFFF, which callers ignore.
    DWORD ResetFlashBlocks();
    // Reads every block overlapping [start, end] that is not loaded yet.
    WORD LoadFlashBlocks(DWORD start, DWORD end);
    // The mirror from the chip page by page: through the flash writer's
    // record read, or through the boot program's page read.
    WORD LoadFlashMirrorHalfPages();
    WORD LoadFlashMirrorPages();
    void MarkFlashDirty(DWORD start, DWORD end);
    void ClearFlashDirtyFlags();
    void SetFlashMirrorState(DWORD value);
    // After a stop: every block read again from the chip.
    WORD RefreshFlashMirror();
    // Erases and programs the dirty blocks, with progress texts to the host.
    WORD WriteBackFlash();
    WORD ProgramFlashBlock(DWORD block);
    // The work-RAM windows, each read twice and kept only when both reads
    // agree (0xFFFF otherwise); nothing is kept on a failure.
    WORD SaveWorkRam();
    // Writes the kept windows back, every piece verified and a refused piece
    // tried once more; a failed piece does not stop the others, a lost link
    // does. Answers the first failure.
    WORD RestoreWorkRam();
    // Puts the firmware's vectors and a blank ID code into the mirror when
    // the chip's differ.
    WORD CheckFirmwareVectors();
    WORD InstallFirmwareVectors();
    // The "Flash Write" completion with its checksum report.
    WORD WriteFlashAndReport();
    WORD WriteFlashAndReportPaged();

    // Fields a caller may set or read between the steps of a request.
    void SetAccess(DWORD access) { m_access = access; }
    void SetAddress(DWORD address) { m_address = address; }
    void SetCount(int count) { m_count = count; }
    void SetVerify(DWORD verify) { m_verify = verify; }
    void SetData(BYTE* data) { m_data = data; }
    DWORD Detail() const { return m_detail; }

private:
    // Whether the reply buffer holds a whole firmware reply to the code:
    // every fixed byte of the reply layout in place.
    bool ReplyIsWhole(DWORD code) const;
    // The length (the count at 0 and 4) of a whole reply to the code with
    // that status.
    std::size_t WholeReplyLength(DWORD code, WORD status) const;
    // A reply that breaks its layout: the link marked lost, 0x5346.
    WORD BrokenReply();
    // One request: build, send, and parse when the send succeeded.
    WORD Request(DWORD code);
    // One piece read from the target, in memory order.
    WORD ReadTargetPiece(DWORD access, DWORD address, DWORD count, BYTE* destination);
    // One piece written to the target from memory-order bytes.
    WORD WriteTargetPiece(DWORD access, DWORD address, std::span<const BYTE> bytes, DWORD verify);
    // The bytes of [top, end] read straight from the chip into the mirror.
    WORD ReadRangeIntoMirror(DWORD top, DWORD end);
    // The area error: 0x5045, with its text to the host.
    WORD AreaError(bool pendingMessage, bool report = true);
    void CheckResetVector(DWORD address, DWORD count);
    // The step-target of a protocol type 4 step: the next instruction.
    WORD StepTarget(DWORD start, DWORD* target);
    void ProgramBreakRegistersType0();
    WORD ProgramBreakRegistersType1();
    WORD ProgramBreakRegistersType23();
    BYTE GoModeByte() const;
    WORD ReadRegisterByte(DWORD address, BYTE* value);
    WORD WriteRegisterBytes(DWORD address, DWORD value, DWORD count);
    WORD WriteFirmwareVectors();
    WORD WriteBackJob();
    // The job's flash part: the flash step, the write state, the erases, the
    // programming and the end step; written says whether blocks were written.
    WORD WriteBlocks(const std::vector<DWORD>& blocks, bool& written);
    WORD ReadIdCode(DWORD* first, DWORD* second, bool pagedRead);
    WORD FlashReadPage(DWORD address, std::span<BYTE, 256> page);
    // One page from the chip: through the boot program's page read (paged)
    // or the flash writer's record read.
    WORD ReadChipPage(bool paged, DWORD address, std::span<BYTE, 256> page);
    // Every page of the blocks the mirror holds, read from the chip and
    // handed over with its bytes inside the mirror.
    WORD ForEachChipPage(bool paged, const std::function<void(DWORD, std::span<const BYTE>)>& visit);
    WORD FlashAndReport(bool paged);

    CEmulatorLink* m_link;
    std::span<BYTE, kFirmBufferSize> m_request;
    std::span<BYTE, kFirmBufferSize> m_reply;
    DWORD m_access = 0;
    int m_count = 0;
    DWORD m_address = 0;
    DWORD m_endAddress = 0;
    DWORD m_detail = 0;
    DWORD m_verify = 0;
    DWORD m_value = 0;  // version, register number, or the fill pattern's low 32 bits
    const DWORD* m_registerCursor = nullptr;
    DWORD m_blockIndex = 0;
    BYTE* m_data = nullptr;
    // The work-RAM windows kept around a write-back: none, one merged window
    // or windows A and B, each sized from the device data.
    DWORD m_savedWindows = 0;
    TargetRange m_windowA;
    TargetRange m_windowB;
    std::vector<BYTE> m_saveA;
    std::vector<BYTE> m_saveB;
};
