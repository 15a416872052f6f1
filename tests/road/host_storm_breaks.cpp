// The host storm's breakpoints and break conditions: set, enabled,
// disabled and removed through the host's own list, its break-list window
// (one at a time, or all at once) and the plug-in's console commands. A
// change that answered success is in the host's lists; the runs judge that
// the target stops where the lists say.
#include "tests/road/host_storm.h"

#include "sim/host/break_list_window.h"

#include <algorithm>
#include <cstdio>
#include <functional>

namespace roadtest {

namespace {

using namespace storm;
using testing_support::Below;
using testing_support::HexText;

constexpr LONG kBreakpointList = 0;
constexpr LONG kConditionList = 1;
constexpr LONG kWholeList = -1;
constexpr DWORD kEnabled = 1;
// The demo device's break-condition channels, and the row of a free one.
constexpr std::uint32_t kChannels = 2;
constexpr char kFreeCondition[] = "None";
// The host lists only a few breakpoints at once.
constexpr std::size_t kMostBreakpoints = 3;

// Where the storm sets breakpoints and conditions: the loop, and places it
// never reaches (a breakpoint also in RAM).
DWORD DrawAddress(StormRng& rng, bool ram) {
    const std::uint32_t pick = Below(rng, static_cast<std::uint32_t>(kLoop.size()) + (ram ? 2 : 1));
    return pick < kLoop.size() ? kLoop[pick] : pick == kLoop.size() ? kUnreachedFlash : kRamCode;
}

std::string Hex(DWORD address) {
    char text[16];
    std::snprintf(text, sizeof(text), "%X", static_cast<unsigned>(address));
    return text;
}

template <typename T>
const T& Pick(StormRng& rng, const std::vector<T>& values) {
    return values[Below(rng, static_cast<std::uint32_t>(values.size()))];
}

}  // namespace

HostStorm::Lists HostStorm::HostLists() const {
    Lists lists;
    for (const auto& breakpoint : session_->Breaks()) {
        lists.breakpoints.insert(breakpoint.address);
        if (breakpoint.enabled) {
            lists.enabledBreakpoints.insert(breakpoint.address);
        }
    }
    const simhost::BreakListWindow window(host_->Services());
    for (const simhost::BreakListRow& row : window.Rows(kConditionList)) {
        const bool set = row.condition != kFreeCondition;
        lists.conditions.push_back({set, set && row.state == kEnabled, row.address});
        if (set && row.state == kEnabled) {
            lists.enabledConditions.insert(row.address);
        }
    }
    return lists;
}

bool HostStorm::Command(const std::string& line) {
    const simhost::CommandOutput output = commands_->Execute(line);
    std::string text = output.text;
    std::replace(text.begin(), text.end(), '\n', ' ');
    Print("cmd " + line + ": " + simhost::ResultText(output.result) + (text.empty() ? "" : " " + text));
    return output.result == S_OK && !Told();
}

bool HostStorm::CommandChanges(const std::string& line, const std::function<bool(const Lists&)>& holds) {
    detail_ = "cmd " + line;
    if (!Command(line)) {
        return false;
    }
    ExpectLists(detail_, holds);
    return true;
}

void HostStorm::ExpectLists(const std::string& what, const std::function<bool(const Lists&)>& holds) {
    if (!Failed() && !holds(HostLists())) {
        Expect(false, Check::ListChanged, what + " answered success, and the host's lists do not show it");
    }
}

// One change of the PC breakpoints: through the host's own list, the
// break-list window or a console command.
bool HostStorm::Breakpoints(StormRng& rng) {
    const Lists lists = HostLists();
    switch (Below(rng, 3)) {
    case 0:
        return HostBreakpoint(rng, lists);
    case 1:
        return BreakpointCommand(rng, lists);
    default:
        return BreakpointListWindow(rng);
    }
}

bool HostStorm::HostBreakpoint(StormRng& rng, const Lists& lists) {
    const auto breaks = session_->Breaks();
    if (breaks.size() < kMostBreakpoints && (breaks.empty() || Below(rng, 2) == 0)) {
        DWORD address = DrawAddress(rng, true);
        while (lists.breakpoints.contains(address)) {
            address = DrawAddress(rng, true);
        }
        detail_ = "the host adds " + HexText(address);
        if (!session_->AddBreak(address) || Told()) {
            return false;
        }
        ExpectLists(detail_, [&](const Lists& now) { return now.enabledBreakpoints.contains(address); });
        return true;
    }
    const std::size_t number = 1 + Below(rng, static_cast<std::uint32_t>(breaks.size()));
    const auto& chosen = breaks[number - 1];
    if (Below(rng, 2) == 0) {
        detail_ = "the host removes " + HexText(chosen.address);
        if (!session_->RemoveBreak(number) || Told()) {
            return false;
        }
        ExpectLists(detail_, [&](const Lists& now) { return !now.breakpoints.contains(chosen.address); });
        return true;
    }
    const bool enable = !chosen.enabled;
    detail_ = std::string("the host ") + (enable ? "enables " : "disables ") + HexText(chosen.address);
    if (FAILED(host_->Services().Breakpoints().EnableUserBreakpoint(chosen.id, enable)) || Told()) {
        return false;
    }
    ExpectLists(detail_, [&](const Lists& now) { return now.enabledBreakpoints.contains(chosen.address) == enable; });
    return true;
}

bool HostStorm::BreakpointCommand(StormRng& rng, const Lists& lists) {
    const DWORD address = lists.breakpoints.empty() || Below(rng, 3) == 0
                              ? DrawAddress(rng, true)
                              : Pick(rng, std::vector<DWORD>(lists.breakpoints.begin(), lists.breakpoints.end()));
    std::string line;
    std::function<bool(const Lists&)> holds;
    switch (lists.breakpoints.size() >= kMostBreakpoints ? 1 + Below(rng, 3) : Below(rng, 4)) {
    case 0:
        line = "bp " + Hex(address);
        holds = [=](const Lists& now) { return now.breakpoints.contains(address); };
        break;
    case 1:
        line = "bc " + Hex(address);
        holds = [=](const Lists& now) { return !now.breakpoints.contains(address); };
        break;
    case 2:
        line = "bc";
        holds = [](const Lists& now) { return now.breakpoints.empty(); };
        break;
    default: {
        const bool enable = Below(rng, 2) == 0;
        line = "be " + Hex(address) + (enable ? " enable" : " disable");
        holds = [=](const Lists& now) {
            return now.breakpoints.contains(address) && now.enabledBreakpoints.contains(address) == enable;
        };
        break;
    }
    }
    return CommandChanges(line, holds);
}

bool HostStorm::BreakpointListWindow(StormRng& rng) {
    const simhost::BreakListWindow window(host_->Services());
    const auto rows = window.Rows(kBreakpointList);
    const bool enable = Below(rng, 2) == 0;
    if (rows.empty() || Below(rng, 3) == 0) {
        detail_ = std::string("the break list ") + (enable ? "enables" : "disables") + " every breakpoint";
        if (FAILED(window.Enable(kBreakpointList, kWholeList, enable)) || Told()) {
            return false;
        }
        ExpectLists(detail_, [&](const Lists& now) {
            return enable ? now.enabledBreakpoints == now.breakpoints : now.enabledBreakpoints.empty();
        });
        return true;
    }
    const auto index = static_cast<LONG>(Below(rng, static_cast<std::uint32_t>(rows.size())));
    const DWORD address = rows[static_cast<std::size_t>(index)].address;
    if (Below(rng, 2) == 0) {
        detail_ = "the break list removes " + HexText(address);
        if (FAILED(window.Remove(kBreakpointList, index)) || Told()) {
            return false;
        }
        ExpectLists(detail_, [&](const Lists& now) { return !now.breakpoints.contains(address); });
        return true;
    }
    detail_ = std::string("the break list ") + (enable ? "enables " : "disables ") + HexText(address);
    if (FAILED(window.Enable(kBreakpointList, index, enable)) || Told()) {
        return false;
    }
    ExpectLists(detail_, [&](const Lists& now) { return now.enabledBreakpoints.contains(address) == enable; });
    return true;
}

// One change of the break conditions: a console command, or the
// break-list window's rows one at a time or all at once.
bool HostStorm::Conditions(StormRng& rng) {
    const Lists lists = HostLists();
    if (Below(rng, 2) == 0) {
        return ConditionCommand(rng, lists);
    }
    const simhost::BreakListWindow window(host_->Services());
    const bool enable = Below(rng, 2) == 0;
    const auto index = static_cast<LONG>(Below(rng, kChannels + 1)) - 1;
    if (index == kWholeList) {
        detail_ = std::string("the break list ") + (enable ? "enables" : "disables") + " every condition";
        if (FAILED(window.Enable(kConditionList, kWholeList, enable)) || Told()) {
            return false;
        }
        ExpectLists(detail_, [&](const Lists& now) {
            return std::all_of(now.conditions.begin(), now.conditions.end(),
                               [&](const Condition& row) { return !row.set || row.enabled == enable; });
        });
        return true;
    }
    const auto row = static_cast<std::size_t>(index);
    if (Below(rng, 3) == 0) {
        detail_ = "the break list removes condition " + std::to_string(row + 1);
        if (FAILED(window.Remove(kConditionList, index)) || Told()) {
            return false;
        }
        ExpectLists(detail_, [&](const Lists& now) { return row < now.conditions.size() && !now.conditions[row].set; });
        return true;
    }
    detail_ = std::string("the break list ") + (enable ? "enables" : "disables") + " condition " +
              std::to_string(row + 1);
    if (FAILED(window.Enable(kConditionList, index, enable)) || Told()) {
        return false;
    }
    ExpectLists(detail_, [&](const Lists& now) {
        return row < now.conditions.size() && (!now.conditions[row].set || now.conditions[row].enabled == enable);
    });
    return true;
}

bool HostStorm::ConditionCommand(StormRng& rng, const Lists& lists) {
    std::vector<DWORD> held;
    for (const Condition& row : lists.conditions) {
        if (row.set) {
            held.push_back(row.address);
        }
    }
    const std::uint32_t channel = 1 + Below(rng, kChannels);
    const std::string named = " channel " + std::to_string(channel);
    const std::size_t row = channel - 1;
    std::string line;
    std::function<bool(const Lists&)> holds;
    switch (held.size() == kChannels ? 1 + Below(rng, 5) : Below(rng, 6)) {
    case 0: {
        const DWORD address = DrawAddress(rng, false);
        const bool nameChannel = Below(rng, 2) == 0;
        line = "bcs" + (nameChannel ? named : "") + " address " + Hex(address);
        holds = [=](const Lists& now) {
            if (nameChannel) {
                return row < now.conditions.size() && now.conditions[row].enabled &&
                       now.conditions[row].address == address;
            }
            return now.enabledConditions.contains(address);
        };
        break;
    }
    case 1:
    case 2: {
        const bool enable = Below(rng, 2) == 0;
        const std::uint32_t which = held.empty() ? Below(rng, 2) : Below(rng, 3);
        const DWORD address = which == 2 ? Pick(rng, held) : 0;
        line = std::string("bce ") + (enable ? "enable" : "disable") +
               (which == 1 ? named : which == 2 ? " address " + Hex(address) : "");
        holds = [=](const Lists& now) {
            for (std::size_t i = 0; i < now.conditions.size(); ++i) {
                const Condition& c = now.conditions[i];
                const bool meant = which == 0 || (which == 1 && i == row) || (which == 2 && c.address == address);
                if (meant && c.set && c.enabled != enable) {
                    return false;
                }
            }
            return true;
        };
        break;
    }
    default: {
        const std::uint32_t which = held.empty() ? Below(rng, 2) : Below(rng, 3);
        const DWORD address = which == 2 ? Pick(rng, held) : 0;
        line = "bcc" + (which == 1 ? named : which == 2 ? " address " + Hex(address) : "");
        holds = [=](const Lists& now) {
            for (std::size_t i = 0; i < now.conditions.size(); ++i) {
                const Condition& c = now.conditions[i];
                const bool meant = which == 0 || (which == 1 && i == row) || (which == 2 && c.address == address);
                if (meant && c.set) {
                    return false;
                }
            }
            return true;
        };
        break;
    }
    }
    return CommandChanges(line, holds);
}

// A console command of either kind, then a go: what the command changed
// must be what the go meets.
bool HostStorm::CommandAndGo(StormRng& rng) {
    const Lists lists = HostLists();
    const bool changed = Below(rng, 2) == 0 ? BreakpointCommand(rng, lists) : ConditionCommand(rng, lists);
    if (Failed()) {
        return changed;
    }
    const bool ran = GoFrom(kLoop[Below(rng, static_cast<std::uint32_t>(kLoop.size()))], "a go after the command");
    return changed && ran;
}

}  // namespace roadtest
