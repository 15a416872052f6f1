#include "startup/swti_boot.h"

#include "link/emulator_link.h"
#include "link/flash_mirror.h"
#include "link/frame_packet.h"
#include "link/link_state.h"
#include "monitor/monitor_control.h"
#include "startup/boot_packet.h"
#include "startup/connection_progress_dlg.h"
#include "config/device_data.h"
#include "link/mot_file.h"
#include "startup/protected_registers.h"
#include "config/host_window.h"
#include "config/session_settings.h"
#include "config/settings_files.h"
#include "config/target_config.h"
#include "util/scan_values.h"

#include "platform/ui.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr char kFirmwareFile[] = "frm_kq14.sys";
constexpr char kWriterFile[] = "WTR_KQ14.mot";

// The fixed vector area of the image and the protected byte below it.
constexpr DWORD kVectorAreaTop = 0xFFDC;
constexpr DWORD kVectorAreaEnd = 0xFFFF;
constexpr DWORD kProtectedVectorByte = 0xFFDB;
constexpr DWORD kProtectedVectorPage = 0xFF00;

constexpr std::size_t kBlockBytes = CBootPacketWriteBlock::kDataLength;
constexpr std::size_t kPageBytes = CBootPacketRead::kPageLength;
// A block refused for its sum is sent again, at most this many times.
constexpr BYTE kStatusSumCheck = 0x91;
constexpr int kBlockRetries = 3;

// The unlock's results.
constexpr WORD kEraseError = 0xA1;
constexpr WORD kIdCodeRefused = 0xFE;

// The SET ADDR entries: vectors 1 to 5 and the reset vector.
constexpr std::size_t kVector5 = 4;
constexpr std::size_t kResetVector = 6;
constexpr std::size_t kVectorBytes = 4;
constexpr std::size_t kResetBytes = 3;

int Fail(const char* text) {
    static_cast<void>(ShowTargetError(text, MB_ICONEXCLAMATION));  // OK is the only answer
    return 0;
}

const DeviceArea& FirmwareArea() {
    return g_deviceAreas[kAreaAse1];
}

std::size_t BlockCount() {
    return std::min<std::size_t>(g_deviceValues.flashBlockCount, kFlashTableSize);
}

bool VectorsTakeProtocolFive() {
    return g_protocolType == 0 || g_protocolType == 1;
}

bool InVectorArea(DWORD address, std::size_t count) {
    return address >= kVectorAreaTop && address <= kVectorAreaEnd && count <= kVectorAreaEnd - address + 1;
}

bool RangeInImage(DWORD top, DWORD end) {
    return top <= end && InFlashMirror(top, static_cast<std::size_t>(end) - top + 1);
}

// The erase addresses: each block's end - 1, or the erase table when the
// device has one.
std::vector<DWORD> EraseList() {
    const DeviceValues& device = g_deviceValues;
    std::vector<DWORD> list;
    if (device.eraseBlockCount == 0) {
        for (std::size_t i = 0; i < BlockCount(); ++i) {
            list.push_back(device.flashBlockEnd[i] - 1);
        }
    } else {
        const std::size_t count = std::min<std::size_t>(device.eraseBlockCount, kFlashTableSize);
        list.assign(device.eraseTable.begin(), device.eraseTable.begin() + static_cast<std::ptrdiff_t>(count));
    }
    return list;
}

DWORD LittleEndian(const std::array<BYTE, 4>& bytes) {
    return static_cast<DWORD>(bytes[0]) | static_cast<DWORD>(bytes[1]) << 8 | static_cast<DWORD>(bytes[2]) << 16 |
           static_cast<DWORD>(bytes[3]) << 24;
}

// Where a firmware record lands in the image; none outside it.
std::optional<DWORD> RecordTarget(DWORD address, std::size_t count) {
    const DWORD target = address >= kVectorAreaTop && address <= kVectorAreaEnd
                             ? address
                             : address + (FirmwareArea().top - g_deviceValues.firmDefaultTopAddr);
    if (!InFlashMirror(target, count)) {
        return std::nullopt;
    }
    return target;
}

bool WorkRamUsed() {
    return g_protocolType == 1 && g_deviceValues.interruptPatchCount != 0;
}

// The work-RAM pairs name the page offset first, then the offset in the
// firmware area (the device data keeps them as its two numbers).
struct WorkRamPair {
    DWORD source;
    DWORD destination;
};

std::optional<std::vector<WorkRamPair>> WorkRamPairs() {
    const DeviceValues& device = g_deviceValues;
    if (device.interruptPatchCount > kWorkRamEntries) {
        return std::nullopt;
    }
    std::vector<WorkRamPair> pairs;
    for (std::size_t i = 0; i < device.interruptPatchCount; ++i) {
        const WorkRamPair pair{device.interruptPatches[i].imageOffset, device.interruptPatches[i].sourceOffset};
        const DWORD target = FirmwareArea().top + pair.destination;
        if (pair.source >= kPageBytes || target < FirmwareArea().top || !InFlashMirror(target, 1)) {
            return std::nullopt;
        }
        pairs.push_back(pair);
    }
    return pairs;
}

// The vectors the vector area's records carry lie inside that area.
bool VectorsFit() {
    const DeviceValues& device = g_deviceValues;
    for (std::size_t n = 0; n < kVector5; ++n) {
        if (!InVectorArea(device.setAddr[n], kVectorBytes)) {
            return false;
        }
    }
    if (VectorsTakeProtocolFive() && !InVectorArea(device.setAddr[kVector5], kVectorBytes)) {
        return false;
    }
    return InVectorArea(device.setAddr[kResetVector], kResetBytes);
}

bool DeviceValuesFit() {
    const DeviceValues& device = g_deviceValues;
    if (!RangeInImage(FirmwareArea().top, FirmwareArea().end)) {
        return false;
    }
    if (device.flashBlockCount == 0 || device.flashBlockCount > kFlashTableSize ||
        device.firmBlockNo >= device.flashBlockCount) {
        return false;
    }
    for (std::size_t i = 0; i < BlockCount(); ++i) {
        if (!RangeInImage(device.flashBlockTop[i], device.flashBlockEnd[i])) {
            return false;
        }
    }
    return VectorsFit() && (!WorkRamUsed() || WorkRamPairs().has_value());
}

// Every block of the firmware file, read or placed: false when the file
// cannot be read or a block does not fit.
template <typename Visit>
bool ForEachFirmwareBlock(Visit visit) {
    CMotFile reader;
    if (reader.Open(kFirmwareFile) != 0) {
        return false;
    }
    while (!reader.IsAtEnd()) {
        WORD length = 0;
        const BYTE* data = nullptr;
        DWORD address = 0;
        if (reader.ReadBlock(&length, &data, &address) != 0) {
            return false;
        }
        if (length == 0) {
            break;
        }
        if (!visit(address, std::span<const BYTE>(data, length))) {
            return false;
        }
    }
    return true;
}

void CopyIntoImage(DWORD address, std::span<const BYTE> bytes) {
    std::copy(bytes.begin(), bytes.end(), g_flashMirror.begin() + address);
}

void Log(const char* text) {
    AppendConnectLog(text);
}

// A step between its two log lines: "<text>", then "<text>OK" or "<text>NG".
template <typename Step>
bool LoggedStep(const char* text, Step step) {
    Log(text);
    const bool done = step() == 1;
    Log((std::string(text) + (done ? "OK" : "NG")).c_str());
    return done;
}

// Opens the link; a cancel request after it ends the connect.
int OpenLink() {
    if (g_emulatorLink->Open() != 0) {
        return Fail("Boot Failed !");
    }
    if (IsConnectCancelRequested()) {
        return Fail("Boot Canceled !");
    }
    return 1;
}

int Unlock() {
    const WORD result = g_emulatorLink->UnlockWithIdCode();
    if (result == kEraseError) {
        return Fail("Flash memory erase error !\nChange device");
    }
    if (result == kIdCodeRefused) {
        return Fail("ID code error !");
    }
    return result == 0 ? 1 : Fail("Boot Failed !");
}

// Step 1 of both firmware downloads: a protected vector byte that no longer
// holds its value has its block erased and the write program loaded again.
int ResetProtectedVectorBlock() {
    if (g_protocolType == 2) {
        return 1;
    }
    DWORD kept = 0;
    if (CheckProtectedVectorByte(kept) == 0) {
        return 0;
    }
    if (kept == 0 && (EraseVectorBlock() == 0 || BootAndLoadWriteProgram() == 0)) {
        return 0;
    }
    return 1;
}

// The user reset vector saved with the session: three bytes (protocol types
// 1 to 3) or two (type 4), low byte first.
void LoadUserResetVector() {
    char text[64] = "";
    SessionIniGetString("USER_DATA", "RESET", "", text, sizeof(text));
    DWORD value = 0;
    if (text[0] == '\0' || ScanValues(text, "%8x", &value) != 1) {
        return;
    }
    const std::size_t count = g_protocolType == 4 ? 2 : 3;
    for (std::size_t i = 0; i < count; ++i) {
        g_userResetBytes.bytes[i] = static_cast<BYTE>(value >> (8 * i));
    }
    g_userResetBytes.count = count;
}

}  // namespace

bool PlaceFirmwareRecord(DWORD address, std::span<const BYTE> data) {
    const std::optional<DWORD> target = RecordTarget(address, data.size());
    if (!target) {
        return false;
    }
    const bool vectorArea = address >= kVectorAreaTop && address <= kVectorAreaEnd;
    if (vectorArea && !VectorsFit()) {
        return false;
    }
    CopyIntoImage(*target, data);
    if (!vectorArea) {
        return true;
    }
    const DeviceValues& device = g_deviceValues;
    const std::size_t vectors = VectorsTakeProtocolFive() ? kVector5 + 1 : kVector5;
    for (std::size_t n = 0; n < vectors; ++n) {
        CopyIntoImage(device.setAddr[n], device.vectors[n]);
    }
    CopyIntoImage(device.setAddr[kResetVector], std::span(device.firmResetAddr).first<kResetBytes>());
    return true;
}

bool CheckFirmwarePlacement() {
    return DeviceValuesFit() &&
           ForEachFirmwareBlock([](DWORD address, std::span<const BYTE> data) {
               return RecordTarget(address, data.size()).has_value();
           });
}

int ApplyWorkRamSettings() {
    if (!WorkRamUsed()) {
        return 1;
    }
    const auto pairs = WorkRamPairs();
    if (!pairs) {
        return 0;
    }
    std::array<BYTE, kPageBytes> page{};
    if (ReadFlashPage256(g_deviceAreas[kAreaFirm].top, page) == 0) {
        return 0;
    }
    for (const WorkRamPair& pair : *pairs) {
        g_flashMirror[FirmwareArea().top + pair.destination] = page[pair.source];
    }
    return 1;
}

int LoadFirmwareImage() {
    const bool placed = ForEachFirmwareBlock(
        [](DWORD address, std::span<const BYTE> data) { return PlaceFirmwareRecord(address, data); });
    return placed ? ApplyWorkRamSettings() : 0;
}

int EraseFlashBlocks() {
    for (const DWORD address : EraseList()) {
        if (EraseFlashBlock(address) == 0) {
            return 0;
        }
    }
    return 1;
}

int EraseVectorBlock() {
    for (const DWORD address : EraseList()) {
        if (address + 1 > kProtectedVectorByte) {
            return EraseFlashBlock(address);
        }
    }
    return 1;
}

int EraseFirmwareBlocks() {
    const std::vector<DWORD> list = EraseList();
    const DWORD resetVector = g_deviceValues.setAddr[kResetVector];
    std::optional<DWORD> resetBlock;
    for (const DWORD address : list) {
        if (address + 1 > resetVector) {
            if (EraseFlashBlock(address) == 0) {
                return 0;
            }
            resetBlock = address;
            break;
        }
    }
    DWORD from = FirmwareArea().top;
    for (const DWORD address : list) {
        if (address + 1 <= from) {
            continue;
        }
        if (address != resetBlock && EraseFlashBlock(address) == 0) {
            return 0;
        }
        if (FirmwareArea().end <= address + 1) {
            return 1;
        }
        from = address + 2;
    }
    return 1;
}

int CheckProtectedVectorByte(DWORD& flag) {
    BYTE value = 0;
    BYTE mask = 0;
    if (g_protectedRegisters.GetValues(kProtectedVectorByte, &value, &mask) == 0) {
        flag = 1;
        return 1;
    }
    std::array<BYTE, kPageBytes> page{};
    if (ReadFlashPage256(kProtectedVectorPage, page) == 0) {
        return 0;
    }
    flag = (page[kProtectedVectorByte - kProtectedVectorPage] & mask) == (value & mask) ? 1 : 0;
    return 1;
}

int ReadFlashBlocksToMirror() {
    const DeviceValues& device = g_deviceValues;
    for (std::size_t i = 0; i < BlockCount(); ++i) {
        for (DWORD page = device.flashBlockTop[i]; page < device.flashBlockEnd[i]; page += kPageBytes) {
            if (!InFlashMirror(page, kPageBytes) ||
                ReadFlashPage256(page, std::span(g_flashMirror).subspan(page, kPageBytes)) == 0) {
                return 0;
            }
        }
    }
    return 1;
}

int WriteFlashRange(DWORD start, DWORD end) {
    if (!RangeInImage(start, end)) {
        return 0;
    }
    for (DWORD block = start & ~DWORD{kBlockBytes - 1}; block <= end; block += kBlockBytes) {
        std::array<BYTE, kBlockBytes> bytes;
        bytes.fill(0xFF);
        const DWORD first = std::max(block, start);
        const DWORD last = std::min<DWORD>(block + kBlockBytes - 1, end);
        std::copy(g_flashMirror.begin() + first, g_flashMirror.begin() + last + 1, bytes.begin() + (first - block));
        int sent = WriteFlashBlock128(block, bytes);
        for (int retry = 0; sent == 0 && retry < kBlockRetries && GetLastBootStatus() == kStatusSumCheck; ++retry) {
            sent = WriteFlashBlock128(block, bytes);
        }
        if (sent == 0) {
            return 0;
        }
    }
    return 1;
}

int WriteFlashImage() {
    return OpenImageWrite() == 1 && WriteFlashRange(FirmwareArea().top, FirmwareArea().end) == 1 &&
                   WriteFlashRange(kVectorAreaTop, kVectorAreaEnd) == 1 && CloseImageWrite() == 1
               ? 1
               : 0;
}

int WriteFirmwareBlocks() {
    const DeviceValues& device = g_deviceValues;
    const std::size_t count = BlockCount();
    if (device.firmBlockNo >= count || OpenImageWrite() == 0) {
        return 0;
    }
    const auto holding = [&](DWORD address) -> std::optional<std::size_t> {
        for (std::size_t i = 0; i < count; ++i) {
            if (device.flashBlockTop[i] <= address && address <= device.flashBlockEnd[i]) {
                return i;
            }
        }
        return std::nullopt;
    };
    DWORD start = std::min(FirmwareArea().top, device.flashBlockTop[device.firmBlockNo]);
    DWORD end = std::max(FirmwareArea().end, device.flashBlockEnd[device.firmBlockNo]);
    if (const auto block = holding(FirmwareArea().top)) {
        start = std::min(start, device.flashBlockTop[*block]);
    }
    if (const auto block = holding(FirmwareArea().end)) {
        end = std::max(end, device.flashBlockEnd[*block]);
    }
    if (WriteFlashRange(start, end) == 0) {
        return 0;
    }
    // The reset vector's block, where the range above did not write it
    // already: flash takes no second program without an erase.
    const std::size_t reset = holding(device.setAddr[kResetVector]).value_or(count - 1);
    const DWORD resetTop = device.flashBlockTop[reset];
    const DWORD resetEnd = device.flashBlockEnd[reset];
    if (resetTop < start && WriteFlashRange(resetTop, std::min(resetEnd, start - 1)) == 0) {
        return 0;
    }
    if (resetEnd > end && WriteFlashRange(std::max(resetTop, end + 1), resetEnd) == 0) {
        return 0;
    }
    return CloseImageWrite();
}

int JumpToFirmware() {
    return StartFirmware(LittleEndian(g_deviceValues.firmJumpAddr));
}

int InitDebuggerRegisterBits() {
    if (g_protocolType != 2) {
        return 1;
    }
    const DeviceValues& device = g_deviceValues;
    std::vector<EventPacketItem> items;
    for (std::size_t n = 0; n < kDmaChannels && device.dmaControl[n] != 0; ++n) {
        items.push_back({device.dmaControl[n], 'B', 0, device.dmaSetBit[n], device.dmaDisable[n]});
    }
    if (items.empty()) {
        return 1;
    }
    CEventFramePacket packet(g_emulatorLink, 1, static_cast<DWORD>(items.size()), items.data());
    return packet.Send() == 1 ? 1 : 0;
}

int DownloadFlashWriteProgram() {
    CMotFile reader;
    WORD length = 0;
    const BYTE* data = nullptr;
    DWORD address = 0;
    if (reader.Open(kWriterFile) != 0 || reader.ReadBlock(&length, &data, &address) != 0) {
        return 0;
    }
    if (g_emulatorLink->SetDataBlock(address, length, data) != 0 || !reader.IsAtEnd()) {
        return 0;
    }
    return g_emulatorLink->SendDataBlock() == 0 ? 1 : 0;
}

int BootAndLoadWriteProgram() {
    if (OpenLink() == 0 || Unlock() == 0) {
        return 0;
    }
    return DownloadFlashWriteProgram() == 1 ? 1 : Fail("Error downloading Flash memory write program");
}

int DownloadFirmwareEraseWrite() {
    if (!CheckFirmwarePlacement() || ResetProtectedVectorBlock() == 0 || LoadFirmwareImage() == 0) {
        return 0;
    }
    return LoggedStep(" Flash memory erasing ... ", EraseFlashBlocks) &&
                   LoggedStep(" Flash memory writing ... ", WriteFlashImage)
               ? 1
               : 0;
}

int DownloadFirmwareReadEraseWrite() {
    if (!CheckFirmwarePlacement() || !LoggedStep(" Flash memory reading ... ", ReadFlashBlocksToMirror)) {
        return 0;
    }
    WarnRegisterChanged();
    if (ResetProtectedVectorBlock() == 0 || LoadFirmwareImage() == 0) {
        return 0;
    }
    return LoggedStep(" Flash memory erasing ... ", EraseFirmwareBlocks) &&
                   LoggedStep(" Flash memory writing ... ", WriteFirmwareBlocks)
               ? 1
               : 0;
}

int BootAndDownloadFirmware(int eraseAll) {
    if (g_emulatorLink == nullptr || GetOpenConnectionDialog() == nullptr) {
        return Fail("Failed !");
    }
    if (g_monitorControl == nullptr || g_targetConfig == nullptr) {
        return 0;
    }
    if (OpenLink() == 0 || Unlock() == 0) {
        return 0;
    }
    if (eraseAll == 0 && g_protocolType != 0) {
        LoadUserResetVector();
    }
    Log(" Downloading Flash memory write program");
    if (DownloadFlashWriteProgram() == 0) {
        return Fail("Error downloading Flash memory write program");
    }
    Log(" Downloading firmware file");
    const DWORD shownBefore = TargetErrorsShown();
    if ((eraseAll == 1 ? DownloadFirmwareEraseWrite() : DownloadFirmwareReadEraseWrite()) == 0) {
        return TargetErrorsShown() == shownBefore ? Fail("Error downloading firmware file") : 0;
    }
    if (JumpToFirmware() == 0) {
        return Fail("Error jumping to firmware program");
    }
    if (g_monitorControl->CheckMonitorVersion() != 0) {
        return Fail("Error checking firmware version");
    }
    if (g_monitorControl->ResetTarget() != 0) {
        return Fail("Error resetting cpu");
    }
    const bool started = !g_monitorControl->SelectDefaultDeviceName() && g_monitorControl->RestartMonitor() == 0;
    ClearTargetConfigFlag();
    if (!started) {
        return Fail("Error initialization of the debugger");
    }
    if (InitDebuggerRegisterBits() == 0) {
        return Fail("Error initialization of the debugger");
    }
    return 1;
}

int BootAndEraseFlash() {
    if (g_emulatorLink == nullptr || GetOpenConnectionDialog() == nullptr) {
        return Fail("Failed !");
    }
    if (OpenLink() == 0) {
        return 0;
    }
    const WORD checked = g_emulatorLink->CheckIdCodeWithPrompt();
    if (checked == kIdCodeRefused) {
        return Fail("ID code error !");
    }
    if (checked != 0) {
        return Fail("Boot Failed !");
    }
    Log(" Downloading Flash memory write program");
    if (DownloadFlashWriteProgram() == 0) {
        return Fail("Error downloading Flash memory write program");
    }
    if (!LoggedStep(" Flash memory erasing ... ", EraseFlashBlocks)) {
        return Fail("Error erasing flash memory");
    }
    return 1;
}
