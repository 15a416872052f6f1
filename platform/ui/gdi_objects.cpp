// GDI objects: bitmaps, brushes, fonts and icons, from code and from
// resources.
#include "platform/resources.h"
#include "platform/ui/gdi_table.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace platform::ui {
namespace {

struct GdiTable {
    std::mutex mutex;
    std::map<const void*, GdiObject> objects;
    std::map<int, HGDIOBJ> stock;
    std::uintptr_t next = 0x400000;
};

GdiTable& Table() {
    static GdiTable* table = new GdiTable;  // objects may be released during exit
    return *table;
}

Font DefaultFont() {
    Font font;
    font.font.lfHeight = -11;
    font.font.lfWeight = 400;
    std::strcpy(font.font.lfFaceName, "MS Sans Serif");
    return font;
}

}  // namespace

std::mutex& GdiMutex() {
    return Table().mutex;
}

void* AddGdiObject(GdiObject object) {
    GdiTable& table = Table();
    auto* handle = reinterpret_cast<void*>(table.next);
    table.next += 4;
    table.objects.emplace(handle, std::move(object));
    return handle;
}

GdiObject* FindAnyGdiObject(const void* handle) {
    const auto found = Table().objects.find(handle);
    return found != Table().objects.end() ? &found->second : nullptr;
}

bool RemoveGdiObject(const void* handle) {
    return Table().objects.erase(handle) != 0;
}

bool GdiHandleAlive(const void* handle) {
    std::lock_guard lock(GdiMutex());
    return FindAnyGdiObject(handle) != nullptr;
}

HGDIOBJ StockObject(int index) {
    GdiTable& table = Table();
    if (const auto found = table.stock.find(index); found != table.stock.end()) {
        return found->second;
    }
    GdiObject object;
    switch (index) {
    case WHITE_BRUSH:
        object = Brush{RGB(255, 255, 255), false};
        break;
    case BLACK_BRUSH:
        object = Brush{RGB(0, 0, 0), false};
        break;
    case NULL_BRUSH:
        object = Brush{0, true};
        break;
    case DEFAULT_GUI_FONT:
        object = DefaultFont();
        break;
    case -1:  // the 1 by 1 monochrome bitmap of a new memory device context
        object = Bitmap{1, 1, 1, 1, std::vector<BYTE>(2)};
        break;
    default:
        return nullptr;
    }
    const auto handle = static_cast<HGDIOBJ>(AddGdiObject(std::move(object)));
    table.stock[index] = handle;
    return handle;
}

bool IsStock(const void* handle) {
    const auto& stock = Table().stock;
    return std::any_of(stock.begin(), stock.end(), [handle](const auto& entry) { return entry.second == handle; });
}

}  // namespace platform::ui

using namespace platform::ui;

HGDIOBJ GetStockObject(int index) {
    std::lock_guard lock(GdiMutex());
    return index >= 0 ? StockObject(index) : nullptr;
}

BOOL DeleteObject(HGDIOBJ object) {
    std::lock_guard lock(GdiMutex());
    if (IsStock(object) || FindGdiObject<DeviceContext>(object) != nullptr) {
        return IsStock(object) ? TRUE : FALSE;  // stock objects stay; a device context needs DeleteDC
    }
    return RemoveGdiObject(object) ? TRUE : FALSE;
}

int GetObjectA(HGDIOBJ object, int size, LPVOID buffer) {
    std::lock_guard lock(GdiMutex());
    if (const Bitmap* bitmap = FindGdiObject<Bitmap>(object)) {
        if (buffer == nullptr) {
            return sizeof(BITMAP);
        }
        if (size < static_cast<int>(sizeof(BITMAP))) {
            return 0;
        }
        BITMAP info{};
        info.bmWidth = bitmap->width;
        info.bmHeight = bitmap->height;
        info.bmWidthBytes = bitmap->WidthBytes();
        info.bmPlanes = bitmap->planes;
        info.bmBitsPixel = bitmap->bitsPerPixel;
        std::memcpy(buffer, &info, sizeof(info));
        return sizeof(BITMAP);
    }
    if (const Font* font = FindGdiObject<Font>(object)) {
        if (buffer == nullptr) {
            return sizeof(LOGFONTA);
        }
        const int count = std::min(size, static_cast<int>(sizeof(LOGFONTA)));
        std::memcpy(buffer, &font->font, static_cast<std::size_t>(std::max(count, 0)));
        return std::max(count, 0);
    }
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (width <= 0 || height <= 0 || bitsPerPixel == 0 || bitsPerPixel > 32) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Bitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.planes = static_cast<WORD>(planes);
    bitmap.bitsPerPixel = static_cast<WORD>(bitsPerPixel);
    bitmap.bits.assign(static_cast<std::size_t>(bitmap.WidthBytes() * height), 0);
    if (bits != nullptr) {
        std::memcpy(bitmap.bits.data(), bits, bitmap.bits.size());
    }
    std::lock_guard lock(GdiMutex());
    return static_cast<HBITMAP>(AddGdiObject(std::move(bitmap)));
}

HBITMAP CreateBitmapIndirect(const BITMAP* bitmap) {
    if (bitmap == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateBitmap(bitmap->bmWidth, bitmap->bmHeight, bitmap->bmPlanes, bitmap->bmBitsPixel, bitmap->bmBits);
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
    return CreateBitmap(width, height, 1, 32, nullptr);
}

LONG GetBitmapBits(HBITMAP bitmap, LONG size, LPVOID bits) {
    std::lock_guard lock(GdiMutex());
    const Bitmap* found = FindGdiObject<Bitmap>(bitmap);
    if (found == nullptr || bits == nullptr || size <= 0) {
        return 0;
    }
    const auto count = std::min<std::size_t>(static_cast<std::size_t>(size), found->bits.size());
    std::memcpy(bits, found->bits.data(), count);
    return static_cast<LONG>(count);
}

LONG SetBitmapBits(HBITMAP bitmap, DWORD size, const void* bits) {
    std::lock_guard lock(GdiMutex());
    Bitmap* found = FindGdiObject<Bitmap>(bitmap);
    if (found == nullptr || bits == nullptr) {
        return 0;
    }
    const auto count = std::min<std::size_t>(size, found->bits.size());
    std::memcpy(found->bits.data(), bits, count);
    return static_cast<LONG>(count);
}

HBRUSH CreateSolidBrush(COLORREF color) {
    std::lock_guard lock(GdiMutex());
    return static_cast<HBRUSH>(AddGdiObject(Brush{color, false}));
}

HFONT CreateFontIndirectA(const LOGFONTA* font) {
    if (font == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::lock_guard lock(GdiMutex());
    return static_cast<HFONT>(AddGdiObject(Font{*font}));
}

DWORD GetSysColor(int index) {
    // The classic scheme.
    switch (index) {
    case COLOR_WINDOW:
    case COLOR_HIGHLIGHTTEXT:
        return RGB(255, 255, 255);
    case COLOR_HIGHLIGHT:
        return RGB(0, 0, 128);
    case COLOR_BTNFACE:
        return RGB(192, 192, 192);
    case COLOR_GRAYTEXT:
        return RGB(128, 128, 128);
    default:
        return RGB(0, 0, 0);
    }
}

HBITMAP LoadBitmapA(HINSTANCE module, LPCSTR name) {
    const platform::BitmapResource* resource = platform::FindBitmapResource(module, platform::ResourceId(name));
    if (resource == nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    const HBITMAP bitmap = CreateBitmap(resource->width, resource->height, 1, resource->bitsPerPixel, nullptr);
    if (bitmap != nullptr) {
        std::lock_guard lock(GdiMutex());
        Bitmap* created = FindGdiObject<Bitmap>(bitmap);
        std::copy_n(resource->bits.begin(), std::min(resource->bits.size(), created->bits.size()),
                    created->bits.begin());
    }
    return bitmap;
}

HICON LoadIconA(HINSTANCE module, LPCSTR name) {
    const platform::IconResource* resource = platform::FindIconResource(module, platform::ResourceId(name));
    if (resource == nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    std::lock_guard lock(GdiMutex());
    return static_cast<HICON>(AddGdiObject(Icon{resource->width, resource->height}));
}

BOOL GetIconInfo(HICON icon, PICONINFO information) {
    Icon found;
    {
        std::lock_guard lock(GdiMutex());
        const Icon* record = FindGdiObject<Icon>(icon);
        if (record == nullptr || information == nullptr) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        found = *record;
    }
    // New bitmaps of the icon's size: a monochrome mask and the colours.
    information->fIcon = TRUE;
    information->xHotspot = static_cast<DWORD>(found.width / 2);
    information->yHotspot = static_cast<DWORD>(found.height / 2);
    information->hbmMask = CreateBitmap(found.width, found.height, 1, 1, nullptr);
    information->hbmColor = CreateBitmap(found.width, found.height, 1, 32, nullptr);
    return TRUE;
}

BOOL DestroyIcon(HICON icon) {
    std::lock_guard lock(GdiMutex());
    if (FindGdiObject<Icon>(icon) == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    RemoveGdiObject(icon);
    return TRUE;
}
