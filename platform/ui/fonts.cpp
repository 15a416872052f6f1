// The font families there are: a fixed set, with the double-byte code
// page's own families when the layer reads code page 932 (as a Japanese
// system has them).
#include "platform/codepage.h"
#include "platform/gdi.h"

#include <cstring>
#include <vector>

namespace {

struct Family {
    const char* face;
    BYTE charSet;
    LONG weight;
    BYTE pitchAndFamily;
    DWORD fontType;
};

constexpr Family kFamilies[] = {
    {"Courier", ANSI_CHARSET, FW_NORMAL, FIXED_PITCH | FF_MODERN, RASTER_FONTTYPE},
    {"Courier New", ANSI_CHARSET, FW_NORMAL, FIXED_PITCH | FF_MODERN, TRUETYPE_FONTTYPE},
    {"MS Sans Serif", ANSI_CHARSET, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, RASTER_FONTTYPE},
    {"System", ANSI_CHARSET, FW_BOLD, VARIABLE_PITCH | FF_SWISS, RASTER_FONTTYPE},
    {"Symbol", SYMBOL_CHARSET, FW_NORMAL, VARIABLE_PITCH | FF_ROMAN, TRUETYPE_FONTTYPE},
    {"Terminal", OEM_CHARSET, FW_NORMAL, FIXED_PITCH | FF_MODERN, RASTER_FONTTYPE},
};

constexpr Family kJapaneseFamilies[] = {
    {"System", SHIFTJIS_CHARSET, FW_BOLD, VARIABLE_PITCH | FF_SWISS, RASTER_FONTTYPE},
    {"MS Gothic", SHIFTJIS_CHARSET, FW_NORMAL, FIXED_PITCH | FF_MODERN, TRUETYPE_FONTTYPE},
};

std::vector<Family> Families() {
    std::vector<Family> families(std::begin(kFamilies), std::end(kFamilies));
    if (platform::AnsiCodePage() == 932) {
        families.insert(families.end(), std::begin(kJapaneseFamilies), std::end(kJapaneseFamilies));
    }
    return families;
}

}  // namespace

int EnumFontFamiliesExA(HDC, LPLOGFONTA font, FONTENUMPROCA callback, LPARAM data, DWORD) {
    if (font == nullptr || callback == nullptr) {
        return 0;
    }
    int answer = 1;
    for (const Family& family : Families()) {
        if ((font->lfCharSet != DEFAULT_CHARSET && font->lfCharSet != family.charSet) ||
            (font->lfFaceName[0] != '\0' && std::strcmp(font->lfFaceName, family.face) != 0)) {
            continue;
        }
        LOGFONTA described{};
        described.lfHeight = 16;
        described.lfWidth = platform::kCharWidth;
        described.lfWeight = family.weight;
        described.lfCharSet = family.charSet;
        described.lfOutPrecision = 1;  // OUT_STRING_PRECIS
        described.lfClipPrecision = 2;  // CLIP_STROKE_PRECIS
        described.lfQuality = 1;  // DRAFT_QUALITY
        described.lfPitchAndFamily = family.pitchAndFamily;
        std::strncpy(described.lfFaceName, family.face, LF_FACESIZE - 1);
        TEXTMETRICA metrics{};
        metrics.tmHeight = 16;
        metrics.tmAscent = 13;
        metrics.tmDescent = 3;
        metrics.tmAveCharWidth = platform::kCharWidth;
        metrics.tmMaxCharWidth = 2 * platform::kCharWidth;
        metrics.tmWeight = family.weight;
        metrics.tmPitchAndFamily = family.pitchAndFamily;
        metrics.tmCharSet = family.charSet;
        answer = callback(&described, &metrics, family.fontType, data);
        if (answer == 0) {
            break;
        }
    }
    return answer;
}
