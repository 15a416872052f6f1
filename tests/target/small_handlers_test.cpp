// The target's smaller handlers: what each answers the host, its own error
// reporter, its registration for its lifetime; the PC-break handler's family
// layer; the command list, event handler, condition set and columns in
// their first forms.
#include "events/break_condition_set.h"
#include "events/target_event_vk3.h"
#include "events/view_column_base.h"
#include "frame/error_codes.h"
#include "frame/host_profile_accessor.h"
#include "target/small_handlers.h"
#include "target/target_break_vk3.h"
#include "target/target_vk3.h"

#include "platform/bstr.h"
#include "sim/host/sim_host.h"
#include "sim/host/workspace_storage.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class SmallHandlers : public ::testing::Test {
protected:
    // The handler's answers to the interface ids it is asked for.
    template <typename Handler>
    void ExpectQueries(Handler& handler, const IID& served, void* servedPart) {
        void* object = nullptr;
        EXPECT_EQ(handler.QueryInterface(IID_IUnknown, &object), S_OK);
        EXPECT_EQ(object, servedPart);
        EXPECT_EQ(handler.QueryInterface(served, &object), S_OK);
        EXPECT_EQ(object, servedPart);
        IHErrorReporter* reporter = nullptr;
        ASSERT_EQ(handler.QueryInterface(IID_IHErrorReporter, reinterpret_cast<void**>(&reporter)), S_OK);
        ASSERT_NE(reporter, nullptr);
        EXPECT_NE(static_cast<void*>(reporter), static_cast<void*>(GetTarget()));
        platform::Bstr text;
        EXPECT_EQ(reporter->GetErrorText(TE_NOT_AVAILABLE, text.Out()), S_OK);  // the host's table answers
        EXPECT_EQ(text.Ansi(), "Not currently available");
        object = &log;
        EXPECT_EQ(handler.QueryInterface(IID_IHTarget, &object), E_NOINTERFACE);
        EXPECT_EQ(object, nullptr);
        EXPECT_EQ(handler.AddRef(), 1u);
        EXPECT_EQ(handler.Release(), 0u);
    }
    // The interface the host holds for the handler, while it exists.
    std::size_t Registered(const IID& iid) const {
        std::size_t count = 0;
        for (const simhost::InterfaceRegistration& registration : host.Registrations()) {
            count += registration.iid == iid && registration.server ? 1 : 0;
        }
        return count;
    }
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
};

TEST_F(SmallHandlers, TheTextRequestServerRefusesEveryRequestWhateverTheText) {
    {
        CTextRequestServer server(&host, 0);
        EXPECT_EQ(Registered(IID_IHTTextRequest), 1u);
        ExpectQueries(server, IID_IHTTextRequest, static_cast<IHTTextRequest*>(&server));
        for (const char* text : {"", "first\nsecond", "x"}) {
            platform::Bstr wide(text);
            EXPECT_EQ(server.RequestText(wide.Get()), TE_NOT_AVAILABLE);
        }
        EXPECT_EQ(server.RequestText(nullptr), TE_NOT_AVAILABLE);
        EXPECT_EQ(server.RequestPair(1, 2), TE_NOT_AVAILABLE);
        EXPECT_EQ(server.RequestValue(3), TE_NOT_AVAILABLE);
        EXPECT_EQ(server.RequestRange(4, 5), TE_NOT_AVAILABLE);
        EXPECT_EQ(server.OnTargetOpen(), S_OK);
        EXPECT_EQ(server.OnTargetClose(), S_OK);
    }
    EXPECT_EQ(Registered(IID_IHTTextRequest), 0u);
}

TEST_F(SmallHandlers, TheSupportMarkerAnswersOkWithoutEffect) {
    {
        CSupportMarkerServer server(&host);
        ExpectQueries(server, IID_IHTSupportMarker, static_cast<IHTSupportMarker*>(&server));
        EXPECT_EQ(server.Mark(), S_OK);
        EXPECT_EQ(Registered(IID_IHTSupportMarker), 1u);
    }
    EXPECT_EQ(Registered(IID_IHTSupportMarker), 0u);
}

TEST_F(SmallHandlers, TheEventHandlerServesItsListAndSavesItsFreshRecords) {
    testing_support::TempFolder folder;
    simhost::WorkspaceStorage storage(log, folder.Windows("workspace.ini"));
    {
        CTargetEventVk3 handler(&host);
        ExpectQueries(handler, IID_IHTBreakListServer, static_cast<IHTBreakListServer*>(&handler));
        CHostProfileAccessorEx accessor(&storage, "ws", "proj", "x", "sess", CLSID_Q3vVk3Target);
        handler.Record(4).conditionFlag = 1;  // channels above the fourth are never written
        EXPECT_EQ(handler.SaveSession(accessor), S_OK);
        std::vector<std::string> written;
        for (const simhost::CallRecord& call : log.Find("WorkspaceWrite")) {
            written.push_back(call.detail.substr(call.detail.find("T_EVENT_")));
        }
        EXPECT_EQ(written, (std::vector<std::string>{"T_EVENT_BC1=0,0,1,0,1,0,1,0,0,0", "T_EVENT_BC2=0,0,1,0,1,0",
                                                     "T_EVENT_BC3=0,0,1,0,1,0,1,0,0,0",
                                                     "T_EVENT_BC4=0,0,1,0,1,0,1,0,0,0"}));
        log.Clear();
        handler.Record(3).address = 0xABCDEF;
        handler.Record(3).dataValue = 0;
        handler.Record(3).dataSize = 2;
        storage.FailWritesOf("T_EVENT_BC4");
        EXPECT_EQ(handler.SaveSession(accessor), E_FAIL);
        EXPECT_EQ(log.Find("WorkspaceWrite").back().detail.substr(log.Find("WorkspaceWrite").back().detail.find("T_")),
                  "T_EVENT_BC4=0,0,1,abcdef,1,0,1,2,0,0");
        log.Clear();
        EXPECT_EQ(handler.LoadSession(accessor), S_OK);
        EXPECT_TRUE(log.Find("WorkspaceRead").empty()) << "the load reads nothing";
        EXPECT_EQ(Registered(IID_IHTBreakListServer), 1u);
    }
    EXPECT_EQ(Registered(IID_IHTBreakListServer), 0u);
}

TEST_F(SmallHandlers, ThePcBreakHandlerRefusesBreaksCountsNoneAndClosesEmpty) {
    {
        CTargetBreakVk3 handler(&host);
        void* object = nullptr;
        EXPECT_EQ(handler.QueryInterface(IID_IUnknown, &object), S_OK);
        EXPECT_EQ(object, static_cast<IHTPCBreakClient*>(&handler));
        EXPECT_EQ(handler.QueryInterface(IID_IHTPCBreakClient, &object), S_OK);
        EXPECT_EQ(object, static_cast<IHTPCBreakClient*>(&handler));
        IHTBreakServer* list = nullptr;
        ASSERT_EQ(handler.QueryInterface(IID_IHTBreakServer, reinterpret_cast<void**>(&list)), S_OK);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->QueryInterface(IID_IHTPCBreakClient, &object), S_OK);  // one object behind both
        BreakItemInfo* item = nullptr;
        EXPECT_EQ(list->GetNextItem(-1, &item), 10) << "lists nothing";
        EXPECT_EQ(list->RemoveItem(-1), 10);
        void* reporter = nullptr;
        ASSERT_EQ(handler.QueryInterface(IID_IHErrorReporter, &reporter), S_OK);
        EXPECT_NE(reporter, nullptr);
        EXPECT_EQ(handler.QueryInterface(IID_IHTarget, &object), E_NOINTERFACE);

        DWORD index = 7;
        platform::Bstr text("C010");
        EXPECT_EQ(handler.AddBreak(0xC010, GUID{}, text.Get(), &index), E_FAIL);
        EXPECT_EQ(index, 7u);
        EXPECT_EQ(handler.CountBreaks(), 0u);
        for (int kind = 0; kind < CTargetBreakVk3::kKindCount; ++kind) {
            EXPECT_EQ(handler.GetKindBreakCount(kind), 0u);
        }
        EXPECT_EQ(handler.OnTargetClose(), S_OK);
        EXPECT_EQ(handler.CountBreaks(), 0u);
        EXPECT_EQ(Registered(IID_IHTPCBreakClient), 1u);
        EXPECT_EQ(Registered(IID_IHTBreakServer), 1u);
    }
    EXPECT_EQ(Registered(IID_IHTPCBreakClient), 0u);
    EXPECT_EQ(Registered(IID_IHTBreakServer), 0u);
}

TEST_F(SmallHandlers, TheConditionSetAndTheColumnsHaveNothingToShowYet) {
    CBreakConditionSet set(&host);
    for (int channel = -1; channel < 8; ++channel) {
        EXPECT_EQ(set.GetChannelFlag(channel), 0u);
    }
    CViewColumnBase columns(&host);
    EXPECT_EQ(columns.Create(), 1);
    EXPECT_EQ(columns.Destroy(), 1);
}

}  // namespace
