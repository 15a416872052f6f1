// Lists kept in the application's profile: entries named by a prefix and
// their index ("Name0", "Name1", ...), an empty entry written as
// "$(UTILS_EMPTY_STRING)".
#pragma once

#include "platform/afx.h"

// The marker that stands for an empty entry.
inline constexpr char kEmptyEntryMarker[] = "$(UTILS_EMPTY_STRING)";

// Reads entries 0 below the count; an absent or empty value ends the list.
void ReadProfileStringList(CStringArray& entries, LPCSTR section, LPCSTR prefix, int count);
void ReadProfileStringListToList(CStringList& entries, LPCSTR section, LPCSTR prefix, int count);
// Removes the whole section from the profile.
BOOL DeleteProfileSection(LPCSTR section);
