// The adapter channel's firmware download: the firmware image (and, when
// asked, the flash-writer program) read into the flash mirror, placed at the
// firmware area and programmed into the microcontroller's flash.
//
// Where records go: the image is linked at "FIRM DEFAULT TOP ADDR" and moved
// to the firmware area's top; records in the vector area stay at their own
// address. The mirror holds the low megabyte of the target's addresses, so a
// record that lands outside it is refused as a file that cannot be read.
// Protocol type 3 images carry their vector table at the top of a 24-bit
// space (0xFFFFDC to 0xFFFFFF); those records are placed at the mirror's own
// vector table, the top 36 bytes of the megabyte (their address less
// 0xF00000), which the last page of the download programs.
#include "link/emulator_channel.h"
#include "link/emulator_link.h"
#include "link/flash_mirror.h"
#include "link/link_results.h"
#include "config/device_data.h"
#include "link/mot_file.h"
#include "config/settings_files.h"
#include "config/target_config.h"

#include "platform/ui.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using namespace link_result;

constexpr char kErrorSending[] = "Error sending firmware";

}  // namespace

// Which bytes of the vector table the download replaces with the device's.
enum class FirmwareVectorPatch {
    None,
    // Protocol types 0 and 1: five vectors of the 16-bit table, and for
    // type 1 the reset vector.
    Table16,
    // Protocol types 2 and 3: four vectors and the reset vector's upper
    // bytes in the table at the end of the given megabyte.
    TablePaged
};

struct FirmwareImageLayout {
    DWORD vectorStart = 0;  // records starting in [vectorStart, vectorEnd] stay put
    DWORD vectorEnd = 0;
    DWORD relocation = 0;   // subtracted from the address of every other record
    FirmwareVectorPatch patch = FirmwareVectorPatch::None;
    DWORD tableBase = 0;    // TablePaged: the megabyte whose vector table is patched
};

namespace {

constexpr DWORD kVectorOffsets16[5] = {0xFFE4, 0xFFE8, 0xFFEC, 0xFFF4, 0xFFF8};
constexpr DWORD kResetVector16 = 0xFFFC;
constexpr DWORD kVectorOffsetsPaged[4] = {0xFFFE4, 0xFFFE8, 0xFFFEC, 0xFFFF4};
constexpr DWORD kResetVectorPaged = 0xFFFFC;

bool TypeIn(DWORD first, DWORD last) {
    return g_protocolType >= first && g_protocolType <= last;
}

// The mirror index of a vector-area address: itself below 1 MiB, else its
// place in the mirrored megabyte's vector table.
DWORD VectorMirrorIndex(DWORD address) {
    return address < kFlashMirrorSize ? address : (address & static_cast<DWORD>(kFlashMirrorSize - 1));
}

void PutMirrorByte(DWORD address, BYTE value) {
    if (InFlashMirror(address, 1)) {
        g_flashMirror[address] = value;
    }
}

// The vector bytes of the device data replace those the image carries: each
// vector's second and third bytes (its address above the low byte), so the
// vectors follow the firmware to its area.
void PatchVectors(const FirmwareImageLayout& layout) {
    const DeviceValues& device = g_deviceValues;
    if (layout.patch == FirmwareVectorPatch::Table16) {
        for (std::size_t i = 0; i < std::size(kVectorOffsets16); ++i) {
            PutMirrorByte(kVectorOffsets16[i] + 1, device.vectors[i][1]);
            PutMirrorByte(kVectorOffsets16[i] + 2, device.vectors[i][2]);
        }
        if (g_protocolType == 1) {
            for (DWORD i = 0; i < 3; ++i) {
                PutMirrorByte(kResetVector16 + i, device.firmResetAddr[i]);
            }
        }
    } else if (layout.patch == FirmwareVectorPatch::TablePaged) {
        for (std::size_t i = 0; i < std::size(kVectorOffsetsPaged); ++i) {
            const DWORD vector = VectorMirrorIndex(layout.tableBase + kVectorOffsetsPaged[i]);
            PutMirrorByte(vector + 1, device.vectors[i][1]);
            PutMirrorByte(vector + 2, device.vectors[i][2]);
        }
        const DWORD reset = VectorMirrorIndex(layout.tableBase + kResetVectorPaged);
        PutMirrorByte(reset + 1, device.firmResetAddr[1]);
        PutMirrorByte(reset + 2, device.firmResetAddr[2]);
    }
}

// Reads every block of an open reader into the mirror; a block that would
// land outside it is refused like an unreadable file.
WORD ReadBlocksIntoMirror(CMotFile& reader, const FirmwareImageLayout& layout, const char* readError) {
    while (true) {
        WORD length = 0;
        const BYTE* data = nullptr;
        DWORD address = 0;
        const WORD read = reader.ReadBlock(&length, &data, &address);
        if (read != kOk) {
            ShowTargetError(readError, MB_ICONWARNING);
            return read;
        }
        if (length == 0) {
            return kOk;
        }
        const bool vector = address >= layout.vectorStart && address <= layout.vectorEnd;
        const DWORD destination = vector ? VectorMirrorIndex(address) : address - layout.relocation;
        if (!InFlashMirror(destination, length)) {
            ShowTargetError(readError, MB_ICONWARNING);
            return kMotFileError;
        }
        std::memcpy(g_flashMirror.data() + destination, data, length);
        if (vector) {
            PatchVectors(layout);
        }
    }
}

// An image linked at the firmware's default top and moved to the firmware
// area, whose records in [vectorStart, vectorEnd] carry the vector table
// patched in the megabyte at tableBase.
FirmwareImageLayout RelocatedPagedLayout(DWORD vectorStart, DWORD vectorEnd, DWORD tableBase) {
    FirmwareImageLayout layout;
    layout.vectorStart = vectorStart;
    layout.vectorEnd = vectorEnd;
    layout.relocation = g_deviceValues.firmDefaultTopAddr - g_deviceAreas[kAreaAse1].top;
    layout.patch = FirmwareVectorPatch::TablePaged;
    layout.tableBase = tableBase;
    return layout;
}

}  // namespace

WORD CEmulatorChannel::ReadFirmwareImage(const FirmwareImageLayout& layout, std::span<const BYTE> readBack) {
    m_firmwareReader = std::make_unique<CMotFile>();
    if (const WORD opened = m_firmwareReader->Open(g_deviceValues.firmName.c_str()); opened != kOk) {
        m_firmwareReader.reset();
        ShowTargetError("Can't find firmware file", MB_ICONWARNING);
        return opened;
    }
    const WORD result = ReadBlocksIntoMirror(*m_firmwareReader, layout, "Error reading firmware file");
    m_firmwareReader.reset();
    if (result != kOk) {
        return result;
    }
    if (layout.patch == FirmwareVectorPatch::Table16 && g_protocolType == 1) {
        // Bytes the adapter read back go into the image at the firmware area.
        const DWORD top = g_deviceAreas[kAreaAse1].top;
        const DWORD count = std::min<DWORD>(g_deviceValues.interruptPatchCount, kWorkRamEntries);
        for (DWORD i = 0; i < count; ++i) {
            const InterruptRegisterPatch& patch = g_deviceValues.interruptPatches[i];
            if (patch.sourceOffset < readBack.size()) {
                PutMirrorByte(top + patch.imageOffset, readBack[patch.sourceOffset]);
            }
        }
    }
    return kOk;
}

WORD CEmulatorChannel::ReadWriterProgram() {
    m_writerReader = std::make_unique<CMotFile>();
    if (const WORD opened = m_writerReader->Open(g_deviceValues.flibName.c_str()); opened != kOk) {
        m_writerReader.reset();
        ShowTargetError("Can't find write file", MB_ICONWARNING);
        return opened;
    }
    FirmwareImageLayout layout;
    layout.vectorStart = 1;  // no vector area: every record moves by the load offset
    layout.vectorEnd = 0;
    layout.relocation = g_targetConfig != nullptr ? g_targetConfig->FlashTop() : 0;
    const WORD result = ReadBlocksIntoMirror(*m_writerReader, layout, "Error reading write file");
    m_writerReader.reset();
    return result;
}

WORD CEmulatorChannel::DownloadFirmware(DWORD variant) {
    if (!TypeIn(0, 1)) {
        return kAborted;
    }
    std::vector<BYTE> readBack;
    if (g_protocolType == 1) {
        std::vector<BYTE> reply(kMaxReply);
        const DWORD recordAddress = g_deviceAreas[kAreaFirm].top;
        const WORD read = m_link != nullptr ? m_link->ReadAdapterRecord(recordAddress, reply)
                                            : ReadAdapterRecord(recordAddress, reply);
        if (read != kOk) {
            return read;
        }
        const std::size_t count = static_cast<std::size_t>((reply[0] << 8) | reply[1]);
        readBack.assign(reply.begin() + 2, reply.begin() + 2 + static_cast<std::ptrdiff_t>(count - 1));
    }
    FirmwareImageLayout layout;
    layout.vectorStart = 0xFFDC;
    layout.vectorEnd = 0xFFFF;
    layout.relocation = g_deviceValues.firmDefaultTopAddr - g_deviceAreas[kAreaAse1].top;
    layout.patch = FirmwareVectorPatch::Table16;
    if (const WORD read = ReadFirmwareImage(layout, readBack); read != kOk) {
        return read;
    }

    const DWORD programSend = g_targetConfig != nullptr ? g_targetConfig->ProgramSend() : 1;
    WORD command = kOk;
    if (programSend == 0) {
        // The download brings the flash writer itself.
        if (const WORD read = ReadWriterProgram(); read != kOk) {
            return read;
        }
        if (g_protocolType == 0) {
            command = SendAdapterCommand('B');
        } else if (const WORD erased = EraseFirmwareBlocks(); erased != kOk) {
            ShowTargetError(kErrorSending, MB_ICONWARNING);
            return erased;
        } else {
            command = SendAdapterCommand('W');
        }
        if (command != kOk) {
            ShowFailure(command);
            ShowTargetError(kErrorSending, MB_ICONWARNING);
            return command;
        }
        if (const WORD programmed = ProgramFirmwareImage(); programmed != kOk) {
            ShowTargetError(kErrorSending, MB_ICONWARNING);
            return programmed;
        }
        return kOk;
    }

    if (g_protocolType == 0) {
        command = SendAdapterCommand('B');
    } else {
        if (variant == 1) {
            EraseFirmwareBlocksAt();  // a failure is shown and the download goes on
        } else if (const WORD erased = EraseFirmwareBlocks(); erased != kOk) {
            ShowTargetError(kErrorSending, MB_ICONWARNING);
            return erased;
        }
        command = SendAdapterCommand('W');
    }
    if (command != kOk) {
        ShowFailure(command);
        ShowTargetError(kErrorSending, MB_ICONWARNING);
        return command;
    }
    const WORD programmed = variant == 1 ? ProgramFirmwareImageBlocks() : ProgramFirmwareImage();
    if (programmed != kOk) {
        ShowTargetError(kErrorSending, MB_ICONWARNING);
        return programmed;
    }
    if (g_protocolType != 0) {
        if (const WORD finished = SendFinish(); finished != kOk) {
            ShowFailure(finished);
            ShowTargetError(kErrorSending, MB_ICONWARNING);
            return finished;
        }
    }
    return kOk;
}

WORD CEmulatorChannel::DownloadFirmwarePaged(DWORD variant, const FirmwareImageLayout& layout, bool fixedValues) {
    if (const WORD read = ReadFirmwareImage(layout, {}); read != kOk) {
        return read;
    }
    if (fixedValues) {
        const DWORD top = g_deviceAreas[kAreaAse1].top;
        const DWORD ramTop = g_deviceAreas[kAreaFirm].top;
        PutMirrorByte(top + g_deviceValues.firmRamSet, static_cast<BYTE>(ramTop));
        PutMirrorByte(top + g_deviceValues.firmRamSet + 1, static_cast<BYTE>(ramTop >> 8));
        PutMirrorByte(top + g_deviceValues.writeRamSet, static_cast<BYTE>(g_deviceValues.flproTop));
        PutMirrorByte(top + g_deviceValues.writeRamSet + 1, static_cast<BYTE>(g_deviceValues.flproTop >> 8));
        if (g_watchdogSettings.option == 1) {
            PutMirrorByte(top + g_deviceValues.wdtInfoSet, g_watchdogSettings.value);
        }
    }
    WORD result = variant == 1 ? EraseFirmwareBlocksPolled() : EraseFlashBlocksPolled();
    if (result == kOk) {
        result = variant == 1 ? ProgramImagePagesBlocks() : ProgramImagePages();
    }
    if (result != kOk) {
        ShowTargetError(kErrorSending, MB_ICONWARNING);
    }
    return result;
}

WORD CEmulatorChannel::DownloadFirmwareType2(DWORD variant) {
    if (!TypeIn(2, 4)) {
        return kAborted;
    }
    return DownloadFirmwarePaged(variant, RelocatedPagedLayout(0xFFFDC, 0xFFFFF, 0x00000), true);
}

WORD CEmulatorChannel::DownloadFirmwareType3(DWORD variant) {
    if (!TypeIn(2, 4)) {
        return kAborted;
    }
    return DownloadFirmwarePaged(variant, RelocatedPagedLayout(0xFFFFDC, 0xFFFFFF, 0xF00000), true);
}

WORD CEmulatorChannel::DownloadFirmwareType4(DWORD variant) {
    if (g_protocolType != 4) {
        return kAborted;
    }
    FirmwareImageLayout layout;
    layout.vectorStart = 0xFFD4;
    layout.vectorEnd = 0xFFFF;
    return DownloadFirmwarePaged(variant, layout, false);
}
