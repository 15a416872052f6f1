#include "util/placeholder_expander.h"

#include "platform/clock.h"
#include "platform/sysinfo.h"
#include "util/placeholder_keywords.h"
#include "util/placeholder_text.h"
#include "sim/host/sim_host.h"
#include "tests/platform/code_page_scope.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

namespace {

using simhost::CustomPlaceholder;
using simhost::WorkspaceState;

// The simulated host's service provider with a workspace, and an expander
// made over it.
class PlaceholderTest : public ::testing::Test {
protected:
    PlaceholderTest() {
        host.ChangeWorkspace([](WorkspaceState& state) {
            state.installDirectory = "C:\\Kestrune";
            state.tempDirectory = "C:\\Kestrune\\Temp";
            state.workspaceName = "Demo";
            state.workspaceDirectory = "D:\\Work\\Demo";
            state.projectName = "Blinky";
            state.projectDirectory = "D:\\Work\\Demo\\Blinky";
            state.configName = "Debug";
            state.configDirectory = "D:\\Work\\Demo\\Blinky\\Debug";
        });
    }

    std::string Expand(const char* text, const char* fileName = nullptr) {
        return expander.Expand(text, fileName).Str();
    }

    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    CPlaceholderExpander expander{&host};
};

TEST_F(PlaceholderTest, AsksTheHostForItsTwoServices) {
    EXPECT_NE(expander.WorkspaceInfo(), nullptr);
    EXPECT_NE(expander.PlaceholderSettings(), nullptr);
    const auto queries = log.Find("QueryService");
    ASSERT_EQ(queries.size(), 2u);
    EXPECT_EQ(queries[0].detail, "IHWorkSpaceInfo");
    EXPECT_EQ(queries[1].detail, "IHPlaceholderSettings");
}

TEST_F(PlaceholderTest, FileKeywordsWithAndWithoutACurrentFile) {
    const char* file = "D:\\dir.x\\name.mot";
    EXPECT_EQ(Expand("$(FULLFILE)|$(FILENAME)|$(FILELEAF)|$(FILEDIR)|$(EXTENSION)", file),
              "D:\\dir.x\\name.mot|name.mot|name|D:\\dir.x|mot");
    EXPECT_EQ(Expand("$(FF)|$(FN)|$(FL)|$(FD)|$(EX)", file), "D:\\dir.x\\name.mot|name.mot|name|D:\\dir.x|mot");
    EXPECT_EQ(Expand("$(FULLFILE) and $(FD)"), "$(FULLFILE) and $(FILEDIR)");
    EXPECT_EQ(Expand("$(FILEDIR)x", "relative.mot"), "x");  // no folder: the value is empty
}

TEST_F(PlaceholderTest, HostKeywordsAskTheWorkspaceServices) {
    EXPECT_EQ(Expand("$(KTRDIR);$(TD)"), "C:\\Kestrune;C:\\Kestrune\\Temp");  // TD is TEMPDIR, never TOOLDIR
    EXPECT_EQ(Expand("$(WORKSPDIR)|$(WN)|$(PD)|$(PN)|$(CN)|$(CD)"),
              "D:\\Work\\Demo|Demo|D:\\Work\\Demo\\Blinky|Blinky|Debug|D:\\Work\\Demo\\Blinky\\Debug");
    const auto asked = log.Find("GetConfigDirectory");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].detail, "D:\\Work\\Demo\\Blinky\\Debug");

    EXPECT_EQ(expander.ExpandWithContext("$(PROJECTNAME)", nullptr, "Other", nullptr, nullptr).Str(), "");
    host.ChangeWorkspace([](WorkspaceState& state) { state.configName.clear(); });
    EXPECT_EQ(Expand("$(CONFIGDIR) $(PROJDIR)"), "$(CONFIGDIR) D:\\Work\\Demo\\Blinky");
    host.ChangeWorkspace([](WorkspaceState& state) { state.workspaceName.clear(); });
    EXPECT_EQ(Expand("$(WD)"), "$(WORKSPDIR)");
}

TEST_F(PlaceholderTest, SystemKeywords) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    char user[256] = {};
    DWORD size = sizeof(user);
    GetUserNameA(user, &size);
    EXPECT_EQ(Expand("$(WINDIR)|$(WS)|$(UR)"), std::string(windows) + "|" + system + "|" + user);
}

TEST_F(PlaceholderTest, DatesAndTimeOnTheLayersClock) {
    platform::VirtualClock clock;
    const std::time_t now = static_cast<std::time_t>(ClockTime(nullptr));
    std::tm parts{};
#ifdef _WIN32
    localtime_s(&parts, &now);
#else
    localtime_r(&now, &parts);
#endif
    char expected[64];
    std::strftime(expected, sizeof(expected), "%H:%M:%S|%B %d, %Y|%d/%m/%Y|%m/%d/%Y|%Y/%m/%d", &parts);
    EXPECT_EQ(Expand("$(TIME)|$(DT)|$(DATE_DMY)|$(DM)|$(DY)"), expected);
}

TEST_F(PlaceholderTest, KeywordsWithoutAValueKeepTheirLongName) {
    EXPECT_EQ(Expand("$(LN) $(LINE) $(TOOLDIR) $(KH) $(DEVICEDETAILS) $(RT)"),
              "$(LINE) $(LINE) $(TOOLDIR) $(KTR_HWND) $(DEVICEDETAILS) $(RIGHT)");
    EXPECT_EQ(Expand("$(uiPrompt) $(UserInput:Name)"), "$(uiPrompt) $(UserInput:Name)");
}

TEST_F(PlaceholderTest, UnknownNamesAreRemovedAndOddTextsKept) {
    struct Case {
        const char* text;
        const char* expanded;
    };
    const Case cases[] = {
        {"a$(fullfile)b", "ab"},       // keywords are exact
        {"$(ERROR)x", "x"},
        {"$$(WINDIR)", "$$(WINDIR)"},  // both '$' stay
        {"$()x", "x"},
        {"$()", "$()"},                // shorter than 4 characters
        {"ab$()", "ab$()"},            // fewer than 4 characters from "$("
        {"$(abc $(USER)x", "x"},       // the name runs to the first ')'
        {"$(unclosed", "$(unclosed"},
        {"no placeholder", "no placeholder"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Expand(c.text), c.expanded) << c.text;
    }
}

TEST_F(PlaceholderTest, CustomPlaceholdersFromBothHostLists) {
    host.ChangeWorkspace([](WorkspaceState& state) {
        state.placeholders = {{"BOARD", "The board", "KB-1"}, {"SHARED", "In both", "host"}, {"EMPTY", "", ""},
                              {"NESTED", "", "$(USER)"}, {"ERROR", "", "never"}};
        state.workspacePlaceholders = {{"SHARED", "", "workspace"}, {"EMPTY", "", "from workspace"},
                                       {"ONLYWS", "", "ws"}};
        state.hasWorkspacePlaceholders = true;
    });
    EXPECT_EQ(Expand("$(BOARD)/$(SHARED)/$(EMPTY)/$(ONLYWS)"), "KB-1/host/from workspace/ws");
    EXPECT_EQ(Expand("$(NESTED)"), "$(USER)");  // a value is never expanded again
    EXPECT_EQ(Expand("$(ERROR)"), "");          // a keyword, whatever the host defines
    EXPECT_EQ(Expand("$(board)"), "");          // names are exact
    ASSERT_FALSE(log.Find("GetWorkspacePlaceholders").empty());
    EXPECT_EQ(log.Find("GetWorkspacePlaceholders")[0].detail, "Demo");

    host.ChangeWorkspace([](WorkspaceState& state) { state.hasWorkspacePlaceholders = false; });
    EXPECT_EQ(Expand("$(ONLYWS)|$(EMPTY)"), "|");
}

TEST_F(PlaceholderTest, CheckTextAcceptsAllowedKeywordsAndCustomPlaceholders) {
    host.ChangeWorkspace([](WorkspaceState& state) { state.placeholders = {{"BOARD", "", "KB-1"}, {"ERROR", "", "x"}}; });
    const int allowed[] = {kFileName, kUser, 0};
    struct Case {
        const char* text;
        BOOL accepted;
    };
    const Case cases[] = {
        {"$(FILENAME) $(UR) $(BOARD)", TRUE},
        {"$$(WINDIR)", TRUE},
        {"plain", TRUE},
        {"$(WINDIR)", FALSE},
        {"$(ERROR)", FALSE},
        {"$(unknown)", FALSE},
        {"$(FN)$(FULLFILE)", FALSE},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(expander.CheckText(c.text, allowed), c.accepted) << c.text;
    }
    const int none[] = {0};
    EXPECT_TRUE(expander.CheckText("$$(WINDIR)", none));
}

TEST_F(PlaceholderTest, ListPlaceholdersPrefersTheHostsOwn) {
    host.ChangeWorkspace([](WorkspaceState& state) {
        state.placeholders = {{"A", "first A", "1"}};
        state.workspacePlaceholders = {{"A", "second A", "2"}, {"B", "second B", "3"}};
        state.hasWorkspacePlaceholders = true;
    });
    CCustomPlaceholderMap map;
    map.SetAt("A", new CCustomPlaceholderInfo("A", "caller's", "0"));  // replaced, and deleted
    expander.ListPlaceholders(map);
    ASSERT_EQ(map.GetCount(), 2);
    CCustomPlaceholderInfo* record = nullptr;
    ASSERT_TRUE(map.Lookup("A", record));
    EXPECT_EQ(record->m_description, "first A");
    ASSERT_TRUE(map.Lookup("B", record));
    EXPECT_EQ(record->m_value, "3");
    EXPECT_TRUE(expander.UsesCustomPlaceholders("x $(B) y"));
    EXPECT_FALSE(expander.UsesCustomPlaceholders("x $(C) y"));
    DeleteCustomPlaceholders(map);
}

TEST_F(PlaceholderTest, DoubleByteNames) {
    AnsiCodePageScope scope(932);
    // "\x95\x5C" is one character whose trail byte is '\\'.
    host.ChangeWorkspace([](WorkspaceState& state) { state.placeholders = {{"\x95\x5C", "", "table"}}; });
    EXPECT_EQ(Expand("\x95\x5C$(\x95\x5C)$(FD)", "D:\\\x95\x5C\\x.c"), "\x95\x5Ctable" "D:\\\x95\x5C");
}

TEST_F(PlaceholderTest, TheTenThousandthPlaceholderStays) {
    std::string text;
    for (int i = 0; i < 10'000; ++i) {
        text += "$()";
    }
    EXPECT_EQ(Expand(text.c_str()), "$()");
}

TEST(PlaceholderExpanderWithoutHost, KeepsWhatNeedsTheHost) {
    CPlaceholderExpander expander(nullptr);
    EXPECT_EQ(expander.WorkspaceInfo(), nullptr);
    EXPECT_EQ(expander.Expand("$(WORKSPDIR) $(KTRDIR) $(CUSTOM)x").Str(), "$(WORKSPDIR) $(KTRDIR) x");
    EXPECT_EQ(ExpandPlaceholders(nullptr, "$(LN)").Str(), "$(LINE)");
}

TEST(PlaceholderKeywords, LookupsAndTexts) {
    EXPECT_EQ(FindKeyword("TD", g_placeholderShortCodes), kTempDir);
    EXPECT_EQ(FindKeyword("PN", g_placeholderShortCodes), kProjectName);
    EXPECT_EQ(FindKeyword("ERROR", g_placeholderKeywords), 0);
    EXPECT_EQ(FindKeyword("uiAnything", g_placeholderShortCodes), kUserInput);
    EXPECT_EQ(FindKeyword("userinputX", g_placeholderKeywords), kUserInput);
    EXPECT_EQ(FindKeyword("U", g_placeholderShortCodes), -1);
    EXPECT_EQ(FindKeyword("", g_placeholderShortCodes), -1);
    EXPECT_EQ(FindAnyKeyword("WR"), kWinDir);

    EXPECT_EQ(PlaceholderToken(kFullFile, TRUE), "$(FULLFILE)");
    EXPECT_EQ(PlaceholderToken(kDeviceDetails, FALSE), "DEVICEDETAILS");
    EXPECT_EQ(PlaceholderToken(0, TRUE), "ERROR");
    EXPECT_EQ(PlaceholderToken(36, FALSE), "ERROR");
    EXPECT_EQ(PlaceholderShortCode(kUserInput), "UI***");
    EXPECT_EQ(PlaceholderShortCode(kDeviceDetails), "");
    EXPECT_EQ(PlaceholderShortCode(-1), "ERROR");
    EXPECT_EQ(PlaceholderDescription(kFullFile), "Full file name");
    EXPECT_EQ(PlaceholderDescription(kRight), "Right");
    EXPECT_EQ(PlaceholderDescription(kDeviceDetails), "Placeholder");
    EXPECT_EQ(PlaceholderDescription(0), "ERROR");
}

TEST(PlaceholderText, SplitAtPlaceholder) {
    CString before;
    CString name;
    CString after;
    EXPECT_EQ(SplitAtPlaceholder("a$(B)c$(D)e", before, name, after), 0);
    EXPECT_EQ(before, "a");
    EXPECT_EQ(name, "B");
    EXPECT_EQ(after, "c$(D)e");
    EXPECT_EQ(SplitAtPlaceholder("a$(B)c$(D)e", before, name, after, 5), 0);
    EXPECT_EQ(name, "D");
    EXPECT_EQ(SplitAtPlaceholder("x$$(B)yz", before, name, after, 2), 1);  // the '$' before the offset counts
    EXPECT_EQ(SplitAtPlaceholder("$(A", before, name, after), 1);
}

TEST(PlaceholderText, ReplaceAndContainKeywords) {
    EXPECT_EQ(ReplaceKeyword("a $(USER) $(UR) $$(USER)", "bob", kUser), "a bob bob $$(USER)");
    // A replacement holding the keyword's token ended the search only by
    // looping for ever; it now goes on after the inserted text.
    EXPECT_EQ(ReplaceKeyword("$(USER)-$(UR)", "[$(USER)]", kUser), "[$(USER)]-[$(USER)]");
    EXPECT_TRUE(ContainsKeyword("x $(FN)", kFileName));
    EXPECT_FALSE(ContainsKeyword("x $$(FN)", kFileName));
    const int some[] = {kTime, kUser, 0};
    EXPECT_TRUE(ContainsAnyKeyword("$(UR)", some));
    EXPECT_FALSE(ContainsAnyKeyword("$(FN)", some));
    EXPECT_TRUE(UsesFileKeywords("$(EX)"));
    EXPECT_TRUE(UsesWorkspaceKeywords("$(WN)"));
    EXPECT_FALSE(UsesProjectKeywords("$(WN)"));
    EXPECT_TRUE(UsesProjectKeywords("$(CD)"));
    EXPECT_TRUE(UsesConfigKeywords("$(CONFIGNAME)"));
    EXPECT_FALSE(UsesConfigKeywords("$(PN)"));
}

}  // namespace
