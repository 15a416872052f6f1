// Conversions for the host boundary: class ids to and from their registry
// text, and lists to VARIANTs holding one-dimensional SAFEARRAYs of VARIANTs
// (lower bound 0), as the host's registration interfaces take them.
#pragma once

#include "platform/afx.h"

// The registry text of a class id ("{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}",
// upper-case digits) in one process-wide buffer that every call overwrites;
// exactly "0" when there is no id or no text can be made.
const char* ClsidToText(const CLSID* clsid);
// 1 when text is a valid class id text (and clsid gets it), else 0.
BOOL TextToClsid(const char* text, CLSID* clsid);

// One VT_BSTR element per text, in order; the VARIANT becomes
// VT_ARRAY|VT_BSTR. Whatever it held before is overwritten, not cleared. A
// list that cannot be made throws platform::ComError(E_OUTOFMEMORY) and
// leaves the VARIANT as it was.
void StringListToVariantArray(VARIANT* out, const CStringList& list);
void StringArrayToVariantArray(VARIANT* out, const CStringArray& array);
// One VT_UINT element per value; the VARIANT is initialised and becomes
// VT_ARRAY|VT_UINT (it stays empty when the array cannot be made, which
// throws platform::ComError(E_OUTOFMEMORY)).
void UintsToVariantArray(VARIANT* out, DWORD count, const DWORD* values);
void ListToVariantArray(VARIANT* out, const CList<UINT, UINT>& list);
