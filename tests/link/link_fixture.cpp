#include "tests/link/link_fixture.h"

#include "config/break_channels.h"
#include "link/firm_command.h"
#include "link/firm_state.h"
#include "link/flash_blocks.h"
#include "link/flash_mirror.h"
#include "link/link_state.h"
#include "link/monitor_data.h"
#include "link/monitor_run_state.h"
#include "link/monitor_services.h"
#include "target/target_vk3.h"
#include "config/session_settings.h"
#include "config/settings_files.h"
#include "config/target_config.h"

#include <cstdio>
#include <cstring>

namespace linktest {

namespace {

void SetAreas(DWORD firmwareTop, DWORD firmwareEnd, DWORD ramTop, DWORD flashTop, DWORD flashEnd,
              DWORD dataFlashTop, DWORD dataFlashEnd) {
    g_deviceAreas = {};
    g_deviceAreas[kAreaAse1] = {1, firmwareTop, firmwareEnd};
    g_deviceAreas[kAreaIio1] = {1, 0x0000, 0x02FF};
    g_deviceAreas[kAreaFir2] = {1, 0x0400, ramTop - 1};
    g_deviceAreas[kAreaFirm] = {1, ramTop, ramTop + 0x1FF};
    g_deviceAreas[kAreaFlas] = {1, flashTop, flashEnd};
    g_deviceAreas[kAreaDatf] = {1, dataFlashTop, dataFlashEnd};
    g_deviceAreas[kAreaAdp0] = {1, 0x00000, 0x0FFFF};
    g_deviceAreas[kAreaAdp1] = {1, 0x10000, 0x3FFFF};
    g_deviceAreas[kAreaAdpv] = {1, 0x11010, 0x1101F};
}

void SetBlocks(std::initializer_list<std::pair<DWORD, DWORD>> blocks) {
    DeviceValues& device = g_deviceValues;
    device.flashBlockTop.fill(0xFFFFFFFF);
    device.flashBlockEnd.fill(0xFFFFFFFF);
    device.eraseTable.fill(0);
    std::size_t i = 0;
    for (const auto& [top, end] : blocks) {
        device.flashBlockTop[i] = top;
        device.flashBlockEnd[i] = end;
        device.eraseTable[i] = end;
        ++i;
    }
    device.flashBlockCount = static_cast<DWORD>(i);
    device.eraseBlockCount = static_cast<DWORD>(i);
}

// The vector bytes of a firmware at top: each handler at top + 0x40 + 4n.
void SetVectors(DWORD top) {
    for (std::size_t i = 0; i < kVectorCount; ++i) {
        const DWORD handler = top + 0x40 + 4 * static_cast<DWORD>(i);
        g_deviceValues.vectors[i] = {static_cast<BYTE>(handler), static_cast<BYTE>(handler >> 8),
                                     static_cast<BYTE>(handler >> 16), 0};
    }
    const DWORD reset = top + 0x20;
    const DWORD jump = top + 0x24;
    g_deviceValues.firmResetAddr = {static_cast<BYTE>(reset), static_cast<BYTE>(reset >> 8),
                                    static_cast<BYTE>(reset >> 16), 0};
    g_deviceValues.firmJumpAddr = {static_cast<BYTE>(jump), static_cast<BYTE>(jump >> 8),
                                   static_cast<BYTE>(jump >> 16), 0};
}

}  // namespace

void UseDevice(Device device, DWORD protocolType) {
    g_protocolType = protocolType;
    g_swtiSupported = 0;
    g_emuSel = connect_mode::kEraseAndConnect;
    g_deviceValues = DeviceValues{};
    DeviceValues& values = g_deviceValues;
    values.powerSupply = 1;
    values.adpTsum = 0x3FFFC;
    values.mcuId = protocolType == 1 ? 2 : protocolType == 4 ? 8 : protocolType == 0 ? 1 : 4;
    values.firmDefaultTopAddr = 0xC000;
    // Offsets into the firmware image for the values the paged downloads
    // write: bytes of its filler, away from its header and entries.
    values.firmRamSet = 0x100;
    values.writeRamSet = 0x102;
    values.wdtInfoSet = 0x104;
    g_powerSupplySettings = PowerSupplySettings{};
    g_watchdogSettings = WatchdogSettings{};
    // The address-match break channels: one enable register, an address
    // register per channel.
    values.addressBreakCount = device == Device::Vk31D16 ? 2 : 8;
    for (std::size_t n = 0; n < kBreakChannelRegisters; ++n) {
        values.aier[n] = {0x0009, 1u << n};
        values.rmad[n] = 0x0010 + 4 * static_cast<DWORD>(n);
    }
    values.cpuType = "Vk31X";
    std::string name;
    switch (device) {
    case Device::Vk31D16:
        name = "VK31D16";
        SetAreas(0xF000, 0xFF7F, 0x0A00, 0x2400, 0xFFFF, 0x2400, 0x2BFF);
        SetBlocks({{0xC000, 0xDFFF}, {0xE000, 0xEFFF}, {0xF000, 0xFFFF}, {0x2400, 0x27FF}, {0x2800, 0x2BFF}});
        values.firmBlockNo = 2;
        values.setAddr = {0xFFE4, 0xFFE8, 0xFFEC, 0xFFF4, 0xFFF8, 0xFFDF, 0xFFFC};
        values.maxAddr = 0xFFFF;
        SetVectors(0xF000);
        break;
    case Device::Vk32D64:
        name = "VK32D64";
        SetAreas(0xFF000, 0xFFEFF, 0x13C00, 0x14000, 0xFFFFF, 0x14000, 0x14FFF);
        SetBlocks({{0xF0000, 0xF7FFF}, {0xF8000, 0xFBFFF}, {0xFC000, 0xFDFFF}, {0xFE000, 0xFEFFF},
                   {0xFF000, 0xFFFFF}, {0x14000, 0x147FF}, {0x14800, 0x14FFF}});
        values.firmBlockNo = 4;
        values.setAddr = {0xFFFE4, 0xFFFE8, 0xFFFEC, 0xFFFF4, 0xFFFF8, 0xFFFDF, 0xFFFFC};
        values.maxAddr = 0xFFFFF;
        SetVectors(0xFF000);
        break;
    case Device::Vk33D64:
        name = "VK33D64";
        SetAreas(0xFFF000, 0xFFFEFF, 0x2A00, 0xFF0000, 0xFFFFFF, 0xFF0000, 0xFF0000);
        SetBlocks({{0xFF0000, 0xFF7FFF}, {0xFF8000, 0xFFBFFF}, {0xFFC000, 0xFFFFFF}});
        values.firmBlockNo = 2;
        values.setAddr = {0xFFFFE4, 0xFFFFE8, 0xFFFFEC, 0xFFFFF4, 0xFFFFF8, 0xFFFFDF, 0xFFFFFC};
        values.maxAddr = 0xFFFFFF;
        SetVectors(0xFFF000);
        break;
    }
    values.deviceName = name;
    char text[160];
    std::snprintf(text, sizeof(text),
                  "device=%s;protocol=%u;board=powered;connector=connected;canary=0;pending=0;steps=1000;lockout=3;"
                  "flashbusy=0",
                  name.c_str(), static_cast<unsigned>(protocolType));
    EXPECT_EQ(emutest::Module().control.configure(text), Q3V_SIM_OK) << text;
}

std::string SimulatedDriverPath() {
    return testing_support::ProgramFolder() + "Q3vSimEmu.dll";
}

void LinkTest::SetUp() {
    ASSERT_TRUE(emutest::Module().error.empty()) << emutest::Module().error;
    ASSERT_EQ(Control().reset(), Q3V_SIM_OK);
    UseDevice(Device::Vk31D16, 1);
    ClearFrames();
    g_flashMirror.fill(0xFF);
    g_linkStopByte = 0;
    g_linkHold = 0;
    g_linkBreakFlag = 0;
    g_targetSuspendRequest = 0;
    std::snprintf(g_cnfPath, sizeof(g_cnfPath), "%sQ3VVK3.CNF", testing_support::ProgramFolder().c_str());
    host_.OpenSession(folder_.Windows(), "session");
    g_targetConfig = std::make_unique<CTargetConfig>();
    // The firmware command layer's shared state starts afresh.
    g_appliedBreakChannels = {};
    g_breakRegistersArmed = false;
    g_suspendState = SuspendState{};
    g_runMode = 72;
    g_flashBlocks = FlashBlockState{};
    g_monitorRunState = MonitorRunState{};
    g_launched = 0;
    g_monitorReplyState = 0;
    g_registerImage.fill(0);
    ASSERT_EQ(GetTarget()->Attach(&host_, 1), S_OK);
    Connect();
}

void LinkTest::StartFirmware() {
    ASSERT_EQ(Control().installFirmware(), Q3V_SIM_OK);
    Link().SetOpen(1);
    ClearFrames();
}

void LinkTest::Connect() {
    driver_.reset();
    CUleDrvFactory factory;
    driver_.reset(factory.CreateInterface(SimulatedDriverPath().c_str()));
    ASSERT_NE(driver_, nullptr);
    ASSERT_TRUE(driver_->IsBound());
    const char* const* channels = nullptr;
    ASSERT_EQ(driver_->Initialise("SIMUSB", &channels), 0u);
    ASSERT_EQ(driver_->Select(0), 0u);
    ASSERT_NE(g_emulatorLink, nullptr);
}

void LinkTest::TearDown() {
    if (HasFailure()) {
        char text[16384];
        Control().formatFrames(32, text, sizeof(text));
        std::printf("Last frames on the wire:\n%s", text);
    }
    driver_.reset();
    g_targetConfig.reset();
    SetMonitorServices({});
    GetTarget()->Detach(1);
}

void LinkTest::SteerModule(const emutest::SimModule& module) {
    control_ = &module.control;
    driverEntries_ = &module.driver;
}

void LinkTest::Configure(const std::string& text) {
    ASSERT_EQ(Control().configure(text.c_str()), Q3V_SIM_OK) << text;
}

void LinkTest::Inject(DWORD fault, DWORD value, DWORD count) {
    ASSERT_EQ(Control().injectFault(fault, value, count), Q3V_SIM_OK);
}

Q3vSimStatus LinkTest::Status() const {
    Q3vSimStatus status{};
    Control().getStatus(&status);
    return status;
}

Bytes LinkTest::ReadTarget(DWORD address, std::size_t count) const {
    Bytes bytes(count);
    Control().readTarget(address, bytes.data(), static_cast<DWORD>(count));
    return bytes;
}

Bytes LinkTest::ReadRegister(DWORD address) const {
    Bytes bytes(4, 0);
    DriverEntries().readMemory(4, bytes.data(), address, 4);
    return bytes;
}

std::vector<std::string> LinkTest::FramesIn() const {
    std::vector<std::string> frames;
    const DWORD count = Control().getFrameCount();
    for (DWORD i = 0; i < count; ++i) {
        Q3vSimFrameInfo info{};
        Bytes bytes(8192);
        if (Control().getFrame(i, &info, bytes.data(), static_cast<DWORD>(bytes.size())) == Q3V_SIM_OK &&
            info.direction == Q3V_SIM_FRAME_IN) {
            bytes.resize(info.length);
            frames.push_back(HexText(bytes));
        }
    }
    return frames;
}

std::vector<std::string> LinkTest::Wire() const {
    std::vector<std::string> lines;
    const DWORD count = Control().getFrameCount();
    for (DWORD i = 0; i < count; ++i) {
        Q3vSimFrameInfo info{};
        Bytes bytes(8192);
        if (Control().getFrame(i, &info, bytes.data(), static_cast<DWORD>(bytes.size())) != Q3V_SIM_OK) {
            continue;
        }
        bytes.resize(info.length);
        const char* arrow = info.direction == Q3V_SIM_FRAME_IN ? "-> " : info.direction == Q3V_SIM_FRAME_OUT ? "<- " : "-- ";
        lines.push_back(arrow + HexText(bytes));
    }
    return lines;
}

std::vector<std::string> LinkTest::Messages() const {
    std::vector<std::string> texts;
    for (const platform::MessageBoxRequest& box : ui_.MessageBoxes()) {
        texts.push_back(box.text);
    }
    return texts;
}

}  // namespace linktest
