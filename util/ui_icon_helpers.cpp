#include "util/ui_icon_helpers.h"

namespace {

constexpr int kIconSize = 16;

HBITMAP LoadBitmapById(UINT id) {
    const LPCSTR name = MAKEINTRESOURCE(id);
    return ::LoadBitmapA(AfxFindResourceHandle(name, RT_BITMAP), name);
}

HBITMAP LoadBitmapFile(LPCSTR path) {
    return static_cast<HBITMAP>(
        ::LoadImageA(nullptr, path, IMAGE_BITMAP, kIconSize, kIconSize, LR_LOADFROMFILE));
}

// The icon of the pair; both bitmaps are deleted whatever happens.
HICON IconOf(HBITMAP image, HBITMAP mask) {
    CBitmap imageBitmap;
    CBitmap maskBitmap;
    imageBitmap.Attach(image);
    maskBitmap.Attach(mask);
    if (image == nullptr || mask == nullptr) {
        return nullptr;
    }
    CImageList list;
    if (!list.Create(kIconSize, kIconSize, ILC_MASK, 1, 1) || list.Add(&imageBitmap, &maskBitmap) < 0) {
        return nullptr;
    }
    return ::ImageList_GetIcon(list, 0, ILD_NORMAL);
}

}  // namespace

HICON MakeIconFromBitmaps(UINT imageId, UINT maskId) {
    return IconOf(LoadBitmapById(imageId), LoadBitmapById(maskId));
}

HICON MakeIconFromBitmapFiles(LPCSTR imageFile, LPCSTR maskFile) {
    return IconOf(LoadBitmapFile(imageFile), LoadBitmapFile(maskFile));
}

HICON MakeIconFromFileAndBitmap(LPCSTR imageFile, UINT maskId) {
    return IconOf(LoadBitmapFile(imageFile), LoadBitmapById(maskId));
}

HICON MakeIconFromBitmapAndFile(UINT imageId, LPCSTR maskFile) {
    return IconOf(LoadBitmapById(imageId), LoadBitmapFile(maskFile));
}
