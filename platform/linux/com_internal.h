// What the VARIANT and SAFEARRAY code share inside the layer.
#pragma once

#include "platform/com.h"

namespace platform::detail {

// True for a VARIANT type the layer knows: a plain value, or an array of or a
// reference to a value or VARIANT.
bool IsKnownVariantType(VARTYPE vt);

// A deep copy of an array: the copy holds its own BSTRs and VARIANTs and its
// own references to interfaces. A null source copies to null.
HRESULT CopySafeArray(SAFEARRAY* source, SAFEARRAY** copy);

}  // namespace platform::detail
