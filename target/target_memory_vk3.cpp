#include "target/target_memory_vk3.h"

#include "frame/target_exec.h"
#include "link/emu_response.h"
#include "link/emulator_link.h"
#include "link/firm_command.h"
#include "link/flash_blocks.h"
#include "link/host_reports.h"
#include "monitor/memory_access.h"
#include "monitor/monitor_engine.h"
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "target/memory_lock.h"
#include "target/memory_ranges.h"
#include "target/memory_search.h"
#include "config/settings_files.h"
#include "target/target_vk3.h"
#include "frame/number_text.h"

#include "platform/bstr.h"
#include "platform/ui.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace {

constexpr HRESULT kCompareMismatch = static_cast<HRESULT>(0x80042020);
constexpr DWORD kBlockSize = 1024;
constexpr std::size_t kMaxPattern = 8;
constexpr char kMemoryResourceText[] = "Memory resource not allocated";

std::atomic<CTargetMemoryVk3*> g_memoryHandler{nullptr};

bool LinkLost() {
    return g_emulatorLink == nullptr || g_emulatorLink->IsLinkLost();
}

// The run control's running word.
bool ProgramRuns() {
    const CTargetExec* exec = GetTarget()->GetExecHandler();
    return exec != nullptr && exec->IsRunning() == 1;
}

bool TouchesDataFlashWhileRunning(DWORD start, DWORD end) {
    const DeviceArea& dataFlash = g_deviceAreas[kAreaDatf];
    return dataFlash.enable == 1 && RangesOverlap(start, end, dataFlash.top, dataFlash.end) && ProgramRuns();
}

// A change the target cannot take now, with its message: memory in the
// program-flash mode, or data flash while the program runs.
bool ChangeRefusedNow(DWORD start, DWORD end) {
    if (g_emuSel == connect_mode::kProgramFlash) {
        ShowTargetMessage(res_id::kProgramFlashMode, MB_OK);
        return true;
    }
    if (TouchesDataFlashWhileRunning(start, end)) {
        ShowTargetMessage(res_id::kDataFlashWhileRunning, MB_OK);
        return true;
    }
    return false;
}

bool KnownUnit(DWORD unit) {
    return unit == 1 || unit == 2 || unit == 3 || unit == 4 || unit == 8;
}

// The first multiple of unit from address on; false past the address space.
bool AlignUp(DWORD address, DWORD unit, DWORD* aligned) {
    const std::uint64_t value = (std::uint64_t{address} + unit - 1) / unit * unit;
    *aligned = static_cast<DWORD>(value);
    return value <= 0xFFFFFFFF;
}

// The last address of the last whole unit that ends by end.
DWORD AlignEnd(DWORD end, DWORD unit) {
    return static_cast<DWORD>((std::uint64_t{end} + 1) / unit * unit - 1);
}

void LoadFlashBlocksForRange(DWORD start, DWORD end) {
    // The blocks are read for the mirror's sake; a failed read is read again
    // the next time.
    static_cast<void>(CFirmCommand().LoadFlashBlocks(start, end));
}

EmuReplyPtr TakeReply(bool checkStop) {
    EmuReplyPtr record;
    if (g_emuResponse != nullptr) {
        static_cast<void>(checkStop ? g_emuResponse->CheckError(record) : g_emuResponse->Poll(record));
    }
    return record;
}

}  // namespace

CTargetMemoryVk3::CAccessScope::CAccessScope(CTargetMemoryVk3& handler) : m_handler(handler) {
    m_handler.m_accessInProgress = 1;
    LockMemoryAccess(TRUE);
}

CTargetMemoryVk3::CAccessScope::~CAccessScope() {
    LockMemoryAccess(FALSE);
    m_handler.m_accessInProgress = 0;
}

CTargetMemoryVk3::CTargetMemoryVk3(IHostServiceProvider* host)
    : CTargetMemory(Capabilities{1, 1, 1, 1, 1, 1, 0}, host), m_reporter(std::make_unique<CErrorReporterImpl>(host)) {
    IHErrorCodeTable* table = nullptr;
    if (m_host != nullptr && SUCCEEDED(m_host->QueryService(IID_IHErrorCodeTable, reinterpret_cast<void**>(&table))) &&
        table != nullptr) {
        const platform::Bstr text(kMemoryResourceText);
        static_cast<void>(table->RegisterError(text.Get(), &m_errorCode));  // the code stays 0 when refused
    }
    g_memoryHandler = this;
}

CTargetMemoryVk3::~CTargetMemoryVk3() {
    CTargetMemoryVk3* self = this;
    g_memoryHandler.compare_exchange_strong(self, nullptr);
    IHErrorCodeTable* table = nullptr;
    if (m_errorCode != 0 && m_host != nullptr &&
        SUCCEEDED(m_host->QueryService(IID_IHErrorCodeTable, reinterpret_cast<void**>(&table))) && table != nullptr) {
        table->UnregisterError(m_errorCode);
    }
}

bool IsTargetBusy() {
    const CTargetMemoryVk3* handler = g_memoryHandler;
    return handler != nullptr && handler->GetDownloadValue() != 0;
}

bool IsMemoryAccessInProgress() {
    const CTargetMemoryVk3* handler = g_memoryHandler;
    return handler != nullptr && handler->AccessInProgress() != 0;
}

HRESULT CTargetMemoryVk3::GetAreaAttribute(DWORD address, DWORD* attribute) const {
    const CTargetMemoryMap* map = GetMemoryMap();
    if (map == nullptr) {
        return E_FAIL;
    }
    if (attribute != nullptr) {
        *attribute = map->GetAreaAttribute(address);
    }
    return S_OK;
}

HRESULT CTargetMemoryVk3::QueryInterface(REFIID iid, void** object) {
    if (object != nullptr && IsEqualIID(iid, IID_IHErrorReporter)) {
        *object = static_cast<IHErrorReporter*>(m_reporter.get());
        return S_OK;
    }
    return CTargetMemory::QueryInterface(iid, object);
}

bool CTargetMemoryVk3::ReadThroughMonitor(DWORD address, DWORD count, DWORD unit, BYTE* destination) {
    if (g_monitorEngine == nullptr) {
        return false;
    }
    g_monitorEngine->ReadMemoryToResponse(address, count, unit);
    const EmuReplyPtr record = TakeReply(false);
    if (record == nullptr || record->replyClass != kReplyData) {
        return false;
    }
    const DWORD copied = std::min<DWORD>({record->length, count, static_cast<DWORD>(record->payload.size())});
    std::copy_n(record->payload.begin(), copied, destination);
    return copied == count;
}

bool CTargetMemoryVk3::ReportMonitorErrors() {
    const EmuReplyPtr record = TakeReply(true);
    DWORD number = 0;
    if (record == nullptr || CEmuResponse::GetErrorNumber(record.get(), &number) != 0 || number == 0) {
        return false;
    }
    if (LinkLost()) {
        return true;  // the call's own report of the lost link says it once
    }
    // What the monitor wrote before its error line (a memory test's
    // report), then the error line itself.
    const std::size_t length = std::min<std::size_t>(record->length, record->payload.size());
    const std::string text(reinterpret_cast<const char*>(record->payload.data()),
                           std::find(record->payload.begin(), record->payload.begin() + length, BYTE{0}) -
                               record->payload.begin());
    const std::size_t marker = text.find(" *** ");
    if (marker != 0 && marker != std::string::npos) {
        ReportErrorTextToHost(text.substr(0, marker).c_str());
    }
    ReportErrorTextToHost(text.substr(marker == std::string::npos ? 0 : marker).c_str());
    return true;
}

HRESULT CTargetMemoryVk3::ReadMemory(DWORD start, DWORD end, DWORD access, BYTE* buffer) {
    if (buffer == nullptr) {
        return E_POINTER;
    }
    if (end < start) {
        return kRangeRefused;
    }
    const std::uint64_t count = std::uint64_t{end} - start + 1;
    if (g_flashJobActive == 1) {
        std::fill_n(buffer, count, BYTE{0xFF});
        return S_OK;
    }
    if (LinkLost()) {
        ReportCommunicationTimeout();
        std::fill_n(buffer, count, BYTE{0xFF});
        return S_OK;
    }
    {
        CAccessScope scope(*this);
        for (std::uint64_t done = 0; done < count;) {
            const auto piece = static_cast<DWORD>(std::min<std::uint64_t>(count - done, kMemoryPieceSize));
            if (!ReadThroughMonitor(static_cast<DWORD>(start + done), piece, access, buffer + done)) {
                // What was not read is not left as the buffer held it.
                std::fill(buffer + done, buffer + count, BYTE{0xFF});
                break;
            }
            done += piece;
        }
    }
    if (LinkLost()) {
        ReportCommunicationTimeout();
    }
    return S_OK;
}

HRESULT CTargetMemoryVk3::WriteMemory(DWORD start, DWORD end, DWORD access, const BYTE* buffer) {
    if (LinkLost()) {
        ReportCommunicationTimeout();
        return S_OK;
    }
    if (buffer != nullptr && end < start) {
        return kRangeRefused;
    }
    if (IsTargetBusy()) {
        return WriteDuringDownload(start, end, access, buffer);
    }
    if (buffer == nullptr) {
        return E_POINTER;
    }
    if (ChangeRefusedNow(start, end)) {
        return S_OK;
    }
    {
        CAccessScope scope(*this);
        const HRESULT checked = CheckWriteAccess(start, end);
        if (checked != S_OK) {
            return checked == kRangeRefusedInRewriteMode ? S_OK : checked;
        }
        if (g_emuSel == connect_mode::kCpuRewriteMode) {
            LoadFlashBlocksForRange(start, end);
        }
        if (g_monitorEngine != nullptr) {
            static_cast<void>(g_monitorEngine->WriteMemoryThroughMonitor(start, buffer, access, end - start + 1, 0));
            static_cast<void>(TakeReply(false));
        }
    }
    if (LinkLost()) {
        ReportCommunicationTimeout();
    }
    return S_OK;
}

HRESULT CTargetMemoryVk3::CompareMemory(DWORD start, DWORD end, DWORD secondStart, DWORD unit, DWORD* firstBytes,
                                        DWORD* secondBytes, DWORD* address) {
    if (LinkLost()) {
        ReportCommunicationTimeout();
        return S_OK;
    }
    if (!KnownUnit(unit)) {
        return kRangeRefused;
    }
    HRESULT result = S_OK;
    {
        CAccessScope scope(*this);
        DWORD first = 0;
        DWORD second = 0;
        DWORD bad = 0;
        if (!AlignUp(start, unit, &first) || !AlignUp(secondStart, unit, &second)) {
            return kRangeRefused;
        }
        const DWORD last = AlignEnd(end, unit);
        if (last < first || CheckRangePair(first, last, second, &bad) != S_OK) {
            result = kRangeRefused;
        } else if (first != second) {
            for (std::uint64_t a = first, b = second; a + unit - 1 <= last; a += unit, b += unit) {
                std::array<BYTE, kMaxPattern> unitA{};
                std::array<BYTE, kMaxPattern> unitB{};
                if (!ReadThroughMonitor(static_cast<DWORD>(a), unit, unit, unitA.data()) ||
                    !ReadThroughMonitor(static_cast<DWORD>(b), unit, unit, unitB.data())) {
                    break;
                }
                if (unitA != unitB) {
                    if (address != nullptr) {
                        *address = static_cast<DWORD>(a);
                    }
                    for (DWORD i = 0; i < unit; ++i) {
                        if (firstBytes != nullptr) {
                            reinterpret_cast<BYTE*>(firstBytes)[i] = unitA[unit - 1 - i];
                        }
                        if (secondBytes != nullptr) {
                            reinterpret_cast<BYTE*>(secondBytes)[i] = unitB[unit - 1 - i];
                        }
                    }
                    result = kCompareMismatch;
                    break;
                }
            }
        }
    }
    if (LinkLost()) {
        ReportCommunicationTimeout();
    }
    return result;
}

HRESULT CTargetMemoryVk3::CopyMemory(DWORD start, DWORD end, DWORD destination, WORD kind, DWORD unit, DWORD,
                                     DWORD, DWORD* address) {
    if (LinkLost()) {
        ReportCommunicationTimeout();
        return S_OK;
    }
    if (ChangeRefusedNow(start, end)) {
        return S_OK;
    }
    if (!KnownUnit(unit)) {
        return kRangeRefused;
    }
    {
        CAccessScope scope(*this);
        if ((g_protocolType == 0 || g_protocolType == 1) && ProgramRuns()) {
            ShowTargetMessage(res_id::kNotCurrentlyAvailable, MB_ICONEXCLAMATION);
            return S_OK;
        }
        DWORD first = 0;
        DWORD target = 0;
        DWORD bad = 0;
        if (!AlignUp(start, unit, &first) || !AlignUp(destination, unit, &target)) {
            return kRangeRefused;
        }
        const DWORD last = AlignEnd(end, unit);
        const HRESULT checked = last < first ? kRangeRefused : CheckCopyRanges(first, last, target, &bad);
        if (checked != S_OK) {
            if (address != nullptr) {
                *address = bad;
            }
            return checked == kRangeRefusedInRewriteMode ? S_OK : checked;
        }
        if (g_emuSel == connect_mode::kCpuRewriteMode) {
            LoadFlashBlocksForRange(destination, destination + (end - start));
        }
        if (g_monitorEngine != nullptr) {
            g_monitorEngine->MonitorCopyMemory(first, last, target, kind);
            static_cast<void>(ReportMonitorErrors());
        }
    }
    if (LinkLost()) {
        ReportCommunicationTimeout();
    }
    return S_OK;
}

HRESULT CTargetMemoryVk3::FillMemory(DWORD start, DWORD end, DWORD patternLength, const BYTE* pattern) {
    if (LinkLost()) {
        ReportCommunicationTimeout();
        return S_OK;
    }
    if (ChangeRefusedNow(start, end)) {
        return S_OK;
    }
    if (pattern == nullptr || patternLength == 0) {
        return E_INVALIDARG;
    }
    {
        CAccessScope scope(*this);
        const DWORD length = std::min<DWORD>(patternLength, kMaxPattern);
        // The pattern lies in memory as the host gives it: written whole as
        // it stands, or, for the monitor's fill, as a unit value whose most
        // significant byte comes first (the last byte in memory).
        std::array<BYTE, kMaxPattern> bytes{};
        std::copy_n(pattern, length, bytes.begin());
        std::array<BYTE, kMaxPattern> unitValue = bytes;
        std::reverse(unitValue.begin(), unitValue.begin() + length);
        const HRESULT checked = CheckWriteAccess(start, end);
        if (checked != S_OK) {
            return checked == kRangeRefusedInRewriteMode ? S_OK : checked;
        }
        if (g_emuSel == connect_mode::kCpuRewriteMode) {
            LoadFlashBlocksForRange(start, end);
        }
        if (g_monitorEngine != nullptr) {
            if (std::uint64_t{length} >= std::uint64_t{end} - start + 1) {
                static_cast<void>(g_monitorEngine->WriteMemoryThroughMonitor(start, bytes.data(), length, length, 0));
                static_cast<void>(TakeReply(false));
            } else if ((g_protocolType == 0 || g_protocolType == 1) && ProgramRuns()) {
                ShowTargetMessage(res_id::kNotCurrentlyAvailable, MB_ICONEXCLAMATION);
                return S_OK;
            } else {
                static_cast<void>(g_monitorEngine->MonitorFillMemory(start, end, unitValue.data(), length, 0));
                static_cast<void>(ReportMonitorErrors());
            }
        }
    }
    if (LinkLost()) {
        ReportCommunicationTimeout();
    }
    return S_OK;
}

HRESULT CTargetMemoryVk3::SearchMemory(DWORD start, DWORD end, WORD flag1, WORD, DWORD patternLength,
                                       const BYTE* pattern, const BYTE* mask, DWORD* found) {
    if (pattern == nullptr) {
        return E_POINTER;
    }
    CAccessScope scope(*this);
    if (CheckRange(start, end) != S_OK ||
        static_cast<std::int64_t>(std::uint64_t{end} - start + 1) < static_cast<std::int64_t>(patternLength)) {
        return kRangeRefused;
    }
    if (g_monitorEngine == nullptr) {
        return kSearchNotFound;
    }
    static_cast<void>(g_monitorEngine->MonitorSearchMemory(start, end, pattern, patternLength, mask, flag1));
    const EmuReplyPtr record = TakeReply(true);
    if (record == nullptr) {
        return kSearchNotFound;
    }
    DWORD number = 0;
    if (CEmuResponse::GetErrorNumber(record.get(), &number) == 0 && number != 0) {
        const std::size_t length = std::min<std::size_t>(record->length, record->payload.size());
        const std::string text(record->payload.begin(),
                               std::find(record->payload.begin(), record->payload.begin() + length, BYTE{0}));
        ReportErrorTextToHost(text.c_str());
        return kSearchNotFound;
    }
    if (record->length < 4 || record->payload.size() < 4) {
        return kSearchNotFound;
    }
    if (found != nullptr) {
        *found = DWORD{record->payload[0]} << 24 | DWORD{record->payload[1]} << 16 | DWORD{record->payload[2]} << 8 |
                 record->payload[3];
    }
    return S_OK;
}

HRESULT CTargetMemoryVk3::SearchMemoryEx(DWORD start, DWORD end, WORD flag1, WORD flag2, WORD mode,
                                         DWORD patternLength, const BYTE* pattern, const BYTE* mask, DWORD* found) {
    if (LinkLost()) {
        ReportCommunicationTimeout();
        return S_OK;
    }
    if (mode == 0) {
        return SearchMemory(start, end, flag1, flag2, patternLength, pattern, mask, found);
    }
    if (pattern == nullptr || patternLength == 0) {
        return E_INVALIDARG;
    }
    const HRESULT result = SearchMemoryInBlocks(start, end, pattern, patternLength,
                                                [&](DWORD first, DWORD count, BYTE* bytes) {
                                                    CAccessScope scope(*this);
                                                    return ReadThroughMonitor(first, count, 1, bytes);
                                                },
                                                found);
    if (LinkLost()) {
        ReportCommunicationTimeout();
    }
    return result;
}

HRESULT CTargetMemoryVk3::GetBlockSize(DWORD* size) {
    if (size != nullptr) {
        *size = kBlockSize;
    }
    return S_OK;
}
