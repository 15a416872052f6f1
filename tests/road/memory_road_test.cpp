// Target memory on the real road: the simulated host's memory server (the
// plug-in module's memory handler, as the host finds it registered), the
// monitor, the firmware requests and the link down to the simulated
// emulator's module. The host's initialisation of its target session makes
// the handlers and connects.
#include "tests/road/road_session.h"

#include "frame/error_codes.h"
#include "frame/target_memory.h"
#include "res/resource_ids.h"

#include "platform/profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using emutest::Bytes;
using roadtest::Lines;

constexpr HRESULT kRefused = static_cast<HRESULT>(0x80042010);
constexpr HRESULT kMismatch = static_cast<HRESULT>(0x80042020);
constexpr HRESULT kNotFound = static_cast<HRESULT>(0x80042021);
constexpr DWORD kRamTop = 0x0400;
constexpr DWORD kRamEnd = 0x09FF;

// A fault of the emulator's with its value, and what to call it.
struct InjectedFault {
    const char* what;
    DWORD fault;
    DWORD value;
};

Bytes Pattern(std::size_t size, BYTE seed) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<BYTE>(seed + i * 13 + (i >> 8));
    }
    return bytes;
}

class MemoryRoad : public roadtest::RoadSession {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(UseEmulator(emutest::Module(), roadtest::kDemoSettingsLongRun)); }

    // A session the host started, connected in the connect mode the wizard
    // picks, with the memory and memory-map handlers opened.
    void Connect(int mode) {
        OpenHost();
        ExpectWizard(mode);
        OpenTargetSession();
    }
    // The same for a device of a group the sheet does not list: the session
    // names the group and the device, connected with the flash erased.
    void ConnectToGroup(const char* group, const char* device) {
        OpenHost();
        ASSERT_NO_FATAL_FAILURE(NameDevice(group, device, "0"));
        OpenTargetSession();
    }
    void OpenHost() {
        ASSERT_NO_FATAL_FAILURE(LoadHost());
        host_->Services().DeviceDescription().SetDescription(roadtest::kDemoDescription);
        ASSERT_NO_FATAL_FAILURE(FindTarget());
    }
    // The host's initialisation of its target session: the connect and the
    // handlers' opens.
    void OpenTargetSession() {
        ASSERT_EQ(StartTarget(), S_OK);
        ASSERT_NE(target_->GetMemoryHandler(), nullptr);
        ASSERT_NE(target_->GetMemoryMapHandler(), nullptr);
        server_ = Served<IHTMemoryServer4>(IID_IHTMemoryServer4);
        ASSERT_NE(server_, nullptr);
        control_->clearFrames();
        reportsBefore_ = host_->Services().ReportedErrors().size();
        boxesBefore_ = ui_.MessageBoxes().size();
    }
    template <typename Interface>
    Interface* Served(const IID& iid) const {
        for (const simhost::InterfaceRegistration& registration : host_->Services().Registrations()) {
            if (registration.server && IsEqualIID(registration.iid, iid)) {
                return static_cast<Interface*>(registration.object);
            }
        }
        return nullptr;
    }

    Bytes Read(DWORD start, DWORD end, DWORD access = 1) {
        Bytes bytes(end - start + 1, 0xA5);
        EXPECT_EQ(server_->ReadMemory(start, end, access, bytes.data()), S_OK);
        return bytes;
    }
    Lines Reports() const {
        const Lines all = host_->Services().ReportedErrors();
        return Lines(all.begin() + static_cast<std::ptrdiff_t>(std::min(reportsBefore_, all.size())), all.end());
    }
    Lines Boxes() const {
        Lines texts;
        const auto boxes = ui_.MessageBoxes();
        for (std::size_t i = boxesBefore_; i < boxes.size(); ++i) {
            texts.push_back(boxes[i].text);
        }
        return texts;
    }
    std::size_t FrameCount() const { return control_->getFrameCount(); }
    // The program's records as the host downloads them: each contiguous
    // run in writes of the block size. The writes' answers, in order.
    std::vector<HRESULT> Download(const std::map<std::uint32_t, std::uint8_t>& image) {
        std::vector<HRESULT> results;
        DWORD block = 0;
        EXPECT_EQ(server_->GetBlockSize(&block), S_OK);
        EXPECT_EQ(block, 1024u);
        EXPECT_EQ(server_->OnDownload(0xFFFF), S_OK);
        for (auto it = image.begin(); it != image.end();) {
            Bytes run;
            const DWORD start = it->first;
            while (it != image.end() && it->first == start + run.size() && run.size() < block) {
                run.push_back(it->second);
                ++it;
            }
            results.push_back(server_->WriteMemory(start, start + static_cast<DWORD>(run.size()) - 1, 1, run.data()));
        }
        EXPECT_EQ(server_->OnDownload(0), S_OK);
        return results;
    }

    // A download of two runs, code at C010 in the first flash block and data
    // at E010 in the second, the frame log cleared before its end: the end's
    // answer.
    HRESULT DownloadCodeAndData(const Bytes& code, const Bytes& data) {
        EXPECT_EQ(server_->OnDownload(0xFFFF), S_OK);
        EXPECT_EQ(server_->WriteMemory(0xC010, 0xC012, 1, code.data()), S_OK);
        EXPECT_EQ(server_->WriteMemory(0xE010, 0xE012, 1, data.data()), S_OK);
        control_->clearFrames();
        return server_->OnDownload(0);
    }

    // Two areas, each the whole space up to top; the same range for the
    // host's range server.
    void ExpectMapUpTo(DWORD top) {
        DWORD count = 0;
        ASSERT_EQ(server_->GetAreaCount(&count), S_OK);
        EXPECT_EQ(count, 2u);
        for (DWORD i = 0; i < count; ++i) {
            DWORD start = 1, end = 0, attribute = 0, fourth = 0;
            WORD f1 = 0, f2 = 0, f3 = 0, f4 = 0;
            ASSERT_EQ(server_->GetAreaByIndex(i, &start, &end, &attribute, &fourth, &f1, &f2, &f3, &f4), S_OK);
            EXPECT_EQ(start, 0u);
            EXPECT_EQ(end, top);
            EXPECT_EQ(attribute, 1u);
            EXPECT_EQ(f4, 1);
        }
        auto* range = Served<IHTMemoryRange>(IID_IHTMemoryRange);
        ASSERT_NE(range, nullptr);
        DWORD low = 1, high = 0;
        EXPECT_EQ(range->GetAddressRange(&low, &high), S_OK);
        EXPECT_EQ(low, 0u);
        EXPECT_EQ(high, top);
    }

    IHTMemoryServer4* server_ = nullptr;
    std::size_t reportsBefore_ = 0;
    std::size_t boxesBefore_ = 0;
};

TEST_F(MemoryRoad, RamFlashAndDataFlashAreReadAndWrittenWithEveryAccessSize) {
    Connect(res_id::kModeErase);
    for (const DWORD access : {1u, 2u, 3u, 4u, 8u}) {
        const Bytes bytes = Pattern(kRamEnd - kRamTop + 1, static_cast<BYTE>(access));
        EXPECT_EQ(server_->WriteMemory(kRamTop, kRamEnd, access, bytes.data()), S_OK) << access;
        EXPECT_EQ(ReadTarget(kRamTop, bytes.size()), bytes) << access;
        EXPECT_EQ(Read(kRamTop, kRamEnd, access), bytes) << access;
    }
    // The whole space in two pieces: the firmware's flash as the chip holds it.
    const Bytes all = Read(0x0000, 0xFFFF);
    EXPECT_EQ(Bytes(all.begin() + kRamTop, all.begin() + kRamEnd + 1), ReadTarget(kRamTop, kRamEnd - kRamTop + 1));
    EXPECT_EQ(Bytes(all.begin() + 0xF000, all.begin() + 0xF400), ReadTarget(0xF000, 0x400));

    // The data flash is written back at once; the user's flash waits in the
    // mirror for the next flash write.
    const Bytes data = Pattern(0x100, 7);
    EXPECT_EQ(server_->WriteMemory(0x2400, 0x24FF, 1, data.data()), S_OK);
    EXPECT_EQ(ReadTarget(0x2400, 0x100), data);
    EXPECT_EQ(server_->WriteMemory(0xC000, 0xC0FF, 2, data.data()), S_OK);
    EXPECT_EQ(Read(0xC000, 0xC0FF), data);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(MemoryRoad, RefusedRangesWriteNothing) {
    Connect(res_id::kModeErase);
    const Bytes bytes(16, 0x42);
    const std::size_t frames = FrameCount();
    Bytes read(16, 0xA5);
    EXPECT_EQ(server_->ReadMemory(0x0500, 0x04FF, 1, read.data()), kRefused) << "reversed";
    EXPECT_EQ(server_->WriteMemory(0x0500, 0x04FF, 1, bytes.data()), kRefused);
    EXPECT_EQ(server_->WriteMemory(0x0C00, 0x0C0F, 1, bytes.data()), kRefused) << "between the RAM and the flash";
    EXPECT_EQ(server_->WriteMemory(0x3000, 0x300F, 1, bytes.data()), kRefused) << "the hole after the data flash";
    const Bytes across(0xC010 - 0x2BF0, 0x42);
    EXPECT_EQ(server_->WriteMemory(0x2BF0, 0xC00F, 1, across.data()), kRefused) << "across the hole";
    EXPECT_EQ(server_->WriteMemory(0x0A00, 0x0A0F, 1, bytes.data()), kRefused) << "the firmware's RAM";
    EXPECT_EQ(server_->WriteMemory(0xF000, 0xF00F, 1, bytes.data()), kRefused) << "the firmware's flash";
    EXPECT_EQ(server_->FillMemory(0x0C00, 0x0C0F, 1, bytes.data()), kRefused);
    EXPECT_EQ(FrameCount(), frames) << "nothing reached the emulator";
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(MemoryRoad, ProgramFlashModeRefusesWritesWithItsMessage) {
    Connect(res_id::kModeProgramFlash);
    const Bytes bytes(16, 0x42);
    const std::size_t frames = FrameCount();
    EXPECT_EQ(server_->WriteMemory(0x0500, 0x050F, 1, bytes.data()), S_OK);
    EXPECT_EQ(server_->FillMemory(0x0500, 0x050F, 1, bytes.data()), S_OK);
    EXPECT_EQ(Boxes(), (Lines{"The current emulator mode is \"Program Flash.\"",
                              "The current emulator mode is \"Program Flash.\""}));
    EXPECT_EQ(FrameCount(), frames) << "nothing reached the emulator";
}

TEST_F(MemoryRoad, RewriteModeRefusesTheUsersFlashButNotTheDataFlash) {
    Connect(res_id::kModeRewrite);
    const Bytes bytes(16, 0x42);
    EXPECT_EQ(server_->WriteMemory(0xC000, 0xC00F, 1, bytes.data()), S_OK);
    EXPECT_EQ(Boxes(), Lines{"This operation is invalid in Debugging of CPU rewrite mode."});
    EXPECT_EQ(Read(0xC000, 0xC00F), Bytes(16, 0xFF));
    EXPECT_EQ(server_->WriteMemory(0x2400, 0x240F, 1, bytes.data()), S_OK);
    EXPECT_EQ(ReadTarget(0x2400, 16), bytes);
}

TEST_F(MemoryRoad, CompareFillCopyAndBothSearches) {
    Connect(res_id::kModeErase);
    const Bytes bytes = Pattern(0x400, 3);
    PutTarget(kRamTop, bytes);
    DWORD first[2] = {};
    DWORD second[2] = {};
    DWORD address = 0;
    EXPECT_EQ(server_->CompareMemory(0x400, 0x4FF, 0x400, 2, first, second, &address), S_OK) << "with itself";
    PutTarget(0x600, Bytes(bytes.begin(), bytes.begin() + 0x100));
    PutTarget(0x602, {0x11, 0x22});
    EXPECT_EQ(server_->CompareMemory(0x400, 0x4FF, 0x600, 2, first, second, &address), kMismatch);
    EXPECT_EQ(address, 0x402u);
    EXPECT_EQ(reinterpret_cast<BYTE*>(first)[0], bytes[3]) << "most significant first";
    EXPECT_EQ(reinterpret_cast<BYTE*>(first)[1], bytes[2]);
    EXPECT_EQ(reinterpret_cast<BYTE*>(second)[0], 0x22);
    EXPECT_EQ(reinterpret_cast<BYTE*>(second)[1], 0x11);

    const BYTE pattern[] = {0x12, 0x34};
    EXPECT_EQ(server_->FillMemory(0x800, 0x8FF, 2, pattern), S_OK);
    Bytes filled;
    for (int i = 0; i < 0x80; ++i) {
        filled.insert(filled.end(), {0x12, 0x34});
    }
    EXPECT_EQ(ReadTarget(0x800, 0x100), filled);
    const BYTE four[] = {0xA1, 0xA2, 0xA3, 0xA4};
    EXPECT_EQ(server_->FillMemory(0x900, 0x900, 4, four), S_OK);
    EXPECT_EQ(ReadTarget(0x900, 4), (Bytes{0xA1, 0xA2, 0xA3, 0xA4})) << "the whole pattern from start";

    PutTarget(0x400, bytes);
    EXPECT_EQ(server_->CopyMemory(0x400, 0x4FF, 0x480, 1, 1, 0, 0, &address), S_OK) << "overlapping: backwards";
    EXPECT_EQ(ReadTarget(0x480, 0x100), Bytes(bytes.begin(), bytes.begin() + 0x100));

    // The searches over the flash mirror, where 4 KiB lie together.
    const Bytes zeros(0x1000, 0);
    EXPECT_EQ(server_->WriteMemory(0xC000, 0xCFFF, 1, zeros.data()), S_OK);
    const BYTE sought[] = {0xCA, 0xFE, 0xBA};
    EXPECT_EQ(server_->WriteMemory(0xC000 + 2047, 0xC000 + 2049, 1, sought), S_OK);
    DWORD found = 0;
    EXPECT_EQ(server_->SearchMemoryEx(0xC000, 0xCFFF, 0, 0, 1, 3, sought, nullptr, &found), S_OK);
    EXPECT_EQ(found, 0xC000u + 2047) << "across two 2,048-byte blocks";
    found = 0;
    EXPECT_EQ(server_->SearchMemoryEx(0xC000, 0xCFFF, 1, 0, 0, 2, sought + 1, nullptr, &found), S_OK);
    EXPECT_EQ(found, 0xC000u + 2048) << "the monitor's search, every byte";
    const BYTE missing[] = {0x77, 0x66};
    EXPECT_EQ(server_->SearchMemory(0xC000, 0xCFFF, 1, 0, 2, missing, nullptr, &found), kNotFound);
    EXPECT_EQ(server_->SearchMemoryEx(0xC000, 0xCFFF, 0, 0, 1, 2, missing, nullptr, &found), kNotFound);
}

// Three-byte units from 0x600, a multiple of 3 and of 16, to 0x60A: the
// whole units end at 0x608, and 0x609 and 0x60A begin one the range does not
// hold. (Rounding the end down by its low bits would end them at 0x607 and
// lose the unit at 0x606.)
TEST_F(MemoryRoad, ThreeByteUnitsAreComparedAndCopiedUpToTheLastWholeOne) {
    Connect(res_id::kModeErase);
    const Bytes bytes = Pattern(11, 9);
    DWORD first[2] = {};
    DWORD second[2] = {};
    DWORD address = 0;
    struct Case {
        DWORD changed;  // the byte of the second range that differs
        HRESULT result;
        DWORD address;  // of the first range's differing unit
    };
    for (const Case& c : {Case{0x669, S_OK, 0}, Case{0x668, kMismatch, 0x606}, Case{0x663, kMismatch, 0x603}}) {
        PutTarget(0x600, bytes);
        PutTarget(0x660, bytes);
        PutTarget(c.changed, {static_cast<BYTE>(~bytes[c.changed - 0x660])});
        address = 0;
        EXPECT_EQ(server_->CompareMemory(0x600, 0x60A, 0x660, 3, first, second, &address), c.result) << c.changed;
        EXPECT_EQ(address, c.address) << c.changed;
    }

    PutTarget(0x600, bytes);
    PutTarget(0x6C0, Bytes(11, 0));
    EXPECT_EQ(server_->CopyMemory(0x600, 0x60A, 0x6C0, 0, 3, 0, 0, &address), S_OK);
    Bytes copied(bytes.begin(), bytes.begin() + 9);
    copied.insert(copied.end(), {0, 0});
    EXPECT_EQ(ReadTarget(0x6C0, 11), copied) << "three whole units copied, the part of a fourth left";
}

// The monitor's error lines of a fill, a copy and a search reach the host's
// error output; the fill, which wrote nothing, and a copy that was not done
// whole fail.
TEST_F(MemoryRoad, TheMonitorsErrorLinesReachTheHostsErrorOutput) {
    Connect(res_id::kModeErase);
    const std::string areaError = " Memory area error. It is outside the effective address range. ";
    const BYTE pattern[] = {0x12, 0x34, 0x56, 0x78, 0x9A};
    DWORD address = 0;
    DWORD found = 0xDEADBEEF;
    struct Case {
        const char* what;
        std::function<HRESULT()> call;
        HRESULT result;
        Lines reports;
    };
    const Case cases[] = {
        {"a fill between the I/O and the RAM", [&] { return server_->FillMemory(0x300, 0x3FF, 1, pattern); }, E_FAIL,
         {areaError, " *** 18:Invalid address"}},
        {"a copy from the I/O area", [&] { return server_->CopyMemory(0x2F0, 0x30F, 0x500, 0, 1, 0, 0, &address); },
         E_FAIL, {" *** 83:Internal I/O area"}},
        {"a search for 5-byte units",
         [&] { return server_->SearchMemory(0x400, 0x4FF, 0, 0, 5, pattern, nullptr, &found); }, kNotFound,
         {" *** 17:Invalid data"}},
        {"a search for 2-byte units from an odd address",
         [&] { return server_->SearchMemory(0x401, 0x4FE, 0, 0, 2, pattern, nullptr, &found); }, kNotFound,
         {" *** 18:Invalid address"}},
    };
    for (const Case& c : cases) {
        reportsBefore_ = host_->Services().ReportedErrors().size();
        EXPECT_EQ(c.call(), c.result) << c.what;
        EXPECT_EQ(Reports(), c.reports) << c.what;
    }
    EXPECT_EQ(found, 0xDEADBEEFu);
    EXPECT_TRUE(Boxes().empty());
}

// Both searches over RAM whose read is refused, or meets a target reset:
// the search fails with the read's report and names no address. (A refused
// read answered "not found"; a reset answered S_OK with the text of the
// reset's report, " +++", as the address.)
TEST_F(MemoryRoad, ASearchWhoseReadFailsFailsWithItsReport) {
    Connect(res_id::kModeErase);
    const BYTE sought[] = {0x5A, 0xA5};
    PutTarget(0x480, {0x5A, 0xA5});
    DWORD found = 0xDEADBEEF;
    // The block search's first read is the block under the pattern's end.
    const struct {
        const char* what;
        WORD mode;
        std::string report;
    } searches[] = {{"the monitor's search", 0, "Memory read error from 00000400h to 000004FFh."},
                    {"the block search", 1, "Memory read error from 00000401h to 000004FFh."}};
    const InjectedFault faults[] = {
        {"a negative acknowledge", Q3V_SIM_FAULT_NAK, 0},
        {"a sum check error", Q3V_SIM_FAULT_STATUS, 0x91},
        {"a target reset", Q3V_SIM_FAULT_TARGET_RESET, 0},
    };
    for (const auto& search : searches) {
        for (const auto& f : faults) {
            const std::string what = std::string(search.what) + ", " + f.what;
            reportsBefore_ = host_->Services().ReportedErrors().size();
            ASSERT_EQ(control_->injectFault(f.fault, f.value, 1), Q3V_SIM_OK);
            EXPECT_EQ(server_->SearchMemoryEx(0x400, 0x4FF, 1, 0, search.mode, 2, sought, nullptr, &found), E_FAIL)
                << what;
            control_->clearFaults();
            EXPECT_EQ(found, 0xDEADBEEFu) << what;
            EXPECT_EQ(Reports(), Lines{search.report}) << what;
            EXPECT_EQ(server_->SearchMemoryEx(0x400, 0x4FF, 1, 0, search.mode, 2, sought, nullptr, &found), S_OK)
                << what << ": the next search reads";
            EXPECT_EQ(found, 0x480u) << what;
            found = 0xDEADBEEF;
        }
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(MemoryRoad, AFillLaysItsPatternDownInTheHostsByteOrder) {
    Connect(res_id::kModeErase);
    const Bytes pattern = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
    for (const DWORD length : {1u, 2u, 3u, 4u, 8u}) {
        PutTarget(0x800, Bytes(24, 0));
        EXPECT_EQ(server_->FillMemory(0x800, 0x817, length, pattern.data()), S_OK) << length;
        Bytes expected;
        while (expected.size() < 24) {
            expected.insert(expected.end(), pattern.begin(), pattern.begin() + length);
        }
        EXPECT_EQ(ReadTarget(0x800, 24), expected) << "a fill with a pattern of " << length;
        // A range the pattern covers is written with the pattern whole.
        PutTarget(0x900, Bytes(8, 0));
        EXPECT_EQ(server_->FillMemory(0x900, 0x900, length, pattern.data()), S_OK) << length;
        EXPECT_EQ(ReadTarget(0x900, length), Bytes(pattern.begin(), pattern.begin() + length))
            << "a whole pattern of " << length;
    }
}

// A pattern that covers its range is written whole, up to 8 bytes; the
// monitor's fill lays down units of 1, 2, 3, 4 or 8 bytes, so a shorter
// pattern of 5 to 7 bytes, or one of more than 8, is refused with nothing
// written.
TEST_F(MemoryRoad, AFillPatternOfNoUnitSizeIsWrittenOnlyWhole) {
    Connect(res_id::kModeErase);
    const Bytes pattern = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99};
    const Bytes zeros(24, 0);
    for (const DWORD length : {5u, 6u, 7u, 9u}) {
        PutTarget(0x800, zeros);
        const std::size_t frames = FrameCount();
        EXPECT_EQ(server_->FillMemory(0x800, 0x817, length, pattern.data()), E_INVALIDARG) << length;
        EXPECT_EQ(FrameCount(), frames) << "a pattern of " << length << ": nothing sent";
        EXPECT_EQ(ReadTarget(0x800, 24), zeros) << length;
    }
    for (const DWORD length : {5u, 6u, 7u}) {
        PutTarget(0x900, Bytes(8, 0));
        EXPECT_EQ(server_->FillMemory(0x900, 0x900 + length - 1, length, pattern.data()), S_OK) << length;
        Bytes expected(pattern.begin(), pattern.begin() + length);
        expected.resize(8, 0);
        EXPECT_EQ(ReadTarget(0x900, 8), expected) << "a whole pattern of " << length;
    }
    EXPECT_EQ(server_->FillMemory(0x900, 0x908, 9, pattern.data()), E_INVALIDARG) << "9 bytes, whole";
    EXPECT_TRUE(Reports().empty());
}

// Writes, fills, reads and compares that the emulator refuses while the
// link holds: each fails and tells the host's error output what it did not
// reach; memory is as it was and a read hands out no byte it did not read.
TEST_F(MemoryRoad, AccessesTheEmulatorRefusesFailWithTheirReport) {
    Connect(res_id::kModeErase);
    const Bytes before = Pattern(16, 5);
    const Bytes bytes(16, 0x42);
    const BYTE pattern[] = {0x12, 0x34};
    Bytes read(16);
    DWORD first[2] = {};
    DWORD second[2] = {};
    DWORD address = 0;
    const struct {
        const char* what;
        std::function<HRESULT()> call;
        std::string report;
    } cases[] = {
        {"a write", [&] { return server_->WriteMemory(0x400, 0x40F, 1, bytes.data()); },
         "Memory write error from 00000400h to 0000040Fh."},
        {"a fill with its whole pattern", [&] { return server_->FillMemory(0x400, 0x401, 2, pattern); },
         "Memory write error from 00000400h to 00000401h."},
        {"a fill of the monitor", [&] { return server_->FillMemory(0x400, 0x40F, 2, pattern); },
         "Memory write error from 00000400h to 0000040Fh."},
        {"a download's run, written when the next write does not continue it",
         [&] {
             EXPECT_EQ(server_->OnDownload(0xFFFF), S_OK);
             EXPECT_EQ(server_->WriteMemory(0x400, 0x40F, 1, bytes.data()), S_OK);
             const HRESULT result = server_->WriteMemory(0x700, 0x70F, 1, bytes.data());
             EXPECT_EQ(server_->OnDownload(0), S_OK);
             return result;
         },
         "Memory write error from 00000400h to 0000040Fh."},
        {"a compare of differing ranges",
         [&] { return server_->CompareMemory(0x400, 0x40F, 0x600, 1, first, second, &address); },
         "Memory read error from 00000400h to 00000400h."},
        {"a read", [&] { return server_->ReadMemory(0x400, 0x40F, 1, read.data()); },
         "Memory read error from 00000400h to 0000040Fh."},
    };
    const InjectedFault faults[] = {
        {"a negative acknowledge", Q3V_SIM_FAULT_NAK, 0},
        {"a sum check error", Q3V_SIM_FAULT_STATUS, 0x91},
        {"a frequency error", Q3V_SIM_FAULT_STATUS, 0x83},
    };
    PutTarget(0x600, Bytes(16, 0));
    for (const auto& f : faults) {
        for (const auto& c : cases) {
            PutTarget(0x400, before);
            read.assign(16, 0xA5);
            reportsBefore_ = host_->Services().ReportedErrors().size();
            // The fault strikes the first frame: the download's first run is
            // collected, not sent.
            ASSERT_EQ(control_->injectFault(f.fault, f.value, 1), Q3V_SIM_OK);
            EXPECT_EQ(c.call(), E_FAIL) << c.what << ", " << f.what;
            Lines reports = Reports();
            std::erase_if(reports, [](const std::string& line) { return line.starts_with("User program is located"); });
            EXPECT_EQ(reports, Lines{c.report}) << c.what << ", " << f.what << " (a download warns of the RAM)";
            EXPECT_EQ(ReadTarget(0x400, 16), before) << c.what << ", " << f.what;
        }
        EXPECT_EQ(read, Bytes(16, 0xFF)) << "the read's buffer holds no byte it did not read, " << f.what;
    }
    EXPECT_TRUE(Boxes().empty());
}

// The programming that follows the flash write's erase is refused: the
// download fails with the flash error message (after the link's own message
// for an adapter status), the block stays dirty and the next download's
// flash write programs it; reads reach the target meanwhile.
TEST_F(MemoryRoad, AProgrammingRefusedAfterTheEraseFailsTheDownloadAndIsTriedAgain) {
    Connect(res_id::kModeErase);
    const auto download = [this](const Bytes& code) {
        EXPECT_EQ(server_->OnDownload(0xFFFF), S_OK);
        EXPECT_EQ(server_->WriteMemory(0xC000, 0xC001, 1, code.data()), S_OK);
        control_->clearFrames();
        return server_->OnDownload(0);
    };
    // Where the write command and the first program record fall among the
    // frames of a download that succeeds; each exchange is a transmit and a
    // receive, and the fault is armed for the transmit.
    ASSERT_EQ(download({0x04, 0x04}), S_OK);
    const Lines frames = FramesIn();
    const auto at = [&frames](const std::string& prefix) {
        const auto found = std::find_if(frames.begin(), frames.end(),
                                        [&](const std::string& frame) { return frame.starts_with(prefix); });
        EXPECT_NE(found, frames.end()) << prefix;
        return 2 * static_cast<DWORD>(found - frames.begin()) + 1;
    };
    const DWORD writeCommand = at("00 02 57 81");
    const DWORD firstRecord = at("00 86 00 C0");
    const struct {
        const char* what;
        DWORD calls;
        DWORD fault;
        DWORD value;
        Lines boxes;
    } cases[] = {
        {"a negative acknowledge of the write command", writeCommand, Q3V_SIM_FAULT_NAK, 0,
         {"Flash memory writing NG."}},
        {"a negative acknowledge of a program record", firstRecord, Q3V_SIM_FAULT_NAK, 0,
         {"Flash memory writing NG."}},
        {"a frequency error of a program record", firstRecord, Q3V_SIM_FAULT_STATUS, 0x83,
         {"Frequency error", "Flash memory writing NG."}},
        {"a boot code error of the write command", writeCommand, Q3V_SIM_FAULT_STATUS, 0x85,
         {"Boot code error", "Flash memory writing NG."}},
        {"a sum check error of the write command", writeCommand, Q3V_SIM_FAULT_STATUS, 0x91,
         {"Sum check error", "Flash memory writing NG."}},
    };
    BYTE value = 0x10;
    for (const auto& c : cases) {
        const Bytes code = {value, static_cast<BYTE>(value + 1)};
        value += 2;
        PutTarget(0x400, code);
        boxesBefore_ = ui_.MessageBoxes().size();
        ASSERT_EQ(control_->injectFaultAfter(c.calls, c.fault, c.value, 1), Q3V_SIM_OK);
        EXPECT_EQ(download(code), E_FAIL) << c.what;
        EXPECT_EQ(Boxes(), c.boxes) << c.what;
        EXPECT_EQ(ReadTarget(0xC000, 2), Bytes(2, 0xFF)) << c.what << ": erased, not programmed";
        EXPECT_EQ(Read(0x400, 0x401), code) << c.what << ": a read reaches the target";

        EXPECT_EQ(server_->OnDownload(0xFFFF), S_OK);
        EXPECT_EQ(server_->OnDownload(0), S_OK) << c.what;
        EXPECT_EQ(ReadTarget(0xC000, 2), code) << c.what << ": the dirty block written";
    }
}

TEST_F(MemoryRoad, AVerifyFaultOfACopyReachesTheHostsErrorOutput) {
    Connect(res_id::kModeErase);
    PutTarget(0x400, {0x41, 0x42});
    ASSERT_EQ(control_->injectFault(Q3V_SIM_FAULT_VERIFY, 0, 1), Q3V_SIM_OK);
    DWORD address = 0;
    EXPECT_EQ(server_->CopyMemory(0x400, 0x401, 0x500, 1, 1, 0, 0, &address), E_FAIL);
    EXPECT_EQ(Reports(), (Lines{"FAILED AT 00000500 WRITE=41 'A' READ=41 'A'", " *** 31:Verify error"}));
}

// With the link lost, or the target's power (which then answers nothing),
// every access fails with one report of the lost link a call, and changes
// nothing; a read gives no byte it did not read. (Each answered S_OK: a read
// handed the host bytes that were never read, a write or fill did nothing.)
TEST_F(MemoryRoad, ALostLinkFailsEveryAccessWithOneReportEach) {
    Connect(res_id::kModeErase);
    const Bytes before = Pattern(16, 7);
    const Bytes bytes(16, 0x42);
    const BYTE pattern[] = {0x12, 0x34};
    Bytes read(16);
    DWORD first[2] = {};
    DWORD second[2] = {};
    DWORD address = 0;
    DWORD found = 0xDEADBEEF;
    const struct {
        const char* what;
        std::function<HRESULT()> call;
    } cases[] = {
        {"a read", [&] { return server_->ReadMemory(0x400, 0x40F, 1, read.data()); }},
        {"a write", [&] { return server_->WriteMemory(0x400, 0x40F, 1, bytes.data()); }},
        {"a fill with its whole pattern", [&] { return server_->FillMemory(0x400, 0x401, 2, pattern); }},
        {"a fill of the monitor", [&] { return server_->FillMemory(0x400, 0x40F, 2, pattern); }},
        {"a copy", [&] { return server_->CopyMemory(0x600, 0x60F, 0x400, 0, 1, 0, 0, &address); }},
        {"a compare", [&] { return server_->CompareMemory(0x400, 0x40F, 0x600, 1, first, second, &address); }},
        {"the monitor's search", [&] { return server_->SearchMemory(0x400, 0x40F, 0, 0, 1, pattern, nullptr, &found); }},
        {"the block search",
         [&] { return server_->SearchMemoryEx(0x400, 0x40F, 0, 0, 1, 2, pattern, nullptr, &found); }},
    };
    const InjectedFault faults[] = {
        {"the link lost", Q3V_SIM_FAULT_LINK_LOST, 1},
        {"the target's power lost", Q3V_SIM_FAULT_TARGET_POWER, 0},
    };
    for (const auto& f : faults) {
        PutTarget(0x400, before);
        PutTarget(0x600, bytes);
        ASSERT_EQ(control_->injectFault(f.fault, f.value, 0), Q3V_SIM_OK);
        for (const auto& c : cases) {
            read.assign(16, 0xA5);
            reportsBefore_ = host_->Services().ReportedErrors().size();
            EXPECT_EQ(c.call(), E_FAIL) << c.what << ", " << f.what;
            EXPECT_EQ(Reports(), Lines{"Communication timeout error"}) << c.what << ", " << f.what;
            EXPECT_EQ(ReadTarget(0x400, 16), before) << c.what << ", " << f.what;
            EXPECT_EQ(read, c.what == std::string("a read") ? Bytes(16, 0xFF) : Bytes(16, 0xA5))
                << c.what << ", " << f.what << ": no byte that was not read";
        }
        EXPECT_EQ(found, 0xDEADBEEFu) << f.what;
        boxesBefore_ = ui_.MessageBoxes().size();
        EXPECT_EQ(server_->OnDownload(0xFFFF), E_FAIL) << "a download's begin, " << f.what;
        EXPECT_EQ(Boxes(), Lines{"Communication timeout error.\nPlease restart Q3v SYSTEM"}) << f.what;
        control_->clearFaults();
        EndSession();
        ASSERT_NO_FATAL_FAILURE(OpenTargetSession());
    }
}

// A download whose flash write loses the link at the erase of a later block
// (its reply never comes): the end of the download fails and says so once.
// (It answered S_OK.)
TEST_F(MemoryRoad, ADownloadThatLosesTheLinkInItsFlashWriteFails) {
    Connect(res_id::kModeErase);
    const Bytes code = {0x04, 0x04, 0xF3};
    const Bytes data = {0x01, 0x02, 0x03};
    ASSERT_EQ(DownloadCodeAndData(code, data), S_OK);
    // Each exchange is a transmit and a receive; the fault is armed at the
    // transmit of the second block's erase and takes its reply.
    const Lines frames = FramesIn();
    const auto erase = std::find_if(frames.begin(), frames.end(),
                                    [](const std::string& frame) { return frame.starts_with("00 06 45 00 E0"); });
    ASSERT_NE(erase, frames.end());
    ASSERT_EQ(control_->injectFaultAfter(2 * static_cast<DWORD>(erase - frames.begin()) + 1,
                                         Q3V_SIM_FAULT_RECEIVE_TIMEOUT, 0, 1),
              Q3V_SIM_OK);
    EXPECT_EQ(DownloadCodeAndData(code, data), E_FAIL);
    control_->clearFaults();
    EXPECT_EQ(Boxes(), Lines{"Communication timeout error.\nPlease restart Q3v SYSTEM"});
}

TEST_F(MemoryRoad, ALinkLostDuringAFillIsReportedOnce) {
    Connect(res_id::kModeErase);
    ASSERT_EQ(control_->injectFault(Q3V_SIM_FAULT_RECEIVE_TIMEOUT, 0, 1), Q3V_SIM_OK);
    const BYTE pattern[] = {0x5A};
    EXPECT_EQ(server_->FillMemory(0x800, 0x8FF, 1, pattern), E_FAIL);
    EXPECT_EQ(Reports(), Lines{"Communication timeout error"}) << "the fill's error line is the link's report";
    EXPECT_EQ(Boxes(), Lines{"Communication timeout error"}) << "the emulator's error reply";
}

TEST_F(MemoryRoad, TheDemoProgramIsDownloadedIntoTheFlash) {
    Connect(res_id::kModeErase);
    const auto image = emutest::LoadSRecords("Vk3Demo.mot");
    EXPECT_EQ(Download(image), std::vector<HRESULT>(3, S_OK));
    for (const auto& [address, value] : image) {
        if (address < 0xFF00) {
            EXPECT_EQ(ReadTarget(address, 1), Bytes{value}) << std::hex << address;
        }
    }
    EXPECT_EQ(Saved("USER_DATA", "RESET"), "c000") << "the user's reset vector";
    EXPECT_EQ(ReadTarget(0xFFFC, 3), (Bytes{0x20, 0xF0, 0x00})) << "the firmware keeps the reset";
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(MemoryRoad, AdjacentRamWritesReachTheEmulatorWhenTheirRunIsFlushed) {
    Connect(res_id::kModeErase);
    ASSERT_EQ(server_->OnDownload(0xFFFF), S_OK);
    const Bytes bytes = Pattern(0x200, 9);
    EXPECT_EQ(server_->WriteMemory(0x400, 0x4FF, 1, bytes.data()), S_OK);
    EXPECT_EQ(server_->WriteMemory(0x500, 0x5FF, 1, bytes.data() + 0x100), S_OK);
    EXPECT_EQ(FrameCount(), 0u) << "collected";
    EXPECT_EQ(server_->WriteMemory(0x700, 0x70F, 1, bytes.data()), S_OK);
    EXPECT_GT(FrameCount(), 0u) << "a write that does not continue the run sends it";
    EXPECT_EQ(ReadTarget(0x400, 0x200), bytes);
    EXPECT_NE(ReadTarget(0x700, 16), Bytes(bytes.begin(), bytes.begin() + 16));
    ASSERT_EQ(server_->OnDownload(0), S_OK);
    EXPECT_EQ(ReadTarget(0x700, 16), Bytes(bytes.begin(), bytes.begin() + 16));
}

TEST_F(MemoryRoad, ADownloadOverTheFirmwaresRamTwiceKeepsTheRestAndTellsOnce) {
    Connect(res_id::kModeErase);
    std::map<std::uint32_t, std::uint8_t> image;
    for (DWORD a = 0x9F0; a <= 0xA0F; ++a) {  // the user's RAM into the firmware's
        image[a] = 0x5A;
    }
    for (DWORD a = 0xB00; a <= 0xB0F; ++a) {  // the firmware's RAM again
        image[a] = 0x5B;
    }
    for (DWORD a = 0xC000; a <= 0xC00F; ++a) {
        image[a] = 0x04;
    }
    const Bytes firmwareRam = ReadTarget(0xA00, 0x200);
    EXPECT_EQ(Download(image), std::vector<HRESULT>(3, S_OK));
    EXPECT_EQ(ReadTarget(0x9F0, 16), Bytes(16, 0x5A)) << "the bytes before the firmware's RAM";
    EXPECT_EQ(ReadTarget(0xA00, 0x200), firmwareRam);
    EXPECT_EQ(ReadTarget(0xC000, 16), Bytes(16, 0x04)) << "the rest programmed";
    EXPECT_EQ(Reports(), (Lines{"User program is located in RAM area from 000009F0h to 000009FFh.",
                                "User program area and Q3v work RAM are overlapped from 00000A00h to 00000A0Fh.",
                                "User program area and Q3v work RAM are overlapped from 00000B00h to 00000B0Fh.",
                                " Flash memory writing ... ", " Flash memory write end "}));
    EXPECT_EQ(Boxes(), Lines{"User program area and Q3v work RAM are overlapped from 00000A00h to 00000B0Fh."})
        << "one message over both pieces";
}

TEST_F(MemoryRoad, ABlockOutsideTheDeviceIsReportedAndTheRestProgrammed) {
    Connect(res_id::kModeErase);
    std::map<std::uint32_t, std::uint8_t> image;
    for (DWORD a = 0x0C00; a <= 0x0C0F; ++a) {  // between the RAM and the flash
        image[a] = 0x5C;
    }
    for (DWORD a = 0xC100; a <= 0xC10F; ++a) {
        image[a] = 0x04;
    }
    EXPECT_EQ(Download(image), (std::vector<HRESULT>{S_OK, kRefused})) << "the refusal to the write that sent it";
    EXPECT_EQ(ReadTarget(0xC100, 16), Bytes(16, 0x04));
    const std::string text = " Memory area error. It is outside the effective address range. ";
    EXPECT_EQ(Reports(), (Lines{text, " Flash memory writing ... ", " Flash memory write end "}));
    EXPECT_EQ(Boxes(), Lines{text});
}

TEST_F(MemoryRoad, ProgramFlashModeEndsWithItsRestartMessage) {
    Connect(res_id::kModeProgramFlash);
    Download(emutest::LoadSRecords("Vk3Demo.mot"));
    const Lines boxes = Boxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back(), "Restart Target or Exit Ktr");
}

TEST_F(MemoryRoad, AFailedProgrammingEndsWithoutTheRestartMessage) {
    Connect(res_id::kModeProgramFlash);
    ASSERT_EQ(server_->OnDownload(0xFFFF), S_OK);
    const Bytes code = {0x04, 0x04};
    EXPECT_EQ(server_->WriteMemory(0xC000, 0xC001, 1, code.data()), S_OK);
    ASSERT_EQ(control_->injectFault(Q3V_SIM_FAULT_PROGRAM, 0, 100), Q3V_SIM_OK);
    EXPECT_EQ(server_->OnDownload(0), E_FAIL) << "the download failed";
    const Lines boxes = Boxes();
    EXPECT_EQ(std::count(boxes.begin(), boxes.end(), "Restart Target or Exit Ktr"), 0);
    EXPECT_NE(std::find(boxes.begin(), boxes.end(), "Flash memory writing NG."), boxes.end());
}

// The disconnect of a device whose XIN entries set its clock: the unit at
// entry 1 (2 bytes at 0x0006) is read, every entry written whole, entry 0
// again after the cold-start area, and the unit read written back; a unit
// that could not be read is not written back.
TEST_F(MemoryRoad, TheDisconnectWritesEachXinEntryWholeAndRestoresOnlyAUnitItRead) {
    ConnectToGroup("LinkTestFiles\\XIN", "VK31D16");
    const std::string read = "00 0E 5A 11 00 0E 06 00 00 00 02 00 20 42 A5 81";
    const std::string entry0 = "00 12 5A 12 00 12 04 00 00 00 20 42 01 00 00 00 02 00 A5 81";
    const std::string entry1 = "00 12 5A 12 00 12 06 00 00 00 20 57 02 00 00 00 08 20 A5 81";
    const std::string restore = "00 12 5A 12 00 12 06 00 00 00 20 57 02 00 00 00 DD CC A5 81";
    const std::string closing = "00 12 5A 12 00 12 B8 01 00 00 20 42 01 00 00 00 00 00 A5 81";
    const struct {
        const char* what;
        bool refuseRead;
        Lines frames;
        Bytes memory;  // at 0x0004 after the disconnect
    } cases[] = {
        {"the unit read", false, {read, entry0, entry1, entry0, restore, closing}, {0x02, 0xBB, 0xCC, 0xDD}},
        {"a read the emulator refuses", true, {read, entry0, entry1, entry0, closing}, {0x02, 0xBB, 0x20, 0x08}},
    };
    for (const auto& c : cases) {
        if (!started_) {
            OpenTargetSession();
        }
        PutTarget(0x0004, {0xAA, 0xBB, 0xCC, 0xDD});
        control_->clearFrames();
        if (c.refuseRead) {
            ASSERT_EQ(control_->injectFault(Q3V_SIM_FAULT_NAK, 0, 1), Q3V_SIM_OK);
        }
        EndSession();
        EXPECT_EQ(FramesIn(), c.frames) << c.what;
        EXPECT_EQ(ReadTarget(0x0004, 4), c.memory) << c.what;
    }
}

TEST_F(MemoryRoad, TheMemoryMapHoldsTheWholeSpaceTwice) {
    Connect(res_id::kModeErase);
    ExpectMapUpTo(0xFFFF);
}

// The 1 MB device VK32D64 of the test group VK32X: the user's RAM runs from
// 0x0400 across 64 KiB to 0x13BFF (the firmware's RAM above it), the data
// flash follows at 0x14000, the program flash fills 0xF0000 to the top with
// the firmware in its last block.
class LargeDeviceMemoryRoad : public MemoryRoad {
protected:
    void SetUp() override {
        MemoryRoad::SetUp();
        ASSERT_EQ(control_->configure("device=VK32D64;protocol=2"), Q3V_SIM_OK);
        ConnectToGroup("LinkTestFiles\\VK32X", "VK32D64");
    }
};

TEST_F(LargeDeviceMemoryRoad, WritesAndReadsCrossSixtyFourKib) {
    struct Case {
        DWORD start;
        DWORD size;
        DWORD access;
    };
    for (const Case& c : {Case{0x3000, 65536, 2}, Case{0x0400, 70000, 1}}) {
        const DWORD end = c.start + c.size - 1;
        const Bytes bytes = Pattern(c.size, static_cast<BYTE>(c.size >> 4));
        EXPECT_EQ(server_->WriteMemory(c.start, end, c.access, bytes.data()), S_OK) << c.size;
        EXPECT_EQ(ReadTarget(c.start, c.size), bytes) << c.size;
        EXPECT_EQ(Read(c.start, end, c.access), bytes) << c.size;
    }
    // A range wholly above 64 KiB, up to the firmware's RAM.
    const Bytes high = Pattern(0x13BFF - 0x10000 + 1, 5);
    EXPECT_EQ(server_->WriteMemory(0x10000, 0x13BFF, 4, high.data()), S_OK);
    EXPECT_EQ(ReadTarget(0x10000, high.size()), high);
    EXPECT_EQ(Read(0x10000, 0x13BFF, 4), high);

    // The data flash above 64 KiB is written back at once; the program
    // flash waits in the mirror.
    const Bytes data = Pattern(0x100, 7);
    EXPECT_EQ(server_->WriteMemory(0x14700, 0x147FF, 1, data.data()), S_OK);
    EXPECT_EQ(ReadTarget(0x14700, 0x100), data);
    EXPECT_EQ(server_->WriteMemory(0xF0000, 0xF00FF, 1, data.data()), S_OK);
    EXPECT_EQ(Read(0xF0000, 0xF00FF), data);
    EXPECT_EQ(Read(0xFF000, 0xFF3FF), ReadTarget(0xFF000, 0x400)) << "the firmware as the chip holds it";
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(LargeDeviceMemoryRoad, RangesOutsideTheDevicesMemoryAreRefusedWithNothingSent) {
    const std::size_t frames = FrameCount();
    struct Case {
        const char* what;
        DWORD start;
        DWORD end;
    };
    const Case cases[] = {
        {"the firmware's RAM", 0x13C00, 0x13C0F},
        {"the user's RAM into the firmware's", 0x13BF0, 0x13C0F},
        {"the hole after the data flash", 0x20000, 0x2000F},
        {"across the hole", 0x14FF0, 0xF000F},
        {"the firmware's flash", 0xFF000, 0xFF00F},
        {"past the top", 0xFFFF0, 0x10000F},
    };
    for (const Case& c : cases) {
        const Bytes bytes(c.end - c.start + 1, 0x42);
        EXPECT_EQ(server_->WriteMemory(c.start, c.end, 1, bytes.data()), kRefused) << c.what;
        EXPECT_EQ(server_->FillMemory(c.start, c.end, 1, bytes.data()), kRefused) << c.what;
    }
    EXPECT_EQ(FrameCount(), frames) << "nothing reached the emulator";
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(LargeDeviceMemoryRoad, FillCopyCompareAndSearchesCrossSixtyFourKib) {
    const BYTE pattern[] = {0x12, 0x34};
    EXPECT_EQ(server_->FillMemory(0xFF00, 0x100FF, 2, pattern), S_OK);
    Bytes filled;
    for (int i = 0; i < 0x100; ++i) {
        filled.insert(filled.end(), {0x12, 0x34});
    }
    EXPECT_EQ(ReadTarget(0xFF00, 0x200), filled);

    const Bytes bytes = Pattern(0x200, 3);
    PutTarget(0xFF00, bytes);
    DWORD address = 0;
    EXPECT_EQ(server_->CopyMemory(0xFF00, 0x100FF, 0xFF80, 1, 1, 0, 0, &address), S_OK) << "overlapping: backwards";
    EXPECT_EQ(ReadTarget(0xFF80, 0x200), bytes);
    DWORD first[2] = {};
    DWORD second[2] = {};
    EXPECT_EQ(server_->CompareMemory(0xFF80, 0x1017F, 0xFF80, 4, first, second, &address), S_OK) << "with itself";
    PutTarget(0x11000, bytes);
    PutTarget(0x11081, {static_cast<BYTE>(~bytes[0x81])});
    EXPECT_EQ(server_->CompareMemory(0xFF80, 0x1017F, 0x11000, 1, first, second, &address), kMismatch);
    EXPECT_EQ(address, 0x10001u) << "the first range's differing byte";

    // 4 KiB from 0xF800: the second 2,048-byte block begins at 0x10000.
    PutTarget(0xF800, Bytes(0x1000, 0));
    const BYTE sought[] = {0xCA, 0xFE, 0xBA};
    PutTarget(0xFFFF, Bytes(sought, sought + 3));
    DWORD found = 0;
    EXPECT_EQ(server_->SearchMemoryEx(0xF800, 0x107FF, 0, 0, 1, 3, sought, nullptr, &found), S_OK);
    EXPECT_EQ(found, 0xFFFFu) << "across the two blocks";
    found = 0;
    EXPECT_EQ(server_->SearchMemoryEx(0xF800, 0x107FF, 1, 0, 0, 2, sought + 1, nullptr, &found), S_OK);
    EXPECT_EQ(found, 0x10000u) << "the monitor's search, every byte";
    const BYTE missing[] = {0x77, 0x66};
    EXPECT_EQ(server_->SearchMemory(0xF800, 0x107FF, 1, 0, 2, missing, nullptr, &found), kNotFound);
    EXPECT_TRUE(Reports().empty());
}

// A program above 64 KiB: code at the program flash's top, a run across two
// of its blocks, a table in the data flash and the reset vector in the
// firmware's block.
TEST_F(LargeDeviceMemoryRoad, AProgramAboveSixtyFourKibIsDownloadedIntoTheFlash) {
    std::map<std::uint32_t, std::uint8_t> image;
    const auto add = [&image](DWORD start, const Bytes& bytes) {
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            image[start + static_cast<DWORD>(i)] = bytes[i];
        }
    };
    add(0xF0000, Pattern(0x600, 1));
    add(0xF7F80, Pattern(0x100, 2));
    add(0x14800, Pattern(0x40, 3));
    add(0xFFFFC, {0x00, 0x00, 0x0F});
    EXPECT_EQ(Download(image), std::vector<HRESULT>(5, S_OK));
    for (const auto& [address, value] : image) {
        if (address < 0xFF000) {
            EXPECT_EQ(ReadTarget(address, 1), Bytes{value}) << std::hex << address;
        }
    }
    EXPECT_EQ(Read(0xF7F80, 0xF807F), emutest::Slice(image, 0xF7F80, 0x100)) << "read back through the host";
    EXPECT_EQ(Saved("USER_DATA", "RESET"), "f0000") << "the user's reset vector";
    EXPECT_EQ(ReadTarget(0xFFFFC, 3), (Bytes{0x20, 0xF0, 0x0F})) << "the firmware keeps the reset";
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(LargeDeviceMemoryRoad, TheMemoryMapHoldsTheWholeMegabyte) {
    ExpectMapUpTo(0xFFFFF);
}


// A download's flash write refused at any exchange before its first erase
// (the firmware's hand-over of the flash, the writer's state): the download
// fails with the flash error message, the chip keeps what it held, and the
// next download's flash write programs both blocks. (A refused hand-over once
// ended the write as done: the download answered S_OK, nothing written.)
TEST_F(MemoryRoad, AFlashWriteRefusedBeforeItsEraseFailsTheDownload) {
    Connect(res_id::kModeErase);
    Bytes code = {0x04, 0x04, 0xF3};
    Bytes data = {0x01, 0x02, 0x03};
    const auto download = [&] { return DownloadCodeAndData(code, data); };
    ASSERT_EQ(download(), S_OK);
    // Each exchange is a transmit and a receive; the fault is armed for the
    // transmit of the exchange it follows.
    const Lines frames = FramesIn();
    const auto erase = std::find_if(frames.begin(), frames.end(),
                                    [](const std::string& frame) { return frame.starts_with("00 06 45"); });
    ASSERT_NE(erase, frames.end());
    const DWORD beforeErase = 2 * static_cast<DWORD>(erase - frames.begin());
    const InjectedFault faults[] = {
        {"a negative acknowledge", Q3V_SIM_FAULT_NAK, 0},
        {"a frequency error", Q3V_SIM_FAULT_STATUS, 0x83},
    };
    for (const auto& f : faults) {
        for (DWORD call = 1; call <= beforeErase; ++call) {
            const std::string what = std::string(f.what) + " at driver call " + std::to_string(call);
            const Bytes chipCode = code;
            const Bytes chipData = data;
            ++code[0];
            ++data[0];
            boxesBefore_ = ui_.MessageBoxes().size();
            // The same box each time: answered, not taken for a box shown in a loop.
            ui_.AnswerNextMessageBox(IDOK);
            ASSERT_EQ(control_->injectFaultAfter(call, f.fault, f.value, 1), Q3V_SIM_OK);
            EXPECT_EQ(download(), E_FAIL) << what;
            control_->clearFaults();
            const Lines boxes = Boxes();
            EXPECT_FALSE(boxes.empty() || boxes.back() != "Flash memory writing NG.") << what;
            EXPECT_EQ(ReadTarget(0xC010, 3), chipCode) << what << ": the chip as it was";
            EXPECT_EQ(ReadTarget(0xE010, 3), chipData) << what << ": the chip as it was";

            EXPECT_EQ(server_->OnDownload(0xFFFF), S_OK);
            EXPECT_EQ(server_->OnDownload(0), S_OK) << what;
            EXPECT_EQ(ReadTarget(0xC010, 3), code) << what << ": the dirty block written";
            EXPECT_EQ(ReadTarget(0xE010, 3), data) << what << ": the dirty block written";
            if (HasFailure()) {
                return;
            }
        }
    }
}

}  // namespace
