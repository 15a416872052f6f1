// The shell where it meets the window system: opening a file (which goes to
// the UI driver, there being no program to open it with) and the system
// image list of file icons.
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/ui.h"

#include <mutex>
#include <string>

namespace {

enum FileImage { kFileImage = 0, kFolderImage = 1, kProgramImage = 2, kImageCount = 3 };

// The process's two system image lists, made on first use and never freed.
HIMAGELIST SystemImageList(bool small) {
    static std::once_flag made;
    static HIMAGELIST lists[2] = {};
    std::call_once(made, [] {
        for (int i = 0; i < 2; ++i) {
            const int size = i == 0 ? 16 : 32;
            lists[i] = ImageList_Create(size, size, ILC_MASK | ILC_COLOR32, kImageCount, 0);
            const HBITMAP strip = CreateBitmap(size * kImageCount, size, 1, 32, nullptr);
            ImageList_Add(lists[i], strip, nullptr);
            DeleteObject(strip);
        }
    });
    return lists[small ? 0 : 1];
}

bool HasProgramExtension(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('\\', dot) != std::string::npos) {
        return false;
    }
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return extension == "exe" || extension == "com" || extension == "dll" || extension == "bat";
}

std::string Text(LPCSTR text) {
    return text != nullptr ? text : "";
}

bool IsAbsolute(const std::string& path) {
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && path[0] == '\\');
}

}  // namespace

namespace platform {

DWORD_PTR SystemImageListInfo(const char* path, SHFILEINFOA* information, UINT flags) {
    const DWORD attributes = path != nullptr ? GetFileAttributesA(path) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return 0;
    }
    if (information != nullptr) {
        information->iIcon = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? kFolderImage
                             : HasProgramExtension(path)                 ? kProgramImage
                                                                          : kFileImage;
    }
    return reinterpret_cast<DWORD_PTR>(SystemImageList((flags & SHGFI_SMALLICON) != 0));
}

}  // namespace platform

BOOL ShellExecuteExA(LPSHELLEXECUTEINFOA information) {
    if (information == nullptr || information->lpFile == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string file = information->lpFile;
    const std::string folder = Text(information->lpDirectory);
    if (!IsAbsolute(file) && !folder.empty()) {
        file = folder + (folder.back() == '\\' ? "" : "\\") + file;
    }
    if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
        const std::size_t slash = file.rfind('\\');
        const bool folderMissing =
            slash != std::string::npos && slash > 0 &&
            GetFileAttributesA(file.substr(0, slash).c_str()) == INVALID_FILE_ATTRIBUTES;
        information->hInstApp = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(folderMissing ? SE_ERR_PNF
                                                                                                  : SE_ERR_FNF));
        SetLastError(folderMissing ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    platform::ShellRequest request;
    request.window = information->hwnd;
    request.verb = Text(information->lpVerb);
    request.file = information->lpFile;
    request.parameters = Text(information->lpParameters);
    request.directory = folder;
    request.show = information->nShow;
    request.mask = information->fMask;
    platform::ActiveUiDriver().OnShellExecute(request);
    information->hInstApp = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(33));  // above 32: success
    return TRUE;
}
