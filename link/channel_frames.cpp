#include "link/channel_frames.h"

#include "link/link_results.h"

namespace channel_frame {

std::vector<BYTE> FramedBody(std::span<const BYTE> body) {
    std::vector<BYTE> frame(FramedSize(body.size()));
    const std::size_t count = frame.size() - 2;
    frame[0] = static_cast<BYTE>(count >> 8);
    frame[1] = static_cast<BYTE>(count);
    std::copy(body.begin(), body.end(), frame.begin() + 2);
    if ((body.size() + 1) % 2 != 0) {
        frame[2 + body.size()] = kPad;
    }
    frame.back() = kClose;
    return frame;
}

std::vector<BYTE> RelayedCommand(std::span<const BYTE> command, WORD responseLength) {
    std::vector<BYTE> body;
    body.reserve(command.size() + 4);
    body.push_back(static_cast<BYTE>(command.size() >> 8));
    body.push_back(static_cast<BYTE>(command.size()));
    body.push_back(static_cast<BYTE>(responseLength >> 8));
    body.push_back(static_cast<BYTE>(responseLength));
    body.insert(body.end(), command.begin(), command.end());
    return FramedBody(body);
}

std::vector<BYTE> AdapterCommand(BYTE code, std::initializer_list<BYTE> arguments) {
    std::vector<BYTE> body{code};
    body.insert(body.end(), arguments.begin(), arguments.end());
    return FramedBody(body);
}

std::array<BYTE, kProgramRecordSize> ProgramRecord(DWORD address, std::span<const BYTE, kRecordDataSize> data) {
    std::array<BYTE, kProgramRecordSize> frame{};
    frame[0] = 0x00;
    frame[1] = 0x86;
    BYTE sum = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        frame[2 + i] = static_cast<BYTE>(address >> (8 * i));
        sum = static_cast<BYTE>(sum + frame[2 + i]);
    }
    for (std::size_t i = 0; i < kRecordDataSize; ++i) {
        frame[6 + i] = data[i];
        sum = static_cast<BYTE>(sum + data[i]);
    }
    frame[6 + kRecordDataSize] = sum;
    frame[7 + kRecordDataSize] = kClose;
    return frame;
}

std::size_t ReplyLength(std::span<const BYTE> received, std::size_t capacity) {
    if (received.size() < 2) {
        return 0;
    }
    const std::size_t count = static_cast<std::size_t>((received[0] << 8) | received[1]);
    const std::size_t length = count + 2;
    if (count == 0 || length > received.size() || length > capacity || received[length - 1] != kClose) {
        return 0;
    }
    return length;
}

WORD StatusReplyWord(std::span<const BYTE> reply) {
    using namespace link_result;
    if (reply.size() < 4 || reply[0] != 0x00 || reply[1] != 0x02 || reply[3] != kClose) {
        return kOk;
    }
    switch (reply[2]) {
    case adapter_status::kFrequencyError:
        return kFrequencyError;
    case adapter_status::kBootCodeError:
        return kBootCodeError;
    case adapter_status::kEraseError:
        return kEraseError;
    case adapter_status::kNak:
        return kNak;
    case adapter_status::kSumCheckError:
        return kSumCheckError;
    case adapter_status::kWriteError:
        return kWriteError;
    default:
        return kOk;
    }
}

std::span<const BYTE> ResponseBytes(std::span<const BYTE> reply, std::size_t count) {
    // Exactly the frame of count response bytes: no more, no fewer.
    if (reply.size() != FramedSize(count)) {
        return {};
    }
    return reply.subspan(2, count);
}

}  // namespace channel_frame
