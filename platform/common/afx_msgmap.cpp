#include "platform/afx_menu.h"
#include "platform/afx_msgmap.h"
#include "platform/afx_wnd.h"

#include <atomic>

namespace {

std::atomic<int>& WaitCursors() {
    static std::atomic<int> shown{0};
    return shown;
}

}  // namespace

void CCmdTarget::BeginWaitCursor() {
    ++WaitCursors();
}

void CCmdTarget::EndWaitCursor() {
    if (WaitCursors() > 0) {
        --WaitCursors();
    }
}

CWaitCursor::CWaitCursor() {
    ++WaitCursors();
}

CWaitCursor::~CWaitCursor() {
    --WaitCursors();
}

bool platform::WaitCursorShown() {
    return WaitCursors() > 0;
}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT message, UINT code, UINT id) const {
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfn != nullptr; ++entry) {
            if (entry->nMessage == message && entry->nCode == code && id >= entry->nID && id <= entry->nLastID) {
                return entry;
            }
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) {
    // A notification's code carries its message in the high word; command
    // updates have a code of their own.
    UINT message = WM_COMMAND;
    auto notification = static_cast<UINT>(code);
    if (notification != CN_UPDATE_COMMAND_UI) {
        message = HIWORD(notification) != 0 ? HIWORD(notification) : WM_COMMAND;
        notification = LOWORD(notification);
    }
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, notification, id);
    if (entry == nullptr) {
        return FALSE;
    }
    if (handlerInfo != nullptr) {
        handlerInfo->pTarget = this;
        return TRUE;
    }
    AFX_HANDLERCALL call{message, 0, 0, id, extra, 0};
    return entry->pfn(this, call);
}

void CCmdUI::Enable(BOOL on) {
    if (m_pMenu != nullptr) {
        m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
    } else if (m_pOther != nullptr) {
        m_pOther->EnableWindow(on);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int check) {
    if (m_pMenu != nullptr) {
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (check != 0 ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther != nullptr) {
        m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(check), 0);
    }
}

void CCmdUI::SetRadio(BOOL on) {
    SetCheck(on ? 1 : 0);
}

void CCmdUI::SetText(LPCSTR text) {
    if (m_pOther != nullptr) {
        m_pOther->SetWindowText(text);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler) {
    if (target == nullptr) {
        return FALSE;
    }
    m_bEnableChanged = FALSE;
    const BOOL handled = target->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this, nullptr);
    if (disableIfNoHandler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info{nullptr};
        if (!target->OnCmdMsg(m_nID, CN_COMMAND, this, &info)) {
            Enable(FALSE);
        }
    }
    return handled;
}

namespace platform {
namespace {

// Keeps what the update handler said instead of showing it anywhere.
class StateCmdUI : public CCmdUI {
public:
    void Enable(BOOL on) override {
        state.enabled = on != FALSE;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int check) override { state.check = check; }
    void SetText(LPCSTR text) override { state.text = text != nullptr ? text : ""; }

    CommandState state;
};

}  // namespace

CommandState QueryCommandState(HWND window, UINT id) {
    StateCmdUI query;
    query.m_nID = id;
    CWnd* object = CWnd::FromHandlePermanent(window);
    if (object == nullptr) {
        query.state.enabled = false;
        return query.state;
    }
    query.state.updated = query.DoUpdate(object, TRUE) != FALSE;
    return query.state;
}

}  // namespace platform
