// The system's language and fonts: the font families of the character sets
// the plug-in shows (ANSI, SHIFTJIS, GB2312 and SYMBOL) and the console's
// fixed-pitch font.
#pragma once

#include "platform/afx.h"

using CFontFamilyArray = CArray<LOGFONTA, const LOGFONTA&>;

// The primary language of the system's default language; fills the list
// with the families found on the main window's device context: those of
// weight 400, and the first "System" (any case). On a Japanese system a face
// already listed is not listed again, but its SHIFTJIS family takes the
// earlier one's place.
WORD GetSystemLanguageAndFonts(CFontFamilyArray& fonts);
// The families alone, with the Japanese rule or without it.
void CollectFontFamilies(CFontFamilyArray& fonts, BOOL japanese);
// Height 14, weight 400: "System" in SHIFTJIS on a Japanese system, else
// "Courier" in ANSI, as enumerated (the first family when that face is not
// there); when nothing is enumerated, that face and set with pitch and
// family 32.
BOOL CreateConsoleFont(CFont& font);
BOOL CreateConsoleFont(CFont& font, BOOL japanese);
// The face and the height (positive) of the font; FALSE when it cannot be
// read.
BOOL GetFontFaceAndHeight(CFont* font, CString& face, int& height);
