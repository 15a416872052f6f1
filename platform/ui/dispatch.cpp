#include "platform/ui/dispatch.h"

#include "platform/afx_wnd.h"
#include "platform/ui/window_table.h"

namespace platform::ui {

LRESULT CallProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto record = FindWindowRecord(window);
    if (record == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    CWnd* object = nullptr;
    Procedure procedure = nullptr;
    {
        std::lock_guard lock(TableMutex());
        object = record->object;
        procedure = record->classProcedure;
    }
    if (object != nullptr) {
        return AfxCallWndProc(object, window, message, wParam, lParam);
    }
    return procedure(window, message, wParam, lParam);
}

LRESULT CallClassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto record = FindWindowRecord(window);
    if (record == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    Procedure procedure = nullptr;
    {
        std::lock_guard lock(TableMutex());
        procedure = record->classProcedure;
    }
    return procedure(window, message, wParam, lParam);
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto record = FindWindowRecord(window);
    if (record == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const std::shared_ptr<ThreadQueue> target = record->queue;
    const std::shared_ptr<ThreadQueue> self = CurrentQueue();
    if (target == self) {
        return CallProcedure(window, message, wParam, lParam);
    }
    auto sent = std::make_shared<SentMessage>();
    sent->window = window;
    sent->message = message;
    sent->wParam = wParam;
    sent->lParam = lParam;
    sent->sender = self;
    if (target->Deliver(sent)) {
        self->AwaitReply(sent);
    }
    if (!sent->done || sent->unanswered) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);  // its thread has ended
        return 0;
    }
    return sent->result;
}

bool Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto record = FindWindowRecord(window);
    if (record == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    MSG posted{};
    posted.hwnd = window;
    posted.message = message;
    posted.wParam = wParam;
    posted.lParam = lParam;
    return record->queue->Post(posted);
}

void NotifyParent(HWND control, UINT code) {
    const HWND parent = ParentOf(control);
    if (parent != nullptr) {
        Send(parent, WM_COMMAND, MAKEWPARAM(IdOf(control), code), reinterpret_cast<LPARAM>(control));
    }
}

LRESULT NotifyParent(HWND control, UINT code, NMHDR& header) {
    const HWND parent = ParentOf(control);
    if (parent == nullptr) {
        return 0;
    }
    header.hwndFrom = control;
    header.idFrom = IdOf(control);
    header.code = code;
    return Send(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

}  // namespace platform::ui
