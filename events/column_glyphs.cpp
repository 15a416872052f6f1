#include "events/column_glyphs.h"

#include "frame/com_utils.h"
#include "res/resource_ids.h"

#include "platform/afx.h"

#include <array>

namespace column_glyphs {
namespace {

constexpr DWORD kMostBits = 1024;

// The bitmap's raw bits (none when it does not load).
void ReadBits(UINT id, CByteArray& bytes) {
    CBitmap bitmap;
    if (id == 0 || !bitmap.LoadBitmap(id)) {
        return;
    }
    std::array<BYTE, kMostBits> buffer{};
    const DWORD count = bitmap.GetBitmapBits(kMostBits, buffer.data());
    bytes.SetSize(static_cast<INT_PTR>(count));
    for (DWORD i = 0; i < count; ++i) {
        bytes[static_cast<INT_PTR>(i)] = buffer[i];
    }
}

}  // namespace

UINT ImageOf(DWORD index) {
    static constexpr std::array<UINT, 9> kImages = {
        0,
        res_id::kGlyphEnabled,
        res_id::kGlyphDisabled,
        res_id::kGlyphPlusT,
        res_id::kGlyphMinusT,
        res_id::kGlyphTr,
        res_id::kGlyphPlusP,
        res_id::kGlyphMinusP,
        res_id::kGlyphRedDisc,
    };
    return index < kImages.size() ? kImages[index] : 0;
}

void HandOut(UINT image, VARIANT* bits, VARIANT* mask, DWORD* byteCount) {
    // The bitmaps are the plug-in's resources.
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CByteArray imageBytes;
    CByteArray maskBytes;
    ReadBits(image, imageBytes);
    ReadBits(res_id::kGlyphMask, maskBytes);
    if (bits != nullptr) {
        CComUtils::ByteArrayToSafeArray(imageBytes, *bits);
    }
    if (mask != nullptr) {
        CComUtils::ByteArrayToSafeArray(maskBytes, *mask);
    }
    if (byteCount != nullptr) {
        *byteCount = static_cast<DWORD>(imageBytes.GetSize());
    }
}

}  // namespace column_glyphs
