#include "util/folder_search.h"

#include "util/mbcs.h"
#include "util/mbcs_file_find.h"
#include "util/path_files.h"
#include "util/path_form.h"
#include "util/path_split.h"
#include "util/string_compare.h"
#include "util/string_sort.h"
#include "util/string_text.h"

#include <algorithm>
#include <deque>
#include <vector>

namespace {

// Calls visit(finder) for every entry of the folder but "." and "..".
template <typename Visit>
void ForEachEntry(LPCSTR folder, LPCSTR pattern, Visit visit) {
    CMbcsFileFind finder;
    if (!finder.FindFile(CombinePath(folder, pattern))) {
        return;
    }
    for (BOOL more = TRUE; more;) {
        more = finder.FindNextFile();
        if (!finder.IsDots()) {
            visit(finder);
        }
    }
}

void CollectSubfolders(LPCSTR folder, CStringList& subfolders, BOOL recurse) {
    ForEachEntry(folder, "*.*", [&](const CMbcsFileFind& finder) {
        if (finder.IsDirectory() && !finder.IsHidden() && !finder.IsSystem()) {
            const CString path = CombinePath(folder, finder.GetFileName());
            subfolders.AddTail(path);
            if (recurse) {
                CollectSubfolders(path, subfolders, recurse);
            }
        }
    });
}

void Collect(LPCSTR folder, CStringList* files, CStringList* folders, const CStringList* exclusions, BOOL recurse) {
    ForEachEntry(folder, "*.*", [&](const CMbcsFileFind& finder) {
        const CString path = CombinePath(folder, finder.GetFileName());
        if (!finder.IsDirectory()) {
            if (files != nullptr) {
                files->AddTail(path);
            }
            return;
        }
        if (exclusions != nullptr && exclusions->Find(MakeLowerCopy(path)) != nullptr) {
            return;
        }
        if (folders != nullptr) {
            folders->AddTail(path);
        }
        if (recurse) {
            Collect(path, files, folders, nullptr, recurse);
        }
    });
}

bool Before(const CString& a, const CString& b, bool withCase) {
    return text_compare::Compare(a, b, withCase) < 0;
}

}  // namespace

void ListSubfolders(LPCSTR folder, CStringList& subfolders, BOOL recurse) {
    const bool wasEmpty = subfolders.IsEmpty() != FALSE;
    CollectSubfolders(folder, subfolders, recurse);
    if (wasEmpty) {
        SortStringList(subfolders, FALSE);
    }
}

BOOL CollectFolderContents(LPCSTR folder, CStringList* files, CStringList* folders, const CStringList* exclusions,
                           BOOL recurse) {
    if (!IsDirectory(folder) || (files == nullptr && folders == nullptr)) {
        return FALSE;
    }
    Collect(folder, files, folders, exclusions, recurse);
    return TRUE;
}

ULONGLONG GetFolderSize(LPCSTR folder, BOOL recurse, CStringList* folders) {
    ULONGLONG size = 0;
    ForEachEntry(folder, "*.*", [&](const CMbcsFileFind& finder) {
        const CString path = finder.GetFilePath();
        if (!finder.IsDirectory()) {
            size += GetFileLength(path);
            return;
        }
        if (folders != nullptr) {
            folders->AddTail(path);
        }
        if (recurse) {
            size += GetFolderSize(path, recurse, folders);
        }
    });
    return size;
}

BOOL FolderHasFileWithExtension(LPCSTR folder, LPCSTR extension) {
    const CString wanted = extension != nullptr ? extension : "";
    BOOL found = FALSE;
    ForEachEntry(folder, "*", [&](const CMbcsFileFind& finder) {
        if (!found && !finder.IsDirectory() &&
            (wanted.Left(1) == "*" || MakeLowerCopy(GetPathExtension(finder.GetFileName())) == wanted)) {
            found = TRUE;
        }
    });
    return found;
}

int FindFilesWithExtension(LPCSTR folder, LPCSTR extension, BOOL recurse, CStringList& files) {
    const CString ending = CString(".") + (extension != nullptr ? extension : "");
    std::deque<CString> queue = {folder != nullptr ? folder : ""};
    while (!queue.empty()) {
        const CString current = queue.front();
        queue.pop_front();
        ForEachEntry(current, "*", [&](const CMbcsFileFind& finder) {
            const CString name = finder.GetFileName();
            if (finder.IsDirectory()) {
                if (recurse) {
                    queue.push_back(finder.GetFilePath());
                }
            } else if (CharCount(name) > 4 && text_compare::Equal(mbcs::LastChars(name, 4), ending, false)) {
                files.AddTail(finder.GetFilePath());
            }
        });
    }
    return 0;
}

BOOL IsFolderEmpty(LPCSTR folder) {
    if (!IsDirectory(folder)) {
        return FALSE;
    }
    BOOL empty = TRUE;
    ForEachEntry(folder, "*.*", [&](const CMbcsFileFind&) { empty = FALSE; });
    return empty;
}

void SortFilesBySize(CStringList& files) {
    if (files.IsEmpty()) {
        return;
    }
    std::vector<std::pair<CString, CString>> keyed;  // key, path
    for (POSITION position = files.GetHeadPosition(); position != nullptr;) {
        const CString& path = files.GetNext(position);
        CFileStatus status;
        if (CFile::GetStatus(path, status)) {
            CString key;
            key.Format("%010d|%s", static_cast<int>(status.m_size), static_cast<LPCSTR>(path));
            keyed.emplace_back(key, path);
        }
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return Before(a.first, b.first, false); });
    files.RemoveAll();
    for (const auto& entry : keyed) {
        files.AddTail(entry.second);
    }
}

void GroupByLeafName(CStringList& files, BOOL withCase) {
    const bool exact = withCase != FALSE;
    std::vector<CString> paths;
    for (POSITION position = files.GetHeadPosition(); position != nullptr;) {
        paths.push_back(files.GetNext(position));
    }
    const auto countOf = [&](const CString& leaf) {
        return std::count_if(paths.begin(), paths.end(), [&](const CString& path) {
            return text_compare::Equal(GetPathLeaf(path), leaf, exact);
        });
    };
    std::vector<CString> single;
    std::vector<CString> repeated;
    for (const CString& path : paths) {
        (countOf(GetPathLeaf(path)) == 1 ? single : repeated).push_back(path);
    }
    std::stable_sort(single.begin(), single.end(), [&](const CString& a, const CString& b) {
        return Before(GetPathLeaf(a), GetPathLeaf(b), exact);
    });
    std::stable_sort(repeated.begin(), repeated.end(),
                     [&](const CString& a, const CString& b) { return Before(a, b, exact); });
    files.RemoveAll();
    for (const std::vector<CString>* group : {&single, &repeated}) {
        for (const CString& path : *group) {
            files.AddTail(path);
        }
    }
}
