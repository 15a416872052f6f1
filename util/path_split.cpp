#include "util/path_split.h"

#include "platform/crt_strings.h"
#include "util/mbcs.h"
#include "util/path_form.h"
#include "util/string_text.h"

#include <cstring>

namespace {

constexpr int kMaxRootSteps = 50;

bool StartsWithBackslash(const char* text) {
    return text != nullptr && *text == '\\';
}

}  // namespace

BOOL SplitPath(LPCSTR path, CString& folder, CString& leaf) {
    PathRoot parsed;
    if (path == nullptr || IsRootPath(path) || !ParsePathRoot(path, parsed)) {
        return FALSE;
    }
    const char* last = mbcs::FindLastChar(parsed.rest, '\\');
    if (last != nullptr) {
        const char* separator = mbcs::FindLastChar(path, '\\');
        folder = CString(path, static_cast<int>(separator - path));
        leaf = separator + 1;
    } else {
        folder = parsed.root;
        leaf = parsed.rest;
    }
    return TRUE;
}

BOOL GetParentFolder(LPCSTR path, CString& folder) {
    CString parent;
    CString leaf;
    if (!SplitPath(path, parent, leaf)) {
        return FALSE;
    }
    folder = parent;
    return TRUE;
}

CString GetPathFolder(LPCSTR path) {
    CString folder;
    CString leaf;
    if (!IsValidFullPath(path) || !SplitPath(path, folder, leaf)) {
        return CString();
    }
    return folder;
}

CString GetPathLeaf(LPCSTR path) {
    if (path == nullptr) {
        return CString();
    }
    if (const char* last = mbcs::FindLastChar(path, '\\')) {
        return last + 1;
    }
    if (const char* colon = mbcs::FindChar(path, ':')) {
        return colon + 1;
    }
    return path;
}

CString GetPathExtension(LPCSTR path) {
    const char* dot = mbcs::FindLastChar(path, '.');
    const char* backslash = mbcs::FindLastChar(path, '\\');
    if (dot == nullptr || (backslash != nullptr && backslash > dot)) {
        return CString();
    }
    return dot + 1;
}

CString RemoveExtension(LPCSTR path) {
    if (path == nullptr) {
        return CString();
    }
    const char* dot = mbcs::FindLastChar(path, '.');
    const char* backslash = mbcs::FindLastChar(path, '\\');
    if (dot == nullptr || (backslash != nullptr && backslash > dot)) {
        return path;
    }
    return CString(path, static_cast<int>(dot - path));
}

CString GetPathTitle(LPCSTR path) {
    return RemoveExtension(GetPathLeaf(path));
}

BOOL SplitAtLastBackslash(LPCSTR path, CString& folder, CString& leaf) {
    const char* last = mbcs::FindLastChar(path, '\\');
    if (last == nullptr) {
        return FALSE;
    }
    leaf = last + 1;
    folder = CString(path, static_cast<int>(last - path));
    if (IsDriveSpec(folder) || folder == "\\") {
        folder += "\\";
    }
    return TRUE;
}

CString CombinePath(LPCSTR folder, LPCSTR name) {
    const CString base = folder != nullptr ? folder : "";
    const char* added = name != nullptr ? name : "";
    const bool folderHas = EndsWithBackslash(base);
    const bool nameHas = StartsWithBackslash(added);
    if (folderHas && nameHas) {
        return base + (added + 1);
    }
    if (!folderHas && !nameHas) {
        return base + "\\" + added;
    }
    return base + added;
}

void EnsureTrailingBackslash(CString& path) {
    if (!EndsWithBackslash(path)) {
        path += "\\";
    }
}

void RemoveTrailingBackslash(CString& path) {
    if (EndsWithBackslash(path)) {
        path = path.Left(path.GetLength() - 1);
    }
}

CString RemoveTrailingBackslashCopy(LPCSTR path) {
    CString copy = path;
    RemoveTrailingBackslash(copy);
    return copy;
}

void StripTrailingBackslashInPlace(char* path) {
    if (path != nullptr && EndsWithBackslash(path)) {
        path[std::strlen(path) - 1] = '\0';
    }
}

BOOL GetRootPath(LPCSTR path, CString& root) {
    CString current = path != nullptr ? path : "";
    for (int step = 0; step < kMaxRootSteps; ++step) {
        if (IsRootPath(current)) {
            root = current;
            return TRUE;
        }
        CString parent;
        if (!GetParentFolder(current, parent)) {
            return FALSE;
        }
        current = parent;
    }
    return FALSE;
}

BOOL IsPathWithin(LPCSTR path, LPCSTR folder) {
    CString fullPath = MakeLowerCopy(path);
    CString base = MakeLowerCopy(folder);
    EnsureTrailingBackslash(fullPath);
    EnsureTrailingBackslash(base);
    return FindSubstring(fullPath, base) >= 0 ? TRUE : FALSE;
}

BOOL GetPathBelow(LPCSTR path, LPCSTR base, CString& rest) {
    const CString lowerPath = MakeLowerCopy(path);
    const CString lowerBase = MakeLowerCopy(base);
    if (lowerPath.Left(lowerBase.GetLength()) != lowerBase) {
        return FALSE;
    }
    rest = lowerPath.Mid(lowerBase.GetLength());
    if (StartsWithBackslash(rest)) {
        rest = rest.Mid(1);
    }
    return TRUE;
}

LPCSTR FindLastBackslash(LPCSTR text) {
    return mbcs::FindLastChar(text, '\\');
}

LPCSTR FindNthBackslash(LPCSTR text, int n) {
    return FindNthChar(text, '\\', n);
}

BOOL EqualsNoCase(LPCSTR a, LPCSTR b) {
    return a != nullptr && b != nullptr && _stricmp(a, b) == 0 ? TRUE : FALSE;
}
