#include "util/ui_select_label_button.h"

#include "platform/bstr.h"
#include "platform/host/label_interfaces.h"
#include "util/ui_sel_combo_box.h"

#include <algorithm>

namespace {

constexpr UINT kLabelButtonIcon = 502;

// The label the user chose in the host's chooser; empty when none.
CString ChooseHostLabel(IHostServiceProvider* host) {
    IHLabelSelection* chooser = nullptr;
    if (FAILED(host->QueryService(IID_IHLabelSelection, reinterpret_cast<void**>(&chooser))) || chooser == nullptr) {
        return CString();
    }
    platform::Bstr label;
    if (chooser->ChooseLabel(label.Out()) != S_OK) {
        return CString();
    }
    return CString(label.Ansi());
}

}  // namespace

IMPLEMENT_DYNAMIC(CUiSelectLabelButton, CButton)

BEGIN_MESSAGE_MAP(CUiSelectLabelButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

CUiSelectLabelButton::CUiSelectLabelButton(IHostServiceProvider* host, CUiSelComboBox* buddy)
    : m_host(host), m_buddy(buddy) {}

CUiSelectLabelButton::~CUiSelectLabelButton() = default;

void CUiSelectLabelButton::SetHost(IHostServiceProvider* host) {
    m_host = host;
}

void CUiSelectLabelButton::SetBuddyEdit(CUiSelComboBox* buddy) {
    m_buddy = buddy;
}

void CUiSelectLabelButton::PreSubclassWindow() {
    CButton::PreSubclassWindow();
    // The icon is the host application's, not the plug-in's.
    AFX_MANAGE_STATE(AfxGetAppModuleState());
    const LPCSTR name = MAKEINTRESOURCE(kLabelButtonIcon);
    SetIcon(::LoadIconA(AfxFindResourceHandle(name, RT_GROUP_ICON), name));
}

void CUiSelectLabelButton::OnClicked() {
    AFX_MANAGE_STATE(AfxGetAppModuleState());
    if (m_host == nullptr || m_buddy == nullptr) {
        return;
    }
    CString text;
    m_buddy->GetWindowText(text);
    int start = 0;
    int end = 0;
    m_buddy->GetSavedSel(start, end);
    start = std::clamp(start, 0, text.GetLength());
    end = std::clamp(end, start, text.GetLength());
    CString result = text;
    int caret = end;
    const CString label = ChooseHostLabel(m_host);
    if (!label.IsEmpty()) {
        result = text.Left(start) + label + text.Mid(end);
        caret = start + label.GetLength();
    }
    m_buddy->SetWindowText(result);
    m_buddy->SetFocus();
    m_buddy->SetEditSel(caret, caret);
}
