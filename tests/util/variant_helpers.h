// Host list VARIANTs in tests: an owning holder, and building and reading
// string lists.
#pragma once

#include "util/variant_list.h"
#include "platform/com.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace test_variants {

// A VARIANT that is cleared when the test is done with it.
class OwnedVariant {
public:
    OwnedVariant() { VariantInit(&value_); }
    ~OwnedVariant() { VariantClear(&value_); }
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;

    VARIANT& Get() { return value_; }
    // Clears what it held, to receive a new list.
    VARIANT& Fresh() {
        VariantClear(&value_);
        return value_;
    }
    const VARIANT& Get() const { return value_; }

private:
    VARIANT value_;
};

inline void FillTexts(OwnedVariant& list, std::initializer_list<const char*> texts) {
    std::vector<CString> items(texts.begin(), texts.end());
    VariantClear(&list.Get());
    variant_list::WriteTexts(items, list.Get());
}

// The texts of a string list, in order; empty for anything else.
inline std::vector<std::string> Texts(const VARIANT& list) {
    std::vector<CString> texts;
    variant_list::ReadTexts(list, 1, texts);
    return std::vector<std::string>(texts.begin(), texts.end());
}

// The number of elements of a list VARIANT of the given type, -1 when it is
// no valid list.
inline long Count(const VARIANT& list, VARTYPE type) {
    const variant_list::Reader reader(list, type);
    return reader.IsValid() ? static_cast<long>(reader.Count()) : -1;
}

}  // namespace test_variants
