// The argument forms both halves of CHostServiceF pass: the list forms of
// service F's records, in and out, and the text that is always taken
// (inside hostui only).
#pragma once

#include "frame/com_utils.h"
#include "util/string_records.h"
#include "hostui/wrapper_kit.h"
#include "util/custom_placeholder.h"
#include "util/string_record_lists.h"

namespace host_service_f {

using wrapper_kit::ListIn;
using wrapper_kit::ListOut;
using wrapper_kit::OutText;
using wrapper_kit::Take;

// A text out that the host's answer replaces whether the call passes or not.
[[nodiscard]] inline OutText Always(CString& text) {
    return OutText(text, Take::Always);
}

[[nodiscard]] inline ListOut PairsOut(CStringPairList& pairs, Take take) {
    return ListOut(pairs, CComUtils::SafeArrayToStringPairList, take);
}
[[nodiscard]] inline ListIn PairsIn(const CStringPairList& pairs) {
    return ListIn(pairs, CComUtils::StringPairListToSafeArray);
}
[[nodiscard]] inline ListOut QuadsOut(CQuadStringPtrList& records, Take take) {
    return ListOut(records, VariantToQuadStringList, take);
}
[[nodiscard]] inline ListIn QuadsIn(const CQuadStringPtrList& records) {
    return ListIn(records, QuadStringListToVariant);
}
[[nodiscard]] inline ListOut PlaceholdersOut(CCustomPlaceholderMap& placeholders, Take take) {
    return ListOut(placeholders, VariantToCustomPlaceholderMap, take);
}
[[nodiscard]] inline ListIn PlaceholdersIn(const CCustomPlaceholderMap& placeholders) {
    return ListIn(placeholders, CustomPlaceholderMapToVariant);
}
[[nodiscard]] inline ListOut TextTextNumbersOut(CDoubleStringUintPtrList& records, Take take) {
    return ListOut(records, VariantToDoubleStringUintList, take);
}
[[nodiscard]] inline ListIn TextTextNumbersIn(const CDoubleStringUintPtrList& records) {
    return ListIn(records, DoubleStringUintListToVariant);
}

}  // namespace host_service_f
