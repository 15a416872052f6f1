// Image lists: how many images of which size; drawing one records it.
#include "platform/ui/gdi_table.h"

#include <algorithm>

using namespace platform::ui;

HIMAGELIST ImageList_Create(int width, int height, UINT flags, int, int) {
    if (width <= 0 || height <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::lock_guard lock(GdiMutex());
    return static_cast<HIMAGELIST>(AddGdiObject(ImageList{width, height, flags, 0}));
}

BOOL ImageList_Destroy(HIMAGELIST list) {
    std::lock_guard lock(GdiMutex());
    return FindGdiObject<ImageList>(list) != nullptr && RemoveGdiObject(list) ? TRUE : FALSE;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP) {
    std::lock_guard lock(GdiMutex());
    ImageList* found = FindGdiObject<ImageList>(list);
    const Bitmap* bitmap = FindGdiObject<Bitmap>(image);
    if (found == nullptr || bitmap == nullptr) {
        return -1;
    }
    // A bitmap as wide as several images adds them all.
    const int first = found->images;
    found->images += std::max(1, static_cast<int>(bitmap->width / found->width));
    return first;
}

int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon) {
    std::lock_guard lock(GdiMutex());
    ImageList* found = FindGdiObject<ImageList>(list);
    if (found == nullptr || FindGdiObject<Icon>(icon) == nullptr || index < -1 || index >= found->images) {
        return -1;
    }
    return index == -1 ? found->images++ : index;
}

HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT) {
    std::lock_guard lock(GdiMutex());
    const ImageList* found = FindGdiObject<ImageList>(list);
    if (found == nullptr || index < 0 || index >= found->images) {
        return nullptr;
    }
    return static_cast<HICON>(AddGdiObject(Icon{found->width, found->height}));
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
    std::lock_guard lock(GdiMutex());
    const ImageList* found = FindGdiObject<ImageList>(list);
    if (found == nullptr || index < 0 || index >= found->images) {
        return FALSE;
    }
    platform::DrawCall call;
    call.kind = platform::DrawKind::Image;
    call.rect = RECT{x, y, x + found->width, y + found->height};
    call.flags = style;
    call.source = list;
    call.image = index;
    return Record(dc, std::move(call)) ? TRUE : FALSE;
}

int ImageList_GetImageCount(HIMAGELIST list) {
    std::lock_guard lock(GdiMutex());
    const ImageList* found = FindGdiObject<ImageList>(list);
    return found != nullptr ? found->images : 0;
}
