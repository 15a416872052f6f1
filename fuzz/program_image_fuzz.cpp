// The simulated host's S-record reader on text of any content: it never
// crashes, and a program it accepts holds sorted runs that neither overlap
// nor touch and stay below 4 GiB, or else it names a reason.
#include "sim/host/program_image.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const simhost::ProgramRead read = simhost::ReadSRecords(text, "input");
    if (!read.image) {
        if (read.error.empty()) {
            std::abort();
        }
        return 0;
    }
    std::uint64_t next = 0;
    for (const simhost::ProgramRun& run : read.image->runs) {
        if (run.bytes.empty() || run.start < next ||
            (next != 0 && run.start == next) ||
            static_cast<std::uint64_t>(run.start) + run.bytes.size() > 0x100000000ull) {
            std::abort();
        }
        next = static_cast<std::uint64_t>(run.start) + run.bytes.size();
    }
    return 0;
}
