// The driver module's entry points as the plug-in binds and calls them:
// names, library type, session, result codes and their texts, pending
// results and the configuration entries.
#include "tests/emulator/sim_emulator.h"

#include "platform/module.h"

#include <cstring>
#include <string>
#include <vector>

namespace emutest {
namespace {

TEST(EmulatorModule, ExportsEveryDriverEntryPointByItsPlainName) {
    ASSERT_NE(Module().module, nullptr) << Module().error;
    for (const char* name : kDriverEntryPointNames) {
        EXPECT_NE(GetProcAddress(Module().module, name), nullptr) << name;
    }
}

TEST(EmulatorModule, IsADriverWithOneInterface) {
    ASSERT_TRUE(Module().error.empty()) << Module().error;
    const DriverEntries& d = Module().driver;
    const char* text = nullptr;
    ASSERT_EQ(d.libraryType(&text), Q3V_SIM_OK);
    EXPECT_STREQ(text, "Driver");
    ASSERT_EQ(d.libraryName(&text), Q3V_SIM_OK);
    EXPECT_STREQ(text, "Q3v Simulated Emulator");
    ASSERT_EQ(d.libraryVersion(&text), Q3V_SIM_OK);
    EXPECT_STREQ(text, "1.00");
    EXPECT_STREQ(d.identify(), "SIMUSB");
    EXPECT_EQ(d.libraryType(nullptr), Q3V_SIM_INVALID_PARAMETER);
}

TEST(EmulatorModule, TheSameModuleLoadedTwiceSharesOneModel) {
    ASSERT_TRUE(Module().error.empty()) << Module().error;
    HMODULE again = LoadLibraryA("Q3vSimEmu.dll");
    ASSERT_EQ(again, Module().module);
    auto configure = platform::GetProcAddressAs<DWORD(WINAPI*)(const char*)>(again, "Q3vSimConfigure");
    ASSERT_EQ(configure("steps=123"), Q3V_SIM_OK);
    char text[256];
    Module().control.getConfiguration(text, sizeof(text));
    EXPECT_NE(std::string(text).find("steps=123"), std::string::npos) << text;
    FreeLibrary(again);
    Module().control.configure("steps=1000");
}

using SessionTest = EmulatorTest;

// The channel names of a null-terminated list.
std::vector<std::string> Names(const char* const* list) {
    std::vector<std::string> names;
    for (; list != nullptr && *list != nullptr; ++list) {
        names.emplace_back(*list);
    }
    return names;
}

TEST_F(SessionTest, InitialiseHandsOutTheChannelListAndAnswers11TheSecondTime) {
    Driver().terminate();
    const char* const* channels = nullptr;
    ASSERT_EQ(Driver().initialise("SIMUSB", &channels), Q3V_SIM_OK);
    EXPECT_EQ(Names(channels), std::vector<std::string>{"SIM0"});
    const char* const* again = nullptr;
    EXPECT_EQ(Driver().initialise("SIMUSB", &again), Q3V_SIM_ALREADY_INITIALISED);
    EXPECT_EQ(again, channels);
    EXPECT_STREQ(Driver().identify(), "SIMUSB");
}

TEST_F(SessionTest, ChannelsAndInterfacesAsTheSettingsSay) {
    Driver().terminate();
    Configure("channels=3;interfaces=2");
    EXPECT_STREQ(Driver().identify(), "SIMUSB, SIMLAN");
    const char* const* channels = nullptr;
    ASSERT_EQ(Driver().initialise("SIMLAN", &channels), Q3V_SIM_OK) << "the second interface, the same emulator";
    EXPECT_EQ(Names(channels), (std::vector<std::string>{"SIM0", "SIM1", "SIM2"}));
    EXPECT_EQ(Driver().select(3), Q3V_SIM_NO_EMULATOR);
    EXPECT_EQ(Driver().select(2), Q3V_SIM_OK);
    char text[256];
    Control().getConfiguration(text, sizeof(text));
    EXPECT_EQ(std::string(text).find("channels"), std::string::npos) << "not part of the driver's configuration";
    EXPECT_EQ(Control().configure("channels=5"), Q3V_SIM_BAD_CONFIGURATION);
    EXPECT_EQ(Control().configure("interfaces=0"), Q3V_SIM_BAD_CONFIGURATION);
    Driver().terminate();
    Configure("channels=4;interfaces=1");
    ASSERT_EQ(Driver().initialise("SIMUSB", &channels), Q3V_SIM_OK);
    EXPECT_EQ(Names(channels), (std::vector<std::string>{"SIM0", "SIM1", "SIM2", "SIM3"}));
    EXPECT_EQ(Driver().initialise("SIMLAN", &channels), Q3V_SIM_UNKNOWN_INTERFACE) << "one interface again";
    Configure("channels=1");
}

TEST_F(SessionTest, TheInitialiseFaultAnswersLinkLostForItsCount) {
    Driver().terminate();
    Configure("fault=initialise:0:2");
    const char* const* channels = nullptr;
    EXPECT_EQ(Driver().initialise("SIMUSB", &channels), Q3V_SIM_LINK_LOST);
    EXPECT_EQ(channels, nullptr);
    EXPECT_EQ(Driver().initialise("SIMUSB", &channels), Q3V_SIM_LINK_LOST);
    EXPECT_EQ(Driver().initialise("SIMUSB", &channels), Q3V_SIM_OK);
    ASSERT_EQ(Control().injectFault(Q3V_SIM_FAULT_INITIALISE, 0, 1), Q3V_SIM_OK);
    EXPECT_EQ(Driver().initialise("SIMUSB", &channels), Q3V_SIM_LINK_LOST);
    EXPECT_EQ(Driver().initialise("SIMUSB", &channels), Q3V_SIM_ALREADY_INITIALISED);
}

TEST_F(SessionTest, RefusesUnknownInterfacesAndEmulatorIndexes) {
    Driver().terminate();
    const char* const* channels = nullptr;
    EXPECT_EQ(Driver().initialise("USB2", &channels), Q3V_SIM_UNKNOWN_INTERFACE);
    EXPECT_EQ(Driver().select(0), Q3V_SIM_NOT_INITIALISED);
    EXPECT_EQ(Driver().testConfiguration(), Q3V_SIM_NOT_INITIALISED);
    ASSERT_EQ(Driver().initialise("SIMUSB", &channels), Q3V_SIM_OK);
    EXPECT_EQ(Driver().select(1), Q3V_SIM_NO_EMULATOR);
    EXPECT_EQ(Driver().testConfiguration(), Q3V_SIM_OK);
}

TEST_F(SessionTest, DataEntriesNeedAnInitialisedAndSelectedEmulator) {
    Driver().terminate();
    BYTE buffer[16] = {};
    Bytes frame = Hex("00 06 5A 01 00 06 A5 81");
    EXPECT_EQ(Driver().transmit(8, frame.data(), 0, 1), Q3V_SIM_NOT_INITIALISED);
    EXPECT_EQ(Driver().receive(0, buffer, 0, 1), Q3V_SIM_NOT_INITIALISED);
    EXPECT_EQ(Driver().readMemory(4, buffer, 0x400008, 4), Q3V_SIM_NOT_INITIALISED);
    EXPECT_EQ(Driver().writeMemory(4, buffer, 0x400008, 4), Q3V_SIM_NOT_INITIALISED);
    EXPECT_EQ(Driver().readQ5t(1, buffer, 0x1000, 16), Q3V_SIM_NOT_INITIALISED);
    EXPECT_EQ(Driver().writeQ5t(1, buffer, 0x40000, 1, 0), Q3V_SIM_NOT_INITIALISED);
    EXPECT_EQ(Driver().sumCheck(0), Q3V_SIM_NOT_INITIALISED);
    EXPECT_EQ(Driver().monpOpen(0), Q3V_SIM_NOT_INITIALISED);
    EXPECT_EQ(Driver().progDownload(1, 0x40000, 0), Q3V_SIM_NOT_INITIALISED);
    EXPECT_EQ(Driver().preEraseWrite(1, 0), Q3V_SIM_NOT_INITIALISED);
    EXPECT_EQ(Driver().adapterProgramDownload(0x10000, 0x58000, 0), Q3V_SIM_NOT_INITIALISED);
}

TEST_F(SessionTest, BadArgumentsGetInvalidParameterAndNeverTouchTheModel) {
    BYTE buffer[8] = {};
    EXPECT_EQ(Driver().transmit(8, nullptr, 0, 1), Q3V_SIM_INVALID_PARAMETER);
    EXPECT_EQ(Driver().transmit(1, buffer, 0, 1), Q3V_SIM_INVALID_PARAMETER);
    Bytes huge(5000, 0);
    EXPECT_EQ(Driver().transmit(static_cast<WORD>(huge.size()), huge.data(), 0, 1), Q3V_SIM_FRAME_TOO_LONG);
    EXPECT_EQ(Driver().receive(0, nullptr, 0, 1), Q3V_SIM_INVALID_PARAMETER);
    EXPECT_EQ(Driver().readMemory(3, buffer, 0x400000, 1), Q3V_SIM_INVALID_PARAMETER);
    EXPECT_EQ(Driver().readMemory(2, buffer, 0x400000, 0), Q3V_SIM_INVALID_PARAMETER);
    EXPECT_EQ(Driver().readMemory(4, buffer, 0x3FFFFF, 1), Q3V_SIM_ADDRESS_OUT_OF_RANGE);
    EXPECT_EQ(Driver().readMemory(4, buffer, 0x40002A, 4), Q3V_SIM_ADDRESS_OUT_OF_RANGE);
    EXPECT_EQ(Driver().readQ5t(2, buffer, 0x1000, 1), Q3V_SIM_INVALID_PARAMETER);
    EXPECT_EQ(Driver().readQ5t(1, buffer, 0x800000, 1), Q3V_SIM_ADDRESS_OUT_OF_RANGE);
    EXPECT_EQ(Driver().traceRead(0, 0, 0, 0), Q3V_SIM_NOT_SUPPORTED);
}

TEST_F(SessionTest, EveryResultCodeHasAText) {
    struct Case {
        DWORD code;
        const char* text;
    };
    const Case cases[] = {
        {Q3V_SIM_OK, "No error."},
        {Q3V_SIM_NOT_INITIALISED, "The driver is not initialised."},
        {Q3V_SIM_RECEIVE_TIMEOUT, "Receive time-out: the emulator did not answer."},
        {Q3V_SIM_LINK_LOST, "The USB link to the emulator is lost."},
        {Q3V_SIM_BAD_CONFIGURATION, "Invalid configuration text."},
        {999, "Unknown driver error."},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(Driver().dllError(c.code), c.text) << c.code;
    }
}

TEST_F(SessionTest, PendingReadsCompleteAfterTheConfiguredNumberOfPolls) {
    Configure("pending=3");
    BYTE bytes[16] = {};
    ASSERT_EQ(Driver().readQ5t(1, bytes, 0x1000, 16), Q3V_SIM_PENDING);
    EXPECT_EQ(Driver().poll(), Q3V_SIM_PENDING);
    EXPECT_EQ(Driver().poll(), Q3V_SIM_PENDING);
    EXPECT_EQ(Driver().poll(), Q3V_SIM_OK);
    EXPECT_EQ(std::memcmp(bytes, "Q3vEMULATOR", 11), 0);
    // Nothing pending: the poll answers 0 at once.
    EXPECT_EQ(Driver().poll(), Q3V_SIM_OK);

    BYTE status[4] = {};
    ASSERT_EQ(Driver().readMemory(4, status, 0x400008, 4), Q3V_SIM_PENDING);
    EXPECT_EQ(Driver().poll(), Q3V_SIM_PENDING);
    EXPECT_EQ(Driver().poll(), Q3V_SIM_PENDING);
    EXPECT_EQ(Driver().poll(), Q3V_SIM_OK);
    // Writes are never pending.
    EXPECT_EQ(WriteRegister(0x400024, {0, 2, 0, 0}), Q3V_SIM_OK);
}

TEST_F(SessionTest, ControllerConfigurationMayBePendingAndReportsItsResultAtTheLastPoll) {
    Configure("pending=1");
    EXPECT_EQ(Driver().setControllerConfiguration("protocol=9"), Q3V_SIM_PENDING);
    EXPECT_EQ(Driver().poll(), Q3V_SIM_BAD_CONFIGURATION);
    EXPECT_EQ(Driver().setControllerConfiguration("lockout=5"), Q3V_SIM_PENDING);
    EXPECT_EQ(Driver().poll(), Q3V_SIM_OK);
    EXPECT_NE(std::string(Driver().getConfiguration()).find("lockout=5"), std::string::npos);
}

TEST_F(SessionTest, ConfigurationTextRoundTripsThroughTheDriverEntries) {
    const std::string text = Driver().getConfiguration();
    EXPECT_EQ(text, "device=VK31D16;protocol=1;board=powered;connector=connected;canary=0;pending=0;steps=1000;"
                    "lockout=3;flashbusy=0");
    EXPECT_EQ(std::string(Driver().configurationDialog(0, "DRIVER.INI")), text);
    EXPECT_EQ(Driver().setDriverConfiguration(" protocol = 2 ; steps=50 "), Q3V_SIM_OK);
    EXPECT_EQ(Status().protocolType, 2u);
    EXPECT_EQ(Driver().setDriverConfiguration(text.c_str()), Q3V_SIM_OK);
    EXPECT_EQ(std::string(Driver().getConfiguration()), text);
}

TEST_F(SessionTest, AWrongConfigurationChangesNothing) {
    const std::string before = Driver().getConfiguration();
    for (const char* text : {"protocol=5", "device=XYZ", "steps=0", "board=maybe", "colour=red", "protocol",
                             "idcode=12", "fault=melt", "protocol=1;steps=x"}) {
        EXPECT_EQ(Driver().setDriverConfiguration(text), Q3V_SIM_BAD_CONFIGURATION) << text;
        EXPECT_EQ(std::string(Driver().getConfiguration()), before) << text;
    }
    EXPECT_EQ(Driver().setDriverConfiguration(nullptr), Q3V_SIM_INVALID_PARAMETER);
}

TEST_F(SessionTest, ANewDeviceBringsItsOwnProtocolTypeUnlessTheTextNamesOne) {
    Configure("device=VK32D64");
    EXPECT_EQ(Status().protocolType, 2u);
    Configure("device=vk33d64;protocol=3");
    EXPECT_EQ(Status().protocolType, 3u);
    Configure("device=VK31D16;protocol=4");
    EXPECT_EQ(Status().protocolType, 4u);
}

TEST_F(SessionTest, TerminateEndsTheSessionButTheEmulatorKeepsItsState) {
    StartFirmware();
    ASSERT_EQ(Driver().terminate(), Q3V_SIM_OK);
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE);
    const char* const* channels = nullptr;
    ASSERT_EQ(Driver().initialise("SIMUSB", &channels), Q3V_SIM_OK);
    ASSERT_EQ(Driver().select(0), Q3V_SIM_OK);
    const Bytes reply = Transact(Hex("00 06 5A 01 00 06 A5 81"));
    ASSERT_EQ(reply.size(), 24u);
}

}  // namespace
}  // namespace emutest
