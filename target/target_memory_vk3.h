// CTargetMemoryVk3: the target's memory handler, behind the host's memory
// windows, memory commands and program download. Every request holds the
// memory lock for its whole emulator exchange and goes to the monitor
// engine; the handler decides which ranges this family may read and write
// (memory_ranges.h) and carries the download bracket: while the host
// downloads, its writes are collected into contiguous runs of up to 4,096
// bytes, and the download's end writes the flash and records the user's
// reset vector (memory_download.cpp).
#pragma once

#include "frame/error_codes.h"
#include "frame/target_memory.h"
#include "frame/target_access.h"

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class CTargetMemoryVk3 : public CTargetMemory {
public:
    explicit CTargetMemoryVk3(IHostServiceProvider* host);
    ~CTargetMemoryVk3() override;

    // 1 while a read, write or search block fill holds the memory lock.
    DWORD AccessInProgress() const { return m_accessInProgress; }
    // E_FAIL without a memory map; else the attribute word of the map area
    // that holds the address (0 for none).
    HRESULT GetAreaAttribute(DWORD address, DWORD* attribute) const;

    // IUnknown: IHErrorReporter gives the handler's own reporter.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;

    // IHTMemoryServer2
    HRESULT STDMETHODCALLTYPE ReadMemoryBlock(DWORD, DWORD, BYTE*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE WriteMemoryBlock(DWORD, DWORD, BYTE*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ReadMemory(DWORD start, DWORD end, DWORD access, BYTE* buffer) override;
    HRESULT STDMETHODCALLTYPE WriteMemory(DWORD start, DWORD end, DWORD access, const BYTE* buffer) override;
    HRESULT STDMETHODCALLTYPE CompareMemory(DWORD start, DWORD end, DWORD secondStart, DWORD unit,
                                            DWORD* firstBytes, DWORD* secondBytes, DWORD* address) override;
    HRESULT STDMETHODCALLTYPE CopyMemory(DWORD start, DWORD end, DWORD destination, WORD kind, DWORD unit,
                                         DWORD unused1, DWORD unused2, DWORD* address) override;
    HRESULT STDMETHODCALLTYPE FillMemory(DWORD start, DWORD end, DWORD patternLength, const BYTE* pattern) override;
    HRESULT STDMETHODCALLTYPE SearchMemory(DWORD start, DWORD end, WORD flag1, WORD flag2, DWORD patternLength,
                                           const BYTE* pattern, const BYTE* mask, DWORD* found) override;
    HRESULT STDMETHODCALLTYPE Notify21(DWORD, DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Notify22(DWORD, DWORD) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE Notify23() override { return S_OK; }
    // 0xFFFF when a download begins, 0 when it ends.
    HRESULT STDMETHODCALLTYPE OnDownload(WORD value) override;
    HRESULT STDMETHODCALLTYPE GetBlockSize(DWORD* size) override;
    // IHTMemoryServer4
    HRESULT STDMETHODCALLTYPE SearchMemoryEx(DWORD start, DWORD end, WORD flag1, WORD flag2, WORD mode,
                                             DWORD patternLength, const BYTE* pattern, const BYTE* mask,
                                             DWORD* found) override;

private:
    // Sets the access-in-progress flag and holds the memory lock for its
    // lifetime.
    class CAccessScope {
    public:
        explicit CAccessScope(CTargetMemoryVk3& handler);
        ~CAccessScope();
        CAccessScope(const CAccessScope&) = delete;
        CAccessScope& operator=(const CAccessScope&) = delete;

    private:
        CTargetMemoryVk3& m_handler;
    };

    // The download's end (memory_download.cpp): S_OK, or the failure of its
    // last run or of its flash write.
    HRESULT EndDownload();
    // Writes the collected run (or, while no run is collected, nothing):
    // S_OK; kRangeRefused for a run outside the device, or E_FAIL for one
    // the emulator refused, which is then reported and dropped.
    HRESULT FlushCollected(DWORD access);
    // Writes a block during a download: checked, warned about, written.
    HRESULT WriteDownloadBlock(DWORD start, DWORD end, const BYTE* data, DWORD access);
    void Collect(DWORD start, DWORD end, const BYTE* data);
    // A write during a download.
    HRESULT WriteDuringDownload(DWORD start, DWORD end, DWORD access, const BYTE* buffer);
    // Writes the device's XIN entries, the download word 0 meanwhile.
    void WriteXinEntries();
    // Records the user's reset vector from the flash mirror and keeps it
    // where the firmware restarts the user's program.
    void RecordUserResetVector();
    void WarnAboutWatchdog();
    // Where an access stopped, and the monitor's status for it.
    struct AccessFailure {
        DWORD address = 0;
        WORD status = 0;
    };
    // Reads [address, address + count) into destination through the monitor,
    // one reply; false when the read stopped early, with the first address
    // not read in failure.
    bool ReadThroughMonitor(DWORD address, DWORD count, DWORD unit, BYTE* destination,
                            AccessFailure* failure = nullptr);
    // Writes count bytes through the monitor: its status, and in failure the
    // status with the first address not written.
    static WORD WriteThroughMonitor(DWORD start, const BYTE* source, DWORD unit, DWORD count,
                                    AccessFailure* failure);
    // A write status that left bytes unwritten: not a range written around
    // the reserved areas, whose messages are pending.
    static bool WriteFailed(WORD status);
    // An access the emulator refused while the link held: the range not read
    // or written ("Memory read error from ...h to ...h.") and the monitor's
    // message for the status, when it has one, to the host's error output.
    // A lost link is left to the call's own report.
    static void ReportAccessFailure(const char* what, const AccessFailure& failure, DWORD last);
    // The monitor's text answer after a fill, copy or search: an error line
    // (and a memory-test line before it) to the host's error output, unless
    // the link was lost, which the call reports itself. true when the answer
    // carried an error.
    bool ReportMonitorErrors();

    std::unique_ptr<CErrorReporterImpl> m_reporter;
    HRESULT m_errorCode = 0;
    std::atomic<DWORD> m_accessInProgress{0};
    // The download's collection: absent outside a download.
    std::unique_ptr<std::vector<BYTE>> m_collection;
    DWORD m_collectedStart = 0;
    DWORD m_collectedEnd = 0;
    DWORD m_collectedCount = 0;
};

// 1 while a host memory operation of the memory handler is in progress (its
// access-in-progress flag): the run control's wait loop raises no periodic
// status then.
bool IsMemoryAccessInProgress();

// What the download bracket asks of the break conditions, which their own
// subsystem fills: the conditions sent to the emulator again after the
// download. Until then nothing is done. (The CPU reset around the XIN
// writes is the target's run-control handler's.)
struct DownloadServices {
    std::function<void()> reapplyBreakConditions;
};
void SetDownloadServices(DownloadServices services);
