// The small string records that the record lists and arrays exchanged with
// the host hold by value: two, three or four texts, and texts with a 32-bit
// unsigned value. Equality compares every field exactly (case counts).
#pragma once

#include "platform/afx.h"

struct DOUBLESTRING_STRUCT {
    DOUBLESTRING_STRUCT() = default;
    DOUBLESTRING_STRUCT(LPCSTR firstText, LPCSTR secondText) : first(firstText), second(secondText) {}
    bool operator==(const DOUBLESTRING_STRUCT&) const = default;

    CString first;
    CString second;
};

struct TRIPLESTRING_STRUCT {
    TRIPLESTRING_STRUCT() = default;
    TRIPLESTRING_STRUCT(LPCSTR firstText, LPCSTR secondText, LPCSTR thirdText)
        : first(firstText), second(secondText), third(thirdText) {}
    bool operator==(const TRIPLESTRING_STRUCT&) const = default;

    CString first;
    CString second;
    CString third;
};

struct QUADSTRING_STRUCT {
    QUADSTRING_STRUCT() = default;
    QUADSTRING_STRUCT(LPCSTR firstText, LPCSTR secondText, LPCSTR thirdText, LPCSTR fourthText)
        : first(firstText), second(secondText), third(thirdText), fourth(fourthText) {}
    bool operator==(const QUADSTRING_STRUCT&) const = default;

    CString first;
    CString second;
    CString third;
    CString fourth;
};

struct USTRINGUINT_STRUCT {
    USTRINGUINT_STRUCT() = default;
    USTRINGUINT_STRUCT(LPCSTR textValue, UINT number) : text(textValue), value(number) {}
    bool operator==(const USTRINGUINT_STRUCT&) const = default;

    CString text;
    UINT value = 0;
};

struct DOUBLESTRINGUINT_STRUCT {
    DOUBLESTRINGUINT_STRUCT() = default;
    DOUBLESTRINGUINT_STRUCT(LPCSTR firstText, LPCSTR secondText, UINT number)
        : first(firstText), second(secondText), value(number) {}
    bool operator==(const DOUBLESTRINGUINT_STRUCT&) const = default;

    CString first;
    CString second;
    UINT value = 0;
};

// The lists and arrays of records, holding them by value.
using CStringPairList = CList<DOUBLESTRING_STRUCT>;
using CStringPairArray = CArray<DOUBLESTRING_STRUCT>;
using CStringTripleList = CList<TRIPLESTRING_STRUCT>;
using CStringTripleArray = CArray<TRIPLESTRING_STRUCT>;
using CStringQuadList = CList<QUADSTRING_STRUCT>;
using CStringQuadArray = CArray<QUADSTRING_STRUCT>;
using CStringUintList = CList<USTRINGUINT_STRUCT>;
using CDoubleStringUintList = CList<DOUBLESTRINGUINT_STRUCT>;
