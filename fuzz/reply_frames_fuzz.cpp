// Reply frames of any content, as the driver's receive entry might fill the
// channel's buffer: the shape check, the status mapping and the response
// bytes must never read outside the reply.
#include "link/channel_frames.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    // The first byte chooses the capacity of the caller's buffer.
    const std::size_t capacity = static_cast<std::size_t>(data[0]) * 16;
    const std::vector<BYTE> received(data + 1, data + size);
    const std::size_t length = channel_frame::ReplyLength(received, capacity);
    if (length == 0) {
        return 0;
    }
    if (length > received.size() || length > capacity || received[length - 1] != channel_frame::kClose) {
        std::abort();
    }
    const std::span<const BYTE> reply(received.data(), length);
    channel_frame::StatusReplyWord(reply);
    for (const std::size_t count : {std::size_t{1}, std::size_t{2}, std::size_t{8}, std::size_t{256}}) {
        const std::span<const BYTE> bytes = channel_frame::ResponseBytes(reply, count);
        if (!bytes.empty() && (bytes.size() != count || bytes.data() + count > reply.data() + reply.size())) {
            std::abort();
        }
    }
    return 0;
}
