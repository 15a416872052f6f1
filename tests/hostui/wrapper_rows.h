// Table tests of the host-service wrappers against the recording fakes.
//
// A row names the host operation a wrapper method calls, the arguments the
// fake must record (in order and form), what the host writes through the
// outs, and what the method answers, with the caller's outs it changed,
// under each of four hosts: one answering S_OK, one answering S_FALSE, one
// failing (kFailure), and one without the interface. The expectations are
// written from the wrappers' rules as a reader of them would, never from the
// wrappers' code.
#pragma once

#include "util/string_records.h"
#include "platform/afx.h"
#include "platform/bstr.h"
#include "tests/support/host_fakes.h"
#include "tests/support/leak_check.h"
#include "util/command_file.h"
#include "util/custom_placeholder.h"
#include "util/download_module.h"
#include "util/file_time.h"
#include "util/string_record_lists.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <type_traits>
#include <functional>
#include <string>
#include <vector>

namespace wrapper_rows {

inline constexpr HRESULT kFailure = static_cast<HRESULT>(0x80070005u);  // E_ACCESSDENIED
inline constexpr std::array<HRESULT, 3> kResults = {S_OK, S_FALSE, kFailure};

// The caller's side of a call: every out starts at a known value, so that a
// row sees exactly which of them the call changed.
class CallerState {
public:
    CallerState();
    ~CallerState();
    CallerState(const CallerState&) = delete;
    CallerState& operator=(const CallerState&) = delete;

    // "name=value" for each field that differs from its start, in a fixed
    // order, separated by blanks.
    std::string Changes() const;

    CString text[8];       // t0..t7, each "old"
    CStringList list[3];   // l0..l2, each ["keep"]
    DWORD number[10];      // n0..n9, each 77
    BOOL flag[4];          // f0..f3, each 5
    CFileTime time;        // 0x11:0x22
    // Each record list starts with one record ("keep" texts, value 1).
    CDownloadModuleList modules;
    CCommandFileList files;
    CStringPairList pairs;
    CQuadStringPtrList quads;
    CDoubleStringUintPtrList textTextNumbers;
    CCustomPlaceholderMap placeholders;

private:
    std::vector<std::pair<std::string, std::string>> Fields() const;
};

// A method's answer as text: a number in decimal (a negative one, an
// HRESULT, in hexadecimal), a text in quotes.
template <typename Value>
std::string R(Value value) {
    if constexpr (std::is_same_v<Value, CString>) {
        return "\"" + value.Str() + "\"";
    } else if constexpr (std::is_signed_v<Value>) {
        if (value < 0) {
            char text[16];
            std::snprintf(text, sizeof(text), "0x%08X", static_cast<unsigned>(value));
            return text;
        }
        return std::to_string(value);
    } else {
        return std::to_string(value);
    }
}
inline std::string Q(const char* text) {
    return std::string("\"") + text + "\"";
}
inline std::string N(LONG value) {
    return std::to_string(value);
}

// What the host writes through an out.
inline hostfake::Out Txt(std::string text) {
    return hostfake::Out::Text(std::move(text));
}
inline hostfake::Out Num(DWORD value) {
    return hostfake::Out::Number(value);
}
inline hostfake::Out Flg(VARIANT_BOOL value) {
    return hostfake::Out::Flag(value);
}
inline hostfake::Out Strs(const std::vector<std::string>& texts) {
    return hostfake::Out::Strings(texts);
}

// A row's call: the method's answer as text (CALL), or "-" for a method that
// answers nothing (CALL_VOID). The file names the wrapper class Wrapper; the
// caller's outs are c.
#define CALL(expression)                                                   \
    [](Wrapper & w, wrapper_rows::CallerState & c) {                       \
        static_cast<void>(c);                                              \
        return wrapper_rows::R(expression);                                \
    }
#define CALL_VOID(expression)                                              \
    [](Wrapper & w, wrapper_rows::CallerState & c) {                       \
        static_cast<void>(c);                                              \
        expression;                                                        \
        return std::string("-");                                           \
    }

// What a method answers (with the caller's outs it changed) under a host
// answering S_OK, S_FALSE, kFailure, and without the interface.
struct Expect {
    std::string ok;
    std::string sFalse;
    std::string failure;
    std::string none;
};

// "result outs", or the result alone.
std::string J(const std::string& result, const std::string& changes);

// The result rules as the wrappers state them.
inline Expect F(const std::string& outs = {}) {  // 0 on success (S_FALSE too), 1 on failure
    return {J("0", outs), J("0", outs), "1", "1"};
}
inline Expect S(const std::string& outs = {}) {  // 1 on success (S_FALSE too), 0 on failure
    return {J("1", outs), J("1", outs), "0", "0"};
}
inline Expect F0(const std::string& outs = {}) {  // 0 only for exactly S_OK
    return {J("0", outs), "1", "1", "1"};
}
inline Expect S0(const std::string& outs = {}) {  // 1 only for exactly S_OK
    return {J("1", outs), "0", "0", "0"};
}
inline Expect H(const std::string& outs = {}) {  // the host's result itself
    return {J("0", outs), J("1", outs), "0x80070005", "0x80004002"};
}
// Rule none: outs taken after every call ("always"), or only on success.
inline Expect NoneAlways(const std::string& outs = {}) {
    return {J("-", outs), J("-", outs), J("-", outs), "-"};
}
inline Expect NoneOnSuccess(const std::string& outs = {}) {
    return {J("-", outs), J("-", outs), "-", "-"};
}

// One call the fakes of a host recorded, with the fake that got it (0 the
// wrapper's main interface, others as the host fixture numbers them).
struct Located {
    int fake = 0;
    hostfake::Call call;
    bool operator==(const Located&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Located& located);

// What a row does when no text can be made into a BSTR: throw
// platform::ComError(E_OUTOFMEMORY) before calling anything, or pass null
// BSTRs for its texts in (a list in still throws).
enum class Alloc { Throws, NullTexts };

// A host of one fake, offered under its id (or not at all).
template <typename Fake, const IID& Id>
struct SingleHost {
    explicit SingleHost(bool offer) {
        if (offer) {
            provider.Offer(Id, fake.Unknown());
        }
    }
    void Script(int, int slot, hostfake::Answer answer) { fake.Script(slot, std::move(answer)); }
    std::vector<Located> Calls() const {
        std::vector<Located> calls;
        for (const hostfake::Call& call : fake.Calls()) {
            calls.push_back(Located{0, call});
        }
        return calls;
    }

    Fake fake;
    hostfake::FakeProvider provider;
};

template <typename Wrapper>
struct Row {
    using Caller = std::function<std::string(Wrapper&, CallerState&)>;

    Row(int slotNumber, std::vector<std::string> hostArgs, std::vector<hostfake::Out> hostOuts, Caller method,
        Expect expected, int fakeNumber = 0, std::vector<Located> callsBefore = {}, std::string rowLabel = {},
        Alloc allocation = Alloc::Throws)
        : slot(slotNumber),
          args(std::move(hostArgs)),
          outs(std::move(hostOuts)),
          call(std::move(method)),
          expect(std::move(expected)),
          fake(fakeNumber),
          before(std::move(callsBefore)),
          label(std::move(rowLabel)),
          alloc(allocation) {}

    int slot;
    std::vector<std::string> args;
    std::vector<hostfake::Out> outs;
    Caller call;
    Expect expect;
    int fake;                     // which fake the call goes to (0: the main interface)
    std::vector<Located> before;  // calls expected before the row's own
    std::string label;            // to tell rows of one slot apart
    Alloc alloc;
};

// Whether the recorded arguments hold a text or a list that the wrapper made.
bool MakesTexts(const std::vector<std::string>& args);
bool MakesLists(const std::vector<std::string>& args);
// The arguments with every text in passed as a null BSTR.
std::vector<std::string> WithNullTexts(std::vector<std::string> args);

// Runs every row under the four hosts. Host is a fixture holding the fakes
// and a provider (Host(true) offers every fake, Host(false) none), with
// Script(fake, slot, answer) and Calls(). Each row's calls are checked, and
// in the sanitizer build nothing may leak.
template <typename Wrapper, typename Host>
void RunRows(const std::vector<Row<Wrapper>>& rows) {
    for (const Row<Wrapper>& row : rows) {
        const std::string name = "op " + std::to_string(row.slot) + (row.label.empty() ? "" : " " + row.label);
        const std::string expected[] = {row.expect.ok, row.expect.sFalse, row.expect.failure};
        for (std::size_t k = 0; k < kResults.size(); ++k) {
            SCOPED_TRACE(name + " answered " + R(kResults[k]));
            Host host(true);
            host.Script(row.fake, row.slot, hostfake::Answer{kResults[k], row.outs});
            Wrapper wrapper(&host.provider);
            CallerState caller;
            const std::string answer = row.call(wrapper, caller);
            EXPECT_EQ(J(answer, caller.Changes()), expected[k]);
            std::vector<Located> calls = row.before;
            calls.push_back(Located{row.fake, hostfake::Call{row.slot, row.args}});
            EXPECT_EQ(host.Calls(), calls);
        }
        {
            SCOPED_TRACE(name + " without the interface");
            Host host(false);
            Wrapper wrapper(&host.provider);
            CallerState caller;
            const std::string answer = row.call(wrapper, caller);
            EXPECT_EQ(J(answer, caller.Changes()), row.expect.none);
            EXPECT_TRUE(host.Calls().empty());
        }
        SCOPED_TRACE(name + " when no BSTR can be made");
        Host host(true);
        host.Script(row.fake, row.slot, hostfake::Answer{S_OK, row.outs});
        Wrapper wrapper(&host.provider);
        CallerState caller;
        std::vector<Located> calls = row.before;
        const bool throws =
            MakesLists(row.args) || (MakesTexts(row.args) && row.alloc == Alloc::Throws);
        if (throws) {
            platform::BstrAllocationFault fault;
            HRESULT error = S_OK;
            try {
                static_cast<void>(row.call(wrapper, caller));
            } catch (const platform::ComError& raised) {
                error = raised.Error();
            }
            EXPECT_EQ(error, E_OUTOFMEMORY);
            EXPECT_EQ(caller.Changes(), "");
        } else {
            std::string answer;
            try {
                platform::BstrAllocationFault fault;
                answer = row.call(wrapper, caller);
            } catch (const platform::ComError&) {
                ADD_FAILURE() << "threw instead of passing null BSTRs";
            }
            EXPECT_EQ(J(answer, caller.Changes()), row.expect.ok);
            calls.push_back(Located{row.fake, hostfake::Call{row.slot, WithNullTexts(row.args)}});
        }
        EXPECT_EQ(host.Calls(), calls);
    }
    EXPECT_TRUE(leak_check::NothingLeaked());
}

}  // namespace wrapper_rows
