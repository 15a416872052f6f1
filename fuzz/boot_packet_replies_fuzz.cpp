// Boot-packet replies of any content for each of the six packets: the reply
// check and the read packet's decoding must never read outside the reply,
// and a page is taken only from a reply that has the page's frame.
#include "startup/boot_packet.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const std::span<const BYTE> reply(data + 1, size - 1);
    const std::array<BYTE, 128> block{};
    std::unique_ptr<CBootPacket> packet;
    switch (data[0] % 6) {
    case 0:
        packet = std::make_unique<CBootPacketW>(nullptr);
        break;
    case 1:
        packet = std::make_unique<CBootPacketWriteBlock>(nullptr, 0xC000, block);
        break;
    case 2:
        packet = std::make_unique<CBootPacket11>(nullptr);
        break;
    case 3:
        packet = std::make_unique<CBootPacketErase>(nullptr, 0xDFFE);
        break;
    case 4:
        packet = std::make_unique<CBootPacketRead>(nullptr, 0xFF00);
        break;
    default:
        packet = std::make_unique<CBootPacketGo>(nullptr, 0xF024);
        break;
    }
    packet->TakeReply(reply);
    if (packet->CheckReply()) {
        packet->DecodeReply();
        if (auto* read = dynamic_cast<CBootPacketRead*>(packet.get())) {
            // A decoded page is the 256 bytes after the reply's count.
            if (read->Data().size() != 256 || reply.size() < 260 || read->Data()[0] != reply[2] ||
                read->Data()[255] != reply[257]) {
                std::abort();
            }
        }
    }
    return 0;
}
