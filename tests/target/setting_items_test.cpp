// Setting items: parsing and formatting one item, the stored text of many,
// and the store's load and save through the simulated host's workspace names
// and setting texts.
#include "target/setting_item.h"
#include "target/target_setting_store.h"

#include "sim/host/sim_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ParseCase {
    const char* text;
    bool valid;
    DWORD type;
    DWORD nameId;
    const char* value;
};

TEST(SettingItem, ParsesTheCasesOfTheTable) {
    const ParseCase cases[] = {
        {"[S|MAP|\"x\"]", true, CSettingItem::kTypeS, CSettingItem::kMap, "x"},
        {"[ S | MAP |  \"x\"  ]", true, CSettingItem::kTypeS, CSettingItem::kMap, "x"},
        {"[ S | MAP | x ]", true, CSettingItem::kTypeS, CSettingItem::kMap, "x"},
        // The parsed letter is kept; the name's own type is not compared.
        {"[I|ROM_MODE|abc]", true, CSettingItem::kTypeI, CSettingItem::kRomMode, "abc"},
        {"[V|VERSION|1]", true, CSettingItem::kTypeV, CSettingItem::kVersion, "1"},
        {"[B|SIMIOF|1]", true, CSettingItem::kTypeB, CSettingItem::kSimIoF, "1"},
        {"[I|SIMIOADR|0x00001000]", true, CSettingItem::kTypeI, CSettingItem::kSimIoAdr, "0x00001000"},
        {"[I|BUS_MODE|2]", true, CSettingItem::kTypeI, CSettingItem::kBusMode, "2"},
        // One quote goes at each end, no more.
        {"[S|MAP|\"\"x\"\"]", true, CSettingItem::kTypeS, CSettingItem::kMap, "\"x\""},
        {"[S|MAP|\"x]", true, CSettingItem::kTypeS, CSettingItem::kMap, "x"},
        // The value runs to the first "]" and may hold bars.
        {"[S|MAP|a|b]", true, CSettingItem::kTypeS, CSettingItem::kMap, "a|b"},
        {"no bracket S|MAP|x]", false, 0, 0, ""},
        {"[S|MAP|]", false, 0, 0, ""},
        {"[S|MAP|\"\"]", false, 0, 0, ""},
        {"[S|MAP|\"]", false, 0, 0, ""},
        {"[S|MAP|   ]", false, 0, 0, ""},
        {"[X|MAP|x]", false, 0, 0, ""},
        {"[|MAP|x]", false, 0, 0, ""},
        {"[s|MAP|x]", false, 0, 0, ""},
        {"[S|map|x]", false, 0, 0, ""},
        {"[S|UNKNOWN|x]", false, 0, 0, ""},
        {"[S||x]", false, 0, 0, ""},
        {"[S|MAP|x", false, 0, 0, ""},
        {"[S|MAP", false, 0, 0, ""},
        {"[S]", false, 0, 0, ""},
        {"", false, 0, 0, ""},
        {"|[S|MAP|x]", false, 0, 0, ""},
    };
    for (const ParseCase& c : cases) {
        CSettingItem item{std::string(c.text)};
        EXPECT_EQ(item.IsValid(), c.valid) << c.text;
        EXPECT_EQ(item.GetType(), c.type) << c.text;
        EXPECT_EQ(item.GetNameId(), c.nameId) << c.text;
        EXPECT_EQ(item.GetValue(), c.value) << c.text;
        EXPECT_EQ(item.GetText(), c.text);
    }
    // Without "[" the letter is read from the start of the text.
    CSettingItem bare{std::string("S|MAP|x]")};
    EXPECT_TRUE(bare.IsValid());
    EXPECT_EQ(bare.GetValue(), "x");
}

TEST(SettingItem, FormatsWithTheNamesLetterAndQuotesTextsOnlyInTheText) {
    CSettingItem item{std::string("[I|ROM_MODE|abc]")};
    ASSERT_TRUE(item.Format());
    EXPECT_EQ(item.GetText(), "[S|ROM_MODE|\"abc\"]");
    EXPECT_EQ(item.GetType(), CSettingItem::kTypeS);
    EXPECT_EQ(item.GetValue(), "abc");
    // A second run gives the same text.
    ASSERT_TRUE(item.Format());
    EXPECT_EQ(item.GetText(), "[S|ROM_MODE|\"abc\"]");

    EXPECT_EQ(CSettingItem(CSettingItem::kSimIoF, "1").GetText(), "[B|SIMIOF|1]");
    EXPECT_EQ(CSettingItem(CSettingItem::kVersion, "2").GetText(), "[V|VERSION|2]");
    // An empty text is written (and is dropped when read again).
    const CSettingItem empty(CSettingItem::kMap, "");
    EXPECT_TRUE(empty.IsValid());
    EXPECT_EQ(empty.GetText(), "[S|MAP|\"\"]");
    EXPECT_FALSE(CSettingItem(empty.GetText()).IsValid());
    // A value that would lose its quote or blanks when read back is quoted.
    const CSettingItem quote(CSettingItem::kVersion, "\"x");
    EXPECT_EQ(quote.GetText(), "[V|VERSION|\"\"x\"]");
    EXPECT_EQ(CSettingItem(quote.GetText()).GetValue(), "\"x");
    EXPECT_EQ(CSettingItem(CSettingItem(CSettingItem::kBusMode, " 3").GetText()).GetValue(), " 3");

    CSettingItem none;
    EXPECT_FALSE(none.Format());
    EXPECT_EQ(none.GetText(), "");
}

// The memory map's setting texts, recording what the items pass.
class RecordingMap : public CMemoryMapSettingTexts {
public:
    DWORD SetMapText(const CString& text) override { return Record("map=" + std::string(text)); }
    CString GetMapText() override { return "M"; }
    DWORD SetResourceText(const CString& text) override { return Record("resource=" + std::string(text)); }
    CString GetResourceText() override { return "R"; }
    DWORD SetRomMode(const CString& text) override { return Record("rom=" + std::string(text)); }
    CString GetRomModeText(int selector) override {
        selectors.push_back(selector);
        return "";
    }

    std::vector<std::string> calls;
    std::vector<int> selectors;

private:
    DWORD Record(std::string call) {
        calls.push_back(std::move(call));
        return 7;
    }
};

TEST(SettingItem, AppliesAndReadsBackAsTheNameSays) {
    RecordingMap map;
    EXPECT_EQ(CSettingItem(std::string("[S|MAP|m1]")).Apply(&map), 7u);
    EXPECT_EQ(CSettingItem(std::string("[S|RESOURCE|r1]")).Apply(&map), 7u);
    EXPECT_EQ(CSettingItem(std::string("[S|ROM_MODE|o1]")).Apply(&map), 7u);
    EXPECT_EQ(CSettingItem(std::string("[B|SIMIOF|1]")).Apply(&map), 1u);
    EXPECT_EQ(CSettingItem(std::string("[B|SIMIOF|2]")).Apply(&map), 0u);
    EXPECT_EQ(CSettingItem(std::string("[I|SIMIOADR|0x1F0]")).Apply(&map), 0x1F0u);
    EXPECT_EQ(CSettingItem(std::string("[I|BUS_MODE|4]")).Apply(&map), 0u);
    EXPECT_EQ(map.calls, (std::vector<std::string>{"map=m1", "resource=r1", "rom=o1"}));
    // Without a memory map nothing is passed.
    EXPECT_EQ(CSettingItem(std::string("[S|MAP|m1]")).Apply(nullptr), 0u);

    CSettingItem rom(CSettingItem::kRomMode, "old");
    rom.ReadBack(&map);
    EXPECT_EQ(rom.GetValue(), "");
    EXPECT_EQ(map.selectors, std::vector<int>{-1});
    CSettingItem address(CSettingItem::kSimIoAdr, "0x1F0");
    address.ReadBack(&map);
    EXPECT_EQ(address.GetValue(), "0x00000000");
    CSettingItem flag(CSettingItem::kSimIoF, "0");
    flag.ReadBack(&map);
    EXPECT_EQ(flag.GetValue(), "1");
    CSettingItem bus(CSettingItem::kBusMode, "4");
    bus.ReadBack(&map);
    EXPECT_EQ(bus.GetValue(), "4");
    CSettingItem mapText(CSettingItem::kMap, "x");
    mapText.ReadBack(nullptr);
    EXPECT_EQ(mapText.GetValue(), "");
}

TEST(SettingStore, ParsesEveryBracketedItemAndFindsOnlyValidOnes) {
    CTargetSettingStore store(nullptr, nullptr);
    store.ParseText("no items at all");
    EXPECT_TRUE(store.GetItems().empty());
    EXPECT_EQ(store.FormatText(), "");

    store.ParseText("x [S|MAP|] [S|MAP|b] [I|BUS_MODE|2][V|VERSION|3] [S|RESOURCE|r");
    ASSERT_EQ(store.GetItems().size(), 4u);  // the last has no "]"
    EXPECT_FALSE(store.GetItems()[0]->IsValid());
    ASSERT_NE(store.FindItem(CSettingItem::kMap), nullptr);
    EXPECT_EQ(store.FindItem(CSettingItem::kMap)->GetValue(), "b");
    EXPECT_EQ(store.FindItem(CSettingItem::kResource), nullptr);
    EXPECT_EQ(store.FormatText(), "[S|MAP|\"b\"] [I|BUS_MODE|2] [V|VERSION|3]");

    // A "]" before the next "[" ends the parse.
    store.ParseText("] [S|MAP|b]");
    EXPECT_TRUE(store.GetItems().empty());
}

class SettingStoreHost : public ::testing::Test {
protected:
    void SetUp() override {
        host.ChangeWorkspace([](simhost::WorkspaceState& state) {
            state.workspaceName = "ws";
            state.projectName = "proj";
            state.configName = "cfg";
            state.sessionName = "sess";
        });
    }
    std::string Stored() { return host.SettingTexts().Stored("ws", "proj", "sess").value_or("(none)"); }
    void Store(std::string text) { host.SettingTexts().Store("ws", "proj", "sess", std::move(text)); }

    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    RecordingMap map;
};

TEST_F(SettingStoreHost, ASaveWithoutAStoredTextWritesTheFiveItemsInOrder) {
    CTargetSettingStore store(&host, &map);
    ASSERT_EQ(store.OnTargetOpen(), S_OK);
    EXPECT_EQ(store.Save({"ROM_MODE", "MAP", "RESOURCE", "SIMIOF", "SIMIOADR"}), S_OK);
    EXPECT_EQ(Stored(), "[S|ROM_MODE|\"\"] [S|MAP|\"M\"] [S|RESOURCE|\"R\"] [B|SIMIOF|1] [I|SIMIOADR|0x00000000]");
    // Keyed by the workspace, project and session names.
    EXPECT_EQ(log.Find("SetSettingText").size(), 1u);
    EXPECT_EQ(store.OnTargetClose(), S_OK);
    EXPECT_TRUE(store.GetItems().empty());
}

TEST_F(SettingStoreHost, ASaveKeepsTheOtherItemsInTheirOrderAndDropsInvalidOnes) {
    Store("[V|VERSION|2] [X|MAP|a] [I|BUS_MODE|3] [S|MAP|\"m\"] [I|CPU_MODE|\"c\"] [S|RESOURCE|\"\"]");
    CTargetSettingStore store(&host, &map);
    ASSERT_EQ(store.OnTargetOpen(), S_OK);
    ASSERT_EQ(store.Save({"ROM_MODE", "MAP", "RESOURCE", "SIMIOF", "SIMIOADR"}), S_OK);
    EXPECT_EQ(Stored(),
              "[V|VERSION|2] [I|BUS_MODE|3] [S|MAP|\"M\"] [I|CPU_MODE|c] [S|ROM_MODE|\"\"] [S|RESOURCE|\"R\"] "
              "[B|SIMIOF|1] [I|SIMIOADR|0x00000000]");
    // Saving again keeps the items; the empty ROM_MODE text reads as no
    // item, so the new one comes last.
    ASSERT_EQ(store.Save({"ROM_MODE", "MAP", "RESOURCE", "SIMIOF", "SIMIOADR"}), S_OK);
    EXPECT_EQ(Stored(),
              "[V|VERSION|2] [I|BUS_MODE|3] [S|MAP|\"M\"] [I|CPU_MODE|c] [S|RESOURCE|\"R\"] [B|SIMIOF|1] "
              "[I|SIMIOADR|0x00000000] [S|ROM_MODE|\"\"]");
}

TEST_F(SettingStoreHost, ALoadAppliesTheStoredItemsInItsOrder) {
    Store("[I|SIMIOADR|0x10] [S|RESOURCE|r] [S|MAP|m] [V|VERSION|5] [S|ROM_MODE|o] [S|MAP|second]");
    CTargetSettingStore store(&host, &map);
    ASSERT_EQ(store.OnTargetOpen(), S_OK);
    EXPECT_EQ(store.GetVersion(), "1");
    EXPECT_EQ(store.Load(), S_OK);
    EXPECT_EQ(store.GetVersion(), "5");
    EXPECT_EQ(map.calls, (std::vector<std::string>{"rom=o", "map=m", "resource=r"}));
    EXPECT_TRUE(log.Find("SetSettingText").empty());

    // An empty text applies nothing.
    Store("");
    map.calls.clear();
    EXPECT_EQ(store.Load(), S_OK);
    EXPECT_TRUE(map.calls.empty());
}

TEST_F(SettingStoreHost, WithoutTheWorkspaceNamesTheStoreDoesNotOpen) {
    host.OfferService(IID_IHWorkspaceNames, nullptr);
    CTargetSettingStore store(&host, &map);
    EXPECT_EQ(store.OnTargetOpen(), E_FAIL);

    // A name the host cannot tell ends the open with its failure.
    host.OfferService(IID_IHWorkspaceNames, static_cast<IHWorkspaceNames*>(nullptr));
    simhost::HostServiceProvider other{log};
    other.ChangeWorkspace([](simhost::WorkspaceState& state) { state.workspaceName = "ws"; });
    CTargetSettingStore second(&other, &map);
    EXPECT_EQ(second.OnTargetOpen(), E_FAIL);
    EXPECT_EQ(log.Find("GetConfigurationName").size(), 0u);  // the project's name failed first
}

TEST_F(SettingStoreHost, WithoutTheSettingTextServiceALoadFindsNothingAndASaveWritesNothing) {
    host.OfferService(IID_IHSettingText, nullptr);
    CTargetSettingStore store(&host, &map);
    ASSERT_EQ(store.OnTargetOpen(), S_OK);
    EXPECT_EQ(store.Load(), S_OK);
    EXPECT_EQ(store.Save({"ROM_MODE", "MAP"}), S_OK);
    EXPECT_TRUE(map.calls.empty());
    EXPECT_EQ(Stored(), "(none)");
}

}  // namespace
