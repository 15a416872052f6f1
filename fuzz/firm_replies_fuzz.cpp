// Firmware replies of any content in the reply buffer: the parser must
// never write beyond the caller's buffer (sized exactly as the request asks)
// nor read beyond the reply buffer, whatever the reply's lengths say.
#include "link/firm_buffers.h"
#include "link/firm_codes.h"
#include "link/firm_command.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    constexpr DWORD kCodes[] = {firm_code::kReadMemory, firm_code::kWriteMemory, firm_code::kReadVersion,
                                firm_code::kFlashStep, firm_code::kReset, firm_code::kReadRegisters};
    const DWORD code = kCodes[data[0] % std::size(kCodes)];
    // The requested count, at most one piece.
    const std::size_t count = code == firm_code::kReadVersion ? 13 : data[1] % 129;
    g_firmReplyBuffer.fill(0);
    std::copy_n(data + 2, std::min(size - 2, g_firmReplyBuffer.size()), g_firmReplyBuffer.begin());
    const auto destination = std::make_unique<BYTE[]>(count + 1);
    CFirmCommand command(nullptr);
    command.SetCount(static_cast<int>(code == firm_code::kReadVersion ? 0 : count));
    command.SetData(destination.get());
    command.ParseReply(code);
    DWORD first = 0;
    DWORD second = 0;
    command.GetResult(code, &first, &second);
    return 0;
}
