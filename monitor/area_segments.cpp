#include "monitor/area_segments.h"

#include "config/device_data.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

struct KindedArea {
    DWORD top;
    DWORD end;
    WORD kind;
};

// The enabled areas that cut a range, in the order that decides an address
// two of them hold.
std::vector<KindedArea> CuttingAreas() {
    struct Source {
        DeviceAreaIndex area;
        WORD kind;
    };
    static constexpr Source kSources[] = {
        {kAreaAse1, area_kind::kFlash}, {kAreaAse2, area_kind::kFlash}, {kAreaFirm, area_kind::kFlash},
        {kAreaIio1, area_kind::kIo},    {kAreaIio2, area_kind::kIo},    {kAreaDatf, area_kind::kDataFlash},
    };
    std::vector<KindedArea> areas;
    for (const Source& source : kSources) {
        const DeviceArea& area = g_deviceAreas[source.area];
        if (area.enable == 0 || area.top > area.end ||
            (source.area == kAreaAse1 && g_emuSel == connect_mode::kProgramFlash)) {
            continue;
        }
        areas.push_back({area.top, area.end, source.kind});
    }
    return areas;
}

// The segment that starts at address and ends by end.
AreaSegment SegmentAt(const std::vector<KindedArea>& areas, DWORD address, DWORD end) {
    for (const KindedArea& area : areas) {
        if (area.top <= address && address <= area.end) {
            return {area.kind, address, std::min(area.end, end)};
        }
    }
    DWORD last = end;
    for (const KindedArea& area : areas) {
        if (area.top > address && area.top - 1 < last) {
            last = area.top - 1;
        }
    }
    return {area_kind::kPlain, address, last};
}

}  // namespace

AreaSegments SplitIntoAreaSegments(DWORD start, DWORD end) {
    AreaSegments segments{};
    std::size_t count = 0;
    std::uint64_t next = start;
    if (start <= end) {
        const std::vector<KindedArea> areas = CuttingAreas();
        while (count < kMaxAreaSegments && next <= end) {
            segments[count] = SegmentAt(areas, static_cast<DWORD>(next), end);
            next = std::uint64_t{segments[count].end} + 1;
            ++count;
        }
    }
    segments[count] = {area_kind::kEnd, static_cast<DWORD>(next), end};
    return segments;
}
