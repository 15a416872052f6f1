#include "platform/com.h"

#include <cstdlib>
#include <optional>
#include <string>

namespace {

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}": the brace, 8 digits, then groups
// of 4, 4, 4 and 12; Data4's bytes in memory order.
constexpr std::size_t kGuidTextLength = 38;

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

// Reads the braced form field by field, storing each field as it is read, as
// Windows does: a text that goes wrong part way leaves the fields before the
// fault, and the digits already read of a faulty Data1, Data2 or Data3, in
// the result (a faulty Data4 byte is not stored). The reading stops at the
// first character out of place, so it never reads past the text's end.
class GuidReader {
public:
    explicit GuidReader(LPCOLESTR text) : text_(text) {}

    bool Read(GUID& guid) {
        return Expect(u'{') && Field(guid.Data1, 8) && Expect(u'-') && Field(guid.Data2, 4) && Expect(u'-') &&
               Field(guid.Data3, 4) && Expect(u'-') && Bytes(guid.Data4, 0, 2) && Expect(u'-') &&
               Bytes(guid.Data4, 2, 8) && Expect(u'}') && Expect(u'\0');
    }

private:
    bool Expect(OLECHAR c) { return text_[position_++] == c; }

    template <typename Value>
    bool Field(Value& value, int digits) {
        value = 0;
        for (int count = 0; count < digits; ++count) {
            const std::optional<unsigned> digit = HexDigitValue(text_[position_]);
            if (!digit) {
                return false;
            }
            value = static_cast<Value>(value << 4 | *digit);
            ++position_;
        }
        return true;
    }

    bool Bytes(std::uint8_t* bytes, std::size_t first, std::size_t end) {
        for (std::size_t index = first; index < end; ++index) {
            const std::optional<unsigned> high = HexDigitValue(text_[position_]);
            if (!high) {
                return false;
            }
            const std::optional<unsigned> low = HexDigitValue(text_[position_ + 1]);
            if (!low) {
                return false;
            }
            bytes[index] = static_cast<std::uint8_t>(*high << 4 | *low);
            position_ += 2;
        }
        return true;
    }

    LPCOLESTR text_;
    std::size_t position_ = 0;
};

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

// A null text stands for the null class id.
HRESULT CLSIDFromString(LPCOLESTR text, LPCLSID clsid) {
    if (clsid == nullptr) {
        return E_INVALIDARG;
    }
    if (text == nullptr) {
        *clsid = GUID{};
        return S_OK;
    }
    // A text without the brace would be a program id, which names no class
    // here: the result is cleared.
    if (text[0] != u'{') {
        *clsid = GUID{};
        return CO_E_CLASSSTRING;
    }
    return GuidReader(text).Read(*clsid) ? S_OK : CO_E_CLASSSTRING;
}

// Unlike CLSIDFromString, a text of the wrong length is refused before
// anything is stored.
HRESULT IIDFromString(LPCOLESTR text, IID* iid) {
    if (iid == nullptr) {
        return E_INVALIDARG;
    }
    if (text == nullptr) {
        *iid = GUID{};
        return S_OK;
    }
    if (std::char_traits<OLECHAR>::length(text) != kGuidTextLength) {
        return E_INVALIDARG;
    }
    return GuidReader(text).Read(*iid) ? S_OK : CO_E_IIDSTRING;
}

// Task memory is the C heap; a zero-byte request still answers a pointer of
// its own, as Windows does.
void* CoTaskMemAlloc(SIZE_T size) {
    return std::malloc(size == 0 ? 1 : size);
}

void CoTaskMemFree(void* memory) {
    std::free(memory);
}
