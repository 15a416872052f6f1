#include "events/set_bc.h"

#include "res/resource_ids.h"
#include "config/settings_files.h"
#include "target/target_vk3.h"

#include "platform/files.h"
#include "util/dlg_with_help.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kMmuTextSize = 512;
constexpr int kChannels = 8;

// The extended pages (the second address, ASID, bus-state and count pages)
// are offered when the plug-in's settings file names an MMU. A plug-in
// without the file has none; every sheet asks, so a missing file must not
// show the settings reader's message each time.
bool MmuPages() {
    const std::string file = GetPluginSettingsFilePath();
    const DWORD attributes = GetFileAttributesA(file.c_str());
    if (GetTarget() == nullptr || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    char text[kMmuTextSize] = {};
    ReadProfileString("MPU", "MMU", "", text, kMmuTextSize, file.c_str());
    unsigned value = 0;
    return text[0] != '\0' && std::sscanf(text, "%x", &value) == 1 && value != 0;
}

}  // namespace

IMPLEMENT_DYNAMIC(CSetBc, CPropertySheet)

BEGIN_MESSAGE_MAP(CSetBc, CPropertySheet)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CSetBc::CSetBc(LPCSTR title, CWnd* parent, UINT firstPage) : CPropertySheet(title, parent, firstPage) {
    for (CSetBcPage* page : std::initializer_list<CSetBcPage*>{&page1, &page2, &page3, &page4, &page5, &page6}) {
        page->owner = this;
    }
    std::string lower = title != nullptr ? title : "";
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    const bool mmu = MmuPages();
    for (int channel = 0; channel < kChannels; ++channel) {
        if (lower.find("condition " + std::to_string(channel + 1)) != std::string::npos) {
            m_channel = channel;
            break;
        }
    }
    std::vector<CPropertyPage*> pages;
    switch (m_channel) {
    case -1:
        break;
    case 0:
        pages = mmu ? std::vector<CPropertyPage*>{&page1, &page2, &page6, &page3, &page4}
                    : std::vector<CPropertyPage*>{&page1};
        break;
    case 1:
        pages = mmu ? std::vector<CPropertyPage*>{&page1, &page6, &page3} : std::vector<CPropertyPage*>{&page1};
        break;
    case 2:
        pages = {&page2};
        break;
    default:
        pages = {&page1};
        break;
    }
    for (CPropertyPage* page : pages) {
        AddPage(page);
    }
}

BOOL CSetBc::OnInitDialog() {
    const BOOL result = CPropertySheet::OnInitDialog();
    ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    return result;
}

BOOL CSetBc::OnHelpInfo(HELPINFO* help) {
    return ShowControlHelp(*this, res_id::kSetBcSheetHelp, help);
}

void CSetBc::ResetPages() {
    switch (m_channel) {
    case -1:
        break;
    case 0:
        page1.ResetPage();
        page2.ResetPage();
        page3.ResetPage();
        break;
    case 1:
        page1.ResetPage();
        page6.ResetPage();
        page3.ResetPage();
        break;
    case 2:
        page2.ResetPage();
        break;
    default:
        page1.ResetPage();
        break;
    }
}

void CSetBc::CopyFrom(const CSetBc& other) {
    auto copyNumber = [](CSetBcNumberPage& to, const CSetBcNumberPage& from) {
        to.dontCare = from.dontCare;
        to.value = from.value;
        to.text = from.text;
    };
    auto copyBus = [this, &other] {
        page3.bus = other.page3.bus;
        page3.direction = other.page3.direction;
    };
    switch (m_channel) {
    case -1:
        break;
    case 0:
        page1.CopyFieldsFrom(other.page1);
        page2.CopyFieldsFrom(other.page2);
        copyNumber(page6, other.page6);
        copyBus();
        copyNumber(page4, other.page4);
        break;
    case 1:
        page1.CopyFieldsFrom(other.page1);
        copyNumber(page6, other.page6);
        copyBus();
        break;
    case 2:
        page2.CopyFieldsFrom(other.page2);
        break;
    default:
        page1.CopyFieldsFrom(other.page1);
        break;
    }
}

bool CSetBc::IsSet() const {
    return m_channel >= 0 && AddressPage().HasCondition();
}

bool CSetBc::GetAddress(DWORD* address) const {
    if (!IsSet() || (m_channel != 2 && AddressPage().maskIndex != 0)) {
        return false;
    }
    *address = AddressPage().address;
    return true;
}

HRESULT CSetBc::SetAddress(DWORD address) {
    if (m_channel < 0 || m_channel >= kChannels) {
        return E_FAIL;
    }
    ResetPages();
    CSetBcAddressPage& page = AddressPage();
    page.addressDontCare = 0;
    page.addressKind = 1;
    page.address = address;
    return S_OK;
}

bool CSetBc::MatchesAddress(DWORD address) const {
    if (m_channel < 0) {
        return false;
    }
    // A free channel holds no address, not even the 0 its page keeps.
    if (m_channel == 2) {
        return page2.HasCondition() && page2.address == address;
    }
    return page1.HasCondition() && page1.maskIndex == 0 && page1.address == address;
}

template <typename Read>
CString CSetBc::JoinPageTexts(Read read) {
    CString text;
    for (int index = 0; index < GetPageCount(); ++index) {
        auto* page = static_cast<CSetBcPage*>(GetPage(index));
        const CString part = read(*page);
        if (!part.IsEmpty()) {
            text += part + " ";
        }
    }
    return text.IsEmpty() || !IsSet() ? CString("None") : text;
}

CString CSetBc::GetConditionText() {
    conditionText = JoinPageTexts([](CSetBcPage& page) { return page.GetConditionText(); });
    return conditionText;
}

CString CSetBc::GetCommandText() {
    commandText = JoinPageTexts([](CSetBcPage& page) { return page.GetCommandText(); });
    return commandText;
}
