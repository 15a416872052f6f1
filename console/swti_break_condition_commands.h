// The break-condition commands of the firmware with the event function:
// "breakcondition_clear" ("bcc"), "breakcondition_display" ("bcd"),
// "breakcondition_enable" ("bce") and "breakcondition_set" ("bcs") over the
// channel table, whose only condition is a program-fetch address. They are
// plain commands: the command word is cut off the line, each body parses its
// own words, channel numbers are numbers from 1 to the channel count, and a
// refusal is exactly one message without a line break. Each change goes to
// the emulator through the table's Apply; the table echoes it to the host's
// output window and tells the host.
#pragma once

#include "events/break_condition_table.h"
#include "console/cmd.h"

class CCmdSwtiBreakCondition : public CCmd {
public:
    // Registers the syntax text of the string id for the name (flag 0) and
    // the alias (flag 1), as the string table has it.
    CCmdSwtiBreakCondition(IHostServiceProvider* host, const char* name, const char* alias, UINT syntax);
    ~CCmdSwtiBreakCondition() override;

    HRESULT Invoke(const CString& line, CString& result, DWORD& continuation) override;

protected:
    // The body over the line without its command word: S_OK, or E_FAIL with
    // the one message in the result.
    virtual HRESULT Run(const char* line, CString& result) = 0;

    CBreakConditionTable& Table() { return m_table; }
    // The change on the channel a number from 1 to the count names, else on
    // every channel; then the table goes to the emulator (a stopped target
    // takes it at its next run).
    template <typename Change>
    void ChangeChannels(int number, Change change) {
        if (number >= 1 && number <= m_table.GetChannelCount()) {
            change(number - 1);
        } else {
            for (int n = 0; n < m_table.GetChannelCount(); ++n) {
                change(n);
            }
        }
        static_cast<void>(m_table.Apply());  // its refusals are the next run's to make good
    }

private:
    // The host's syntax service: operation 11 (add) or 12 (withdraw) for
    // both words.
    void Syntax(bool add);

    CBreakConditionTable m_table;
    CString m_syntax;
};

class CCmdSwtiBreakConditionClear : public CCmdSwtiBreakCondition {
public:
    explicit CCmdSwtiBreakConditionClear(IHostServiceProvider* host);

protected:
    HRESULT Run(const char* line, CString& result) override;
};

class CCmdSwtiBreakConditionDisplay : public CCmdSwtiBreakCondition {
public:
    explicit CCmdSwtiBreakConditionDisplay(IHostServiceProvider* host);

protected:
    HRESULT Run(const char* line, CString& result) override;
};

class CCmdSwtiBreakConditionEnable : public CCmdSwtiBreakCondition {
public:
    explicit CCmdSwtiBreakConditionEnable(IHostServiceProvider* host);

protected:
    HRESULT Run(const char* line, CString& result) override;
};

class CCmdSwtiBreakConditionSet : public CCmdSwtiBreakCondition {
public:
    explicit CCmdSwtiBreakConditionSet(IHostServiceProvider* host);

protected:
    HRESULT Run(const char* line, CString& result) override;
};
