// What the "Set Break" sheet puts into its break-type page before it runs:
// the defaults of a new break, or the texts and choices of the break being
// edited.
#pragma once

#include "breaks/break_manager.h"

class CSetBrk1;

// "H'" and the value in upper-case hexadecimal, left-padded with zeros to
// width digits.
CString HexText(DWORD value, int width = 0);

// The defaults of a new break; the data size starts at "Byte" on the CPU
// types whose size list starts there, else at "Long word".
void PresetNewBreak(CSetBrk1& page, DWORD cpuTypeCode);
// The record's values as the page's texts and choices.
void PresetEditedBreak(CSetBrk1& page, BreakKind kind, const CTBreakContents& record, DWORD cpuTypeCode);
