#include "console/break_condition_set_command.h"

#include "events/break_condition_rules.h"
#include "events/break_condition_set.h"
#include "events/target_event_vk3.h"
#include "frame/error_codes.h"
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "target/target_vk3.h"

#include <algorithm>
#include <type_traits>

namespace {

constexpr char kInvalidAddress[] = "Invalid address\n";
constexpr char kInvalidCondition[] = "Invalid condition\n";
constexpr char kInvalidData[] = "Invalid data\n";
constexpr char kTooManyPoints[] = "Too many points\n";
constexpr DWORD kLargestData = 0xFF;  // the data part compares a byte
constexpr LONG kAccessIndex = 0;
constexpr LONG kDataBreakChannel = 2;  // channel 3 of a data-break device
constexpr int kDataBreakLast = 3;     // its channels 1 to 4

// The protocol types whose access conditions the command cannot set.
bool RefusesAccess() {
    return g_protocolType == 0 || break_rules::Protocol234();
}

// The working record's fields that have a counterpart in the event
// handler's record, by meaning, each pair handed to move (work, record).
template <typename Move>
void EachMappedField(CConditionWorkRecord& work, CEventConditionRecord& record, Move move) {
    move(work.used, record.conditionFlag);
    move(work.enable, record.channelWord);
    move(work.addressAny, record.addressDontCare);
    move(work.cycle, record.addressKind);
    move(work.address, record.address);
    move(work.addressMask, record.maskIndex);
    move(work.addressText, record.addressText);
    move(work.dataAny, record.dataDontCare);
    move(work.dataMask, record.dataSize);
    move(work.dataValue, record.dataValue);
    move(work.direction, record.direction);
}

}  // namespace

CCmdBreakConditionSet::CCmdBreakConditionSet(IHostServiceProvider* host)
    : CBreakConditionCommand(16, host, "breakcondition_set", "bcs") {
    RegisterSyntax({g_protocolType == 1 ? res_id::kSyntaxBreakConditionSet1 : res_id::kSyntaxBreakConditionSet});
}

CCmdBreakConditionSet::~CCmdBreakConditionSet() {
    UnregisterSyntax();
}

void CCmdBreakConditionSet::DefineArguments() {
    CBreakConditionCommand::DefineArguments();
    m_mask = std::make_unique<CArgKeyword>(1, "m1\0m2\0m3\0", 0);
    m_cycle = std::make_unique<CArgKeyword>(1, "access\0pcbefore\0", 0);
    m_dataWord = std::make_unique<CArgKeyword>(1, "data\0", 0);
    m_directionWord = std::make_unique<CArgKeyword>(1, "direction\0", 0);
    m_readWrite = std::make_unique<CArgKeyword>(1, "read\0write\0", 0);
}

void CCmdBreakConditionSet::DeleteArguments() {
    m_mask.reset();
    m_cycle.reset();
    m_dataWord.reset();
    m_directionWord.reset();
    m_readWrite.reset();
    CBreakConditionCommand::DeleteArguments();
}

void CCmdBreakConditionSet::ResetChannelRecords() {
    m_records.fill(CConditionWorkRecord{});
}

void CCmdBreakConditionSet::LoadChannelRecords() {
    ResetChannelRecords();
    const CTargetVk3* target = GetTarget();
    CTargetEventVk3* events = target != nullptr ? target->GetEventHandler() : nullptr;
    if (events == nullptr) {
        return;
    }
    for (int n = 0; n < kChannels; ++n) {
        if (!break_rules::ChannelExists(n)) {
            continue;
        }
        EachMappedField(m_records[static_cast<std::size_t>(n)], events->Record(n),
                        [](auto& to, const auto& from) { to = static_cast<std::decay_t<decltype(to)>>(from); });
    }
}

void CCmdBreakConditionSet::StoreChannelRecords() const {
    const CTargetVk3* target = GetTarget();
    CTargetEventVk3* events = target != nullptr ? target->GetEventHandler() : nullptr;
    if (events == nullptr) {
        return;
    }
    for (int n = 0; n < kChannels; ++n) {
        if (!break_rules::ChannelExists(n)) {
            continue;
        }
        CConditionWorkRecord work = m_records[static_cast<std::size_t>(n)];
        EachMappedField(work, events->Record(n),
                        [](const auto& from, auto& to) { to = static_cast<std::decay_t<decltype(to)>>(from); });
    }
}

DWORD CCmdBreakConditionSet::Run(const CString& line, CString& result) {
    if (!StartQuery(line, result)) {
        return 0;
    }
    if (GetArgumentValue(0).IsEmpty() || m_cycle == nullptr) {
        return FailWith(TE_INVALID_PARAMETER, result);
    }
    Condition condition;
    if (!ParseCondition(condition, result)) {
        return 0;
    }
    CTargetVk3* target = GetTarget();
    CTargetEventVk3* events = target != nullptr ? target->GetEventHandler() : nullptr;
    CBreakConditionSet* set = target != nullptr ? target->GetBreakConditionSet() : nullptr;
    if (events == nullptr || set == nullptr) {
        return FailWith(TE_DLL_ERROR, result);
    }
    LoadChannelRecords();
    const LONG channel = ChooseChannel(condition);
    if (channel < 0) {
        return Fail(result);
    }
    Fill(m_records[static_cast<std::size_t>(channel)], condition);
    StoreChannelRecords();
    events->CopyEventState();
    // The set sends a channel only while its word says enabled: the record's
    // enable word goes there too, else the new condition would never reach
    // the emulator.
    set->SetChannelWord(static_cast<DWORD>(channel), 1);
    set->EditChannel(static_cast<DWORD>(channel), 0);
    NotifyBreakChanged();
    return Succeed(result);
}

bool CCmdBreakConditionSet::ParseCondition(Condition& condition, CString& result) {
    if (!AtAddressWord() && !TakeChannel(condition.channel, result)) {
        return false;
    }
    if (!TakeKeyword(m_addressWord.get(), "address", result) || !TakeAddress(condition.address, result)) {
        return false;
    }
    // Neither cycle word: "pcbefore", and the word stays for what follows.
    if (SUCCEEDED(ParseOneArgument(GetArgumentValue(GetConsumedWords()), *m_cycle))) {
        condition.cycle = m_cycle->GetIndex() == kAccessIndex ? 0 : 1;
    }
    if (condition.cycle == 0 && !ParseAccessOptions(condition, result)) {
        return false;
    }
    if (!GetArgumentValue(GetConsumedWords()).IsEmpty()) {
        AppendText(kInvalidCondition, 0);
        Fail(result);
        return false;
    }
    return true;
}

bool CCmdBreakConditionSet::ParseAccessOptions(Condition& condition, CString& result) {
    if (RefusesAccess()) {
        AppendText(kInvalidCondition, 0);
        Fail(result);
        return false;
    }
    if (SUCCEEDED(ParseOneArgument(GetArgumentValue(GetConsumedWords()), *m_mask))) {
        condition.mask = static_cast<DWORD>(m_mask->GetIndex()) + 1;
    }
    if (SUCCEEDED(ParseOneArgument(GetArgumentValue(GetConsumedWords()), *m_dataWord))) {
        if (!TakeNumber(condition.data, kInvalidData, "data", result)) {
            return false;
        }
        if (condition.data > kLargestData) {
            AppendText(kInvalidData, 0);
            Fail(result);
            return false;
        }
        condition.hasData = true;
    }
    if (SUCCEEDED(ParseOneArgument(GetArgumentValue(GetConsumedWords()), *m_directionWord))) {
        if (!TakeKeyword(m_readWrite.get(), "r/w", result)) {
            return false;
        }
        condition.direction = static_cast<DWORD>(m_readWrite->GetIndex()) + 1;
    }
    return true;
}

LONG CCmdBreakConditionSet::ChooseChannel(const Condition& condition) {
    LONG channel = condition.channel;
    int compareLast = kChannels - 1;
    if (break_rules::HwBreak1()) {
        compareLast = kDataBreakLast;
        if (condition.hasData || condition.direction != 0 || condition.cycle == 0) {
            // Only channel 3 takes a data condition; one it holds is replaced
            // only when the line names channel 3.
            if (m_records[kDataBreakChannel].used != 0 && condition.channel != kDataBreakChannel) {
                AppendText(kTooManyPoints, 0);
                return -1;
            }
            channel = kDataBreakChannel;
        } else if (channel < 0) {
            channel = FirstFree(0, kDataBreakLast);
        }
    } else if (channel < 0) {
        const auto count = static_cast<int>(std::min<DWORD>(g_deviceValues.addressBreakCount, kChannels));
        channel = FirstFree(0, (break_rules::Protocol234() ? count : 2) - 1);
    }
    // Only a channel the device has keeps its record: one it lacks would
    // answer success for a condition that is never set.
    if (channel < 0 || !break_rules::ChannelExists(static_cast<int>(channel))) {
        AppendText(kTooManyPoints, 0);
        return -1;
    }
    if (channel <= compareLast && AddressTaken(channel, condition.address, 0, compareLast)) {
        AppendText(kInvalidAddress, 0);
        return -1;
    }
    return channel;
}

bool CCmdBreakConditionSet::AddressTaken(LONG channel, DWORD address, int first, int last) const {
    for (int n = first; n <= last; ++n) {
        // A free channel's record holds its reset address 0: it takes no part.
        const CConditionWorkRecord& record = m_records[static_cast<std::size_t>(n)];
        if (n != channel && record.used != 0 && record.address == address) {
            return true;
        }
    }
    return false;
}

LONG CCmdBreakConditionSet::FirstFree(int first, int last) const {
    for (int n = first; n <= last; ++n) {
        if (break_rules::ChannelExists(n) && m_records[static_cast<std::size_t>(n)].used == 0) {
            return n;
        }
    }
    return -1;
}

void CCmdBreakConditionSet::Fill(CConditionWorkRecord& record, const Condition& condition) {
    record = CConditionWorkRecord{};
    record.used = 1;
    record.enable = 1;
    record.addressAny = 0;
    record.address = condition.address;
    record.cycle = condition.cycle;
    record.addressMask = condition.mask;
    if (condition.hasData) {
        record.dataAny = 0;
        record.dataValue = condition.data;
        record.dataAny2 = 0;
        record.dataValue2 = condition.data;
    }
    record.direction = condition.direction;
}
