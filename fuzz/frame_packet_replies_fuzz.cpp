// Frame-packet replies of any content and any expected length: the reply
// check must never read outside the reply it was given.
#include "link/frame_packet.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

class FuzzedPacket : public CFramePacket {
public:
    FuzzedPacket(const std::uint8_t* data, std::size_t size) : CFramePacket(nullptr) {
        m_command = data[0];
        m_replyLength = data[1];
        m_replyTrailerMode = data[2] % 3;
        m_statusFlag = data[3] % 2;
        m_reply.assign(data + 4, data + size);
    }
    void Decode() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    FuzzedPacket packet(data, size);
    packet.CheckReply();
    return 0;
}
