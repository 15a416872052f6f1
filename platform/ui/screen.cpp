#include "platform/ui/screen.h"

#include "platform/ui/dispatch.h"
#include "platform/ui/window_manager.h"

#include <mutex>

namespace platform::ui {
namespace {

std::mutex& CursorMutex() {
    static std::mutex mutex;
    return mutex;
}

POINT& Cursor() {
    static POINT cursor{kScreenWidth / 2, kScreenHeight / 2};
    return cursor;
}

}  // namespace

HWND DesktopWindow() {
    static const HWND desktop = [] {
        auto record = std::make_shared<Window>();
        record->kind = WindowKind::Desktop;
        record->className = "#32769";
        record->classProcedure = DefaultProcedure;
        record->style = WS_POPUP | WS_VISIBLE;
        record->rect = RECT{0, 0, kScreenWidth, kScreenHeight};
        record->queue = CurrentQueue();
        return AddWindowRecord(record);
    }();
    return desktop;
}

POINT CursorPosition() {
    std::lock_guard lock(CursorMutex());
    return Cursor();
}

void MoveCursorTo(POINT point) {
    std::lock_guard lock(CursorMutex());
    Cursor() = point;
}

}  // namespace platform::ui
