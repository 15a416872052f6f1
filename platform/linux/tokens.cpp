// The process token and security identifiers: the process runs as its user,
// a member of the built-in Users group and, as root, of the Administrators.
#include "platform/process.h"

#include "platform/linux/kernel_objects.h"
#include "platform/sysinfo.h"

#include <unistd.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using platform::detail::KernelObjectKind;

constexpr BYTE kNtAuthority[6] = {0, 0, 0, 0, 0, 5};
constexpr DWORD kUserDomainRid = 21;
constexpr DWORD kFirstUserRid = 1000;

// A security identifier's bytes: revision 1, its count of sub-authorities,
// the authority, then the sub-authorities.
std::vector<BYTE> MakeSid(const BYTE (&authority)[6], const std::vector<DWORD>& parts) {
    std::vector<BYTE> sid(8 + 4 * parts.size());
    sid[0] = 1;
    sid[1] = static_cast<BYTE>(parts.size());
    std::memcpy(sid.data() + 2, authority, 6);
    std::memcpy(sid.data() + 8, parts.data(), 4 * parts.size());
    return sid;
}

std::size_t SidLength(PSID sid) {
    return 8 + 4 * static_cast<std::size_t>(static_cast<const BYTE*>(sid)[1]);
}

std::vector<BYTE> UserSid() {
    return MakeSid(kNtAuthority, {kUserDomainRid, 0, 0, 0, kFirstUserRid + static_cast<DWORD>(getuid())});
}

std::vector<BYTE> GroupSid(DWORD alias) {
    return MakeSid(kNtAuthority, {SECURITY_BUILTIN_DOMAIN_RID, alias});
}

bool SameSid(PSID sid, const std::vector<BYTE>& known) {
    return sid != nullptr && SidLength(sid) == known.size() && std::memcmp(sid, known.data(), known.size()) == 0;
}

// Copies a name with the Windows size rules: size in characters with the
// NUL; too small answers the size needed.
bool CopyName(const std::string& text, LPSTR buffer, LPDWORD size) {
    if (buffer == nullptr || *size <= text.size()) {
        *size = static_cast<DWORD>(text.size() + 1);
        return false;
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    *size = static_cast<DWORD>(text.size());
    return true;
}

std::string UserName() {
    char name[256] = {};
    DWORD size = sizeof(name);
    return GetUserNameA(name, &size) ? name : "user";
}

std::string ComputerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof(name);
    return GetComputerNameA(name, &size) ? name : "LOCALHOST";
}

}  // namespace

BOOL OpenProcessToken(HANDLE process, DWORD, HANDLE* token) {
    if (token == nullptr || (process != GetCurrentProcess() &&
                             !platform::detail::IsKernelObject(process, KernelObjectKind::Process))) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *token = platform::detail::AddKernelObject(KernelObjectKind::Token, getpid());
    return TRUE;
}

BOOL GetTokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS kind, LPVOID buffer, DWORD size, LPDWORD needed) {
    if (!platform::detail::IsKernelObject(token, KernelObjectKind::Token) || needed == nullptr ||
        (kind != TokenUser && kind != TokenGroups)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::vector<std::vector<BYTE>> sids;
    if (kind == TokenUser) {
        sids.push_back(UserSid());
    } else {
        sids.push_back(GroupSid(DOMAIN_ALIAS_RID_USERS));
        if (getuid() == 0) {
            sids.push_back(GroupSid(DOMAIN_ALIAS_RID_ADMINS));
        }
    }
    // The record first, then the identifiers it points at.
    const std::size_t head = kind == TokenUser
                                 ? sizeof(TOKEN_USER)
                                 : sizeof(TOKEN_GROUPS) + (sids.size() - 1) * sizeof(SID_AND_ATTRIBUTES);
    std::size_t total = head;
    for (const auto& sid : sids) {
        total += sid.size();
    }
    *needed = static_cast<DWORD>(total);
    if (buffer == nullptr || size < total) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    auto* bytes = static_cast<BYTE*>(buffer);
    SID_AND_ATTRIBUTES* entries = nullptr;
    if (kind == TokenUser) {
        entries = &static_cast<TOKEN_USER*>(buffer)->User;
    } else {
        auto* groups = static_cast<TOKEN_GROUPS*>(buffer);
        groups->GroupCount = static_cast<DWORD>(sids.size());
        entries = groups->Groups;
    }
    std::size_t offset = head;
    for (std::size_t i = 0; i < sids.size(); ++i) {
        std::memcpy(bytes + offset, sids[i].data(), sids[i].size());
        entries[i].Sid = bytes + offset;
        entries[i].Attributes = kind == TokenUser ? 0u : 7u;  // mandatory, enabled by default, enabled
        offset += sids[i].size();
    }
    return TRUE;
}

BOOL LookupAccountSidA(LPCSTR, PSID sid, LPSTR name, LPDWORD nameSize, LPSTR domain, LPDWORD domainSize,
                       PSID_NAME_USE use) {
    if (sid == nullptr || nameSize == nullptr || domainSize == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string account;
    std::string accountDomain;
    SID_NAME_USE kind = SidTypeUser;
    if (SameSid(sid, UserSid())) {
        account = UserName();
        accountDomain = ComputerName();
    } else if (SameSid(sid, GroupSid(DOMAIN_ALIAS_RID_ADMINS))) {
        account = "Administrators";
        accountDomain = "BUILTIN";
        kind = SidTypeAlias;
    } else if (SameSid(sid, GroupSid(DOMAIN_ALIAS_RID_USERS))) {
        account = "Users";
        accountDomain = "BUILTIN";
        kind = SidTypeAlias;
    } else {
        SetLastError(ERROR_NONE_MAPPED);
        return FALSE;
    }
    const bool nameFits = CopyName(account, name, nameSize);
    const bool domainFits = CopyName(accountDomain, domain, domainSize);
    if (!nameFits || !domainFits) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    if (use != nullptr) {
        *use = kind;
    }
    return TRUE;
}

BOOL AllocateAndInitializeSid(PSID_IDENTIFIER_AUTHORITY authority, BYTE count, DWORD a0, DWORD a1, DWORD a2,
                              DWORD a3, DWORD a4, DWORD a5, DWORD a6, DWORD a7, PSID* sid) {
    if (authority == nullptr || sid == nullptr || count > 8) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const DWORD all[8] = {a0, a1, a2, a3, a4, a5, a6, a7};
    BYTE value[6];
    std::memcpy(value, authority->Value, 6);
    const std::vector<BYTE> bytes = MakeSid(value, std::vector<DWORD>(all, all + count));
    auto* copy = new BYTE[bytes.size()];
    std::memcpy(copy, bytes.data(), bytes.size());
    *sid = copy;
    return TRUE;
}

BOOL EqualSid(PSID first, PSID second) {
    if (first == nullptr || second == nullptr) {
        return FALSE;
    }
    return SidLength(first) == SidLength(second) && std::memcmp(first, second, SidLength(first)) == 0 ? TRUE : FALSE;
}

PVOID FreeSid(PSID sid) {
    delete[] static_cast<BYTE*>(sid);
    return nullptr;
}
