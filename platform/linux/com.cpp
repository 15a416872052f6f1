#include "platform/com.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}": the brace, 8 digits, then groups
// of 4, 4, 4 and 12; Data4's bytes in memory order.
constexpr std::size_t kGuidTextLength = 38;
constexpr std::array<std::size_t, 4> kDashPositions = {9, 14, 19, 24};

bool IsDash(std::size_t position) {
    for (const std::size_t dash : kDashPositions) {
        if (dash == position) {
            return true;
        }
    }
    return false;
}

std::optional<unsigned> HexDigitValue(OLECHAR digit) {
    if (digit >= u'0' && digit <= u'9') {
        return digit - u'0';
    }
    if (digit >= u'A' && digit <= u'F') {
        return digit - u'A' + 10;
    }
    if (digit >= u'a' && digit <= u'f') {
        return digit - u'a' + 10;
    }
    return std::nullopt;
}

// The 16 bytes of the text's 32 digits, in the order they are written.
std::optional<std::array<std::uint8_t, 16>> ParseDigits(LPCOLESTR text) {
    for (std::size_t index = 0; index < kGuidTextLength; ++index) {
        if (text[index] == u'\0') {
            return std::nullopt;
        }
    }
    if (text[0] != u'{' || text[kGuidTextLength - 1] != u'}' || text[kGuidTextLength] != u'\0') {
        return std::nullopt;
    }
    std::array<std::uint8_t, 16> bytes{};
    std::size_t digits = 0;
    for (std::size_t index = 1; index + 1 < kGuidTextLength; ++index) {
        if (IsDash(index)) {
            if (text[index] != u'-') {
                return std::nullopt;
            }
            continue;
        }
        const std::optional<unsigned> value = HexDigitValue(text[index]);
        if (!value) {
            return std::nullopt;
        }
        bytes[digits / 2] = static_cast<std::uint8_t>(bytes[digits / 2] << 4 | *value);
        ++digits;
    }
    return bytes;
}

HRESULT ParseGuid(LPCOLESTR text, GUID* guid) {
    if (text == nullptr || guid == nullptr) {
        return E_INVALIDARG;
    }
    const auto bytes = ParseDigits(text);
    if (!bytes) {
        *guid = GUID{};
        return CO_E_CLASSSTRING;
    }
    const auto& b = *bytes;
    guid->Data1 = static_cast<std::uint32_t>(b[0]) << 24 | static_cast<std::uint32_t>(b[1]) << 16 |
                  static_cast<std::uint32_t>(b[2]) << 8 | b[3];
    guid->Data2 = static_cast<std::uint16_t>(b[4] << 8 | b[5]);
    guid->Data3 = static_cast<std::uint16_t>(b[6] << 8 | b[7]);
    std::memcpy(guid->Data4, b.data() + 8, sizeof(guid->Data4));
    return S_OK;
}

// Writes the value as upper-case hex digits, most significant first.
OLECHAR* WriteHex(OLECHAR* out, std::uint32_t value, int digits) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
        *out++ = kDigits[value >> shift & 0xF];
    }
    return out;
}

}  // namespace

HRESULT StringFromCLSID(REFCLSID clsid, LPOLESTR* text) {
    if (text == nullptr) {
        return E_INVALIDARG;
    }
    auto* out = static_cast<LPOLESTR>(CoTaskMemAlloc((kGuidTextLength + 1) * sizeof(OLECHAR)));
    *text = out;
    if (out == nullptr) {
        return E_OUTOFMEMORY;
    }
    *out++ = u'{';
    out = WriteHex(out, clsid.Data1, 8);
    *out++ = u'-';
    out = WriteHex(out, clsid.Data2, 4);
    *out++ = u'-';
    out = WriteHex(out, clsid.Data3, 4);
    *out++ = u'-';
    for (std::size_t index = 0; index < sizeof(clsid.Data4); ++index) {
        if (index == 2) {
            *out++ = u'-';
        }
        out = WriteHex(out, clsid.Data4[index], 2);
    }
    *out++ = u'}';
    *out = u'\0';
    return S_OK;
}

HRESULT CLSIDFromString(LPCOLESTR text, LPCLSID clsid) {
    return ParseGuid(text, clsid);
}

HRESULT IIDFromString(LPCOLESTR text, IID* iid) {
    return ParseGuid(text, iid);
}

// Task memory is the C heap; a zero-byte request still answers a pointer of
// its own, as Windows does.
void* CoTaskMemAlloc(SIZE_T size) {
    return std::malloc(size == 0 ? 1 : size);
}

void CoTaskMemFree(void* memory) {
    std::free(memory);
}
