// CHostOutputWrapper: both operations count only an exact S_OK; a host
// without an output window is never called; against the fake and against
// the simulated host's output window.
#include "hostui/host_output_wrapper.h"
#include "sim/host/sim_host.h"
#include "tests/hostui/wrapper_rows.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace wrapper_rows;
using Wrapper = CHostOutputWrapper;
using Host = SingleHost<hostfake::FakeOutputWindow, IID_IHOutputWindow>;

TEST(HostOutputWrapper, EveryOperationAsARow) {
    RunRows<Wrapper, Host>({
        {3, {}, {}, CALL(w.IsValid()), S0()},
        {4, {Q("breakcondition_clear channel 1")}, {}, CALL(w.PostText("breakcondition_clear channel 1")), S0(), 0, {},
         {}, Alloc::NullTexts},
        // An empty text is still posted, as an empty BSTR.
        {4, {Q("")}, {}, CALL(w.PostText("")), S0(), 0, {}, "empty text", Alloc::NullTexts},
    });
}

TEST(HostOutputWrapper, PostsWhatTheCallerFormatsOnlyWhenTheOutputIsReady) {
    for (const HRESULT ready : {S_OK, S_FALSE, E_FAIL}) {
        Host host(true);
        host.fake.Script(3, {ready, {}});
        Wrapper output(&host.provider);
        if (output.IsValid()) {
            CString line;
            line.Format("breakcondition_set channel %i address 0x%x pcbefore", 1, 0xC010);
            static_cast<void>(output.PostText(line));  // as the echo's callers do
        }
        std::vector<Located> expected = {{0, {3, {}}}};
        if (ready == S_OK) {
            expected.push_back({0, {4, {Q("breakcondition_set channel 1 address 0xc010 pcbefore")}}});
        }
        EXPECT_EQ(host.Calls(), expected) << R(ready);
    }
}

TEST(HostOutputWrapper, TheSimulatedHostKeepsAndPrintsThePostedLines) {
    simhost::SimHost host;
    std::ostringstream printed;
    host.Services().Output().SetPrinter([&](const std::string& line) { printed << line << "\n"; });
    {
        Wrapper output(&host.Services());
        ASSERT_TRUE(output.IsValid());
        EXPECT_TRUE(output.PostText("breakcondition_enable disable channel 1"));
        EXPECT_TRUE(output.PostText("breakcondition_clear channel 1"));
    }
    EXPECT_EQ(host.Services().Output().Lines(),
              (std::vector<std::string>{"breakcondition_enable disable channel 1", "breakcondition_clear channel 1"}));
    EXPECT_EQ(printed.str(), "[output] breakcondition_enable disable channel 1\n[output] breakcondition_clear channel 1\n");

    for (const HRESULT ready : {S_FALSE, E_FAIL}) {
        host.Services().Output().SetReadyAnswer(ready);
        Wrapper output(&host.Services());
        EXPECT_FALSE(output.IsValid());
    }
    host.Services().Output().SetReadyAnswer(S_OK);
    host.Services().OfferService(IID_IHOutputWindow, nullptr);
    Wrapper none(&host.Services());
    EXPECT_FALSE(none.IsValid());
    EXPECT_FALSE(none.PostText("lost"));
    EXPECT_EQ(host.Services().Output().Lines().size(), 2u);
    host.Services().Output().SetPrinter(nullptr);
}

}  // namespace
