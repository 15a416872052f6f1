#include "events/break_condition_page.h"

#include "res/resource_ids.h"

#include <cstdio>
#include <initializer_list>

namespace {

using namespace res_id;

constexpr std::initializer_list<int> kPageControls = {
    kBcAddressKind, kBcProgramFetched, kBcAddress, kBcMaskList, kBcAddressLabel, kBcMaskLabel, kBcDataDontCare,
    kBcValue,       kBcValueLabel,     kBcDataSize, kBcDataHigh, kBcDataWord,    kBcDirection, kBcDirectionRead,
    kBcDirectionWrite};

}  // namespace

CBreakConditionPage::CBreakConditionPage(IHostServiceProvider* host, int addressGiven, DWORD address,
                                         int /*enabled*/)
    : CPropertyPage(kSetBcAddressPage),
      m_addressDontCare(addressGiven != 0 ? 0 : 1),
      m_address(addressGiven != 0 ? address : 0),
      m_host(host) {}

BEGIN_MESSAGE_MAP(CBreakConditionPage, CPropertyPage)
    ON_BN_CLICKED(kBcAddressDontCare, OnDontCareClicked)
END_MESSAGE_MAP()

int CBreakConditionPage::GetAddress(DWORD* address) const {
    if (m_addressDontCare != 0) {
        return 0;
    }
    *address = m_address;
    return 1;
}

void CBreakConditionPage::DoDataExchange(CDataExchange* exchange) {
    CPropertyPage::DoDataExchange(exchange);
    DDX_Check(exchange, kBcAddressDontCare, m_addressDontCare);
    DDX_Radio(exchange, kBcAddressKind, m_addressKind);
    DDX_Text(exchange, kBcAddress, m_addressText);
    DDX_CBIndex(exchange, kBcMaskList, m_mask);
    DDX_Check(exchange, kBcDataDontCare, m_dataDontCare);
    DDX_Text(exchange, kBcValue, m_dataValueText);
    DDX_Radio(exchange, kBcDataSize, m_dataSize);
    DDX_Radio(exchange, kBcDirection, m_direction);
}

BOOL CBreakConditionPage::OnInitDialog() {
    m_range = ReadEditorAddressRange(m_host);
    if (m_addressText.IsEmpty()) {
        m_addressText = m_range.Format(m_address).c_str();
    }
    if (m_dataValueText.IsEmpty()) {
        char text[16];
        std::snprintf(text, sizeof(text), "%04X", static_cast<unsigned>(m_dataValue));
        m_dataValueText = text;
    }
    if (auto* masks = static_cast<CComboBox*>(GetDlgItem(kBcMaskList))) {
        for (const char* item : {"Non user mask", "Lower 4bit", "Lower 8bit", "Lower 12bit"}) {
            masks->AddString(item);
        }
    }
    CPropertyPage::OnInitDialog();
    for (const int id : kPageControls) {
        if (CWnd* control = GetDlgItem(id)) {
            control->EnableWindow(FALSE);
        }
    }
    OnDontCareClicked();
    return TRUE;
}

void CBreakConditionPage::OnDontCareClicked() {
    const BOOL address = IsDlgButtonChecked(kBcAddressDontCare) == 0 ? TRUE : FALSE;
    for (const int id : {kBcProgramFetched, kBcAddress}) {
        if (CWnd* control = GetDlgItem(id)) {
            control->EnableWindow(address);
        }
    }
}

void CBreakConditionPage::FocusInvalidField(int id) {
    if (CWnd* control = GetDlgItem(id)) {
        control->SetFocus();
        control->SendMessage(EM_SETSEL, 0, -1);
    }
}

BOOL CBreakConditionPage::OnKillActive() {
    if (UpdateData(TRUE) == 0) {
        return FALSE;
    }
    IHExpressionEvaluator* evaluator = HostExpressionEvaluator(m_host);
    // Without the host's evaluator the page keeps the address it had.
    if (m_addressDontCare == 0 && evaluator != nullptr) {
        const std::optional<DWORD> address =
            EvaluateEditorAddress(evaluator, static_cast<LPCSTR>(m_addressText), m_range);
        if (!address) {
            FocusInvalidField(kBcAddress);
            return FALSE;
        }
        m_address = *address;
    }
    return CPropertyPage::OnKillActive();
}
