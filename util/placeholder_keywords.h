// The placeholder keywords: names written between "$(" and ")" in texts the
// user types for file names and commands. Index 0 holds "ERROR", which is no
// keyword; indexes 1 to 35 are the keywords, most with a two-letter short
// code.
#pragma once

#include "platform/afx.h"

enum PlaceholderIndex : int {
    kPlaceholderError = 0,
    kFullFile = 1,
    kFileName,
    kFileLeaf,
    kFileDir,
    kExtension,
    kKtrDir,
    kTempDir,
    kWorkspaceDir,
    kWorkspaceName,
    kProjectDir,
    kProjectName,
    kConfigName,
    kConfigDir,
    kTcInstall,
    kExeDir,
    kExeName,
    kWinDir,
    kWinSysDir,
    kLine,
    kToolDir,
    kKtrHwnd,
    kKtrId,
    kTime,
    kDateText,
    kDateDmy,
    kDateMdy,
    kDateYmd,
    kUser,
    kCursor,
    kPageNo,
    kLeft,
    kCentre,
    kRight,
    kUserInput,
    kDeviceDetails,
    kPlaceholderCount = 36,
};

// The long names and the short codes, indexed alike and each ended by a null
// entry. The last keyword has no short code: that table ends at its index.
extern const char* const g_placeholderKeywords[];
extern const char* const g_placeholderShortCodes[];
// The string-table ids of the keywords' menu texts.
extern const UINT g_placeholderDescriptionIds[];

// The first entry of a table equal to name (exactly), or ending in "***" with
// name beginning with the text before the stars (ignoring case); -1 for none.
int FindKeyword(LPCSTR name, const char* const* table);
// The long table first, then the short codes.
int FindAnyKeyword(LPCSTR name);
// The long name, or "$(" name ")" with brackets; "ERROR" outside 1 to 35.
CString PlaceholderToken(int index, BOOL withBrackets);
// The menu text from the string table; "ERROR" outside 1 to 35.
CString PlaceholderDescription(int index);
// The short code ("" for the keyword without one); "ERROR" outside 1 to 35.
CString PlaceholderShortCode(int index);
