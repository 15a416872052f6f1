#include "util/system_fonts.h"

#include "platform/crt_strings.h"
#include "platform/sysinfo.h"
#include "util/os_version.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kConsoleHeight = 14;
constexpr BYTE kFallbackPitchAndFamily = 32;

// Set when an enumeration recorded its "System" face; each enumeration
// starts it afresh. The UI thread's.
std::atomic<bool> g_systemFaceRecorded{false};

bool Shown(BYTE charSet) {
    return charSet == ANSI_CHARSET || charSet == SHIFTJIS_CHARSET || charSet == GB2312_CHARSET ||
           charSet == SYMBOL_CHARSET;
}

bool IsSystemFace(const char* face) {
    return _stricmp(face, "System") == 0;
}

// The rule of both callbacks: weight 400, or the first "System".
void RecordIfWanted(const LOGFONTA& font, CFontFamilyArray& fonts) {
    if (font.lfWeight == FW_NORMAL) {
        fonts.Add(font);
    } else if (IsSystemFace(font.lfFaceName) && !g_systemFaceRecorded) {
        fonts.Add(font);
        g_systemFaceRecorded = true;
    }
}

int CALLBACK RecordFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM data) {
    if (Shown(font->lfCharSet)) {
        RecordIfWanted(*font, *reinterpret_cast<CFontFamilyArray*>(data));
    }
    return 1;
}

int CALLBACK RecordJapaneseFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM data) {
    if (!Shown(font->lfCharSet)) {
        return 1;
    }
    auto& fonts = *reinterpret_cast<CFontFamilyArray*>(data);
    for (INT_PTR i = 0; i < fonts.GetSize(); ++i) {
        if (std::strcmp(fonts[i].lfFaceName, font->lfFaceName) == 0) {
            if (font->lfCharSet == SHIFTJIS_CHARSET) {
                fonts[i] = *font;
            }
            return 1;
        }
    }
    RecordIfWanted(*font, fonts);
    return 1;
}

}  // namespace

WORD GetSystemLanguageAndFonts(CFontFamilyArray& fonts) {
    CollectFontFamilies(fonts, IsJapaneseSystemLocale());
    return static_cast<WORD>(PRIMARYLANGID(GetSystemDefaultLangID()));
}

void CollectFontFamilies(CFontFamilyArray& fonts, BOOL japanese) {
    CWnd* main = AfxGetMainWnd();
    const HWND window = main != nullptr ? main->GetSafeHwnd() : nullptr;
    const HDC dc = GetDC(window);
    LOGFONTA all{};
    all.lfCharSet = DEFAULT_CHARSET;
    g_systemFaceRecorded = false;
    EnumFontFamiliesExA(dc, &all, japanese ? &RecordJapaneseFamily : &RecordFamily, reinterpret_cast<LPARAM>(&fonts),
                        0);
    ReleaseDC(window, dc);
}

BOOL CreateConsoleFont(CFont& font) {
    return CreateConsoleFont(font, IsJapaneseSystemLocale());
}

BOOL CreateConsoleFont(CFont& font, BOOL japanese) {
    const char* face = japanese ? "System" : "Courier";
    const BYTE charSet = japanese ? SHIFTJIS_CHARSET : ANSI_CHARSET;
    CFontFamilyArray families;
    CollectFontFamilies(families, japanese);
    LOGFONTA chosen{};
    if (families.GetSize() > 0) {
        chosen = families[0];
        for (INT_PTR i = 0; i < families.GetSize(); ++i) {
            if (families[i].lfCharSet == charSet && _stricmp(families[i].lfFaceName, face) == 0) {
                chosen = families[i];
                break;
            }
        }
    } else {
        chosen.lfCharSet = charSet;
        chosen.lfPitchAndFamily = kFallbackPitchAndFamily;
        std::strncpy(chosen.lfFaceName, face, LF_FACESIZE - 1);
    }
    chosen.lfHeight = kConsoleHeight;
    chosen.lfWeight = FW_NORMAL;
    return font.CreateFontIndirect(&chosen);
}

BOOL GetFontFaceAndHeight(CFont* font, CString& face, int& height) {
    LOGFONTA description{};
    if (font == nullptr || font->GetLogFont(&description) == 0) {
        return FALSE;
    }
    face = description.lfFaceName;
    height = std::abs(static_cast<int>(description.lfHeight));
    return TRUE;
}
