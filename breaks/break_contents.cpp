#include "breaks/break_contents.h"

#include "breaks/break_services.h"
#include "breaks/word_state_list.h"

#include <algorithm>

namespace {

// The floating-point bit of a size code and its byte count.
constexpr WORD kFloatBit = 16;
constexpr WORD kByteCountMask = 15;

// Whether [firstA, lastA] and [firstB, lastB] overlap, in 64 bits so that no
// range wraps past the top of the address space.
bool Overlaps(std::uint64_t firstA, std::uint64_t lastA, std::uint64_t firstB, std::uint64_t lastB) {
    return firstA <= lastB && firstB <= lastA;
}

}  // namespace

CTBreakContents::CTBreakContents(const BreakActionDesc* desc) : m_action(MakeBreakAction(desc)) {
    CWordStateList::InitWord(m_enable);
}

bool CTBreakContents::IsValidDesc(const BreakActionDesc* desc) {
    return desc == nullptr || (desc->type >= break_action::kStop && desc->type <= break_action::kInterrupt);
}

DWORD CTBreakContents::GetAddress() const {
    AfxMessageBox("Illegal Call Function");
    return 0;
}

CTBreakPcContents::CTBreakPcContents(DWORD address, DWORD passCount, const GUID& ownerId, BreakText text, DWORD id,
                                     const BreakActionDesc* desc, CBreakAddressUsers* users)
    : CTBreakContents(desc),
      m_address(address),
      m_passCount(passCount),
      m_ownerId(ownerId),
      m_text(std::move(text)),
      m_id(id),
      m_users(users) {}

void CTBreakPcContents::SetOnTarget() {
    BreakServices().BreakpointCommand(CBreakServices::kSetBreakpoint, m_address);
    m_onTarget = true;
}

void CTBreakPcContents::RemoveFromTarget() {
    if (!m_onTarget) {
        return;  // nothing of this record's is on the target
    }
    m_onTarget = false;
    if (m_users != nullptr && m_users->IsAddressNeeded(m_address, this)) {
        return;
    }
    BreakServices().BreakpointCommand(CBreakServices::kClearBreakpoint, m_address);
}

bool CTBreakPcContents::IsHit(DWORD pc) {
    if (pc != m_address) {
        return false;
    }
    ++m_hitCount;
    return true;
}

CTBreakRangeContents::CTBreakRangeContents(DWORD first, DWORD second, WORD accessType, const BreakActionDesc* desc)
    : CTBreakContents(desc), m_low(std::min(first, second)), m_high(std::max(first, second)),
      m_accessType(accessType) {}

bool CTBreakAccessContents::MatchesRange(DWORD address, WORD size) const {
    return size != 0 && Overlaps(address, std::uint64_t{address} + size - 1, GetLow(), GetHigh());
}

DWORD CTBreakValueContents::SizeMask() const {
    const WORD bytes = (m_size & kFloatBit) != 0 ? 4 : (m_size & kByteCountMask);
    switch (bytes) {
        case 1:
            return 0xFF;
        case 2:
            return 0xFFFF;
        default:
            return 0xFFFFFFFF;
    }
}

bool CTBreakDataContents::MatchesRange(DWORD address, WORD size) const {
    const WORD watched = GetSize() & kByteCountMask;
    return size != 0 && watched != 0 &&
           Overlaps(address, std::uint64_t{address} + size - 1, m_address, std::uint64_t{m_address} + watched - 1);
}

bool CTBreakRegisterContents::MatchesValue(DWORD low, DWORD high) const {
    constexpr WORD kAnyValue = 2;
    if (GetCompareMode() == kAnyValue) {
        return true;
    }
    const DWORD mask = SizeMask();
    return ModeResult((low & mask) == (GetValueLow() & mask) && high == GetValueHigh());
}

bool CTBreakCfgDataContents::MatchesValue(DWORD low, DWORD high) const {
    if (GetSize() == 8) {
        return ModeResult(low == GetValueLow() && high == GetValueHigh());
    }
    const DWORD mask = SizeMask();
    return ModeResult((high & mask) == (GetValueLow() & mask));
}

CTBreakSequenceContents::CTBreakSequenceContents(WORD stepCount, const Addresses& addresses,
                                                 const BreakActionDesc* desc)
    : CTBreakContents(desc), m_stepCount(stepCount) {
    std::copy_n(addresses.begin(), std::min<WORD>(stepCount, kMaxSteps), m_addresses.begin());
}

bool CTBreakSequenceContents::IsHit(DWORD pc) {
    if (pc != m_addresses[m_currentStep]) {
        return false;
    }
    if (m_currentStep + 1 >= m_stepCount) {
        return true;
    }
    ++m_currentStep;
    return false;
}

bool CTBreakSequenceContents::ListsAddress(DWORD address) const {
    return std::find(m_addresses.begin(), m_addresses.begin() + std::min<WORD>(m_stepCount, kMaxSteps), address) !=
           m_addresses.begin() + std::min<WORD>(m_stepCount, kMaxSteps);
}

bool CTBreakCycleContents::IsHit(DWORD counter) const {
    const std::uint64_t threshold = std::uint64_t{m_period} * m_pass;
    if (m_currentCycle >= threshold || counter < threshold) {
        return false;
    }
    return m_count == 0 || m_pass <= m_count;
}

void CTBreakCycleContents::SetCycle(DWORD counter) {
    m_currentCycle = counter;
    if (m_period == 0) {
        AfxMessageBox("Illegal Cycle value. CTBreakCycleContents::SetCycle()");
        return;
    }
    m_pass = m_currentCycle / m_period + 1;
}
