// "breakcondition_set" ("bcs") of the firmware without the event function:
// a condition from the command line into one channel. The command loads the
// event handler's condition records of the device's channels into working
// records, chooses the channel by the device's rules, fills its record,
// stores the records back, has the handler write them into the channel
// sheets and lets the break-condition set send the channel.
//
//   bcs [channel <n>] address <address> [pcbefore]
//   bcs [channel <n>] address <address> access [m1|m2|m3] [data <byte>] [direction read|write]
//
// The second form is for protocol type 1 (and the types without a rule of
// their own); a data-break device (HWBREAK 1) puts it on channel 3.
#pragma once

#include "console/break_condition_commands.h"

#include <array>

// One channel's condition as the command works on it.
struct CConditionWorkRecord {
    DWORD used = 0;         // 1: the channel holds a condition
    DWORD enable = 0;
    DWORD addressAny = 1;   // 1: no address part
    DWORD cycle = 0;        // 0 "access", 1 "pcbefore"
    DWORD address = 0;
    DWORD addressMask = 0;  // 0 none, 1 to 3 "m1" to "m3"
    CString addressText;
    CString addressText2;
    DWORD dataAny = 1;      // 1: no data part
    WORD dataMask = 0;
    DWORD direction = 0;    // 0 either, 1 read, 2 write
    DWORD dataValue = 0;
    DWORD dataAny2 = 1;     // the data part's second form
    DWORD dataMask2 = 0;
    DWORD dataZero2 = 0;
    DWORD dataValue2 = 0;
    CString dataText;
    CString dataText2;
    std::array<DWORD, 8> conditionWords{0, 0, 1, 1, 0, 0, 1, 0};
};

class CCmdBreakConditionSet : public CBreakConditionCommand {
public:
    static constexpr int kChannels = 8;

    explicit CCmdBreakConditionSet(IHostServiceProvider* host);
    ~CCmdBreakConditionSet() override;
    DWORD Run(const CString& line, CString& result) override;
    void DefineArguments() override;
    void DeleteArguments() override;

    // The working records back to their defaults.
    void ResetChannelRecords();
    // Reset, then the event handler's records of the device's channels.
    void LoadChannelRecords();
    // The same fields of the same channels back into the handler's records.
    void StoreChannelRecords() const;

private:
    // What the line asks for.
    struct Condition {
        LONG channel = -1;  // -1: not given
        DWORD address = 0;
        DWORD cycle = 1;
        DWORD mask = 0;
        bool hasData = false;
        DWORD data = 0;
        DWORD direction = 0;
    };

    bool ParseCondition(Condition& condition, CString& result);
    // The access form's options after "access".
    bool ParseAccessOptions(Condition& condition, CString& result);
    // The channel the condition goes to, by the device's rules; -1 with the
    // refusal's message added.
    LONG ChooseChannel(const Condition& condition);
    // Another used record among channels first..last holds the address.
    bool AddressTaken(LONG channel, DWORD address, int first, int last) const;
    LONG FirstFree(int first, int last) const;
    static void Fill(CConditionWorkRecord& record, const Condition& condition);

    std::array<CConditionWorkRecord, kChannels> m_records;
    std::unique_ptr<CArgKeyword> m_mask;
    std::unique_ptr<CArgKeyword> m_cycle;
    std::unique_ptr<CArgKeyword> m_dataWord;
    std::unique_ptr<CArgKeyword> m_directionWord;
    std::unique_ptr<CArgKeyword> m_readWrite;
};
