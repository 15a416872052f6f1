#include "startup/firmware_dialogs.h"

#include "res/resource_ids.h"
#include "config/device_data.h"
#include "startup/device_part_lists.h"
#include "startup/dialog_placement.h"
#include "util/scan_values.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr DWORD kUnusedBlock = 0xFFFFFFFF;
constexpr DWORD kFirmwareBlocks = 10;
constexpr DWORD kPage = 0x100;
// Addresses in the top page of the low 64 KiB that the area may not start
// at, and the highest start below them.
constexpr DWORD kReservedFirst = 0xF701;
constexpr DWORD kReservedLast = 0xFFFF;
constexpr DWORD kHighestLowStart = 0xF700;

CComboBox* Combo(CWnd& dialog, int id) {
    return static_cast<CComboBox*>(dialog.GetDlgItem(id));
}

// The first ten flash blocks, up to the first unused one.
template <typename Visit>
void ForEachBlock(Visit visit) {
    const DeviceValues& device = g_deviceValues;
    for (DWORD block = 0; block < kFirmwareBlocks && device.flashBlockTop[block] != kUnusedBlock; ++block) {
        if (!visit(device.flashBlockTop[block], device.flashBlockEnd[block])) {
            return;
        }
    }
}

}  // namespace

CFirmwareAreaDlg::CFirmwareAreaDlg(CWnd* parent) : CDialog(res_id::kFirmwareAreaDialog, parent) {}

BOOL CFirmwareAreaDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterOnHostWindow(*this);
    SetFocus();
    ShowChoices();
    return FALSE;
}

void CFirmwareAreaDlg::ShowChoices() {
    char text[16];
    CComboBox* program = Combo(*this, res_id::kProgramArea);
    program->ResetContent();
    for (const DWORD address : m_programAddress) {
        std::snprintf(text, sizeof(text), "%04X", static_cast<unsigned>(address));
        program->AddString(text);
    }
    program->SetCurSel(m_programIndex);
    CComboBox* workRam = Combo(*this, res_id::kWorkRamArea);
    workRam->ResetContent();
    std::snprintf(text, sizeof(text), "%04X", static_cast<unsigned>(m_workRamAddress));
    workRam->AddString(text);
    workRam->SetCurSel(m_workRamIndex);
    const bool keepFlash = g_emuSel == connect_mode::kKeepFlashAndConnect;
    program->EnableWindow(!keepFlash);
    workRam->EnableWindow(!keepFlash);
}

void CFirmwareAreaDlg::TakeSelections() {
    m_programIndex = Combo(*this, res_id::kProgramArea)->GetCurSel();
    m_workRamIndex = Combo(*this, res_id::kWorkRamArea)->GetCurSel();
}

void CFirmwareAreaDlg::OnOK() {
    TakeSelections();
    EndDialog(IDOK);
}

void CFirmwareAreaDlg::OnCancel() {
    // The choice is the caller's to make: Cancel keeps what is chosen and the
    // dialog open.
    TakeSelections();
    ShowChoices();
}

BEGIN_MESSAGE_MAP(CFirmwareBlockDlg, CDialog)
    ON_BN_CLICKED(res_id::kDataFlashArea, OnAreaClicked)
    ON_BN_CLICKED(res_id::kUserFlashArea, OnAreaClicked)
    ON_BN_CLICKED(res_id::kAdvancedSetting, OnAdvancedClicked)
    ON_EN_CHANGE(res_id::kFirmwareAddress, OnAddressChanged)
END_MESSAGE_MAP()

CFirmwareBlockDlg::CFirmwareBlockDlg(CWnd* parent) : CDialog(res_id::kFirmwareBlockDialog, parent) {}

void CFirmwareBlockDlg::DoDataExchange(CDataExchange* exchange) {
    DDX_Radio(exchange, res_id::kDataFlashArea, m_area);
    DDX_Check(exchange, res_id::kAdvancedSetting, m_advanced);
}

bool CFirmwareBlockDlg::IsAllowed(DWORD address) const {
    return m_minimum <= address && address <= m_maximum && (address < kReservedFirst || address > kReservedLast);
}

BOOL CFirmwareBlockDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    FillBlockList();
    ComputeRange();
    ApplyAreaRule();
    UpdateData(FALSE);
    SetDlgItemText(res_id::kRangeText, m_rangeText.c_str());
    SetDlgItemText(res_id::kFirmwareAddress, m_addressText.c_str());
    OnAddressChanged();
    return TRUE;
}

void CFirmwareBlockDlg::FillBlockList() {
    CComboBox* blocks = Combo(*this, res_id::kFirmwareBlock);
    blocks->ResetContent();
    if (IsListedDevice(kFixedBlockDevices, g_deviceValues.deviceName)) {
        blocks->AddString("Block A");
        blocks->AddString("Block B");
    } else {
        const DeviceArea& dataFlash = g_deviceAreas[kAreaDatf];
        ForEachBlock([&](DWORD top, DWORD) {
            if (!dataFlash.Contains(top)) {
                return true;
            }
            if (dataFlash.end - top + 1 < kAreaSize) {
                return false;
            }
            char text[16];
            std::snprintf(text, sizeof(text), "Block %c", 'A' + blocks->GetCount());
            blocks->AddString(text);
            return true;
        });
    }
    const int count = blocks->GetCount();
    if (static_cast<DWORD>(count) <= g_deviceValues.firmBlockNo) {
        if (m_dataBlock >= count) {
            m_dataBlock = 0;
        }
        blocks->SetCurSel(m_dataBlock);
    } else {
        blocks->SetCurSel(static_cast<int>(g_deviceValues.firmBlockNo));
    }
    blocks->EnableWindow(count >= 2);
}

void CFirmwareBlockDlg::ComputeRange() {
    const DeviceArea& dataFlash = g_deviceAreas[kAreaDatf];
    bool any = false;
    DWORD lowest = kUnusedBlock;
    DWORD highest = 0;
    ForEachBlock([&](DWORD top, DWORD end) {
        if (!dataFlash.Contains(top)) {
            lowest = std::min(lowest, top);
            highest = std::max(highest, end);
            any = true;
        }
        return true;
    });
    // Without a user-flash block no address is allowed.
    m_minimum = any ? lowest & ~(kPage - 1) : 1;
    m_maximum = any && highest >= kAreaSize - 1 ? (highest - (kAreaSize - 1)) & ~(kPage - 1) : 0;
    if (m_maximum >= kHighestLowStart && m_maximum <= kReservedLast) {
        m_maximum = kHighestLowStart;
    }
    char text[64];
    std::snprintf(text, sizeof(text), "(MIN: %05X - MAX: %05X)", static_cast<unsigned>(any ? m_minimum : 0),
                  static_cast<unsigned>(m_maximum));
    m_rangeText = text;
    if (!IsAllowed(m_address)) {
        m_address = m_minimum;
    }
    std::snprintf(text, sizeof(text), "%X", static_cast<unsigned>(m_address >> 8));
    m_addressText = text;
}

void CFirmwareBlockDlg::ApplyAreaRule() {
    const DeviceArea& dataFlash = g_deviceAreas[kAreaDatf];
    const bool noDataFlash = dataFlash.top == dataFlash.end;
    if (noDataFlash) {
        m_area = 1;
        CheckRadioButton(res_id::kDataFlashArea, res_id::kUserFlashArea, res_id::kUserFlashArea);
    }
    GetDlgItem(res_id::kDataFlashArea)->EnableWindow(!noDataFlash);
    GetDlgItem(res_id::kUserFlashArea)->EnableWindow(!noDataFlash);
    const bool userFlash = m_area == 1;
    const bool blockChoice = !userFlash && Combo(*this, res_id::kFirmwareBlock)->GetCount() >= 2;
    GetDlgItem(res_id::kFirmwareBlock)->EnableWindow(blockChoice);
    GetDlgItem(res_id::kBlockCaption)->EnableWindow(blockChoice);
    for (const int id : {res_id::kAddressCaption, res_id::kFirmwareAddress, res_id::kAddressEnd, res_id::kRangeText}) {
        GetDlgItem(id)->EnableWindow(userFlash);
    }
    for (const int id : {res_id::kBlockCaption, res_id::kFirmwareBlock, res_id::kAddressCaption,
                         res_id::kFirmwareAddress, res_id::kAddressEnd, res_id::kRangeText}) {
        GetDlgItem(id)->ShowWindow(m_advanced != 0 ? SW_SHOW : SW_HIDE);
    }
}

void CFirmwareBlockDlg::OnAreaClicked() {
    m_area = IsDlgButtonChecked(res_id::kUserFlashArea) == BST_CHECKED ? 1 : 0;
    ApplyAreaRule();
}

void CFirmwareBlockDlg::OnAdvancedClicked() {
    m_area = IsDlgButtonChecked(res_id::kUserFlashArea) == BST_CHECKED ? 1 : 0;
    m_advanced = IsDlgButtonChecked(res_id::kAdvancedSetting) == BST_CHECKED ? 1 : 0;
    ApplyAreaRule();
}

void CFirmwareBlockDlg::OnAddressChanged() {
    char text[32] = "";
    GetDlgItemText(res_id::kFirmwareAddress, text, sizeof(text));
    DWORD pages = 0;
    static_cast<void>(ScanValues(text, "%x", &pages));  // 0 for a text that is no number
    char end[32];
    std::snprintf(end, sizeof(end), "00 - %05X", static_cast<unsigned>(pages * kPage + kAreaSize - 1));
    SetDlgItemText(res_id::kAddressEnd, end);
}

void CFirmwareBlockDlg::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    if (m_area == 0) {
        const int chosen = Combo(*this, res_id::kFirmwareBlock)->GetCurSel();
        m_dataBlock = chosen >= 0 ? chosen : 0;
    } else if (m_advanced != 0) {
        char text[32] = "";
        GetDlgItemText(res_id::kFirmwareAddress, text, sizeof(text));
        DWORD pages = 0;
        const bool number = ScanValues(text, "%x", &pages) == 1 && pages <= 0xFFFFFFFF / kPage;
        if (!number || !IsAllowed(pages * kPage)) {
            AfxMessageBox("The value is wrong.\nSet it again.");
            CWnd* edit = GetDlgItem(res_id::kFirmwareAddress);
            edit->SendMessage(EM_SETSEL, 0, -1);
            GotoDlgCtrl(edit);
            return;
        }
        m_address = pages * kPage;
        m_addressText = text;
    }
    EndDialog(IDOK);
}

void CFirmwareBlockDlg::OnCancel() {
    // Only OK ends it: the download needs a location.
}
