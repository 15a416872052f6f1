// The flash mirror's blocks: reset, loading from the chip, dirty flags and
// the refresh after a stop.
#include "link/channel_frames.h"
#include "link/emulator_link.h"
#include "link/firm_command.h"
#include "link/firm_state.h"
#include "link/flash_blocks.h"
#include "link/flash_mirror.h"
#include "link/link_results.h"
#include "link/special_register_scope.h"
#include "link/monitor_run_state.h"
#include "config/device_data.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using namespace link_result;

constexpr DWORD kPage = 256;
constexpr DWORD kHalfPage = 128;
constexpr DWORD kRefreshPiece = 128;
constexpr DWORD kMaxPerRead = 32768;

// The part of [top, end] that the mirror holds; false when none.
bool ClampToMirror(DWORD top, DWORD& end) {
    if (top >= kFlashMirrorSize || end < top) {
        return false;
    }
    end = std::min<DWORD>(end, kFlashMirrorSize - 1);
    return true;
}

}  // namespace

DWORD CFirmCommand::ResetFlashBlocks() {
    FlashBlockState& blocks = g_flashBlocks;
    const DeviceValues& device = g_deviceValues;
    blocks.top = device.flashBlockTop;
    blocks.end = device.flashBlockEnd;
    // The count from the device data never reaches past the tables.
    blocks.count = std::min<DWORD>(device.flashBlockCount, kFlashTableSize);
    blocks.loaded.fill(0);
    blocks.dirty.fill(0);
    blocks.chipBytes.clear();
    g_flashMirror.fill(0xFF);
    g_suspendState.state = 0;
    g_suspendState.copy = 0;
    blocks.secondMirrorWord = 0;
    blocks.mirrorState = 1;
    return 0xFFFFFFFF;
}

WORD CFirmCommand::LoadFlashBlocks(DWORD start, DWORD end) {
    FlashBlockState& blocks = g_flashBlocks;
    WORD firstFailure = kOk;
    for (DWORD block = 0; block < blocks.count; ++block) {
        const DWORD top = blocks.top[block];
        DWORD last = blocks.end[block];
        if (blocks.loaded[block] != 0 || last < start || top > end || !ClampToMirror(top, last)) {
            continue;
        }
        // A block larger than one read goes in several.
        WORD result = kOk;
        for (DWORD address = top; address <= last;) {
            const DWORD count = std::min(last - address + 1, kMaxPerRead);
            result = ReadMemory(access_code::kByte, address, count, g_flashMirror.data() + address);
            if (result != kOk || last - address + 1 == count) {
                break;
            }
            address += count;
        }
        // A block that failed stays unloaded, so the next call reads it again
        // rather than serving what the mirror held before.
        if (result == kOk) {
            blocks.loaded[block] = 1;
            // The mirror holds the chip's bytes there now.
            blocks.chipBytes.erase(blocks.chipBytes.lower_bound(top), blocks.chipBytes.upper_bound(last));
        } else if (firstFailure == kOk) {
            firstFailure = result;
        }
    }
    return firstFailure;
}

WORD CFirmCommand::FlashReadPage(DWORD address, std::span<BYTE, 256> page) {
    if (m_link == nullptr) {
        return kTimeout;
    }
    // Protocol type 0 reads half pages.
    const DWORD piece = g_protocolType == 0 ? kHalfPage : kPage;
    std::vector<BYTE> reply(kFirmBufferSize);
    for (DWORD offset = 0; offset < kPage; offset += piece) {
        if (const WORD read = m_link->ReadAdapterRecord(address + offset, reply); read != kOk) {
            return read;
        }
        // Only a reply that carries the whole piece is a page: the
        // acknowledge or a status reply holds none, and what lies beyond the
        // frame received is an earlier reply's.
        const std::size_t received = channel_frame::ReplyLength(reply, reply.size());
        const std::span<const BYTE> bytes = channel_frame::ResponseBytes(std::span(reply).first(received), piece);
        if (bytes.empty()) {
            return kTimeout;
        }
        std::copy(bytes.begin(), bytes.end(), page.begin() + offset);
    }
    return kOk;
}

WORD CFirmCommand::ReadChipPage(bool paged, DWORD address, std::span<BYTE, 256> page) {
    if (!paged) {
        return FlashReadPage(address, page);
    }
    return m_link != nullptr ? m_link->ReadFlashPage(address, page) : kTimeout;
}

WORD CFirmCommand::ForEachChipPage(bool paged, const std::function<void(DWORD, std::span<const BYTE>)>& visit) {
    const FlashBlockState& blocks = g_flashBlocks;
    if (m_link == nullptr) {
        return kTimeout;
    }
    for (DWORD block = 0; block < blocks.count; ++block) {
        DWORD last = blocks.end[block];
        if (!ClampToMirror(blocks.top[block], last)) {
            continue;
        }
        for (DWORD page = blocks.top[block]; page < last; page += kPage) {
            std::array<BYTE, kPage> bytes{};
            if (const WORD read = ReadChipPage(paged, page, bytes); read != kOk) {
                return read;
            }
            visit(page, std::span<const BYTE>(bytes.data(), std::min<DWORD>(kPage, kFlashMirrorSize - page)));
        }
    }
    return kOk;
}

WORD CFirmCommand::LoadFlashMirrorHalfPages() {
    return ForEachChipPage(false, [](DWORD page, std::span<const BYTE> bytes) {
        std::copy(bytes.begin(), bytes.end(), g_flashMirror.begin() + page);
    });
}

WORD CFirmCommand::LoadFlashMirrorPages() {
    return ForEachChipPage(true, [](DWORD page, std::span<const BYTE> bytes) {
        std::copy(bytes.begin(), bytes.end(), g_flashMirror.begin() + page);
    });
}

void CFirmCommand::MarkFlashDirty(DWORD start, DWORD end) {
    FlashBlockState& blocks = g_flashBlocks;
    for (DWORD block = 0; block < blocks.count; ++block) {
        if (blocks.top[block] <= end && start <= blocks.end[block]) {
            blocks.dirty[block] = 1;
        }
    }
}

void CFirmCommand::ClearFlashDirtyFlags() {
    // Every block counts as the chip's again: the records of bytes put back
    // into the mirror alone go with the flags, or a stale one would keep a
    // later write of its byte from making the block dirty.
    g_flashBlocks.dirty.fill(0);
    g_flashBlocks.chipBytes.clear();
}

void CFirmCommand::SetFlashMirrorState(DWORD value) {
    g_flashBlocks.mirrorState = value;
}

WORD CFirmCommand::ReadRangeIntoMirror(DWORD top, DWORD end) {
    if (!ClampToMirror(top, end)) {
        return kOk;
    }
    // The last request is cut at the range's end, within the mirror.
    for (DWORD address = top; address <= end; address += kRefreshPiece) {
        const DWORD count = std::min(end - address + 1, kRefreshPiece);
        m_access = access_code::kByte;
        m_address = address;
        m_count = static_cast<int>(count);
        m_data = g_flashMirror.data() + address;
        if (const WORD result = Request(firm_code::kReadMemory); result != kOk) {
            return result;
        }
        if (end - address < kRefreshPiece) {
            break;
        }
    }
    return kOk;
}

WORD CFirmCommand::RefreshFlashMirror() {
    const FlashBlockState& blocks = g_flashBlocks;
    const DeviceValues& device = g_deviceValues;
    const DeviceArea& firmware = g_deviceAreas[kAreaAse1];
    CSpecialRegisterScope registers(*this);
    if (g_protocolType == 2 && g_launched == 0) {
        if (const WORD set = registers.Set(device.specialRegisters[0], 0x0F); set != kOk) {
            return set;
        }
        if (const WORD set = registers.Set(device.specialRegisters[1], 0xFF); set != kOk) {
            return set;
        }
    }
    for (DWORD block = 0; block < blocks.count; ++block) {
        DWORD top = blocks.top[block];
        DWORD end = blocks.end[block];
        if (block == device.firmBlockNo) {
            top = std::min(top, firmware.top);
            end = std::max(end, firmware.end);
        }
        if (const WORD result = ReadRangeIntoMirror(top, end); result != kOk) {
            return result;
        }
    }
    if (device.firmBlockNo == kExtraBlock) {
        if (const WORD result = ReadRangeIntoMirror(firmware.top, firmware.end); result != kOk) {
            return result;
        }
    }
    ClearFlashDirtyFlags();
    return kOk;
}
