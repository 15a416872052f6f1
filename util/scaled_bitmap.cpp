#include "util/scaled_bitmap.h"

void DrawScaledBitmap(CDC* dc, CBitmap* image, CBitmap* mask, int x, int y, int sourceWidth, int sourceHeight,
                      int targetWidth, int targetHeight) {
    if (dc == nullptr || image == nullptr) {
        return;
    }
    if (mask == nullptr) {
        // No mask, no transparency: the image itself, stretched.
        CDC imageDc;
        imageDc.CreateCompatibleDC(dc);
        CBitmap* previousImage = imageDc.SelectObject(image);
        dc->StretchBlt(x, y, targetWidth, targetHeight, &imageDc, 0, 0, sourceWidth, sourceHeight, SRCCOPY);
        imageDc.SelectObject(previousImage);
        return;
    }
    // A bitmap shaped like the target, holding the background under the image.
    CDC combined;
    combined.CreateCompatibleDC(dc);
    CBitmap background;
    background.CreateBitmap(sourceWidth, sourceHeight, static_cast<UINT>(dc->GetDeviceCaps(PLANES) % 256),
                            static_cast<UINT>(dc->GetDeviceCaps(BITSPIXEL) % 256), nullptr);
    CBitmap* previousBackground = combined.SelectObject(&background);
    combined.BitBlt(0, 0, sourceWidth, sourceHeight, dc, x, y, SRCCOPY);

    CDC imageDc;
    imageDc.CreateCompatibleDC(dc);
    CBitmap* previousImage = imageDc.SelectObject(image);
    CDC maskDc;
    maskDc.CreateCompatibleDC(dc);
    CBitmap* previousMask = maskDc.SelectObject(mask);

    // White mask pixels become all ones, so AND keeps the background there;
    // the two XORs with the image cancel where the mask keeps it.
    combined.SetBkColor(RGB(255, 255, 255));
    combined.BitBlt(0, 0, sourceWidth, sourceHeight, &imageDc, 0, 0, SRCINVERT);
    combined.BitBlt(0, 0, sourceWidth, sourceHeight, &maskDc, 0, 0, SRCAND);
    combined.BitBlt(0, 0, sourceWidth, sourceHeight, &imageDc, 0, 0, SRCINVERT);

    dc->StretchBlt(x, y, targetWidth, targetHeight, &combined, 0, 0, sourceWidth, sourceHeight, SRCCOPY);

    maskDc.SelectObject(previousMask);
    imageDc.SelectObject(previousImage);
    combined.SelectObject(previousBackground);
    // The objects delete their bitmap and device contexts as they go.
}
