#include "util/path_arithmetic.h"

#include "platform/crt.h"
#include "util/mbcs.h"
#include "util/path_files.h"
#include "util/path_form.h"
#include "util/path_split.h"
#include "util/string_text.h"

#include <vector>

namespace {

constexpr int kMaxComponentLevels = 50;
constexpr int kMaxAncestorLevels = 100;

// The components between single-byte backslashes, empty ones included.
std::vector<CString> RawComponents(LPCSTR text) {
    std::vector<CString> components;
    const char* start = text;
    for (const char* p = text; *p != '\0'; p = mbcs::Next(p)) {
        if (mbcs::CharBytes(p) == 1 && *p == '\\') {
            components.emplace_back(start, static_cast<int>(p - start));
            start = p + 1;
        }
    }
    components.emplace_back(start);
    return components;
}

// The parent of a folder written with a trailing backslash, keeping one; a
// root stays as it is.
CString ParentWithBackslash(const CString& folder) {
    if (IsRootPath(folder)) {
        return folder;
    }
    CString parent;
    if (!GetParentFolder(RemoveTrailingBackslashCopy(folder), parent)) {
        return folder;
    }
    EnsureTrailingBackslash(parent);
    return parent;
}

// Whether the folder is the ancestor or lies below it (without regard to
// case); down is the folder's own spelling of the part below.
bool LiesAtOrBelow(const CString& folder, const CString& ancestor, CString& down) {
    CString fullFolder = folder;
    CString fullAncestor = ancestor;
    EnsureTrailingBackslash(fullFolder);
    EnsureTrailingBackslash(fullAncestor);
    if (fullFolder.GetLength() < fullAncestor.GetLength() ||
        MakeLowerCopy(fullFolder.Left(fullAncestor.GetLength())) != MakeLowerCopy(fullAncestor)) {
        return false;
    }
    down = RemoveTrailingBackslashCopy(fullFolder.Mid(fullAncestor.GetLength()));
    return true;
}

// The folder a path's entry lies in, without a trailing backslash unless it
// is a root.
CString FolderOf(const CString& path) {
    CString folder;
    return GetParentFolder(path, folder) ? folder : CString();
}

}  // namespace

BOOL MakeAbsolutePath(LPCSTR relative, LPCSTR base, CString& out) {
    if (relative == nullptr || base == nullptr || *relative == '\0' || *base == '\0' || IsDrivePath(relative) ||
        IsUncPath(relative) || !IsValidFolderPath(base) || HasInvalidPathChars(relative) || HasInvalidPathChars(base)) {
        return FALSE;
    }
    CString folder = base;
    EnsureTrailingBackslash(folder);
    CString rest = relative;
    const bool trailing = EndsWithBackslash(rest);
    EnsureTrailingBackslash(rest);
    if (rest[0] == '\\') {
        CString root;
        if (GetRootPath(RemoveTrailingBackslashCopy(folder), root)) {
            folder = root;
        }
        rest = rest.Mid(1);
    }
    for (const CString& component : RawComponents(rest)) {
        if (component.IsEmpty() || component == ".") {
            continue;
        }
        if (component == "..") {
            folder = ParentWithBackslash(folder);
        } else {
            folder += component + "\\";
        }
    }
    if (!trailing && !IsRootPath(folder)) {
        RemoveTrailingBackslash(folder);
    }
    out = folder;
    return TRUE;
}

CString NormalisePath(LPCSTR path) {
    CStringList components;
    SplitPathComponents(path, components);
    // Read from the last: each ".." cancels one component before it.
    std::vector<CString> kept;
    int pending = 0;
    for (POSITION position = components.GetTailPosition(); position != nullptr;) {
        const CString& component = components.GetPrev(position);
        if (component == ".") {
            continue;
        }
        if (component == "..") {
            ++pending;
        } else if (pending > 0) {
            --pending;
        } else {
            kept.insert(kept.begin(), component);
        }
    }
    if (kept.empty()) {
        return CString();
    }
    CString result = kept[0];
    if (kept.size() == 1) {
        EnsureTrailingBackslash(result);
    }
    for (std::size_t i = 1; i < kept.size(); ++i) {
        result = CombinePath(result, kept[i]);
    }
    return result;
}

BOOL ResolveNormaliseAndTestPath(LPCSTR path, BOOL* writable) {
    // A path in drive or UNC form stands for itself, "." and ".." included;
    // any other is taken from the current directory.
    CString full = path != nullptr ? path : "";
    if (!IsDrivePath(full) && !IsUncPath(full)) {
        full = CombinePath(GetCurrentDirectoryText(), full);
    }
    return ResolveAndTestPath(NormalisePath(full), writable);
}

int MakeRelativePath(LPCSTR path, LPCSTR base, CString& out, int levelLimit) {
    const CString target = RemoveTrailingBackslashCopy(path);
    const CString from = base != nullptr ? CString(base) : CString();
    if (!IsValidFolderPath(target) || !IsValidFolderPath(from)) {
        return 1;
    }
    out.Empty();
    const CString folder = FolderOf(target);
    const CString leaf = GetPathLeaf(target);
    CString ancestor = IsRootPath(from) ? from : RemoveTrailingBackslashCopy(from);
    // A base within the path's folder is walked up to that folder (a root
    // included); any other is walked up to a common ancestor, and a root
    // reached on the way is none.
    CString below;
    const bool baseWithinFolder = LiesAtOrBelow(ancestor, folder, below);
    int steps = 0;
    CString down;
    while (!LiesAtOrBelow(folder, ancestor, down)) {
        if (IsRootPath(ancestor) || steps >= levelLimit) {
            return 1;
        }
        ancestor = FolderOf(ancestor);
        ++steps;
        if (ancestor.IsEmpty() || (!baseWithinFolder && IsRootPath(ancestor))) {
            return 1;
        }
    }
    CString relative;
    for (int i = 0; i < steps; ++i) {
        relative = relative.IsEmpty() ? CString("..") : CombinePath(relative, "..");
    }
    if (!down.IsEmpty()) {
        relative = relative.IsEmpty() ? down : CombinePath(relative, down);
    }
    out = relative.IsEmpty() ? leaf : CombinePath(relative, leaf);
    return 0;
}

void SplitPathComponents(LPCSTR path, CStringList& components) {
    CString carried;
    const std::vector<CString> raw = RawComponents(path != nullptr ? path : "");
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i].IsEmpty()) {
            if (i + 1 < raw.size()) {
                carried += "\\";
            }
            continue;
        }
        components.AddTail(carried + raw[i]);
        carried.Empty();
    }
}

BOOL SplitAllComponents(LPCSTR path, CString& leaf, CStringArray& folders, CString& root) {
    CString current = path != nullptr ? path : "";
    CString folder;
    CString name;
    if (!SplitPath(current, folder, name)) {
        return FALSE;
    }
    leaf = name;
    folders.RemoveAll();
    current = folder;
    for (int level = 0; !IsRootPath(current); ++level) {
        if (level >= kMaxComponentLevels || !SplitPath(current, folder, name)) {
            return FALSE;
        }
        folders.Add(name);
        current = folder;
    }
    root = current;
    return TRUE;
}

BOOL SplitIntoComponents(LPCSTR path, CString& root, CStringArray& components) {
    std::vector<CString> names;
    CString current = path != nullptr ? path : "";
    for (int level = 0; !IsRootPath(current); ++level) {
        CString folder;
        CString name;
        if (level >= kMaxComponentLevels || !SplitPath(current, folder, name)) {
            return FALSE;
        }
        names.insert(names.begin(), name);
        current = folder;
    }
    root = current;
    components.RemoveAll();
    for (const CString& name : names) {
        components.Add(name);
    }
    return TRUE;
}

BOOL SplitFullPath(LPCSTR path, CString* drive, CString* folder, CString* name, CString* extension) {
    if (!IsValidFullPath(path)) {
        return FALSE;
    }
    char parts[4][kMaxPathLength + 1] = {};
    _splitpath(path, parts[0], parts[1], parts[2], parts[3]);
    CString* outs[] = {drive, folder, name, extension};
    for (int i = 0; i < 4; ++i) {
        if (outs[i] != nullptr) {
            *outs[i] = parts[i];
        }
    }
    return TRUE;
}

BOOL FindExistingAncestor(LPCSTR path, CString& folder) {
    CString current = path != nullptr ? path : "";
    for (int level = 0; level < kMaxAncestorLevels; ++level) {
        const DWORD attributes = GetFileAttributesA(current);
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                return FALSE;
            }
            folder = current;
            return TRUE;
        }
        CString parent;
        if (IsRootPath(current) || !GetParentFolder(current, parent)) {
            return FALSE;
        }
        current = parent;
    }
    return FALSE;
}

BOOL IsFileInFolder(LPCSTR file, LPCSTR folder) {
    if (file == nullptr || folder == nullptr || *file == '\0' || *folder == '\0') {
        return FALSE;
    }
    CString fileFolder = MakeLowerCopy(GetPathFolder(file));
    CString base = MakeLowerCopy(folder);
    EnsureTrailingBackslash(fileFolder);
    EnsureTrailingBackslash(base);
    return fileFolder.GetLength() >= base.GetLength() && fileFolder.Left(base.GetLength()) == base ? TRUE : FALSE;
}
