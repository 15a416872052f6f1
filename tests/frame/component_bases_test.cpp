#include "frame/host_component_base.h"
#include "frame/target.h"

#include "platform/bstr.h"
#include "sim/host/sim_host.h"

#include <gtest/gtest.h>

namespace {

class TestTarget : public CTarget {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE Register(IHComponentRegistry*) override { return S_OK; }
};

class TestWindow : public CHostComponentWindow {
public:
    TestWindow(int& destroyed, int& deleted) : destroyed_(destroyed), deleted_(deleted) {}
    ~TestWindow() override { ++deleted_; }
    void DestroyUnderAppModuleState() override { ++destroyed_; }

private:
    int& destroyed_;
    int& deleted_;
};

class TestComponent : public CHostComponentBase {
public:
    TestComponent() = default;
    TestComponent(int* destroyedCount, int* deletedCount) : destroyedOut_(destroyedCount), deletedOut_(deletedCount) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE Register(IHComponentRegistry*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnHostEvent(const GUID*) override { return S_OK; }
    BOOL CreateWindowObject() override {
        ++created;
        m_windowObject = new TestWindow(destroyedOut_ != nullptr ? *destroyedOut_ : destroyed,
                                        deletedOut_ != nullptr ? *deletedOut_ : deleted);
        return TRUE;
    }
    int created = 0;
    int destroyed = 0;
    int deleted = 0;

private:
    int* destroyedOut_ = nullptr;
    int* deletedOut_ = nullptr;
};

class ComponentBases : public ::testing::Test {
protected:
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
};

TEST_F(ComponentBases, TargetAttachWithFlagZeroKeepsNothing) {
    TestTarget target;
    EXPECT_EQ(target.Attach(&host, 0), S_OK);
    EXPECT_EQ(target.GetHost(), nullptr);
    EXPECT_TRUE(log.Find("QueryService").empty());
}

TEST_F(ComponentBases, TargetAttachKeepsTheHostAndItsServices) {
    TestTarget target;
    EXPECT_EQ(target.Attach(&host, 1), S_OK);
    EXPECT_EQ(target.GetHost(), &host);
    EXPECT_NE(target.GetErrorCodeTable(), nullptr);
    EXPECT_EQ(target.GetDebugSession(), nullptr);  // the host does not offer it
    platform::Bstr text;
    EXPECT_EQ(target.GetErrorText(0x1234, text.Out()), S_OK);
    EXPECT_EQ(text.Ansi(), "Unknown Error");

    EXPECT_EQ(target.Detach(0), S_OK);
    EXPECT_EQ(target.GetHost(), &host);  // a zero flag keeps the host
    EXPECT_EQ(target.Detach(1), S_OK);
    EXPECT_EQ(target.GetHost(), nullptr);
    EXPECT_EQ(target.GetErrorCodeTable(), nullptr);
}

TEST_F(ComponentBases, TargetRefusesANullHostAndTextsWithoutATable) {
    TestTarget target;
    EXPECT_EQ(target.Attach(nullptr, 1), E_FAIL);
    platform::Bstr text;
    EXPECT_EQ(target.GetErrorText(0, text.Out()), E_FAIL);
    EXPECT_EQ(target.OnHostEvent(&IID_IHTarget), S_OK);
}

TEST_F(ComponentBases, ComponentAttachCreatesItsWindowAndDetachDestroysIt) {
    TestComponent component;
    EXPECT_EQ(component.Attach(&host, 0), S_OK);
    EXPECT_EQ(component.created, 0);
    EXPECT_EQ(component.GetHost(), nullptr);

    EXPECT_EQ(component.Attach(&host, 1), S_OK);
    EXPECT_EQ(component.created, 1);
    EXPECT_EQ(component.GetHost(), &host);
    EXPECT_EQ(log.Find("QueryInterface").size(), 1u);  // the host object's own interface

    EXPECT_EQ(component.Detach(0), S_OK);
    EXPECT_EQ(component.destroyed, 0);
    EXPECT_EQ(component.Detach(1), S_OK);
    EXPECT_EQ(component.destroyed, 1);
    EXPECT_EQ(component.deleted, 1);
    EXPECT_EQ(component.GetWindowObject(), nullptr);
    EXPECT_EQ(component.Detach(1), E_FAIL);  // no longer attached
}

TEST_F(ComponentBases, ComponentRefusesANullHostAndDeletesAWindowLeftAtDestruction) {
    int destroyed = 0;
    int deleted = 0;
    {
        TestComponent component(&destroyed, &deleted);
        EXPECT_EQ(component.Attach(nullptr, 1), E_FAIL);
        EXPECT_EQ(component.created, 0);
        platform::Bstr text;
        EXPECT_EQ(component.GetErrorText(0, text.Out()), E_FAIL);
        EXPECT_EQ(component.Attach(&host, 1), S_OK);
        EXPECT_EQ(component.GetErrorText(0x7777, text.Out()), S_OK);  // the host's table answers
        EXPECT_EQ(text.Ansi(), "Unknown Error");
    }
    EXPECT_EQ(destroyed, 0);  // destruction deletes the object without destroying a window
    EXPECT_EQ(deleted, 1);
}

}  // namespace
