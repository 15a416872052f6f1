#include "target/target_break_vk3.h"

namespace {

// RemoveBreak's index for every breakpoint, even while the program runs.
constexpr LONG kRemoveAllWhileRunning = -2;

}  // namespace

CTargetBreakVk3::CTargetBreakVk3(IHostServiceProvider* host)
    : CTargetBreak(host), m_reporter(std::make_unique<CErrorReporterImpl>(host)) {
    if (m_host != nullptr) {
        m_host->RegisterServer(IID_IHTBreakServer, static_cast<IHTBreakServer*>(&m_breakList));
    }
}

CTargetBreakVk3::~CTargetBreakVk3() {
    if (m_host != nullptr) {
        m_host->UnregisterServer(IID_IHTBreakServer, static_cast<IHTBreakServer*>(&m_breakList));
    }
}

HRESULT CTargetBreakVk3::OnTargetClose() {
    // The break manager removes every breakpoint for this index; the base
    // refuses it, and its own close below empties its array.
    static_cast<void>(RemoveBreak(kRemoveAllWhileRunning));
    return CTargetBreak::OnTargetClose();
}

HRESULT CTargetBreakVk3::CreateBreakObject(DWORD, const GUID&, BSTR, CBreakObject** object) {
    *object = nullptr;
    return TE_NOT_AVAILABLE;
}

DWORD CTargetBreakVk3::GetKindBreakCount(int) const {
    return 0;
}

HRESULT CTargetBreakVk3::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IHTBreakServer)) {
        *object = static_cast<IHTBreakServer*>(&m_breakList);
        return S_OK;
    }
    if (IsEqualIID(iid, IID_IHErrorReporter)) {
        *object = static_cast<IHErrorReporter*>(m_reporter.get());
        return S_OK;
    }
    return CTargetBreak::QueryInterface(iid, object);
}
