// The adapter-program check and update against the simulated emulator's
// memory and its adapter-program entries, and the "MONP" setting of Open.
#include "link/link_results.h"
#include "link/link_state.h"
#include "link/ule_drv_memory.h"
#include "link/adapter_program.h"
#include "config/settings_files.h"
#include "tests/link/link_fixture.h"

#include "platform/paths.h"
#include "platform/profile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace linktest {
namespace {

using namespace link_result;

constexpr DWORD kAdapterTop = 0x10000;
constexpr DWORD kChecksum = 0x3FFFC;
constexpr DWORD kVersion = 0x11010;
const std::string kFileVersion = "Q3vADP V1.00";

class AdapterProgram : public LinkTest {
protected:
    CAdapterProgram MakeHolder() {
        CAdapterProgram holder("MonpMain.mot", "AdpErase.mot", "AdpWrite.mot", "Q3vdp.mot", kVersion, 0, 0xFFFF,
                               kAdapterTop, 0x3FFFF, kChecksum, 1);
        holder.SetDriverMemory(driver_->Memory());
        holder.SetResultByte(&m_record);
        return holder;
    }
    Bytes Emulator(DWORD address, std::size_t count) {
        Bytes bytes(count);
        Control().readEmulator(address, bytes.data(), static_cast<DWORD>(count));
        return bytes;
    }
    // Writes into the adapter program's flash through the back door and
    // keeps its checksum word right unless told otherwise.
    void WriteAdapter(DWORD address, const std::string& text, bool keepChecksum = true) {
        Control().writeEmulator(address, reinterpret_cast<const BYTE*>(text.data()), static_cast<DWORD>(text.size()));
        if (!keepChecksum) {
            return;
        }
        const Bytes area = Emulator(kAdapterTop, kChecksum - kAdapterTop);
        DWORD sum = 0;
        for (BYTE b : area) {
            sum += b;
        }
        const BYTE word[4] = {static_cast<BYTE>(sum), static_cast<BYTE>(sum >> 8), static_cast<BYTE>(sum >> 16),
                              static_cast<BYTE>(sum >> 24)};
        Control().writeEmulator(kChecksum, word, 4);
    }
    std::string RecordText() const { return std::string(m_record.begin(), m_record.begin() + 12); }

    AdapterVersionRecord m_record{};
};

TEST_F(AdapterProgram, EqualVersionsPassWithoutAQuestion) {
    CAdapterProgram holder = MakeHolder();
    EXPECT_FALSE(holder.HasLowRange()) << "the file holds the adapter program's range alone";
    EXPECT_EQ(holder.CheckEmulatorFirmware(), kOk);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(RecordText(), kFileVersion);
}

TEST_F(AdapterProgram, AnUnknownEmulatorIsRefusedSilently) {
    WriteAdapter(0x1000, "SOMETHINGELSE", false);
    EXPECT_EQ(MakeHolder().CheckEmulatorFirmware(), kAborted);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(AdapterProgram, RefusedUpdatesKeepTheEmulatorAsItIs) {
    const struct {
        const char* what;
        DWORD address;
        std::string text;
        std::vector<std::string> messages;
        std::string record;
    } cases[] = {
        {"an older adapter program", kVersion, "Q3vADP V0.90",
         {"A newer version of Emulator firmware is available. \nUpdate now?"}, "Q3vADP V0.90"},
        {"a newer adapter program", kVersion, "Q3vADP V2.00",
         {"An older version of Emulator firmware is necessary to work with this application program. \nDownload "
          "older version now?",
          "The Emulator firmware does not correspond."},
         "Q3vADP V2.00"},
        {"a foreign adapter program", 0x11000, "FOREIGNPROGRAM",
         {"Emulator firmware does not correspond to work with this version of KTR. \nUpdate now?"}, ""},
    };
    for (const auto& c : cases) {
        Control().reset();
        WriteAdapter(c.address, c.text);
        const std::size_t shown = Messages().size();
        ui_.AnswerNextMessageBox(IDCANCEL);  // the question; what follows it is plain
        EXPECT_EQ(MakeHolder().CheckEmulatorFirmware(), kAborted) << c.what;
        const std::vector<std::string> all = Messages();
        EXPECT_EQ(std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(shown), all.end()), c.messages)
            << c.what;
        if (!c.record.empty()) {
            EXPECT_EQ(RecordText(), c.record) << c.what << ": the emulator's version is kept";
        }
        EXPECT_EQ(Emulator(c.address, c.text.size()), Bytes(c.text.begin(), c.text.end())) << c.what;
    }
}

// The update runs at most once while the plug-in is loaded, so its cases
// share one test.
TEST_F(AdapterProgram, ADamagedProgramIsRewrittenOnceAndASecondUpdateIsRefused) {
    const Bytes factory = Emulator(kAdapterTop, 0x30000);
    WriteAdapter(0x20000, "DAMAGE", false);
    EXPECT_EQ(MakeHolder().CheckEmulatorFirmware(), kOk);
    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "The contents of a flash memory are damaged.\nEmulator firmware is downloaded."});
    EXPECT_EQ(Emulator(kAdapterTop, 0x30000), factory) << "the adapter program rewritten from its file";

    WriteAdapter(0x20000, "DAMAGE", false);
    EXPECT_EQ(MakeHolder().CheckEmulatorFirmware(), kAborted);
    EXPECT_EQ(Messages().back(), "Emulator firmware file download error.");
    EXPECT_EQ(Emulator(0x20000, 6), Bytes({'D', 'A', 'M', 'A', 'G', 'E'})) << "the second update touched nothing";
}

// Open reads "MONP" from the plug-in's own settings file, beside the program
// here; only this test writes it.
class OpenMonp : public AdapterProgram {
protected:
    void SetMonp(const char* value) {
        WritePrivateProfileStringA("MONP", "MONP", value, GetPluginSettingsFilePath().c_str());
    }
    void TearDown() override {
        if (const auto native = platform::ToNativePath(GetPluginSettingsFilePath())) {
            std::error_code ignored;
            std::filesystem::remove(*native, ignored);
        }
        AdapterProgram::TearDown();
    }
};

TEST_F(OpenMonp, OneAsksAboutAForcedUpdateAndOtherNumbersSkipTheCheck) {
    SetMonp("2");
    WriteAdapter(kVersion, "Q3vADP V0.10");  // an older version: the check would ask
    EXPECT_EQ(Channel().Open(), kOk) << "no check: the emulator's older version is not looked at";
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(std::string(g_adapterVersionWords.begin(), g_adapterVersionWords.begin() + 12), kFileVersion);

    SetMonp("1");
    ui_.AnswerNextMessageBox(IDCANCEL);
    EXPECT_EQ(Channel().Open(), kOk) << "the update declined";
    EXPECT_EQ(Messages(), std::vector<std::string>{"The compulsion update is executed. \nUpdate now?"});
    EXPECT_EQ(ui_.MessageBoxes()[0].type, MB_OKCANCEL | MB_ICONQUESTION);

    SetMonp("");
    ui_.AnswerNextMessageBox(IDCANCEL);
    EXPECT_EQ(Channel().Open(), kAborted) << "the normal check finds the older version and is refused";
    EXPECT_EQ(Messages().back(), "A newer version of Emulator firmware is available. \nUpdate now?");
}

}  // namespace
}  // namespace linktest
