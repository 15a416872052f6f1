#include "util/path_rebase.h"

#include "util/mbcs.h"
#include "util/path_arithmetic.h"
#include "util/path_files.h"
#include "util/path_form.h"
#include "util/path_split.h"

namespace {

// A level limit that any path of at most 260 characters stays within.
constexpr int kAnyDepth = 260;

}  // namespace

BOOL RebaseFilePath(LPCSTR path, LPCSTR oldBase, LPCSTR newBase, CString& out) {
    CString rest;
    if (!GetPathBelow(path, oldBase, rest)) {
        out = path;
        return FALSE;
    }
    out = rest.IsEmpty() ? CString(newBase) : CombinePath(newBase, rest);
    return TRUE;
}

int RebaseIfWithin(LPCSTR path, LPCSTR oldBase, LPCSTR newBase, CString& out) {
    if (!IsPathWithin(path, oldBase)) {
        return 1;
    }
    out = ReplacePathPart(path, oldBase, newBase);
    return 0;
}

CString ReplacePathPart(LPCSTR path, LPCSTR oldPart, LPCSTR newPart) {
    const CString text = path != nullptr ? path : "";
    const CString oldText = RemoveTrailingBackslashCopy(oldPart);
    const CString newText = RemoveTrailingBackslashCopy(newPart);
    const int found = oldText.IsEmpty() ? -1 : mbcs::FindTextNoCase(text, oldText);
    if (found < 0) {
        return text;
    }
    return text.Left(found) + newText + text.Mid(found + oldText.GetLength());
}

void RebaseStringList(LPCSTR oldBase, LPCSTR newBase, const CStringList& list, CStringList& out) {
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        const CString& entry = list.GetNext(position);
        CString moved;
        out.AddTail(RebaseIfWithin(entry, oldBase, newBase, moved) == 0 ? moved : entry);
    }
}

void RebaseStringMap(LPCSTR oldBase, LPCSTR newBase, const CMapStringToString& map, CMapStringToString& out) {
    for (POSITION position = map.GetStartPosition(); position != nullptr;) {
        CString key;
        CString value;
        map.GetNextAssoc(position, key, value);
        CString moved;
        out.SetAt(key, RebaseIfWithin(value, oldBase, newBase, moved) == 0 ? moved : value);
    }
}

int MapPathBetweenBases(LPCSTR path, LPCSTR oldBase, LPCSTR newBase, CString& out) {
    if (EqualsNoCase(path, oldBase)) {
        out = newBase;
        return 0;
    }
    if (IsPathWithin(path, oldBase)) {
        RebaseIfWithin(path, oldBase, newBase, out);
        return 0;
    }
    // Elsewhere: the way from the old base to the path, taken from the new base.
    CString relative;
    CString moved;
    if (MakeRelativePath(path, oldBase, relative, kAnyDepth) == 0 && MakeAbsolutePath(relative, newBase, moved)) {
        out = moved;
    } else {
        out = path;
    }
    return 0;
}

int CheckOutputPaths(const CStringList& paths, CStringList& foldersToCreate, BOOL& problem) {
    problem = FALSE;
    CMapStringToString toCreate;
    for (POSITION position = paths.GetHeadPosition(); position != nullptr;) {
        const CString& path = paths.GetNext(position);
        if (!IsValidFullPath(path)) {
            problem = TRUE;
            continue;
        }
        const CString folder = GetPathFolder(path);
        BOOL creatable = FALSE;
        if (FolderExists(folder, &creatable)) {
            BOOL writable = FALSE;
            ResolveAndTestPath(path, &writable);
            if (!writable) {
                problem = TRUE;
            }
        } else if (creatable) {
            toCreate.SetAt(folder, "CREATE");
        } else {
            problem = TRUE;
        }
    }
    for (POSITION position = toCreate.GetStartPosition(); position != nullptr;) {
        CString folder;
        CString mark;
        toCreate.GetNextAssoc(position, folder, mark);
        foldersToCreate.AddTail(folder);
    }
    return 0;
}
