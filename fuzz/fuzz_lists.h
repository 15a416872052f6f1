// Fuzz input read a byte or a few at a time, and list VARIANTs made from it:
// any outer type, arrays of VARIANTs or of plain values, one or two
// dimensions, elements of any simple kind, null arrays.
#pragma once

#include "platform/bstr.h"
#include "platform/com.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz_lists {

// Reads the fuzz input a byte or a few at a time.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return next_ >= size_; }
    std::uint8_t Byte() { return Empty() ? 0 : data_[next_++]; }
    std::uint32_t Word() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value = (value << 8) | Byte();
        }
        return value;
    }
    std::string Text() {
        const std::size_t length = Byte() % 16;
        std::string text;
        for (std::size_t i = 0; i < length && !Empty(); ++i) {
            text += static_cast<char>(Byte());
        }
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t next_ = 0;
};

inline const VARTYPE kOuterTypes[] = {VT_ARRAY | VT_BSTR, VT_ARRAY | VT_UINT, VT_ARRAY | VT_UI1, VT_ARRAY | VT_I4,
                               VT_EMPTY,           VT_BSTR,            VT_ARRAY | VT_VARIANT};

inline void FillElement(VARIANT& element, Input& input) {
    switch (input.Byte() % 6) {
        case 0:
            element.vt = VT_BSTR;
            element.bstrVal = platform::AllocBstr(input.Text());
            break;
        case 1:
            element.vt = VT_UINT;
            element.uintVal = input.Word();
            break;
        case 2:
            element.vt = VT_UI1;
            element.bVal = input.Byte();
            break;
        case 3:
            element.vt = VT_I4;
            element.lVal = static_cast<LONG>(input.Word());
            break;
        case 4:
            element.vt = VT_BSTR;
            element.bstrVal = nullptr;
            break;
        default:
            element.vt = VT_EMPTY;
            break;
    }
}

// A list VARIANT made from the input; the caller clears it.
inline void MakeList(VARIANT& list, Input& input) {
    VariantInit(&list);
    const std::uint8_t shape = input.Byte();
    const VARTYPE outer = kOuterTypes[shape % (sizeof(kOuterTypes) / sizeof(kOuterTypes[0]))];
    if ((outer & VT_ARRAY) == 0) {
        return;
    }
    const ULONG count = input.Byte() % 40;
    const bool plain = (shape & 0x10) != 0;
    const bool square = (shape & 0x20) != 0;
    SAFEARRAYBOUND bounds[2] = {{count, static_cast<LONG>(shape & 0x40 ? 1 : 0)}, {2, 0}};
    SAFEARRAY* array = SafeArrayCreate(plain ? VT_UI4 : VT_VARIANT, square ? 2 : 1, bounds);
    if (array == nullptr) {
        return;
    }
    if (!plain) {
        VARIANT* elements = nullptr;
        SafeArrayAccessData(array, reinterpret_cast<void**>(&elements));
        const ULONG total = square ? count * 2 : count;
        for (ULONG i = 0; i < total; ++i) {
            FillElement(elements[i], input);
        }
        SafeArrayUnaccessData(array);
    }
    list.vt = outer;
    list.parray = (shape & 0x80) != 0 && count == 0 ? nullptr : array;
    if (list.parray == nullptr) {
        SafeArrayDestroy(array);
    }
}

}  // namespace fuzz_lists
