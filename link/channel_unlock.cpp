// The adapter channel's unlock slots: the microcontroller's ID-code
// protection, passed with the blank ID code or the one the user types.
#include "link/channel_frames.h"
#include "link/emulator_channel.h"
#include "link/link_results.h"
#include "link/link_state.h"
#include "config/device_data.h"
#include "link/setup_dialogs.h"
#include "config/session_settings.h"
#include "util/scan_values.h"

#include <algorithm>

namespace {

using namespace link_result;

// The protocol type 0 forms of unlock, reset-unlock and ID check.
constexpr BYTE kCommandUnlock = 0xEF;
constexpr BYTE kCommandResetUnlock = 0xDE;
constexpr BYTE kCommandIdCheck = 0xAA;

BYTE Byte(DWORD value, int index) {
    return static_cast<BYTE>(value >> (8 * index));
}

}  // namespace

// The blank ID code: the seven bytes of erased flash.
void CEmulatorChannel::SetBlankIdCode() {
    m_idCode = {0x00FFFFFF, 0xFFFFFFFF};
}

WORD CEmulatorChannel::PromptIdCode() {
    std::array<DWORD, 2> typed = m_idCode;
    if (!PromptIdCodeDialog(typed)) {
        return kCheckFailed;
    }
    m_idCode = typed;
    return kOk;
}

// Sends the ID code and asks whether it passed; while it did not, asks the
// user for the code and tries again. A failure other than "not ready" ends
// the loop with that failure.
WORD CEmulatorChannel::UnlockLoop(DWORD firstPause, DWORD loopPause) {
    if (const WORD result = CheckIdCode(); result != kOk) {
        return result;
    }
    WaitMilliseconds(firstPause);
    WORD ready = CheckReady();
    while (ready == kCheckFailed) {
        if (const WORD prompt = PromptIdCode(); prompt != kOk) {
            return prompt;
        }
        if (const WORD result = CheckIdCode(); result != kOk) {
            return result;
        }
        WaitMilliseconds(loopPause);
        ready = CheckReady();
    }
    return ready;
}

WORD CEmulatorChannel::UnlockWithIdCode() {
    SetBlankIdCode();
    WORD result = kOk;
    if (g_protocolType == 0) {
        result = SendAdapterCommand(kCommandUnlock);
        if (result == kOk) {
            SetBlankIdCode();
        }
    } else {
        result = UnlockLoop(50, 50);
    }
    if (result == kOk) {
        g_idUnlocked = 1;
    }
    return result;
}

WORD CEmulatorChannel::ResetAndUnlock() {
    SetBlankIdCode();
    if (g_protocolType == 0) {
        WORD result = SendAdapterCommand(kCommandResetUnlock);
        if (result == kOk) {
            result = PromptIdCode();
        }
        if (result == kOk) {
            result = CheckIdCodeEcho();
        }
        return result;
    }
    if (const WORD result = UnlockLoop(0, 0); result != kOk) {
        return result;
    }
    char text[64] = {};
    SessionIniGetString("USER_DATA", "RESET", "", text, sizeof(text));
    DWORD value = 0;
    if (text[0] != '\0' && ScanValues(text, "%8x", &value) == 1) {
        g_userResetBytes.count = g_protocolType == 4 ? 2 : 3;
        for (std::size_t i = 0; i < g_userResetBytes.count; ++i) {
            g_userResetBytes.bytes[i] = Byte(value, static_cast<int>(i));
        }
    }
    return kOk;
}

WORD CEmulatorChannel::CheckIdCodeWithPrompt() {
    SetBlankIdCode();
    if (g_protocolType == 0) {
        const WORD result = SendAdapterCommand(kCommandIdCheck);
        if (result == kOk) {
            SetBlankIdCode();
        }
        return result;
    }
    return UnlockLoop(500, 0);
}

WORD CEmulatorChannel::CheckIdCodeEcho() {
    const BYTE code[] = {Byte(m_idCode[0], 2), Byte(m_idCode[0], 1), Byte(m_idCode[0], 0), Byte(m_idCode[1], 3),
                         Byte(m_idCode[1], 2), Byte(m_idCode[1], 1), Byte(m_idCode[1], 0)};
    std::vector<BYTE> frame = channel_frame::FramedBody(code);
    const std::vector<BYTE> sent = frame;
    if (const WORD result = Exchange(frame, kTimeoutCommand); result != kOk) {
        return result;
    }
    const std::span<const BYTE> reply = LastReply();
    return reply.size() >= sent.size() && std::equal(sent.begin(), sent.end(), reply.begin()) ? kOk : kCheckFailed;
}
