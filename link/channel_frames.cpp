#include "link/channel_frames.h"

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

}  // namespace channel_frame
