// The connect on the real road: the simulated host's services, the plug-in
// module's own target object, and the simulated emulator's module found by
// the driver scan beside the plug-in. Until the status handlers exist the host's initialisation fails before it connects,
// so the test makes the configuration handler (which runs the start-up
// device selection), connects and tears down through the target's own
// operations. Folders of copied modules and data files give the variants:
// the event-function firmware, a missing or oversized flash-write program
// and a plug-in without any driver beside it.
#include "tests/road/road_session.h"

#include "frame/error_codes.h"
#include "frame/target_handler.h"
#include "res/resource_ids.h"
#include "target/target_vk3.h"
#include "tests/emulator/sim_emulator.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_ui.h"

#include "platform/bstr.h"
#include "platform/clock.h"
#include "platform/common_controls.h"
#include "platform/files.h"
#include "platform/module.h"
#include "platform/paths.h"
#include "platform/profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

namespace {

using emutest::Bytes;
using roadtest::Lines;

constexpr char kSimulatedDriver[] = "Q3v Simulated Emulator";
constexpr char kWriter[] = " Downloading Flash memory write program";
constexpr char kFirmwareFile[] = " Downloading firmware file";

// The files a plug-in folder holds: the modules and the data files.
const char* const kModules[] = {"Q3vVk3.dll", "Q3vVk3ExtRes.dll"};
const char* const kDataFiles[] = {"Q3VVK3.CNF",   "VK31X.cnf",    "PgDef.ini",           "frm_kq14.fif",
                                  "frm_kq14.sys", "WTR_KQ14.mot", "ADPFiles\\MonpMain.mot", "ADPFiles\\AdpErase.mot",
                                  "ADPFiles\\AdpWrite.mot", "ADPFiles\\Q3vdp.mot"};

std::string ReadNative(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::filesystem::path ProgramFile(const std::string& name) {
    return *platform::ToNativePath(testing_support::ProgramFolder() + name);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// An S1 record of the bytes at the address.
std::string S1(unsigned address, const Bytes& data) {
    unsigned sum = static_cast<unsigned>(data.size()) + 3 + (address >> 8) + (address & 0xFF);
    char text[16];
    std::snprintf(text, sizeof(text), "S1%02X%04X", static_cast<unsigned>(data.size() + 3), address);
    std::string line = text;
    for (const std::uint8_t byte : data) {
        std::snprintf(text, sizeof(text), "%02X", byte);
        line += text;
        sum += byte;
    }
    std::snprintf(text, sizeof(text), "%02X\r\n", ~sum & 0xFF);
    return line + text;
}

class ConnectRoad : public roadtest::RoadSession {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(UseFreshEmulator(emutest::Module())); }
    void TearDown() override {
        RoadSession::TearDown();
        if (copy_.module != nullptr) {
            FreeLibrary(copy_.module);
        }
    }

    // The emulator reset, its frame log empty.
    void UseFreshEmulator(const emutest::SimModule& module) {
        ASSERT_NO_FATAL_FAILURE(UseEmulator(module, roadtest::kDemoSettingsLongRun));
        control_->clearFrames();
    }
    // A plug-in folder of its own: the modules, the data files as edits
    // say, and the emulator's module unless it is left out.
    std::string MakePluginFolder(const std::map<std::string, std::function<std::string(std::string)>>& edits,
                                 bool withDriver = true) {
        std::filesystem::create_directories(plugin_.Native() / "ADPFiles");
        for (const char* name : kModules) {
            std::filesystem::copy_file(ProgramFile(name), plugin_.Native() / name);
        }
        for (std::string name : kDataFiles) {
            std::string text = ReadNative(ProgramFile(name));
            if (const auto edit = edits.find(name); edit != edits.end()) {
                text = edit->second(text);
            }
            std::replace(name.begin(), name.end(), '\\', '/');
            plugin_.Write(name, text);
        }
        if (withDriver) {
            std::filesystem::copy_file(ProgramFile("Q3vSimEmu.dll"), plugin_.Native() / "Q3vSimEmu.dll");
            copy_ = emutest::LoadSimModule(plugin_.Windows("Q3vSimEmu.dll"));
            EXPECT_TRUE(copy_.error.empty()) << copy_.error;
            UseFreshEmulator(copy_);
        }
        return plugin_.Windows("Q3vVk3.dll");
    }
    // The simulated host with the plug-in (from its own folder, or beside
    // the test program) attached and a session open.
    void StartHost(const std::string& pluginPath = {}) {
        ASSERT_NO_FATAL_FAILURE(LoadHost(pluginPath));
        host_->Services().DeviceDescription().SetDescription(roadtest::kDemoDescription);
        attached_ = host_->Services().Registrations().size();
        ASSERT_NO_FATAL_FAILURE(FindTarget());
    }
    void QueueConnecting() {
        ui_.OnDialog(res_id::kConnectingDialog).WaitForClose().AtClose([this](platform::UiDialog& dialog) {
            log_ = dialog.Text(res_id::kConnectLog);
            playing_ = ::SendMessageA(dialog.Control(res_id::kConnectAnimation), ACM_ISPLAYING, 0, 0) != 0;
        });
    }
    // The host starts its target session: the configuration handler with
    // its device selection, the connect, the handlers opened. 1 when it
    // connected; a failed start leaves nothing behind.
    DWORD RunConnect(bool queue = true) {
        if (queue) {
            QueueConnecting();
        }
        messagesBefore_ = ui_.MessageBoxes().size();
        const HRESULT started = host_->StartTargetSession();
        if (FAILED(started)) {
            EXPECT_EQ(host_->Services().Registrations().size(), attached_) << "nothing left registered";
        }
        return SUCCEEDED(started) ? 1 : 0;
    }
    // The host ends it: disconnected, every handler and session object
    // gone, no registration left.
    void EndSession() override {
        RoadSession::EndSession();
        EXPECT_EQ(host_->Services().Registrations().size(), attached_);
    }
    Lines LogLines() const {
        Lines lines;
        std::size_t start = 0;
        while (start < log_.size()) {
            const std::size_t end = log_.find("\r\n", start);
            lines.push_back(log_.substr(start, end - start));
            start = end == std::string::npos ? log_.size() : end + 2;
        }
        return lines;
    }
    Lines ConnectMessages() const {
        Lines texts;
        const auto boxes = ui_.MessageBoxes();
        for (std::size_t i = messagesBefore_; i < boxes.size(); ++i) {
            texts.push_back(boxes[i].text);
        }
        return texts;
    }
    // A connect to a factory-fresh emulator that succeeds, to find where
    // frame falls among its frames (each exchange a transmit and a receive);
    // then one to a fresh emulator again with the connector taken away by
    // the reply before that frame, which comes late enough for the connector
    // to be looked at again, its questions answered as given and the
    // connector back once the connecting dialog has closed: it fails with
    // the boxes expected.
    void ExpectOneFailureMessage(const std::string& frame, const std::vector<int>& answers, const Lines& boxes) {
        ASSERT_EQ(control_->reset(), Q3V_SIM_OK);
        control_->clearFrames();
        ASSERT_EQ(RunConnect(), 1u);
        EndSession();
        const Lines frames = FramesIn();
        const auto found = std::find(frames.begin(), frames.end(), frame);
        ASSERT_NE(found, frames.end()) << frame;
        const DWORD replyBefore = 2 * static_cast<DWORD>(found - frames.begin());
        ASSERT_EQ(control_->reset(), Q3V_SIM_OK);
        ASSERT_EQ(control_->injectFaultAfter(replyBefore, Q3V_SIM_FAULT_DELAY, 600, 1), Q3V_SIM_OK);
        ASSERT_EQ(control_->injectFaultAfter(replyBefore, Q3V_SIM_FAULT_CONNECTOR, 1, 0), Q3V_SIM_OK);
        for (const int answer : answers) {
            ui_.AnswerNextMessageBox(answer);
        }
        ui_.OnDialog(res_id::kConnectingDialog).WaitForClose().AtClose([this](platform::UiDialog&) {
            EXPECT_EQ(control_->injectFault(Q3V_SIM_FAULT_CONNECTOR, 0, 0), Q3V_SIM_OK);
        });
        EXPECT_EQ(RunConnect(false), 0u) << frame;
        EXPECT_EQ(ConnectMessages(), boxes) << frame;
        ASSERT_EQ(control_->clearFaults(), Q3V_SIM_OK);
    }
    // The firmware as linked, relocated to the firmware area.
    static Bytes FirmwareImage() { return emutest::Slice(emutest::LoadSRecords("frm_kq14.sys"), 0xC000, 0x400); }

    testing_support::TempFolder plugin_;
    emutest::SimModule copy_;
    std::size_t attached_ = 0;
    std::size_t messagesBefore_ = 0;
    std::string log_;
    bool playing_ = false;
};

TEST_F(ConnectRoad, TwoSessionsTheFirstChoosingEverythingTheSecondFromTheSavedChoices) {
    StartHost();
    ExpectWizard(res_id::kModeErase);
    EXPECT_EQ(RunConnect(), 1u);
    EXPECT_EQ(LogLines(), (Lines{kWriter, " Flash memory erasing ... ", " Flash memory erasing ... OK"}));
    EXPECT_TRUE(playing_);
    EXPECT_TRUE(ConnectMessages().empty());
    ASSERT_EQ(ui_.Dialogs().size(), 2u) << "the wizard and the connecting dialog: the driver needs no dialog";
    EXPECT_EQ(ui_.Dialogs()[1].caption, "Connecting");
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE);
    EXPECT_EQ(ReadTarget(0xF000, 0x400), FirmwareImage()) << "the firmware runs from its area";
    EXPECT_EQ(ReadTarget(0xFFFC, 3), (Bytes{0x20, 0xF0, 0x00}));
    EXPECT_EQ(Saved("Target", "Vk3 Q3v SYSTEM"), kSimulatedDriver);
    EXPECT_EQ(Saved("Driver Configuration", kSimulatedDriver).rfind("SIMUSB,0,device=VK31D16;", 0), 0u);
    EXPECT_EQ(target_->GetDriverName(), kSimulatedDriver);
    EndSession();
    EXPECT_EQ(host_->EndTargetSession(), S_OK) << "nothing left to end";

    // The second session: the saved device, connect mode and driver.
    EXPECT_EQ(RunConnect(), 1u);
    EXPECT_EQ(ui_.Dialogs().size(), 3u) << "only the connecting dialog";
    EXPECT_TRUE(ConnectMessages().empty());
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE);
    EndSession();
}

TEST_F(ConnectRoad, AnOlderAdapterProgramIsUpdatedAndTheConnectCompletes) {
    // The adapter program's version made older, its checksum fixed.
    Bytes older = {'Q', '3', 'v', 'A', 'D', 'P', ' ', 'V', '0', '.', '9', '0'};
    older.resize(16, 0);
    ASSERT_EQ(control_->writeEmulator(0x11010, older.data(), 16), Q3V_SIM_OK);
    Bytes program(0x3FFFC - 0x10000);
    ASSERT_EQ(control_->readEmulator(0x10000, program.data(), static_cast<DWORD>(program.size())), Q3V_SIM_OK);
    DWORD sum = 0;
    for (const std::uint8_t byte : program) {
        sum += byte;
    }
    const Bytes sumBytes = {static_cast<std::uint8_t>(sum), static_cast<std::uint8_t>(sum >> 8),
                            static_cast<std::uint8_t>(sum >> 16), static_cast<std::uint8_t>(sum >> 24)};
    ASSERT_EQ(control_->writeEmulator(0x3FFFC, sumBytes.data(), 4), Q3V_SIM_OK);

    StartHost();
    ExpectWizard(res_id::kModeErase);
    ui_.AnswerNextMessageBox(IDOK);
    EXPECT_EQ(RunConnect(), 1u);
    EXPECT_EQ(ConnectMessages(), Lines{"A newer version of Emulator firmware is available. \nUpdate now?"});
    Bytes version(16);
    ASSERT_EQ(control_->readEmulator(0x11010, version.data(), 16), Q3V_SIM_OK);
    EXPECT_EQ(std::string(version.begin(), version.begin() + 12), "Q3vADP V1.00") << "rewritten from the file";
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE);
    EndSession();

    // Equal versions pass without a word.
    EXPECT_EQ(RunConnect(), 1u);
    EXPECT_TRUE(ConnectMessages().empty());
    EndSession();
}

TEST_F(ConnectRoad, TheEventFunctionFirmwareIsWrittenWithBootPackets) {
    const std::string plugin = MakePluginFolder({
        {"frm_kq14.fif", [](std::string text) { return Replaced(text, "SWTI=0", "SWTI=1"); }},
        // The boot packets erase at even addresses: each block's end - 1.
        {"VK31X.cnf", [](std::string text) { return Replaced(text, "ERASEBLOCK=00000005", "ERASEBLOCK=00000000"); }},
        {"Q3VVK3.CNF",
         [](std::string text) { return Replaced(text, "ERASEBLOCK=00000005", "ERASEBLOCK=00000000"); }},
    });
    StartHost(plugin);
    ExpectWizard(res_id::kModeErase);
    EXPECT_EQ(RunConnect(), 1u);
    EXPECT_EQ(LogLines(), (Lines{kWriter, kFirmwareFile, " Flash memory erasing ... ", " Flash memory erasing ... OK",
                                 " Flash memory writing ... ", " Flash memory writing ... OK"}));
    EXPECT_TRUE(ConnectMessages().empty());
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE);
    EXPECT_EQ(ReadTarget(0xF000, 0x400), FirmwareImage());
    EXPECT_EQ(ReadTarget(0xFFFC, 3), (Bytes{0x20, 0xF0, 0x00}));
    // The packets, byte for byte: the erases, the image write (the firmware
    // area and the block of the vector area) and the jump.
    Lines frames = FramesIn();
    const auto first = std::find(frames.begin(), frames.end(), "00 06 45 FE DF 00 00 81");
    ASSERT_NE(first, frames.end());
    frames.erase(frames.begin(), first);
    ASSERT_GT(frames.size(), 5u + 1 + 32 + 1 + 1) << "erases, W, records, close, go; then the monitor's requests";
    EXPECT_EQ(Lines(frames.begin(), frames.begin() + 5),
              (Lines{"00 06 45 FE DF 00 00 81", "00 06 45 FE EF 00 00 81", "00 06 45 FE FF 00 00 81",
                     "00 06 45 FE 27 00 00 81", "00 06 45 FE 2B 00 00 81"}));
    EXPECT_EQ(frames[5], "00 02 57 81");
    for (unsigned i = 0; i < 32; ++i) {
        const unsigned address = i < 31 ? 0xF000 + 128 * i : 0xFF80;
        char prefix[32];
        std::snprintf(prefix, sizeof(prefix), "00 86 %02X %02X 00 00", address & 0xFF, address >> 8);
        EXPECT_EQ(frames[6 + i].rfind(prefix, 0), 0u) << i;
    }
    EXPECT_EQ(frames[38], "00 02 11 81");
    EXPECT_EQ(frames[39], "00 06 46 24 F0 00 00 81") << "to FIRM JUMP ADDR";
    EndSession();
}

TEST_F(ConnectRoad, TheEventFunctionFirmwareKeepsTheUsersFlashOrErasesIt) {
    const auto edit = [](std::string text) { return Replaced(text, "ERASEBLOCK=00000005", "ERASEBLOCK=00000000"); };
    const std::string plugin = MakePluginFolder({
        {"frm_kq14.fif", [](std::string text) { return Replaced(text, "SWTI=0", "SWTI=1"); }},
        {"VK31X.cnf", edit},
        {"Q3VVK3.CNF", edit},
    });
    const Bytes user = {0x04, 0xFE, 0xFD, 0x04};
    control_->writeTarget(0xC000, user.data(), 4);
    control_->writeTarget(0xF800, user.data(), 4);
    StartHost(plugin);
    ExpectWizard(res_id::kModeKeepFlash);
    EXPECT_EQ(RunConnect(), 1u);
    EXPECT_EQ(LogLines(), (Lines{kWriter, kFirmwareFile, " Flash memory reading ... ", " Flash memory reading ... OK",
                                 " Flash memory erasing ... ", " Flash memory erasing ... OK",
                                 " Flash memory writing ... ", " Flash memory writing ... OK"}));
    EXPECT_TRUE(ConnectMessages().empty());
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE);
    EXPECT_EQ(ReadTarget(0xC000, 4), user) << "outside the firmware's blocks";
    EXPECT_EQ(ReadTarget(0xF800, 4), user) << "inside the firmware's block, beyond its image: written back";
    EXPECT_EQ(ReadTarget(0xF000, 0x400), FirmwareImage());
    EndSession();

    // Programming the flash: every block erased, no firmware.
    ASSERT_EQ(::WritePrivateProfileStringA("CPU_SELECT", "EMUSEL", "2", session_.Windows("sess.ini").c_str()),
              TRUE);
    control_->clearFrames();
    // The vectors' high bytes, which the firmware's vectors wrote as 0, are
    // ID-code bytes: the code is asked for.
    QueueConnecting();
    std::string code;
    for (const DWORD offset : {0u, 4u, 12u, 16u, 20u, 24u, 28u}) {
        code += emutest::HexText(ReadTarget(0xFFDF + offset, 1));
    }
    EXPECT_EQ(code, "FFFF0000FF0000");
    ui_.OnDialog(res_id::kIdCodeDialog).SetText(res_id::kIdCodeText, code).PressOk();
    EXPECT_EQ(RunConnect(false), 1u);
    EXPECT_EQ(LogLines(), (Lines{kWriter, " Flash memory erasing ... ", " Flash memory erasing ... OK"}));
    EXPECT_EQ(ReadTarget(0xC000, 4), Bytes(4, 0xFF));
    EXPECT_EQ(ReadTarget(0xF000, 4), Bytes(4, 0xFF));
    const Lines frames = FramesIn();
    EXPECT_EQ(std::count_if(frames.begin(), frames.end(), [](const std::string& f) { return f.rfind("00 86", 0) == 0; }),
              0);
    EndSession();
}

TEST_F(ConnectRoad, AMissingFlashWriteProgramReleasesTheDriver) {
    const std::string plugin = MakePluginFolder({});
    const std::filesystem::path writer = plugin_.Native() / "WTR_KQ14.mot";
    const std::string kept = ReadNative(writer);
    std::filesystem::remove(writer);
    StartHost(plugin);
    ExpectWizard(res_id::kModeErase);
    EXPECT_EQ(RunConnect(), 0u);
    EXPECT_EQ(ConnectMessages(), Lines{"Can't find Flash memory write program"});
    EXPECT_EQ(Saved("EMULATOR_SETTING", "HIDE_DIALOG"), "0");
    EXPECT_TRUE(LogLines().empty());
    EndSession();

    // The next connect chooses the driver again and, with the file back,
    // completes; the selection sheet is shown again first.
    plugin_.Write("WTR_KQ14.mot", kept);
    ui_.OnDialog("Emulator Setting").Check(res_id::kHideSheetCheck).PressOk();
    EXPECT_EQ(RunConnect(), 1u);
    EXPECT_TRUE(ConnectMessages().empty());
    EndSession();
}

TEST_F(ConnectRoad, AFlashWriteProgramOfMoreThanOneBlockFails) {
    Bytes page(128);
    std::iota(page.begin(), page.end(), std::uint8_t{0});
    std::string twoBlocks = "S00600004844521B\r\n" + S1(0x0400, page) + S1(0x0600, page) + "S9030000FC\r\n";
    std::string tooLong = "S00600004844521B\r\n";
    for (unsigned address = 0x0400; address < 0x0400 + 2048; address += 128) {
        tooLong += S1(address, page);  // adjacent, 2,048 bytes in all
    }
    tooLong += "S9030000FC\r\n";
    for (const std::string& file : {twoBlocks, tooLong}) {
        const std::string plugin = MakePluginFolder({{"WTR_KQ14.mot", [&](std::string) { return file; }}});
        StartHost(plugin);
        ExpectWizard(res_id::kModeErase);
            EXPECT_EQ(RunConnect(), 0u);
        EXPECT_EQ(ConnectMessages(), Lines{"Boot failed !"});
        EXPECT_EQ(LogLines(), Lines{kWriter});
        EXPECT_EQ(Saved("EMULATOR_SETTING", "HIDE_DIALOG"), "0");
        EndSession();
        host_->Unload();
        host_.reset();
        FreeLibrary(copy_.module);
        copy_ = {};
        std::filesystem::remove_all(plugin_.Native());
        std::filesystem::create_directories(plugin_.Native());
        std::filesystem::remove(session_.Native() / "sess.ini");
    }
}

// The connector comes out just before a step of the connect: the connect
// asks with "Connector disconnected" (a question, answered Retry and then
// Cancel, or Cancel at once) and then fails with exactly one failure
// message, the boot's own, since no step showed an error of its own. The
// plain boot at the firmware's version check, the event-function boot at
// its first flash erase.
TEST_F(ConnectRoad, AFailedConnectAfterAConnectorQuestionEndsWithOneFailureMessage) {
    StartHost();
    ExpectWizard(res_id::kModeErase);
    const Lines boxes = {"Connector disconnected", "Connector disconnected", "Boot failed !"};
    ExpectOneFailureMessage("00 06 5A 01 00 06 A5 81", {IDRETRY, IDCANCEL}, boxes);
    // A failed connect shows the selection sheet again the next time.
    ui_.OnDialog("Emulator Setting").Check(res_id::kHideSheetCheck).PressOk();
    ExpectOneFailureMessage("00 06 5A 01 00 06 A5 81", {IDCANCEL}, Lines(boxes.begin() + 1, boxes.end()));
}

TEST_F(ConnectRoad, AFailedEventFunctionBootAfterAConnectorQuestionEndsWithOneFailureMessage) {
    const auto edit = [](std::string text) { return Replaced(text, "ERASEBLOCK=00000005", "ERASEBLOCK=00000000"); };
    StartHost(MakePluginFolder({
        {"frm_kq14.fif", [](std::string text) { return Replaced(text, "SWTI=0", "SWTI=1"); }},
        {"VK31X.cnf", edit},
        {"Q3VVK3.CNF", edit},
    }));
    ExpectWizard(res_id::kModeErase);
    ExpectOneFailureMessage("00 06 45 FE DF 00 00 81", {IDCANCEL},
                            {"Connector disconnected", "Error downloading firmware file"});
}

TEST_F(ConnectRoad, WithoutADriverModuleTheConnectEndsAtOnce) {
    const std::string plugin = MakePluginFolder({}, false);
    StartHost(plugin);
    ExpectWizard(res_id::kModeErase);
    control_->clearFrames();
    EXPECT_EQ(RunConnect(), 0u);
    EXPECT_EQ(ConnectMessages(), Lines{"No valid driver DLLs exist"});
    EXPECT_FALSE(playing_) << "the animation stopped";
    EXPECT_TRUE(LogLines().empty());
    EXPECT_EQ(Saved("EMULATOR_SETTING", "HIDE_DIALOG"), "0");
    EXPECT_EQ(control_->getFrameCount(), 0u);
    EndSession();
}

}  // namespace
