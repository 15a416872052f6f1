#include "startup/communi_clock_page.h"

#include "res/resource_ids.h"
#include "config/device_data.h"
#include "config/session_settings.h"
#include "config/settings_files.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr char kGroupSection[] = "Q3v KTR4 TARGET";
constexpr char kSection[] = "COMMUNI";
constexpr char kKey[] = "COMSPEED";
constexpr int kSpeedCount = CCommuniClockPage::kHighestSpeed + 1;
constexpr char kNone[] = "---";

using SpeedTable = std::array<const char*, kSpeedCount>;

// A: protocol type 1 (and SWTI firmware of an unlisted MCU ID); H: the other
// protocol types; B to F: SWTI firmware by MCU ID.
constexpr SpeedTable kTableA{"9600 bps",   "19200 bps",  "38400 bps",  "57600 bps",  "125000 bps",
                             "250000 bps", "500000 bps", "750000 bps", "1500000 bps"};
constexpr SpeedTable kTableH{kNone,        kNone,        kNone,         kNone,        "125000 bps",
                             "250000 bps", "500000 bps", "1000000 bps", "2000000 bps"};
constexpr SpeedTable kTableB{"9600 bps", "19200 bps", "38400 bps", "57600 bps", kNone,
                             "250000 bps", kNone, "750000 bps", kNone};
constexpr SpeedTable kTableC{"9600 bps",   "19200 bps",  "38400 bps",  "57600 bps", kNone,
                             "250000 bps", "500000 bps", "750000 bps", kNone};
constexpr SpeedTable kTableD{"9600 bps", "19200 bps", "38400 bps", "57600 bps", kNone,
                             "250000 bps", "500000 bps", kNone, kNone};

const SpeedTable& CurrentTable() {
    if (g_swtiSupported == 0) {
        return g_protocolType == 1 ? kTableA : kTableH;
    }
    switch (g_deviceValues.mcuId) {
    case 11:
    case 17:
    case 18:
        return kTableB;
    case 12:
        return kTableC;
    case 13:
        return kTableD;
    default:
        return kTableA;
    }
}

// The text of a speed index (0 to 8) in the device's table.
const char* SpeedText(int index) {
    return CurrentTable()[static_cast<std::size_t>(index)];
}

bool SheetIsWizard(CWnd* parent) {
    const auto* sheet = dynamic_cast<CPropertySheet*>(parent);
    return sheet != nullptr && sheet->IsWizard();
}

}  // namespace

BEGIN_MESSAGE_MAP(CCommuniClockPage, CPropertyPage)
    ON_MESSAGE(PSM_QUERYSIBLINGS, OnQuerySiblings)
END_MESSAGE_MAP()

CCommuniClockPage::CCommuniClockPage() : CPropertyPage(res_id::kCommunicationPage) {}

BOOL CCommuniClockPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    m_speedList.SubclassDlgItem(res_id::kSpeedList, this);
    const int defaultIndex = g_swtiSupported != 0 ? 8 : 6;
    FillSpeeds(static_cast<int>(SessionIniGetInt(kSection, kKey, defaultIndex)));
    if (m_readOnly) {
        m_speedList.EnableWindow(FALSE);
    }
    return TRUE;
}

void CCommuniClockPage::FillSpeeds(int selectedIndex) {
    // A "BAUD RATE" beyond the tables offers what they hold (the texts are
    // read for every index up to it).
    m_highestIndex = std::clamp(ReadProfileInt(kGroupSection, "BAUD RATE", 6, g_cnfPath), 0, kHighestSpeed);
    if (selectedIndex >= m_highestIndex) {
        selectedIndex = m_highestIndex;
    } else if (selectedIndex < 0) {
        selectedIndex = 0;
    }
    if (g_swtiSupported != 0 && selectedIndex == 4) {
        selectedIndex = 3;
    }
    m_selectedIndex = selectedIndex;
    m_speedList.ResetContent();
    for (int index = 0; index <= m_highestIndex; ++index) {
        const std::string text = SpeedText(index);
        if (text != kNone) {
            m_speedList.SetItemData(m_speedList.AddString(text.c_str()), static_cast<DWORD_PTR>(index));
        }
    }
    // The saved speed, else the nearest offered below it, else the first.
    const auto entryOf = [this](int index) {
        for (int entry = 0; entry < m_speedList.GetCount(); ++entry) {
            if (m_speedList.GetItemData(entry) == static_cast<DWORD_PTR>(index)) {
                return entry;
            }
        }
        return -1;
    };
    int entry = entryOf(selectedIndex);
    while (entry < 0 && --selectedIndex >= 1) {
        entry = entryOf(selectedIndex);
    }
    m_speedList.SetCurSel(entry >= 0 ? entry : 0);
    if (m_speedList.GetCurSel() >= 0) {
        m_selectedIndex = static_cast<int>(m_speedList.GetItemData(m_speedList.GetCurSel()));
    }
}

void CCommuniClockPage::WriteSpeed(int index) const {
    char text[16];
    std::snprintf(text, sizeof(text), "%d", index);
    SessionIniWriteString(kSection, kKey, text);
}

void CCommuniClockPage::OnOK() {
    if (!m_readOnly && m_speedList.GetSafeHwnd() != nullptr && m_speedList.GetCurSel() >= 0) {
        WriteSpeed(static_cast<int>(m_speedList.GetItemData(m_speedList.GetCurSel())));
    }
}

void CCommuniClockPage::SaveSelection() {
    if (!m_readOnly) {
        WriteSpeed(m_selectedIndex);
    }
}

BOOL CCommuniClockPage::OnSetActive() {
    CPropertyPage::OnSetActive();
    if (SheetIsWizard(GetParent())) {
        GetParent()->SendMessage(PSM_SETWIZBUTTONS, 0, PSWIZB_BACK | PSWIZB_FINISH);
    }
    return TRUE;
}

BOOL CCommuniClockPage::OnWizardFinish() {
    if (!m_readOnly && m_speedList.GetCurSel() >= 0) {
        m_selectedIndex = static_cast<int>(m_speedList.GetItemData(m_speedList.GetCurSel()));
    }
    return TRUE;
}

LRESULT CCommuniClockPage::OnQuerySiblings(WPARAM, LPARAM) {
    const int current = m_speedList.GetCurSel();
    FillSpeeds(current >= 0 ? static_cast<int>(m_speedList.GetItemData(current)) : m_selectedIndex);
    return 0;  // the other pages hear of the device too
}
