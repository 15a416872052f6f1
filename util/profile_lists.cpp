#include "util/profile_lists.h"

#include <string>

namespace {

template <typename Add>
void ReadEntries(LPCSTR section, LPCSTR prefix, int count, Add add) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        const std::string key = std::string(prefix != nullptr ? prefix : "") + std::to_string(i);
        const CString value = app->GetProfileString(section, key.c_str());
        if (value.IsEmpty()) {
            return;
        }
        add(value == kEmptyEntryMarker ? CString() : value);
    }
}

}  // namespace

void ReadProfileStringList(CStringArray& entries, LPCSTR section, LPCSTR prefix, int count) {
    ReadEntries(section, prefix, count, [&](const CString& value) { entries.Add(value); });
}

void ReadProfileStringListToList(CStringList& entries, LPCSTR section, LPCSTR prefix, int count) {
    ReadEntries(section, prefix, count, [&](const CString& value) { entries.AddTail(value); });
}

BOOL DeleteProfileSection(LPCSTR section) {
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->WriteProfileString(section, nullptr, nullptr) : FALSE;
}
