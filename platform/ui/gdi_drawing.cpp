// Device contexts that record what is drawn on them, with the deterministic
// text measure.
#include "platform/ui/dispatch.h"
#include "platform/ui/gdi_table.h"
#include "platform/ui/window_table.h"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <utility>

namespace platform::ui {
namespace {

int Length(LPCSTR text, int length) {
    if (text == nullptr) {
        return 0;
    }
    return length < 0 ? static_cast<int>(std::strlen(text)) : length;
}

COLORREF BrushColor(HBRUSH brush, bool& found) {
    // A system colour's index plus one stands for its brush, as Windows
    // allows.
    const auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (value != 0 && value <= 31) {
        found = true;
        return GetSysColor(static_cast<int>(value - 1));
    }
    const Brush* object = FindGdiObject<Brush>(brush);
    found = object != nullptr;
    return object != nullptr ? object->color : 0;
}

// A device context's attribute: set answers the previous value, get the
// current one; a handle that names no device context answers the failure value.
template <typename Value>
Value ExchangeAttribute(HDC dc, Value DeviceContext::*field, std::type_identity_t<Value> value,
                        std::type_identity_t<Value> failure) {
    std::lock_guard lock(GdiMutex());
    DeviceContext* context = FindGdiObject<DeviceContext>(dc);
    if (context == nullptr) {
        return failure;
    }
    return std::exchange(context->*field, value);
}

template <typename Value>
Value GetAttribute(HDC dc, Value DeviceContext::*field, std::type_identity_t<Value> failure) {
    std::lock_guard lock(GdiMutex());
    const DeviceContext* context = FindGdiObject<DeviceContext>(dc);
    return context != nullptr ? context->*field : failure;
}

}  // namespace

bool Record(HDC dc, DrawCall call) {
    DeviceContext* context = FindGdiObject<DeviceContext>(dc);
    if (context == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    call.textColor = context->textColor;
    call.backColor = context->backColor;
    if (std::vector<platform::JournalEntry>* journal = ActiveJournal()) {
        journal->push_back(platform::JournalEntry{dc, call});
    }
    context->calls.push_back(std::move(call));
    return true;
}

std::vector<platform::JournalEntry>*& ActiveJournal() {
    static std::vector<platform::JournalEntry>* journal = nullptr;
    return journal;
}

}  // namespace platform::ui

using namespace platform::ui;
using platform::DrawCall;
using platform::DrawKind;

HDC GetDC(HWND window) {
    if (window != nullptr && FindWindowRecord(window) == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    std::lock_guard lock(GdiMutex());
    DeviceContext context;
    context.window = window;
    context.brush = StockObject(WHITE_BRUSH);
    context.font = StockObject(DEFAULT_GUI_FONT);
    return static_cast<HDC>(AddGdiObject(std::move(context)));
}

int ReleaseDC(HWND, HDC dc) {
    std::lock_guard lock(GdiMutex());
    return FindGdiObject<DeviceContext>(dc) != nullptr && RemoveGdiObject(dc) ? 1 : 0;
}

HDC CreateCompatibleDC(HDC) {
    std::lock_guard lock(GdiMutex());
    DeviceContext context;
    context.bitmap = StockObject(-1);
    context.brush = StockObject(WHITE_BRUSH);
    context.font = StockObject(DEFAULT_GUI_FONT);
    return static_cast<HDC>(AddGdiObject(std::move(context)));
}

BOOL DeleteDC(HDC dc) {
    std::lock_guard lock(GdiMutex());
    return FindGdiObject<DeviceContext>(dc) != nullptr && RemoveGdiObject(dc) ? TRUE : FALSE;
}

int GetDeviceCaps(HDC dc, int index) {
    std::lock_guard lock(GdiMutex());
    if (FindGdiObject<DeviceContext>(dc) == nullptr) {
        return 0;
    }
    switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    case PLANES:
        return 1;
    case BITSPIXEL:
        return 32;
    case HORZRES:
        return 1024;
    case VERTRES:
        return 768;
    default:
        return 0;
    }
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    std::lock_guard lock(GdiMutex());
    DeviceContext* context = FindGdiObject<DeviceContext>(dc);
    if (context == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    HGDIOBJ* slot = nullptr;
    if (FindGdiObject<Bitmap>(object) != nullptr) {
        slot = &context->bitmap;
    } else if (FindGdiObject<Brush>(object) != nullptr) {
        slot = &context->brush;
    } else if (FindGdiObject<Font>(object) != nullptr) {
        slot = &context->font;
    }
    if (slot == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    const HGDIOBJ previous = *slot;
    *slot = object;
    return previous;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
    return ExchangeAttribute(dc, &DeviceContext::textColor, color, CLR_INVALID);
}

COLORREF GetTextColor(HDC dc) {
    return GetAttribute(dc, &DeviceContext::textColor, CLR_INVALID);
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
    return ExchangeAttribute(dc, &DeviceContext::backColor, color, CLR_INVALID);
}

COLORREF GetBkColor(HDC dc) {
    return GetAttribute(dc, &DeviceContext::backColor, CLR_INVALID);
}

int SetBkMode(HDC dc, int mode) {
    return ExchangeAttribute(dc, &DeviceContext::backMode, mode, 0);
}

BOOL BitBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop) {
    return StretchBlt(target, x, y, width, height, source, sourceX, sourceY, width, height, rop);
}

BOOL StretchBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop) {
    std::lock_guard lock(GdiMutex());
    const DeviceContext* from = FindGdiObject<DeviceContext>(source);
    if (from == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    DrawCall call;
    call.kind = sourceWidth == width && sourceHeight == height ? DrawKind::BitBlt : DrawKind::StretchBlt;
    call.rect = RECT{x, y, x + width, y + height};
    call.sourceRect = RECT{sourceX, sourceY, sourceX + sourceWidth, sourceY + sourceHeight};
    call.flags = rop;
    call.source = from->bitmap;
    return Record(target, std::move(call)) ? TRUE : FALSE;
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    std::lock_guard lock(GdiMutex());
    const DeviceContext* context = FindGdiObject<DeviceContext>(dc);
    if (context == nullptr) {
        return FALSE;
    }
    DrawCall call;
    call.kind = DrawKind::PatBlt;
    call.rect = RECT{x, y, x + width, y + height};
    bool found = false;
    call.fillColor = BrushColor(static_cast<HBRUSH>(context->brush), found);
    call.flags = rop;
    return Record(dc, std::move(call)) ? TRUE : FALSE;
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    std::lock_guard lock(GdiMutex());
    bool found = false;
    const COLORREF color = BrushColor(brush, found);
    if (rect == nullptr || !found) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    DrawCall call;
    call.kind = DrawKind::FillRect;
    call.rect = *rect;
    call.fillColor = color;
    return Record(dc, std::move(call)) ? 1 : 0;
}

int DrawTextA(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format) {
    const int count = Length(text, length);
    std::lock_guard lock(GdiMutex());
    if (FindGdiObject<DeviceContext>(dc) == nullptr || rect == nullptr) {
        return 0;
    }
    if ((format & DT_CALCRECT) != 0) {
        rect->right = rect->left + count * platform::kCharWidth;
        rect->bottom = rect->top + platform::kLineHeight;
        return platform::kLineHeight;
    }
    DrawCall call;
    call.kind = DrawKind::DrawText;
    call.rect = *rect;
    call.text.assign(text != nullptr ? text : "", static_cast<std::size_t>(count));
    call.flags = format;
    return Record(dc, std::move(call)) ? platform::kLineHeight : 0;
}

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
    std::lock_guard lock(GdiMutex());
    if (rect == nullptr) {
        return FALSE;
    }
    DrawCall call;
    call.kind = DrawKind::FocusRect;
    call.rect = *rect;
    return Record(dc, std::move(call)) ? TRUE : FALSE;
}

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length) {
    const int count = Length(text, length);
    std::lock_guard lock(GdiMutex());
    DrawCall call;
    call.kind = DrawKind::TextOut;
    call.rect = RECT{x, y, x + count * platform::kCharWidth, y + platform::kLineHeight};
    call.text.assign(text != nullptr ? text : "", static_cast<std::size_t>(count));
    return Record(dc, std::move(call)) ? TRUE : FALSE;
}

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int length, LPSIZE size) {
    std::lock_guard lock(GdiMutex());
    if (FindGdiObject<DeviceContext>(dc) == nullptr || size == nullptr || length < 0) {
        return FALSE;
    }
    size->cx = (text != nullptr ? length : 0) * platform::kCharWidth;
    size->cy = platform::kLineHeight;
    return TRUE;
}

int GetClipBox(HDC dc, LPRECT rect) {
    constexpr int kNullRegion = 1;
    constexpr int kSimpleRegion = 2;
    HWND window = nullptr;
    {
        std::lock_guard lock(GdiMutex());
        const DeviceContext* context = FindGdiObject<DeviceContext>(dc);
        if (context == nullptr || rect == nullptr) {
            return 0;
        }
        if (context->window == nullptr) {
            const Bitmap* bitmap = FindGdiObject<Bitmap>(context->bitmap);
            *rect = RECT{0, 0, bitmap != nullptr ? bitmap->width : 0, bitmap != nullptr ? bitmap->height : 0};
            return rect->right > 0 ? kSimpleRegion : kNullRegion;
        }
        window = context->window;
    }
    GetClientRect(window, rect);
    return rect->right > 0 && rect->bottom > 0 ? kSimpleRegion : kNullRegion;
}

namespace platform {

std::vector<DrawCall> DrawingOf(HDC dc) {
    std::lock_guard lock(ui::GdiMutex());
    const ui::DeviceContext* context = ui::FindGdiObject<ui::DeviceContext>(dc);
    return context != nullptr ? context->calls : std::vector<DrawCall>{};
}

DrawingJournal::DrawingJournal() {
    std::lock_guard lock(ui::GdiMutex());
    previous_ = ui::ActiveJournal();
    ui::ActiveJournal() = &entries_;
}

DrawingJournal::~DrawingJournal() {
    std::lock_guard lock(ui::GdiMutex());
    ui::ActiveJournal() = previous_;
}

std::vector<JournalEntry> DrawingJournal::Entries() const {
    std::lock_guard lock(ui::GdiMutex());
    return entries_;
}

std::vector<DrawCall> PaintWindow(HWND window) {
    const HDC dc = GetDC(window);
    if (dc == nullptr) {
        return {};
    }
    ui::Send(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    std::vector<DrawCall> calls = DrawingOf(dc);
    ReleaseDC(window, dc);
    return calls;
}

}  // namespace platform
