// The link driven as the connect procedure will drive it, against the
// simulated emulator through its real driver module: the driver list scanned
// beside the program, the saved driver selected and initialised, the link
// opened and booted, then the firmware requests of a debugging session.
#include "link/driver_list.h"
#include "link/emu_response.h"
#include "link/emulator_link.h"
#include "link/firm_command.h"
#include "link/firm_state.h"
#include "link/flash_blocks.h"
#include "link/flash_mirror.h"
#include "link/frame_packet.h"
#include "link/link_results.h"
#include "link/ule_drv_interface.h"
#include "config/session_settings.h"
#include "tests/link/link_fixture.h"

#include "platform/module.h"
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <array>
#include <numeric>

namespace linktest {
namespace {

using namespace link_result;

constexpr char kSimulatedDriver[] = "Q3v Simulated Emulator";
constexpr std::size_t kPc = 14;

class LinkRoad : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        driver_.reset();
        g_driverFactory = new CUleDrvFactory;
        g_driverList = new CDriverList;
        // The plug-in's folder for this test: the simulated driver alone,
        // whose emulator the test steers.
        const auto source = platform::ToNativePath(SimulatedDriverPath());
        ASSERT_TRUE(source.has_value());
        std::filesystem::copy_file(*source, folder_.Native() / "Q3vSimEmu.dll");
        copy_ = emutest::LoadSimModule(folder_.Windows("Q3vSimEmu.dll"));
        ASSERT_TRUE(copy_.error.empty()) << copy_.error;
        SteerModule(copy_);
    }
    void TearDown() override {
        delete g_driverList;
        g_driverList = nullptr;
        delete g_driverFactory;
        g_driverFactory = nullptr;
        LinkTest::TearDown();
        SteerModule(emutest::Module());
        if (copy_.module != nullptr) {
            FreeLibrary(copy_.module);
        }
    }
    CEmulatorLink& Session() { return *g_emulatorLink; }

    emutest::SimModule copy_;
};

TEST_F(LinkRoad, ADebuggingSessionFromTheDriverListToTheFramePacket) {
    // The driver list finds the simulated driver beside the plug-in and
    // takes the selection saved for it.
    SessionIniWriteString("Driver Configuration", kSimulatedDriver,
                          "SIMUSB,0,device=VK31D16;protocol=1;board=powered;connector=connected;canary=1;"
                          "pending=2;steps=1000;lockout=3");
    ASSERT_TRUE(g_driverList->Scan(copy_.module));
    ASSERT_EQ(g_driverList->GetCount(), 1u);
    ASSERT_EQ(g_driverList->GetAt(0), kSimulatedDriver);
    ASSERT_EQ(g_driverList->SelectDriver(0), 0u);
    ASSERT_NE(g_currentDriver, nullptr);
    ASSERT_NE(g_emulatorLink, nullptr);
    ASSERT_NE(g_emuResponse, nullptr);
    EXPECT_EQ(g_driverList->ConfigurationKind(), CDriverList::kKindReady);
    ASSERT_EQ(Control().reset(), Q3V_SIM_OK);  // the canary takes effect at power-on

    // Boot: open, unlock, the flash writer, the firmware.
    ASSERT_EQ(Session().Open(), kOk);
    ASSERT_EQ(Session().UnlockWithIdCode(), kOk);
    const auto writerImage = emutest::LoadSRecords("WTR_KQ14.mot");
    const Bytes writer = emutest::Slice(writerImage, writerImage.begin()->first, writerImage.size());
    ASSERT_EQ(Session().SetDataBlock(0, static_cast<WORD>(writer.size()), writer.data()), kOk);
    ASSERT_EQ(Session().SendDataBlock(), kOk);
    ASSERT_EQ(Session().DownloadFirmware(0), kOk);
    ASSERT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE);

    CFirmCommand session;
    std::array<BYTE, 13> version{};
    ASSERT_EQ(session.ReadVersion(version), kOk);
    EXPECT_STREQ(reinterpret_cast<const char*>(version.data()), "Q3vKQ14V1.00");

    // The flash mirror, loaded from the chip.
    session.ResetFlashBlocks();
    ASSERT_EQ(session.RefreshFlashMirror(), kOk);
    EXPECT_EQ(g_flashMirror[0xF000], 'Q');

    // Memory in pieces with every access code.
    Bytes canary(200);
    ASSERT_EQ(session.ReadMemory(access_code::kByte, 0x400, 200, canary.data()), kOk);
    EXPECT_EQ(canary[0], 0x01) << "RAM holds its address plus one";
    EXPECT_EQ(canary[199], static_cast<BYTE>(0x400 + 199 + 1));
    for (const DWORD access : {access_code::kByte, access_code::kWord, access_code::kAddress, access_code::kLong,
                               access_code::kDouble}) {
        Bytes data(240);
        std::iota(data.begin(), data.end(), static_cast<BYTE>(access >> 8));
        std::copy(data.begin(), data.end(), g_firmWriteData.begin());
        ASSERT_EQ(session.WriteMemory(access, 0x600, 240, 1), kOk);
        Bytes read(240);
        ASSERT_EQ(session.ReadMemory(access, 0x600, 240, read.data()), kOk);
        EXPECT_EQ(read, data);
        EXPECT_EQ(ReadTarget(0x600, 240), data);
    }
    Bytes top(16, 0);
    ASSERT_EQ(session.ReadMemory(access_code::kWord, 0x10000, 16, top.data()), kOk);
    EXPECT_EQ(top, Bytes(16, 0xFF)) << "above the top address";

    // The registers.
    std::array<DWORD, 20> registers{};
    std::iota(registers.begin(), registers.end(), DWORD{0x1000});
    ASSERT_EQ(session.WriteRegisterFile(registers), kOk);
    std::array<DWORD, 20> read{};
    ASSERT_EQ(session.ReadRegisterFile(read), kOk);
    EXPECT_EQ(read, registers);

    // A program in flash: changed in the mirror, written back before the go,
    // and stopped at its break instruction.
    const Bytes program = {0x04, 0x04, 0x00};
    std::copy(program.begin(), program.end(), g_firmWriteData.begin());
    ASSERT_EQ(session.WriteMemory(access_code::kByte, 0xC000, 3, 0), kOk);
    EXPECT_EQ(ReadTarget(0xC000, 3), Bytes(3, 0xFF)) << "only the mirror has it so far";
    EXPECT_EQ(g_flashBlocks.dirty[0], 1);
    const DWORD pc = 0xC000;
    ASSERT_EQ(session.SetRegister(28, &pc), kOk);
    ASSERT_EQ(CFirmCommand().StartExecution(run_mode::kGo), kOk);
    EXPECT_EQ(HostReports(), (std::vector<std::string>{" Flash memory writing ... ", " Flash memory write end "}));
    EXPECT_EQ(ReadTarget(0xC000, 3), program);
    ASSERT_EQ(Session().QueryRunState(0), kOk);
    EXPECT_EQ(Bytes(g_firmReplyBuffer.begin() + 6, g_firmReplyBuffer.begin() + 11),
              Bytes({'I', 'B', 0x02, 0xC0, 0x00}))
        << "stopped by the break instruction at C002";
    ASSERT_EQ(session.ReadRegisterFile(read), kOk);
    EXPECT_EQ(read[kPc], 0xC002u);

    // The CPU reset.
    EXPECT_EQ(session.ResetTarget(), kOk);
    ASSERT_EQ(session.ReadRegisterFile(read), kOk);
    EXPECT_EQ(read[kPc], 0u) << "the CPU came out of its reset";

    // The boot sequence's '#' packet.
    const EventPacketItem items[] = {{0x0020, 'B', 0, 0x81, 0x00}};
    CEventFramePacket packet(&Session(), 1, 1, items);
    EXPECT_EQ(packet.Send(), 1u);
    EXPECT_EQ(ReadTarget(0x0020, 1)[0] & 0x81, 0x81);

    EXPECT_FALSE(Session().IsLinkLost());
    EXPECT_TRUE(Messages().empty()) << Messages().front();
    g_driverList->ReleaseCurrentDriver();
    EXPECT_EQ(g_emulatorLink, nullptr);
}

}  // namespace
}  // namespace linktest
