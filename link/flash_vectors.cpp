// The firmware's vectors and ID code in the flash, and the "Flash Write"
// completion with its checksum report.
#include "link/emulator_link.h"
#include "link/firm_command.h"
#include "link/flash_blocks.h"
#include "link/flash_mirror.h"
#include "link/host_reports.h"
#include "link/link_results.h"
#include "config/device_data.h"
#include "link/flash_services.h"
#include "config/settings_files.h"
#include "config/target_config.h"

#include "platform/afx_wnd.h"
#include "platform/clock.h"
#include "platform/ui.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

using namespace link_result;

constexpr std::size_t kVectorIndexes = kVectorCount;
constexpr std::size_t kIdCodeBytes = 7;
constexpr std::array<DWORD, kIdCodeBytes> kIdCodeOffsets = {0, 4, 12, 16, 20, 24, 28};
constexpr DWORD kPage = 256;
// The pause of the paged completion before it programs.
constexpr DWORD kProgramPause = 100;
constexpr char kWritingText[] = " Flash memory writing ... ";
constexpr char kWriteEndText[] = " Flash memory write end ";

// The vector bytes of the protocol type: 2 with type 4, else 3.
std::size_t VectorBytes() {
    return g_protocolType == 4 ? 2 : 3;
}

DWORD IdCodeAddress(std::size_t index) {
    const DWORD base = g_deviceValues.setAddr[5];
    return g_protocolType == 4 ? base + static_cast<DWORD>(index) : base + kIdCodeOffsets[index];
}

// A vector the configuration exempts: the second one in the emulation mode,
// the fifth when the break-mode settings give it to the user program.
bool VectorExempt(std::size_t index) {
    return (index == 1 && GetEmulationMode() == 1) || (index == 4 && GetBreakModeValues().value4 == 1);
}

}  // namespace

WORD CFirmCommand::CheckFirmwareVectors() {
    const DeviceValues& device = g_deviceValues;
    const std::size_t bytes = VectorBytes();
    bool differs = false;
    for (std::size_t i = 0; i < kVectorIndexes && !differs; ++i) {
        if (VectorExempt(i)) {
            continue;
        }
        std::array<BYTE, 3> read{};
        if (const WORD result = ReadMemory(access_code::kByte, device.setAddr[i], static_cast<DWORD>(bytes), read.data());
            result != kOk) {
            return result;
        }
        differs = !std::equal(read.begin(), read.begin() + static_cast<std::ptrdiff_t>(bytes), device.vectors[i].begin());
    }
    if (!differs && g_protocolType != 0) {
        std::array<BYTE, 3> read{};
        if (const WORD result = ReadMemory(access_code::kByte, device.setAddr[6], static_cast<DWORD>(bytes), read.data());
            result != kOk) {
            return result;
        }
        differs = !std::equal(read.begin(), read.begin() + static_cast<std::ptrdiff_t>(bytes), device.firmResetAddr.begin());
    }
    if (!differs && g_emuSel != connect_mode::kProgramFlash) {
        for (std::size_t i = 0; i < kIdCodeBytes && !differs; ++i) {
            BYTE value = 0;
            if (const WORD result = ReadMemory(access_code::kByte, IdCodeAddress(i), 1, &value); result != kOk) {
                return result;
            }
            differs = value != 0xFF;
        }
    }
    if (!differs) {
        return kOk;
    }
    if (const WORD written = WriteFirmwareVectors(); written != kOk) {
        return written;
    }
    if (g_emuSel == connect_mode::kProgramFlash) {
        return kOk;
    }
    if (g_protocolType == 4) {
        std::fill_n(g_firmWriteData.begin(), kIdCodeBytes, BYTE{0xFF});
        return WriteMemory(access_code::kByte, IdCodeAddress(0), kIdCodeBytes, 0);
    }
    for (std::size_t i = 0; i < kIdCodeBytes; ++i) {
        g_firmWriteData[0] = 0xFF;
        if (const WORD written = WriteMemory(access_code::kByte, IdCodeAddress(i), 1, 0); written != kOk) {
            return written;
        }
    }
    return kOk;
}

WORD CFirmCommand::WriteFirmwareVectors() {
    const DeviceValues& device = g_deviceValues;
    const std::size_t bytes = VectorBytes();
    for (std::size_t i = 0; i < kVectorIndexes; ++i) {
        if (VectorExempt(i)) {
            continue;
        }
        // The first vector's slot is written whole with protocol types 0 to 2.
        const std::size_t count = i == 0 && g_protocolType <= 2 ? 4 : bytes;
        std::copy_n(device.vectors[i].begin(), count, g_firmWriteData.begin());
        if (const WORD written = WriteMemory(access_code::kByte, device.setAddr[i], static_cast<DWORD>(count), 0);
            written != kOk) {
            return written;
        }
    }
    if (g_protocolType != 0) {
        std::copy_n(device.firmResetAddr.begin(), bytes, g_firmWriteData.begin());
        return WriteMemory(access_code::kByte, device.setAddr[6], static_cast<DWORD>(bytes), 0);
    }
    return kOk;
}

WORD CFirmCommand::InstallFirmwareVectors() {
    return WriteFirmwareVectors();
}

WORD CFirmCommand::ReadIdCode(DWORD* first, DWORD* second, bool pagedRead) {
    DWORD page = 0;
    if (pagedRead) {
        page = g_protocolType == 2 ? 0xFFF00 : g_protocolType == 4 ? 0xFF00 : 0xFFFF00;
    } else if (g_protocolType == 0 && g_swtiSupported == 0) {
        page = 0xFF80;
    } else {
        page = g_swtiSupported != 0 && g_protocolType == 2 ? 0xFFF00 : 0xFF00;
    }
    std::array<BYTE, kPage> bytes{};
    if (const WORD read = ReadChipPage(pagedRead, page, bytes); read != kOk) {
        return read;
    }
    std::array<BYTE, kIdCodeBytes> code{};
    for (std::size_t i = 0; i < kIdCodeBytes; ++i) {
        const DWORD address = IdCodeAddress(i);
        // The device data must place the ID code in the page read.
        if (address < page || address - page >= kPage) {
            return kAborted;
        }
        code[i] = bytes[address - page];
    }
    *first = (DWORD{code[0]} << 16) | (DWORD{code[1]} << 8) | code[2];
    *second = (DWORD{code[3]} << 24) | (DWORD{code[4]} << 16) | (DWORD{code[5]} << 8) | code[6];
    return kOk;
}

WORD CFirmCommand::WriteFlashAndReport() {
    return FlashAndReport(false);
}

WORD CFirmCommand::WriteFlashAndReportPaged() {
    if (g_protocolType <= 1) {
        ShowTargetError(kFlashWriteFailedText, MB_ICONINFORMATION);
        return kOk;
    }
    return FlashAndReport(true);
}

WORD CFirmCommand::FlashAndReport(bool paged) {
    const FlashBlockState& blocks = g_flashBlocks;
    if (m_link == nullptr) {
        return kTimeout;
    }
    if (std::none_of(blocks.dirty.begin(), blocks.dirty.begin() + blocks.count, [](BYTE d) { return d != 0; })) {
        return kOk;
    }
    CWaitCursor wait;
    WORD result = m_link->BeginAdapterWrite();
    if (result != kOk) {
        return result;
    }
    ReportErrorTextToHost(kWritingText);
    if (paged) {
        Sleep(kProgramPause);
    }
    result = m_link->ProgramAllFlashBlocks();
    if (result != kOk) {
        return result;
    }
    ClearFlashDirtyFlags();
    ReportErrorTextToHost(kWriteEndText);
    CheckProtectedRegisters();

    DWORD chipSum = 0;
    DWORD mirrorSum = 0;
    result = ForEachChipPage(paged, [&](DWORD page, std::span<const BYTE> bytes) {
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            chipSum += bytes[i];
            mirrorSum += g_flashMirror[page + i];
        }
    });
    if (result != kOk) {
        return result;
    }
    if (chipSum != mirrorSum) {
        ShowTargetError("Flash memory writing NG.\nChecksum is wrong.", MB_ICONINFORMATION);
        return kOk;
    }
    DWORD first = 0;
    DWORD second = 0;
    if (const WORD read = ReadIdCode(&first, &second, paged); read != kOk) {
        return read;
    }
    char text[96];
    std::snprintf(text, sizeof(text), "Flash memory writing OK.\nChecksum = H'%08X\nID code=H'%06X%08X",
                  static_cast<unsigned>(chipSum), static_cast<unsigned>(first), static_cast<unsigned>(second));
    ShowTargetError(text, MB_ICONINFORMATION);
    return kOk;
}
