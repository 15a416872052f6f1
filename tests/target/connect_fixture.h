// The target's connect as the tests run it: the real target object, its
// "Connecting" dialog and connect thread, and the real driver list finding
// the simulated emulator's module beside the test program. The dialog's log
// and animation are read as it closes.
#pragma once

#include "link/driver_list.h"
#include "res/resource_ids.h"
#include "config/session_settings.h"
#include "config/target_config.h"
#include "target/target_vk3.h"
#include "tests/link/link_fixture.h"

#include "platform/common_controls.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace linktest {

inline constexpr char kSimulatedDriver[] = "Q3v Simulated Emulator";
inline constexpr char kErasing[] = " Flash memory erasing ... ";
inline constexpr char kErasingOk[] = " Flash memory erasing ... OK";
inline constexpr char kErasingNg[] = " Flash memory erasing ... NG";
inline constexpr char kWriter[] = " Downloading Flash memory write program";
inline constexpr char kReading[] = " Flash memory reading ... ";
inline constexpr char kReadingOk[] = " Flash memory reading ... OK";

using Lines = std::vector<std::string>;

// A frame's position in the list, or -1.
inline long Find(const Lines& frames, const std::function<bool(const Bytes&)>& match, bool last = false) {
    long found = -1;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (match(Hex(frames[i]))) {
            found = static_cast<long>(i);
            if (!last) {
                break;
            }
        }
    }
    return found;
}

inline bool ProgramRecord(const Bytes& frame) {
    return frame.size() == 136 && frame[0] == 0x00 && frame[1] == 0x86;
}

inline bool RecordRead(const Bytes& frame) {
    return frame.size() > 2 && frame[2] == 0x52;
}

// The flash writer's bulk data frame (relayed command 0xFA).
inline bool WriterBulkFrame(const Bytes& frame) {
    return std::find(frame.begin(), frame.end(), 0xFA) != frame.end() && frame.size() > 512;
}

class ConnectRoad : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        // The connect chooses its driver and makes its session objects.
        driver_.reset();
        g_targetConfig.reset();
    }
    void TearDown() override {
        static_cast<void>(GetTarget()->DestroyHandlers());  // the session objects go; it answers 0
        g_swtiSupported = 0;
        g_emuSel = connect_mode::kEraseAndConnect;
        Configure("channels=1;interfaces=1");
        LinkTest::TearDown();
    }
    // The connecting dialog's script: its log and animation are read as it
    // closes. Queued by the connect unless a test queued it before the
    // scripts of the dialogs that follow it.
    void QueueConnecting() {
        log_.clear();
        ui_.OnDialog(res_id::kConnectingDialog).WaitForClose().AtClose([this](platform::UiDialog& dialog) {
            log_ = dialog.Text(res_id::kConnectLog);
            playing_ = ::SendMessageA(dialog.Control(res_id::kConnectAnimation), ACM_ISPLAYING, 0, 0) != 0;
        });
        connectingQueued_ = true;
    }
    DWORD RunConnect() {
        if (!connectingQueued_) {
            QueueConnecting();
        }
        connectingQueued_ = false;
        messagesBefore_ = ui_.MessageBoxes().size();
        return GetTarget()->Connect();
    }
    // The message boxes of the last connect.
    Lines ConnectMessages() const {
        const Lines all = Messages();
        return Lines(all.begin() + static_cast<std::ptrdiff_t>(messagesBefore_), all.end());
    }
    // A new session: nothing saved.
    void ForgetSession() { std::filesystem::remove(folder_.Native() / "session.ini"); }
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
    std::string Saved(const char* section, const char* key) const {
        char text[256] = "";
        SessionIniGetString(section, key, "<none>", text, sizeof(text));
        return text;
    }
    void WriteTarget(DWORD address, const Bytes& bytes) {
        Control().writeTarget(address, bytes.data(), static_cast<DWORD>(bytes.size()));
    }
    // A connect that fails with exactly the one message.
    void ExpectFailure(const std::string& message) {
        SessionIniWriteString("EMULATOR_SETTING", "HIDE_DIALOG", "1");
        EXPECT_EQ(RunConnect(), 0u);
        EXPECT_EQ(ConnectMessages(), Lines{message});
        EXPECT_EQ(Saved("EMULATOR_SETTING", "HIDE_DIALOG"), "0");
    }

    std::string log_;
    bool playing_ = false;
    bool connectingQueued_ = false;
    std::size_t messagesBefore_ = 0;
};

}  // namespace linktest
