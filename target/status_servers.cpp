#include "target/status_servers.h"

#include "frame/target_memory.h"
#include "monitor/run_state_monitor.h"
#include "config/settings_files.h"
#include "config/target_config.h"
#include "target/target_memory_vk3.h"
#include "target/target_vk3.h"

#include <utility>

namespace {

constexpr char kTargetSection[] = "Q3v KTR4 TARGET";
constexpr int kDefaultMinimum = 10;
constexpr int kDefaultMaximum = 10000;
// The access size a running-memory read asks the memory handler for.
constexpr DWORD kByteAccess = 1;

template <typename Interface>
HRESULT Answer(Interface* self, IHErrorReporter* reporter, const IID& own, REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, own)) {
        *object = self;
        return S_OK;
    }
    if (IsEqualIID(iid, IID_IHErrorReporter)) {
        *object = reporter;
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

// The range's last address does not wrap below its start.
bool RangeFits(DWORD start, DWORD length) {
    return start + length - 1 >= start;
}

}  // namespace

CStatusTiming::CStatusTiming(IHostServiceProvider* host)
    : CTargetHandler(host), m_reporter(std::make_unique<CErrorReporterImpl>(host)) {
    if (m_host != nullptr) {
        m_host->RegisterServer(IID_IHStatusTiming, static_cast<IHStatusTiming*>(this));
    }
}

CStatusTiming::~CStatusTiming() {
    if (m_host != nullptr) {
        m_host->UnregisterServer(IID_IHStatusTiming, static_cast<IHStatusTiming*>(this));
    }
}

HRESULT CStatusTiming::QueryInterface(REFIID iid, void** object) {
    return Answer<IHStatusTiming>(this, m_reporter.get(), IID_IHStatusTiming, iid, object);
}

HRESULT CStatusTiming::GetTimingFlag(WORD* flag) {
    if (flag == nullptr) {
        return E_POINTER;
    }
    *flag = 0;
    return S_OK;
}

HRESULT CStatusTiming::GetStatusTime(DWORD* period) {
    if (period == nullptr) {
        return E_POINTER;
    }
    *period = ::GetStatusTime();
    return S_OK;
}

HRESULT CStatusTiming::GetStatusTimeRange(DWORD* minimum, DWORD* maximum) {
    if (minimum == nullptr || maximum == nullptr) {
        return E_POINTER;
    }
    static const std::pair<DWORD, DWORD> range = [] {
        const std::string file = GetPluginCnfPath();
        return std::make_pair(
            static_cast<DWORD>(ReadProfileInt(kTargetSection, "STATUS TIME MIN", kDefaultMinimum, file.c_str())),
            static_cast<DWORD>(ReadProfileInt(kTargetSection, "STATUS TIME MAX", kDefaultMaximum, file.c_str())));
    }();
    *minimum = range.first;
    *maximum = range.second;
    return S_OK;
}

CRunningMemoryServer::CRunningMemoryServer(IHostServiceProvider* host)
    : CTargetHandler(host), m_reporter(std::make_unique<CErrorReporterImpl>(host)) {
    if (m_host != nullptr) {
        m_host->RegisterServer(IID_IHTRunningMemory, static_cast<IHTRunningMemory*>(this));
    }
}

CRunningMemoryServer::~CRunningMemoryServer() {
    if (m_host != nullptr) {
        m_host->UnregisterServer(IID_IHTRunningMemory, static_cast<IHTRunningMemory*>(this));
    }
}

HRESULT CRunningMemoryServer::QueryInterface(REFIID iid, void** object) {
    return Answer<IHTRunningMemory>(this, m_reporter.get(), IID_IHTRunningMemory, iid, object);
}

HRESULT CRunningMemoryServer::CheckRange(DWORD start, DWORD length, DWORD* ok) {
    if (ok == nullptr) {
        return E_POINTER;
    }
    *ok = RangeFits(start, length) ? 1 : 0;
    return *ok != 0 ? S_OK : TE_INVALID_ADDRESS;
}

HRESULT CRunningMemoryServer::ReadWhileRunning(DWORD start, DWORD length, BYTE* buffer) {
    if (length == 0) {
        return S_OK;
    }
    if (!RangeFits(start, length)) {
        return TE_INVALID_ADDRESS;
    }
    CTargetMemory* memory = GetTarget()->GetMemoryHandler();
    if (memory == nullptr || g_runStateMonitor == nullptr || g_runStateMonitor->IsRunning() == 0) {
        return S_OK;
    }
    if (const auto* family = dynamic_cast<const CTargetMemoryVk3*>(memory);
        family != nullptr && family->AccessInProgress() != 0) {
        return S_OK;
    }
    if (buffer == nullptr) {
        return E_POINTER;
    }
    return memory->ReadMemory(start, start + length - 1, kByteAccess, buffer);
}
