#include "link/emulator_link.h"

#include "link/emulator_channel.h"
#include "link/link_results.h"
#include "startup/device_data.h"
#include "target/session_settings.h"
#include "util/scan_values.h"

CEmulatorLink* g_emulatorLink = nullptr;

CEmulatorLink::CEmulatorLink(CUleDrvMemory* memory) : m_channel(std::make_unique<CEmulatorChannel>(memory, this)) {}

CEmulatorLink::~CEmulatorLink() {
    char text[1024] = {};
    SessionIniGetString("RESET_RELEASE", "ENABLE", "", text, sizeof(text));
    int resetRelease = 0;
    if (text[0] != '\0') {
        ScanValues(text, "%d", &resetRelease);
    }
    if (g_deviceValues.powerSupply == 1) {
        m_channel->CheckSystemBanner(static_cast<DWORD>(resetRelease));
    } else if (resetRelease == 1) {
        m_channel->SetAdapterRegister28();
    }
}

CEmulatorChannel& CEmulatorLink::Channel() {
    return *m_channel;
}

void CEmulatorLink::SetOpen(DWORD open) {
    m_open = open;
    m_lost = 0;
}

WORD CEmulatorLink::RecordResult(WORD word) {
    if (word == link_result::kTimeout) {
        m_lost = 1;
    } else if (word == link_result::kNotConnected) {
        m_connectorFailure = 1;
    } else if (word == link_result::kOk) {
        m_lost = 0;
        m_connectorFailure = 0;
    }
    return 0;
}

WORD CEmulatorLink::CheckConnector() {
    const WORD result = m_connectorFailure == 0 ? m_channel->CheckConnector() : m_channel->TestConnectorBit();
    m_connectorFailure = result != link_result::kOk ? 1 : 0;
    return result;
}

template <typename Call>
WORD CEmulatorLink::Gated(Call call) {
    if (IsLinkLost()) {
        return link_result::kTimeout;
    }
    if (const WORD connector = CheckConnector(); connector != link_result::kOk) {
        return connector;
    }
    const WORD result = call();
    RecordResult(result);
    return result;
}

WORD CEmulatorLink::Open() {
    SetOpen(1);
    const WORD result = m_channel->Open();
    SetOpen(result == link_result::kOk ? 1 : 0);
    RecordResult(result);
    return result;
}

WORD CEmulatorLink::ReadAdapterRecord(DWORD address, std::span<BYTE> reply) {
    return Gated([&] { return m_channel->ReadAdapterRecord(address, reply); });
}
