// What the shell and the image loader say about files, for the path helpers
// that show paths and test bitmap files.
#pragma once

#include "platform/common_controls.h"
#include "platform/wintypes.h"

#include <string>

#ifndef _WIN32

#define SEE_MASK_FLAG_NO_UI 0x00000400u
#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_OOM 8
#define SE_ERR_SHARE 26
#define SE_ERR_ASSOCINCOMPLETE 27
#define SE_ERR_DDETIMEOUT 28
#define SE_ERR_DDEFAIL 29
#define SE_ERR_DDEBUSY 30
#define SE_ERR_NOASSOC 31
#define SE_ERR_DLLNOTFOUND 32
#ifndef ERROR_PATH_NOT_FOUND
#define ERROR_PATH_NOT_FOUND 3L
#endif

struct SHELLEXECUTEINFOA {
    DWORD cbSize;
    ULONG fMask;
    HWND hwnd;
    LPCSTR lpVerb;
    LPCSTR lpFile;
    LPCSTR lpParameters;
    LPCSTR lpDirectory;
    int nShow;
    HINSTANCE hInstApp;
    void* lpIDList;
    LPCSTR lpClass;
    void* hkeyClass;
    DWORD dwHotKey;
    HANDLE hIcon;
    HANDLE hProcess;
};
using LPSHELLEXECUTEINFOA = SHELLEXECUTEINFOA*;

// There is no shell to run anything: the request goes to the UI driver
// (platform::UiDriver::OnShellExecute) and succeeds (hInstApp 33) when the
// file exists; a missing file fails with ERROR_FILE_NOT_FOUND (hInstApp
// SE_ERR_FNF), or ERROR_PATH_NOT_FOUND (SE_ERR_PNF) when its folder is
// missing too. A relative file is taken from lpDirectory, else the current
// directory.
BOOL ShellExecuteExA(LPSHELLEXECUTEINFOA information);

#define SHGFI_LARGEICON 0x000000000u
#define SHGFI_SMALLICON 0x000000001u
#define SHGFI_DISPLAYNAME 0x000000200u
#define SHGFI_SYSICONINDEX 0x000004000u

struct SHFILEINFOA {
    HICON hIcon;
    int iIcon;
    DWORD dwAttributes;
    CHAR szDisplayName[MAX_PATH];
    CHAR szTypeName[80];
};

// SHGFI_SYSICONINDEX: the system image list (16 x 16 with SHGFI_SMALLICON,
// else 32 x 32) with the file's image in it (0 a file, 1 a folder, 2 a
// program); 0 for a missing file. SHGFI_DISPLAYNAME: the name as stored.
DWORD_PTR SHGetFileInfoA(LPCSTR path, DWORD attributes, SHFILEINFOA* information, UINT size, UINT flags);

#endif

namespace platform {

// The name the shell shows for a file or folder (SHGetFileInfoA with
// SHGFI_DISPLAYNAME); false when it shows none. Here, where there is no
// shell, it is the name as stored on disk.
bool ShellDisplayName(const char* path, std::string& name);
// Whether LoadImageA accepts the file as a bitmap (IMAGE_BITMAP,
// LR_LOADFROMFILE): a file that starts with a bitmap's headers (the loader
// takes whatever pixels follow).
bool IsLoadableBitmapFile(const char* path);

// The system image list's answer for a file (SHGFI_SYSICONINDEX, with or
// without SHGFI_SMALLICON): the layer's in both builds, as image lists are.
DWORD_PTR SystemImageListInfo(const char* path, SHFILEINFOA* information, UINT flags);

}  // namespace platform
