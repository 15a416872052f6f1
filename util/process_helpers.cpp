#include "util/process_helpers.h"

#include "platform/process.h"
#include "platform/shell.h"
#include "platform/sysinfo.h"
#include "util/path_files.h"
#include "util/path_split.h"

#include <memory>
#include <vector>

namespace {

struct SidFree {
    void operator()(void* sid) const { FreeSid(sid); }
};
using SidHolder = std::unique_ptr<void, SidFree>;

struct HandleClose {
    void operator()(void* handle) const { CloseHandle(handle); }
};
using HandleHolder = std::unique_ptr<void, HandleClose>;

// The token's record of the class, in a buffer of the size it asks for.
bool ReadToken(HANDLE token, TOKEN_INFORMATION_CLASS kind, std::vector<BYTE>& buffer, DWORD& error) {
    DWORD needed = 0;
    GetTokenInformation(token, kind, nullptr, 0, &needed);
    buffer.assign(needed, 0);
    if (needed == 0 || !GetTokenInformation(token, kind, buffer.data(), needed, &needed)) {
        error = GetLastError();
        return false;
    }
    return true;
}

// The account and domain of an identifier; the error of a failed look-up.
DWORD LookUp(PSID sid, CString& account, CString& domain) {
    char name[256] = {};
    char domainName[256] = {};
    DWORD nameSize = sizeof(name);
    DWORD domainSize = sizeof(domainName);
    SID_NAME_USE use{};
    if (!LookupAccountSidA(nullptr, sid, name, &nameSize, domainName, &domainSize, &use)) {
        return GetLastError();
    }
    account = name;
    domain = domainName;
    return 0;
}

}  // namespace

CString ShellErrorText(int code) {
    switch (code) {
    case SE_ERR_FNF:
        return "File not found.";
    case SE_ERR_PNF:
        return "Path not found.";
    case SE_ERR_ACCESSDENIED:
        return "Access denied.";
    case SE_ERR_OOM:
        return "Out of memory.";
    case SE_ERR_SHARE:
        return "Cannot share an open file.";
    case SE_ERR_ASSOCINCOMPLETE:
        return "File association information not complete.";
    case SE_ERR_DDETIMEOUT:
        return "DDE operation timed out.";
    case SE_ERR_DDEFAIL:
        return "DDE operation failed.";
    case SE_ERR_DDEBUSY:
        return "DDE operation is busy.";
    case SE_ERR_NOASSOC:
        return "File association not available.";
    case SE_ERR_DLLNOTFOUND:
        return "Dynamic-link library not found.";
    default:
        return "Unknown Error.";
    }
}

BOOL ShellOpen(LPCSTR file, CString* errorText) {
    SHELLEXECUTEINFOA information{};
    information.cbSize = sizeof(information);
    information.fMask = SEE_MASK_FLAG_NO_UI;
    information.lpVerb = "open";
    information.lpFile = file;
    information.nShow = SW_SHOWNORMAL;
    const BOOL opened = ShellExecuteExA(&information);
    if (!opened && errorText != nullptr) {
        *errorText = ShellErrorText(static_cast<int>(reinterpret_cast<INT_PTR>(information.hInstApp)));
    }
    return opened;
}

int LaunchProcess(LPCSTR program, LPCSTR arguments, LPCSTR folder) {
    if (!ResolveAndTestPath(program)) {
        return kLaunchNoProgram;
    }
    CString workingFolder = folder != nullptr ? folder : "";
    if (!workingFolder.IsEmpty() && !FolderExists(workingFolder)) {
        return kLaunchNoFolder;
    }
    if (workingFolder.IsEmpty()) {
        workingFolder = GetPathFolder(program);
    }
    CString commandLine = CString("\"") + program + "\"";
    if (arguments != nullptr && *arguments != '\0') {
        commandLine += CString(" ") + arguments;
    }
    std::vector<char> line(commandLine.GetLength() + 1);
    std::copy(commandLine.Str().begin(), commandLine.Str().end(), line.begin());
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWDEFAULT;
    SECURITY_ATTRIBUTES inheritable{};
    inheritable.nLength = sizeof(inheritable);
    inheritable.bInheritHandle = TRUE;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, line.data(), &inheritable, nullptr, FALSE, 0, nullptr, workingFolder, &startup,
                        &started)) {
        return kLaunchFailed;
    }
    CloseHandle(started.hProcess);
    CloseHandle(started.hThread);
    return kLaunchStarted;
}

DWORD GetProcessUserInfo(CString& user, CString& domain, BOOL& administrator) {
    user = "unknown user";
    domain = "unknown domain";
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened)) {
        return GetLastError();
    }
    const HandleHolder token(opened);
    DWORD error = 0;
    std::vector<BYTE> userRecord;
    if (!ReadToken(token.get(), TokenUser, userRecord, error)) {
        return error;
    }
    if ((error = LookUp(reinterpret_cast<TOKEN_USER*>(userRecord.data())->User.Sid, user, domain)) != 0) {
        return error;
    }
    std::vector<BYTE> groupRecord;
    if (!ReadToken(token.get(), TokenGroups, groupRecord, error)) {
        return error;
    }
    SID_IDENTIFIER_AUTHORITY ntAuthority = {SECURITY_NT_AUTHORITY};
    PSID made = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0,
                                  0, 0, 0, &made)) {
        return GetLastError();
    }
    const SidHolder administrators(made);
    const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(groupRecord.data());
    for (DWORD i = 0; i < groups->GroupCount; ++i) {
        if (!EqualSid(groups->Groups[i].Sid, administrators.get())) {
            continue;
        }
        CString groupName;
        CString groupDomain;
        error = LookUp(groups->Groups[i].Sid, groupName, groupDomain);
        if (error != 0 && error != ERROR_NONE_MAPPED) {
            return error;
        }
        administrator = TRUE;
        return 0;
    }
    administrator = FALSE;
    return 0;
}

BOOL GetComputerNameText(CString& name) {
    std::vector<char> buffer(16);
    DWORD size = static_cast<DWORD>(buffer.size());
    if (!GetComputerNameA(buffer.data(), &size)) {
        if (GetLastError() != ERROR_BUFFER_OVERFLOW || size <= buffer.size()) {
            return FALSE;
        }
        buffer.assign(size, '\0');
        if (!GetComputerNameA(buffer.data(), &size)) {
            return FALSE;
        }
    }
    name = buffer.data();
    return TRUE;
}

BOOL GetEnvironmentText(LPCSTR name, CString& value) {
    std::vector<char> buffer(128);
    SetLastError(ERROR_SUCCESS);  // an empty value answers 0 without an error
    DWORD length = GetEnvironmentVariableA(name, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
        if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
            return FALSE;
        }
        value.Empty();  // set, but empty
        return TRUE;
    }
    if (length >= buffer.size()) {
        buffer.assign(length, '\0');
        length = GetEnvironmentVariableA(name, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0 || length >= buffer.size()) {
            return FALSE;
        }
    }
    value = CString(buffer.data(), static_cast<int>(length));
    return TRUE;
}
