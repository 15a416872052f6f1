// The glyph bitmaps of the event columns, handed to the host as byte-array
// VARIANTs: the image's raw bits and the mask's, at most 1,024 bytes each.
#pragma once

#include "platform/com.h"

namespace column_glyphs {

// The bitmap of a glyph index (1 to 8), 0 for none.
UINT ImageOf(DWORD index);
// image 0 hands out no image bits (an empty array) and a byte count of 0;
// the mask is always the common one. Either out-pointer may be null.
void HandOut(UINT image, VARIANT* bits, VARIANT* mask, DWORD* byteCount);

}  // namespace column_glyphs
