#include "tests/road/road_session.h"

#include "res/resource_ids.h"
#include "tests/support/await.h"

#include "platform/host/target_interfaces.h"
#include "platform/profile.h"

namespace roadtest {

void AttachPlugin(simhost::SimHost& host) {
    ASSERT_TRUE(host.Load()) << host.LoadError();
    ASSERT_EQ(host.RegisterLibrary(), S_OK);
    ASSERT_EQ(host.AttachComponents(), S_OK);
}

void RoadSession::TearDown() {
    if (started_) {
        EndSession();
    }
    if (host_ != nullptr) {
        host_->Unload();
    }
}

void EmulatorRoad::UseEmulator(const emutest::SimModule& module, const char* settings) {
    ASSERT_TRUE(module.error.empty()) << module.error;
    control_ = &module.control;
    ASSERT_EQ(control_->reset(), Q3V_SIM_OK);
    ASSERT_EQ(control_->configure(settings), Q3V_SIM_OK);
}

void RoadSession::UseDevice(const char* device) {
    if (device != std::string("VK31D16")) {
        ASSERT_EQ(control_->configure(("device=" + std::string(device)).c_str()), Q3V_SIM_OK);
    }
}

void RoadSession::WriteProgram(const std::map<std::uint32_t, std::uint8_t>& program) {
    for (const auto& [address, byte] : program) {
        ASSERT_EQ(control_->writeTarget(address, &byte, 1), Q3V_SIM_OK);
    }
}

void RoadSession::UseDemoEmulator() {
    ASSERT_NO_FATAL_FAILURE(UseEmulator(emutest::Module(), kDemoSettings));
    ASSERT_NO_FATAL_FAILURE(WriteProgram(emutest::LoadSRecords("Vk3Demo.mot")));
}

void RoadSession::LoadHost(const std::string& pluginPath) {
    host_ = std::make_unique<simhost::SimHost>(pluginPath);
    ASSERT_NO_FATAL_FAILURE(AttachPlugin(*host_));
    host_->Services().OpenSession(session_.Windows(), "sess");
}

void RoadSession::FindTarget() {
    IHTarget* target = nullptr;
    ASSERT_EQ(host_->QueryPluginInterface(IID_IHTarget, reinterpret_cast<void**>(&target)), S_OK);
    target_ = static_cast<CTargetVk3*>(target);
}

void RoadSession::Session(const char* section, const char* key, const char* value) {
    ASSERT_TRUE(WritePrivateProfileStringA(section, key, value, session_.Windows("sess.ini").c_str()));
}

std::string RoadSession::Saved(const char* section, const char* key) const {
    char text[256] = "";
    GetPrivateProfileStringA(section, key, "<none>", text, sizeof(text), session_.Windows("sess.ini").c_str());
    return text;
}

void RoadSession::NameDevice(const char* group, const char* device, const char* emuSel) {
    Session("CPU_SELECT", "MCU_GROUP", group);
    Session("CPU_SELECT", "DEVICE", device);
    Session("CPU_SELECT", "EMUSEL", emuSel);
    Session("EMULATOR_SETTING", "HIDE_DIALOG", "1");
}

platform::ScriptedUiDriver::DialogScript& RoadSession::ChooseDemoDevice(int mode) {
    return ui_.OnDialog("Emulator Setting")
        .Select(res_id::kMcuGroup, "VK31X")
        .Select(res_id::kDevice, "VK31D16")
        .Pick(mode);
}

void RoadSession::ExpectWizard(int mode) {
    ChooseDemoDevice(mode).Next().Next().Check(res_id::kHideSheetCheck).Finish();
}

void RoadSession::ExpectSheet(int mode) { ChooseDemoDevice(mode).Check(res_id::kHideSheetCheck).PressOk(); }

HRESULT RoadSession::StartTarget() {
    ui_.OnDialog(res_id::kConnectingDialog).WaitForClose();
    const HRESULT result = host_->StartTargetSession();
    started_ = SUCCEEDED(result);
    return result;
}

void RoadSession::EndSession() {
    EXPECT_EQ(host_->EndTargetSession(), S_OK);
    started_ = false;
}

HRESULT RoadSession::StartOnGroup(const char* group, DWORD isp) {
    NameDevice(group, "VK31D16", "1");
    Session("USER_DATA", "RESET", "c000");
    LoadHost();
    if (HasFatalFailure()) {
        return E_FAIL;
    }
    const HRESULT result = StartTarget();
    if (FAILED(result)) {
        return result;
    }
    FindTarget();
    if (HasFatalFailure()) {
        return E_FAIL;
    }
    OpenExec();
    if (HasFatalFailure()) {
        return E_FAIL;
    }
    AtEntry(0xC000, isp);
    return result;
}

void RoadSession::OpenExec() {
    CTargetExec* handler = target_->GetExecHandler();
    ASSERT_NE(handler, nullptr);
    ASSERT_EQ(handler->QueryInterface(IID_IHTExec2, reinterpret_cast<void**>(&exec_)), S_OK);
    ASSERT_EQ(host_->GiveRegisterArray(), S_OK);
}

void RoadSession::AtEntry(DWORD pc, DWORD isp) {
    Registers().SetValue(kPcRegister, pc);
    Registers().SetValue(kIspRegister, isp);
}

void RoadSession::AwaitEnd() {
    testing_support::YieldWhile([&] { return Busy(); });
    ASSERT_FALSE(Busy()) << "the run never ended";
}

void RoadSession::AwaitRunning() {
    testing_support::YieldWhile([&] { return Handler().IsWaiting() == 0; });
    ASSERT_EQ(Handler().IsWaiting(), 1u);
}

void RoadSession::GoAndHalt() {
    ASSERT_EQ(exec_->Go(), S_OK);
    AwaitRunning();
    EXPECT_EQ(exec_->Halt(), S_OK);
    AwaitEnd();
}

Lines RoadSession::Messages() const {
    Lines texts;
    for (const auto& box : ui_.MessageBoxes()) {
        texts.push_back(box.text);
    }
    return texts;
}

Q3vSimStatus EmulatorRoad::Status() const {
    Q3vSimStatus status{};
    control_->getStatus(&status);
    return status;
}

emutest::Bytes EmulatorRoad::ReadTarget(DWORD address, std::size_t count) const {
    emutest::Bytes bytes(count);
    control_->readTarget(address, bytes.data(), static_cast<DWORD>(count));
    return bytes;
}

void EmulatorRoad::PutTarget(DWORD address, const emutest::Bytes& bytes) const {
    control_->writeTarget(address, bytes.data(), static_cast<DWORD>(bytes.size()));
}

Lines EmulatorRoad::FramesIn(const std::function<bool(const emutest::Bytes&)>& keep) const {
    Lines frames;
    for (DWORD i = 0; i < control_->getFrameCount(); ++i) {
        Q3vSimFrameInfo info{};
        emutest::Bytes bytes(8192);
        if (control_->getFrame(i, &info, bytes.data(), static_cast<DWORD>(bytes.size())) == Q3V_SIM_OK &&
            info.direction == Q3V_SIM_FRAME_IN) {
            bytes.resize(info.length);
            if (!keep || keep(bytes)) {
                frames.push_back(emutest::HexText(bytes));
            }
        }
    }
    return frames;
}

void ConsoleRoadSession::SetUp() {
    ASSERT_NO_FATAL_FAILURE(UseEmulator(emutest::Module(), kDemoSettingsLongRun));
    control_->clearFaults();
}

}  // namespace roadtest
