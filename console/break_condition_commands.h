// The break-condition commands of the firmware without the event function:
// "breakcondition_clear" ("bcc"), "breakcondition_display" ("bcd"),
// "breakcondition_enable" ("bce") and, in break_condition_set_command.h,
// "breakcondition_set" ("bcs"). They keep no conditions: they work through
// the event handler's list of channels (the host's "Breakcondition" list)
// and the break-condition set, and tell the host when the channels changed.
// None of them looks at the run state: applying a change to a running
// target is the set's business.
#pragma once

#include "console/cmd_emulator.h"

#include <memory>

// The argument words the channel commands share: "channel" with its number
// (a keyword "1" .. the device's channel count, for counts 2 to 8 only) and
// "address".
class CBreakConditionCommand : public CCmdEmulator {
public:
    using CCmdEmulator::CCmdEmulator;

    void DefineArguments() override;
    void DeleteArguments() override;

protected:
    // The current word begins with "a" or "A": an address follows.
    bool AtAddressWord() const;
    // Lets the keyword take the current word; false (the refusal's message
    // is the result) when it does not.
    bool TakeKeyword(CArgKeyword* keyword, const char* name, CString& result);
    // "channel" and its number: the channel index.
    bool TakeChannel(LONG& channel, CString& result);
    // "address" and an address: the channel that holds a condition at it.
    // A channel holds none: "No Breakcondition\n", and nothing may change.
    bool TakeAddressedChannel(LONG& channel, CString& result);
    // The end of a change the event handler refused ("No Breakcondition\n")
    // or made (the host is told).
    DWORD Finish(HRESULT handled, CString& result);

    std::unique_ptr<CArgKeyword> m_channelWord;
    std::unique_ptr<CArgKeyword> m_channelNumber;  // none on a device without 2 to 8 channels
    std::unique_ptr<CArgKeyword> m_addressWord;
};

// "bcc [channel <n> | address <address>]": one channel, or every one.
class CCmdBreakConditionClear : public CBreakConditionCommand {
public:
    explicit CCmdBreakConditionClear(IHostServiceProvider* host);
    ~CCmdBreakConditionClear() override;
    DWORD Run(const CString& line, CString& result) override;
};

// "bcd": one line per channel of the host's list.
class CCmdBreakConditionDisplay : public CCmdEmulator {
public:
    explicit CCmdBreakConditionDisplay(IHostServiceProvider* host);
    ~CCmdBreakConditionDisplay() override;
    DWORD Run(const CString& line, CString& result) override;
};

// "bce <enable|disable> [channel <n> | address <address>]".
class CCmdBreakConditionEnable : public CBreakConditionCommand {
public:
    explicit CCmdBreakConditionEnable(IHostServiceProvider* host);
    ~CCmdBreakConditionEnable() override;
    DWORD Run(const CString& line, CString& result) override;
    void DefineArguments() override;
    void DeleteArguments() override;

private:
    std::unique_ptr<CArgKeyword> m_mode;
};

// The channel the break-condition set holds a condition at the address in
// (among the device's channels); -1 when none does.
LONG FindChannelHoldingAddress(DWORD address);
