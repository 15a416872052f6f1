#include "startup/firmware_location_page.h"

#include "res/resource_ids.h"
#include "config/device_data.h"
#include "startup/device_part_lists.h"
#include "config/session_settings.h"
#include "util/scan_values.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {

constexpr char kSection[] = "FW_LOCATE";
constexpr char kWrongValue[] = "The value is wrong.\nSet it again.";
// The firmware may sit in one of the first ten flash blocks.
constexpr DWORD kFirmwareBlocks = 10;
constexpr DWORD kUnusedBlock = 0xFFFFFFFF;
constexpr DWORD kPage = 0x100;
// The highest user-flash address below 64 KiB that the firmware area may
// reach (65500), and the end of that space.
constexpr std::int64_t kLowFlashLimit = 65500;
constexpr DWORD kLowSpaceEnd = 0xFFFF;
// The controls of the block and the address.
constexpr int kLocationControls[] = {res_id::kFirmwareBlock, res_id::kBlockCaption, res_id::kAddressCaption,
                                     res_id::kFirmwareAddress, res_id::kAddressEnd, res_id::kRangeText};

bool FixedBlockDevice() {
    return IsListedDevice(kFixedBlockDevices, g_deviceValues.deviceName);
}

bool BlockUsed(DWORD block) {
    return block < std::min<DWORD>(g_deviceValues.flashBlockCount, kFlashTableSize) &&
           g_deviceValues.flashBlockTop[block] != kUnusedBlock;
}

DWORD RoundDown(std::int64_t value) {
    return value <= 0 ? 0 : static_cast<DWORD>(value) & ~(kPage - 1);
}

bool SheetIsWizard(CWnd* parent) {
    const auto* sheet = dynamic_cast<CPropertySheet*>(parent);
    return sheet != nullptr && sheet->IsWizard();
}

// A read value of 2 and above (or one that reads as a huge unsigned) is 1.
int Flag(UINT value) {
    return value >= 1 ? 1 : 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CFirmwareLocationPageVk3, CPropertyPage)
    ON_MESSAGE(PSM_QUERYSIBLINGS, OnQuerySiblings)
    ON_BN_CLICKED(res_id::kDataFlashArea, OnDataFlashClicked)
    ON_BN_CLICKED(res_id::kUserFlashArea, OnUserFlashClicked)
    ON_BN_CLICKED(res_id::kAdvancedSetting, OnAdvancedClicked)
    ON_EN_CHANGE(res_id::kFirmwareAddress, OnAddressChanged)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CFirmwareLocationPageVk3::CFirmwareLocationPageVk3() : CPropertyPage(res_id::kFirmwareLocationPage) {}

std::optional<DWORD> CFirmwareLocationPageVk3::FindFirmwareBlock(DWORD address) {
    const DeviceValues& device = g_deviceValues;
    for (DWORD block = 0; block < kFirmwareBlocks; ++block) {
        if (device.flashBlockTop[block] != kUnusedBlock && device.flashBlockTop[block] <= address &&
            address <= device.flashBlockEnd[block]) {
            return block;
        }
    }
    if (FixedBlockDevice() && address == kFixedBlockAddresses[0]) {
        return 0;
    }
    return std::nullopt;
}

int CFirmwareLocationPageVk3::ApplyForDevice(DWORD address) {
    DeviceValues& device = g_deviceValues;
    if (device.firmSelect != 1) {
        return 1;
    }
    // A location no block holds is refused before anything moves.
    const std::optional<DWORD> block = FindFirmwareBlock(address);
    if (!block) {
        return 0;
    }
    DeviceArea& area = g_deviceAreas[kAreaAse1];
    const DWORD size = area.end - area.top;
    area.top = address;
    area.end = address + size;
    // Bytes 1 and 2 follow the firmware; byte 0 is the offset's own, as the
    // firmware moves in whole pages.
    const auto move = [top = area.top](BYTE* bytes, DWORD offset) {
        const DWORD value = top + offset;
        bytes[1] = static_cast<BYTE>(value >> 8);
        bytes[2] = static_cast<BYTE>(value >> 16);
    };
    for (std::size_t i = 0; i < kVectorCount; ++i) {
        move(device.vectors[i].data(), device.vectorOffsets[i]);
    }
    move(device.firmResetAddr.data(), device.firmResetOffset);
    move(device.firmJumpAddr.data(), device.firmJumpOffset);
    device.firmBlockNo = *block;
    return 1;
}

DWORD CFirmwareLocationPageVk3::AreaSize() const {
    const DeviceArea& area = g_deviceAreas[kAreaAse1];
    return area.end >= area.top ? area.end - area.top + 1 : 0;
}

BOOL CFirmwareLocationPageVk3::IsInDataFlash(DWORD address) const {
    return g_deviceAreas[kAreaDatf].Contains(address) ? TRUE : FALSE;
}

BOOL CFirmwareLocationPageVk3::IsValidAddress(DWORD address) const {
    return m_hasRange && m_minimum <= address && address <= m_maximum && (address <= m_limit || address > kLowSpaceEnd)
               ? TRUE
               : FALSE;
}

void CFirmwareLocationPageVk3::UpdateRange() {
    const DeviceValues& device = g_deviceValues;
    DWORD leastTop = kUnusedBlock;
    DWORD greatestEnd = 0;
    m_hasRange = false;
    // Every used block counts, past an unused entry too.
    for (DWORD block = 0; block < kFlashTableSize; ++block) {
        if (!BlockUsed(block) || IsInDataFlash(device.flashBlockTop[block])) {
            continue;
        }
        leastTop = std::min(leastTop, device.flashBlockTop[block]);
        greatestEnd = std::max(greatestEnd, device.flashBlockEnd[block]);
        m_hasRange = true;
    }
    const std::int64_t size = AreaSize();
    m_limit = RoundDown(kLowFlashLimit - size);
    m_minimum = m_hasRange ? RoundDown(leastTop) : 0;
    m_maximum = m_hasRange ? RoundDown(static_cast<std::int64_t>(greatestEnd) - size + 1) : 0;
    if (m_maximum >= m_limit && m_maximum <= kLowSpaceEnd) {
        m_maximum = m_limit;
    }
    char text[64];
    std::snprintf(text, sizeof(text), "(MIN: %05X - MAX: %05X)", static_cast<unsigned>(m_minimum),
                  static_cast<unsigned>(m_maximum));
    SetDlgItemText(res_id::kRangeText, text);
    if (!IsValidAddress(m_address)) {
        m_address = m_minimum;
    }
    std::snprintf(text, sizeof(text), "%X", static_cast<unsigned>(m_address / kPage));
    SetDlgItemText(res_id::kFirmwareAddress, text);
}

void CFirmwareLocationPageVk3::FillBlockList() {
    CComboBox* blocks = static_cast<CComboBox*>(GetDlgItem(res_id::kFirmwareBlock));
    blocks->ResetContent();
    if (FixedBlockDevice()) {
        blocks->AddString("Block A");
        blocks->AddString("Block B");
    } else {
        const DeviceValues& device = g_deviceValues;
        const DeviceArea& dataFlash = g_deviceAreas[kAreaDatf];
        const DWORD size = AreaSize();
        for (DWORD block = 0; block < kFirmwareBlocks && BlockUsed(block); ++block) {
            const DWORD top = device.flashBlockTop[block];
            if (!IsInDataFlash(top)) {
                continue;
            }
            if (dataFlash.end - top + 1 < size) {
                break;  // the firmware no longer fits
            }
            char text[16];
            std::snprintf(text, sizeof(text), "Block %c", 'A' + blocks->GetCount());
            blocks->AddString(text);
        }
    }
    const int count = blocks->GetCount();
    const DWORD firmBlock = g_deviceValues.firmBlockNo;
    if (static_cast<DWORD>(count) <= firmBlock) {
        if (m_block < 0 || m_block >= count) {
            m_block = 0;
        }
        blocks->SetCurSel(m_block);
    } else if (blocks->SetCurSel(static_cast<int>(firmBlock)) < 0) {
        blocks->SetCurSel(0);
    }
    blocks->EnableWindow(count >= 2);
}

void CFirmwareLocationPageVk3::EnableControls(int placement) {
    const DeviceArea& dataFlash = g_deviceAreas[kAreaDatf];
    const bool fixed = g_deviceValues.firmSelect == 0 || m_mode == 1 || g_emuSel == connect_mode::kProgramFlash;
    if (fixed) {
        for (const int id : {res_id::kDataFlashArea, res_id::kUserFlashArea, res_id::kAdvancedSetting}) {
            GetDlgItem(id)->EnableWindow(FALSE);
        }
        for (const int id : kLocationControls) {
            GetDlgItem(id)->ShowWindow(SW_HIDE);
        }
        return;
    }
    for (const int id : {res_id::kDataFlashArea, res_id::kUserFlashArea, res_id::kAdvancedSetting}) {
        GetDlgItem(id)->EnableWindow(TRUE);
    }
    m_placement = placement;
    if (dataFlash.top == dataFlash.end || g_deviceValues.firmDataflashSelect == 0) {
        m_placement = kUserFlash;
        GetDlgItem(res_id::kDataFlashArea)->EnableWindow(FALSE);
    }
    CheckRadioButton(res_id::kDataFlashArea, res_id::kUserFlashArea,
                     m_placement == kDataFlash ? res_id::kDataFlashArea : res_id::kUserFlashArea);
    const bool userFlash = m_placement == kUserFlash;
    const bool blockChoice = !userFlash && static_cast<CComboBox*>(GetDlgItem(res_id::kFirmwareBlock))->GetCount() >= 2;
    GetDlgItem(res_id::kFirmwareBlock)->EnableWindow(blockChoice);
    GetDlgItem(res_id::kBlockCaption)->EnableWindow(blockChoice);
    for (const int id : {res_id::kAddressCaption, res_id::kFirmwareAddress, res_id::kAddressEnd, res_id::kRangeText}) {
        GetDlgItem(id)->EnableWindow(userFlash);
    }
    m_advanced = IsDlgButtonChecked(res_id::kAdvancedSetting) == BST_CHECKED ? 1 : 0;
    for (const int id : kLocationControls) {
        GetDlgItem(id)->ShowWindow(m_advanced != 0 ? SW_SHOW : SW_HIDE);
    }
}

void CFirmwareLocationPageVk3::DoDataExchange(CDataExchange* exchange) {
    DDX_Radio(exchange, res_id::kDataFlashArea, m_placement);
    DDX_Check(exchange, res_id::kAdvancedSetting, m_advanced);
}

void CFirmwareLocationPageVk3::LoadSessionKeys() {
    m_placement = Flag(SessionIniGetInt(kSection, "FWLOCATE", 1));
    m_block = static_cast<int>(SessionIniGetInt(kSection, "FWLOCATE_DATABLOCK", 0));
    char text[32] = "";
    SessionIniGetString(kSection, "FWLOCATE_ADDRESS", "", text, sizeof(text));
    m_address = g_deviceAreas[kAreaAse1].top;
    if (text[0] != '\0') {
        static_cast<void>(ScanValues(text, "%x", &m_address));  // the area's top when it does not scan
    }
    m_advanced = Flag(SessionIniGetInt(kSection, "ENABLE_ADVANCED_SETTING", 0));
}

void CFirmwareLocationPageVk3::ShowValues() {
    CheckRadioButton(res_id::kDataFlashArea, res_id::kUserFlashArea,
                     m_placement == kDataFlash ? res_id::kDataFlashArea : res_id::kUserFlashArea);
    CheckDlgButton(res_id::kAdvancedSetting, m_advanced != 0 ? BST_CHECKED : BST_UNCHECKED);
    char text[16];
    std::snprintf(text, sizeof(text), "%X", static_cast<unsigned>(m_address / kPage));
    SetDlgItemText(res_id::kFirmwareAddress, text);
    OnAddressChanged();
}

BOOL CFirmwareLocationPageVk3::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    m_address = g_deviceAreas[kAreaAse1].top;
    if (g_deviceValues.firmSelect == 1) {
        LoadSessionKeys();
    }
    FillBlockList();
    UpdateRange();
    ShowValues();
    EnableControls(m_placement);
    m_lastDevice = g_deviceValues.deviceName;
    return TRUE;
}

LRESULT CFirmwareLocationPageVk3::OnQuerySiblings(WPARAM, LPARAM) {
    if (g_deviceValues.deviceName != m_lastDevice) {
        m_lastDevice = g_deviceValues.deviceName;
        if (g_deviceValues.firmSelect == 1) {
            m_placement = kUserFlash;
            m_block = 0;
            m_address = g_deviceAreas[kAreaAse1].top;
            m_advanced = 0;
        }
    }
    FillBlockList();
    UpdateRange();
    ShowValues();
    EnableControls(m_placement);
    return 0;  // the other pages hear of the device too
}

void CFirmwareLocationPageVk3::OnDataFlashClicked() {
    EnableControls(kDataFlash);
}

void CFirmwareLocationPageVk3::OnUserFlashClicked() {
    EnableControls(kUserFlash);
}

void CFirmwareLocationPageVk3::OnAdvancedClicked() {
    EnableControls(m_placement);
}

void CFirmwareLocationPageVk3::OnShowWindow(BOOL show, UINT) {
    if (show) {
        EnableControls(m_placement);
    }
}

DWORD CFirmwareLocationPageVk3::TypedAddress() const {
    char text[32] = "";
    GetDlgItemText(res_id::kFirmwareAddress, text, sizeof(text));
    DWORD pages = 0;
    if (ScanValues(text, "%x", &pages) != 1 || pages > 0xFFFFFFFF / kPage) {
        return kUnusedBlock;  // no address: never allowed
    }
    return pages * kPage;
}

void CFirmwareLocationPageVk3::OnAddressChanged() {
    char text[32] = "";
    GetDlgItemText(res_id::kFirmwareAddress, text, sizeof(text));
    DWORD pages = 0;
    static_cast<void>(ScanValues(text, "%x", &pages));  // 0 for a text that is no number
    char end[32];
    std::snprintf(end, sizeof(end), "00 - %05X", static_cast<unsigned>(pages * kPage + AreaSize() - 1));
    SetDlgItemText(res_id::kAddressEnd, end);
}

bool CFirmwareLocationPageVk3::TakeLocation() {
    if (m_mode != 0 || g_deviceValues.firmSelect != 1) {
        return true;
    }
    if (m_placement == kDataFlash) {
        const int chosen = static_cast<CComboBox*>(GetDlgItem(res_id::kFirmwareBlock))->GetCurSel();
        m_block = chosen >= 0 ? chosen : 0;
        return true;
    }
    if (m_advanced == 0) {
        return true;
    }
    // An address in a gap between flash blocks lies inside the range but in
    // no block: the firmware could not be placed there.
    const DWORD address = TypedAddress();
    if (!IsValidAddress(address) || !FindFirmwareBlock(address)) {
        AfxMessageBox(kWrongValue, MB_OK | MB_ICONEXCLAMATION);
        CWnd* edit = GetDlgItem(res_id::kFirmwareAddress);
        edit->SendMessage(EM_SETSEL, 0, -1);
        GotoDlgCtrl(edit);
        return false;
    }
    m_address = address;
    return true;
}

BOOL CFirmwareLocationPageVk3::OnSetActive() {
    CPropertyPage::OnSetActive();
    if (SheetIsWizard(GetParent())) {
        GetParent()->SendMessage(PSM_SETWIZBUTTONS, 0, PSWIZB_BACK | PSWIZB_NEXT);
    }
    return TRUE;
}

BOOL CFirmwareLocationPageVk3::OnKillActive() {
    if (!CPropertyPage::OnKillActive()) {
        return FALSE;
    }
    // While the sheet is being made its pages are turned unseen.
    return !IsWindowVisible() || TakeLocation() ? TRUE : FALSE;
}

BOOL CFirmwareLocationPageVk3::OnWizardFinish() {
    return UpdateData(TRUE) && TakeLocation() ? TRUE : FALSE;
}

void CFirmwareLocationPageVk3::OnOK() {
    SaveLocation();
}

void CFirmwareLocationPageVk3::SaveLocation() {
    const DeviceValues& device = g_deviceValues;
    if (m_mode != 0 || device.firmSelect != 1) {
        return;
    }
    const bool fixed = FixedBlockDevice();
    DWORD address = g_deviceAreas[kAreaAse1].top;
    if (m_placement == kDataFlash) {
        if (m_advanced == 0) {
            m_block = 0;
            address = fixed ? kFixedBlockAddresses[0] : g_deviceAreas[kAreaDatf].top;
        } else if (fixed) {
            address = kFixedBlockAddresses[m_block == 1 ? 1 : 0];
        } else {
            address = device.flashBlockTop[static_cast<std::size_t>(std::clamp(m_block, 0, 21))];
        }
    } else if (m_advanced != 0) {
        address = m_address;
    }
    // A location no block holds is neither applied nor saved, so the next
    // start does not find it.
    if (ApplyForDevice(address) != 0) {
        SaveSettings();
    }
}

void CFirmwareLocationPageVk3::SaveSettings() {
    char text[16];
    SessionIniWriteInt(kSection, "FWLOCATE", m_placement);
    SessionIniWriteInt(kSection, "FWLOCATE_DATABLOCK", m_block);
    std::snprintf(text, sizeof(text), "%06x", static_cast<unsigned>(m_address));
    SessionIniWriteString(kSection, "FWLOCATE_ADDRESS", text);
    SessionIniWriteInt(kSection, "ENABLE_ADVANCED_SETTING", m_advanced);
    std::snprintf(text, sizeof(text), "%06x", static_cast<unsigned>(g_deviceAreas[kAreaAse1].top));
    SessionIniWriteString(kSection, "ASE1TOP", text);
}
