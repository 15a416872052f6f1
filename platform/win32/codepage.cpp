#include "platform/codepage.h"

#include <mbctype.h>

#include <atomic>
#include <limits>

#undef MultiByteToWideChar
#undef WideCharToMultiByte
#undef IsDBCSLeadByte
#undef GetACP

namespace {

// The code page CP_ACP stands for: the system's until the layer is given
// another; every thread sees a change at once.
std::atomic<UINT> ansiCodePage{::GetACP()};

// CP_THREAD_ACP too: the thread's code page is the process's here, which the
// layer sets, not the system's.
UINT Resolve(UINT codePage) {
    return codePage == CP_ACP || codePage == CP_THREAD_ACP ? ansiCodePage.load() : codePage;
}

}  // namespace

int PlatformMultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR source, int sourceLength, LPWSTR destination,
                                int destinationSize) {
    return ::MultiByteToWideChar(Resolve(codePage), flags, source, sourceLength, destination, destinationSize);
}

int PlatformWideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR source, int sourceLength, LPSTR destination,
                                int destinationSize, LPCSTR defaultChar, BOOL* usedDefaultChar) {
    return ::WideCharToMultiByte(Resolve(codePage), flags, source, sourceLength, destination, destinationSize,
                                 defaultChar, usedDefaultChar);
}

BOOL PlatformIsDBCSLeadByte(BYTE byte) {
    return ::IsDBCSLeadByteEx(ansiCodePage.load(), byte);
}

UINT PlatformGetACP() {
    return ansiCodePage.load();
}

namespace platform {

bool SetAnsiCodePage(UINT codePage) {
    if (codePage != 1252 && codePage != 932) {
        return false;
    }
    CPINFO info;
    if (!::GetCPInfo(codePage, &info)) {
        return false;  // the system has no tables for it
    }
    ansiCodePage.store(codePage);
    _setmbcp(static_cast<int>(codePage));  // the run time's multibyte functions follow
    return true;
}

UINT AnsiCodePage() {
    return ansiCodePage.load();
}

std::u16string AnsiToWide(std::string_view text) {
    if (text.empty() || text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int size = ::MultiByteToWideChar(ansiCodePage.load(), 0, text.data(), length, nullptr, 0);
    std::u16string wide(static_cast<std::size_t>(size), u'\0');
    ::MultiByteToWideChar(ansiCodePage.load(), 0, text.data(), length, reinterpret_cast<LPWSTR>(wide.data()),
                          size);
    return wide;
}

std::string WideToAnsi(std::u16string_view text) {
    if (text.empty() || text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return {};
    }
    const auto* wide = reinterpret_cast<LPCWSTR>(text.data());
    const int length = static_cast<int>(text.size());
    const int size = ::WideCharToMultiByte(ansiCodePage.load(), 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(ansiCodePage.load(), 0, wide, length, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

}  // namespace platform
