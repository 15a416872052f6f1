// Command lines of any content cut into words and matched against a table of
// arguments: the cursor only ever moves forward within the line and stops at
// its end. The first byte chooses the code page: double-byte or single-byte.
#include "console/cmd.h"

#include "platform/codepage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    platform::SetAnsiCodePage((data[0] & 1) != 0 ? 932 : 1252);
    const std::string line(reinterpret_cast<const char*>(data) + 1, size - 1);
    const char* start = line.c_str();
    const char* end = start + std::strlen(start);
    const char* cursor = start;
    for (int words = 0; *cursor != '\0' && words < 1000; ++words) {
        const char* before = cursor;
        DWORD quoted = 0;
        CCmd::NextWord(cursor, quoted);
        if (cursor < before || cursor > end || (cursor == before && *cursor != '\0')) {
            std::abort();
        }
    }
    CArgKeyword keyword(0, "enable\0disable\0eml_mode\0eml\0", 0);
    CArgString text(0, "default");
    CArgString required(1, "");
    CArg* const table[] = {&keyword, &text, &required, nullptr};
    cursor = start;
    const int matched = CCmd::MatchArguments(cursor, table);
    if (matched < 0 || matched > 3 || cursor < start || cursor > end) {
        std::abort();
    }
    CCmd::IsBlank(start);
    platform::SetAnsiCodePage(1252);
    return 0;
}
