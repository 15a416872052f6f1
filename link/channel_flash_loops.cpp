// The adapter channel's erase and program loops: relayed block erases and
// page programs with status polling (protocol types 2 to 4), and the
// adapter's 'E' erases and 0x86 program records (protocol types 0 and 1).
#include "link/channel_frames.h"
#include "link/emulator_channel.h"
#include "link/flash_mirror.h"
#include "link/link_results.h"
#include "config/device_data.h"

#include "platform/clock.h"

#include <algorithm>
#include <optional>
#include <set>

namespace {

using namespace link_result;

// The flash status register (first status byte).
constexpr BYTE kStatusReady = 0x80;
constexpr BYTE kStatusEraseError = 0x20;
constexpr BYTE kStatusProgramError = 0x10;
// How long a status poll waits for the ready bit.
constexpr DWORD kPollLimit = 2000;
constexpr DWORD kLastPagePollLimit = 2001;
// Attempts per page whose status could not be read, and per program record.
constexpr int kPageAttempts = 3;
constexpr int kRecordAttempts = 3;
constexpr DWORD kPageSize = 256;
constexpr DWORD kRecordSize = channel_frame::kRecordDataSize;
// The fixed-vector page that the program records end with.
constexpr DWORD kFixedVectorRecord = 0xFF80;
// The blocks erased without an erase table (protocol types 0 and 1).
constexpr DWORD kDataFlashBlocks[] = {0x2400, 0x2800};
constexpr DWORD kProgramFlashBlocks[] = {0xC000, 0xE000};

bool TypeIn(DWORD first, DWORD last) {
    return g_protocolType >= first && g_protocolType <= last;
}

DWORD BlockCount() {
    return std::min<DWORD>(g_deviceValues.flashBlockCount, static_cast<DWORD>(kFlashTableSize));
}

DWORD EraseCount() {
    return std::min<DWORD>(g_deviceValues.eraseBlockCount, static_cast<DWORD>(kFlashTableSize));
}

const DeviceArea& FirmwareArea() {
    return g_deviceAreas[kAreaAse1];
}

// The index of the flash block holding the address, or none.
std::optional<std::size_t> BlockHolding(DWORD address) {
    for (std::size_t i = 0; i < BlockCount(); ++i) {
        if (g_deviceValues.flashBlockTop[i] <= address && address <= g_deviceValues.flashBlockEnd[i]) {
            return i;
        }
    }
    return std::nullopt;
}

// The first flash block whose end lies above the address.
std::optional<std::size_t> FirstBlockEndingAbove(DWORD address) {
    for (std::size_t i = 0; i < BlockCount(); ++i) {
        if (g_deviceValues.flashBlockEnd[i] > address) {
            return i;
        }
    }
    return std::nullopt;
}

// The first erase-table address at or above the address.
std::optional<DWORD> FirstEraseAddressFrom(DWORD address) {
    for (std::size_t i = 0; i < EraseCount(); ++i) {
        if (g_deviceValues.eraseTable[i] >= address) {
            return g_deviceValues.eraseTable[i];
        }
    }
    return std::nullopt;
}

// The addresses a whole-flash erase goes through: the device's erase table
// when it has one, else each flash block's address as the erase names it.
template <typename BlockAddress>
std::vector<DWORD> EraseTableOrBlocks(BlockAddress blockAddress) {
    if (EraseCount() != 0) {
        return {g_deviceValues.eraseTable.begin(), g_deviceValues.eraseTable.begin() + EraseCount()};
    }
    std::vector<DWORD> addresses;
    for (std::size_t i = 0; i < BlockCount(); ++i) {
        addresses.push_back(blockAddress(i));
    }
    return addresses;
}

bool AllErased(DWORD address, DWORD count) {
    return std::all_of(g_flashMirror.begin() + address, g_flashMirror.begin() + address + count,
                       [](BYTE b) { return b == 0xFF; });
}

}  // namespace

// The address an 'E' erases a block by in protocol types 2 to 4: the
// block's end address less one.
DWORD CEmulatorChannel::BlockEndAddressForErase(std::size_t block) const {
    return g_deviceValues.flashBlockEnd[block] - 1;
}

// ---- status polling ----

WORD CEmulatorChannel::PollFlashStatus(PollKind kind, DWORD limitMilliseconds) {
    const DWORD start = GetTickCount();
    while (true) {
        WORD status = 0;
        if (const WORD read = ReadStatus(&status); read != kOk) {
            return read;
        }
        const BYTE flags = static_cast<BYTE>(status);
        if (kind == PollKind::Program && (flags & kStatusProgramError) != 0) {
            return kWriteError;
        }
        if (kind == PollKind::Erase && (flags & kStatusEraseError) != 0) {
            return kEraseError;
        }
        if ((flags & kStatusReady) != 0) {
            return kOk;
        }
        if (GetTickCount() - start > limitMilliseconds) {
            return kTimeout;
        }
        Sleep(0);
    }
}

// ---- relayed erases (protocol types 2 to 4) ----

WORD CEmulatorChannel::EraseAddressesPolled(const std::vector<DWORD>& addresses) {
    if (g_deviceValues.lockBit == 1) {
        if (const WORD result = EnableLockBits(); result != kOk) {
            return result;
        }
    }
    if (const WORD result = ClearStatus(); result != kOk) {
        return result;
    }
    std::set<DWORD> erased;
    for (const DWORD address : addresses) {
        if (erased.insert(address).second) {
            if (const WORD result = EraseBlock(address); result != kOk) {
                return result;
            }
        }
        if (const WORD result = PollFlashStatus(PollKind::Erase, kPollLimit); result != kOk) {
            ShowFailure(result);
            return result;
        }
    }
    return kOk;
}

WORD CEmulatorChannel::EraseFlashBlocksPolled() {
    if (!TypeIn(2, 4)) {
        return kAborted;
    }
    return EraseAddressesPolled(EraseTableOrBlocks([](std::size_t i) { return g_deviceValues.flashBlockEnd[i]; }));
}

// The variant that erases only the blocks the firmware and the vectors need.
WORD CEmulatorChannel::EraseFirmwareBlocksPolled() {
    std::vector<DWORD> addresses;
    const auto add = [&](std::optional<std::size_t> block) {
        if (block) {
            addresses.push_back(g_deviceValues.flashBlockEnd[*block]);
        }
    };
    add(FirstBlockEndingAbove(g_deviceValues.setAddr[6]));
    const auto atTop = FirstBlockEndingAbove(FirmwareArea().top);
    add(atTop);
    if (atTop && g_deviceValues.flashBlockEnd[*atTop] <= FirmwareArea().end) {
        add(FirstBlockEndingAbove(FirmwareArea().end));
    }
    return EraseAddressesPolled(addresses);
}

// ---- adapter erases ----

WORD CEmulatorChannel::EraseFirmwareBlocks() {
    if (!TypeIn(0, 1)) {
        return kAborted;
    }
    std::vector<DWORD> addresses;
    if (EraseCount() != 0) {
        addresses.assign(g_deviceValues.eraseTable.begin(), g_deviceValues.eraseTable.begin() + EraseCount());
    } else {
        if (g_deviceAreas[kAreaDatf].enable == 1) {
            addresses.insert(addresses.end(), std::begin(kDataFlashBlocks), std::end(kDataFlashBlocks));
        }
        addresses.insert(addresses.end(), std::begin(kProgramFlashBlocks), std::end(kProgramFlashBlocks));
    }
    return SendAdapterErases(addresses);
}

WORD CEmulatorChannel::EraseFirmwareBlocksAt() {
    std::vector<DWORD> addresses;
    if (const auto vectors = FirstEraseAddressFrom(g_deviceValues.setAddr[6])) {
        addresses.push_back(*vectors);
    }
    const auto atTop = FirstEraseAddressFrom(FirmwareArea().top);
    if (atTop) {
        addresses.push_back(*atTop);
        if (*atTop < FirmwareArea().end) {
            if (const auto atEnd = FirstEraseAddressFrom(FirmwareArea().end)) {
                addresses.push_back(*atEnd);
            }
        }
    }
    // A block named twice (the vectors in the firmware's block) is erased once.
    std::vector<DWORD> unique;
    std::set<DWORD> seen;
    for (const DWORD address : addresses) {
        if (seen.insert(address).second) {
            unique.push_back(address);
        }
    }
    return SendAdapterErases(unique);
}

// One adapter erase after the other; the first failure is shown and ends them.
WORD CEmulatorChannel::SendAdapterErases(const std::vector<DWORD>& addresses) {
    for (const DWORD address : addresses) {
        if (const WORD result = SendAdapterErase(address); result != kOk) {
            ShowFailure(result);
            return result;
        }
    }
    return kOk;
}

WORD CEmulatorChannel::EraseAllAdapterBlocks() {
    if (!TypeIn(2, 4)) {
        return kAborted;
    }
    return SendAdapterErases(EraseTableOrBlocks([this](std::size_t i) { return BlockEndAddressForErase(i); }));
}

WORD CEmulatorChannel::EraseAdapterBlock(DWORD block) {
    if (!TypeIn(0, 1) || block >= BlockCount()) {
        return kAborted;
    }
    const WORD result = SendAdapterErase(g_deviceValues.flashBlockTop[block]);
    ShowFailure(result);
    return result;
}

WORD CEmulatorChannel::EraseAdapterBlockEnd(DWORD block) {
    if (!TypeIn(2, 4) || block >= BlockCount()) {
        return kAborted;
    }
    const WORD result = SendAdapterErase(BlockEndAddressForErase(block));
    ShowFailure(result);
    return result;
}

// ---- page programming (protocol types 2 to 4) ----

WORD CEmulatorChannel::ProgramPagePolled(DWORD address, DWORD pollLimit) {
    if (!InFlashMirror(address, kPageSize)) {
        return kAborted;
    }
    const std::span<const BYTE, kPageSize> page(g_flashMirror.data() + address, kPageSize);
    WORD result = kOk;
    for (int attempt = 0; attempt < kPageAttempts; ++attempt) {
        if (const WORD sent = ProgramPage(address, page); sent != kOk) {
            return sent;
        }
        result = PollFlashStatus(PollKind::Program, pollLimit);
        if (result == kOk || result == kWriteError || result == kTimeout) {
            return result;
        }
        // The status could not be read: the same page once more, a bounded
        // number of times, then the read's result.
    }
    return result;
}

WORD CEmulatorChannel::ProgramPages(DWORD top, DWORD end, DWORD pollLimit) {
    if (top > end) {
        return kOk;
    }
    for (DWORD address = top;; address += kPageSize) {
        if (const WORD result = ProgramPagePolled(address, pollLimit); result != kOk) {
            return result;
        }
        if (end - address < kPageSize) {
            return kOk;
        }
    }
}

WORD CEmulatorChannel::ProgramImagePages() {
    if (const WORD result = ClearStatus(); result != kOk) {
        return result;
    }
    const DeviceArea& area = FirmwareArea();
    WORD result = ProgramPages(area.top, area.end, kPollLimit);
    if (result == kOk) {
        const DWORD flashEnd = g_deviceAreas[kAreaFlas].end;
        result = ProgramPagePolled(flashEnd - (kPageSize - 1), kLastPagePollLimit);
    }
    ShowFailure(result);
    return result;
}

// The whole blocks that hold the firmware area, then the block that holds the
// reset vector (the last block when none does).
std::vector<std::pair<DWORD, DWORD>> CEmulatorChannel::FirmwareBlockRanges() const {
    std::vector<std::pair<DWORD, DWORD>> ranges;
    if (BlockCount() == 0) {
        return ranges;
    }
    const DeviceArea& area = FirmwareArea();
    const auto first = BlockHolding(area.top);
    const auto last = BlockHolding(area.end);
    if (first && last) {
        ranges.emplace_back(g_deviceValues.flashBlockTop[*first], g_deviceValues.flashBlockEnd[*last]);
    }
    const std::size_t vectorBlock = BlockHolding(g_deviceValues.setAddr[6]).value_or(BlockCount() - 1);
    const std::pair<DWORD, DWORD> vectors{g_deviceValues.flashBlockTop[vectorBlock],
                                          g_deviceValues.flashBlockEnd[vectorBlock]};
    if (ranges.empty() || vectors.second < ranges[0].first || vectors.first > ranges[0].second) {
        ranges.push_back(vectors);
    }
    return ranges;
}

WORD CEmulatorChannel::ProgramImagePagesBlocks() {
    if (const WORD result = ClearStatus(); result != kOk) {
        return result;
    }
    for (const auto& [top, end] : FirmwareBlockRanges()) {
        if (const WORD result = ProgramPages(top, end - (kPageSize - 1), kPollLimit); result != kOk) {
            ShowFailure(result);
            return result;
        }
    }
    return kOk;
}

WORD CEmulatorChannel::ProgramBlocksByPages() {
    if (const WORD result = ClearStatus(); result != kOk) {
        return result;
    }
    WORD result = kOk;
    for (std::size_t block = 0; block < BlockCount(); ++block) {
        const DWORD top = g_deviceValues.flashBlockTop[block];
        const DWORD end = g_deviceValues.flashBlockEnd[block];
        for (DWORD address = top; address < end; address += kPageSize) {
            result = ProgramPagePolled(address, kPollLimit);
            if (result == kWriteError) {
                ShowFailure(result);
                return result;
            }
            if (result != kOk) {
                ShowFailure(result);
                break;  // this block ends; the next one follows
            }
            if (end - address <= kPageSize) {
                break;
            }
        }
    }
    return result;
}

// ---- program records (protocol types 0 and 1) ----

WORD CEmulatorChannel::SendRecordWithAttempts(DWORD address) {
    if (!InFlashMirror(address, kRecordSize)) {
        return kAborted;
    }
    const std::span<const BYTE, kRecordSize> data(g_flashMirror.data() + address, kRecordSize);
    WORD result = kOk;
    for (int attempt = 0; attempt < kRecordAttempts; ++attempt) {
        auto record = channel_frame::ProgramRecord(address, data);
        result = Exchange(record, kTimeoutData);
        if (result != kSumCheckError) {
            break;  // a sum error alone is worth another attempt
        }
    }
    return result;
}

WORD CEmulatorChannel::SendRecords(DWORD from, DWORD to, bool skipErased) {
    if (from > to) {
        return kOk;
    }
    for (DWORD address = from;; address += kRecordSize) {
        const bool skip = skipErased && InFlashMirror(address, kRecordSize) && AllErased(address, kRecordSize);
        if (!skip) {
            if (const WORD result = SendRecordWithAttempts(address); result != kOk) {
                return result;
            }
        }
        if (to - address < kRecordSize) {
            return kOk;
        }
    }
}

WORD CEmulatorChannel::EraseAgainAndWrite(std::optional<DWORD> block) {
    WORD result = kOk;
    if (!block) {
        result = TypeIn(0, 1) ? EraseFirmwareBlocks() : EraseAllAdapterBlocks();
    } else if (g_swtiSupported != 0 || TypeIn(0, 1)) {
        result = EraseAdapterBlock(*block);
    } else {
        result = EraseAdapterBlockEnd(*block);
    }
    return result != kOk ? result : SendAdapterCommand('W');
}

WORD CEmulatorChannel::ProgramFirmwareImage() {
    const DeviceArea& area = FirmwareArea();
    bool reErased = false;
    while (true) {
        WORD result = SendRecords(area.top, area.end, false);
        if (result == kOk) {
            result = SendRecordWithAttempts(kFixedVectorRecord);
        }
        if (result == kWriteError && !reErased) {
            // Once per download: erase again and start over from the top.
            reErased = true;
            result = EraseAgainAndWrite(std::nullopt);
            if (result == kOk) {
                continue;
            }
        }
        if (result != kOk) {
            ShowFailure(result);
            return result;
        }
        return SendAdapterCommand(0x11);
    }
}

WORD CEmulatorChannel::ProgramFirmwareImageBlocks() {
    for (const auto& [top, end] : FirmwareBlockRanges()) {
        if (const WORD result = SendRecords(top, end - (kRecordSize - 1), false); result != kOk) {
            ShowFailure(result);
            return result;
        }
    }
    return SendAdapterCommand(0x11);
}

WORD CEmulatorChannel::ProgramFirmwareBlock(DWORD block, DWORD start) {
    if (block >= BlockCount()) {
        return kAborted;
    }
    const DWORD blockEnd = g_deviceValues.flashBlockEnd[block];
    // The block's records, all-0xFF ones skipped; in connect mode 2 a first
    // write error erases the block again and starts over.
    bool reErased = false;
    while (true) {
        WORD result = SendRecords(start, blockEnd - (kRecordSize - 1), true);
        if (result == kWriteError && !reErased && g_emuSel == connect_mode::kProgramFlash) {
            reErased = true;
            result = EraseAgainAndWrite(block);
            if (result == kOk) {
                continue;
            }
        }
        if (result != kOk) {
            ShowFailure(result);
            return result;
        }
        break;
    }
    // The firmware block carries the firmware area too, where the area
    // reaches beyond the records just sent.
    const DeviceArea& area = FirmwareArea();
    if (block != g_deviceValues.firmBlockNo || (area.top >= start && area.end <= blockEnd)) {
        return kOk;
    }
    bool areaReErased = false;
    while (true) {
        WORD result = SendRecords(area.top, area.end, false);
        if (result == kWriteError && !areaReErased) {
            areaReErased = true;
            result = EraseAgainAndWrite(block);
            if (result == kOk) {
                continue;
            }
        }
        if (result != kOk) {
            ShowFailure(result);
        }
        return result;
    }
}

WORD CEmulatorChannel::ProgramAllBlocks() {
    for (std::size_t block = 0; block < BlockCount(); ++block) {
        if (const WORD result = ProgramFirmwareBlock(static_cast<DWORD>(block), g_deviceValues.flashBlockTop[block]);
            result != kOk) {
            return result;
        }
    }
    return SendAdapterCommand(0x11);
}
