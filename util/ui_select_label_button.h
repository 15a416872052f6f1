// CUiSelectLabelButton: a button beside a label combo box (CUiSelComboBox)
// that lets the user pick one of the program's labels from the host's label
// chooser and splices it into the combo box's text in place of the selection
// the combo box saved last. Its image is the host application's icon 502.
#pragma once

#include "platform/afx.h"
#include "platform/host/interfaces.h"

class CUiSelComboBox;

class CUiSelectLabelButton : public CButton {
    DECLARE_DYNAMIC(CUiSelectLabelButton)

public:
    explicit CUiSelectLabelButton(IHostServiceProvider* host = nullptr, CUiSelComboBox* buddy = nullptr);
    ~CUiSelectLabelButton() override;

    void SetHost(IHostServiceProvider* host);
    // The combo box that receives a chosen label.
    void SetBuddyEdit(CUiSelComboBox* buddy);

protected:
    void PreSubclassWindow() override;
    afx_msg void OnClicked();

    DECLARE_MESSAGE_MAP()

private:
    IHostServiceProvider* m_host;
    CUiSelComboBox* m_buddy;
};
