// The file actions on real files through the open-file registry: reading
// units with the wrap to the start, writing units, sharing one open file,
// the failures and their messages, and where relative names go.
#include "breaks/break_actions.h"
#include "breaks/break_file_registry.h"
#include "breaks/break_list.h"

#include "tests/breaks/break_fixture.h"
#include "tests/support/temp_folder.h"

#include "sim/host/sim_host.h"

#include <gtest/gtest.h>

namespace {

using breaktest::BreakServicesFixture;

class BreakFileActionsTest : public ::testing::Test, public BreakServicesFixture {
protected:
    BreakFileActionsTest() {
        host_.ChangeWorkspace([&](simhost::WorkspaceState& state) {
            state.workspaceName = "ws";
            state.projectName = "proj";
            state.configName = "Debug";
            state.configDirectory = folder_.Windows();
        });
        g_breakFileRegistry.SetHost(&host_);
    }
    ~BreakFileActionsTest() override {
        g_breakFileRegistry.CloseAll();
        g_breakFileRegistry.SetHost(nullptr);
    }

    static BreakActionDesc File(LONG type, const std::string& name, DWORD dataSize, DWORD count, DWORD append = 0) {
        BreakActionDesc desc;
        desc.type = type;
        desc.fileName = name;
        desc.address = 0x2000;
        desc.dataSize = dataSize;
        desc.count = count;
        desc.append = append;
        return desc;
    }
    std::string MemoryBytes(DWORD first, DWORD count) const {
        std::string bytes;
        for (DWORD address = first; address < first + count; ++address) {
            const auto found = services_.memory.find(address);
            bytes += found != services_.memory.end() ? static_cast<char>(found->second) : '?';
        }
        return bytes;
    }

    testing_support::TempFolder folder_;
    simhost::CallLog log_;
    simhost::HostServiceProvider host_{log_};
};

TEST_F(BreakFileActionsTest, FileInputReadsUnitsAndFailsOnAShortOne) {
    folder_.Write("in.bin", "ABCDEFGHIJ");
    CTBreakActionFileInput action(File(break_action::kFileInput, "in.bin", 4, 2));
    EXPECT_EQ(action.GetText(), "File Input(in.bin) [close]");
    ASSERT_TRUE(action.Execute());
    EXPECT_EQ(MemoryBytes(0x2000, 8), "ABCDEFGH");
    EXPECT_EQ(action.GetText(), "File Input(in.bin) [open]");
    EXPECT_EQ(services_.raisedEvents.size(), 1u) << "opening tells the host";
    EXPECT_FALSE(action.Execute());
    EXPECT_EQ(host_.ReportedErrors(), std::vector<std::string>{"File Input Error(in.bin)"});
    EXPECT_FALSE(action.IsOpen());
    EXPECT_EQ(g_breakFileRegistry.GetCount(), 0u);
}

TEST_F(BreakFileActionsTest, FileInputWrapsToTheStartForEveryUnit) {
    folder_.Write("four.bin", "WXYZ");
    CTBreakActionFileInput action(File(break_action::kFileInput, "four.bin", 4, 3));
    ASSERT_TRUE(action.Execute());
    EXPECT_EQ(MemoryBytes(0x2000, 12), "WXYZWXYZWXYZ");
}

TEST_F(BreakFileActionsTest, FileInputShorterThanAUnitStaysOpen) {
    folder_.Write("tiny.bin", "AB");
    CTBreakActionFileInput action(File(break_action::kFileInput, "tiny.bin", 4, 1));
    EXPECT_FALSE(action.Execute());
    EXPECT_EQ(host_.ReportedErrors(), std::vector<std::string>{"File Size Error(tiny.bin)"});
    EXPECT_TRUE(action.IsOpen());
}

TEST_F(BreakFileActionsTest, FileOutputWritesUnitsAndAppendsOrRewrites) {
    for (DWORD address = 0x2000; address < 0x2004; ++address) {
        services_.memory[address] = static_cast<BYTE>('a' + (address - 0x2000));
    }
    {
        CTBreakActionFileOutput action(File(break_action::kFileOutput, "out.bin", 2, 2));
        ASSERT_TRUE(action.Execute());
        ASSERT_TRUE(action.Execute());
    }
    EXPECT_EQ(folder_.Read("out.bin"), "abcdabcd");
    {
        CTBreakActionFileOutput append(File(break_action::kFileOutput, "out.bin", 1, 1, 1));
        ASSERT_TRUE(append.Execute());
    }
    EXPECT_EQ(folder_.Read("out.bin"), "abcdabcda");
    {
        CTBreakActionFileOutput rewrite(File(break_action::kFileOutput, "out.bin", 1, 2, 0));
        ASSERT_TRUE(rewrite.Execute());
    }
    EXPECT_EQ(folder_.Read("out.bin"), "ab");
}

TEST_F(BreakFileActionsTest, FileOutputOfMemoryThatCannotBeReadFailsLikeAWrite) {
    services_.memoryFails = true;
    {
        CTBreakActionFileOutput action(File(break_action::kFileOutput, "out.bin", 8, 1));
        EXPECT_FALSE(action.Execute());
        EXPECT_FALSE(action.IsOpen());
    }
    EXPECT_EQ(host_.ReportedErrors(), std::vector<std::string>{"File Output Error(out.bin)"});
    EXPECT_EQ(folder_.Read("out.bin"), "") << "nothing but memory's bytes reaches the file";
}

TEST_F(BreakFileActionsTest, SameFileSameFlagsIsShared) {
    services_.memory[0x2000] = 'x';
    CTBreakActionFileOutput first(File(break_action::kFileOutput, "out.bin", 1, 1));
    CTBreakActionFileOutput second(File(break_action::kFileOutput, "OUT.BIN", 1, 1));
    ASSERT_TRUE(first.Execute());
    ASSERT_TRUE(second.Execute());
    EXPECT_EQ(first.GetFileEntry(), second.GetFileEntry());
    EXPECT_EQ(g_breakFileRegistry.GetCount(), 1u);
    CTBreakActionFileOutput appending(File(break_action::kFileOutput, "out.bin", 1, 1, 1));
    CTBreakActionFileInput reading(File(break_action::kFileInput, "out.bin", 1, 1));
    EXPECT_FALSE(appending.Execute());
    EXPECT_FALSE(reading.Execute());
    EXPECT_EQ(host_.ReportedErrors(),
              (std::vector<std::string>{"File Open Error(out.bin)", "File Open Error(out.bin)"}));
    g_breakFileRegistry.Release(first.GetFileEntry());
    EXPECT_FALSE(first.IsOpen());
    EXPECT_FALSE(second.IsOpen()) << "released for every user";
    EXPECT_EQ(folder_.Read("out.bin"), "xx");
}

TEST_F(BreakFileActionsTest, ClosingAllFilesDetachesEveryAction) {
    folder_.Write("in.bin", "1234");
    CTBreakActionFileInput input(File(break_action::kFileInput, "in.bin", 1, 1));
    CTBreakActionFileOutput output(File(break_action::kFileOutput, "o.bin", 1, 1));
    ASSERT_TRUE(input.Execute());
    ASSERT_TRUE(output.Execute());
    EXPECT_EQ(g_breakFileRegistry.GetCount(), 2u);
    g_breakFileRegistry.CloseAll();
    EXPECT_FALSE(input.IsOpen());
    EXPECT_FALSE(output.IsOpen());
    ASSERT_TRUE(input.Execute());
    EXPECT_EQ(MemoryBytes(0x2000, 1), "1") << "opened anew: from the start";
}

TEST_F(BreakFileActionsTest, NamesThatCannotBeOpened) {
    const std::string longName(300, 'n');
    struct Case {
        std::string name;
        std::string message;
    } const cases[] = {
        {"missing.bin", "File Open Error(missing.bin)"},
        {longName, "File Open Error(" + longName + ")"},
        {folder_.Windows("no_folder\\x.bin"), "File Open Error(" + folder_.Windows("no_folder\\x.bin") + ")"},
    };
    for (const Case& c : cases) {
        CTBreakActionFileInput action(File(break_action::kFileInput, c.name, 1, 1));
        EXPECT_FALSE(action.Execute()) << c.name;
        EXPECT_FALSE(action.IsOpen());
    }
    const auto reported = host_.ReportedErrors();
    ASSERT_EQ(reported.size(), 3u);
    for (std::size_t n = 0; n < 3; ++n) {
        EXPECT_EQ(reported[n], cases[n].message);
    }
    EXPECT_TRUE(services_.raisedEvents.empty());
}

TEST_F(BreakFileActionsTest, RelativeNamesGoIntoTheConfigurationFolder) {
    std::string path;
    ASSERT_TRUE(g_breakFileRegistry.MakeFullPath("data.bin", path));
    EXPECT_EQ(path, folder_.Windows("data.bin"));
    ASSERT_TRUE(g_breakFileRegistry.MakeFullPath(folder_.Windows("abs.bin"), path));
    EXPECT_EQ(path, folder_.Windows("abs.bin"));
    if (g_breakFileRegistry.MakeFullPath("D:data.bin", path)) {
        EXPECT_EQ(path.find(folder_.Windows()), std::string::npos) << "a name on a drive of its own is not joined";
    }
    host_.ChangeWorkspace([](simhost::WorkspaceState& state) { state.configDirectory.clear(); });
    ASSERT_TRUE(g_breakFileRegistry.MakeFullPath("data.bin", path));
    EXPECT_NE(path.find("data.bin"), std::string::npos);
}

TEST_F(BreakFileActionsTest, AFailingFileBreakIsDisabledAndTheHostTold) {
    CTBreakCycleList list;
    list.SetHost(&host_);
    list.SetCapacity(255);
    const BreakActionDesc desc = File(break_action::kFileInput, "missing.bin", 1, 1);
    ASSERT_EQ(list.CreateBreak(10, 0, &desc), 1);
    EXPECT_EQ(list.TestBreak(10), 0) << "a file action does not stop the program";
    EXPECT_EQ(list.GetAt(0)->GetEnable(), 0);
    EXPECT_EQ(log_.Find("PostEvent").size(), 1u);
}

}  // namespace
