// The break records: one software break of one of the eight kinds, with its
// enable word and its action. The kind lists (break_list.h) own them, ask
// them whether an event hits and run their action.
#pragma once

#include "breaks/break_action_desc.h"
#include "breaks/break_actions.h"

#include "platform/afx.h"

#include <array>
#include <atomic>
#include <memory>
#include <string>

class CTBreakContents;

// A text as the host gives and takes it (a BSTR's characters).
using BreakText = std::basic_string<OLECHAR>;

// What a PC record asks before it clears its breakpoint on the target:
// whether another break still needs one at that address (the owner may note
// that it now keeps the breakpoint for that break).
class CBreakAddressUsers {
public:
    virtual bool IsAddressNeeded(DWORD address, const CTBreakContents* except) = 0;

protected:
    ~CBreakAddressUsers() = default;
};

class CTBreakContents {
public:
    // Enabled, with the action of the description (none: Stop). The
    // description's type must be 0 to 3 (IsValidDesc).
    explicit CTBreakContents(const BreakActionDesc* desc);
    virtual ~CTBreakContents() = default;
    CTBreakContents(const CTBreakContents&) = delete;
    CTBreakContents& operator=(const CTBreakContents&) = delete;

    // The record's first address; the kinds without one show "Illegal Call
    // Function" and answer 0.
    virtual DWORD GetAddress() const;
    // Puts the break on the emulator and takes it off; only the PC record
    // sends anything.
    virtual void SetOnTarget() {}
    virtual void RemoveFromTarget() {}

    static bool IsValidDesc(const BreakActionDesc* desc);

    WORD GetEnable() const { return m_enable; }
    void SetEnable(WORD enable) { m_enable = enable; }
    bool IsEnabled() const { return m_enable == 1; }
    CTBreakAction* GetAction() const { return m_action.get(); }
    LONG GetActionType() const { return m_action->GetType(); }

private:
    WORD m_enable = 0;
    std::unique_ptr<CTBreakAction> m_action;
};

class CTBreakPcContents final : public CTBreakContents {
public:
    CTBreakPcContents(DWORD address, DWORD passCount, const GUID& ownerId, BreakText text, DWORD id,
                      const BreakActionDesc* desc, CBreakAddressUsers* users);

    DWORD GetAddress() const override { return m_address; }
    // The monitor's breakpoint at the address.
    void SetOnTarget() override;
    // Clears it unless another break still needs it there.
    void RemoveFromTarget() override;

    // Counts a hit when pc is the address.
    bool IsHit(DWORD pc);
    bool IsCountReached() const { return m_passCount <= m_hitCount; }

    DWORD GetPassCount() const { return m_passCount; }
    DWORD GetHitCount() const { return m_hitCount; }
    void ResetHitCount() { m_hitCount = 0; }
    const GUID& GetOwnerId() const { return m_ownerId; }
    const BreakText& GetText() const { return m_text; }
    DWORD GetId() const { return m_id; }
    // Whether this record's breakpoint is on the target.
    bool IsOnTarget() const { return m_onTarget; }

private:
    DWORD m_address;
    DWORD m_passCount;
    DWORD m_hitCount = 0;
    GUID m_ownerId;
    BreakText m_text;
    DWORD m_id;
    CBreakAddressUsers* m_users;
    bool m_onTarget = false;
};

// Access and CFG access breaks: an address range and an access type.
class CTBreakRangeContents : public CTBreakContents {
public:
    // The two addresses in any order.
    CTBreakRangeContents(DWORD first, DWORD second, WORD accessType, const BreakActionDesc* desc);
    DWORD GetAddress() const override { return m_low; }
    bool MatchesAccessType(WORD accessType) const { return m_accessType == 0 || m_accessType == accessType; }
    DWORD GetLow() const { return m_low; }
    DWORD GetHigh() const { return m_high; }
    WORD GetAccessType() const { return m_accessType; }

private:
    DWORD m_low;
    DWORD m_high;
    WORD m_accessType;
};

class CTBreakAccessContents final : public CTBreakRangeContents {
public:
    using CTBreakRangeContents::CTBreakRangeContents;
    // Whether [address, address + size - 1] overlaps the range; size 0
    // never matches.
    bool MatchesRange(DWORD address, WORD size) const;
};

class CTBreakCfgAccessContents final : public CTBreakRangeContents {
public:
    using CTBreakRangeContents::CTBreakRangeContents;
    bool MatchesRange(DWORD address) const { return GetLow() <= address && address <= GetHigh(); }
};

// Data, register and CFG data breaks: a value of a size code compared by a
// mode. Size codes: 1, 2, 4, 8 bytes; 20 and 24 the 4- and 8-byte floating
// point values.
class CTBreakValueContents : public CTBreakContents {
public:
    CTBreakValueContents(DWORD valueLow, WORD size, WORD compareMode, DWORD valueHigh, const BreakActionDesc* desc)
        : CTBreakContents(desc), m_valueLow(valueLow), m_valueHigh(valueHigh), m_size(size),
          m_compareMode(compareMode) {}
    DWORD GetValueLow() const { return m_valueLow; }
    DWORD GetValueHigh() const { return m_valueHigh; }
    WORD GetSize() const { return m_size; }
    WORD GetCompareMode() const { return m_compareMode; }

protected:
    // The compare mode applied to whether the values are equal.
    bool ModeResult(bool equal) const { return equal ? m_compareMode == 0 : m_compareMode != 0; }
    // The low word's mask for the compared byte count.
    DWORD SizeMask() const;

private:
    DWORD m_valueLow;
    DWORD m_valueHigh;
    WORD m_size;
    WORD m_compareMode;
};

class CTBreakDataContents final : public CTBreakValueContents {
public:
    CTBreakDataContents(DWORD address, DWORD valueLow, WORD size, WORD compareMode, DWORD valueHigh,
                        const BreakActionDesc* desc)
        : CTBreakValueContents(valueLow, size, compareMode, valueHigh, desc), m_address(address) {}
    DWORD GetAddress() const override { return m_address; }
    // Whether the access overlaps the watched range (the size code's byte
    // count); either size 0 never matches.
    bool MatchesRange(DWORD address, WORD size) const;
    bool MatchesValue(DWORD, DWORD) const { return true; }

private:
    DWORD m_address;
};

class CTBreakRegisterContents final : public CTBreakValueContents {
public:
    CTBreakRegisterContents(WORD registerNumber, DWORD valueLow, WORD size, WORD compareMode, DWORD valueHigh,
                            const BreakActionDesc* desc)
        : CTBreakValueContents(valueLow, size, compareMode, valueHigh, desc), m_registerNumber(registerNumber) {}
    bool MatchesRegister(WORD registerNumber) const { return registerNumber == m_registerNumber; }
    // Mode 2 matches any value; else the low words masked to the size and
    // the high words compared.
    bool MatchesValue(DWORD low, DWORD high) const;
    WORD GetRegisterNumber() const { return m_registerNumber; }

private:
    WORD m_registerNumber;
};

class CTBreakCfgDataContents final : public CTBreakValueContents {
public:
    CTBreakCfgDataContents(DWORD address, DWORD valueLow, WORD size, WORD compareMode, DWORD valueHigh,
                           const BreakActionDesc* desc)
        : CTBreakValueContents(valueLow, size, compareMode, valueHigh, desc), m_address(address) {}
    DWORD GetAddress() const override { return m_address; }
    bool MatchesAddress(DWORD address) const { return address == m_address; }
    // The high word masked to the size against the low value; size 8 both
    // words against both values.
    bool MatchesValue(DWORD low, DWORD high) const;

private:
    DWORD m_address;
};

class CTBreakSequenceContents final : public CTBreakContents {
public:
    static constexpr WORD kMaxSteps = 8;
    using Addresses = std::array<DWORD, kMaxSteps>;

    // The first stepCount addresses are the steps; the other slots are 0.
    // stepCount must be 1 to 8 (IsValidStepCount).
    CTBreakSequenceContents(WORD stepCount, const Addresses& addresses, const BreakActionDesc* desc);
    static bool IsValidStepCount(WORD stepCount) { return stepCount >= 1 && stepCount <= kMaxSteps; }

    DWORD GetAddress() const override { return m_addresses[0]; }
    // Moves on when pc is the current step's address; true at the last step.
    bool IsHit(DWORD pc);
    bool ListsAddress(DWORD address) const;
    void ResetStep() { m_currentStep = 0; }

    WORD GetStepCount() const { return m_stepCount; }
    WORD GetCurrentStep() const { return m_currentStep; }
    const Addresses& GetAddresses() const { return m_addresses; }

private:
    Addresses m_addresses{};
    WORD m_currentStep = 0;
    WORD m_stepCount;
};

class CTBreakCycleContents final : public CTBreakContents {
public:
    CTBreakCycleContents(DWORD period, DWORD count, const BreakActionDesc* desc)
        : CTBreakContents(desc), m_period(period), m_count(count) {}

    // True when the counter first reaches the next multiple of the period,
    // count times in all (count 0: without end).
    bool IsHit(DWORD counter) const;
    void SetCycle(DWORD counter);
    void Reset() {
        m_currentCycle = 0;
        m_pass = 1;
    }

    DWORD GetPeriod() const { return m_period; }
    DWORD GetCount() const { return m_count; }
    DWORD GetCurrentCycle() const { return m_currentCycle; }
    DWORD GetPass() const { return m_pass; }

private:
    DWORD m_period;
    DWORD m_currentCycle = 0;
    DWORD m_count;
    DWORD m_pass = 1;
};
