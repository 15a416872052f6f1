// Icons of 16 x 16 made from an image and a mask bitmap, each named by a
// resource id (found along the class library's resource search) or a bitmap
// file. The caller owns the icon; the bitmaps loaded for it are deleted. Null
// when a bitmap cannot be loaded.
#pragma once

#include "platform/afx.h"

HICON MakeIconFromBitmaps(UINT imageId, UINT maskId);
HICON MakeIconFromBitmapFiles(LPCSTR imageFile, LPCSTR maskFile);
HICON MakeIconFromFileAndBitmap(LPCSTR imageFile, UINT maskId);
HICON MakeIconFromBitmapAndFile(UINT imageId, LPCSTR maskFile);
