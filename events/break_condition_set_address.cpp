// The set's operations by address: the duplicate-address rules, placing and
// removing a condition at an address for the event handler, the search.
#include "events/break_condition_rules.h"
#include "events/break_condition_set.h"
#include "events/view_column_base.h"
#include "config/target_config.h"
#include "target/target_vk3.h"

#include <vector>

namespace {

constexpr char kNone[] = "None";

// The channels that channel n is compared with when a condition with an
// address is set: through its sheet (forSheet) or through SetAtAddress.
std::vector<int> ComparedChannels(int n, bool forSheet) {
    std::vector<int> channels;
    auto others = [&](int last) {
        for (int c = 0; c <= last; ++c) {
            if (c != n) {
                channels.push_back(c);
            }
        }
    };
    if (break_rules::HwBreak1() && n < 4) {
        others(3);
    } else if (!break_rules::HwBreak1() && break_rules::Protocol234()) {
        others(7);
    } else if (n < 2) {
        channels.push_back(1 - n);
    } else if (n >= 4 && forSheet) {
        others(7);
    }
    return channels;
}

}  // namespace

bool CBreakConditionSet::SettableWithAddress(int n) {
    return n < 2 || n >= 4 || break_rules::HwBreak1() || break_rules::Protocol234();
}

bool CBreakConditionSet::AddressRefused(int n, DWORD address, bool forSheet) const {
    for (const int c : ComparedChannels(n, forSheet)) {
        DWORD held = 0;
        if (m_sheets[static_cast<std::size_t>(c)]->GetAddress(&held) && held == address) {
            return true;
        }
    }
    return false;
}

int CBreakConditionSet::SetAtAddress(DWORD n, DWORD address, DWORD /*address2*/) {
    if (n >= kChannels) {
        return -1;
    }
    CSetBc& sheet = *m_sheets[n];
    const CString text = sheet.GetConditionText();
    if (AddressRefused(static_cast<int>(n), address, false)) {
        ReportInvalidAddress();
        return -1;
    }
    if (text != kNone) {
        return -1;
    }
    m_channelEnabled[n] = 1;
    static_cast<void>(sheet.SetAddress(address));  // channels 0..7 always take it
    EditChannelOf(static_cast<int>(n), 0);
    return 0;
}

int CBreakConditionSet::ToggleAtAddress(int n, DWORD address, DWORD /*address2*/) {
    bool removed = false;
    for (int c = 0; c < kChannels; ++c) {
        if (break_rules::Removable(c) && m_sheets[static_cast<std::size_t>(c)]->MatchesAddress(address)) {
            ClearChannel(static_cast<DWORD>(c), 1);
            if (CTargetVk3* target = GetTarget(); target != nullptr && target->GetEventColumns() != nullptr) {
                target->GetEventColumns()->RemoveChannelMark(address, static_cast<DWORD>(c));
            }
            removed = true;
        }
    }
    if (removed) {
        if (break_rules::HwBreak1()) {
            CloseGap();
        }
        return 1;
    }
    return PlaceAtAddress(n, address) >= 0 ? 0 : -1;
}

void CBreakConditionSet::CloseGap() {
    const bool repack = GetBreakConditionMode() == 0;
    struct Collected {
        int channel;
        bool hasAddress;
        DWORD address;
        DWORD enabled;
    };
    std::vector<Collected> collected;
    for (int c = 1; c <= 3; ++c) {
        DWORD address = 0;
        const bool hasAddress = m_sheets[static_cast<std::size_t>(c)]->GetAddress(&address);
        // A data break in channel 2 stays where it is, and so does channel 3.
        if (c == 2 && hasAddress && m_sheets[2]->AddressPage().addressKind == 0) {
            break;
        }
        collected.push_back({c, hasAddress, address, m_channelEnabled[static_cast<std::size_t>(c)]});
    }
    for (const Collected& entry : collected) {
        if (entry.hasAddress) {
            ClearChannel(static_cast<DWORD>(entry.channel), 1);
        }
    }
    if (!repack) {
        return;
    }
    // Each condition is placed again in the lowest free channel and keeps
    // its disabled state there, wherever it landed.
    for (const Collected& entry : collected) {
        if (!entry.hasAddress) {
            continue;
        }
        const int placed = PlaceAtAddress(-1, entry.address);
        if (placed >= 0 && entry.enabled == 0) {
            ClearChannel(static_cast<DWORD>(placed), 0);
        }
    }
}

bool CBreakConditionSet::PlacingRefused(int c, DWORD address) const {
    std::vector<int> compared;
    if (c < 2) {
        compared.push_back(1 - c);
        if (break_rules::HwBreak1()) {
            compared.insert(compared.end(), {2, 3});
        }
        if (break_rules::Protocol234()) {
            for (int other = 2; other < kChannels; ++other) {
                compared.push_back(other);
            }
        }
    } else {
        const int last = break_rules::HwBreak1() && c < 4 ? 3 : kChannels - 1;
        for (int other = 0; other <= last; ++other) {
            if (other != c) {
                compared.push_back(other);
            }
        }
    }
    for (const int other : compared) {
        CSetBc& sheet = *m_sheets[static_cast<std::size_t>(other)];
        DWORD held = 0;
        if (sheet.GetConditionText() != kNone && sheet.GetAddress(&held) && held == address) {
            return true;
        }
    }
    return false;
}

int CBreakConditionSet::PlaceAtAddress(int n, DWORD address) {
    std::vector<int> order{0, 1, 2, 3};
    if (!break_rules::HwBreak1()) {
        order.insert(order.end(), {4, 5, 6, 7});
    }
    bool refused = false;
    for (const int c : order) {
        const auto at = static_cast<std::size_t>(c);
        if ((n != -1 && n != c) || !break_rules::Placeable(c) || m_sheets[at]->GetConditionText() != kNone) {
            continue;
        }
        if (break_rules::HwBreak1() && c == 3) {
            const CSetBcAddressPage& dataChannel = m_sheets[2]->AddressPage();
            if (dataChannel.addressDontCare == 0 && dataChannel.addressKind != 1) {
                continue;
            }
        }
        refused = refused || PlacingRefused(c, address);
        if (refused) {
            continue;
        }
        m_channelEnabled[at] = 1;
        static_cast<void>(m_sheets[at]->SetAddress(address));  // channels 0..7 always take it
        EditChannelOf(c, 0);
        return c;
    }
    return -1;
}

int CBreakConditionSet::FindChannelByAddress(DWORD address, DWORD /*address2*/, int n) const {
    if (n != -1) {
        return -1;
    }
    for (int c = 0; c < kChannels; ++c) {
        if (break_rules::Searched(c) && m_sheets[static_cast<std::size_t>(c)]->MatchesAddress(address)) {
            return c;
        }
    }
    return -1;
}
