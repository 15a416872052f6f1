// S-record files of any content: the record parser on every line and the
// reader on the whole file must never crash, and every block the reader
// hands out stays inside its buffer and below the block size.
#include "link/mot_file.h"
#include "link/mot_record.h"
#include "config/module_folder.h"

#include "platform/paths.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const MotRecord record = ParseMotRecord(text.substr(start, end - start));
        if (record.length > record.data.size()) {
            std::abort();
        }
        start = end + 1;
    }

    static const std::string native = platform::ToNativePath(GetModuleDirectory() + "mot_file_fuzz_input.mot").value();
    std::ofstream(native, std::ios::binary | std::ios::trunc).write(text.data(), static_cast<std::streamsize>(size));
    CMotFile reader;
    if (reader.Open("mot_file_fuzz_input.mot") != 0) {
        return 0;
    }
    for (int blocks = 0; blocks < 100000; ++blocks) {
        WORD length = 0;
        const BYTE* block = nullptr;
        DWORD address = 0;
        if (reader.ReadBlock(&length, &block, &address) != 0 || length == 0) {
            break;
        }
        if (length >= CMotFile::kBlockSize) {
            std::abort();
        }
    }
    reader.Tell();
    return 0;
}
