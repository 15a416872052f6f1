// The host-service wrappers A, B and F fed with fuzzed host answers: the
// recording fakes answer every list-out and record-out operation with an
// arbitrary list VARIANT (wrong types, odd counts, null arrays, two
// dimensions) under an arbitrary result. Whatever the host gives must be
// taken or refused without a crash or a leak.
#include "fuzz/fuzz_lists.h"
#include "hostui/host_service_a.h"
#include "hostui/host_service_b.h"
#include "hostui/host_service_f.h"
#include "tests/support/host_fakes.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace {

using hostfake::Out;

template <typename List>
void DeleteAll(List& list) {
    while (!list.IsEmpty()) {
        delete list.RemoveHead();
    }
}

// What the wrappers are given and fill.
struct Collections {
    ~Collections() {
        DeleteAll(files);
        DeleteAll(quads);
        DeleteAll(textTextNumbers);
        DeleteCustomPlaceholders(placeholders);
    }
    CString text;
    CStringList strings[3];
    CDownloadModuleList modules;
    CCommandFileList files;
    CStringPairList pairs;
    CQuadStringPtrList quads;
    CDoubleStringUintPtrList textTextNumbers;
    CCustomPlaceholderMap placeholders;
};

struct Host {
    Host() {
        provider.Offer(IID_IHWorkSpaceInfo, info.Unknown());
        provider.Offer(IID_IHServiceB, b.Unknown());
        provider.Offer(IID_IHPlaceholderSettings, f.Unknown());
    }
    hostfake::FakeWorkSpaceInfo info;
    hostfake::FakeServiceB b;
    hostfake::FakePlaceholderSettings f;
    hostfake::FakeProvider provider;
    CHostServiceA a{&provider};
    CHostServiceB serviceB{&provider};
    CHostServiceF serviceF{&provider};
};

// One operation with list outs: its fake, its slot, its outs in order ('T'
// a text, 'L' a list) and the call.
struct Operation {
    hostfake::Recorder& (*fake)(Host&);
    int slot;
    const char* outs;
    std::function<void(Host&, Collections&)> call;
};

hostfake::Recorder& A(Host& host) {
    return host.info;
}
hostfake::Recorder& B(Host& host) {
    return host.b;
}
hostfake::Recorder& F(Host& host) {
    return host.f;
}

const std::vector<Operation>& Operations() {
    static const std::vector<Operation> operations = {
        {A, 16, "L", [](Host& h, Collections& c) { static_cast<void>(h.a.Op16("a", "b", c.strings[0])); }},
        {A, 17, "L", [](Host& h, Collections& c) { static_cast<void>(h.a.Op17("a", c.strings[0])); }},
        {A, 18, "L", [](Host& h, Collections& c) { static_cast<void>(h.a.Op18(c.strings[0])); }},
        {A, 36, "L", [](Host& h, Collections& c) { static_cast<void>(h.a.Op36("a", "b", c.strings[0])); }},
        {A, 41, "L", [](Host& h, Collections& c) { static_cast<void>(h.a.Op41("a", "b", c.strings[0])); }},
        {A, 47, "TLLL",
         [](Host& h, Collections& c) {
             static_cast<void>(h.a.Op47("a", c.text, 1, 2, c.strings[0], c.strings[1], c.strings[2]));
         }},
        {B, 3, "L", [](Host& h, Collections& c) { static_cast<void>(h.serviceB.Op3("a", "b", "c", c.modules)); }},
        {B, 11, "L", [](Host& h, Collections& c) { h.serviceB.Op11("a", "b", "c", c.files); }},
        {B, 43, "L",
         [](Host& h, Collections& c) { static_cast<void>(h.serviceB.Op43("a", "b", "c", c.strings[0])); }},
        {B, 46, "TTLT",
         [](Host& h, Collections& c) {
             CString more;
             static_cast<void>(h.serviceB.Op46("a", "b", "c", 4, "e", "f", c.text, 8, 9, 10, more, 12, 13, 14, 15, 16,
                                               17, 18, c.strings[0], more));
         }},
        {B, 47, "TL",
         [](Host& h, Collections& c) {
             static_cast<void>(h.serviceB.Op47("a", 2, 3, 4, c.text, 6, 7, 8, 9, 10, 11, 12, c.strings[0]));
         }},
        {F, 35, "L", [](Host& h, Collections& c) { h.serviceF.Op35(c.pairs); }},
        {F, 36, "L", [](Host& h, Collections& c) { h.serviceF.Op36(c.pairs); }},
        {F, 39, "L", [](Host& h, Collections& c) { h.serviceF.Op39(c.quads); }},
        {F, 40, "L", [](Host& h, Collections& c) { h.serviceF.Op40(c.quads); }},
        {F, 43, "L", [](Host& h, Collections& c) { h.serviceF.GetCustomPlaceholders(c.placeholders); }},
        {F, 44, "L", [](Host& h, Collections& c) { h.serviceF.Op44(c.placeholders); }},
        {F, 60, "L", [](Host& h, Collections& c) { h.serviceF.Op60(c.textTextNumbers); }},
        {F, 97, "L", [](Host& h, Collections& c) { h.serviceF.Op97("a", c.strings[0]); }},
        {F, 99, "L", [](Host& h, Collections& c) { h.serviceF.Op99(c.strings[0]); }},
        {F, 154, "L", [](Host& h, Collections& c) { h.serviceF.Op154("a", "b", c.strings[0]); }},
        {F, 176, "L",
         [](Host& h, Collections& c) { static_cast<void>(h.serviceF.Op176("a", c.textTextNumbers)); }},
        {F, 182, "L", [](Host& h, Collections& c) { static_cast<void>(h.serviceF.Op182("a", c.pairs)); }},
        {F, 184, "L", [](Host& h, Collections& c) { static_cast<void>(h.serviceF.Op184("a", c.quads)); }},
        {F, 186, "L",
         [](Host& h, Collections& c) { static_cast<void>(h.serviceF.GetWorkspacePlaceholders("a", c.placeholders)); }},
        {F, 224, "L", [](Host& h, Collections& c) { h.serviceF.Op224(c.strings[0]); }},
    };
    return operations;
}

const HRESULT kResults[] = {S_OK, S_FALSE, E_FAIL, static_cast<HRESULT>(0x00000002)};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_lists::Input input(data, size);
    Host host;
    Collections collections;
    for (int round = 0; round < 8 && !input.Empty(); ++round) {
        const Operation& operation = Operations()[input.Byte() % Operations().size()];
        hostfake::Answer answer{kResults[input.Byte() % 4], {}};
        for (const char* out = operation.outs; *out != '\0'; ++out) {
            if (*out == 'T') {
                answer.outs.push_back(Out::Text(input.Text()));
            } else {
                VARIANT value;
                fuzz_lists::MakeList(value, input);
                answer.outs.push_back(Out::ListOnce(value));  // the answer owns it from here
            }
        }
        operation.fake(host).Script(operation.slot, answer);
        operation.call(host, collections);
    }
    return 0;
}
