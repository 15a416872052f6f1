#include "console/break_condition_commands.h"

#include "events/break_condition_set.h"
#include "events/target_event_vk3.h"
#include "frame/error_codes.h"
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "target/target_vk3.h"

#include "platform/bstr.h"

#include <algorithm>
#include <string>

namespace {

constexpr char kNoBreakcondition[] = "No Breakcondition\n";
constexpr char kModeKeywords[] = "enable\0disable\0";
constexpr LONG kEnableIndex = 0;
constexpr DWORD kFewestChannels = 2;
constexpr DWORD kMostChannels = 8;

CTargetEventVk3* EventHandler() {
    const CTargetVk3* target = GetTarget();
    return target != nullptr ? target->GetEventHandler() : nullptr;
}

// The syntax text of a break-condition command: the second when the
// device's protocol type is 1.
UINT SyntaxFor(UINT first, UINT protocolOne) {
    return g_protocolType == 1 ? protocolOne : first;
}

}  // namespace

LONG FindChannelHoldingAddress(DWORD address) {
    const CTargetVk3* target = GetTarget();
    const CBreakConditionSet* set = target != nullptr ? target->GetBreakConditionSet() : nullptr;
    if (set == nullptr) {
        return -1;
    }
    const DWORD count = std::min<DWORD>(g_deviceValues.addressBreakCount, CBreakConditionSet::kChannels);
    for (DWORD n = 0; n < count; ++n) {
        // A cleared channel keeps the address it was last given: only one
        // that holds a condition counts.
        if (set->GetChannelFlag(static_cast<int>(n)) != 0 && set->MarkAddress(n) == address) {
            return static_cast<LONG>(n);
        }
    }
    return -1;
}

// --- the shared words -------------------------------------------------------

void CBreakConditionCommand::DefineArguments() {
    m_channelWord = std::make_unique<CArgKeyword>(1, "channel\0", 0);
    m_addressWord = std::make_unique<CArgKeyword>(1, "address\0", 0);
    const DWORD count = g_deviceValues.addressBreakCount;
    if (count >= kFewestChannels && count <= kMostChannels) {
        std::string numbers;
        for (DWORD n = 1; n <= count; ++n) {
            numbers += std::to_string(n);
            numbers += '\0';
        }
        numbers += '\0';
        m_channelNumber = std::make_unique<CArgKeyword>(1, numbers.c_str(), 0);
    }
}

void CBreakConditionCommand::DeleteArguments() {
    m_channelWord.reset();
    m_channelNumber.reset();
    m_addressWord.reset();
}

bool CBreakConditionCommand::AtAddressWord() const {
    const CString& word = GetArgumentValue(GetConsumedWords());
    return !word.IsEmpty() && (word[0] == 'a' || word[0] == 'A');
}

bool CBreakConditionCommand::TakeKeyword(CArgKeyword* keyword, const char* name, CString& result) {
    if (keyword == nullptr) {
        // Outside DefineArguments and DeleteArguments, or a channel number
        // on a device whose channel count offers none.
        FailWith(TE_INVALID_PARAMETER, result);
        return false;
    }
    if (FAILED(ParseOneArgument(GetArgumentValue(GetConsumedWords()), *keyword))) {
        FailArgument(*keyword, name, kKeyword, result);
        return false;
    }
    return true;
}

bool CBreakConditionCommand::TakeChannel(LONG& channel, CString& result) {
    if (!TakeKeyword(m_channelWord.get(), "channel", result) ||
        !TakeKeyword(m_channelNumber.get(), "channel_number", result)) {
        return false;
    }
    channel = m_channelNumber->GetIndex();
    return true;
}

bool CBreakConditionCommand::TakeAddressedChannel(LONG& channel, CString& result) {
    DWORD address = 0;
    if (!TakeKeyword(m_addressWord.get(), "address", result) || !TakeAddress(address, result)) {
        return false;
    }
    channel = FindChannelHoldingAddress(address);
    if (channel < 0) {
        // Without a channel the change would reach every channel.
        AppendText(kNoBreakcondition, 0);
        Fail(result);
        return false;
    }
    return true;
}

DWORD CBreakConditionCommand::Finish(HRESULT handled, CString& result) {
    if (handled != S_OK) {
        AppendText(kNoBreakcondition, 0);
        return Fail(result);
    }
    NotifyBreakChanged();
    return Succeed(result);
}

// --- breakcondition_clear ---------------------------------------------------

CCmdBreakConditionClear::CCmdBreakConditionClear(IHostServiceProvider* host)
    : CBreakConditionCommand(3, host, "breakcondition_clear", "bcc") {
    RegisterSyntax({SyntaxFor(res_id::kSyntaxBreakConditionClear, res_id::kSyntaxBreakConditionClear1)});
}

CCmdBreakConditionClear::~CCmdBreakConditionClear() {
    UnregisterSyntax();
}

DWORD CCmdBreakConditionClear::Run(const CString& line, CString& result) {
    if (!StartQuery(line, result)) {
        return 0;
    }
    LONG channel = CTargetEventVk3::kAll;
    if (!GetArgumentValue(0).IsEmpty()) {
        const bool taken =
            AtAddressWord() ? TakeAddressedChannel(channel, result) : TakeChannel(channel, result);
        if (!taken) {
            return 0;
        }
    }
    CTargetEventVk3* events = EventHandler();
    if (events == nullptr) {
        return Finish(TE_INVALID_INDEX, result);
    }
    const HRESULT removed = events->RemoveItem(CTargetEventVk3::kChannelList, channel);
    if (CBreakConditionSet* set = GetTarget()->GetBreakConditionSet()) {
        set->listEditActive = 0;
    }
    return Finish(removed, result);
}

// --- breakcondition_display -------------------------------------------------

CCmdBreakConditionDisplay::CCmdBreakConditionDisplay(IHostServiceProvider* host)
    : CCmdEmulator(0, host, "breakcondition_display", "bcd") {
    RegisterSyntax({res_id::kSyntaxBreakConditionDisplay});
}

CCmdBreakConditionDisplay::~CCmdBreakConditionDisplay() {
    UnregisterSyntax();
}

DWORD CCmdBreakConditionDisplay::Run(const CString& line, CString& result) {
    if (!StartQuery(line, result)) {
        return 0;
    }
    CTargetEventVk3* events = EventHandler();
    const LONG rows = events != nullptr ? events->GetConditionCount(CTargetEventVk3::kChannelList) : 0;
    for (LONG index = 0; index < rows; ++index) {
        CEventItemInfo* row = nullptr;
        if (FAILED(events->GetItemText(CTargetEventVk3::kChannelList, index, &row)) || row == nullptr) {
            // The rows made so far stand; the listing still succeeds.
            AppendText(kNoBreakcondition, 0);
            break;
        }
        const std::string name = platform::BstrToAnsi(row->kindText);
        const std::string condition = platform::BstrToAnsi(row->conditionText);
        AppendText(CString(name.c_str()) + ":" + (row->state == 1 ? "Enable" : "Disable") + " " + condition.c_str() +
                       "\n",
                   0);
    }
    return Succeed(result);
}

// --- breakcondition_enable --------------------------------------------------

CCmdBreakConditionEnable::CCmdBreakConditionEnable(IHostServiceProvider* host)
    : CBreakConditionCommand(3, host, "breakcondition_enable", "bce") {
    RegisterSyntax({SyntaxFor(res_id::kSyntaxBreakConditionEnable, res_id::kSyntaxBreakConditionEnable1)});
}

CCmdBreakConditionEnable::~CCmdBreakConditionEnable() {
    UnregisterSyntax();
}

void CCmdBreakConditionEnable::DefineArguments() {
    CBreakConditionCommand::DefineArguments();
    m_mode = std::make_unique<CArgKeyword>(1, kModeKeywords, kEnableIndex);
}

void CCmdBreakConditionEnable::DeleteArguments() {
    m_mode.reset();
    CBreakConditionCommand::DeleteArguments();
}

DWORD CCmdBreakConditionEnable::Run(const CString& line, CString& result) {
    if (!StartQuery(line, result)) {
        return 0;
    }
    if (GetArgumentValue(0).IsEmpty()) {
        return FailWith(TE_INVALID_PARAMETER, result);
    }
    if (!TakeKeyword(m_mode.get(), "mode", result)) {
        return 0;
    }
    const WORD flag = m_mode->GetIndex() == kEnableIndex ? 1 : 0;
    LONG channel = CTargetEventVk3::kAll;
    if (!GetArgumentValue(GetConsumedWords()).IsEmpty()) {
        const bool taken =
            AtAddressWord() ? TakeAddressedChannel(channel, result) : TakeChannel(channel, result);
        if (!taken) {
            return 0;
        }
    }
    CTargetEventVk3* events = EventHandler();
    return Finish(events != nullptr ? events->EnableItem(CTargetEventVk3::kChannelList, channel, flag)
                                    : TE_INVALID_INDEX,
                  result);
}
