#include "startup/start_stop_dialog.h"

#include "res/resource_ids.h"
#include "startup/start_stop_functions.h"
#include "target/target_vk3.h"
#include "frame/number_text.h"
#include "frame/number_text_exchange.h"

namespace {

constexpr WORD kSymbolRadix = 16;

}  // namespace

CStartStopFunctionDialog::CStartStopFunctionDialog(CWnd* parent) : CDialog(res_id::kStartStopDialog, parent) {
    if (IHostServiceProvider* host = GetTarget()->GetHost()) {
        m_startCombo.SetHost(host);
        m_stopCombo.SetHost(host);
        m_startButton.SetHost(host);
        m_stopButton.SetHost(host);
        m_startButton.SetBuddyEdit(&m_startCombo);
        m_stopButton.SetBuddyEdit(&m_stopCombo);
    }
}

BEGIN_MESSAGE_MAP(CStartStopFunctionDialog, CDialog)
    ON_BN_CLICKED(res_id::kStartFuncEnable, OnStartClicked)
    ON_BN_CLICKED(res_id::kStopFuncEnable, OnStopClicked)
END_MESSAGE_MAP()

void CStartStopFunctionDialog::DoDataExchange(CDataExchange* exchange) {
    DDX_Check(exchange, res_id::kStartFuncEnable, m_startEnable);
    DDX_Check(exchange, res_id::kStopFuncEnable, m_stopEnable);
    DDX_CBString(exchange, res_id::kStartFuncSymbol, m_startSymbol);
    DDX_CBString(exchange, res_id::kStopFuncSymbol, m_stopSymbol);
}

BOOL CStartStopFunctionDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_startCombo.SubclassDlgItem(res_id::kStartFuncSymbol, this);
    m_stopCombo.SubclassDlgItem(res_id::kStopFuncSymbol, this);
    m_startButton.SubclassDlgItem(res_id::kStartFuncLabel, this);
    m_stopButton.SubclassDlgItem(res_id::kStopFuncLabel, this);
    m_startEnable = GetStartFuncEnable();
    m_startCombo.FillFromMru(FALSE);
    m_startSymbol = GetStartFuncSymbol();
    m_stopEnable = GetStopFuncEnable();
    m_stopCombo.FillFromMru(FALSE);
    m_stopSymbol = GetStopFuncSymbol();
    UpdateData(FALSE);
    ApplyEnableRule();
    return TRUE;
}

void CStartStopFunctionDialog::ApplyEnableRule() {
    m_startCombo.EnableWindow(m_startEnable != 0);
    m_startButton.EnableWindow(m_startEnable != 0);
    m_stopCombo.EnableWindow(m_stopEnable != 0);
    m_stopButton.EnableWindow(m_stopEnable != 0);
}

void CStartStopFunctionDialog::OnStartClicked() {
    UpdateData(TRUE);
    ApplyEnableRule();
}

void CStartStopFunctionDialog::OnStopClicked() {
    UpdateData(TRUE);
    ApplyEnableRule();
}

BOOL CStartStopFunctionDialog::CheckSymbol(int enable, const CString& symbol) {
    DWORD address = 0;
    if (enable == 0 || EvaluateAddressExpression(symbol, &address, kSymbolRadix)) {
        return TRUE;
    }
    ShowInvalidSymbol(symbol);
    return FALSE;
}

void CStartStopFunctionDialog::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    if (!CheckSymbol(m_startEnable, m_startSymbol) || !CheckSymbol(m_stopEnable, m_stopSymbol)) {
        return;
    }
    SetStartFuncEnable(m_startEnable);
    SetStartFuncSymbol(m_startSymbol);
    m_startCombo.AddToMru();
    SetStopFuncEnable(m_stopEnable);
    SetStopFuncSymbol(m_stopSymbol);
    m_stopCombo.AddToMru();
    ApplyStartStopFunctions();
    EndDialog(IDOK);
}
