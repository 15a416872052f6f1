// The byte order of memory units, as a property over random accesses through
// the simulated emulator's module: the plug-in's buffers hold target memory
// in memory order whatever the access code, and the wire carries multi-byte
// units most significant byte first. A unit written with any access code
// reads back as the same memory bytes through any other, in RAM and in the
// flash mirror, lies in the target in that order, and a fill lays down
// exactly what writing its units one by one lays down.
#include "link/firm_command.h"
#include "link/flash_blocks.h"
#include "link/flash_mirror.h"
#include "link/link_results.h"
#include "tests/link/link_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

namespace linktest {
namespace {

using namespace link_result;

struct Code {
    DWORD access;
    std::size_t unit;
};
constexpr std::array<Code, 5> kAccessCodes = {{{access_code::kByte, 1},
                                               {access_code::kWord, 2},
                                               {access_code::kAddress, 3},
                                               {access_code::kLong, 4},
                                               {access_code::kDouble, 8}}};
// The fill's codes; its 3-byte unit has a code of its own.
constexpr std::array<Code, 5> kFillCodes = {{{access_code::kByte, 1},
                                             {access_code::kWord, 2},
                                             {access_code::kFill3, 3},
                                             {access_code::kLong, 4},
                                             {access_code::kDouble, 8}}};

struct Region {
    const char* name;
    DWORD top;
    DWORD end;
};
// User RAM and a program-flash block (served from the mirror).
constexpr std::array<Region, 2> kRegions = {{{"RAM", 0x0400, 0x09FF}, {"flash mirror", 0xC000, 0xDFFF}}};

class ByteOrder : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        StartFirmware();
        CFirmCommand command;
        command.ResetFlashBlocks();
        ASSERT_EQ(command.RefreshFlashMirror(), kOk);
    }

    Bytes Read(DWORD access, DWORD address, std::size_t count) {
        Bytes bytes(count);
        EXPECT_EQ(CFirmCommand().ReadMemory(access, address, static_cast<DWORD>(count), bytes.data()), kOk);
        return bytes;
    }
    void Write(DWORD access, DWORD address, const Bytes& bytes, DWORD verify = 0) {
        std::copy(bytes.begin(), bytes.end(), g_firmWriteData.begin());
        EXPECT_EQ(CFirmCommand().WriteMemory(access, address, static_cast<DWORD>(bytes.size()), verify), kOk);
    }
    // Memory as the plug-in holds it: the target's own view for RAM, the
    // mirror for flash.
    Bytes Held(const Region& region, DWORD address, std::size_t count) const {
        if (region.top >= 0xC000) {
            return Bytes(g_flashMirror.begin() + address, g_flashMirror.begin() + address + count);
        }
        return ReadTarget(address, count);
    }

    std::mt19937 random_{0x13u};
};

TEST_F(ByteOrder, AUnitWrittenWithAnyCodeReadsBackAsTheSameBytesThroughAnyOther) {
    for (int trial = 0; trial < 400; ++trial) {
        const Region& region = kRegions[random_() % kRegions.size()];
        const Code& writeCode = kAccessCodes[random_() % kAccessCodes.size()];
        const Code& readCode = kAccessCodes[random_() % kAccessCodes.size()];
        // Whole units mostly, and now and then a trailing part of one.
        const std::size_t count = writeCode.unit * (1 + random_() % 8) + (trial % 5 == 0 ? random_() % writeCode.unit : 0);
        const DWORD address = region.top + random_() % (region.end - region.top + 1 - static_cast<DWORD>(count));
        Bytes bytes(count);
        for (BYTE& b : bytes) {
            b = static_cast<BYTE>(random_());
        }
        SCOPED_TRACE(::testing::Message() << region.name << " trial " << trial << " at 0x" << std::hex << address
                                          << " write 0x" << writeCode.access << " read 0x" << readCode.access
                                          << std::dec << " count " << count);
        Write(writeCode.access, address, bytes, trial % 2);
        EXPECT_EQ(Held(region, address, count), bytes) << "memory order where the plug-in keeps it";
        EXPECT_EQ(Read(readCode.access, address, count), bytes);
        if (HasFailure()) {
            return;
        }
    }
    // The mirror goes to the chip as it stands: the chip holds memory order too.
    ASSERT_EQ(CFirmCommand().WriteBackFlash(), kOk);
    EXPECT_EQ(ReadTarget(0xC000, 0x2000), Bytes(g_flashMirror.begin() + 0xC000, g_flashMirror.begin() + 0xE000));
}

TEST_F(ByteOrder, AFillLaysDownWhatWritingItsUnitsOneByOneLaysDown) {
    for (int trial = 0; trial < 120; ++trial) {
        const Region& region = kRegions[random_() % kRegions.size()];
        const Code& code = kFillCodes[random_() % kFillCodes.size()];
        // Ranges over several 128-byte pieces, not always whole units.
        const DWORD length = 1 + random_() % 300;
        const DWORD first = region.top + random_() % (region.end - region.top + 1 - length);
        const DWORD last = first + length - 1;
        const std::uint64_t pattern = (std::uint64_t{random_()} << 32) | random_();
        SCOPED_TRACE(::testing::Message() << region.name << " trial " << trial << " 0x" << std::hex << first << "-0x"
                                          << last << " code 0x" << code.access << " pattern 0x" << pattern);
        DWORD range[3] = {first, last, 0};
        ASSERT_EQ(CFirmCommand().WriteMemoryMonitor(code.access, trial % 2, static_cast<DWORD>(pattern),
                                                    static_cast<DWORD>(pattern >> 32), range),
                  kOk);
        const Bytes filled = Held(region, first, length);

        // The same range cleared, then each unit written alone: its memory
        // bytes are the pattern's lowest, low byte first; the last unit may
        // be cut at the range's end.
        Write(access_code::kByte, first, Bytes(length, 0x00));
        const DWORD unitCode = code.access == access_code::kFill3 ? access_code::kAddress : code.access;
        for (DWORD at = first; at <= last; at += static_cast<DWORD>(code.unit)) {
            Bytes unit(std::min<std::size_t>(code.unit, last - at + 1));
            for (std::size_t i = 0; i < unit.size(); ++i) {
                unit[i] = static_cast<BYTE>(pattern >> (8 * i));
            }
            Write(unitCode, at, unit);
        }
        EXPECT_EQ(filled, Held(region, first, length));
        EXPECT_EQ(Read(access_code::kByte, first, length), filled);
        if (HasFailure()) {
            return;
        }
    }
}

}  // namespace
}  // namespace linktest
