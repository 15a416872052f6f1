// The host of wrapper F's tests: service F (fake 0) and its companions 1 to 3
// (fakes 1 to 3), all offered or none.
#pragma once

#include "tests/hostui/wrapper_rows.h"

namespace wrapper_rows {

struct ServiceFHost {
    explicit ServiceFHost(bool offer) {
        if (offer) {
            provider.Offer(IID_IHPlaceholderSettings, f.Unknown());
            provider.Offer(IID_IHServiceFCompanion1, companion1.Unknown());
            provider.Offer(IID_IHServiceFCompanion2, companion2.Unknown());
            provider.Offer(IID_IHServiceFCompanion3, companion3.Unknown());
        }
    }
    hostfake::Recorder& Fake(int number) {
        switch (number) {
            case 1:
                return companion1;
            case 2:
                return companion2;
            case 3:
                return companion3;
            default:
                return f;
        }
    }
    void Script(int fake, int slot, hostfake::Answer answer) { Fake(fake).Script(slot, std::move(answer)); }
    std::vector<Located> Calls() {
        std::vector<Located> calls;
        for (int number = 0; number < 4; ++number) {
            for (const hostfake::Call& call : Fake(number).Calls()) {
                calls.push_back({number, call});
            }
        }
        return calls;
    }

    hostfake::FakePlaceholderSettings f;
    hostfake::FakeServiceFCompanion1 companion1;
    hostfake::FakeServiceFCompanion2 companion2;
    hostfake::FakeServiceFCompanion3 companion3;
    hostfake::FakeProvider provider;
};

// What the host writes for a list of each record kind, and what the caller's
// list holds afterwards (its first record was there before).
inline hostfake::Out PairOut() {
    return Strs({"x", "y"});
}
inline const char* const kPairsTaken = "pairs=[keep/keep;x/y]";
// The four texts of a record cross in the order third, second, fourth, first.
inline hostfake::Out QuadOut() {
    return Strs({"3", "2", "4", "1"});
}
inline const char* const kQuadsTaken = "quads=[keep/keep/keep/keep;1/2/3/4]";
inline hostfake::Out TextTextNumberOut() {
    return Strs({"x", "y", "5"});
}
inline const char* const kTextTextNumbersTaken = "ttn=[keep/keep/1;x/y/5]";
// Description, name and value, the last quarter of the list empty.
inline hostfake::Out PlaceholderOut() {
    return Strs({"desc", "name", "value", "~"});
}
inline const char* const kPlaceholdersTaken = "placeholders=[keep:keep:keep;name:desc:value]";
// The caller's first records as they go to the host.
inline const char* const kPairsSent = "[keep|keep]";
inline const char* const kQuadsSent = "[keep|keep|keep|keep]";
inline const char* const kTextTextNumbersSent = "[keep|keep|1]";
inline const char* const kPlaceholdersSent = "[keep|keep|keep|~]";

// Rule V: the value whatever the result (5 written here).
inline Expect V(const char* value = "5") {
    return {value, value, value, "0"};
}
// Rule T: the text whatever the result.
inline Expect T(const char* text = "\"new\"") {
    return {text, text, text, "\"\""};
}

}  // namespace wrapper_rows
