#include "startup/boot_sequence.h"

#include "link/driver_list.h"
#include "link/emulator_link.h"
#include "link/firm_command.h"
#include "monitor/monitor_control.h"
#include "startup/connection_progress_dlg.h"
#include "config/device_data.h"
#include "link/mot_file.h"
#include "startup/protected_registers.h"
#include "startup/swti_boot.h"
#include "config/settings_files.h"
#include "config/target_config.h"
#include "target/target_vk3.h"

#include "platform/ui.h"

#include <memory>
#include <new>

namespace {

constexpr char kWriterFile[] = "WTR_KQ14.mot";
constexpr WORD kEraseError = 0xA1;
constexpr WORD kIdCodeRefused = 0xFE;
// The adapter register 0x400020's run value after the firmware download.
constexpr WORD kRunAfterDownload = 3;

constexpr char kErasing[] = " Flash memory erasing ... ";
constexpr char kErasingOk[] = " Flash memory erasing ... OK";
constexpr char kErasingNg[] = " Flash memory erasing ... NG";

int Fail(const char* text) {
    static_cast<void>(ShowTargetError(text, MB_ICONEXCLAMATION));  // OK is the only answer
    return 0;
}

// Fails with text unless a box was shown since shownBefore: the inner
// step's own message says more than the boot's.
int FailUnlessShown(DWORD shownBefore, const char* text) {
    return TargetErrorsShown() == shownBefore ? Fail(text) : 0;
}

void Log(const char* text) {
    AppendConnectLog(text);
}

bool TypeZero() {
    return g_protocolType == 0;
}

int OpenLink() {
    if (g_emulatorLink == nullptr) {
        return Fail("Boot Failed !");
    }
    const WORD opened = g_emulatorLink->Open();
    if (opened == 0 && IsConnectCancelRequested()) {
        return Fail("Boot Canceled !");
    }
    return opened == 0 ? 1 : Fail("Boot Failed !");
}

// The unlock of the connect mode; modes without one pass.
int Unlock() {
    switch (g_emuSel) {
    case connect_mode::kEraseAndConnect:
    case connect_mode::kCpuRewriteMode: {
        if (TypeZero()) {
            Log(kErasing);
        }
        const WORD result = g_emulatorLink->UnlockWithIdCode();
        if (result == 0) {
            if (TypeZero()) {
                Log(kErasingOk);
            }
            return 1;
        }
        if (result != kIdCodeRefused && TypeZero()) {
            Log(kErasingNg);
        }
        if (result == kEraseError) {
            return Fail("Flash memory erase error !\nChange device");
        }
        return Fail(result == kIdCodeRefused ? "ID code error !" : "Boot Failed !");
    }
    case connect_mode::kKeepFlashAndConnect: {
        const WORD result = g_emulatorLink->ResetAndUnlock();
        if (result == kIdCodeRefused) {
            return Fail("ID code error !\nPlease confirm whether firmware is loaded.");
        }
        return result == 0 ? 1 : Fail("Boot Failed !");
    }
    case connect_mode::kProgramFlash: {
        if (TypeZero()) {
            Log(kErasing);
        }
        const WORD result = g_emulatorLink->CheckIdCodeWithPrompt();
        if (result == kEraseError) {
            return Fail(TypeZero() ? "Flash memory erase error !\nChange device" : "Boot Failed !");
        }
        if (result == kIdCodeRefused) {
            return Fail("ID code error !");
        }
        return result == 0 ? 1 : Fail("Boot Failed !");
    }
    default:
        return 1;
    }
}

// The flash-write program into the link, and for the types that take it
// from there, to the adapter. A missing file also releases the driver, so
// the next connect chooses one again.
int DownloadWriteProgram() {
    CTargetVk3& target = *GetTarget();
    target.SetWriterReader(std::unique_ptr<CMotFile>(new (std::nothrow) CMotFile));
    CMotFile* reader = target.GetWriterReader();
    if (reader == nullptr) {
        return Fail("Out of memory");
    }
    // The reader goes on every way out.
    const auto release = [&target] { target.SetWriterReader(nullptr); };
    if (reader->Open(kWriterFile) != 0) {
        release();
        Fail("Can't find Flash memory write program");
        if (g_driverList != nullptr) {
            g_driverList->ReleaseCurrentDriver();
        }
        return 0;
    }
    Log(" Downloading Flash memory write program");
    WORD length = 0;
    const BYTE* data = nullptr;
    DWORD address = 0;
    if (reader->ReadBlock(&length, &data, &address) != 0) {
        release();
        return Fail("Error reading Flash memory write program");
    }
    static_cast<void>(g_emulatorLink->SetDataBlock(address, length, data));  // it answers 0
    const bool oneBlock = reader->IsAtEnd();
    release();
    if (!oneBlock) {
        return Fail("Boot failed !");
    }
    WORD sent = 0;
    if (TypeZero()) {
        sent = g_emulatorLink->SendRawBlock();
    } else if (g_protocolType == 1) {
        sent = g_emulatorLink->SendDataBlock();
    } else if (g_protocolType > 4) {
        sent = g_emulatorLink->SendDataBlock();
    }
    return sent == 0 ? 1 : Fail("Error sending Flash memory write program");
}

// The firmware version, the default device name and the monitor's restart,
// each while the one before succeeded.
bool StartMonitor() {
    if (g_monitorControl->CheckMonitorVersion() != 0 || g_monitorControl->SelectDefaultDeviceName() ||
        g_monitorControl->RestartMonitor() != 0) {
        return false;
    }
    ClearTargetConfigFlag();
    return true;
}

bool RunAfterDownload() {
    return g_protocolType < 1 || g_protocolType > 4 || g_emulatorLink->WriteAdapterRegister20(kRunAfterDownload) == 0;
}

int DownloadFirmwareErased() {
    const DWORD shownBefore = TargetErrorsShown();
    if (!TypeZero()) {
        Log(kErasing);
    }
    if (g_monitorControl->DownloadFirmware(0) == 0) {
        if (!TypeZero()) {
            Log(kErasingOk);
        }
        if (!RunAfterDownload()) {
            return FailUnlessShown(shownBefore, "Boot failed !");
        }
        if (StartMonitor()) {
            return 1;
        }
    }
    if (!TypeZero()) {
        Log(kErasingNg);
    }
    return FailUnlessShown(shownBefore, "Boot failed !");
}

int DownloadFirmwareKept() {
    if (DownloadWriteProgram() == 0) {
        return 0;
    }
    Log(" Flash memory reading ... ");
    CFirmCommand command(g_emulatorLink);
    DWORD shownBefore = TargetErrorsShown();
    const WORD read = g_protocolType < 2 ? command.LoadFlashMirrorHalfPages() : command.LoadFlashMirrorPages();
    if (read != 0) {
        Log(" Flash memory reading ... NG");
        return FailUnlessShown(shownBefore, "Boot failed !");
    }
    Log(" Flash memory reading ... OK");
    WarnRegisterChanged();
    shownBefore = TargetErrorsShown();
    if (g_monitorControl->DownloadFirmware(1) != 0 || !RunAfterDownload() || !StartMonitor()) {
        return FailUnlessShown(shownBefore, "Boot failed !");
    }
    return 1;
}

int EraseFirmwareArea() {
    Log(kErasing);
    const DWORD shownBefore = TargetErrorsShown();
    if (g_emulatorLink->EraseFirmwareArea() != 0) {
        Log(kErasingNg);
        return FailUnlessShown(shownBefore, "Boot failed !");
    }
    Log(kErasingOk);
    return 1;
}

}  // namespace

int RunBootSequence() {
    if (OpenLink() == 0 || Unlock() == 0) {
        return 0;
    }
    switch (g_emuSel) {
    case connect_mode::kEraseAndConnect:
    case connect_mode::kCpuRewriteMode:
        return DownloadWriteProgram() == 1 && DownloadFirmwareErased() == 1 ? 1 : 0;
    case connect_mode::kKeepFlashAndConnect:
        return DownloadFirmwareKept();
    case connect_mode::kProgramFlash:
        if (DownloadWriteProgram() == 0) {
            return 0;
        }
        return TypeZero() ? 1 : EraseFirmwareArea();
    default:
        return DownloadWriteProgram();
    }
}

int RunSwtiBootSequence() {
    if (TypeZero()) {
        return 0;
    }
    switch (g_emuSel) {
    case connect_mode::kEraseAndConnect:
    case connect_mode::kCpuRewriteMode:
        return BootAndDownloadFirmware(1);
    case connect_mode::kKeepFlashAndConnect:
        return BootAndDownloadFirmware(0);
    case connect_mode::kProgramFlash:
        return BootAndEraseFlash();
    default:
        return 0;
    }
}
