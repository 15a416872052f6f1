// The host's side of the break manager: IHTPCBreakClient over the PC Stop
// breaks, and the address rules of the host's AddBreak.
#include "breaks/break_manager.h"

#include "breaks/break_services.h"
#include "breaks/pc_break_notices.h"
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "startup/protected_registers.h"
#include "config/settings_files.h"
#include "target/target_vk3.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Why an address cannot carry a breakpoint.
enum class AddressRule { Valid, Invalid, InvalidInRewriteMode };

bool InEnabledArea(DeviceAreaIndex index, DWORD address) {
    const DeviceArea& area = g_deviceAreas[index];
    return area.enable != 0 && area.Contains(address);
}

// The flash blocks the device data names (their count bounded by the tables).
std::size_t FlashBlockCount() {
    return std::min<std::size_t>(g_deviceValues.flashBlockCount, kFlashTableSize);
}

// The space between FIR2's end and FLAS's top (none when FLAS does not lie
// above FIR2, an absent FLAS among them).
bool InFirmwareGap(DWORD address) {
    return g_deviceAreas[kAreaFir2].end < address && address < g_deviceAreas[kAreaFlas].top;
}

// The space between two consecutive flash blocks that do not touch.
bool InFlashGap(DWORD address) {
    for (std::size_t block = 1; block < FlashBlockCount(); ++block) {
        const DWORD previousEnd = g_deviceValues.flashBlockEnd[block - 1];
        const DWORD top = g_deviceValues.flashBlockTop[block];
        if (previousEnd < address && address < top) {
            return true;
        }
    }
    return false;
}

bool InProgramFlash(DWORD address) {
    const DeviceArea& datf = g_deviceAreas[kAreaDatf];
    for (std::size_t block = 0; block < FlashBlockCount(); ++block) {
        const DWORD top = g_deviceValues.flashBlockTop[block];
        const DWORD end = g_deviceValues.flashBlockEnd[block];
        if (datf.top <= top && end <= datf.end) {
            continue;  // data flash
        }
        if (top <= address && address <= end) {
            return true;
        }
    }
    return false;
}

AddressRule CheckBreakAddress(DWORD address) {
    const bool invalid = InEnabledArea(kAreaIio1, address) || InEnabledArea(kAreaIio2, address) ||
                         InEnabledArea(kAreaFirm, address) || InFirmwareGap(address) ||
                         InEnabledArea(kAreaDatf, address) || InEnabledArea(kAreaAse1, address) ||
                         InFlashGap(address);
    if (invalid) {
        return AddressRule::Invalid;
    }
    if (g_emuSel == connect_mode::kCpuRewriteMode && InProgramFlash(address)) {
        return AddressRule::InvalidInRewriteMode;
    }
    return AddressRule::Valid;
}

void ShowInvalidAddress(DWORD address) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    char text[48] = {};
    std::snprintf(text, sizeof(text), "Invalid address value.\nH'%08x", static_cast<unsigned>(address));
    AfxMessageBox(text, MB_OK);
}

void ShowInvalidInRewriteMode() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    MessageBoxA(nullptr, LoadTargetString(res_id::kInvalidInRewriteMode).c_str(), "Error", MB_OK);
}

// An enabled break goes onto the emulator, a disabled one comes off it.
void PutOnOrOffTarget(CTBreakContents& record, WORD enable) {
    if (enable == 1) {
        record.SetOnTarget();
    } else {
        record.RemoveFromTarget();
    }
}

}  // namespace

HRESULT CTBreakManager::AddBreak(DWORD address, GUID ownerId, BSTR text, DWORD* id) {
    CBreakServices& services = BreakServices();
    if (address > services.GetTopAddress()) {
        return E_INVALIDARG;
    }
    if (g_protectedRegisters.Contains(address) == 1) {
        return E_FAIL;
    }
    switch (CheckBreakAddress(address)) {
        case AddressRule::Invalid:
            ShowInvalidAddress(address);
            return E_FAIL;
        case AddressRule::InvalidInRewriteMode:
            ShowInvalidInRewriteMode();
            return E_FAIL;
        case AddressRule::Valid:
            break;
    }
    if (services.IsProgramRunning()) {
        return E_FAIL;
    }
    if (GetDefaultWord() != 1) {
        return S_OK;
    }
    return m_pc.CreateHostPcBreak(address, ownerId, text, id) != 0 ? S_OK : E_FAIL;
}

HRESULT CTBreakManager::EnableBreak(LONG id, WORD flag) {
    if (BreakServices().IsProgramRunning()) {
        return E_FAIL;
    }
    const WORD enable = flag == 1 ? 1 : 0;
    if (id < CTBreakList::kAll) {
        return E_INVALIDARG;
    }
    if (id == CTBreakList::kAll) {
        // The records whose word changes go on or off the target, as one
        // id's do: a flag must not say what the target does not do.
        std::vector<CTBreakContents*> changing;
        for (DWORD position = 0; position < m_pc.GetStopCount(); ++position) {
            if (CTBreakContents* record = m_pc.GetStopAt(position); record->GetEnable() != enable) {
                changing.push_back(record);
            }
        }
        if (m_pc.EnableStop(enable, CTBreakList::kAll) == 0) {
            return E_FAIL;
        }
        NotifyAllPcBreaksEnable(enable);
        for (CTBreakContents* record : changing) {
            PutOnOrOffTarget(*record, enable);
        }
        return S_OK;
    }
    DWORD stopPosition = 0;
    if (m_pc.FindPcStopById(static_cast<DWORD>(id), &stopPosition) == 0) {
        return E_INVALIDARG;
    }
    if (m_pc.EnableStop(enable, static_cast<LONG>(stopPosition)) == 0) {
        return E_FAIL;
    }
    CTBreakContents* record = m_pc.GetStopAt(stopPosition);
    DWORD position = 0;
    while (m_pc.GetAt(position) != record) {
        ++position;
    }
    NotifyPcBreakEnable(position, enable);
    PutOnOrOffTarget(*record, enable);
    return S_OK;
}

HRESULT CTBreakManager::IsBreakEnabled(LONG id, WORD* enabled) {
    DWORD position = 0;
    if (id < 0 || m_pc.FindPcStopById(static_cast<DWORD>(id), &position) == 0) {
        return E_INVALIDARG;
    }
    if (enabled != nullptr) {
        *enabled = m_pc.GetStopAt(position)->IsEnabled() ? 1 : 0;
    }
    return S_OK;
}

HRESULT CTBreakManager::RemoveBreak(LONG id) {
    constexpr LONG kAllWithoutTarget = -2;
    if (id != kAllWithoutTarget && BreakServices().IsProgramRunning()) {
        return E_FAIL;
    }
    if (m_pc.GetStopCount() == 0) {
        return E_FAIL;
    }
    if (id < kAllWithoutTarget) {
        return E_INVALIDARG;
    }
    if (id == CTBreakList::kAll || id == kAllWithoutTarget) {
        m_pc.RemoveHostPcBreak(id);
        return S_OK;
    }
    DWORD position = 0;
    if (m_pc.FindPcStopById(static_cast<DWORD>(id), &position) == 0) {
        return E_INVALIDARG;
    }
    m_pc.RemoveHostPcBreak(static_cast<LONG>(position));
    return S_OK;
}

HRESULT CTBreakManager::GetBreakInfo(DWORD address, GUID* ownerId, BSTR* text, DWORD* id) {
    const CTBreakPcContents* record = m_pc.FindPcStopBreak(address);
    if (record == nullptr) {
        return E_FAIL;
    }
    if (ownerId != nullptr) {
        *ownerId = record->GetOwnerId();
    }
    if (text != nullptr) {
        *text = SysAllocStringLen(record->GetText().data(), static_cast<UINT>(record->GetText().size()));
    }
    if (id != nullptr) {
        *id = record->GetId();
    }
    return S_OK;
}

HRESULT CTBreakManager::FindBreak(DWORD address, DWORD* id) {
    const CTBreakPcContents* record = m_pc.FindPcStopBreak(address);
    if (record == nullptr) {
        return E_FAIL;
    }
    if (id != nullptr) {
        *id = record->GetId();
    }
    return S_OK;
}
