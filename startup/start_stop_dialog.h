// CStartStopFunctionDialog, "Start/Stop Function Setting": whether each of
// the two functions is on and the symbol (or address) of its routine. OK
// refuses a symbol the host cannot resolve, saves both settings, puts the
// symbols at the head of the remembered labels and writes the vectors.
#pragma once

#include "util/ui_sel_combo_box.h"
#include "util/ui_select_label_button.h"

#include "platform/afx.h"

class CStartStopFunctionDialog : public CDialog {
public:
    explicit CStartStopFunctionDialog(CWnd* parent = nullptr);

    CString m_startSymbol;
    CString m_stopSymbol;
    int m_stopEnable = 0;
    int m_startEnable = 0;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnStartClicked();
    afx_msg void OnStopClicked();

    DECLARE_MESSAGE_MAP()

private:
    // The combo box and button of a function follow its check box.
    void ApplyEnableRule();
    // FALSE (after the message) when the function is on and its symbol does
    // not resolve.
    BOOL CheckSymbol(int enable, const CString& symbol);

    CUiSelComboBox m_startCombo;
    CUiSelComboBox m_stopCombo;
    CUiSelectLabelButton m_startButton;
    CUiSelectLabelButton m_stopButton;
};
