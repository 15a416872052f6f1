// A range cut at the device's reserved areas into at most nine segments.
#include "monitor/area_segments.h"
#include "config/device_data.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Expected {
    WORD kind;
    DWORD start;
    DWORD end;
    bool operator==(const Expected&) const = default;
};

std::vector<Expected> Split(DWORD start, DWORD end) {
    std::vector<Expected> list;
    for (const AreaSegment& segment : SplitIntoAreaSegments(start, end)) {
        list.push_back({segment.kind, segment.start, segment.end});
        if (segment.kind == area_kind::kEnd) {
            break;
        }
    }
    return list;
}

class AreaSegments : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = g_deviceAreas;
        savedMode_ = g_emuSel;
        g_deviceAreas = {};
        g_deviceAreas[kAreaIio1] = {1, 0x0000, 0x02FF};
        g_deviceAreas[kAreaFirm] = {1, 0x0A00, 0x0BFF};
        g_deviceAreas[kAreaDatf] = {1, 0x2400, 0x2BFF};
        g_deviceAreas[kAreaAse1] = {1, 0xF000, 0xFF7F};
        g_deviceAreas[kAreaFlas] = {1, 0x2400, 0xFFFF};  // not an area that cuts
        g_emuSel = connect_mode::kEraseAndConnect;
    }
    void TearDown() override {
        g_deviceAreas = saved_;
        g_emuSel = savedMode_;
    }
    std::array<DeviceArea, kDeviceAreaCount> saved_{};
    DWORD savedMode_ = 0;
};

TEST_F(AreaSegments, ARangeIsCutAtEachArea) {
    const std::vector<Expected> expected = {
        {area_kind::kIo, 0x0200, 0x02FF},   {area_kind::kPlain, 0x0300, 0x09FF},
        {area_kind::kFlash, 0x0A00, 0x0BFF}, {area_kind::kPlain, 0x0C00, 0x23FF},
        {area_kind::kDataFlash, 0x2400, 0x2BFF}, {area_kind::kPlain, 0x2C00, 0xEFFF},
        {area_kind::kFlash, 0xF000, 0xF0FF}, {area_kind::kEnd, 0xF100, 0xF0FF},
    };
    EXPECT_EQ(Split(0x0200, 0xF0FF), expected);
}

TEST_F(AreaSegments, OneAddress) {
    EXPECT_EQ(Split(0x0500, 0x0500),
              (std::vector<Expected>{{area_kind::kPlain, 0x500, 0x500}, {area_kind::kEnd, 0x501, 0x500}}));
    EXPECT_EQ(Split(0x0100, 0x0100)[0].kind, area_kind::kIo);
    EXPECT_EQ(Split(0x2400, 0x2400)[0].kind, area_kind::kDataFlash);
    EXPECT_EQ(Split(0xFF7F, 0xFF7F)[0].kind, area_kind::kFlash);
    EXPECT_EQ(Split(0xFF80, 0xFF80)[0].kind, area_kind::kPlain);
}

TEST_F(AreaSegments, ProgrammingTheFlashLeavesTheFirstEmulatorAreaUncut) {
    g_emuSel = connect_mode::kProgramFlash;
    EXPECT_EQ(Split(0xF100, 0xF100)[0].kind, area_kind::kPlain);
    g_deviceAreas[kAreaAse2] = {1, 0xF100, 0xF1FF};
    EXPECT_EQ(Split(0xF100, 0xF100)[0].kind, area_kind::kFlash) << "the second still cuts";
}

TEST_F(AreaSegments, DisabledOrEmptyAreasDoNotCut) {
    g_deviceAreas[kAreaFirm].enable = 0;
    g_deviceAreas[kAreaIio2] = {1, 0x3000, 0x2000};
    EXPECT_EQ(Split(0x0300, 0x23FF),
              (std::vector<Expected>{{area_kind::kPlain, 0x0300, 0x23FF}, {area_kind::kEnd, 0x2400, 0x23FF}}));
}

TEST_F(AreaSegments, NineSegmentsAtMostAndTheEndSaysWhereTheRestBegins) {
    g_deviceAreas = {};
    for (std::size_t i = 0; i < 6; ++i) {
        const auto area = static_cast<DeviceAreaIndex>(kAreaAse1 + i);
        g_deviceAreas[area] = {1, 0x1000 * static_cast<DWORD>(i + 1), 0x1000 * static_cast<DWORD>(i + 1) + 0xFF};
    }
    g_deviceAreas[kAreaDatf] = {1, 0x7000, 0x70FF};
    g_deviceAreas[kAreaFir2] = {};
    const auto segments = SplitIntoAreaSegments(0, 0xFFFF);
    EXPECT_EQ(segments[8].end, 0x4FFFu);
    EXPECT_EQ(segments[9].kind, area_kind::kEnd);
    EXPECT_EQ(segments[9].start, 0x5000u);
    EXPECT_EQ(Split(0x10, 0x0F), (std::vector<Expected>{{area_kind::kEnd, 0x10, 0x0F}})) << "an empty range";
    EXPECT_EQ(Split(0xFFFFFF00, 0xFFFFFFFF).size(), 2u) << "the top of the address space";
}

}  // namespace
