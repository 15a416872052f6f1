// CCmdEmulator: the base of the plug-in's console commands. It takes the
// host's line to the command's body and back: the line is split into at most
// N argument words, the body parses them against its argument definitions,
// and everything the call says collects in one output text, which goes back
// to the host with S_OK when the body cleared the status word, else E_FAIL.
// Refusals become the console's messages (FormatError); the syntax texts of
// the command's words are handed to the host's command window.
#pragma once

#include "console/cmd.h"

#include <initializer_list>
#include <vector>

class CCmdEmulator : public CCmd {
public:
    // Argument kinds, as FormatError picks its messages by them.
    enum ArgKind : DWORD { kUnsigned = 0, kSigned = 1, kKeyword = 2, kString = 3 };

    // argumentCount: the most argument words the command takes after its
    // command word.
    CCmdEmulator(DWORD argumentCount, IHostServiceProvider* host, const char* name, const char* alias);
    ~CCmdEmulator() override = default;

    // Presets the status word to E_FAIL, runs the body; E_FAIL unless the
    // body cleared the status word.
    HRESULT Invoke(const CString& line, CString& result, DWORD& continuation) override;
    // Sets the abort flag; no body reads it, so a running body goes on.
    HRESULT STDMETHODCALLTYPE Abort() override;

    // The command's body: every body answers 0 (no continuation lines).
    virtual DWORD Run(const CString& line, CString& result) = 0;
    // A command that keeps argument definitions for its lifetime makes them
    // here and deletes them in DeleteArguments; the base keeps none.
    virtual void DefineArguments() {}
    virtual void DeleteArguments() {}

    // Kind 0 appends to the output text, 1 to the error text; answers 0.
    DWORD AppendText(const CString& text, DWORD kind);
    // Splits the line: the command word, then up to N argument words into
    // the argument values; a further word is refused with 0x80042019 after
    // "To many parameter\n". Resets the per-call fields.
    HRESULT ParseArguments(const CString& line);
    // Lets one definition take the text: 0 (a word it took counts as
    // consumed), or 0x80040201 with the definition's error kind set.
    HRESULT ParseOneArgument(CString text, CArg& argument);
    // Appends the message of a refusal: the argument's own by its error kind
    // and argKind, else the console table's text of the code, else "UNKNOWN
    // ERROR <code> ".
    void FormatError(HRESULT code, const CArg* argument, const char* name, DWORD argKind);

    // Hands the host's command window the syntax text of a word (flag 0 the
    // name, 1 the alias); a text "none" goes as an empty text. Without the
    // window's syntax service nothing happens.
    void RegisterSyntaxLine(const char* word, const CString& text, DWORD flag);
    void UnregisterSyntaxLine(const char* word, const CString& text);

    // The argument word at an index (0 to N; index N is always empty).
    const CString& GetArgumentValue(DWORD index) const { return m_values[index]; }
    DWORD GetConsumedWords() const { return m_consumed; }
    DWORD GetArgumentCount() const { return m_argumentCount; }
    const CString& GetOutputText() const { return m_output; }
    DWORD IsAbortSet() const { return m_abort; }
    const CStringArray& GetSyntaxLines() const { return m_syntaxLines; }

protected:
    // Loads the syntax lines from the string table and registers them,
    // joined by "\n", for the name and the alias.
    void RegisterSyntax(std::initializer_list<UINT> ids);
    // Withdraws what RegisterSyntax registered and forgets the lines.
    void UnregisterSyntax();

    // Ends a body: the output text becomes the result; with success the
    // status word is cleared first. Each answers the body's 0.
    DWORD Succeed(CString& result);
    DWORD Fail(CString& result);
    // A refusal without an argument (a service's code): its message, then Fail.
    DWORD FailWith(HRESULT code, CString& result);
    // A refused argument: code 0x80042019 with the definition's message.
    DWORD FailArgument(const CArg& argument, const char* name, DWORD argKind, CString& result);

    // The first words of the setting commands: while the target program
    // runs, "Not currently available\n" (before the parse result is looked
    // at), then a refused parse. True when the body may go on; else the
    // result is set.
    bool StartChange(const CString& line, CString& result);
    // The same over a parse result already had, for a command with a
    // further reason to be unavailable.
    bool CheckStart(HRESULT parsed, bool available, CString& result);
    // The same for a command that works while the program runs.
    bool StartQuery(const CString& line, CString& result);

    // The address word at the consumed-word position, 0 to 0xFFFFFFFF as
    // the host evaluates it. A refusal ends the body: "Invalid address\n"
    // and the argument's range message are the result.
    bool TakeAddress(DWORD& address, CString& result);
    // The same for any 32-bit number: the refusal text, then the range
    // message under the name.
    bool TakeNumber(DWORD& value, const char* refusal, const char* name, CString& result);
    // Tells the host that breakpoints or break conditions changed.
    void NotifyBreakChanged() const;

    HRESULT m_statusWord = E_FAIL;

private:
    CString JoinedSyntax() const;
    // The command window's syntax service, or null.
    IHCmdSyntax* SyntaxService() const;

    DWORD m_consumed = 0;
    CString m_output;
    CString m_errorText;
    std::vector<CString> m_values;
    DWORD m_argumentCount;
    DWORD m_abort = 0;
    CStringArray m_syntaxLines;
};

// True while the run-control handler reports the target program running.
bool IsTargetProgramRunning();
