#include "events/event_setting_dialog.h"

#include "res/resource_ids.h"

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <utility>

namespace {

using namespace res_id;

using Items = std::initializer_list<std::pair<const char*, LONG>>;

constexpr Items kAccessSizes = {{"Not specify", 0}, {"BYTE", 1}, {"WORD", 2}};
constexpr Items kAccessTypes = {{"R/W", 0}, {"READ", 1}, {"WRITE", 2}};
constexpr Items kBreaks = {{"None", 0}, {"Event A", 4}, {"Event A or B", 5}, {"Event A and B", 6}, {"Event B -> A", 7}};
constexpr Items kStarts = {{"Go", 0}, {"Event A", 4}, {"Event A or B", 5}, {"Event A and B", 6}, {"Event B -> A", 7}};
constexpr Items kStops = {{"Break", 0},         {"Trace FULL", 2},    {"Event A", 4},
                          {"Event A or B", 5}, {"Event A and B", 6}, {"Event B -> A", 7}};
constexpr Items kTraceTypes = {{"Branch Trace", 0}, {"Data Trace", 2}};
constexpr Items kPickUps = {{"Event A", 0}, {"Event A or B", 1}};
constexpr short kMostMaskBits = 15;

constexpr EventSettingFields kFields{kEvAddressA, kEvAddressB, kEvDataA, kEvDataMaskA, kEvAccessSizeA};

CString NameText(const CEventDescriptor& event) {
    return CString(std::string(event.name.data()).c_str());
}

}  // namespace

CEventSettingDialog::CEventSettingDialog(CWnd* parent, IHostServiceProvider* host, const CEventDescriptor& a,
                                         const CEventDescriptor& b, const EventBreakAndTrace& settings)
    : CDialog(kEventSettingDialog, parent),
      m_host(host),
      m_addressComboA(host),
      m_addressComboB(host),
      m_labelButtonA(host, &m_addressComboA),
      m_labelButtonB(host, &m_addressComboB),
      m_eventA(a),
      m_eventB(b),
      m_settings(settings),
      m_addressTextA(NameText(a)),
      m_addressTextB(NameText(b)),
      m_breakAtFull(settings.breakAtFull) {}

BEGIN_MESSAGE_MAP(CEventSettingDialog, CDialog)
    ON_CBN_SELENDOK(kEvTraceType, OnTraceTypeChanged)
    ON_CBN_EDITCHANGE(kEvAddressA, OnAddressAChanged)
    ON_CBN_KILLFOCUS(kEvAddressA, OnAddressAChanged)
    ON_CBN_SELENDOK(kEvAddressA, OnAddressASelected)
    ON_EN_CHANGE(kEvMaskBitsA, OnAddressAChanged)
    ON_CBN_EDITCHANGE(kEvAddressB, OnAddressBChanged)
    ON_CBN_KILLFOCUS(kEvAddressB, OnAddressBChanged)
    ON_CBN_SELENDOK(kEvAddressB, OnAddressBSelected)
    ON_EN_CHANGE(kEvMaskBitsB, OnAddressBChanged)
END_MESSAGE_MAP()

void CEventSettingDialog::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_CBString(exchange, kEvAddressA, m_addressTextA);
    DDX_CBString(exchange, kEvAddressB, m_addressTextB);
    DDX_Text(exchange, kEvDataA, m_dataTextA);
    DDX_Text(exchange, kEvDataMaskA, m_maskTextA);
    DDX_Check(exchange, kEvBreakAtFull, m_breakAtFull);
}

BOOL CEventSettingDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_addressComboA.SubclassDlgItem(kEvAddressA, this);
    m_addressComboB.SubclassDlgItem(kEvAddressB, this);
    m_labelButtonA.SubclassDlgItem(kEvLabelA, this);
    m_labelButtonB.SubclassDlgItem(kEvLabelB, this);
    m_range = ReadEditorAddressRange(m_host);
    if (m_addressTextA.IsEmpty()) {
        m_addressTextA = m_range.Format(m_eventA.address).c_str();
    }
    if (m_addressTextB.IsEmpty()) {
        m_addressTextB = m_range.Format(m_eventB.address).c_str();
    }
    std::string data;
    std::string mask;
    FormatEventData(m_eventA, data, mask);
    m_dataTextA = data.c_str();
    m_maskTextA = mask.c_str();

    const std::initializer_list<std::pair<int, Items>> combos = {
        {kEvAccessSizeA, kAccessSizes}, {kEvAccessSizeB, kAccessSizes}, {kEvAccessTypeA, kAccessTypes},
        {kEvAccessTypeB, kAccessTypes}, {kEvBreak, kBreaks},            {kEvTraceType, kTraceTypes},
        {kEvTraceStart, kStarts},       {kEvTraceStop, kStops},         {kEvPickUp, kPickUps}};
    for (const auto& [id, items] : combos) {
        if (auto* combo = static_cast<CComboBox*>(GetDlgItem(id))) {
            for (const auto& [text, value] : items) {
                combo->SetItemData(combo->AddString(text), static_cast<DWORD_PTR>(value));
            }
        }
    }
    SelectData(kEvAccessSizeA, m_eventA.accessSize);
    SelectData(kEvAccessSizeB, m_eventB.accessSize);
    SelectData(kEvAccessTypeA, m_eventA.accessType);
    SelectData(kEvAccessTypeB, m_eventB.accessType);
    SelectData(kEvBreak, m_settings.combination);
    SelectData(kEvTraceType, m_settings.traceType);
    SelectData(kEvTraceStart, m_settings.traceStart);
    SelectData(kEvTraceStop, m_settings.traceStop);
    SelectData(kEvPickUp, m_settings.pickUp);
    for (const auto& [spin, bits] : {std::pair{kEvSpinA, m_eventA.maskBits}, std::pair{kEvSpinB, m_eventB.maskBits}}) {
        if (auto* control = static_cast<CSpinButtonCtrl*>(GetDlgItem(spin))) {
            control->SetRange(0, kMostMaskBits);
        }
        SetDlgItemText(spin == kEvSpinA ? kEvMaskBitsA : kEvMaskBitsB, std::to_string(bits).c_str());
    }
    UpdateData(FALSE);
    m_addressComboA.FillFromMru(FALSE);
    m_addressComboB.FillFromMru(FALSE);
    OnTraceTypeChanged();
    UpdateRangeText(Event::A);
    UpdateRangeText(Event::B);
    return TRUE;
}

LONG CEventSettingDialog::SelectedData(int id) const {
    const auto* combo = static_cast<const CComboBox*>(GetDlgItem(id));
    const int index = combo != nullptr ? combo->GetCurSel() : CB_ERR;
    return index == CB_ERR ? 0 : static_cast<LONG>(combo->GetItemData(index));
}

void CEventSettingDialog::SelectData(int id, LONG data) {
    auto* combo = static_cast<CComboBox*>(GetDlgItem(id));
    if (combo == nullptr) {
        return;
    }
    for (int index = 0; index < combo->GetCount(); ++index) {
        if (static_cast<LONG>(combo->GetItemData(index)) == data) {
            combo->SetCurSel(index);
            return;
        }
    }
}

LONG CEventSettingDialog::MaskBits(int id) const {
    CString text;
    GetDlgItemText(id, text);
    // A text that is not a number counts as 0, as the spin shows it.
    return static_cast<LONG>(std::strtol(static_cast<LPCSTR>(text), nullptr, 10));
}

void CEventSettingDialog::OnTraceTypeChanged() {
    if (CWnd* pickUp = GetDlgItem(kEvPickUp)) {
        pickUp->EnableWindow(SelectedData(kEvTraceType) != 0 ? TRUE : FALSE);
    }
}

void CEventSettingDialog::OnAddressAChanged() {
    UpdateRangeText(Event::A);
}

void CEventSettingDialog::OnAddressBChanged() {
    UpdateRangeText(Event::B);
}

void CEventSettingDialog::OnAddressASelected() {
    UpdateRangeText(Event::A, true);
}

void CEventSettingDialog::OnAddressBSelected() {
    UpdateRangeText(Event::B, true);
}

void CEventSettingDialog::UpdateRangeText(Event event, bool selection) {
    const bool a = event == Event::A;
    const CUiSelComboBox& combo = a ? m_addressComboA : m_addressComboB;
    CString text;
    // While a selection is being confirmed the edit does not show it yet.
    const int selected = selection ? combo.GetCurSel() : CB_ERR;
    if (selected != CB_ERR) {
        combo.GetLBText(selected, text);
    } else {
        GetDlgItemText(a ? kEvAddressA : kEvAddressB, text);
    }
    const LONG bits = MaskBits(a ? kEvMaskBitsA : kEvMaskBitsB);
    const std::string range =
        FormatRangeText(static_cast<LPCSTR>(text), bits, HostExpressionEvaluator(m_host), m_range);
    SetDlgItemText(a ? kEvRangeA : kEvRangeB, range.c_str());
}

void CEventSettingDialog::FocusInvalidField(int id) {
    CWnd* control = GetDlgItem(id);
    if (control == nullptr) {
        return;
    }
    GotoDlgCtrl(control);
    // A combo box's edit is selected the combo box's way.
    control->SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

void CEventSettingDialog::OnOK() {
    if (UpdateData(TRUE) == 0) {
        return;
    }
    EventSettingEntries entries;
    entries.addressA = static_cast<LPCSTR>(m_addressTextA);
    entries.addressB = static_cast<LPCSTR>(m_addressTextB);
    entries.dataA = static_cast<LPCSTR>(m_dataTextA);
    entries.maskA = static_cast<LPCSTR>(m_maskTextA);
    entries.maskBitsA = MaskBits(kEvMaskBitsA);
    entries.maskBitsB = MaskBits(kEvMaskBitsB);
    entries.accessSizeA = SelectedData(kEvAccessSizeA);
    entries.accessSizeB = SelectedData(kEvAccessSizeB);
    entries.accessTypeA = SelectedData(kEvAccessTypeA);
    entries.accessTypeB = SelectedData(kEvAccessTypeB);
    const int refused =
        ReadEventSettingEntries(entries, HostExpressionEvaluator(m_host), m_range, kFields, m_eventA, m_eventB);
    if (refused != 0) {
        FocusInvalidField(refused);
        return;
    }
    m_settings.combination = SelectedData(kEvBreak);
    m_settings.traceType = SelectedData(kEvTraceType);
    m_settings.traceStart = SelectedData(kEvTraceStart);
    m_settings.traceStop = SelectedData(kEvTraceStop);
    m_settings.pickUp = SelectedData(kEvPickUp);
    m_settings.breakAtFull = m_breakAtFull;
    m_addressComboA.AddToMru();
    m_addressComboB.AddToMru();
    CDialog::OnOK();
}
