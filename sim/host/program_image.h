// The simulated host's own reader of Motorola S-record programs: the bytes
// of a program as runs of contiguous addresses, ready to be downloaded.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace simhost {

// Contiguous bytes from a start address.
struct ProgramRun {
    std::uint32_t start = 0;
    std::vector<std::uint8_t> bytes;

    std::uint32_t Last() const { return start + static_cast<std::uint32_t>(bytes.size()) - 1; }
};

struct ProgramImage {
    std::vector<ProgramRun> runs;  // in address order, none empty, none touching the next

    std::size_t ByteCount() const;
    // The user reset vector: the 24-bit little-endian address at 0xFFFC to
    // 0xFFFE, when the program holds all three bytes.
    std::optional<std::uint32_t> ResetVector() const;
};

// A program, or the reason there is none ("<name> line 3: bad checksum").
struct ProgramRead {
    std::optional<ProgramImage> image;
    std::string error;
};

// Reads S-record text: S0 headers and S5/S6 counts are checked and
// skipped, S1/S2/S3 carry data with 16, 24 and 32-bit addresses, S7/S8/S9
// end the program. Lines may end in CR LF or LF; blank lines are skipped. A
// later byte at an address replaces an earlier one. name heads each error.
ProgramRead ReadSRecords(std::string_view text, const std::string& name);
// The file at a Windows path.
ProgramRead ReadSRecordFile(const std::string& path);

}  // namespace simhost
