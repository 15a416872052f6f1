#include "target/target_vk3.h"

#include "frame/host_event.h"
#include "platform/bstr.h"
#include "platform/clock.h"
#include "platform/sync.h"
#include "sim/host/sim_host.h"

#include <gtest/gtest.h>

namespace {

class TargetObject : public ::testing::Test {
protected:
    void TearDown() override {
        target.Detach(1);
        target.SetModified(0);
    }
    CTargetVk3& target = *GetTarget();
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
};

TEST_F(TargetObject, AnswersItsInterfacesAndNothingElse) {
    struct Case {
        const IID* iid;
        void* expected;
    };
    const Case cases[] = {
        {&IID_IUnknown, static_cast<IHRegistryClient*>(&target)},
        {&IID_IHRegistryClient, static_cast<IHRegistryClient*>(&target)},
        {&CLSID_Q3vVk3Target, static_cast<IHTarget*>(&target)},
        {&IID_IHTarget, static_cast<IHTarget*>(&target)},
        {&IID_IHComponent, static_cast<IHComponent*>(&target)},
        {&IID_IHWorkSpaceClient, static_cast<IHWorkSpaceClient2*>(&target)},
        {&IID_IHWorkSpaceClient2, static_cast<IHWorkSpaceClient2*>(&target)},
    };
    for (const Case& c : cases) {
        void* object = nullptr;
        EXPECT_EQ(target.QueryInterface(*c.iid, &object), S_OK) << simhost::IdName(*c.iid);
        EXPECT_EQ(object, c.expected) << simhost::IdName(*c.iid);
    }
    IHWorkSpaceClientExtra* extra = nullptr;
    ASSERT_EQ(target.QueryInterface(IID_IHWorkSpaceClientExtra, reinterpret_cast<void**>(&extra)), S_OK);
    EXPECT_EQ(extra->OnWorkspaceIdle(), S_OK);

    // The error reporter's table is the object's, but the host does not ask
    // the target for it.
    for (const IID* refused : {&CLSID_Q3vVk3UiComponent, &IID_IHErrorReporter}) {
        void* object = &log;
        EXPECT_EQ(target.QueryInterface(*refused, &object), E_NOINTERFACE) << simhost::IdName(*refused);
        EXPECT_EQ(object, nullptr);
    }
    EXPECT_EQ(target.AddRef(), 1u);
    EXPECT_EQ(target.Release(), 0u);
}

TEST_F(TargetObject, AttachRegistersTheWorkspaceClientsAndDetachWithdrawsThem) {
    EXPECT_EQ(target.Attach(&host, 0), S_OK);
    EXPECT_TRUE(host.Registrations().empty());
    EXPECT_EQ(target.Attach(&host, 1), S_OK);
    const auto registrations = host.Registrations();
    ASSERT_EQ(registrations.size(), 2u);
    EXPECT_EQ(registrations[0].iid, IID_IHWorkSpaceClient);
    EXPECT_EQ(registrations[1].iid, IID_IHWorkSpaceClient2);
    EXPECT_FALSE(registrations[0].server);
    EXPECT_EQ(target.Detach(1), S_OK);
    EXPECT_TRUE(host.Registrations().empty());
    EXPECT_EQ(target.GetHost(), nullptr);
}

TEST_F(TargetObject, ErrorTextsComeFromTheHostsErrorCodeTable) {
    platform::Bstr text;
    EXPECT_EQ(target.GetErrorText(0x1234, text.Out()), E_FAIL);  // not attached
    ASSERT_EQ(target.Attach(&host, 1), S_OK);
    EXPECT_EQ(target.GetErrorText(0x1234, text.Out()), S_OK);
    EXPECT_EQ(text.Ansi(), "Unknown Error");
}

TEST_F(TargetObject, RaisingAHostEventWaitsForTheObjectTheHostNames) {
    platform::VirtualClock clock(0, 0);
    ASSERT_EQ(target.Attach(&host, 1), S_OK);
    target.RaiseHostEvent(CHostEvent(EVENT_GoStarted));  // the host names no object: nothing to wait for
    EXPECT_EQ(clock.Now(), 0u);
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, "target-test-event");
    host.NameEvent(EVENT_GoStarted, "target-test-event");
    target.RaiseHostEvent(CHostEvent(EVENT_GoStarted));
    EXPECT_EQ(clock.Now(), 1000u);  // nobody signalled it: the wait ran out
    CloseHandle(event);
}

TEST_F(TargetObject, WorkspaceQueriesFollowTheModifiedAndRunningFlags) {
    DWORD modified = 7;
    EXPECT_EQ(target.GetModified(nullptr, nullptr, nullptr, &modified), S_OK);
    EXPECT_EQ(modified, 0u);
    target.SetModified(1);
    EXPECT_EQ(target.GetModified(nullptr, nullptr, nullptr, &modified), S_OK);
    EXPECT_EQ(modified, 1u);

    EXPECT_EQ(target.QueryBusyOnWorkspaceClose(), 0);
    EXPECT_EQ(target.QueryBusyOnSessionSave(nullptr, nullptr, nullptr, 0), 0);
    // Two holders (a go and a breakpoint listing): the state reads 1 until
    // the last lets go, whichever ends first.
    target.HoldRunState();
    target.HoldRunState();
    EXPECT_EQ(target.QueryBusyOnWorkspaceClose(), 1);
    EXPECT_EQ(target.QueryBusyOnProjectChange(), 1);
    EXPECT_EQ(target.QueryBusyOnSessionSave(nullptr, nullptr, nullptr, 0), 1);
    EXPECT_EQ(target.QueryBusyOnSessionLoad(nullptr, nullptr, nullptr, 0), 1);
    target.ReleaseRunState();
    EXPECT_EQ(target.QueryBusyOnWorkspaceClose(), 1);
    target.ReleaseRunState();
    EXPECT_EQ(target.QueryBusyOnWorkspaceClose(), 0);
}

}  // namespace
