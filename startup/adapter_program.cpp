#include "link/adapter_program.h"

#include "link/link_results.h"
#include "link/ule_drv_memory.h"
#include "startup/download_progress.h"
#include "link/mot_file.h"
#include "config/settings_files.h"
#include "config/module_folder.h"

#include "platform/ui.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace {

using link_result::kAborted;
using link_result::kOk;

// The folder of the adapter-program files, inside the plug-in's folder.
constexpr char kFolder[] = "ADPFiles\\";
// The emulator's memory as the adapter-program entries use it (the driver's
// contract): the identity and version blocks, where downloads are staged, and
// the mailbox in which each entry leaves its two-character status.
constexpr DWORD kIdentityAddress = 0x1000;
constexpr DWORD kFirmwareIdentityAddress = 0x11000;
constexpr DWORD kStagingAddress = 0x58000;
constexpr DWORD kStagingEnd = 0x5FFEF;
constexpr DWORD kMailboxAddress = 0x5FFF0;
constexpr std::size_t kBlockSize = 16;
constexpr std::size_t kDownloadBlock = 1024;
// Emulator-memory bytes one driver call moves.
constexpr std::size_t kTransferChunk = 128;
constexpr DWORD kEndOfDownload = 0xFFFFFFFF;

// The identities an emulator may answer, compared over 11 bytes.
constexpr std::array<std::array<char, 11>, 3> kIdentities{{
    {'Q', '3', 'v', 'E', 'M', 'U', 'L', 'A', 'T', 'O', 'R'},
    {'Q', '3', 'v', 'E', 'M', 'U', 'L', 'A', 'T', 'O', 'R'},  // "Q3vEMULATORQZ" over its first 11
    {'Q', '3', 'v', 'H', 'M', 'O', 'N', '\0', '\0', '\0', '\0'},
}};

// Emulator statuses of the adapter-program entries.
bool StatusIs(const char status[2], const char* expected) {
    return status[0] == expected[0] && status[1] == expected[1];
}
bool StatusOk(const char status[2]) {
    return status[0] == 0 && status[1] == 0;
}

// The update runs at most once while the plug-in is loaded.
bool g_updateStarted = false;

bool KnownIdentity(const std::array<BYTE, kBlockSize>& block) {
    return std::any_of(kIdentities.begin(), kIdentities.end(), [&](const std::array<char, 11>& identity) {
        return std::equal(identity.begin(), identity.end(), block.begin(),
                          [](char a, BYTE b) { return static_cast<BYTE>(a) == b; });
    });
}

void Warn(const std::string& text) {
    ShowTargetError(text.c_str(), MB_ICONEXCLAMATION);
}

bool AskOkCancel(const char* text) {
    return ShowTargetError(text, MB_OKCANCEL | MB_ICONQUESTION) != IDCANCEL;
}

// The bytes of blocks between first and last, 0xFF where no block gives any.
std::vector<BYTE> ImageOf(const std::vector<MotBlock>& blocks, DWORD first, DWORD last) {
    std::vector<BYTE> image(static_cast<std::size_t>(last - first) + 1, 0xFF);
    for (const MotBlock& block : blocks) {
        for (std::size_t i = 0; i < block.bytes.size(); ++i) {
            const DWORD address = block.address + static_cast<DWORD>(i);
            if (address >= first && address <= last) {
                image[address - first] = block.bytes[i];
            }
        }
    }
    return image;
}

BYTE TwosComplementSum(const BYTE* bytes, std::size_t count) {
    BYTE sum = 0;
    for (std::size_t i = 0; i < count; ++i) {
        sum = static_cast<BYTE>(sum + bytes[i]);
    }
    return static_cast<BYTE>(-sum);
}

}  // namespace

MotReadResult ReadMotBlocks(const std::string& file, std::vector<MotBlock>& blocks) {
    blocks.clear();
    auto reader = std::make_unique<CMotFile>();
    if (reader->Open(file.c_str()) != 0) {
        return MotReadResult::NotFound;
    }
    while (true) {
        WORD length = 0;
        const BYTE* data = nullptr;
        DWORD address = 0;
        if (reader->ReadBlock(&length, &data, &address) != 0) {
            return MotReadResult::Unreadable;
        }
        if (length == 0) {
            return MotReadResult::Done;
        }
        blocks.push_back({address, std::vector<BYTE>(data, data + length)});
    }
}

CAdapterProgram::CAdapterProgram(const char* mainProgram, const char* eraseProgram, const char* writeProgram,
                                 const char* adapterProgram, DWORD versionAddress, DWORD lowTop, DWORD lowEnd,
                                 DWORD adapterTop, DWORD adapterEnd, DWORD, DWORD)
    : m_mainProgram(std::string(kFolder) + mainProgram),
      m_eraseProgram(std::string(kFolder) + eraseProgram),
      m_writeProgram(std::string(kFolder) + writeProgram),
      m_adapterProgram(std::string(kFolder) + adapterProgram),
      m_versionAddress(versionAddress),
      m_lowTop(lowTop),
      m_lowEnd(lowEnd),
      m_adapterTop(adapterTop),
      m_adapterEnd(adapterEnd) {
    std::vector<MotBlock> blocks;
    const MotReadResult read = ReadMotBlocks(m_adapterProgram, blocks);
    if (read == MotReadResult::Unreadable) {
        Warn("Error reading adapter program file");
        return;
    }
    m_lowRange = std::any_of(blocks.begin(), blocks.end(), [&](const MotBlock& block) {
        const DWORD end = block.address + static_cast<DWORD>(block.bytes.size()) - 1;
        return block.address <= m_lowEnd && end >= m_lowTop;
    });
}

void CAdapterProgram::SetResultByte(AdapterVersionRecord* record) {
    m_record = record;
    if (m_record != nullptr) {
        (*m_record)[0] = 255;
    }
}

std::string CAdapterProgram::FullPath(const std::string& file) const {
    return GetModuleDirectory() + file;
}

WORD CAdapterProgram::ReadEmulator(DWORD address, BYTE* buffer, std::size_t count) {
    return static_cast<WORD>(m_memory->ReadQ5tMemory(1, buffer, address, static_cast<BYTE>(count)));
}

WORD CAdapterProgram::ReadMailbox(char status[2]) {
    BYTE bytes[2] = {0xFF, 0xFF};
    const WORD result = ReadEmulator(kMailboxAddress, bytes, 2);
    status[0] = static_cast<char>(bytes[0]);
    status[1] = static_cast<char>(bytes[1]);
    return result;
}

WORD CAdapterProgram::StageBytes(const BYTE* bytes, std::size_t count) {
    if (count > kStagingEnd - kStagingAddress + 1) {
        return kAborted;
    }
    for (std::size_t done = 0; done < count; done += kTransferChunk) {
        const std::size_t chunk = std::min(kTransferChunk, count - done);
        std::array<BYTE, kTransferChunk> copy{};
        std::copy_n(bytes + done, chunk, copy.begin());
        const DWORD result = m_memory->WriteQ5tMemory(1, copy.data(), kStagingAddress + static_cast<DWORD>(done),
                                                      static_cast<BYTE>(chunk), 1);
        if (result != 0) {
            return static_cast<WORD>(result);
        }
    }
    return kOk;
}

WORD CAdapterProgram::ReadAdapterProgramFile(AdapterVersionRecord& lowVersion, AdapterVersionRecord& version) {
    std::vector<MotBlock> blocks;
    const MotReadResult read = ReadMotBlocks(m_adapterProgram, blocks);
    if (read == MotReadResult::NotFound) {
        Warn("Can't find adapter program file. (" + FullPath(m_adapterProgram) + ")");
        return kMotFileError;
    }
    if (read == MotReadResult::Unreadable) {
        Warn("Error reading adapter program file");
        return kMotFileError;
    }
    const std::vector<BYTE> high = ImageOf(blocks, m_versionAddress, m_versionAddress + kBlockSize - 1);
    std::copy(high.begin(), high.end(), version.begin());
    const DWORD lowAddress = m_versionAddress - m_adapterTop;
    const std::vector<BYTE> low = ImageOf(blocks, lowAddress, lowAddress + kBlockSize - 1);
    std::copy(low.begin(), low.end(), lowVersion.begin());
    return kOk;
}

WORD CAdapterProgram::CheckEmulatorFirmware() {
    if (m_memory == nullptr) {
        return kAborted;
    }
    std::array<BYTE, kBlockSize> identity{};
    if (const WORD read = ReadEmulator(kIdentityAddress, identity.data(), identity.size()); read != kOk) {
        return read;
    }
    if (!KnownIdentity(identity)) {
        return kAborted;
    }
    bool damagedOnce = false;
    while (true) {
        if (const DWORD checked = m_memory->AdapterSumCheck(0); checked != 0) {
            return static_cast<WORD>(checked);
        }
        char status[2] = {};
        if (const WORD read = ReadMailbox(status); read != kOk) {
            return read;
        }
        if (!StatusOk(status)) {
            if (damagedOnce) {
                Warn("The contents of a flash memory are damaged.");
                return kAborted;
            }
            damagedOnce = true;
            Warn("The contents of a flash memory are damaged.\nEmulator firmware is downloaded.");
            if (const WORD updated = UpdateEmulatorFirmware(); updated != kOk) {
                return updated;
            }
            continue;
        }
        std::array<BYTE, kBlockSize> firmwareIdentity{};
        if (const WORD read = ReadEmulator(kFirmwareIdentityAddress, firmwareIdentity.data(), kBlockSize);
            read != kOk) {
            return read;
        }
        if (!KnownIdentity(firmwareIdentity)) {
            if (!AskOkCancel("Emulator firmware does not correspond to work with this version of KTR. \nUpdate now?")) {
                return kAborted;
            }
            if (const WORD updated = UpdateEmulatorFirmware(); updated != kOk) {
                return updated;
            }
            continue;
        }
        AdapterVersionRecord emulatorLow{};
        AdapterVersionRecord emulatorVersion{};
        if (const WORD read = ReadEmulator(m_versionAddress - m_adapterTop, emulatorLow.data(), kBlockSize);
            read != kOk) {
            return read;
        }
        if (const WORD read = ReadEmulator(m_versionAddress, emulatorVersion.data(), kBlockSize); read != kOk) {
            return read;
        }
        AdapterVersionRecord fileLow{};
        AdapterVersionRecord fileVersion{};
        if (const WORD read = ReadAdapterProgramFile(fileLow, fileVersion); read != kOk) {
            return kAborted;
        }
        if (m_record != nullptr) {
            *m_record = fileVersion;
        }
        const auto refuse = [&] {
            if (m_record != nullptr) {
                *m_record = emulatorVersion;
            }
            ShowTargetError("The Emulator firmware does not correspond.", MB_ICONQUESTION);
            return kAborted;
        };
        if (m_lowRange && emulatorLow != fileLow) {
            if (!AskOkCancel("The another version of Emulator firmware is necessary to work with this application "
                             "program. \nDownload now?")) {
                return refuse();
            }
            if (const WORD updated = UpdateEmulatorFirmware(); updated != kOk) {
                return updated;
            }
            continue;
        }
        if (emulatorVersion == fileVersion) {
            return kOk;
        }
        if (emulatorVersion < fileVersion) {
            if (!AskOkCancel("A newer version of Emulator firmware is available. \nUpdate now?")) {
                if (m_record != nullptr) {
                    *m_record = emulatorVersion;
                }
                return kAborted;
            }
        } else if (!AskOkCancel("An older version of Emulator firmware is necessary to work with this application "
                                "program. \nDownload older version now?")) {
            return refuse();
        }
        if (const WORD updated = UpdateEmulatorFirmware(); updated != kOk) {
            return updated;
        }
    }
}

WORD CAdapterProgram::DownloadMonitorProgram(const std::string& file, const char* const texts[4]) {
    std::vector<MotBlock> blocks;
    if (ReadMotBlocks(file, blocks) != MotReadResult::Done || blocks.empty()) {
        Warn(texts[0]);
        return kAborted;
    }
    DWORD first = blocks.front().address;
    DWORD last = first;
    for (const MotBlock& block : blocks) {
        first = std::min(first, block.address);
        last = std::max(last, block.address + static_cast<DWORD>(block.bytes.size()) - 1);
    }
    if (last - first >= kStagingEnd - kStagingAddress + 1) {
        Warn(texts[0]);
        return kAborted;
    }
    const std::vector<BYTE> image = ImageOf(blocks, first, last);
    if (const WORD staged = StageBytes(image.data(), image.size()); staged != kOk) {
        Warn(texts[0]);
        return staged;
    }
    const DWORD called = m_memory->MonpProgDownload(static_cast<WORD>(image.size()), first,
                                                    TwosComplementSum(image.data(), image.size()));
    char status[2] = {};
    if (called != 0 || ReadMailbox(status) != kOk) {
        Warn(texts[3]);
        return called != 0 ? static_cast<WORD>(called) : kAborted;
    }
    if (StatusOk(status)) {
        return kOk;
    }
    Warn(StatusIs(status, "SM") ? texts[1] : StatusIs(status, "PE") ? texts[2] : texts[3]);
    return kAborted;
}

WORD CAdapterProgram::PreEraseWrite(BYTE mode) {
    char status[2] = {};
    if (m_memory->PreEraseWrite_Erase(mode, 0) != 0 || ReadMailbox(status) != kOk || !StatusOk(status)) {
        Warn("Can't change pre erase/write mode .");
        return kAborted;
    }
    return kOk;
}

WORD CAdapterProgram::EraseAdapterArea() {
    char status[2] = {};
    if (m_memory->PreEraseWrite_Erase(0, 0) != 0 || ReadMailbox(status) != kOk) {
        Warn("Can't change pre erase/write mode .");
        return kAborted;
    }
    if (StatusOk(status)) {
        return kOk;
    }
    Warn(StatusIs(status, "ER")   ? "Erase command erase error."
         : StatusIs(status, "PE") ? "Erase command protocol error."
                                  : "Erase command unknown error.");
    return kAborted;
}

WORD CAdapterProgram::WriteAdapterProgram(CDownloadProgress& progress) {
    std::vector<MotBlock> blocks;
    const MotReadResult read = ReadMotBlocks(m_adapterProgram, blocks);
    if (read != MotReadResult::Done) {
        Warn("Can't find Emulator firmware file. (" + FullPath(m_adapterProgram) + ")");
        return kMotFileError;
    }
    const DWORD first = m_lowRange ? m_lowTop : m_adapterTop;
    const std::vector<BYTE> image = ImageOf(blocks, first, m_adapterEnd);
    const auto erased = [](const BYTE* block) {
        return std::all_of(block, block + kDownloadBlock, [](BYTE b) { return b == 0xFF; });
    };
    std::size_t toSend = 0;
    for (std::size_t offset = 0; offset + kDownloadBlock <= image.size(); offset += kDownloadBlock) {
        toSend += erased(image.data() + offset) ? 0 : kDownloadBlock;
    }
    std::size_t sent = 0;
    for (std::size_t offset = 0; offset + kDownloadBlock <= image.size(); offset += kDownloadBlock) {
        progress.SetPercent(toSend == 0 ? 100 : static_cast<int>(sent * 100 / toSend));
        const BYTE* block = image.data() + offset;
        if (erased(block)) {
            continue;
        }
        if (const WORD staged = StageBytes(block, kDownloadBlock); staged != kOk) {
            Warn("Emulator firmware write error.");
            return staged;
        }
        const DWORD called = m_memory->AdapterProgramDownload(first + static_cast<DWORD>(offset), kStagingAddress,
                                                              TwosComplementSum(block, kDownloadBlock));
        char status[2] = {};
        if (called != 0 || ReadMailbox(status) != kOk) {
            Warn("Emulator firmware write error.");
            return called != 0 ? static_cast<WORD>(called) : kAborted;
        }
        if (!StatusOk(status)) {
            Warn(StatusIs(status, "SM")   ? "Emulator firmware write checksum error."
                 : StatusIs(status, "WT") ? "Emulator firmware write error."
                 : StatusIs(status, "PE") ? "Emulator firmware write protocol error."
                                          : "Emulator firmware write unknown error.");
            return kAborted;
        }
        sent += kDownloadBlock;
    }
    const DWORD closed = m_memory->AdapterProgramDownload(kEndOfDownload, kStagingAddress, 0);
    char status[2] = {};
    if (closed != 0 || ReadMailbox(status) != kOk) {
        Warn("Emulator firmware write error.");
        return closed != 0 ? static_cast<WORD>(closed) : kAborted;
    }
    if (!StatusOk(status)) {
        Warn("Emulator firmware file download error.");
        return kAborted;
    }
    progress.SetPercent(100);
    return kOk;
}

WORD CAdapterProgram::UpdateEmulatorFirmware() {
    if (g_updateStarted) {
        Warn("Emulator firmware file download error.");
        return kAborted;
    }
    g_updateStarted = true;
    if (m_memory == nullptr) {
        return kAborted;
    }
    if (m_record != nullptr && (*m_record)[0] == 255) {
        AdapterVersionRecord low{};
        ReadAdapterProgramFile(low, *m_record);
    }
    CDownloadProgress progress;
    char status[2] = {};
    if (m_memory->MonpOpen(0) != 0 || ReadMailbox(status) != kOk || !StatusOk(status)) {
        Warn("Can't change Emulator firmware write mode.");
        return kAborted;
    }
    static const char* const kMainTexts[4] = {"Emulator firmware write main program file download error.",
                                              "Emulator firmware write main program checksum error.",
                                              "Emulator firmware write main program protocol error.",
                                              "Emulator firmware write main program unknown error."};
    static const char* const kEraseTexts[4] = {"Emulator firmware erase program file download error.",
                                               "Emulator firmware erase program checksum error.",
                                               "Emulator firmware erase program protocol error.",
                                               "Emulator firmware erase program unknown error."};
    static const char* const kWriteTexts[4] = {"Emulator firmware write program file download error.",
                                               "Emulator firmware write program checksum error.",
                                               "Emulator firmware write program protocol error.",
                                               "Emulator firmware write program unknown error."};
    WORD result = DownloadMonitorProgram(m_mainProgram, kMainTexts);
    if (result == kOk) {
        result = PreEraseWrite(1);
    }
    if (result == kOk) {
        result = DownloadMonitorProgram(m_eraseProgram, kEraseTexts);
    }
    if (result == kOk) {
        result = EraseAdapterArea();
    }
    if (result == kOk) {
        result = PreEraseWrite(1);
    }
    if (result == kOk) {
        result = DownloadMonitorProgram(m_writeProgram, kWriteTexts);
    }
    if (result == kOk) {
        result = WriteAdapterProgram(progress);
    }
    return result;
}
