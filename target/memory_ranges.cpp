#include "target/memory_ranges.h"

#include "res/resource_ids.h"
#include "config/device_data.h"
#include "config/settings_files.h"

#include "platform/ui.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

const DeviceArea& Area(DeviceAreaIndex index) {
    return g_deviceAreas[index];
}

bool Inside(const DeviceArea& area, DWORD start, DWORD end) {
    return area.Contains(start) && area.Contains(end);
}

bool InIo2(DWORD start, DWORD end) {
    return Area(kAreaIio2).enable == 1 && Inside(Area(kAreaIio2), start, end);
}

bool InFir3(DWORD start, DWORD end) {
    return Area(kAreaFir3).enable == 1 && Inside(Area(kAreaFir3), start, end);
}

// A refusal with its address; false.
bool Refuse(DWORD* badAddress, DWORD address) {
    if (badAddress != nullptr) {
        *badAddress = address;
    }
    return false;
}

// The holes between the flash blocks in address order (the device tables
// may list them in any order: the demo device's lists its data flash last):
// start or end in one, or the range across one, is refused.
bool HitsFlashHole(DWORD start, DWORD end, DWORD* badAddress) {
    const DeviceValues& device = g_deviceValues;
    const DWORD count = std::min<DWORD>(device.flashBlockCount, static_cast<DWORD>(kFlashTableSize));
    std::vector<std::pair<std::uint64_t, std::uint64_t>> blocks;
    for (DWORD i = 0; i < count; ++i) {
        if (device.flashBlockTop[i] <= device.flashBlockEnd[i]) {
            blocks.emplace_back(device.flashBlockTop[i], device.flashBlockEnd[i]);
        }
    }
    std::sort(blocks.begin(), blocks.end());
    std::uint64_t covered = blocks.empty() ? 0 : blocks.front().second;
    for (std::size_t i = 1; i < blocks.size(); ++i) {
        const std::uint64_t holeTop = covered + 1;
        const std::uint64_t top = blocks[i].first;
        covered = std::max(covered, blocks[i].second);
        if (top <= holeTop) {
            continue;  // adjacent or overlapping: no hole between them
        }
        const std::uint64_t holeEnd = top - 1;
        if (start >= holeTop && start <= holeEnd) {
            return !Refuse(badAddress, start);
        }
        if (end >= holeTop && end <= holeEnd) {
            return !Refuse(badAddress, end);
        }
        if (start < holeTop && end > holeEnd) {
            return !Refuse(badAddress, start);
        }
    }
    return false;
}

// The gap between the RAM's end (ramEnd) and the flash: only the IIO2
// area lies there.
bool HitsGap(DWORD start, DWORD end, DWORD ramEnd, DWORD* badAddress) {
    const DWORD flashTop = Area(kAreaFlas).top;
    if (ramEnd < start && start < flashTop) {
        return InIo2(start, end) ? false : !Refuse(badAddress, start);
    }
    if (ramEnd < end && end < flashTop) {
        return !Refuse(badAddress, end);
    }
    if (start <= ramEnd && end >= flashTop) {
        return !Refuse(badAddress, start);
    }
    return false;
}

// The emulator's area: start or end in it, or the range across it.
bool HitsArea(const DeviceArea& area, DWORD start, DWORD end, DWORD* badAddress) {
    if (area.Contains(start) || (start < area.top && end >= area.top)) {
        return !Refuse(badAddress, start);
    }
    if (area.Contains(end)) {
        return !Refuse(badAddress, end);
    }
    return false;
}

// A flash block that is not wholly data flash, holding the address.
bool InUserFlashBlock(DWORD address) {
    const DeviceValues& device = g_deviceValues;
    const DeviceArea& dataFlash = Area(kAreaDatf);
    const DWORD count = std::min<DWORD>(device.flashBlockCount, static_cast<DWORD>(kFlashTableSize));
    for (DWORD i = 0; i < count; ++i) {
        const DWORD top = device.flashBlockTop[i];
        const DWORD end = device.flashBlockEnd[i];
        if (top >= dataFlash.top && end <= dataFlash.end) {
            continue;
        }
        if (top <= address && address <= end) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool CheckAccessRange(DWORD start, DWORD end, DWORD* badAddress) {
    if (start > end || end > g_deviceValues.maxAddr) {
        return Refuse(badAddress, end);
    }
    const DWORD ramEnd = std::max(Area(kAreaFirm).end, Area(kAreaFir2).end);
    if (HitsGap(start, end, ramEnd, badAddress) || HitsFlashHole(start, end, badAddress)) {
        return InFir3(start, end);
    }
    return true;
}

HRESULT CheckRange(DWORD start, DWORD end) {
    return CheckAccessRange(start, end, nullptr) ? S_OK : kRangeRefused;
}

HRESULT CheckRangePair(DWORD start, DWORD end, DWORD secondStart, DWORD* badAddress) {
    if (!CheckAccessRange(start, end, badAddress)) {
        return kRangeRefused;
    }
    if (start > end) {
        return kRangeRefused;
    }
    const std::uint64_t secondEnd = std::uint64_t{secondStart} + (end - start);
    if (secondEnd > 0xFFFFFFFF) {
        Refuse(badAddress, secondStart);
        return kRangeRefused;
    }
    return CheckAccessRange(secondStart, static_cast<DWORD>(secondEnd), badAddress) ? S_OK : kRangeRefused;
}

bool CheckRewriteRange(DWORD start, DWORD end, DWORD* badAddress, HRESULT* result) {
    *result = kRangeRefused;
    if (start > end || end > g_deviceValues.maxAddr) {
        return Refuse(badAddress, end);
    }
    bool refused = HitsArea(Area(kAreaFirm), start, end, badAddress) ||
                   HitsGap(start, end, Area(kAreaFir2).end, badAddress) ||
                   (Area(kAreaAse1).enable != 0 && HitsArea(Area(kAreaAse1), start, end, badAddress)) ||
                   HitsFlashHole(start, end, badAddress);
    bool rewrite = false;
    if (!refused && g_emuSel == connect_mode::kCpuRewriteMode) {
        if (InUserFlashBlock(start)) {
            refused = rewrite = !Refuse(badAddress, start);
        } else if (InUserFlashBlock(end)) {
            refused = rewrite = !Refuse(badAddress, end);
        }
    }
    if (!refused || InFir3(start, end)) {
        *result = S_OK;
        return true;
    }
    if (rewrite) {
        ShowTargetMessage(res_id::kInvalidInRewriteMode, MB_OK);
        *result = kRangeRefusedInRewriteMode;
    }
    return false;
}

HRESULT CheckWriteAccess(DWORD start, DWORD end) {
    DWORD bad = 0;
    HRESULT result = S_OK;
    return CheckRewriteRange(start, end, &bad, &result) ? S_OK : result;
}

HRESULT CheckCopyRanges(DWORD start, DWORD end, DWORD destination, DWORD* badAddress) {
    if (!CheckAccessRange(start, end, badAddress)) {
        return kRangeRefused;
    }
    const std::uint64_t destinationEnd = std::uint64_t{destination} + (end - start);
    if (destinationEnd > 0xFFFFFFFF) {
        Refuse(badAddress, destination);
        return kRangeRefused;
    }
    HRESULT result = S_OK;
    return CheckRewriteRange(destination, static_cast<DWORD>(destinationEnd), badAddress, &result) ? S_OK : result;
}
