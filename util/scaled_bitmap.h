// DrawScaledBitmap: draws an image with its mask as transparency, stretched:
// the w x h image is combined with the background it covers (where the mask
// is white the background stays, where it is black the image shows) and the
// result is stretched onto the device context at (x, y) with size W x H.
// Without a mask the image is stretched onto the device context as it is.
// The plug-in's command images (16 x 16) are drawn with it.
#pragma once

#include "platform/afx.h"

void DrawScaledBitmap(CDC* dc, CBitmap* image, CBitmap* mask, int x, int y, int sourceWidth, int sourceHeight,
                      int targetWidth, int targetHeight);
