// The save and restore of the software breaks through the host's workspace
// storage: every kind and action, the keys and values written, fresh
// managers reading them back, and stores that were tampered with.
#include "breaks/break_action_text.h"
#include "breaks/break_manager.h"

#include "tests/breaks/break_fixture.h"
#include "tests/support/temp_folder.h"

#include "frame/error_codes.h"
#include "frame/host_profile_accessor.h"
#include "sim/host/sim_host.h"
#include "sim/host/workspace_storage.h"
#include "target/target_vk3.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using breaktest::BreakServicesFixture;

BreakActionDesc Action(LONG type, const std::string& name = {}) {
    BreakActionDesc desc;
    desc.type = type;
    desc.fileName = name;
    desc.address = 0x2000;
    desc.dataSize = 4;
    desc.count = 2;
    desc.append = 1;
    desc.interruptType1 = 0x1A;
    desc.interruptType2 = 3;
    desc.priority = 5;
    return desc;
}

// A store whose writes fail from the nth on.
class FailingAccessor : public CHostProfileAccessorEx {
public:
    FailingAccessor(IHWorkspaceStorage* storage, int failAt)
        : CHostProfileAccessorEx(storage, "ws", "proj", "x", "sess", CLSID_Q3vVk3Target), m_failAt(failAt) {}
    HRESULT WriteString(const char* name, const char* value) override {
        ++writes;
        return writes >= m_failAt ? static_cast<HRESULT>(0x80040555) : CHostProfileAccessorEx::WriteString(name, value);
    }
    int writes = 0;

private:
    int m_failAt;
};

class BreakStoreTest : public ::testing::Test, public BreakServicesFixture {
protected:
    BreakStoreTest() {
        GetTarget()->Attach(&host_, 1);
        manager_ = std::make_unique<CTBreakManager>(&host_);
    }
    ~BreakStoreTest() override {
        manager_.reset();
        GetTarget()->Detach(1);
    }
    std::unique_ptr<CHostProfileAccessorEx> Store() {
        return std::make_unique<CHostProfileAccessorEx>(&storage_, "ws", "proj", "x", "sess", CLSID_Q3vVk3Target);
    }
    std::string Read(const char* key) {
        CString value;
        static_cast<void>(Store()->ReadString(key, "ERROR", value));  // answers S_OK, the default when absent
        return value.Str();
    }
    void Write(const char* key, const std::string& value) { ASSERT_EQ(Store()->WriteString(key, value.c_str()), S_OK); }
    // Every break as the host's break list shows it.
    std::vector<std::string> Listing() {
        std::vector<std::string> rows;
        BreakItemInfo* item = nullptr;
        for (LONG previous = -1; manager_->GetNextItem(previous, &item) == S_OK; ++previous) {
            char row[400];
            std::snprintf(row, sizeof(row), "%s %u %u %08X %u %s", platform::BstrToAnsi(item->kindId).c_str(),
                          static_cast<unsigned>(item->index), unsigned{item->enabled},
                          static_cast<unsigned>(item->address), static_cast<unsigned>(item->period),
                          platform::BstrToAnsi(item->actionText).c_str());
            rows.emplace_back(row);
        }
        return rows;
    }
    void AddEveryKind() {
        ASSERT_EQ(manager_->AddPcBreak(0x1000, 1, Action(break_action::kStop)), 1);
        ASSERT_EQ(manager_->AddPcBreak(0x1000, 1, Action(break_action::kFileInput, "in.bin")), 1);
        ASSERT_EQ(manager_->AddPcBreak(0x1800, 3, Action(break_action::kFileOutput, "my out file.bin")), 1);
        ASSERT_EQ(manager_->AddPcBreak(0x1900, 2, Action(break_action::kInterrupt)), 1);
        manager_->EnableByGlobalIndex(3, 0);  // the interrupt break
        const BreakActionDesc stop = Action(break_action::kStop);
        ASSERT_EQ(manager_->AddAccessBreak(0x3100, 0x3000, 2, nullptr), 1);
        ASSERT_EQ(manager_->AddDataBreak(0x4000, 0x12345678, 8, 1, 0x9ABCDEF0, &stop), 1);
        ASSERT_EQ(manager_->AddRegisterBreak(7, 0x55, 2, 2, 0, nullptr), 1);
        ASSERT_EQ(manager_->AddSequenceBreak(2, {0x5000, 0x5010}, nullptr), 1);
        const BreakActionDesc interrupt = Action(break_action::kInterrupt);
        ASSERT_EQ(manager_->AddCycleBreak(0x100, 4, &interrupt), 1);
        ASSERT_EQ(manager_->AddCfgAccessBreak(0x10, 0x20, 1, nullptr), 1);
        ASSERT_EQ(manager_->AddCfgDataBreak(0x30, 0xAB, 1, 0, 0, nullptr), 1);
    }

    testing_support::TempFolder folder_;
    simhost::CallLog log_;
    simhost::HostServiceProvider host_{log_};
    simhost::WorkspaceStorage storage_{log_, folder_.Windows("workspace.ini")};
    std::unique_ptr<CTBreakManager> manager_;
};

TEST_F(BreakStoreTest, EveryKindAndActionIsWrittenAsItsKeysAndValues) {
    AddEveryKind();
    ASSERT_EQ(manager_->SaveBreaks(*Store()), S_OK);
    EXPECT_EQ(Read("T_BREAK_PC_BREAK_COUNT"), "3") << "the Stop break is the host's";
    EXPECT_EQ(Read("T_BREAK_BP0"), "00001000,1,1,1,00002000,4,2,\"in.bin\"");
    EXPECT_EQ(Read("T_BREAK_BP1"), "00001800,3,1,2,00002000,4,2,1,\"my out file.bin\"");
    EXPECT_EQ(Read("T_BREAK_BP2"), "00001900,2,0,3,1A,3,5");
    EXPECT_EQ(Read("T_BREAK_BP3"), "ERROR");
    EXPECT_EQ(Read("T_BREAK_BREAK_ACCESS_COUNT"), "1");
    EXPECT_EQ(Read("T_BREAK_BA0"), "00003000,00003100,2,1,0");
    EXPECT_EQ(Read("T_BREAK_BD0"), "00004000,12345678,9ABCDEF0,08,1,1,0");
    EXPECT_EQ(Read("T_BREAK_BR0"), "7,00000055,00000000,02,2,1,0");
    EXPECT_EQ(Read("T_BREAK_BS0"), "2,00005000,00005010,00000000,00000000,00000000,00000000,00000000,00000000,1,0");
    EXPECT_EQ(Read("T_BREAK_BCY0"), "00000100,4,1,3,1A,3,5");
    EXPECT_EQ(Read("T_BREAK_BCA0"), "00000010,00000020,1,1,0");
    EXPECT_EQ(Read("T_BREAK_BCD0"), "00000030,000000AB,00000000,01,0,1,0");
}

TEST_F(BreakStoreTest, AFreshManagerListsTheSameAndTheHostsStopBreaksStay) {
    AddEveryKind();
    const std::vector<std::string> saved = Listing();
    ASSERT_EQ(manager_->SaveBreaks(*Store()), S_OK);
    manager_ = std::make_unique<CTBreakManager>(&host_);
    DWORD id = 0;
    ASSERT_EQ(host_.Breakpoints().SetUserBreakpoint(0x1000, &id), S_OK);
    ASSERT_EQ(manager_->LoadBreaks(*Store()), S_OK);
    EXPECT_EQ(Listing(), saved);
    EXPECT_NE(manager_->FindPcStopBreak(0x1000), nullptr);
}

TEST_F(BreakStoreTest, TheEnableValueGoesToTheBreakTheStoreMade) {
    ASSERT_EQ(manager_->AddPcBreak(0x2000, 1, Action(break_action::kFileInput, "in.bin")), 1);
    manager_->EnableByGlobalIndex(0, 0);
    ASSERT_EQ(manager_->SaveBreaks(*Store()), S_OK);
    manager_ = std::make_unique<CTBreakManager>(&host_);
    DWORD id = 0;
    ASSERT_EQ(host_.Breakpoints().SetUserBreakpoint(0x1000, &id), S_OK);  // at position 0
    ASSERT_EQ(manager_->LoadBreaks(*Store()), S_OK);
    ASSERT_EQ(manager_->GetPcCount(), 2u);
    EXPECT_EQ(manager_->GetPcBreakAt(0)->GetEnable(), 1) << "the host's Stop break";
    EXPECT_EQ(manager_->GetPcBreakAt(1)->GetEnable(), 0);
    EXPECT_EQ(manager_->GetPcBreakAt(2), nullptr);
}

TEST_F(BreakStoreTest, OnlyStopBreaksWritesACountOfZero) {
    ASSERT_EQ(manager_->AddPcBreak(0x1000, 1, Action(break_action::kStop)), 1);
    ASSERT_EQ(manager_->SaveBreaks(*Store()), S_OK);
    EXPECT_EQ(Read("T_BREAK_PC_BREAK_COUNT"), "0");
    EXPECT_EQ(Read("T_BREAK_BP0"), "ERROR");
}

TEST_F(BreakStoreTest, AnEmptyStoreRemovesEveryBreak) {
    AddEveryKind();
    EXPECT_EQ(manager_->LoadBreaks(*Store()), S_OK);
    EXPECT_EQ(manager_->GetPcCount(), 1u) << "the host's Stop break stays";
    EXPECT_EQ(manager_->GetAccessCount() + manager_->GetCycleCount() + manager_->GetCfgDataCount(), 0u);
}

TEST_F(BreakStoreTest, AMissingRecordEndsTheRestoreAfterWhatCameBefore) {
    Write("T_BREAK_PC_BREAK_COUNT", "1");
    Write("T_BREAK_BP0", "00001000,1,1,3,1,2,3");
    Write("T_BREAK_BREAK_ACCESS_COUNT", "1");
    Write("T_BREAK_BA0", "00000010,00000020,0,1,0");
    Write("T_BREAK_BREAK_DATA_COUNT", "2");
    Write("T_BREAK_BD0", "00004000,00000001,00000000,01,0,1,0");
    EXPECT_EQ(manager_->LoadBreaks(*Store()), TE_NOT_AVAILABLE);
    EXPECT_EQ(manager_->GetPcCount(), 1u);
    EXPECT_EQ(manager_->GetAccessCount(), 1u);
    EXPECT_EQ(manager_->GetDataCount(), 1u);
}

TEST_F(BreakStoreTest, TamperedValuesAreRefusedWithoutOverrun) {
    const std::string longSuffix = "00001000,1,1,3," + std::string(400, '1');
    const std::string longName = "00001000,1,1,1,00002000,4,2,\"" + std::string(300, 'n') + "\"";
    struct Case {
        const char* key;
        std::string value;
    } const cases[] = {
        {"T_BREAK_PC_BREAK_COUNT", "many"},
        {"T_BREAK_BP0", "zz"},
        {"T_BREAK_BP0", "00001000,1,1"},
        {"T_BREAK_BP0", "00001000,1,1,0"},  // a Stop break is the host's
        {"T_BREAK_BP0", "00001000,1,1,7"},
        {"T_BREAK_BP0", "00001000,1,1,1,00002000,3,2,\"in.bin\""},  // no unit of 3 bytes
        {"T_BREAK_BP0", "00001000,1,1,1,00002000,4,2,\"in.bin"},
        {"T_BREAK_BP0", "00001000,1,1,2,00002000,4,2,\"out.bin\""},  // File Output without append
        {"T_BREAK_BP0", "00001000,1,1,3,1A,3"},
        {"T_BREAK_BP0", longSuffix},
        {"T_BREAK_BP0", longName},
        {"T_BREAK_BP0", "00001000,1,1,1,00002000,4,2,in.bin"},  // a name without quotes
    };
    int n = 0;
    for (const Case& c : cases) {
        simhost::WorkspaceStorage storage(log_, folder_.Windows("tampered" + std::to_string(n++) + ".ini"));
        CHostProfileAccessorEx store(&storage, "ws", "proj", "x", "sess", CLSID_Q3vVk3Target);
        ASSERT_EQ(store.WriteString("T_BREAK_PC_BREAK_COUNT", "1"), S_OK);
        ASSERT_EQ(store.WriteString(c.key, c.value.c_str()), S_OK);
        EXPECT_EQ(manager_->LoadBreaks(store), TE_NOT_AVAILABLE) << c.key << "=" << c.value;
        EXPECT_EQ(manager_->GetPcCount(), 0u);
    }
}

TEST_F(BreakStoreTest, SequenceStepCountsOutsideOneToEightAreRefused) {
    for (const char* count : {"0", "9"}) {
        Write("T_BREAK_BREAK_SEQUENCE_COUNT", "1");
        Write("T_BREAK_BS0", std::string(count) + ",1,2,3,4,5,6,7,8,1,0");
        EXPECT_EQ(manager_->LoadBreaks(*Store()), TE_NOT_AVAILABLE) << count;
        EXPECT_EQ(manager_->GetSequenceCount(), 0u);
    }
}

TEST_F(BreakStoreTest, AFailedWriteEndsTheSave) {
    AddEveryKind();
    FailingAccessor store(&storage_, 3);
    EXPECT_EQ(manager_->SaveBreaks(store), static_cast<HRESULT>(0x80040555));
    EXPECT_EQ(store.writes, 3) << "no write after the first failure";
}

TEST_F(BreakStoreTest, ActionTextsRoundTrip) {
    for (const LONG type : {break_action::kStop, break_action::kFileInput, break_action::kFileOutput,
                            break_action::kInterrupt}) {
        const BreakActionDesc written = Action(type, "a b.bin");
        const std::unique_ptr<CTBreakAction> action = MakeBreakAction(&written);
        const std::string text = FormatBreakActionText(*action);
        BreakActionDesc read;
        ASSERT_EQ(ParseBreakActionText(read, text.c_str() + 1, text.c_str()), S_OK) << text;
        EXPECT_EQ(FormatBreakActionText(*MakeBreakAction(&read)), text);
    }
}

}  // namespace
