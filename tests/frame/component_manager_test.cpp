#include "plugin/component_manager.h"

#include "sim/host/sim_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A component of a test table: answers the interfaces it is told to, and
// records its registrations in a shared journal.
class TestComponent : public IHRegistryClient {
public:
    TestComponent(std::string name, std::vector<std::string>& journal) : name_(std::move(name)), journal_(journal) {}
    virtual ~TestComponent() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        for (const IID& answered : answers) {
            if (iid == answered) {
                *object = static_cast<IHRegistryClient*>(this);
                return S_OK;
            }
        }
        if (leavesPointerOnFailure) {
            *object = static_cast<IHRegistryClient*>(this);
        }
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE Register(IHComponentRegistry* registry) override {
        journal_.push_back(name_ + (registry != nullptr ? " registered" : " registered without registry"));
        return E_FAIL;  // a failing registration must not change LibraryRegister's answer
    }

    std::vector<IID> answers;
    bool leavesPointerOnFailure = false;

private:
    std::string name_;
    std::vector<std::string>& journal_;
};

const IID kOnlySecond = hostid::MakeId(0x0F00, 0x01);
const IID kBoth = hostid::MakeId(0x0F00, 0x02);
const IID kNobody = hostid::MakeId(0x0F00, 0x03);
const CLSID kFirstClass = hostid::MakeId(0x0F01, 0x01);
const CLSID kSecondClass = hostid::MakeId(0x0F01, 0x02);

class ComponentManagerTest : public ::testing::Test {
protected:
    std::vector<std::string> journal;
    TestComponent first{"first", journal};
    TestComponent second{"second", journal};
    ComponentTableEntry table[3] = {{&kFirstClass, &first}, {&kSecondClass, &second}, {nullptr, nullptr}};
    CComponentManager manager{table};
    simhost::CallLog log;
    simhost::ComponentRegistry registry{log};
};

TEST_F(ComponentManagerTest, RegistersEveryComponentInTableOrder) {
    first.answers = {IID_IHRegistryClient, kBoth};
    second.answers = {IID_IHRegistryClient, kBoth, kOnlySecond};
    EXPECT_EQ(manager.RegisterComponents(&registry), S_OK);
    EXPECT_EQ(journal, (std::vector<std::string>{"first registered", "second registered"}));
}

TEST_F(ComponentManagerTest, AComponentWithoutRegistryClientDoesNotStopTheOthers) {
    second.answers = {IID_IHRegistryClient};
    EXPECT_EQ(manager.RegisterComponents(&registry), E_NOINTERFACE);
    EXPECT_EQ(journal, (std::vector<std::string>{"second registered"}));
}

TEST_F(ComponentManagerTest, TheFirstComponentThatAnswersWins) {
    first.answers = {kBoth};
    second.answers = {kBoth, kOnlySecond};
    void* object = nullptr;
    EXPECT_EQ(manager.QueryInterface(kBoth, &object), S_OK);
    EXPECT_EQ(object, static_cast<IHRegistryClient*>(&first));
    EXPECT_EQ(manager.QueryInterface(kOnlySecond, &object), S_OK);
    EXPECT_EQ(object, static_cast<IHRegistryClient*>(&second));
}

TEST_F(ComponentManagerTest, AnUnknownInterfaceLeavesANullPointer) {
    void* object = &journal;
    EXPECT_EQ(manager.QueryInterface(kNobody, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(manager.QueryInterface(kNobody, nullptr), E_POINTER);
}

TEST_F(ComponentManagerTest, AFailingComponentThatLeavesAPointerEndsTheSearch) {
    first.leavesPointerOnFailure = true;
    second.answers = {kOnlySecond};
    void* object = nullptr;
    EXPECT_EQ(manager.QueryInterface(kOnlySecond, &object), E_NOINTERFACE);
    EXPECT_EQ(object, static_cast<IHRegistryClient*>(&first));  // passed back unchanged
}

TEST_F(ComponentManagerTest, AnEmptyTableAnswersNothing) {
    const ComponentTableEntry empty[] = {{nullptr, nullptr}};
    CComponentManager none(empty);
    void* object = &journal;
    EXPECT_EQ(none.QueryInterface(kBoth, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(none.RegisterComponents(&registry), S_OK);
}

}  // namespace
