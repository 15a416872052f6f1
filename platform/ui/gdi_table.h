// The drawing objects behind GDI handles: bitmaps (with their bits),
// brushes, fonts, icons, image lists and recording device contexts.
#pragma once

#include "platform/common_controls.h"
#include "platform/gdi.h"

#include <memory>
#include <mutex>
#include <variant>
#include <vector>

namespace platform::ui {

struct Bitmap {
    LONG width = 0;
    LONG height = 0;
    WORD planes = 1;
    WORD bitsPerPixel = 1;
    std::vector<BYTE> bits;  // rows of 16-bit aligned bytes, top row first

    LONG WidthBytes() const { return ((width * bitsPerPixel + 15) / 16) * 2; }
};

struct Brush {
    COLORREF color = 0;
    bool hollow = false;
};

struct Font {
    LOGFONTA font{};
};

struct Icon {
    int width = 0;
    int height = 0;
};

struct DeviceContext {
    HWND window = nullptr;  // null for a memory device context
    COLORREF textColor = 0;
    COLORREF backColor = RGB(255, 255, 255);
    int backMode = OPAQUE;
    HGDIOBJ bitmap = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ font = nullptr;
    std::vector<DrawCall> calls;
};

struct ImageList {
    int width = 0;
    int height = 0;
    UINT flags = 0;
    int images = 0;
};

using GdiObject = std::variant<Bitmap, Brush, Font, Icon, DeviceContext, ImageList>;

// Every object is touched under this lock.
std::mutex& GdiMutex();
// A new object's handle.
void* AddGdiObject(GdiObject object);
GdiObject* FindAnyGdiObject(const void* handle);
// The object, or null when the handle is unknown or of another kind.
template <typename Kind>
Kind* FindGdiObject(const void* handle) {
    GdiObject* object = FindAnyGdiObject(handle);
    return object != nullptr ? std::get_if<Kind>(object) : nullptr;
}
bool RemoveGdiObject(const void* handle);
// Whether the handle stands for a drawing object (takes the lock).
bool GdiHandleAlive(const void* handle);
// A stock object (never deleted).
HGDIOBJ StockObject(int index);
bool IsStock(const void* handle);

// Draws: adds a call to the device context's record, with its colours (and
// to the active journal). Under the lock.
bool Record(HDC dc, DrawCall call);
// The journal that records every drawing call, or null. Under the lock.
std::vector<platform::JournalEntry>*& ActiveJournal();

}  // namespace platform::ui
