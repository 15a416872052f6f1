#include "util/placeholder_keywords.h"

#include "platform/mbstring.h"

#include <cstring>

const char* const g_placeholderKeywords[] = {
    "ERROR",     "FULLFILE",  "FILENAME",     "FILELEAF",   "FILEDIR",     "EXTENSION", "KTRDIR",
    "TEMPDIR",   "WORKSPDIR", "WORKSPNAME",   "PROJDIR",    "PROJECTNAME", "CONFIGNAME", "CONFIGDIR",
    "TCINSTALL", "EXEDIR",    "EXENAME",      "WINDIR",     "WINSYSDIR",   "LINE",      "TOOLDIR",
    "KTR_HWND",  "KTR_ID",    "TIME",         "DATE_TEXT",  "DATE_DMY",    "DATE_MDY",  "DATE_YMD",
    "USER",      "CURSOR",    "PAGENO",       "LEFT",       "CENTRE",      "RIGHT",     "USERINPUT***",
    "DEVICEDETAILS", nullptr,
};

// "TD" and "PN" stand twice: a lookup finds the first (TEMPDIR, PROJECTNAME).
const char* const g_placeholderShortCodes[] = {
    "ERROR", "FF", "FN", "FL", "FD", "EX", "KD", "TD", "WD", "WN", "PD", "PN", "CN", "CD", "TI", "ED", "EN", "WR",
    "WS",    "LN", "TD", "KH", "KI", "TM", "DT", "DD", "DM", "DY", "UR", "CU", "PN", "LT", "CR", "RT", "UI***",
    nullptr,
};

const UINT g_placeholderDescriptionIds[] = {
    50004, 50005, 50006, 50007, 50008, 50009, 50010, 50011, 50012, 50013, 50014, 50015,
    50016, 50017, 50018, 50019, 50020, 50021, 50022, 50023, 50024, 50025, 50026, 50027,
    50028, 50029, 50030, 50031, 50032, 50033, 50034, 50035, 50036, 50037, 50004, 50004,
};

static_assert(sizeof(g_placeholderKeywords) / sizeof(g_placeholderKeywords[0]) == kPlaceholderCount + 1);
static_assert(sizeof(g_placeholderShortCodes) / sizeof(g_placeholderShortCodes[0]) == kPlaceholderCount);
static_assert(sizeof(g_placeholderDescriptionIds) / sizeof(g_placeholderDescriptionIds[0]) == kPlaceholderCount);

namespace {

bool InRange(int index) {
    return index >= kFullFile && index <= kDeviceDetails;
}

bool MatchesStarEntry(const char* entry, const char* name) {
    const std::size_t length = std::strlen(entry);
    if (length <= 3 || std::strcmp(entry + length - 3, "***") != 0 || std::strlen(name) < length - 3) {
        return false;
    }
    return _mbsnbicmp(reinterpret_cast<const unsigned char*>(name), reinterpret_cast<const unsigned char*>(entry),
                      length - 3) == 0;
}

}  // namespace

int FindKeyword(LPCSTR name, const char* const* table) {
    if (name == nullptr || table == nullptr) {
        return -1;
    }
    for (int index = 0; table[index] != nullptr; ++index) {
        if (std::strcmp(table[index], name) == 0 || MatchesStarEntry(table[index], name)) {
            return index;
        }
    }
    return -1;
}

int FindAnyKeyword(LPCSTR name) {
    const int index = FindKeyword(name, g_placeholderKeywords);
    return index >= 0 ? index : FindKeyword(name, g_placeholderShortCodes);
}

CString PlaceholderToken(int index, BOOL withBrackets) {
    if (!InRange(index)) {
        return "ERROR";
    }
    const CString name = g_placeholderKeywords[index];
    return withBrackets ? "$(" + name + ")" : name;
}

CString PlaceholderDescription(int index) {
    if (!InRange(index)) {
        return "ERROR";
    }
    CString text;
    text.LoadString(g_placeholderDescriptionIds[index]);
    return text;
}

CString PlaceholderShortCode(int index) {
    if (!InRange(index)) {
        return "ERROR";
    }
    return index < kDeviceDetails ? CString(g_placeholderShortCodes[index]) : CString();
}
