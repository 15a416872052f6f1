#include "breaks/set_break_type_page.h"

#include "breaks/break_services.h"
#include "res/resource_ids.h"
#include "util/dlg_with_help.h"

#include <span>

namespace {

using namespace res_id;

// The groups of controls a kind shows, by their bits.
constexpr DWORD kAddressBit = 0x80000000u;
constexpr DWORD kRangeBit = 0x40000000u;
constexpr DWORD kSequenceBit = 0x20000000u;
constexpr DWORD kRegisterBit = 0x10000000u;
constexpr DWORD kCycleBit = 0x8000000u;
constexpr DWORD kCfgNumberBit = 0x4000000u;
constexpr DWORD kCfgRangeBit = 0x2000000u;
constexpr DWORD kCountBit = 0x1000000u;
constexpr DWORD kCountGroupBit = 0x800000u;
constexpr DWORD kDataBit = 0x400000u;
constexpr DWORD kSizeBit = 0x200000u;
constexpr DWORD kAccessTypeBit = 0x100000u;
constexpr DWORD kCompareBit = 0x80000u;

constexpr int kAddressIds[] = {kBrkAddressLabel, kBrkAddress};
constexpr int kRangeIds[] = {kBrkStartLabel, kBrkStart, kBrkEndLabel, kBrkEnd};
constexpr int kSequenceIds[] = {kBrkSequenceLabel[0], kBrkSequence[0], kBrkSequenceLabel[1], kBrkSequence[1],
                                kBrkSequenceLabel[2], kBrkSequence[2], kBrkSequenceLabel[3], kBrkSequence[3],
                                kBrkSequenceLabel[4], kBrkSequence[4], kBrkSequenceLabel[5], kBrkSequence[5],
                                kBrkSequenceLabel[6], kBrkSequence[6], kBrkSequenceLabel[7], kBrkSequence[7]};
constexpr int kRegisterIds[] = {kBrkRegisterLabel, kBrkRegister};
constexpr int kCycleIds[] = {kBrkCycleLabel, kBrkCycle};
constexpr int kCfgNumberIds[] = {kBrkCfgNumberLabel, kBrkCfgNumber};
constexpr int kCfgRangeIds[] = {kBrkCfgStartLabel, kBrkCfgStart, kBrkCfgEndLabel, kBrkCfgEnd};
constexpr int kCountIds[] = {kBrkCountLabel, kBrkCount};
constexpr int kCountGroupIds[] = {kBrkCountGroup, kBrkAll, kBrkTimes, kBrkTimesText};
constexpr int kDataIds[] = {kBrkDataLabel, kBrkData};
constexpr int kSizeIds[] = {kBrkSizeLabel, kBrkSize};
constexpr int kAccessTypeIds[] = {kBrkAccessTypeLabel, kBrkAccessType};
constexpr int kCompareIds[] = {kBrkOptionGroup, kBrkEqual, kBrkNotEqual};

struct FieldGroup {
    DWORD bit;
    std::span<const int> ids;
};

// In bit order, the order they are shown in.
constexpr FieldGroup kGroups[] = {
    {kAddressBit, kAddressIds},       {kRangeBit, kRangeIds},         {kSequenceBit, kSequenceIds},
    {kRegisterBit, kRegisterIds},     {kCycleBit, kCycleIds},         {kCfgNumberBit, kCfgNumberIds},
    {kCfgRangeBit, kCfgRangeIds},     {kCountBit, kCountIds},         {kCountGroupBit, kCountGroupIds},
    {kDataBit, kDataIds},             {kSizeBit, kSizeIds},           {kAccessTypeBit, kAccessTypeIds},
    {kCompareBit, kCompareIds},
};

struct KindEntry {
    const char* text;
    DWORD groups;
};

constexpr KindEntry kKindEntries[kBreakKindCount] = {
    {"PC Breakpoint", kAddressBit | kCountBit},
    {"Break Access", kRangeBit | kAccessTypeBit},
    {"Break Data", kAddressBit | kDataBit | kSizeBit | kCompareBit},
    {"Break Register", kRegisterBit | kDataBit | kSizeBit | kCompareBit},
    {"Break Sequence", kSequenceBit},
    {"Break Cycle", kCycleBit | kCountGroupBit},
    {"Break CFG Access", kCfgRangeBit | kAccessTypeBit},
    {"Break CFG Data", kCfgNumberBit | kDataBit | kSizeBit | kCompareBit},
};

constexpr const char* kAccessTypes[] = {"Read", "Write", "Read/Write"};

constexpr WORD KindNumber(BreakKind kind) {
    return static_cast<WORD>(kind);
}

}  // namespace

bool IsQuadWordCpu(DWORD cpuTypeCode) {
    return cpuTypeCode == 50 || cpuTypeCode == 51;
}

bool IsByteFirstCpu(DWORD cpuTypeCode) {
    for (const DWORD first : {100u, 150u, 200u}) {
        if (cpuTypeCode >= first && cpuTypeCode <= first + 2) {
            return true;
        }
    }
    return false;
}

IMPLEMENT_DYNAMIC(CSetBrk1, CPropertyPage)

BEGIN_MESSAGE_MAP(CSetBrk1, CPropertyPage)
    ON_CBN_SELCHANGE(kBreakTypeList, OnSelChangeBreakType)
    ON_EN_CHANGE(kBrkSequence[0], UpdateSequenceFields)
    ON_EN_CHANGE(kBrkSequence[1], OnChangeAddress2)
    ON_EN_CHANGE(kBrkSequence[2], OnChangeAddress3)
    ON_EN_CHANGE(kBrkSequence[3], OnChangeAddress4)
    ON_EN_CHANGE(kBrkSequence[4], OnChangeAddress5)
    ON_EN_CHANGE(kBrkSequence[5], OnChangeAddress6)
    ON_EN_CHANGE(kBrkSequence[6], OnChangeAddress7)
    ON_BN_CLICKED(kBrkAll, OnClickedAll)
    ON_BN_CLICKED(kBrkTimes, OnClickedTimes)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CSetBrk1::CSetBrk1() : CPropertyPage(kTemplateId) {}

void CSetBrk1::DoDataExchange(CDataExchange* exchange) {
    CPropertyPage::DoDataExchange(exchange);
    DDX_CBIndex(exchange, kBreakTypeList, breakTypeChoice);
    DDX_Text(exchange, kBrkAddress, addressText);
    DDX_Text(exchange, kBrkStart, startText);
    DDX_Text(exchange, kBrkEnd, endText);
    DDX_Text(exchange, kBrkCfgNumber, cfgNumberText);
    DDX_Text(exchange, kBrkCfgStart, cfgStartText);
    DDX_Text(exchange, kBrkCfgEnd, cfgEndText);
    DDX_CBIndex(exchange, kBrkRegister, registerChoice);
    DDX_Text(exchange, kBrkCycle, cycleText);
    DDX_Text(exchange, kBrkCount, countText);
    DDX_Radio(exchange, kBrkAll, countChoice);
    DDX_Text(exchange, kBrkTimesText, timesText);
    DDX_CBIndex(exchange, kBrkSize, sizeChoice);
    DDX_Text(exchange, kBrkData, dataText);
    DDX_CBIndex(exchange, kBrkAccessType, accessTypeChoice);
    DDX_Radio(exchange, kBrkEqual, compareChoice);
    for (std::size_t index = 0; index < sequenceTexts.size(); ++index) {
        DDX_Text(exchange, kBrkSequence[index], sequenceTexts[index]);
    }
}

BOOL CSetBrk1::OnInitDialog() {
    // The template carries no list data: the access types go in before the
    // fields are loaded into the list.
    auto* accessTypes = static_cast<CComboBox*>(GetDlgItem(kBrkAccessType));
    for (const char* text : kAccessTypes) {
        accessTypes->AddString(text);
    }
    CPropertyPage::OnInitDialog();
    auto* kinds = static_cast<CComboBox*>(GetDlgItem(kBreakTypeList));
    for (std::size_t kind = 0; kind < kBreakKindCount; ++kind) {
        if (kindOffered[kind] != 0) {
            kinds->AddString(kKindEntries[kind].text);
        }
    }
    kinds->SetCurSel(0);
    auto* registers = static_cast<CComboBox*>(GetDlgItem(kBrkRegister));
    registers->SelectString(-1, registerName);
    registers->SetWindowText(registerName);
    OnSelChangeBreakType();
    return TRUE;
}

void CSetBrk1::GetSelectedKind() {
    breakKind = 0;
    int remaining = Selection(kBreakTypeList);
    for (std::size_t kind = 0; remaining >= 0 && kind < kBreakKindCount; ++kind) {
        if (kindOffered[kind] != 0 && remaining-- == 0) {
            breakKind = static_cast<WORD>(kind);
        }
    }
}

void CSetBrk1::OnSelChangeBreakType() {
    GetSelectedKind();
    RebuildSizeList();
    const DWORD groups = kKindEntries[breakKind].groups;
    for (const FieldGroup& group : kGroups) {
        const bool shown = (groups & group.bit) != 0;
        if (group.bit == kCountBit) {
            // The count field is never shown; its text is checked all the same.
            if (!shown) {
                ShowGroup(group.bit, false);
            }
            continue;
        }
        ShowGroup(group.bit, shown);
        if (!shown) {
            continue;
        }
        if (group.bit == kSequenceBit) {
            UpdateSequenceFields();
        } else if (group.bit == kRegisterBit && FieldText(kBrkRegister).IsEmpty()) {
            static_cast<CComboBox*>(GetDlgItem(kBrkSize))->SetCurSel(-1);
        } else if (group.bit == kCountGroupBit) {
            const bool all = IsChecked(kBrkAll);
            CheckDlgButton(kBrkTimes, all ? BST_UNCHECKED : BST_CHECKED);
            GetDlgItem(kBrkTimesText)->EnableWindow(all ? FALSE : TRUE);
        } else if (group.bit == kCompareBit) {
            CheckDlgButton(kBrkNotEqual, IsChecked(kBrkEqual) ? BST_UNCHECKED : BST_CHECKED);
        }
    }
}

void CSetBrk1::RebuildSizeList() {
    const DWORD cpuType = BreakServices().GetCpuTypeCode();
    const bool data = breakKind == KindNumber(BreakKind::Data);
    const bool cfgData = breakKind == KindNumber(BreakKind::CfgData);
    const bool registerKind = breakKind == KindNumber(BreakKind::Register);
    auto* sizes = static_cast<CComboBox*>(GetDlgItem(kBrkSize));
    sizes->ResetContent();
    for (const char* text : {"Byte", "Word", "Long word"}) {
        sizes->AddString(text);
    }
    if ((data || cfgData) && IsQuadWordCpu(cpuType)) {
        sizes->AddString("Quad word");
    }
    if (data || registerKind) {
        sizes->AddString("Single float");
        sizes->AddString("Double float");
    }
    if (registerKind && IsByteFirstCpu(cpuType)) {
        sizes->DeleteString(4);
    }
    sizes->SetCurSel(sizeChoice);
}

void CSetBrk1::ShowGroup(DWORD bit, bool shown) {
    for (const FieldGroup& group : kGroups) {
        if (group.bit != bit) {
            continue;
        }
        for (const int id : group.ids) {
            CWnd* control = GetDlgItem(id);
            control->ShowWindow(shown ? SW_SHOW : SW_HIDE);
            control->EnableWindow(shown ? TRUE : FALSE);
        }
    }
}

void CSetBrk1::UpdateSequenceFrom(int changed) {
    bool filled = true;
    for (int address = 1; address <= CTBreakSequenceContents::kMaxSteps; ++address) {
        if (address > changed) {
            GetDlgItem(kBrkSequence[address - 1])->EnableWindow(filled ? TRUE : FALSE);
        }
        filled = filled && !FieldText(kBrkSequence[address - 1]).IsEmpty();
    }
}

void CSetBrk1::UpdateSequenceFields() {
    UpdateSequenceFrom(1);
}
void CSetBrk1::OnChangeAddress2() {
    UpdateSequenceFrom(2);
}
void CSetBrk1::OnChangeAddress3() {
    UpdateSequenceFrom(3);
}
void CSetBrk1::OnChangeAddress4() {
    UpdateSequenceFrom(4);
}
void CSetBrk1::OnChangeAddress5() {
    UpdateSequenceFrom(5);
}
void CSetBrk1::OnChangeAddress6() {
    UpdateSequenceFrom(6);
}
void CSetBrk1::OnChangeAddress7() {
    UpdateSequenceFrom(7);
}

void CSetBrk1::OnClickedAll() {
    GetDlgItem(kBrkTimesText)->EnableWindow(FALSE);
}

void CSetBrk1::OnClickedTimes() {
    GetDlgItem(kBrkTimesText)->EnableWindow(TRUE);
}

BOOL CSetBrk1::OnHelpInfo(HELPINFO* help) {
    return ShowControlHelp(*this, helpBase, help);
}

CString CSetBrk1::FieldText(int id) const {
    CString text;
    GetDlgItemText(id, text);
    return text.Left(1024);
}

BOOL CSetBrk1::Refuse(int id) {
    MessageBeep(0);
    GotoDlgCtrl(GetDlgItem(id));
    return FALSE;
}

bool CSetBrk1::IsChecked(int id) const {
    return IsDlgButtonChecked(id) == BST_CHECKED;
}

int CSetBrk1::Selection(int id) const {
    return static_cast<const CComboBox*>(GetDlgItem(id))->GetCurSel();
}
