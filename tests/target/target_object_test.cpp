// The target object's further objects, their required and optional rules,
// the order of opening and of the teardown, the disconnect around a failed
// open, the reconnect and the host events, through a target of the tests'
// own factories.
#include "tests/target/target_test_support.h"

#include "frame/error_codes.h"
#include "link/driver_list.h"
#include "config/device_data.h"
#include "target/monitor_objects.h"

#include "platform/bstr.h"
#include "sim/host/sim_host.h"
#include "tests/support/test_ui.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using targettest::Journal;
using targettest::TestTarget;

class TargetObjects : public ::testing::Test {
protected:
    void SetUp() override {
        savedDevice_ = g_deviceValues;
        g_swtiSupported = 0;
        g_emuSel = 0;
        ASSERT_EQ(target.Attach(&host, 1), S_OK);
    }
    void TearDown() override {
        static_cast<void>(target.Uninitialise());
        target.Detach(1);
        g_deviceValues = savedDevice_;
        g_swtiSupported = 0;
        g_emuSel = 0;
    }
    // Every registration but the two workspace clients the attach made.
    std::size_t HandlerRegistrations() const { return host.Registrations().size() - 2; }
    std::size_t Count(const std::string& entry) const {
        return static_cast<std::size_t>(std::count(target.journal.begin(), target.journal.end(), entry));
    }
    bool Has(const std::string& entry) const { return Count(entry) != 0; }

    DeviceValues savedDevice_;
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    TestTarget target;
    platform::Bstr name{"Vk3 Q3v SYSTEM"};
};

TEST_F(TargetObjects, RequiredObjectsFailTheInitialisationAndEverythingMadeIsDeleted) {
    struct Case {
        const char* missing;
        DWORD trace;
        HRESULT expected;
    };
    const Case cases[] = {
        {"commands", 0, TE_DLL_ERROR},       {"text requests", 0, TE_DLL_ERROR},
        {"running memory", 0, TE_DLL_ERROR}, {"status timing", 0, TE_DLL_ERROR},
        {"break page", 0, TE_DLL_ERROR},     {"device page", 0, TE_DLL_ERROR},
        {"events", 0, TE_DLL_ERROR},         {"condition set", 0, TE_DLL_ERROR},
        {"support marker", 0, TE_DLL_ERROR}, {"trace", 0, S_OK},
        {"columns", 0, S_OK},                {"trace", 1, TE_DLL_ERROR},
        {"columns", 1, TE_DLL_ERROR},        {"nothing", 1, S_OK},
        {"cfg", 0, E_FAIL},                  {"memory", 0, E_FAIL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.missing) + " trace " + std::to_string(c.trace));
        g_deviceValues.traceFunction = c.trace;
        target.journal.clear();
        target.missing = {c.missing};
        EXPECT_EQ(target.Initialise(name.Get()), c.expected);
        EXPECT_EQ(Has("create trace"), c.trace == 1 && c.expected != E_FAIL);
        if (FAILED(c.expected)) {
            EXPECT_FALSE(Has("connect"));
            EXPECT_EQ(target.IsConnected(), 0u);
            EXPECT_EQ(HandlerRegistrations(), 0u);
            EXPECT_EQ(target.GetEventHandler(), nullptr);
            EXPECT_EQ(target.GetCfgHandler(), nullptr);
        } else {
            EXPECT_EQ(target.IsConnected(), 1u);
            ASSERT_EQ(target.Uninitialise(), S_OK);
            EXPECT_EQ(HandlerRegistrations(), 0u);
        }
        // Every object made is deleted, once.
        for (const std::string& entry : Journal(target.journal)) {
            if (entry.rfind("create ", 0) == 0 && entry.substr(7) != c.missing) {
                EXPECT_EQ(Count("delete " + entry.substr(7)), 1u) << entry;
            }
        }
    }
}

TEST_F(TargetObjects, TheEventEngineIsMadeWithTheEventFunctionAndStartedUnlessTheFlashIsProgrammed) {
    struct Case {
        DWORD swti;
        DWORD connectMode;
        bool made;
        bool started;
    };
    for (const Case& c : {Case{0, 0, false, false}, Case{1, 0, true, true}, Case{1, 1, true, true},
                          Case{1, 2, true, false}}) {
        SCOPED_TRACE(std::to_string(c.swti) + " mode " + std::to_string(c.connectMode));
        g_swtiSupported = c.swti;
        g_emuSel = c.connectMode;
        target.journal.clear();
        ASSERT_EQ(target.Initialise(name.Get()), S_OK);
        EXPECT_EQ(target.GetEventEngine() != nullptr, c.made);
        EXPECT_EQ(Has("start engine"), c.started);
        ASSERT_EQ(target.Uninitialise(), S_OK);
        EXPECT_EQ(Has("delete engine"), c.made);
    }
}

TEST_F(TargetObjects, AnEventEngineThatCannotAttachFailsTheInitialisation) {
    g_swtiSupported = 1;
    g_emuSel = 0;
    target.engineAttachResult = E_FAIL;
    EXPECT_EQ(target.Initialise(name.Get()), E_FAIL);
    EXPECT_EQ(target.GetEventEngine(), nullptr) << "the failed initialisation took everything down";
    EXPECT_TRUE(Has("delete engine"));
    EXPECT_EQ(GetEventEngineHooks(), nullptr);
}

TEST_F(TargetObjects, InitialiseOpensInOrderAndTheTeardownTakesItsTwentyStepsDeletingTheDriverOnce) {
    g_deviceValues.traceFunction = 1;
    target.SetModified(1);
    ASSERT_EQ(target.Initialise(name.Get()), S_OK);
    EXPECT_EQ(target.IsModified(), 0u);
    const Journal opened(std::find(target.journal.begin(), target.journal.end(), "connect"), target.journal.end());
    EXPECT_EQ(opened, (Journal{"connect", "open cfg", "open memory", "open map", "open exec", "open commands",
                               "open text requests", "open running memory", "open status timing", "open trace",
                               "open events", "open columns", "open support marker"}));

    // The session objects the connect would have made.
    g_targetConfig = std::make_unique<targettest::JournaledConfig>(target.journal);
    g_driverFactory = new targettest::JournaledFactory(target.journal);
    g_driverList = new CDriverList;
    g_currentDriver = new targettest::JournaledDriver(target.journal);
    g_monitorControl = std::make_unique<targettest::JournaledMonitorControl>(target.journal);
    g_monitorEngine = std::make_unique<CMonitorEngine>();
    g_runStateMonitor = std::make_unique<CRunStateMonitor>();
    g_haltControl = std::make_unique<CHaltControl>();
    target.journal.clear();
    target.SetDriverName("Q3vSimEmu");
    ASSERT_EQ(target.Uninitialise(), S_OK);
    EXPECT_EQ(target.journal,
              (Journal{"disconnect",
                       "close commands", "delete commands",                  // 1
                       "close text requests", "delete text requests",        // 2
                       "close running memory", "delete running memory",      // 3
                       "close status timing", "delete status timing",        // 4
                       "delete break page",                                  // 5
                       "delete device page",                                 // 6
                       "close trace", "delete trace",                        // 7
                       "close events", "delete events",                      // 9
                       "close columns", "delete columns",                    // 10
                       "close support marker", "delete support marker",      // 11
                       "destroy config", "delete config",                    // 13
                       "cleanup driver",                                     // 14
                       "delete status", "close exec", "delete exec",         // 15
                       "close map", "delete map", "close memory", "delete memory", "close break", "delete break",
                       "close cfg", "delete cfg",
                       "delete driver",                                      // 16
                       "delete factory",                                     // 17
                       "delete condition set",                               // 18 before 19
                       "delete monitor control"}));                          // 20
    EXPECT_EQ(g_currentDriver, nullptr);
    EXPECT_EQ(g_driverList, nullptr);
    EXPECT_EQ(g_driverFactory, nullptr);
    EXPECT_EQ(g_targetConfig, nullptr);
    EXPECT_TRUE(target.GetDriverName().empty());
    EXPECT_EQ(HandlerRegistrations(), 0u);
    EXPECT_EQ(target.IsConnected(), 0u);

    // A second teardown finds nothing left.
    target.journal.clear();
    ASSERT_EQ(target.Uninitialise(), S_OK);
    EXPECT_TRUE(target.journal.empty());
    EXPECT_EQ(g_monitorControl, nullptr);
    EXPECT_FALSE(targettest::MonitorObjectsLive());
}

TEST_F(TargetObjects, AFailedOpenAfterConnectingDisconnectsOnceAndLeavesTheTargetDisconnected) {
    for (const char* failing : {"commands", "events", "support marker"}) {
        SCOPED_TRACE(failing);
        target.journal.clear();
        target.failingOpen = failing;
        EXPECT_EQ(target.Initialise(name.Get()), E_FAIL);
        EXPECT_EQ(target.IsConnected(), 0u);
        EXPECT_EQ(Count("disconnect"), 1u);
        EXPECT_EQ(Count("delete events"), 1u);
        EXPECT_EQ(HandlerRegistrations(), 0u);
        // Nothing is left to disconnect or delete.
        target.journal.clear();
        ASSERT_EQ(target.Uninitialise(), S_OK);
        EXPECT_FALSE(Has("disconnect"));
        EXPECT_FALSE(Has("delete events"));
    }
}

TEST_F(TargetObjects, AFailedConnectTearsDownWithoutDisconnecting) {
    target.connects = 0;
    EXPECT_EQ(target.Initialise(name.Get()), E_FAIL);
    EXPECT_FALSE(Has("disconnect"));
    EXPECT_TRUE(Has("delete events"));
    EXPECT_EQ(HandlerRegistrations(), 0u);
}

TEST_F(TargetObjects, ReconnectFindsNoConnectingDialogOnceItHasGoneAndConnectsAgain) {
    testsupport::TestUi ui;
    target.throughDialog = true;
    ui.OnDialog(res_id::kDownloadProgressDialog).WaitForClose();
    ASSERT_EQ(target.Initialise(name.Get()), S_OK);
    EXPECT_EQ(target.GetConnectionDialog(), nullptr);  // the dialog went with its connect

    ui.OnDialog(res_id::kDownloadProgressDialog).WaitForClose();
    target.journal.clear();
    EXPECT_EQ(target.Reconnect(), S_OK);
    EXPECT_EQ(Count("disconnect"), 1u);
    EXPECT_EQ(Count("connect"), 1u);
    EXPECT_EQ(target.IsConnected(), 1u);
    EXPECT_EQ(target.GetConnectionDialog(), nullptr);
}

TEST_F(TargetObjects, HostEventsShowTheStopCauseRefreshRegistersAndIgnoreOthers) {
    simhost::HostMainWindow mainWindow;
    ASSERT_EQ(target.Initialise(name.Get()), S_OK);
    ASSERT_NE(target.exec, nullptr);

    target.exec->stopCause = "STOP ADDRESS";
    EXPECT_EQ(target.OnHostEvent(&EVENT_PeriodicStatus), S_OK);
    EXPECT_EQ(mainWindow.StatusText(0), "STOP ADDRESS");
    EXPECT_TRUE(host.ReportedErrors().empty());

    target.exec->stopCause = "BREAK POINT";
    EXPECT_EQ(target.OnHostEvent(&EVENT_RunState), S_OK);
    EXPECT_EQ(mainWindow.StatusText(0), "BREAK POINT");
    EXPECT_EQ(host.ReportedErrors(), (std::vector<std::string>{"BREAK POINT"}));

    EXPECT_EQ(target.OnHostEvent(&EVENT_RegisterRefresh), S_OK);
    EXPECT_EQ(target.exec->registerRefreshes, 1);

    target.exec->stopCause = "ignored";
    EXPECT_EQ(target.OnHostEvent(&EVENT_GoStarted), S_OK);
    EXPECT_EQ(target.OnHostEvent(nullptr), S_OK);
    EXPECT_EQ(mainWindow.StatusText(0), "BREAK POINT");
    EXPECT_EQ(mainWindow.StatusText(1), "");
}

}  // namespace

namespace {

// A memory handler that answers reads with a known pattern and keeps what it
// was asked.
class PatternMemory : public testing_support::TestMemory {
public:
    explicit PatternMemory(IHostServiceProvider* host)
        : TestMemory(CTargetMemory::Capabilities{1, 1, 1, 1, 1, 1, 0}, 0, host) {}
    HRESULT STDMETHODCALLTYPE ReadMemory(DWORD start, DWORD end, DWORD access, BYTE* buffer) override {
        reads.push_back({start, end, access});
        for (DWORD address = start; address <= end; ++address) {
            *buffer++ = static_cast<BYTE>(0xB0 + (address & 0x0F));
        }
        return S_OK;
    }
    struct Read {
        DWORD start, end, access;
        bool operator==(const Read&) const = default;
    };
    std::vector<Read> reads;
};

class XinTarget : public TestTarget {
public:
    CTargetMemory* CreateMemoryHandler() override { return memory = new PatternMemory(m_host); }
    PatternMemory* memory = nullptr;
};

class Disconnect : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = g_deviceValues;
        g_deviceValues.useXinWhileDownload = 1;
        g_deviceValues.xin[0] = {0x0010, {0x01, 0x02, 0x03, 0x04}, 1};
        g_deviceValues.xin[1] = {0x0021, {0x11, 0x12, 0x13, 0x14}, 3};
        g_deviceValues.xin[2] = {0x0030, {0x21, 0x22, 0x23, 0x24}, 2};
        g_deviceValues.xinCount = 3;
        // The count is the write's length in bytes, whatever its unit size.
        SetMonitorMemoryWrite([this](DWORD start, const BYTE* source, DWORD, WORD count, DWORD) -> WORD {
            std::string text = std::to_string(start) + ":";
            for (DWORD i = 0; i < count; ++i) {
                text += " " + std::to_string(source[i]);
            }
            writes.push_back(text);
            return 0;
        });
        ASSERT_EQ(target.Attach(&host, 1), S_OK);
        ASSERT_EQ(target.Initialise(name.Get()), S_OK);
    }
    void TearDown() override {
        static_cast<void>(target.Uninitialise());
        target.Detach(1);
        SetMonitorMemoryWrite({});
        g_deviceValues = saved_;
        g_emuSel = 0;
        g_powerSupplySettings = PowerSupplySettings{};
    }
    DeviceValues saved_;
    std::vector<std::string> writes;
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    XinTarget target;
    platform::Bstr name{"Vk3 Q3v SYSTEM"};
};

TEST_F(Disconnect, TheUnitEntryOneOverwritesIsReadWholeAndWrittenBackLast) {
    target.Disconnect();
    ASSERT_NE(target.memory, nullptr);
    EXPECT_EQ(target.memory->reads, (std::vector<PatternMemory::Read>{{0x21, 0x23, 1}}));
    EXPECT_EQ(writes, (std::vector<std::string>{"16: 1", "33: 17 18 19", "48: 33 34", "16: 1",
                                                "33: 177 178 179"}));
}

TEST_F(Disconnect, WithFewerThanTwoEntriesNothingIsKeptOrWrittenBack) {
    g_deviceValues.xinCount = 1;
    target.Disconnect();
    EXPECT_TRUE(target.memory->reads.empty());
    EXPECT_EQ(writes, (std::vector<std::string>{"16: 1", "16: 1"}));
    writes.clear();
    g_deviceValues.xinCount = 0;
    target.Disconnect();
    EXPECT_TRUE(writes.empty());
}

TEST_F(Disconnect, ProgrammingTheFlashOrPoweringTheTargetWritesNothing) {
    g_emuSel = connect_mode::kProgramFlash;
    target.Disconnect();
    g_emuSel = 0;
    g_powerSupplySettings.powerFromEmulator = 1;
    target.Disconnect();
    EXPECT_TRUE(writes.empty());
    EXPECT_TRUE(target.memory->reads.empty());
}

}  // namespace
