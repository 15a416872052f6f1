// User-defined (custom) placeholders as the host keeps them, and their
// exchange with the host: a VARIANT of type VT_ARRAY | VT_BSTR with 4
// elements per placeholder, the first three quarters holding description,
// name and value of each in turn and the last quarter empty.
#pragma once

#include "platform/afx.h"
#include "platform/com.h"

class CCustomPlaceholderInfo {
public:
    CCustomPlaceholderInfo() = default;
    CCustomPlaceholderInfo(LPCSTR name, LPCSTR description, LPCSTR value)
        : m_name(name), m_description(description), m_value(value) {}

    bool operator==(const CCustomPlaceholderInfo& other) const {
        return m_description == other.m_description && m_name == other.m_name && m_value == other.m_value;
    }
    bool operator!=(const CCustomPlaceholderInfo& other) const { return !(*this == other); }

    CString m_name;         // the word between "$(" and ")"
    CString m_description;  // the menu text
    CString m_value;        // the expansion
};

// Records keyed by their names (exactly, case counts). A map owns its
// records: whoever empties it, or replaces one, deletes them.
using CCustomPlaceholderMap = CMap<CString, LPCSTR, CCustomPlaceholderInfo*, CCustomPlaceholderInfo*>;
using CCustomPlaceholderList = CList<CCustomPlaceholderInfo*, CCustomPlaceholderInfo*>;

// Deletes the records of a map or list and empties it.
void DeleteCustomPlaceholders(CCustomPlaceholderMap& map);
void DeleteCustomPlaceholders(CCustomPlaceholderList& list);
// Sets a record into the map under its name; a record stored there before is
// deleted.
void SetCustomPlaceholder(CCustomPlaceholderMap& map, CCustomPlaceholderInfo* record);

void CustomPlaceholderMapToVariant(const CCustomPlaceholderMap& map, VARIANT& out);
// Reads a new record per placeholder into the map. A VARIANT of another type,
// a count not divisible by 4, or a text element that is no text adds nothing.
void VariantToCustomPlaceholderMap(const VARIANT& placeholders, CCustomPlaceholderMap& map);
void CustomPlaceholderListToVariant(const CCustomPlaceholderList& list, VARIANT& out);
void VariantToCustomPlaceholderList(const VARIANT& placeholders, CCustomPlaceholderList& list);
// Equal counts and equal records at every position.
BOOL CompareCustomPlaceholderLists(const CCustomPlaceholderList& a, const CCustomPlaceholderList& b);
