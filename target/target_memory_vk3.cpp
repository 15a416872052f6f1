#include "target/target_memory_vk3.h"

#include "frame/target_exec.h"
#include "link/emu_response.h"
#include "link/emulator_link.h"
#include "link/firm_command.h"
#include "link/flash_blocks.h"
#include "link/host_reports.h"
#include "monitor/memory_access.h"
#include "monitor/monitor_engine.h"
#include "monitor/monitor_messages.h"
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
#include <cstdio>
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

// A call that met a lost link did not do its work: the host hears of the
// link once for the call, and the call fails.
HRESULT LinkLostFailure() {
    ReportCommunicationTimeout();
    return E_FAIL;
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

bool CTargetMemoryVk3::ReadThroughMonitor(DWORD address, DWORD count, DWORD unit, BYTE* destination,
                                          AccessFailure* failure) {
    if (failure != nullptr) {
        *failure = {address, memory_status::kFailed};
    }
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
    if (copied == count) {
        return true;
    }
    if (failure != nullptr) {
        *failure = {address + copied, static_cast<WORD>(record->statusCode)};
    }
    return false;
}

WORD CTargetMemoryVk3::WriteThroughMonitor(DWORD start, const BYTE* source, DWORD unit, DWORD count,
                                           AccessFailure* failure) {
    const WORD status = g_monitorEngine->WriteMemoryThroughMonitor(start, source, unit, count, 0);
    const EmuReplyPtr record = TakeReply(false);
    *failure = {record != nullptr && record->replyClass == kReplyStatus ? record->firstValue : start, status};
    return status;
}

bool CTargetMemoryVk3::WriteFailed(WORD status) {
    return status != memory_status::kDone && status != memory_status::kReserved;
}

void CTargetMemoryVk3::ReportAccessFailure(const char* what, const AccessFailure& failure, DWORD last) {
    if (LinkLost()) {
        return;  // the call reports the lost link itself
    }
    char text[80];
    std::snprintf(text, sizeof(text), "Memory %s error from %08Xh to %08Xh.", what,
                  static_cast<unsigned>(failure.address), static_cast<unsigned>(last));
    ReportErrorTextToHost(text);
    WORD code = MapMonitorStatus(failure.status, 1);
    if (code == monitor_message::kNone && failure.status == memory_status::kVerify) {
        code = monitor_message::kVerifyError;
    }
    const std::string_view message = MonitorMessageText(code);
    if (!message.empty()) {
        ReportErrorTextToHost(std::string(message).c_str());
    }
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
        std::fill_n(buffer, count, BYTE{0xFF});
        return LinkLostFailure();
    }
    bool read = true;
    AccessFailure failure;
    {
        CAccessScope scope(*this);
        for (std::uint64_t done = 0; done < count;) {
            const auto piece = static_cast<DWORD>(std::min<std::uint64_t>(count - done, kMemoryPieceSize));
            if (!ReadThroughMonitor(static_cast<DWORD>(start + done), piece, access, buffer + done, &failure)) {
                // What was not read is not left as the buffer held it.
                std::fill(buffer + (failure.address - start), buffer + count, BYTE{0xFF});
                read = false;
                break;
            }
            done += piece;
        }
    }
    if (LinkLost()) {
        return LinkLostFailure();
    }
    if (!read) {
        ReportAccessFailure("read", failure, end);
        return E_FAIL;
    }
    return S_OK;
}

HRESULT CTargetMemoryVk3::WriteMemory(DWORD start, DWORD end, DWORD access, const BYTE* buffer) {
    if (LinkLost()) {
        return LinkLostFailure();
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
    AccessFailure failure;
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
            static_cast<void>(WriteThroughMonitor(start, buffer, access, end - start + 1, &failure));
        }
    }
    if (LinkLost()) {
        return LinkLostFailure();
    }
    if (WriteFailed(failure.status)) {
        ReportAccessFailure("write", failure, end);
        return E_FAIL;
    }
    return S_OK;
}

HRESULT CTargetMemoryVk3::CompareMemory(DWORD start, DWORD end, DWORD secondStart, DWORD unit, DWORD* firstBytes,
                                        DWORD* secondBytes, DWORD* address) {
    // A compare that could not read is never "no difference".
    if (LinkLost()) {
        return LinkLostFailure();
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
                AccessFailure failure;
                const bool readA = ReadThroughMonitor(static_cast<DWORD>(a), unit, unit, unitA.data(), &failure);
                if (!readA || !ReadThroughMonitor(static_cast<DWORD>(b), unit, unit, unitB.data(), &failure)) {
                    // The unit that could not be read, whole.
                    failure.address = static_cast<DWORD>(readA ? b : a);
                    ReportAccessFailure("read", failure, failure.address + unit - 1);
                    result = E_FAIL;
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
        return LinkLostFailure();
    }
    return result;
}

HRESULT CTargetMemoryVk3::CopyMemory(DWORD start, DWORD end, DWORD destination, WORD kind, DWORD unit, DWORD,
                                     DWORD, DWORD* address) {
    if (LinkLost()) {
        return LinkLostFailure();
    }
    if (ChangeRefusedNow(start, end)) {
        return S_OK;
    }
    if (!KnownUnit(unit)) {
        return kRangeRefused;
    }
    bool refused = false;
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
            // Any kind but 0 asks for a verified copy; the firmware's flag is
            // 0 or 1.
            const WORD status = g_monitorEngine->MonitorCopyMemory(first, last, target, kind != 0 ? 1 : 0);
            // A copy that failed, or that the monitor answered with an error,
            // was not done whole.
            const bool reported = ReportMonitorErrors();
            refused = status != 0 || reported;
        }
    }
    if (LinkLost()) {
        return LinkLostFailure();
    }
    return refused ? E_FAIL : S_OK;
}

HRESULT CTargetMemoryVk3::FillMemory(DWORD start, DWORD end, DWORD patternLength, const BYTE* pattern) {
    if (LinkLost()) {
        return LinkLostFailure();
    }
    if (ChangeRefusedNow(start, end)) {
        return S_OK;
    }
    // A pattern that covers the range is written once, whole; a shorter
    // one is the monitor fill's unit, which has 1, 2, 3, 4 or 8 bytes.
    const bool whole = std::uint64_t{patternLength} >= std::uint64_t{end} - start + 1;
    if (pattern == nullptr || patternLength == 0 || patternLength > kMaxPattern ||
        (!whole && !KnownUnit(patternLength))) {
        return E_INVALIDARG;
    }
    AccessFailure failure{start, memory_status::kDone};
    bool reported = false;
    {
        CAccessScope scope(*this);
        // The pattern lies in memory as the host gives it: written whole as
        // it stands, or, for the monitor's fill, as a unit value whose most
        // significant byte comes first (the last byte in memory).
        std::array<BYTE, kMaxPattern> bytes{};
        std::copy_n(pattern, patternLength, bytes.begin());
        std::array<BYTE, kMaxPattern> unitValue = bytes;
        std::reverse(unitValue.begin(), unitValue.begin() + patternLength);
        const HRESULT checked = CheckWriteAccess(start, end);
        if (checked != S_OK) {
            return checked == kRangeRefusedInRewriteMode ? S_OK : checked;
        }
        if (g_emuSel == connect_mode::kCpuRewriteMode) {
            LoadFlashBlocksForRange(start, end);
        }
        if (g_monitorEngine != nullptr) {
            if (whole) {
                static_cast<void>(WriteThroughMonitor(start, bytes.data(), patternLength, patternLength, &failure));
            } else if ((g_protocolType == 0 || g_protocolType == 1) && ProgramRuns()) {
                ShowTargetMessage(res_id::kNotCurrentlyAvailable, MB_ICONEXCLAMATION);
                return S_OK;
            } else {
                failure.status = g_monitorEngine->MonitorFillMemory(start, end, unitValue.data(), patternLength, 0);
                reported = ReportMonitorErrors();
            }
        }
    }
    if (LinkLost()) {
        return LinkLostFailure();
    }
    if (WriteFailed(failure.status)) {
        if (!reported) {
            ReportAccessFailure("write", failure, end);
        }
        return E_FAIL;
    }
    return S_OK;
}

HRESULT CTargetMemoryVk3::SearchMemory(DWORD start, DWORD end, WORD flag1, WORD, DWORD patternLength,
                                       const BYTE* pattern, const BYTE* mask, DWORD* found) {
    if (pattern == nullptr) {
        return E_POINTER;
    }
    if (LinkLost()) {
        return LinkLostFailure();
    }
    HRESULT result = kSearchNotFound;
    {
        CAccessScope scope(*this);
        if (CheckRange(start, end) != S_OK ||
            static_cast<std::int64_t>(std::uint64_t{end} - start + 1) < static_cast<std::int64_t>(patternLength)) {
            return kRangeRefused;
        }
        if (g_monitorEngine == nullptr) {
            return kSearchNotFound;
        }
        const int searched = g_monitorEngine->MonitorSearchMemory(start, end, pattern, patternLength, mask, flag1);
        if (searched == kMonitorSearchFound) {
            // Only a found search's output begins with the address.
            const EmuReplyPtr record = TakeReply(true);
            if (record == nullptr || record->length < 4 || record->payload.size() < 4) {
                return E_FAIL;
            }
            if (found != nullptr) {
                *found = DWORD{record->payload[0]} << 24 | DWORD{record->payload[1]} << 16 |
                         DWORD{record->payload[2]} << 8 | record->payload[3];
            }
            result = S_OK;
        } else {
            // The monitor's lines: an argument it refused, or why a read
            // failed. A search whose read failed found nothing out.
            const bool reported = ReportMonitorErrors();
            if (searched != 0) {
                if (!reported) {
                    ReportAccessFailure("read", {start, static_cast<WORD>(searched)}, end);
                }
                result = E_FAIL;
            }
        }
    }
    if (LinkLost()) {
        return LinkLostFailure();
    }
    return result;
}

HRESULT CTargetMemoryVk3::SearchMemoryEx(DWORD start, DWORD end, WORD flag1, WORD flag2, WORD mode,
                                         DWORD patternLength, const BYTE* pattern, const BYTE* mask, DWORD* found) {
    if (LinkLost()) {
        return LinkLostFailure();
    }
    if (mode == 0) {
        return SearchMemory(start, end, flag1, flag2, patternLength, pattern, mask, found);
    }
    if (pattern == nullptr || patternLength == 0) {
        return E_INVALIDARG;
    }
    AccessFailure failure;
    DWORD last = end;
    const HRESULT result = SearchMemoryInBlocks(start, end, pattern, patternLength,
                                                [&](DWORD first, DWORD count, BYTE* bytes) {
                                                    CAccessScope scope(*this);
                                                    last = first + count - 1;
                                                    return ReadThroughMonitor(first, count, 1, bytes, &failure);
                                                },
                                                found);
    if (LinkLost()) {
        return LinkLostFailure();
    }
    if (result == kSearchUnread) {
        ReportAccessFailure("read", failure, last);
        return E_FAIL;
    }
    return result;
}

HRESULT CTargetMemoryVk3::GetBlockSize(DWORD* size) {
    if (size != nullptr) {
        *size = kBlockSize;
    }
    return S_OK;
}
