// Host interfaces declared from one table of slots.
//
// A table is a macro taking two macros: SLOT(number, Name, kinds...) for an
// operation with the kinds of its arguments (see hostarg below), and
// GAP(number) for a slot the plug-in never calls. The rows stand in slot order
// from 3 (the three IUnknown operations are 0 to 2), and the interface checks
// that order when it is compiled. The same table declares the interface here
// and yields a recording fake for the tests (tests/support/host_fakes.h), so
// the two cannot drift apart.
//
// Every slot of a table-declared interface answers E_NOTIMPL unless an
// implementation gives it a meaning: the simulated host answers only what it
// has, and each wrapper states the form of what it calls in the table.
#pragma once

#include "platform/com.h"

#include <cstddef>

// The kinds of argument that cross to a host operation, each with its type.
namespace hostarg {

struct Text {  // a text in (a null BSTR stands for no text)
    using Type = BSTR;
};
struct StringOut {  // the address of a BSTR that the host fills
    using Type = BSTR*;
};
struct TextRef {  // a text in, passed by the address of its BSTR (may be null)
    using Type = BSTR*;
};
struct Number {  // a 32-bit value
    using Type = DWORD;
};
struct NumberOut {  // the address of a 32-bit value that the host fills
    using Type = DWORD*;
};
struct Flag {  // a VARIANT_BOOL in
    using Type = VARIANT_BOOL;
};
struct FlagOut {  // the address of a VARIANT_BOOL (or 16-bit value) the host fills
    using Type = VARIANT_BOOL*;
};
struct List {  // the address of a list VARIANT that the caller built
    using Type = VARIANT*;
};
struct ListOut {  // the address of a VT_EMPTY VARIANT that the host fills
    using Type = VARIANT*;
};
struct ListValue {  // a list VARIANT passed by value
    using Type = VARIANT;
};
template <typename Interface>
struct InterfaceOut {  // the address of an interface pointer that the host fills
    using Type = Interface**;
};

}  // namespace hostarg

namespace hostslot {

// True when the slots run 3, 4, 5 ... without a hole or a repeat.
template <std::size_t Count>
constexpr bool InOrder(const int (&slots)[Count]) {
    for (std::size_t index = 0; index < Count; ++index) {
        if (slots[index] != static_cast<int>(index) + 3) {
            return false;
        }
    }
    return true;
}

}  // namespace hostslot

// Expands M(i, kind) once per kind, the first kind with the highest i. The
// parameter i names the argument (a<i>) and is 1 for the last one.
#define HOSTSLOT_CAT(a, b) HOSTSLOT_CAT_(a, b)
#define HOSTSLOT_CAT_(a, b) a##b
#define HOSTSLOT_COUNT(...)                                                                                  \
    HOSTSLOT_PICK(__VA_ARGS__ __VA_OPT__(, ) 24, 23, 22, 21, 20, 19, 18, 17, 16, 15, 14, 13, 12, 11, 10, 9, 8, \
                  7, 6, 5, 4, 3, 2, 1, 0)
#define HOSTSLOT_PICK(_1, _2, _3, _4, _5, _6, _7, _8, _9, _10, _11, _12, _13, _14, _15, _16, _17, _18, _19, _20, \
                      _21, _22, _23, _24, N, ...)                                                               \
    N
#define HOSTSLOT_EACH(M, ...) HOSTSLOT_CAT(HOSTSLOT_EACH_, HOSTSLOT_COUNT(__VA_ARGS__))(M __VA_OPT__(, ) __VA_ARGS__)
#define HOSTSLOT_EACH_0(M)
#define HOSTSLOT_EACH_1(M, k) M(1, k)
#define HOSTSLOT_EACH_2(M, k, ...) M(2, k) HOSTSLOT_EACH_1(M, __VA_ARGS__)
#define HOSTSLOT_EACH_3(M, k, ...) M(3, k) HOSTSLOT_EACH_2(M, __VA_ARGS__)
#define HOSTSLOT_EACH_4(M, k, ...) M(4, k) HOSTSLOT_EACH_3(M, __VA_ARGS__)
#define HOSTSLOT_EACH_5(M, k, ...) M(5, k) HOSTSLOT_EACH_4(M, __VA_ARGS__)
#define HOSTSLOT_EACH_6(M, k, ...) M(6, k) HOSTSLOT_EACH_5(M, __VA_ARGS__)
#define HOSTSLOT_EACH_7(M, k, ...) M(7, k) HOSTSLOT_EACH_6(M, __VA_ARGS__)
#define HOSTSLOT_EACH_8(M, k, ...) M(8, k) HOSTSLOT_EACH_7(M, __VA_ARGS__)
#define HOSTSLOT_EACH_9(M, k, ...) M(9, k) HOSTSLOT_EACH_8(M, __VA_ARGS__)
#define HOSTSLOT_EACH_10(M, k, ...) M(10, k) HOSTSLOT_EACH_9(M, __VA_ARGS__)
#define HOSTSLOT_EACH_11(M, k, ...) M(11, k) HOSTSLOT_EACH_10(M, __VA_ARGS__)
#define HOSTSLOT_EACH_12(M, k, ...) M(12, k) HOSTSLOT_EACH_11(M, __VA_ARGS__)
#define HOSTSLOT_EACH_13(M, k, ...) M(13, k) HOSTSLOT_EACH_12(M, __VA_ARGS__)
#define HOSTSLOT_EACH_14(M, k, ...) M(14, k) HOSTSLOT_EACH_13(M, __VA_ARGS__)
#define HOSTSLOT_EACH_15(M, k, ...) M(15, k) HOSTSLOT_EACH_14(M, __VA_ARGS__)
#define HOSTSLOT_EACH_16(M, k, ...) M(16, k) HOSTSLOT_EACH_15(M, __VA_ARGS__)
#define HOSTSLOT_EACH_17(M, k, ...) M(17, k) HOSTSLOT_EACH_16(M, __VA_ARGS__)
#define HOSTSLOT_EACH_18(M, k, ...) M(18, k) HOSTSLOT_EACH_17(M, __VA_ARGS__)
#define HOSTSLOT_EACH_19(M, k, ...) M(19, k) HOSTSLOT_EACH_18(M, __VA_ARGS__)
#define HOSTSLOT_EACH_20(M, k, ...) M(20, k) HOSTSLOT_EACH_19(M, __VA_ARGS__)
#define HOSTSLOT_EACH_21(M, k, ...) M(21, k) HOSTSLOT_EACH_20(M, __VA_ARGS__)
#define HOSTSLOT_EACH_22(M, k, ...) M(22, k) HOSTSLOT_EACH_21(M, __VA_ARGS__)
#define HOSTSLOT_EACH_23(M, k, ...) M(23, k) HOSTSLOT_EACH_22(M, __VA_ARGS__)
#define HOSTSLOT_EACH_24(M, k, ...) M(24, k) HOSTSLOT_EACH_23(M, __VA_ARGS__)

// The parameter list of a slot: its types alone (HOSTSLOT_TYPES), or the
// types with the names a<i> (HOSTSLOT_PARAMS), comma-separated.
#define HOSTSLOT_SEP_1
#define HOSTSLOT_SEP_2 ,
#define HOSTSLOT_SEP_3 ,
#define HOSTSLOT_SEP_4 ,
#define HOSTSLOT_SEP_5 ,
#define HOSTSLOT_SEP_6 ,
#define HOSTSLOT_SEP_7 ,
#define HOSTSLOT_SEP_8 ,
#define HOSTSLOT_SEP_9 ,
#define HOSTSLOT_SEP_10 ,
#define HOSTSLOT_SEP_11 ,
#define HOSTSLOT_SEP_12 ,
#define HOSTSLOT_SEP_13 ,
#define HOSTSLOT_SEP_14 ,
#define HOSTSLOT_SEP_15 ,
#define HOSTSLOT_SEP_16 ,
#define HOSTSLOT_SEP_17 ,
#define HOSTSLOT_SEP_18 ,
#define HOSTSLOT_SEP_19 ,
#define HOSTSLOT_SEP_20 ,
#define HOSTSLOT_SEP_21 ,
#define HOSTSLOT_SEP_22 ,
#define HOSTSLOT_SEP_23 ,
#define HOSTSLOT_SEP_24 ,
#define HOSTSLOT_PARAM(i, kind) hostarg::kind::Type a##i HOSTSLOT_SEP_##i
#define HOSTSLOT_PARAMS(...) HOSTSLOT_EACH(HOSTSLOT_PARAM __VA_OPT__(, ) __VA_ARGS__)
#define HOSTSLOT_TYPE(i, kind) hostarg::kind::Type HOSTSLOT_SEP_##i
#define HOSTSLOT_TYPES(...) HOSTSLOT_EACH(HOSTSLOT_TYPE __VA_OPT__(, ) __VA_ARGS__)

// Ten gap rows at once: HOSTSLOT_GAPS10(GAP, 12) stands for slots 120 to 129.
#define HOSTSLOT_GAPS10(GAP, tens) \
    GAP(tens##0) GAP(tens##1) GAP(tens##2) GAP(tens##3) GAP(tens##4) GAP(tens##5) GAP(tens##6) GAP(tens##7) \
        GAP(tens##8) GAP(tens##9)

// Declaring an interface from its table.
#define HOSTSLOT_DECLARE(slot, Name, ...) \
    virtual HRESULT STDMETHODCALLTYPE Name(HOSTSLOT_TYPES(__VA_ARGS__)) { return E_NOTIMPL; }
#define HOSTSLOT_DECLARE_GAP(slot) \
    virtual HRESULT STDMETHODCALLTYPE Placeholder##slot() { return E_NOTIMPL; }
#define HOSTSLOT_NUMBER(slot, ...) slot,
#define HOSTSLOT_NUMBER_GAP(slot) slot,

#define HOST_TABLE_INTERFACE(Interface, TABLE)                                                    \
    struct Interface : IUnknown {                                                                 \
        TABLE(HOSTSLOT_DECLARE, HOSTSLOT_DECLARE_GAP)                                             \
        static constexpr int kSlots[] = {TABLE(HOSTSLOT_NUMBER, HOSTSLOT_NUMBER_GAP)};            \
        static_assert(hostslot::InOrder(kSlots), #Interface ": the table's slots are not 3, 4, 5 ..."); \
                                                                                                  \
    protected:                                                                                    \
        ~Interface() = default;                                                                   \
    }
