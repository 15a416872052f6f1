#include "events/break_condition_set.h"

#include "events/break_channel_commands.h"
#include "config/break_channels.h"
#include "events/break_condition_echo.h"
#include "events/break_condition_rules.h"
#include "events/target_event_vk3.h"
#include "events/view_column_base.h"
#include "config/device_data.h"
#include "target/target_memory_vk3.h"
#include "target/target_vk3.h"

#include "platform/bstr.h"

#include <cstdio>
#include <string>

namespace {

constexpr char kNone[] = "None";

std::string Formatted(const char* format, auto... values) {
    char line[160];
    std::snprintf(line, sizeof(line), format, values...);
    return line;
}

bool IsCondition(const CString& text) {
    return !text.IsEmpty() && text.CompareNoCase(kNone) != 0;
}

CString SheetTitle(int n) {
    CString title;
    title.Format("Break condition %d", n + 1);
    return title;
}

CTargetEventVk3* EventHandler() {
    CTargetVk3* target = GetTarget();
    return target != nullptr ? target->GetEventHandler() : nullptr;
}

CViewColumnBase* EventColumns() {
    CTargetVk3* target = GetTarget();
    return target != nullptr ? target->GetEventColumns() : nullptr;
}

}  // namespace

CBreakConditionSet::CBreakConditionSet(IHostServiceProvider* host) : m_host(host) {
    // A new target's set starts with every channel free, and so do the
    // channel tables: what an earlier target of the same plug-in left there
    // would break the program where no sheet shows a condition.
    g_breakChannels = {};
    g_appliedBreakChannels = {};
    for (int n = 0; n < kChannels; ++n) {
        m_displayText[static_cast<std::size_t>(n)] = kNone;
        m_sheets[static_cast<std::size_t>(n)] = std::make_unique<CSetBc>(SheetTitle(n));
    }
    // After a download the channels are sent to the emulator again.
    SetDownloadServices(DownloadServices{[this] {
        if (CViewColumnBase* columns = EventColumns()) {
            columns->RemoveEnabledChannels(1);
        }
        if (CTargetEventVk3* events = EventHandler()) {
            events->CopyEventState();
        }
        const DWORD count = g_deviceValues.addressBreakCount;
        for (int n = 0; n < kChannels; ++n) {
            const bool present = n < 2 || (n < 4 ? g_deviceValues.hwBreak == 1 || count > 3 : count > static_cast<DWORD>(n));
            if (present) {
                EditChannelOf(n, 0);
            }
        }
    }});
}

CBreakConditionSet::~CBreakConditionSet() {
    SetDownloadServices({});
}

void CBreakConditionSet::ReportInvalidAddress() const {
    if (m_host != nullptr) {
        const platform::Bstr text(std::string("Invalid event address."));
        static_cast<void>(m_host->ReportErrorText(text.Get()));  // the host's answer is not read
    }
}

void CBreakConditionSet::EditChannel(DWORD n, DWORD mode) {
    if (n < kChannels) {
        EditChannelOf(static_cast<int>(n), mode);
    }
}

void CBreakConditionSet::EditChannelOf(int n, DWORD mode) {
    // The sheet's templates are the plug-in's resources.
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    const auto at = static_cast<std::size_t>(n);
    CSetBc edit(SheetTitle(n));
    edit.CopyFrom(*m_sheets[at]);
    bool changed = false;
    CString text;
    if (mode == 1) {
        if (edit.DoModal() == IDOK) {
            text = edit.GetConditionText();
            DWORD address = 0;
            const bool hasAddress = edit.GetAddress(&address);
            bool accepted = hasAddress ? SettableWithAddress(n) : n == 2;
            if (accepted && hasAddress && AddressRefused(n, address, true)) {
                ReportInvalidAddress();
                accepted = false;
            }
            if (accepted && IsCondition(text)) {
                changed = true;
                m_channelEnabled[at] = 1;
            }
        }
    } else {
        text = edit.GetConditionText();
        changed = IsCondition(text);
    }
    if (changed) {
        if (m_channelEnabled[at] != 0) {
            SendChannelCommand(Formatted("BC%d ", n + 1) + static_cast<const char*>(text));
        }
        m_displayText[at] = edit.GetCommandText();
        if (m_displayText[at].Find(kNone) < 0) {
            m_hasCondition[at] = 1;
        }
        m_sheets[at]->CopyFrom(edit);
        if (m_channelEnabled[at] != 0) {
            DWORD address = 0;
            CSetBc& sheet = *m_sheets[at];
            if (sheet.GetAddress(&address) && sheet.MatchesAddress(address)) {
                if (CViewColumnBase* columns = EventColumns()) {
                    columns->AddChannelMark(address, static_cast<DWORD>(n), 1);
                }
            }
            m_markAddress[at] = sheet.AddressPage().address;
            m_markEnabled[at] = 1;
            if (m_echoOffWhileEnabling == 0 && echoOffWhileRemoving == 0) {
                EchoSet(n);
            }
        }
    }
    if (IsTargetRunning()) {
        static_cast<void>(ApplyWhileRunning());  // answers 1
    }
}

void CBreakConditionSet::EchoSet(int n) {
    const CSetBcAddressPage& page = m_sheets[static_cast<std::size_t>(n)]->AddressPage();
    const auto address = static_cast<unsigned>(page.address);
    const std::string label = Formatted("channel %d address", n + 1);
    if (n != 2 || page.addressKind == 1) {
        EchoBreakConditionLine(Formatted("%s %s 0x%X %s", "breakcondition_set", label.c_str(), address, "pcbefore"));
        return;
    }
    const std::string mask = page.maskIndex != 0 ? Formatted(" m%x", static_cast<unsigned>(page.maskIndex)) : "";
    const std::string data = page.dataDontCare == 0 ? Formatted(" data 0x%X", static_cast<unsigned>(page.dataValue)) : "";
    const std::string direction = page.direction == 1 ? " direction read" : page.direction != 0 ? " direction write" : "";
    EchoBreakConditionLine(Formatted("%s %s 0x%X %s%s%s%s", "breakcondition_set", label.c_str(), address, "access",
                                     mask.c_str(), data.c_str(), direction.c_str()));
}

void CBreakConditionSet::ClearChannel(DWORD n, DWORD resetTexts) {
    if (n >= kChannels) {
        return;
    }
    const auto at = static_cast<std::size_t>(n);
    const bool exists = break_rules::ChannelExists(static_cast<int>(n));
    CSetBc& sheet = *m_sheets[at];
    const DWORD address = sheet.AddressPage().address;
    if (exists) {
        DWORD marked = 0;
        CViewColumnBase* columns = EventColumns();
        if (sheet.GetAddress(&marked)) {
            if (columns != nullptr) {
                columns->RemoveChannelMark(marked, n);
            }
        } else if (n == 2 && m_channelEnabled[at] != 0 && columns != nullptr) {
            columns->RemoveChannelMark(m_markAddress[at], n);
        }
    }
    SendChannelCommand(Formatted("BC%01X-", static_cast<unsigned>(n + 1)));
    if (exists) {
        m_channelEnabled[at] = 0;
        if ((resetTexts & 0xFFFF) == 1) {
            m_displayText[at] = kNone;
            sheet.ResetPages();
            m_hasCondition[at] = 0;
        }
    }
    if (IsTargetRunning()) {
        static_cast<void>(ApplyWhileRunning());  // answers 1
    }
    if (CTargetEventVk3* events = EventHandler()) {
        events->ApplyEventState();
    }
    MarkSessionModified();
    if (g_deviceValues.hwBreak == 1) {
        if (m_echoOffWhileEnabling == 0 && echoOffWhileRemoving == 0) {
            EchoBreakConditionLine(Formatted("%s %s 0x%X", "breakcondition_clear", "address", static_cast<unsigned>(address)));
        }
    } else if (m_echoOffWhileEnabling == 0) {
        EchoBreakConditionLine(Formatted("%s %s %X", "breakcondition_clear", "channel", static_cast<unsigned>(n + 1)));
    }
}

DWORD CBreakConditionSet::EnableChannel(DWORD n, DWORD flag) {
    if (n >= kChannels) {
        return 1;
    }
    const auto at = static_cast<std::size_t>(n);
    flag &= 0xFFFF;
    m_echoOffWhileEnabling = 1;
    if (flag == 0) {
        ClearChannel(n, 0);
    } else {
        if (CTargetEventVk3* events = EventHandler()) {
            events->CopyEventState();
        }
        m_channelEnabled[at] = flag;
        EditChannelOf(static_cast<int>(n), 0);
        if (CTargetEventVk3* events = EventHandler()) {
            events->ApplyEventState();
        }
        MarkSessionModified();
    }
    m_markEnabled[at] = flag;
    m_echoOffWhileEnabling = 0;
    const char* first = flag != 0 ? "breakcondition_enable enable" : "breakcondition_enable disable";
    if (g_deviceValues.hwBreak == 1) {
        EchoBreakConditionLine(Formatted("%s %s 0x%X", first, "address",
                                         static_cast<unsigned>(m_sheets[at]->AddressPage().address)));
    } else {
        EchoBreakConditionLine(Formatted("%s %s %X", first, "channel", static_cast<unsigned>(n + 1)));
    }
    return 1;
}

DWORD CBreakConditionSet::GetChannelWord(DWORD n) const {
    return n < kChannels ? m_channelEnabled[n] : 0;
}

DWORD CBreakConditionSet::GetChannelFlag(int n) const {
    if (n == -1) {
        return m_hasCondition[0] | m_hasCondition[1] | m_hasCondition[2] | m_hasCondition[3];
    }
    return n >= 0 && n < kChannels ? m_hasCondition[static_cast<std::size_t>(n)] : 0;
}
