// The kit the host-service wrappers are made of, so that each wrapper method
// states its row (which operation, which arguments in which form, which
// result rule) and none repeats the plumbing:
//
// - three ways of getting a host interface (FromProvider, IntoField, Given
//   by the creator), and AskEachCall for the companions that a wrapper asks
//   for anew at every call;
// - the arguments' forms: Text and TextOrNull in, OutText, the list
//   conversions ListIn / ListOut, NumberOut, the flag conversions, FileTimeOut.
//   Each object owns what it made for the call (a BSTR, a VARIANT) and frees
//   it on every path, also while an exception passes;
// - the result rules: F (0 on success, else 1), S (1 on success, else 0),
//   F0 and S0 (the same, counting only an exact S_OK as success), H (the
//   host's result itself), Y (yes when the call succeeded and the value is 1),
//   V (the 32-bit value the host gave), T (the text the host gave) and none.
//
// Success is a result that is not negative unless a rule says exact S_OK.
// Outs are taken only when the rule's test passes, unless they are marked
// Always. A wrapper without its interface calls nothing, leaves every out as
// it was and answers the rule's failure value: 1 for F and F0, 0 for S, S0,
// Y and V, E_NOINTERFACE for H (unless the wrapper names another), an empty
// text for T, nothing for none.
//
// Interface pointers are borrowed: nothing here adds or releases a reference.
#pragma once

#include "frame/com_utils.h"
#include "platform/afx.h"
#include "platform/bstr.h"
#include "platform/host/interfaces.h"
#include "util/file_time.h"

#include <functional>
#include <optional>
#include <tuple>
#include <utility>

namespace wrapper_kit {

// Way 1: the provider is asked for the interface into a local pointer, which
// is kept only when the answer is not negative. The provider is not kept.
template <typename Interface>
[[nodiscard]] Interface* FromProvider(IHostServiceProvider* host, REFIID iid) {
    if (host == nullptr) {
        return nullptr;
    }
    Interface* local = nullptr;
    if (FAILED(host->QueryService(iid, reinterpret_cast<void**>(&local)))) {
        return nullptr;
    }
    return local;
}

// Way 2: the provider writes straight into the wrapper's field, and whatever
// it wrote there stays; the answer is not looked at.
template <typename Interface>
void IntoField(IHostServiceProvider* host, REFIID iid, Interface*& field) {
    field = nullptr;
    if (host != nullptr) {
        static_cast<void>(host->QueryService(iid, reinterpret_cast<void**>(&field)));
    }
}

// A companion or sub-interface asked for at each use: what the provider
// wrote into a local pointer (null before the request), whatever it answered.
template <typename Interface>
[[nodiscard]] Interface* AskEachCall(IHostServiceProvider* host, REFIID iid) {
    Interface* local = nullptr;
    IntoField(host, iid, local);
    return local;
}

// When an out takes the host's value.
enum class Take {
    OnPass,           // when the row's test passes
    Always,           // after every call
    OnPassElseEmpty,  // a text: the host's when the test passes, else emptied
};

// A text in, made into a BSTR for the call (ANSI code page to UTF-16); a null
// text passes a null BSTR. An allocation that fails throws
// platform::ComError(E_OUTOFMEMORY).
class Text {
public:
    explicit Text(LPCSTR text) {
        if (text != nullptr) {
            bstr_ = platform::Bstr(text);
        }
    }
    BSTR Host() const { return bstr_.Get(); }

private:
    platform::Bstr bstr_;
};

// The other way of making a text in: an allocation that fails passes a null
// BSTR instead.
class TextOrNull {
public:
    explicit TextOrNull(LPCSTR text);
    BSTR Host() const { return bstr_.Get(); }

private:
    platform::Bstr bstr_;
};

// A text in, passed by the address of its BSTR. With nullWhenEmpty an empty
// text passes a null address and no BSTR is made.
class TextRef {
public:
    TextRef(LPCSTR text, bool nullWhenEmpty);
    BSTR* Host() { return empty_ ? nullptr : &bstr_; }
    ~TextRef() { SysFreeString(bstr_); }
    TextRef(const TextRef&) = delete;
    TextRef& operator=(const TextRef&) = delete;

private:
    bool empty_ = false;
    BSTR bstr_ = nullptr;
};

// A text out: the wrapper's BSTR, null before the call, freed after it on
// every path; the caller's text takes it (a null BSTR reads as empty) as take
// says. With a fallback, a failed call assigns the fallback text instead when
// there is one.
class OutText {
public:
    explicit OutText(CString& target, Take take = Take::OnPass, LPCSTR fallback = nullptr)
        : target_(target), take_(take), fallback_(fallback) {}
    BSTR* Host() { return bstr_.Out(); }
    void Commit(bool passed);
    std::string Value() const { return bstr_.Ansi(); }

private:
    CString& target_;
    Take take_;
    LPCSTR fallback_;
    platform::Bstr bstr_;
};

// A list in: the VARIANT that convert (collection, VARIANT&) builds before the
// call, cleared after it.
class ListIn {
public:
    template <typename Collection, typename Convert>
    ListIn(const Collection& collection, Convert convert) {
        convert(collection, value_);
    }
    ~ListIn() { VariantClear(&value_); }
    ListIn(const ListIn&) = delete;
    ListIn& operator=(const ListIn&) = delete;

    VARIANT* Host() { return &value_; }
    // The host takes the VARIANT itself; it stays the wrapper's to clear.
    VARIANT ByValue() const { return value_; }

private:
    VARIANT value_{};
};

// A list VARIANT passed by value.
class ListValue {
public:
    template <typename Collection, typename Convert>
    ListValue(const Collection& collection, Convert convert) : list_(collection, convert) {}
    VARIANT Host() const { return list_.ByValue(); }

private:
    ListIn list_;
};

// A list out: a VT_EMPTY VARIANT passed by address; convert (const VARIANT&,
// collection) adds what it holds to the caller's collection as take says (the
// collection is not emptied first; a VARIANT of another kind adds nothing).
// The VARIANT is cleared after the call on every path.
class ListOut {
public:
    template <typename Collection, typename Convert>
    ListOut(Collection& collection, Convert convert, Take take = Take::OnPass)
        : append_([&collection, convert](const VARIANT& list) { convert(list, collection); }), take_(take) {}
    ~ListOut() { VariantClear(&value_); }
    ListOut(const ListOut&) = delete;
    ListOut& operator=(const ListOut&) = delete;

    VARIANT* Host() { return &value_; }
    void Commit(bool passed);

private:
    std::function<void(const VARIANT&)> append_;
    Take take_;
    VARIANT value_{};
};

// String lists (VT_ARRAY | VT_BSTR), in and out.
[[nodiscard]] inline ListIn StringsIn(const CStringList& list) {
    return ListIn(list, StringListToSafeArray);
}
[[nodiscard]] inline ListOut StringsOut(CStringList& list, Take take = Take::OnPass) {
    return ListOut(list, SafeArrayToStringList, take);
}

// A number out: the wrapper's own 32-bit variable, 0 before the call, copied
// to the caller's as take says. With a fallback, a failed call stores the
// fallback's value instead when there is one. A null target takes nothing.
class NumberOut {
public:
    explicit NumberOut(DWORD* target, Take take = Take::OnPass, const DWORD* fallback = nullptr)
        : target_(target), take_(take), fallback_(fallback) {}
    DWORD* Host() { return &value_; }
    void Commit(bool passed);

private:
    DWORD* target_;
    Take take_;
    const DWORD* fallback_;
    DWORD value_ = 0;
};

// How a value the host gave becomes the caller's flag (1 or 0).
enum class Truth {
    EqualsOne,       // 1 only for the value 1
    NotZero,         // 1 for any value but 0
    EqualsMinusOne,  // 1 only for -1 (VARIANT_TRUE)
};

// A flag the host gives as a 32-bit value (0 before the call).
class FlagFromNumber {
public:
    FlagFromNumber(BOOL* target, Truth truth, Take take = Take::OnPass)
        : target_(target), truth_(truth), take_(take) {}
    DWORD* Host() { return &value_; }
    void Commit(bool passed);

private:
    BOOL* target_;
    Truth truth_;
    Take take_;
    DWORD value_ = 0;
};

// A flag the host gives as a VARIANT_BOOL (0 before the call). With
// clearTarget the caller's flag is set to 0 just before the call.
class FlagFromVariantBool {
public:
    FlagFromVariantBool(BOOL* target, Truth truth, Take take = Take::OnPass, bool clearTarget = false)
        : target_(target), truth_(truth), take_(take), clearTarget_(clearTarget) {}
    void Prepare();
    VARIANT_BOOL* Host() { return &value_; }
    void Commit(bool passed);

private:
    BOOL* target_;
    Truth truth_;
    Take take_;
    bool clearTarget_;
    VARIANT_BOOL value_ = VARIANT_FALSE;
};

// A file time out: two 32-bit words (0 before the call), the first the high
// half and the second the low half of the caller's file time.
class FileTimeOut {
public:
    explicit FileTimeOut(CFileTime& target) : target_(target) {}
    std::tuple<DWORD*, DWORD*> HostArgs() { return {&high_, &low_}; }
    void Commit(bool passed);

private:
    CFileTime& target_;
    DWORD high_ = 0;
    DWORD low_ = 0;
};

// Flags in: VARIANT_TRUE for any value but 0; FlagIfOne only for 1; WordFlag
// crosses as the 32-bit value 1 or 0.
[[nodiscard]] constexpr VARIANT_BOOL Flag(BOOL value) { return value != 0 ? VARIANT_TRUE : VARIANT_FALSE; }
[[nodiscard]] constexpr VARIANT_BOOL FlagIfOne(BOOL value) { return value == 1 ? VARIANT_TRUE : VARIANT_FALSE; }
[[nodiscard]] constexpr DWORD WordFlag(BOOL value) { return value != 0 ? 1 : 0; }

// The tests of success.
[[nodiscard]] constexpr bool Succeeded(HRESULT result) { return result >= 0; }
[[nodiscard]] constexpr bool ExactlyOk(HRESULT result) { return result == S_OK; }

namespace detail {

template <typename Arg>
auto HostArgs(Arg& arg) {
    if constexpr (requires { arg.HostArgs(); }) {
        return arg.HostArgs();
    } else if constexpr (requires { arg.Host(); }) {
        return std::make_tuple(arg.Host());
    } else {
        return std::make_tuple(arg);  // a number, a flag or a pointer, passed unchanged
    }
}

template <typename Arg>
void Prepare(Arg& arg) {
    if constexpr (requires { arg.Prepare(); }) {
        arg.Prepare();
    }
}

template <typename Arg>
void Commit(Arg& arg, bool passed) {
    if constexpr (requires { arg.Commit(passed); }) {
        arg.Commit(passed);
    }
}

}  // namespace detail

// Calls method on the interface with the arguments in their host forms, then
// lets each out take its value (passes decides whether the call passed).
// Nothing when the interface is null.
template <typename Interface, typename Method, typename Passes, typename... Args>
[[nodiscard]] std::optional<HRESULT> Invoke(Interface* host, Method method, Passes passes, Args&&... args) {
    if (host == nullptr) {
        return std::nullopt;
    }
    (detail::Prepare(args), ...);
    const HRESULT result = std::apply([&](auto... values) { return (host->*method)(values...); },
                                      std::tuple_cat(detail::HostArgs(args)...));
    const bool passed = passes(result);
    (detail::Commit(args, passed), ...);
    static_cast<void>(passed);  // a call without outs has nothing to commit
    return result;
}

// The result rules that answer a flag.
struct F {  // 0 when the host's result is not negative, else 1
    static constexpr bool Passes(HRESULT result) { return Succeeded(result); }
    static constexpr DWORD Answer(std::optional<HRESULT> result) { return result && Succeeded(*result) ? 0 : 1; }
};
struct S {  // 1 when the host's result is not negative, else 0
    static constexpr bool Passes(HRESULT result) { return Succeeded(result); }
    static constexpr DWORD Answer(std::optional<HRESULT> result) { return result && Succeeded(*result) ? 1 : 0; }
};
struct F0 {  // 0 only for exactly S_OK, else 1
    static constexpr bool Passes(HRESULT result) { return ExactlyOk(result); }
    static constexpr DWORD Answer(std::optional<HRESULT> result) { return result && ExactlyOk(*result) ? 0 : 1; }
};
struct S0 {  // 1 only for exactly S_OK, else 0
    static constexpr bool Passes(HRESULT result) { return ExactlyOk(result); }
    static constexpr DWORD Answer(std::optional<HRESULT> result) { return result && ExactlyOk(*result) ? 1 : 0; }
};

// One row under rule F, S, F0 or S0.
template <typename Rule, typename Interface, typename Method, typename... Args>
[[nodiscard]] DWORD Call(Interface* host, Method method, Args&&... args) {
    return Rule::Answer(Invoke(host, method, Rule::Passes, std::forward<Args>(args)...));
}

// Rule H: the host's result itself (noInterface without the interface).
// Outs are taken when the result is not negative.
template <typename Interface, typename Method, typename... Args>
[[nodiscard]] HRESULT CallH(Interface* host, Method method, Args&&... args) {
    return Invoke(host, method, Succeeded, std::forward<Args>(args)...).value_or(E_NOINTERFACE);
}

// Rule none: the host's result is dropped. Outs marked OnPass are taken when
// it is not negative.
template <typename Interface, typename Method, typename... Args>
void CallNone(Interface* host, Method method, Args&&... args) {
    static_cast<void>(Invoke(host, method, Succeeded, std::forward<Args>(args)...));  // nobody learns the result
}

// Rule Y: the host gives a 32-bit value as its last out (0 before the call);
// yes (1) only when the call succeeded and the value is 1.
template <typename Interface, typename Method, typename... Args>
[[nodiscard]] DWORD YesNo(Interface* host, Method method, Args&&... args) {
    DWORD value = 0;
    const std::optional<HRESULT> result = Invoke(host, method, Succeeded, std::forward<Args>(args)..., &value);
    return result && Succeeded(*result) && value == 1 ? 1 : 0;
}

// Rule V: the 32-bit value the host gave as its last out (0 before the call),
// whatever its result.
template <typename Interface, typename Method, typename... Args>
[[nodiscard]] DWORD Value(Interface* host, Method method, Args&&... args) {
    DWORD value = 0;
    static_cast<void>(Invoke(host, method, Succeeded, std::forward<Args>(args)..., &value));  // not examined
    return value;
}

// Rule T: the text the host gave as its last out, whatever its result (a text
// it did not give reads as empty).
template <typename Interface, typename Method, typename... Args>
[[nodiscard]] CString TextAnswer(Interface* host, Method method, Args&&... args) {
    CString text;
    static_cast<void>(Invoke(host, method, Succeeded, std::forward<Args>(args)..., OutText(text, Take::Always)));
    return text;
}

}  // namespace wrapper_kit
