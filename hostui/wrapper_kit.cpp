#include "hostui/wrapper_kit.h"

namespace wrapper_kit {
namespace {

bool Takes(Take take, bool passed) {
    return take == Take::Always || passed;
}

BOOL IsTrue(DWORD value, Truth truth) {
    switch (truth) {
        case Truth::EqualsOne:
            return value == 1 ? TRUE : FALSE;
        case Truth::NotZero:
            return value != 0 ? TRUE : FALSE;
        case Truth::EqualsMinusOne:
            return value == 0xFFFFFFFFu ? TRUE : FALSE;
    }
    return FALSE;
}

}  // namespace

TextOrNull::TextOrNull(LPCSTR text) {
    if (text == nullptr) {
        return;
    }
    try {
        bstr_ = platform::Bstr(text);
    } catch (const platform::ComError&) {
        // This way of making a text hands the host a null BSTR instead.
    }
}

TextRef::TextRef(LPCSTR text, bool nullWhenEmpty) {
    empty_ = nullWhenEmpty && (text == nullptr || text[0] == '\0');
    if (!empty_ && text != nullptr) {
        bstr_ = platform::AllocBstr(text);
    }
}

void OutText::Commit(bool passed) {
    if (Takes(take_, passed)) {
        target_ = bstr_.Ansi().c_str();
    } else if (take_ == Take::OnPassElseEmpty) {
        target_.Empty();
    } else if (fallback_ != nullptr) {
        target_ = fallback_;
    }
}

void ListOut::Commit(bool passed) {
    if (Takes(take_, passed)) {
        append_(value_);
    }
}

void NumberOut::Commit(bool passed) {
    if (target_ == nullptr) {
        return;
    }
    if (Takes(take_, passed)) {
        *target_ = value_;
    } else if (fallback_ != nullptr) {
        *target_ = *fallback_;
    }
}

void FlagFromNumber::Commit(bool passed) {
    if (target_ != nullptr && Takes(take_, passed)) {
        *target_ = IsTrue(value_, truth_);
    }
}

void FlagFromVariantBool::Prepare() {
    if (clearTarget_ && target_ != nullptr) {
        *target_ = FALSE;
    }
}

void FlagFromVariantBool::Commit(bool passed) {
    if (target_ != nullptr && Takes(take_, passed)) {
        // The 16-bit value widened with its sign, so VARIANT_TRUE reads as -1.
        *target_ = IsTrue(static_cast<DWORD>(static_cast<LONG>(value_)), truth_);
    }
}

void FileTimeOut::Commit(bool passed) {
    if (passed) {
        target_ = CFileTime(high_, low_);
    }
}

}  // namespace wrapper_kit
