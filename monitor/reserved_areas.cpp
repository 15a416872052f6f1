// The reserved areas and the warnings of a download that reaches them or
// the RAM: each overlap goes to the host's error report at once, and the
// range its message has covered since the download began becomes the
// engine's pending message, shown once when the download ends.
#include "monitor/reserved_areas.h"

#include "link/host_reports.h"
#include "monitor/monitor_engine.h"
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "config/settings_files.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

bool Overlaps(DWORD start, DWORD end, DWORD top, DWORD areaEnd) {
    return start <= areaEnd && end >= top;
}

// A RAM area counts only when its enable word is exactly 1.
bool RamAreaEnabled(const DeviceArea& area) {
    return area.enable == 1;
}

std::string FormatRange(UINT message, DWORD start, DWORD end) {
    const std::string format = LoadTargetString(message);
    const int size = std::snprintf(nullptr, 0, format.c_str(), static_cast<unsigned>(start),
                                   static_cast<unsigned>(end));
    if (size <= 0) {
        return format;
    }
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(text.data(), text.size(), format.c_str(), static_cast<unsigned>(start), static_cast<unsigned>(end));
    text.resize(static_cast<std::size_t>(size));
    return text;
}

}  // namespace

std::vector<ReservedArea> EnabledReservedAreas() {
    struct Source {
        DeviceAreaIndex area;
        UINT message;
        KeptRangeIndex kept;
    };
    static constexpr Source kSources[] = {
        {kAreaFirm, res_id::kOverlapsWorkRam, kKeptWorkRam},   {kAreaBsc1, res_id::kOverlapsSystem, kKeptSystem},
        {kAreaBsc2, res_id::kOverlapsSystem, kKeptSystem},     {kAreaAse1, res_id::kOverlapsFirmwareArea, kKeptFirmware},
        {kAreaAse2, res_id::kOverlapsFirmwareArea, kKeptFirmware},
    };
    std::vector<ReservedArea> areas;
    for (const Source& source : kSources) {
        const DeviceArea& area = g_deviceAreas[source.area];
        if (area.enable == 0 || area.top > area.end ||
            (source.area == kAreaAse1 && g_emuSel == connect_mode::kProgramFlash)) {
            continue;
        }
        areas.push_back({area.top, area.end, source.message, source.kept});
    }
    return areas;
}

std::vector<AddressRange> RangeOutsideReservedAreas(DWORD start, DWORD end) {
    std::vector<AddressRange> parts;
    if (start > end) {
        return parts;
    }
    std::vector<ReservedArea> areas = EnabledReservedAreas();
    std::sort(areas.begin(), areas.end(), [](const ReservedArea& a, const ReservedArea& b) { return a.top < b.top; });
    std::uint64_t next = start;
    for (const ReservedArea& area : areas) {
        if (area.end < next || area.top > end) {
            continue;
        }
        if (area.top > next) {
            parts.push_back({static_cast<DWORD>(next), area.top - 1});
        }
        next = std::uint64_t{area.end} + 1;
        if (next > end) {
            return parts;
        }
    }
    parts.push_back({static_cast<DWORD>(next), end});
    return parts;
}

bool CMonitorEngine::RangeOverlapsReservedArea(DWORD start, DWORD end) const {
    const std::vector<ReservedArea> areas = EnabledReservedAreas();
    return std::any_of(areas.begin(), areas.end(),
                       [&](const ReservedArea& area) { return Overlaps(start, end, area.top, area.end); });
}

void CMonitorEngine::SplitRangeByReservedAreas(DWORD start, DWORD end) {
    for (const ReservedArea& area : EnabledReservedAreas()) {
        if (Overlaps(start, end, area.top, area.end)) {
            ReportOverlap(area.message, area.kept, std::max(start, area.top), std::min(end, area.end));
        }
    }
}

bool CMonitorEngine::RangeOverlapsFir2OrFir3Area(DWORD start, DWORD end) const {
    const DeviceArea& fir2 = g_deviceAreas[kAreaFir2];
    const DeviceArea& fir3 = g_deviceAreas[kAreaFir3];
    return (RamAreaEnabled(fir2) && Overlaps(start, end, fir2.top, fir2.end)) ||
           (RamAreaEnabled(fir3) && Overlaps(start, end, fir3.top, fir3.end));
}

void CMonitorEngine::WarnWriteIntoFir2OrFir3Area(DWORD start, DWORD end) {
    for (const DeviceAreaIndex index : {kAreaFir2, kAreaFir3}) {
        const DeviceArea& area = g_deviceAreas[index];
        if (!RamAreaEnabled(area) || !Overlaps(start, end, area.top, area.end)) {
            continue;
        }
        const DWORD from = std::max(start, area.top);
        const DWORD to = std::min(end, area.end);
        KeptRange& kept = m_keptRanges[kKeptRam];
        kept.start = std::min(kept.start, from);
        kept.end = std::max(kept.end, to);
        ReportErrorTextToHost(FormatRange(res_id::kLocatedInRam, from, to).c_str());
        if (g_emuSel == connect_mode::kProgramFlash) {
            SetPendingMessage(kKeptRam, FormatRange(res_id::kLocatedInRamNotDownloaded, kept.start, kept.end));
        }
    }
}

void CMonitorEngine::ReportOverlap(UINT message, KeptRangeIndex index, DWORD start, DWORD end) {
    ReportErrorTextToHost(FormatRange(message, start, end).c_str());
    KeptRange& kept = m_keptRanges[index];
    kept.start = std::min(kept.start, start);
    kept.end = std::max(kept.end, end);
    SetPendingMessage(index, FormatRange(message, kept.start, kept.end));
}
