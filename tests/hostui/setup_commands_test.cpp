// The Setup menu's commands as the target's handlers allow them, and the
// sheets they open through the memory-map handler.
#include "plugin/setup_commands.h"

#include "frame/target.h"
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "target/target_objects.h"
#include "tests/frame/test_handlers.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT kSystem = res_id::kCmdSystemSetup;
constexpr UINT kEmulatorSetting = res_id::kCmdEmulatorSetting;
constexpr UINT kStartStop = res_id::kCmdStartStopSetting;

// A memory-map handler that offers the three sheet runs and notes each.
class SheetMap : public CTargetMemoryMap, public CSetupSheetRuns {
public:
    SheetMap() : CTargetMemoryMap(nullptr) {}
    void RunConfigurationSheet() override { runs.push_back("configuration"); }
    void RunEmulatorSettingSheet() override { runs.push_back("emulator setting"); }
    void RunStartStopDialog() override { runs.push_back("start/stop"); }

    std::vector<std::string> runs;
};

// A run-control handler whose running word the test sets.
class RunningExec : public testing_support::TestExec {
public:
    RunningExec() : TestExec(nullptr) {}
    void SetRunning(DWORD running) { m_running = running; }
};

// A target whose handlers the test gives it; it does not own them.
class SetupTarget : public CTarget {
public:
    ~SetupTarget() override { Give(nullptr, nullptr, nullptr); }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE Register(IHComponentRegistry*) override { return S_OK; }

    void Give(CTargetExec* exec, CTargetMemory* memory, CTargetMemoryMap* map) {
        m_execHandler = exec;
        m_memoryHandler = memory;
        m_memoryMapHandler = map;
    }
};

class SetupCommands : public ::testing::Test {
protected:
    void SetUp() override { saved = g_deviceValues; }
    void TearDown() override { g_deviceValues = saved; }

    DeviceValues saved;
    RunningExec exec;
    testing_support::TestMemory memory{{}, 0, nullptr};
    SheetMap map;
    SetupTarget target;
};

TEST_F(SetupCommands, TheItemsAreDisabledWhileTheTargetRunsOrDownloadsAndStartStopNeedsTheDevice) {
    struct Case {
        bool withHandlers;
        bool running;
        WORD download;
        DWORD startStop;
        bool setupEnabled;
        bool startStopEnabled;
    };
    const Case cases[] = {
        {false, false, 0, 1, true, true},          // no handlers: neither busy nor running
        {false, false, 0, 0, true, false},         // a device without start/stop functions
        {true, false, 0, 1, true, true},           // stopped and idle
        {true, true, 0, 1, false, false},          // a go
        {true, false, 0xFFFF, 1, false, false},    // a download
        {true, true, 0xFFFF, 1, false, false},
        {true, false, 0, 0, true, false},          // stopped and idle, but no start/stop functions
        {true, false, 0, 7, true, true},           // any value but 0 offers them
    };
    for (const Case& c : cases) {
        target.Give(c.withHandlers ? &exec : nullptr, c.withHandlers ? &memory : nullptr, nullptr);
        exec.SetRunning(c.running ? 1 : 0);
        ASSERT_EQ(memory.OnDownload(c.download), S_OK);
        g_deviceValues.supportStartStopFunc = c.startStop;
        const std::string where = "handlers " + std::to_string(c.withHandlers) + ", running " +
                                  std::to_string(c.running) + ", download " + std::to_string(c.download) +
                                  ", start/stop " + std::to_string(c.startStop);
        EXPECT_EQ(IsSetupCommandEnabled(target, kSystem), c.setupEnabled) << where;
        EXPECT_EQ(IsSetupCommandEnabled(target, kEmulatorSetting), c.setupEnabled) << where;
        EXPECT_EQ(IsSetupCommandEnabled(target, kStartStop), c.startStopEnabled) << where;
    }
}

TEST_F(SetupCommands, OnlyTheSetupMenusCommandsAreItsOwn) {
    g_deviceValues.supportStartStopFunc = 1;
    for (const UINT command : {res_id::kCmdEmulatorHelp, res_id::kCmdMemoryResource, UINT{0}}) {
        EXPECT_FALSE(IsSetupCommandEnabled(target, command)) << command;
    }
}

TEST_F(SetupCommands, EachCommandOpensItsSheetThroughTheMemoryMapHandler) {
    target.Give(&exec, &memory, &map);
    for (const UINT command : {kSystem, kEmulatorSetting, kStartStop, res_id::kCmdEmulatorHelp}) {
        RunSetupCommand(target, command);
    }
    EXPECT_EQ(map.runs, (std::vector<std::string>{"configuration", "emulator setting", "start/stop"}));
}

TEST_F(SetupCommands, WithoutAMemoryMapHandlerThatRunsSheetsNothingOpens) {
    CTargetMemoryMap plainMap(nullptr);
    for (CTargetMemoryMap* handler : {static_cast<CTargetMemoryMap*>(nullptr), &plainMap}) {
        target.Give(&exec, &memory, handler);
        for (const UINT command : {kSystem, kEmulatorSetting, kStartStop}) {
            RunSetupCommand(target, command);  // nothing to open, nothing to fail
        }
    }
    EXPECT_TRUE(map.runs.empty());
}

}  // namespace
