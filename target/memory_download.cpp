// The memory handler's download bracket: the host's writes collected into
// contiguous runs, each run written when the next write does not continue
// it, and the download's end (the last run, the flash write, the user's
// reset vector, the watchdog warnings and the pending area message).
#include "target/target_memory_vk3.h"

#include "frame/target_exec.h"
#include "link/emu_response.h"
#include "link/emulator_link.h"
#include "link/firm_command.h"
#include "link/flash_mirror.h"
#include "link/host_reports.h"
#include "link/link_state.h"
#include "monitor/monitor_engine.h"
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "target/memory_lock.h"
#include "target/memory_ranges.h"
#include "config/settings_files.h"
#include "target/target_vk3.h"
#include "util/service_slot.h"

#include "platform/ui.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

constexpr WORD kDownloadBegins = 0xFFFF;
constexpr std::size_t kCollectionSize = 6144;
constexpr DWORD kRunLimit = 4096;
constexpr char kAreaErrorText[] = " Memory area error. It is outside the effective address range. ";
constexpr DWORD kWatchdogByte = 0xFFFF;

ServiceSlot<DownloadServices> g_downloadServices;

bool LinkLost() {
    return g_emulatorLink == nullptr || g_emulatorLink->IsLinkLost();
}

// The CPU reset around the XIN writes is the run control's: its registers,
// its report and the host's reset event.
void ResetCpu() {
    const CTargetVk3* target = GetTarget();
    CTargetExec* exec = target != nullptr ? target->GetExecHandler() : nullptr;
    if (exec != nullptr) {
        static_cast<void>(exec->Reset());  // a failed reset leaves the download to go on
    }
}

void DropReply() {
    EmuReplyPtr record;
    if (g_emuResponse != nullptr) {
        static_cast<void>(g_emuResponse->Poll(record));
    }
}

}  // namespace

void SetDownloadServices(DownloadServices services) {
    g_downloadServices.Set(std::move(services));
}

HRESULT CTargetMemoryVk3::OnDownload(WORD value) {
    // A lost link is shown once, and the download (its begin, or its end
    // with the flash write) was not done.
    if (LinkLost()) {
        ShowCommunicationTimeoutRestart();
        return E_FAIL;
    }
    const WORD stored = GetDownloadValue();
    HRESULT result = S_OK;
    if (g_emuSel != connect_mode::kProgramFlash && value == kDownloadBegins && g_deviceValues.useXinWhileDownload == 1) {
        ResetCpu();
        CTargetMemory::OnDownload(0);
        WriteXinEntries();
        CTargetMemory::OnDownload(stored);
    }
    const DeviceArea& dataFlash = g_deviceAreas[kAreaDatf];
    if (g_emuSel == connect_mode::kCpuRewriteMode && value == kDownloadBegins && dataFlash.enable != 0) {
        CTargetMemory::OnDownload(0);
        static_cast<void>(CFirmCommand().LoadFlashBlocks(dataFlash.top, dataFlash.end));  // read again when needed
        CTargetMemory::OnDownload(stored);
    }
    if (value != stored) {
        if (value != 0) {
            m_collectedCount = 0;
            m_collectedStart = 0;
            m_collectedEnd = 0;
            m_collection = std::make_unique<std::vector<BYTE>>(kCollectionSize);
            if (g_monitorEngine != nullptr) {
                g_monitorEngine->ClearPendingMessage();
            }
        } else {
            result = EndDownload();
            if (g_emuSel == connect_mode::kProgramFlash && g_monitorEngine != nullptr) {
                if (g_monitorEngine->FlashWriteAfterDownload() == 0) {
                    ShowTargetMessage(res_id::kRestartTarget, MB_ICONEXCLAMATION);
                } else {
                    ShowTargetError(kFlashWriteFailedText, MB_ICONEXCLAMATION);
                    result = E_FAIL;
                }
            }
        }
    }
    if (LinkLost()) {
        ShowCommunicationTimeoutRestart();
        result = E_FAIL;
    }
    // A begin that failed begins nothing: the host does not end it.
    if (value == 0 || SUCCEEDED(result)) {
        static_cast<void>(CTargetMemory::OnDownload(value));  // it stores the word
    }
    return result;
}

void CTargetMemoryVk3::WriteXinEntries() {
    if (g_monitorEngine == nullptr) {
        return;
    }
    const DeviceValues& device = g_deviceValues;
    const std::size_t count = std::min<std::size_t>(device.xinCount, kXinEntryCount);
    LockMemoryAccess(TRUE);
    for (std::size_t i = 0; i < count; ++i) {
        const XinEntry& entry = device.xin[i];
        const DWORD size = std::clamp<DWORD>(entry.byteCount, 1, 4);
        // A failed entry leaves its register as it was; the download goes on.
        static_cast<void>(g_monitorEngine->WriteMemoryThroughMonitor(entry.address, entry.data.data(), size, size, 0));
        DropReply();
    }
    LockMemoryAccess(FALSE);
}

HRESULT CTargetMemoryVk3::EndDownload() {
    if (g_swtiSupported != 1) {
        if (const auto reapply = g_downloadServices.Get().reapplyBreakConditions) {
            reapply();
        }
    }
    HRESULT result = S_OK;
    if (m_collectedCount != 0) {
        CAccessScope scope(*this);
        result = FlushCollected(1);  // a refused run was reported, and is dropped
    }
    m_collection.reset();
    // What was accepted is written, whatever a refused run did.
    if (g_emuSel != connect_mode::kProgramFlash && !LinkLost() && g_monitorEngine != nullptr) {
        RecordUserResetVector();
        // A flash write that failed leaves its blocks dirty for the next
        // write-back; the link has shown what it knows of the failure.
        if (g_monitorEngine->FlashWriteAfterDownload() != 0 && !LinkLost()) {
            ShowTargetError(kFlashWriteFailedText, MB_ICONEXCLAMATION);
            result = E_FAIL;
        }
        if (g_deviceValues.useXinWhileDownload == 1) {
            ResetCpu();
        }
        WarnAboutWatchdog();
    }
    if (g_monitorEngine != nullptr && g_monitorEngine->HasPendingMessage()) {
        g_monitorEngine->ShowPendingMessage();
        g_monitorEngine->ClearPendingMessage();
    }
    return result;
}

void CTargetMemoryVk3::RecordUserResetVector() {
    // The vector itself was kept (and saved in the session) as the download
    // wrote it into the flash mirror; the firmware that restarts the user's
    // program finds it in its own area.
    const DeviceValues& device = g_deviceValues;
    const UserResetBytes kept = g_userResetBytes;
    const DeviceArea& firmware = g_deviceAreas[kAreaAse1];
    if (device.resetContinueSupported != 1 || kept.count == 0) {
        return;
    }
    const DWORD at = firmware.top + device.userResetValue;
    if (!InFlashMirror(at, kept.count)) {
        return;
    }
    std::copy_n(kept.bytes.begin(), kept.count, g_flashMirror.begin() + at);
    CFirmCommand command;
    const DWORD count = std::min<DWORD>(device.flashBlockCount, static_cast<DWORD>(kFlashTableSize));
    for (DWORD i = 0; i < count; ++i) {
        const DWORD top = device.flashBlockTop[i];
        const DWORD end = device.flashBlockEnd[i];
        const bool holdsTop = top <= firmware.top && firmware.top <= end;
        const bool holdsEnd = top <= firmware.end && firmware.end <= end;
        const bool inside = firmware.top <= top && end <= firmware.end;
        if (holdsTop || holdsEnd || inside) {
            command.MarkFlashDirty(top, end);
        }
    }
}

void CTargetMemoryVk3::WarnAboutWatchdog() {
    if ((g_protocolType == 0 || g_protocolType == 1) && InFlashMirror(kWatchdogByte, 1) &&
        (g_flashMirror[kWatchdogByte] & 1) == 0) {
        ReportErrorTextToHost("Warning : Watchdog timer is a setup to start.  Check the value of address 0xFFFF.");
    }
    const WatchdogStartBit& bit = g_deviceValues.wdtStartBit;
    if (bit.enable == 1 && InFlashMirror(bit.address, 1) && bit.bit < 8 &&
        (g_flashMirror[bit.address] & (1u << bit.bit)) == 0) {
        char text[96];
        std::snprintf(text, sizeof(text), "Warning : Watchdog timer is a setup to start.  Check the value of address 0x%X.",
                      static_cast<unsigned>(bit.address));
        ReportErrorTextToHost(text);
    }
}

HRESULT CTargetMemoryVk3::WriteDuringDownload(DWORD start, DWORD end, DWORD access, const BYTE* buffer) {
    CAccessScope scope(*this);
    const DWORD count = buffer != nullptr ? end - start + 1 : 0;
    if (buffer != nullptr && (m_collection == nullptr || count > kCollectionSize)) {
        // Too long to collect: the run so far, then this write as it stands.
        const HRESULT flushed = FlushCollected(access);
        const HRESULT written = WriteDownloadBlock(start, end, buffer, access);
        return flushed != S_OK ? flushed : written;
    }
    const bool flushDue = m_collectedCount != 0 &&
                          (buffer == nullptr || m_collectedCount + count > kRunLimit || start != m_collectedEnd + 1);
    HRESULT result = S_OK;
    if (flushDue) {
        result = FlushCollected(access);
    }
    if (buffer != nullptr) {
        Collect(start, end, buffer);
    }
    return result;
}

void CTargetMemoryVk3::Collect(DWORD start, DWORD end, const BYTE* data) {
    const DWORD count = end - start + 1;
    if (m_collectedCount == 0) {
        m_collectedStart = start;
    }
    std::memcpy(m_collection->data() + m_collectedCount, data, count);
    m_collectedEnd = end;
    m_collectedCount += count;
}

HRESULT CTargetMemoryVk3::FlushCollected(DWORD access) {
    if (m_collectedCount == 0 || m_collection == nullptr) {
        return S_OK;
    }
    const HRESULT result = WriteDownloadBlock(m_collectedStart, m_collectedEnd, m_collection->data(), access);
    m_collectedCount = 0;
    return result;
}

HRESULT CTargetMemoryVk3::WriteDownloadBlock(DWORD start, DWORD end, const BYTE* data, DWORD access) {
    CMonitorEngine* engine = g_monitorEngine.get();
    if (engine == nullptr) {
        return S_OK;
    }
    if (engine->RangeOverlapsFir2OrFir3Area(start, end)) {
        engine->WarnWriteIntoFir2OrFir3Area(start, end);
    }
    if (CheckRange(start, end) != S_OK) {
        if (engine->RangeOverlapsReservedArea(start, end)) {
            engine->SplitRangeByReservedAreas(start, end);
        } else {
            ReportErrorTextToHost(kAreaErrorText);
            engine->SetPendingMessage(kAreaErrorText);
        }
        return kRangeRefused;
    }
    AccessFailure failure;
    if (WriteFailed(WriteThroughMonitor(start, data, access, end - start + 1, &failure)) && !LinkLost()) {
        ReportAccessFailure("write", failure, end);
        return E_FAIL;
    }
    return S_OK;
}
