#include "platform/codepage.h"

#include "platform/linux/code_page.h"

#include <atomic>
#include <cstring>
#include <limits>
#include <string>

namespace {

using platform::detail::CodePage;

// The code page CP_ACP stands for; every thread sees a change at once.
std::atomic<UINT> ansiCodePage{1252};

// The code page a caller's name stands for.
UINT Resolve(UINT codePage) {
    return codePage == CP_ACP || codePage == CP_THREAD_ACP ? ansiCodePage.load() : codePage;
}

// The converter for a code page as callers name it; null for one the layer
// does not offer.
const CodePage* FindCodePage(UINT codePage) {
    switch (Resolve(codePage)) {
        case 1252:
            return &platform::detail::WesternCodePage();
        case 932:
            return platform::detail::JapaneseCodePage();
        case CP_UTF8:
            return &platform::detail::Utf8CodePage();
        default:
            return nullptr;
    }
}

int Fail(DWORD error) {
    SetLastError(error);
    return 0;
}

// The source as a view: a negative length measures up to and including the
// NUL (Windows takes any negative length as -1).
template <typename Char>
std::basic_string_view<Char> SourceView(const Char* source, int sourceLength) {
    if (sourceLength < 0) {
        return std::basic_string_view<Char>(source, std::char_traits<Char>::length(source) + 1);
    }
    return std::basic_string_view<Char>(source, static_cast<std::size_t>(sourceLength));
}

bool BadLengths(const void* source, int sourceLength, const void* destination, int destinationSize) {
    return source == nullptr || sourceLength == 0 || destinationSize < 0 ||
           (destination == nullptr && destinationSize > 0);
}

// Hands a converted text back as Windows does: its size for a size query, the
// text when it fits, and a failure when it does not.
template <typename Char>
int Deliver(const std::basic_string<Char>& text, Char* destination, int destinationSize) {
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    const int size = static_cast<int>(text.size());
    if (destinationSize == 0) {
        return size;
    }
    if (size > destinationSize) {
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    std::memcpy(destination, text.data(), text.size() * sizeof(Char));
    return size;
}

// The bytes of a caller's default character: its first byte (a NUL too), or
// in a double-byte code page its first two when it has two.
std::string DefaultCharBytes(UINT codePage, LPCSTR defaultChar) {
    if (defaultChar == nullptr) {
        return "?";
    }
    const bool twoBytes = codePage == 932 && defaultChar[0] != '\0' && defaultChar[1] != '\0';
    return std::string(defaultChar, twoBytes ? 2 : 1);
}

constexpr DWORD kSingleAndDoubleByteFlags = MB_PRECOMPOSED | MB_USEGLYPHCHARS | MB_ERR_INVALID_CHARS;
constexpr DWORD kEncodeFlags = WC_DISCARDNS | WC_SEPCHARS | WC_DEFAULTCHAR | WC_NO_BEST_FIT_CHARS;

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR source, int sourceLength, LPWSTR destination,
                        int destinationSize) {
    const CodePage* converter = FindCodePage(codePage);
    if (converter == nullptr || BadLengths(source, sourceLength, destination, destinationSize)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    const bool utf8 = converter == &platform::detail::Utf8CodePage();
    if ((flags & ~(utf8 ? DWORD{MB_ERR_INVALID_CHARS} : kSingleAndDoubleByteFlags)) != 0) {
        return Fail(ERROR_INVALID_FLAGS);
    }
    std::u16string text;
    if (!converter->Decode(SourceView(source, sourceLength), (flags & MB_ERR_INVALID_CHARS) != 0, text)) {
        return Fail(ERROR_NO_UNICODE_TRANSLATION);
    }
    return Deliver(text, destination, destinationSize);
}

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR source, int sourceLength, LPSTR destination,
                        int destinationSize, LPCSTR defaultChar, BOOL* usedDefaultChar) {
    const CodePage* converter = FindCodePage(codePage);
    if (converter == nullptr || BadLengths(source, sourceLength, destination, destinationSize)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    // UTF-8 represents every character, so a default character makes no sense.
    const bool utf8 = converter == &platform::detail::Utf8CodePage();
    if (utf8 && (defaultChar != nullptr || usedDefaultChar != nullptr)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if ((flags & ~(utf8 ? DWORD{WC_ERR_INVALID_CHARS} : kEncodeFlags)) != 0) {
        return Fail(ERROR_INVALID_FLAGS);
    }
    const std::string defaultBytes = DefaultCharBytes(Resolve(codePage), defaultChar);
    const platform::detail::EncodeOptions options{defaultBytes, (flags & WC_NO_BEST_FIT_CHARS) == 0,
                                                  (flags & WC_ERR_INVALID_CHARS) != 0};
    std::string text;
    bool usedDefault = false;
    if (!converter->Encode(SourceView(source, sourceLength), options, usedDefault, text)) {
        return Fail(ERROR_NO_UNICODE_TRANSLATION);
    }
    if (usedDefaultChar != nullptr) {
        *usedDefaultChar = usedDefault ? TRUE : FALSE;
    }
    return Deliver(text, destination, destinationSize);
}

BOOL IsDBCSLeadByte(BYTE byte) {
    return FindCodePage(CP_ACP)->IsLeadByte(byte) ? TRUE : FALSE;
}

UINT GetACP() {
    return ansiCodePage.load();
}

namespace platform {

bool SetAnsiCodePage(UINT codePage) {
    if ((codePage != 1252 && codePage != 932) || FindCodePage(codePage) == nullptr) {
        return false;
    }
    ansiCodePage.store(codePage);
    return true;
}

UINT AnsiCodePage() {
    return ansiCodePage.load();
}

std::u16string AnsiToWide(std::string_view text) {
    std::u16string wide;
    FindCodePage(CP_ACP)->Decode(text, false, wide);
    return wide;
}

std::string WideToAnsi(std::u16string_view text) {
    std::string ansi;
    bool usedDefault = false;
    FindCodePage(CP_ACP)->Encode(text, {"?"}, usedDefault, ansi);
    return ansi;
}

}  // namespace platform
