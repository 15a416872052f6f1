// The provider's lists 0 and 1: the PC breaks through the base, the
// program-fetch channels over the channel table.
#include "events/break_condition_provider.h"

#include "events/break_condition_page.h"
#include "frame/error_codes.h"

#include "platform/afx.h"

#include <cstdio>
#include <string>

namespace {

constexpr char kListKinds[] = "Breakpoint\tBreakcondition\tEventcondition";
constexpr char kInvalidEventAddress[] = "Invalid event address.";
constexpr DWORD kRowEnabled = 1;
constexpr DWORD kRowDisabled = 2;
constexpr DWORD kKindCodeSet = 6;

// Lists 0 and 1 are told apart as unsigned numbers: any other value is the
// event list.
bool IsPcList(LONG list) {
    return static_cast<DWORD>(list) == 0;
}
bool IsChannelList(LONG list) {
    return static_cast<DWORD>(list) == 1;
}

}  // namespace

CBreakConditionProvider::CBreakConditionProvider(IHostServiceProvider* host)
    : CTargetEventVk3(host), m_table(std::make_unique<CBreakConditionTable>(host)) {}

CBreakConditionProvider::~CBreakConditionProvider() = default;

HRESULT CBreakConditionProvider::GetListKinds(BSTR* header) {
    // The base names lists 0 and 1 (and keeps their ids); list 2 gets none.
    static_cast<void>(CTargetEventVk3::GetListKinds(nullptr));  // it answers 0
    if (header != nullptr) {
        *header = platform::Bstr(std::string(kListKinds)).Detach();
    }
    return S_OK;
}

HRESULT CBreakConditionProvider::EditItem(LONG list, LONG index) {
    if (IsPcList(list)) {
        return CTargetEventVk3::EditItem(list, index);
    }
    if (IsChannelList(list)) {
        return EditChannelSheet(index);
    }
    return EditEventSettings();
}

HRESULT CBreakConditionProvider::GetItemText(LONG list, LONG index, CEventItemInfo** row) {
    if (IsPcList(list)) {
        return CTargetEventVk3::GetItemText(list, index, row);
    }
    if (IsChannelList(list)) {
        return GetChannelRow(index, row);
    }
    return GetEventRow(index, row);
}

HRESULT CBreakConditionProvider::GetChannelRow(LONG index, CEventItemInfo** row) {
    if (index < 0 || index >= m_table->GetChannelCount() || row == nullptr) {
        return TE_INVALID_INDEX;
    }
    DWORD address = 0;
    bool enabled = false;
    const bool set = m_table->GetChannel(index, &address, &enabled);
    *row = m_channelRows[static_cast<std::size_t>(index)].Fill(
        {static_cast<DWORD>(index), "Break condition", set && enabled ? kRowEnabled : kRowDisabled,
         set ? kKindCodeSet : 0, set ? address : 0, 0, set ? "pcbefore" : "None", "Break"});
    return S_OK;
}

HRESULT CBreakConditionProvider::EnableItem(LONG list, LONG index, WORD flag) {
    if (IsPcList(list)) {
        return CTargetEventVk3::EnableItem(list, index, flag);
    }
    return IsChannelList(list) ? EnableChannels(index, flag) : TE_NOT_AVAILABLE;
}

HRESULT CBreakConditionProvider::RemoveItem(LONG list, LONG index) {
    if (IsPcList(list)) {
        return CTargetEventVk3::RemoveItem(list, index);
    }
    return IsChannelList(list) ? ClearChannels(index) : TE_NOT_AVAILABLE;
}

HRESULT CBreakConditionProvider::ListOperation7(DWORD list, DWORD value) {
    return list == 0 ? CTargetEventVk3::ListOperation7(list, value) : TE_NOT_AVAILABLE;
}

HRESULT CBreakConditionProvider::ListOperation8(LONG list, DWORD value) {
    return IsPcList(list) ? CTargetEventVk3::ListOperation8(list, value) : TE_NOT_AVAILABLE;
}

HRESULT CBreakConditionProvider::GetItemState(LONG list, LONG index, DWORD* state) {
    if (IsPcList(list)) {
        return CTargetEventVk3::GetItemState(list, index, state);
    }
    if (IsChannelList(list)) {
        return GetChannelState(index, state);
    }
    if (state == nullptr) {
        return E_POINTER;
    }
    *state = kNothingToDo;
    return S_OK;
}

HRESULT CBreakConditionProvider::ListOperation10(LONG list, DWORD first, DWORD second, WORD* out) {
    if (IsPcList(list)) {
        return CTargetEventVk3::ListOperation10(list, first, second, out);
    }
    if (out != nullptr) {
        *out = 0;
    }
    return S_OK;
}

template <typename Change>
HRESULT CBreakConditionProvider::ChangeChannels(LONG index, Change change) {
    const int count = m_table->GetChannelCount();
    if (index >= count || index < kAll) {
        return S_OK;
    }
    const int first = index == kAll ? 0 : static_cast<int>(index);
    const int end = index == kAll ? count : first + 1;
    for (int n = first; n < end; ++n) {
        change(n);
    }
    static_cast<void>(m_table->Apply());  // a stopped program takes the table at its next go
    return S_OK;
}

HRESULT CBreakConditionProvider::EnableChannels(LONG index, WORD flag) {
    const DWORD enable = flag != 0 ? 1 : 0;
    // A free channel stays free.
    return ChangeChannels(index, [&](int n) { static_cast<void>(m_table->EnableChannel(n, enable)); });
}

HRESULT CBreakConditionProvider::ClearChannels(LONG index) {
    // Every valid channel answers 1.
    return ChangeChannels(index, [&](int n) { static_cast<void>(m_table->ClearChannel(n)); });
}

HRESULT CBreakConditionProvider::GetChannelState(LONG index, DWORD* state) {
    if (state == nullptr) {
        return E_POINTER;
    }
    DWORD address = 0;
    bool enabled = false;
    if (index == kAll) {
        *state = m_table->CountSetChannels() > 0 ? kChannelsExist : kNothingToDo;
    } else if (m_table->GetChannel(static_cast<int>(index), &address, &enabled)) {
        *state = enabled ? kChannelEnabled : kChannelDisabled;
    } else {
        *state = kNothingToDo;
    }
    return S_OK;
}

void CBreakConditionProvider::ReportInvalidAddress() const {
    if (m_host != nullptr) {
        const platform::Bstr text(std::string{kInvalidEventAddress});
        static_cast<void>(m_host->ReportErrorText(text.Get()));  // the host's answer is not read
    }
}

HRESULT CBreakConditionProvider::EditChannelSheet(LONG index) {
    if (index < 0 || index >= m_table->GetChannelCount()) {
        return TE_INVALID_INDEX;
    }
    DWORD address = 0;
    bool enabled = false;
    const bool set = m_table->GetChannel(static_cast<int>(index), &address, &enabled);
    char title[32];
    std::snprintf(title, sizeof(title), "Break condition %d", static_cast<int>(index) + 1);
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CPropertySheet sheet(title);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    CBreakConditionPage page(m_host, set ? 1 : 0, address, enabled ? 1 : 0);
    sheet.AddPage(&page);
    if (sheet.DoModal() != IDOK) {
        return S_OK;
    }
    DWORD chosen = 0;
    if (page.GetAddress(&chosen) != 0) {
        bool otherEnabled = false;
        int holder = -1;
        const bool held = m_table->FindChannelByAddress(chosen, &otherEnabled, &holder);
        if ((held && holder != index) || !m_table->IsAddressInRange(chosen)) {
            ReportInvalidAddress();
            return 1;
        }
        static_cast<void>(m_table->SetChannel(static_cast<int>(index), chosen));  // checked above
    } else {
        static_cast<void>(m_table->ClearChannel(static_cast<int>(index)));  // a valid channel
    }
    static_cast<void>(m_table->Apply());  // a stopped program takes the table at its next go
    return S_OK;
}
