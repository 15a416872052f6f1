// Lists that cross the host boundary: a VARIANT whose type is VT_ARRAY with
// the kind of its values, holding a one-dimensional SAFEARRAY of VARIANT
// elements, one value each.
#pragma once

#include "platform/afx.h"
#include "platform/com.h"

#include <cstddef>
#include <vector>

namespace variant_list {

inline constexpr VARTYPE kStrings = VT_ARRAY | VT_BSTR;   // 8200
inline constexpr VARTYPE kUints = VT_ARRAY | VT_UINT;     // 8215
inline constexpr VARTYPE kBytes = VT_ARRAY | VT_UI1;      // 8209
inline constexpr VARTYPE kInts = VT_ARRAY | VT_I4;        // 8195

// Reads the elements of a list VARIANT. The list is valid only when the
// VARIANT has the expected type and its array is a one-dimensional array of
// VARIANTs; anything else (an empty VARIANT, another type, no array, an array
// of other elements) is a list to leave alone. An element the host left
// unfilled (VT_EMPTY or VT_NULL) reads as an empty text or zero. The data
// stay locked while the reader lives.
class Reader {
public:
    Reader(const VARIANT& list, VARTYPE type);
    ~Reader();
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    bool IsValid() const { return array_ != nullptr; }
    std::size_t Count() const { return count_; }

    // The value of element index; false when the element holds a value of
    // another kind.
    bool Text(std::size_t index, CString& text) const;
    bool Uint(std::size_t index, UINT& value) const;
    bool Byte(std::size_t index, BYTE& value) const;
    bool Int(std::size_t index, LONG& value) const;

private:
    const VARIANT* Element(std::size_t index, VARTYPE type) const;
    bool IsUnfilled(std::size_t index) const;
    template <typename Value, typename Take>
    bool ValueOf(std::size_t index, VARTYPE type, Value& value, Take take) const;

    SAFEARRAY* array_ = nullptr;
    const VARIANT* data_ = nullptr;
    std::size_t count_ = 0;
};

// Builds the SAFEARRAY of a list VARIANT, element by element. Creating the
// array or a text of it that fails throws platform::ComError(E_OUTOFMEMORY);
// the array is then destroyed with what it held.
class Writer {
public:
    explicit Writer(std::size_t count);
    ~Writer();
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    void Text(std::size_t index, LPCSTR text);
    void Uint(std::size_t index, UINT value);
    void Byte(std::size_t index, BYTE value);
    void Int(std::size_t index, LONG value);

    // Hands the array to out, which gets the list type; out's old content is
    // not freed (it belongs to the caller).
    void Finish(VARIANT& out, VARTYPE type);

private:
    VARIANT& At(std::size_t index);

    SAFEARRAY* array_ = nullptr;
    VARIANT* data_ = nullptr;
    std::size_t count_ = 0;
};

// The texts of a string list (VT_ARRAY | VT_BSTR), perRecord to a record:
// false, with texts untouched, when the list is no valid string list, its
// count is no whole number of records, or an element is no text.
bool ReadTexts(const VARIANT& list, std::size_t perRecord, std::vector<CString>& texts);
// A string list of the texts, in order.
void WriteTexts(const std::vector<CString>& texts, VARIANT& out);
// A number as the record lists write it: "%d" of its 32 bits, so 0xFFFFFFFF
// is "-1".
CString NumberText(DWORD value);

}  // namespace variant_list
