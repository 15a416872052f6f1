// The host storm's memory operations: reads and writes of the RAM and the
// flash, the download, and the copy, compare and both searches of the
// host's memory server, each judged against the emulator's memory and the
// model of the flash the host should see.
#include "tests/road/host_storm.h"

#include "platform/host/target_interfaces.h"

#include <algorithm>

namespace roadtest {

namespace {

using namespace storm;
using emutest::Bytes;
using testing_support::Below;
using testing_support::HexText;

constexpr HRESULT kMismatch = static_cast<HRESULT>(0x80042020);
constexpr HRESULT kNotFound = static_cast<HRESULT>(0x80042021);
constexpr DWORD kMostBytes = 64;
// The searches look through the program's area and the erased flash after
// it (the block search reads it in pieces of its own).
constexpr DWORD kSearchEnd = 0xC0FF;
// A pattern the program does not hold.
constexpr std::array<BYTE, 2> kAbsent = {0x77, 0x66};

// A range of at most kMostBytes bytes in [first, last].
std::pair<DWORD, DWORD> DrawRange(StormRng& rng, DWORD first, DWORD last) {
    const DWORD start = first + Below(rng, last - first + 1);
    const DWORD count = 1 + Below(rng, std::min<DWORD>(kMostBytes, last - start + 1));
    return {start, count};
}

std::string RangeText(DWORD start, DWORD count) {
    return HexText(start) + ", " + std::to_string(count) + " bytes";
}

}  // namespace

IHTMemoryServer4* HostStorm::MemoryServer() const {
    return Served<IHTMemoryServer4>(IID_IHTMemoryServer4);
}

Bytes HostStorm::Expected(DWORD first, std::size_t count) const {
    Bytes bytes = ReadTarget(first, count);
    for (std::size_t i = 0; i < count; ++i) {
        const DWORD address = first + static_cast<DWORD>(i);
        if (address >= kFlashFirst && address <= kFlashEnd) {
            bytes[i] = flash_[address - kFlashFirst];
        } else if (address == kRamCode) {
            bytes[i] = kNop;
        }
    }
    return bytes;
}

bool HostStorm::Read(StormRng& rng) {
    static constexpr std::pair<DWORD, DWORD> kAreas[] = {{kRamTop, kRamEnd},
                                                         {kProgramArea, kProgramAreaEnd},
                                                         {kFlashWrites[0], kFlashWrites[0] + kFlashWriteSize - 1},
                                                         {kFlashWrites[1], kFlashWrites[1] + kFlashWriteSize - 1},
                                                         {kRamCode - 8, kRamCode + 8}};
    const auto& area = kAreas[Below(rng, static_cast<std::uint32_t>(std::size(kAreas)))];
    const auto [first, count] = DrawRange(rng, area.first, area.second);
    detail_ = RangeText(first, count);
    const auto bytes = session_->ReadMemory(first, count);
    if (!bytes || Told()) {
        return false;
    }
    Expect(*bytes == Expected(first, count), Check::MemoryRead, "the bytes read are not the memory's");
    return true;
}

// RAM is written into the target at once; the flash into the mirror, which
// the next launch, download or the session's end writes back.
bool HostStorm::Write(StormRng& rng) {
    const bool flash = Below(rng, 3) == 0;
    const DWORD top = kFlashWrites[Below(rng, static_cast<std::uint32_t>(kFlashWrites.size()))];
    const auto [first, count] =
        flash ? DrawRange(rng, top, top + kFlashWriteSize - 1) : DrawRange(rng, kRamTop, kRamEnd);
    detail_ = RangeText(first, count);
    Bytes bytes(count);
    for (BYTE& byte : bytes) {
        byte = static_cast<BYTE>(rng());
    }
    if (flash) {
        // What the mirror holds of the range after a failure is not known.
        flashUnsure_ = {first, first + count - 1};
    }
    if (!session_->WriteMemory(first, bytes) || Told()) {
        return false;
    }
    if (flash) {
        std::copy(bytes.begin(), bytes.end(), flash_.begin() + (first - kFlashFirst));
        flashUnsure_.reset();
        const auto seen = session_->ReadMemory(first, count);
        if (!seen || Told()) {
            return false;
        }
        Expect(*seen == bytes, Check::MemoryWritten, "the host does not read the flash it wrote");
        return true;
    }
    Expect(ReadTarget(first, count) == bytes, Check::MemoryWritten, "the bytes written are not in the target");
    return true;
}

bool HostStorm::Download() {
    programInFlash_ = false;
    if (!session_->Download(program_) || Told()) {
        return false;
    }
    for (const simhost::ProgramRun& run : program_.runs) {
        for (std::size_t i = 0; i < run.bytes.size(); ++i) {
            const DWORD address = run.start + static_cast<DWORD>(i);
            if (address >= kFlashFirst && address <= kFlashEnd) {
                flash_[address - kFlashFirst] = run.bytes[i];
            }
        }
    }
    JudgeProgram("a download that answered success", {});
    programInFlash_ = !Failed();
    return true;
}

// A copy into the RAM from the program (where break bytes may stand in the
// chip) or from the RAM: the destination holds the source's bytes.
bool HostStorm::Copy(StormRng& rng) {
    const bool fromProgram = Below(rng, 2) == 0;
    const auto [first, count] =
        fromProgram ? DrawRange(rng, kProgramArea, kProgramAreaEnd) : DrawRange(rng, kRamTop, kRamCopies - 1);
    const DWORD destination = kRamCopies + Below(rng, kMostBytes);
    const WORD kind = static_cast<WORD>(Below(rng, 2));  // verified or not
    detail_ = RangeText(first, count) + " to " + HexText(destination) + (kind != 0 ? ", verified" : "");
    const Bytes source = Expected(first, count);
    DWORD address = 0;
    IHTMemoryServer4* server = MemoryServer();
    if (server->CopyMemory(first, first + count - 1, destination, kind, 1, 0, 0, &address) != S_OK || Told()) {
        return false;
    }
    Expect(ReadTarget(destination, count) == source, Check::MemoryRead,
           "the copy's destination does not hold the source's bytes");
    return true;
}

// The program (or the RAM) compared with a copy of it in the RAM that
// differs at one byte, or not at all.
bool HostStorm::Compare(StormRng& rng) {
    const bool fromProgram = Below(rng, 2) == 0;
    const auto [first, count] =
        fromProgram ? DrawRange(rng, kProgramArea, kProgramAreaEnd) : DrawRange(rng, kRamTop, kRamCopies - 1);
    const DWORD second = kRamCopies + Below(rng, kMostBytes);
    Bytes copy = Expected(first, count);
    const std::uint32_t changed = Below(rng, 2 * count);
    if (changed < count) {
        copy[changed] = static_cast<BYTE>(~copy[changed]);
    }
    PutTarget(second, copy);
    detail_ = RangeText(first, count) + " with " + HexText(second) +
              (changed < count ? ", differing at " + HexText(first + changed) : ", equal");
    DWORD firstBytes[2] = {};
    DWORD secondBytes[2] = {};
    DWORD address = 0;
    const HRESULT result =
        MemoryServer()->CompareMemory(first, first + count - 1, second, 1, firstBytes, secondBytes, &address);
    if ((result != S_OK && result != kMismatch) || Told()) {
        return false;
    }
    if (changed >= count) {
        Expect(result == S_OK, Check::MemoryRead, "equal ranges compared as differing at " + HexText(address));
        return true;
    }
    Expect(result == kMismatch && address == first + changed, Check::MemoryRead,
           "the compare answered " + (result == S_OK ? std::string("equal") : "a difference at " + HexText(address)));
    return true;
}

// Both searches through the program's area for a piece of the program, or
// for a pattern it does not hold: found at the first place the host's bytes
// hold it, or not found when they do not.
bool HostStorm::Search(StormRng& rng) {
    const WORD mode = static_cast<WORD>(Below(rng, 2));  // the monitor's search, or the block search
    const DWORD length = 2 + Below(rng, 2);
    const Bytes area = Expected(kProgramArea, kSearchEnd - kProgramArea + 1);
    Bytes pattern(kAbsent.begin(), kAbsent.end());
    if (Below(rng, 4) != 0) {
        const DWORD at = Below(rng, kProgramAreaEnd - kProgramArea + 2 - length);
        pattern.assign(area.begin() + at, area.begin() + at + length);
    }
    const auto place = std::search(area.begin(), area.end(), pattern.begin(), pattern.end());
    std::string patternText;
    for (const BYTE byte : pattern) {
        patternText += " " + HexText(byte);
    }
    detail_ = std::string(mode == 0 ? "the monitor's search" : "the block search") + " for" + patternText;
    DWORD found = 0;
    const HRESULT result = MemoryServer()->SearchMemoryEx(kProgramArea, kSearchEnd, 1, 0, mode,
                                                           static_cast<DWORD>(pattern.size()), pattern.data(), nullptr,
                                                           &found);
    if ((result != S_OK && result != kNotFound) || Told()) {
        return false;
    }
    if (place == area.end()) {
        Expect(result == kNotFound, Check::MemoryRead, "found at " + HexText(found) + " what the memory does not hold");
        return true;
    }
    const DWORD expected = kProgramArea + static_cast<DWORD>(place - area.begin());
    Expect(result == S_OK && found == expected, Check::MemoryRead,
           (result == S_OK ? "found at " + HexText(found) : std::string("not found")) + ", held at " +
               HexText(expected));
    return true;
}

}  // namespace roadtest
