#include "util/path_names.h"

#include "platform/files.h"
#include "platform/shell.h"
#include "util/mbcs.h"
#include "util/path_arithmetic.h"
#include "util/path_files.h"
#include "util/path_form.h"
#include "util/path_split.h"
#include "util/string_text.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kLastNumber = 998;
constexpr int kLastExtensionNumber = 98;

// The position of the extension's '.' (after the last backslash), or null.
const char* ExtensionDot(const char* path) {
    const char* dot = mbcs::FindLastChar(path, '.');
    const char* backslash = mbcs::FindLastChar(path, '\\');
    return dot != nullptr && (backslash == nullptr || dot > backslash) ? dot : nullptr;
}

bool IsFree(const CString& path) {
    return !ResolveAndTestPath(path);
}

// The first or last n characters of a text (whole characters; none for n < 1).
CString FirstChars(const CString& text, int n) {
    return n < 1 ? CString() : LeftChars(text, n);
}

CString LastChars(const CString& text, int n) {
    return n < 1 ? CString() : CString(mbcs::LastChars(text, n));
}

// The root, the folders from the top down, and the leaf of a path.
struct Parts {
    CString root;
    std::vector<CString> folders;
    CString leaf;
};

bool SplitParts(LPCSTR path, Parts& parts) {
    CStringArray deepestFirst;
    if (!SplitAllComponents(path, parts.leaf, deepestFirst, parts.root)) {
        return false;
    }
    for (INT_PTR i = deepestFirst.GetSize() - 1; i >= 0; --i) {
        parts.folders.push_back(deepestFirst[i]);
    }
    return true;
}

CString WithBackslashes(std::vector<CString>::const_iterator first, std::vector<CString>::const_iterator last) {
    CString text;
    for (auto it = first; it != last; ++it) {
        text += *it + "\\";
    }
    return text;
}

}  // namespace

BOOL MakeNumberedFileName(LPCSTR path, CString& out) {
    CStringArray names;
    if (MakeNumberedFileNames(path, 1, names) != 1) {
        return FALSE;
    }
    out = names[0];
    return TRUE;
}

int MakeNumberedFileNames(LPCSTR path, int count, CStringArray& out) {
    const CString base = RemoveExtension(path) + ".";
    int found = 0;
    for (int n = 1; n <= kLastNumber && found < count; ++n) {
        CString candidate;
        candidate.Format("%s%03d", static_cast<LPCSTR>(base), n);
        if (IsFree(candidate)) {
            out.Add(candidate);
            ++found;
        }
    }
    return found;
}

BOOL MakeNumberedExtension(LPCSTR path, char prefix, CString& out) {
    const CString text = path != nullptr ? path : "";
    const char* dot = ExtensionDot(text);
    const CString base = dot != nullptr ? text.Left(static_cast<int>(dot - static_cast<LPCSTR>(text)) + 1) : text + ".";
    for (int n = 1; n <= kLastExtensionNumber; ++n) {
        CString candidate;
        candidate.Format("%s%c%02d", static_cast<LPCSTR>(base), prefix, n);
        if (IsFree(candidate)) {
            out = candidate;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL HasExtension(LPCSTR path) {
    const char* dot = path != nullptr ? ExtensionDot(path) : nullptr;
    return dot != nullptr && dot[1] != '\0' ? TRUE : FALSE;
}

BOOL AddExtension(LPCSTR path, LPCSTR extension, CString& out) {
    const CString text = path != nullptr ? path : "";
    const char* dot = ExtensionDot(text);
    if (dot == nullptr) {
        out = text + "." + extension;
        return FALSE;
    }
    out = dot[1] == '\0' ? text + extension : text;
    return dot[1] != '\0' ? TRUE : FALSE;
}

CString ForwardToBackslash(LPCSTR path) {
    return ReplaceAll(path, "/", "\\");
}

CString UnquotePath(LPCSTR path) {
    CString text = path != nullptr ? path : "";
    RemoveChar(text, '"');
    return text;
}

CString GetShortPath(LPCSTR path) {
    const CString text = UnquotePath(path);
    char shortPath[kMaxPathLength + 1] = {};
    const DWORD length = GetShortPathNameA(text, shortPath, sizeof(shortPath));
    return length == 0 || length >= sizeof(shortPath) ? CString() : CString(shortPath);
}

BOOL IsNot83Path(LPCSTR path) {
    const CString text = UnquotePath(path);
    if (text.IsEmpty()) {
        return FALSE;
    }
    if (mbcs::FindChar(text, ' ') != nullptr || CharCount(GetPathTitle(text)) > 8 ||
        CharCount(GetPathExtension(text)) > 3) {
        return TRUE;
    }
    CStringList components;
    SplitPathComponents(text, components);
    if (!components.IsEmpty()) {
        components.RemoveTail();  // the leaf
    }
    for (POSITION position = components.GetHeadPosition(); position != nullptr;) {
        const CString& folder = components.GetNext(position);
        if (IsDriveSpec(folder)) {
            continue;
        }
        const char* dot = mbcs::FindLastChar(folder, '.');
        const int length = CharCount(folder);
        if (length >= 12 || (dot != nullptr && CharCount(dot + 1) > 3) || (dot == nullptr && length > 8)) {
            return TRUE;
        }
    }
    return FALSE;
}

BOOL AbbreviatePath(LPCSTR path, int firstCount, int lastCount, CString& out) {
    Parts parts;
    if (!IsValidFullPath(path) || !SplitParts(path, parts)) {
        return FALSE;
    }
    const int count = static_cast<int>(parts.folders.size());
    firstCount = std::max(firstCount, 0);
    lastCount = std::max(lastCount, 0);
    if (firstCount + lastCount >= count) {
        out = path;
        return TRUE;
    }
    out = parts.root + WithBackslashes(parts.folders.begin(), parts.folders.begin() + firstCount) + "...\\" +
          WithBackslashes(parts.folders.end() - lastCount, parts.folders.end()) + parts.leaf;
    return TRUE;
}

void AbbreviatePathToWidth(LPCSTR path, CString& out, int width) {
    Parts parts;
    if (!SplitParts(path, parts)) {
        return;
    }
    const auto& folders = parts.folders;
    const int count = static_cast<int>(folders.size());
    // The (up to) two deepest folders and the leaf.
    const int inTail = std::min(count, 2);
    const CString tail = "\\" + WithBackslashes(folders.end() - inTail, folders.end()) + parts.leaf;
    if (CharCount(tail) + 3 > width) {
        out = "..." + LastChars(tail, width - 3);
        return;
    }
    // The root and (up to) two top-most folders not in the tail.
    const int inHead = std::min(count - inTail, 2);
    const CString head = parts.root + WithBackslashes(folders.begin(), folders.begin() + inHead);
    if (CharCount(head) + CharCount(tail) + 3 > width) {
        out = FirstChars(head, width - 3 - CharCount(tail)) + "..." + tail;
        return;
    }
    const int deepest = count < 2 ? count : (count == 2 ? 1 : (count == 3 ? 2 : count - 2));
    const CString middle = "\\" + WithBackslashes(folders.end() - deepest, folders.end()) + parts.leaf;
    if (CharCount(head) + CharCount(middle) + 3 > width) {
        out = head + "..." + LastChars(middle, width - 3 - CharCount(head));
    }
}

void FitPathToWidth(LPCSTR path, CString& out, int width) {
    const CString text = path != nullptr ? path : "";
    if (text.GetLength() <= width) {
        out = text;
        return;
    }
    if (width < 4) {
        return;
    }
    Parts parts;
    if (!SplitParts(text, parts)) {
        out = "..." + LastChars(text, width - 3);
        return;
    }
    if (parts.leaf.GetLength() > width) {
        out = "..." + LastChars(parts.leaf, width - 3);
        return;
    }
    CString rootSide = parts.root;
    CString leafSide = parts.leaf;
    const auto fits = [&](const CString& root, const CString& leaf) {
        return root.GetLength() + 4 + leaf.GetLength() <= width;
    };
    if (!fits(rootSide, leafSide)) {
        out = parts.leaf;
        return;
    }
    // Alternately the deepest and the top-most remaining folder, while they fit.
    std::size_t top = 0;
    std::size_t bottom = parts.folders.size();
    for (bool deepest = true; top < bottom; deepest = !deepest) {
        const CString root = deepest ? rootSide : rootSide + parts.folders[top] + "\\";
        const CString leaf = deepest ? parts.folders[bottom - 1] + "\\" + leafSide : leafSide;
        if (!fits(root, leaf)) {
            break;
        }
        rootSide = root;
        leafSide = leaf;
        if (deepest) {
            --bottom;
        } else {
            ++top;
        }
    }
    out = rootSide + "...\\" + leafSide;
}

BOOL GetDisplayPath(LPCSTR path, CString& out) {
    CString root;
    CStringArray components;
    if (!ResolveAndTestPath(path) || !SplitIntoComponents(path, root, components)) {
        return FALSE;
    }
    CString rebuilt = root;
    if (IsDrivePath(root)) {
        rebuilt.MakeUpper();
    }
    CString actual = root;
    for (INT_PTR i = 0; i < components.GetSize(); ++i) {
        actual = CombinePath(actual, components[i]);
        std::string shown;
        const bool sameName = platform::ShellDisplayName(actual, shown) && components[i].CompareNoCase(shown.c_str()) == 0;
        rebuilt = CombinePath(rebuilt, sameName ? CString(shown) : components[i]);
    }
    const CString input = path;
    if (rebuilt.CompareNoCase(input) == 0) {
        out = rebuilt;
    } else if (input.GetLength() > rebuilt.GetLength() && input.Left(rebuilt.GetLength()).CompareNoCase(rebuilt) == 0) {
        const CString rest = input.Mid(rebuilt.GetLength());
        out = rest[0] == '.' ? rebuilt + MakeLowerCopy(rest) : rebuilt;
    } else {
        out = input;
    }
    return TRUE;
}
