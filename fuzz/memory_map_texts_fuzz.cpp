// The memory map's text readers with arbitrary texts: an area text always
// gives a record whose name is terminated within its 12 bytes, and its
// formatted form reads back as the same record; the words of a text carry
// no blank and join back into a text that splits into the same words.
#include "target/target_memory_map_vk3.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    AreaTextRecord record;
    CTargetMemoryMapVk3::ParseAreaText(text, record);
    if (std::memchr(record.name, 0, sizeof(record.name)) == nullptr) {
        std::abort();
    }
    // A record formatted and read again is the same record, when its name
    // can stand in a field (no comma, no blank at its ends).
    const std::string name(record.name);
    const bool plainName = name.find(',') == std::string::npos && (name.empty() || (name.front() != ' ' &&
                                                                                   name.back() != ' '));
    if (plainName && record.number <= 0x7FFFFFFF) {
        AreaTextRecord again;
        CTargetMemoryMapVk3::ParseAreaText(CTargetMemoryMapVk3::FormatAreaText(record), again);
        if (again.start != record.start || again.end != record.end || std::strcmp(again.name, record.name) != 0 ||
            again.number != record.number || again.attributeLow != record.attributeLow) {
            std::abort();
        }
    }
    const std::vector<std::string> words = CTargetMemoryMapVk3::SplitWords(text);
    for (const std::string& word : words) {
        if (word.empty() || word.find(' ') != std::string::npos) {
            std::abort();
        }
    }
    if (CTargetMemoryMapVk3::SplitWords(CTargetMemoryMapVk3::JoinWords(words)) != words) {
        std::abort();
    }
    return 0;
}
