// The flash write-back: the dirty blocks of the mirror erased and programmed
// through the emulator, with the work RAM that the flash writer overwrites
// kept around it and progress texts for the host.
#include "link/emulator_link.h"
#include "link/firm_command.h"
#include "link/flash_blocks.h"
#include "link/host_reports.h"
#include "link/link_results.h"
#include "link/special_register_scope.h"
#include "link/work_ram_scope.h"
#include "config/device_data.h"
#include "link/flash_services.h"
#include "config/target_config.h"

#include "platform/afx_wnd.h"

#include <algorithm>

namespace {

using namespace link_result;

constexpr char kWritingText[] = " Flash memory writing ... ";
constexpr char kWriteEndText[] = " Flash memory write end ";
// The flash step's status that lets the erase and program steps go on, and
// the write state that says the writer is ready for them.
constexpr WORD kFlashStepGoOn = 1;
constexpr WORD kWriteStateReady = 2;
// A work-RAM window is kept whole in one read.
constexpr DWORD kMaxWindow = 32768;
constexpr DWORD kWindowSpan = 1023;
// The restore writes a window in pieces of this many bytes, each verified,
// and tries a piece this many times.
constexpr std::size_t kRestorePiece = 64;
constexpr int kRestoreAttempts = 2;

// Once the firmware has handed the target to the flash writer, the target
// goes back to the firmware on every way out: the end step gives it back; a
// job that ends before it sends the writer's 'F' alone, so the work RAM can
// be written back and the firmware serves requests again.
class CWriterHold {
public:
    explicit CWriterHold(CEmulatorLink& link) : m_link(link) {}
    ~CWriterHold() {
        if (m_held) {
            // The job answers its first failure; a hand-back that fails too
            // shows in the restore that follows.
            static_cast<void>(m_link.ReturnTargetToFirmware());
        }
    }
    CWriterHold(const CWriterHold&) = delete;
    CWriterHold& operator=(const CWriterHold&) = delete;

    // The end step gave the target back.
    void Returned() { m_held = false; }

private:
    CEmulatorLink& m_link;
    bool m_held = true;
};

// Clears the job flag on every way out.
class CFlashJobScope {
public:
    CFlashJobScope() = default;
    ~CFlashJobScope() { g_flashJobActive = 0; }
    CFlashJobScope(const CFlashJobScope&) = delete;
    CFlashJobScope& operator=(const CFlashJobScope&) = delete;
};

// The words that say the link itself failed, not the firmware or the writer.
bool IsLinkFailure(WORD word) {
    return word == kTimeout || word == kNotConnected || word == kAborted;
}

bool Dirty(DWORD block) {
    return block < kFlashFlagCount && g_flashBlocks.dirty[block] != 0;
}

// The blocks a write-back erases and programs, in order: the dirty ones, and
// with protocol type 1 block 15 when its flag is set.
std::vector<DWORD> DirtyBlocks() {
    std::vector<DWORD> blocks;
    for (DWORD block = 0; block < g_flashBlocks.count; ++block) {
        if (Dirty(block)) {
            blocks.push_back(block);
        }
    }
    if (g_protocolType == 1 && Dirty(kExtraBlock) && kExtraBlock >= g_flashBlocks.count) {
        blocks.push_back(kExtraBlock);
    }
    return blocks;
}

bool Overlap(const TargetRange& a, const TargetRange& b) {
    return a.top <= b.end && b.top <= a.end;
}

// A window's bytes; 0 when it runs backwards or is too large to keep.
DWORD WindowSize(const TargetRange& window) {
    if (window.end < window.top || window.end - window.top >= kMaxWindow) {
        return 0;
    }
    return window.end - window.top + 1;
}

// Reads a window twice: data bytes carry no check on this wire, so only two
// reads that agree are kept as the user's RAM. A window that runs backwards
// or that one read cannot hold is refused rather than overrunning.
WORD ReadWindowTwice(CFirmCommand& command, const TargetRange& window, std::vector<BYTE>& bytes) {
    const DWORD size = WindowSize(window);
    if (size == 0) {
        return kAborted;
    }
    bytes.assign(size, 0);
    std::vector<BYTE> again(size, 0);
    if (const WORD read = command.ReadMemory(access_code::kByte, window.top, size, bytes.data()); read != kOk) {
        return read;
    }
    if (const WORD read = command.ReadMemory(access_code::kByte, window.top, size, again.data()); read != kOk) {
        return read;
    }
    return bytes == again ? kOk : kAborted;
}

}  // namespace

WORD CFirmCommand::ProgramFlashBlock(DWORD block) {
    if (m_link == nullptr) {
        return kTimeout;
    }
    if (block >= kFlashTableSize) {
        return kAborted;
    }
    m_blockIndex = block;
    return m_link->ProgramFlashBlock(block, g_flashBlocks.top[block]);
}

WORD CFirmCommand::SaveWorkRam() {
    const DWORD writerRam = g_deviceValues.flproTop;
    const DeviceArea& userRam = g_deviceAreas[kAreaFir2];
    const DeviceArea& firmwareRam = g_deviceAreas[kAreaFirm];
    TargetRange a;
    TargetRange b;
    if (g_protocolType == 4) {
        a.top = std::min(userRam.top, writerRam);
        a.end = userRam.end >= writerRam ? writerRam + std::min(userRam.end - writerRam, kWindowSpan) : writerRam - 1;
        b = a;
    } else {
        const DWORD span = g_protocolType <= 1 && userRam.end >= userRam.top
                               ? std::min(userRam.end - userRam.top, kWindowSpan)
                               : kWindowSpan;
        a = {writerRam, writerRam + span};
        b = {firmwareRam.top, firmwareRam.end};
    }
    m_savedWindows = 0;
    if (Overlap(a, b)) {
        const TargetRange merged{std::min(a.top, b.top), std::max(a.end, b.end)};
        if (const WORD read = ReadWindowTwice(*this, merged, m_saveA); read != kOk) {
            return read;
        }
        m_windowA = merged;
        m_savedWindows = 1;
        return kOk;
    }
    if (WindowSize(a) == 0 || WindowSize(b) == 0) {
        return kAborted;
    }
    if (const WORD read = ReadWindowTwice(*this, b, m_saveB); read != kOk) {
        return read;
    }
    if (const WORD read = ReadWindowTwice(*this, a, m_saveA); read != kOk) {
        return read;
    }
    m_windowA = a;
    m_windowB = b;
    m_savedWindows = 2;
    return kOk;
}

WORD CFirmCommand::RestoreWorkRam() {
    // Every piece is written with the verify flag. A piece the firmware
    // refused or could not verify is written once more, and a piece that
    // fails does not keep the others from going back: the user's RAM is
    // worth the frames. A lost link ends the restore: every later piece
    // would fail the same way (and a disconnected connector would be asked
    // about for each). The first failure that stands is the answer.
    WORD first = kOk;
    bool linkGone = false;
    // A piece that met a target reset and went through at its second
    // attempt still answers the reset: the CPU's registers are the reset's
    // now, and what follows the job must not go on as if they were not.
    bool reset = false;
    const auto restore = [&](const TargetRange& window, const std::vector<BYTE>& bytes) {
        for (std::size_t offset = 0; offset < bytes.size() && !linkGone; offset += kRestorePiece) {
            const std::size_t count = std::min(kRestorePiece, bytes.size() - offset);
            WORD written = kOk;
            for (int attempt = 0; attempt < kRestoreAttempts; ++attempt) {
                std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), count, g_firmWriteData.begin());
                written = WriteMemory(access_code::kByte, window.top + static_cast<DWORD>(offset),
                                      static_cast<DWORD>(count), 1);
                reset = reset || written == kTargetReset;
                // A lost link refuses every later attempt at once.
                if (written == kOk || IsLinkFailure(written)) {
                    break;
                }
            }
            linkGone = IsLinkFailure(written);
            if (first == kOk) {
                first = written;
            }
        }
    };
    if (m_savedWindows >= 1) {
        restore(m_windowA, m_saveA);
    }
    if (m_savedWindows == 2) {
        restore(m_windowB, m_saveB);
    }
    return first == kOk && reset ? kTargetReset : first;
}

WORD CFirmCommand::WriteBackFlash() {
    CMonitorAccess access;
    static_cast<void>(access.OpenMonitorAccess());  // it always opens
    WORD result = kOk;
    {
        CFlashJobScope job;
        result = WriteBackJob();
    }
    static_cast<void>(access.CloseMonitorAccess());  // it always closes
    return result;
}

WORD CFirmCommand::WriteBackJob() {
    const DeviceValues& device = g_deviceValues;
    if (g_emuSel != connect_mode::kProgramFlash) {
        WarnProtectedRegisters();
    }
    // A byte put back into the mirror alone makes its block differ from the
    // chip like any other.
    for (const auto& kept : g_flashBlocks.chipBytes) {
        MarkFlashDirty(kept.first, kept.first);
    }
    g_flashBlocks.chipBytes.clear();
    if (device.firmLinkedFlag == 1 && (Dirty(device.firmBlockNo) || Dirty(device.firmLinkedBlock))) {
        for (const DWORD block : {device.firmBlockNo, device.firmLinkedBlock}) {
            if (block < kFlashFlagCount) {
                g_flashBlocks.dirty[block] = 1;
            }
        }
    }
    const std::vector<DWORD> blocks = DirtyBlocks();
    if (blocks.empty()) {
        return kOk;
    }
    g_flashJobActive = 1;
    // The protect register is set for the job and put back on every way out.
    CSpecialRegisterScope registers(*this);
    if (g_protocolType == 2 && g_swtiSupported == 0) {
        if (const WORD set = registers.Set(device.specialRegisters[0], 0x0F); set != kOk) {
            return set;
        }
    }
    CWaitCursor wait;
    CHostProgressPost writing(kWritingText);
    // The work RAM goes back on every way out once it was saved.
    CWorkRamScope workRam(*this);
    if (const WORD saved = workRam.Save(); saved != kOk) {
        return saved;
    }
    bool written = false;
    if (const WORD result = WriteBlocks(blocks, written); result != kOk) {
        return result;
    }
    if (const WORD restored = workRam.Restore(); restored != kOk) {
        return restored;
    }
    if (written) {
        writing.Wait();
        CHostProgressPost writeEnd(kWriteEndText);
        g_flashWritten = 1;
    }
    return kOk;
}

WORD CFirmCommand::WriteBlocks(const std::vector<DWORD>& blocks, bool& written) {
    // The firmware hands the flash over with status 1 and the writer says
    // it is ready with write state 2; only then is anything erased. Any other
    // answer leaves the flash and the dirty flags as they are, so the next
    // write-back tries again. A reset, a failed link and a refused exchange
    // end the job with their word: the blocks were not written, and the
    // caller must not take the job for done.
    const WORD status = Request(firm_code::kFlashStep);
    if (status == kTargetReset || IsLinkFailure(status) || IsAdapterRefusal(status)) {
        return status;
    }
    if (status != kFlashStepGoOn) {
        return kOk;
    }
    CWriterHold writer(*m_link);
    const bool askState = g_targetConfig != nullptr && g_targetConfig->OptionWord() != 0;
    const WORD state = askState ? m_link->SendRawBlockStatus() : m_link->GetChannelKind();
    if (IsLinkFailure(state) || IsAdapterRefusal(state)) {
        return state;
    }
    if (state != kWriteStateReady) {
        return kOk;
    }
    for (const DWORD block : blocks) {
        if (const WORD erased = m_link->EraseAdapterBlock(block); erased != kOk) {
            return erased;
        }
    }
    if (const WORD begun = m_link->BeginAdapterWrite(); begun != kOk) {
        return begun;
    }
    for (const DWORD block : blocks) {
        m_verify = 0;
        if (const WORD programmed = ProgramFlashBlock(block); programmed != kOk) {
            return programmed;
        }
        g_flashBlocks.dirty[block] = 0;
    }
    if (const WORD ended = m_link->EndAdapterWrite(); ended != kOk) {
        return ended;
    }
    writer.Returned();
    written = true;
    return kOk;
}
