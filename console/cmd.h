// The console command framework. Every command of the host's command window
// is a CCmd: it registers with the host while it exists, hands the host its
// words, and turns each command line into a call of its own handler. The
// argument classes describe one argument each; MatchArguments walks the words
// of an argument text against a table of them.
#pragma once

#include "platform/afx.h"
#include "platform/host/command_interfaces.h"
#include "platform/host/expression_interfaces.h"

class CHostExpressionService;
class CPlaceholderExpander;

// One argument definition.
class CArg {
public:
    enum Error : DWORD {
        kNoError = 0,
        kOutOfRange = 1,      // a value outside the bounds
        kMissing = 2,         // a required value not given
        kNoKeyword = 3,       // a word that matches no keyword
        kNotEvaluable = 4,    // a value the host could not evaluate
    };

    explicit CArg(DWORD required) : m_required(required) {}
    virtual ~CArg() = default;
    CArg(const CArg&) = delete;
    CArg& operator=(const CArg&) = delete;

    // Non-zero when the word is accepted. quoted is 1 for a word that came in
    // double quotes (it keeps them), else 0.
    virtual BOOL Parse(const CString& word, DWORD quoted) = 0;

    DWORD IsRequired() const { return m_required; }
    const CString& GetText() const { return m_text; }
    DWORD GetError() const { return m_error; }
    DWORD IsDefaulted() const { return m_defaulted; }

protected:
    // The default taken in place of a missing or unusable value: accepted,
    // unless the argument is required (then refused with error).
    BOOL AcceptDefault(Error error);

    DWORD m_required;
    CString m_text;
    DWORD m_error = kNoError;
    DWORD m_defaulted = 0;
};

// A number evaluated by the host: through the wrapper when built over it,
// else through the host's evaluator interface.
class CArgNumber : public CArg {
public:
    CArgNumber(DWORD required, DWORD context, IHExpressionEvaluator* evaluator)
        : CArgNumber(required, context, evaluator, nullptr) {}
    CArgNumber(DWORD required, DWORD context, CHostExpressionService* service)
        : CArgNumber(required, context, nullptr, service) {}

protected:
    // Built over one of the two; the other is null.
    CArgNumber(DWORD required, DWORD context, IHExpressionEvaluator* evaluator, CHostExpressionService* service)
        : CArg(required), m_context(context), m_evaluator(evaluator), m_service(service) {}

    HRESULT EvaluateText(ULONGLONG* value);

    DWORD m_context;
    IHExpressionEvaluator* m_evaluator = nullptr;
    CHostExpressionService* m_service = nullptr;
};

class CArgNumberUnsigned : public CArgNumber {
public:
    CArgNumberUnsigned(DWORD required, DWORD context, IHExpressionEvaluator* evaluator, ULONGLONG defaultValue,
                       ULONGLONG minimum, ULONGLONG maximum)
        : CArgNumberUnsigned(required, context, evaluator, nullptr, defaultValue, minimum, maximum) {}
    CArgNumberUnsigned(DWORD required, DWORD context, CHostExpressionService* service, ULONGLONG defaultValue,
                       ULONGLONG minimum, ULONGLONG maximum)
        : CArgNumberUnsigned(required, context, nullptr, service, defaultValue, minimum, maximum) {}

    BOOL Parse(const CString& word, DWORD quoted) override;

    ULONGLONG GetValue() const { return m_value; }
    ULONGLONG GetDefault() const { return m_default; }
    ULONGLONG GetMinimum() const { return m_minimum; }
    ULONGLONG GetMaximum() const { return m_maximum; }

private:
    CArgNumberUnsigned(DWORD required, DWORD context, IHExpressionEvaluator* evaluator,
                       CHostExpressionService* service, ULONGLONG defaultValue, ULONGLONG minimum, ULONGLONG maximum)
        : CArgNumber(required, context, evaluator, service),
          m_default(defaultValue),
          m_minimum(minimum),
          m_maximum(maximum),
          m_value(defaultValue) {}

    ULONGLONG m_default;
    ULONGLONG m_minimum;
    ULONGLONG m_maximum;
    ULONGLONG m_value;
};

class CArgKeyword : public CArg {
public:
    // keywords: consecutive NUL-terminated texts closed by an empty text.
    CArgKeyword(DWORD required, const char* keywords, LONG defaultIndex);

    // A keyword equal to the word (without regard to case) wins; else the last
    // keyword that begins with the word.
    BOOL Parse(const CString& word, DWORD quoted) override;

    LONG GetIndex() const { return m_index; }
    // "(" keywords joined by "," ")".
    CString FormatKeywordList() const;

private:
    CStringArray m_keywords;
    LONG m_index = -1;
    LONG m_defaultIndex;
};

class CArgString : public CArg {
public:
    CArgString(DWORD required, const char* defaultText) : CArg(required), m_default(defaultText) {}

    BOOL Parse(const CString& word, DWORD quoted) override;

    const CString& GetValue() const { return m_value; }

private:
    CString m_default;
    CString m_value;
};

class CCmd : public IHCmdClient2, public CObject {
public:
    CCmd(IHostServiceProvider* host, DWORD stripCommandWord, const char* name, const char* alias, const char* prompt,
         const char* terminator);
    CCmd(IHostServiceProvider* host, DWORD stripCommandWord, int wordCount, const char* const* words,
         const char* prompt, const char* terminator);
    ~CCmd() override;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    // IHCmdClient and IHCmdClient2
    HRESULT STDMETHODCALLTYPE GetCommandNames(VARIANT* names) override;
    HRESULT STDMETHODCALLTYPE Execute(BSTR line, BSTR* result, BSTR* prompt, WORD* continuation, WORD* status,
                                      IHCmdCallback* callback) override;
    HRESULT STDMETHODCALLTYPE Abort() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetCommandNamesEx(VARIANT* names, DWORD* attribute) override;

    // The command's handler: arguments, result text, continuation flag.
    virtual HRESULT Invoke(const CString& arguments, CString& result, DWORD& continuation) = 0;
    // A continuation line: the base goes on until the line equals the
    // terminator text.
    virtual HRESULT ContinueInput(const CString& line, CString& result, DWORD& continuation);

    // Appends a word (name or alias) and answers its index.
    INT_PTR AddWord(const char* word);
    // Cuts the next word at cursor and moves cursor behind it.
    static CString NextWord(const char*& cursor, DWORD& quoted);
    // The number of table entries (a null-terminated array) that accepted.
    static int MatchArguments(const char*& cursor, CArg* const* table);
    // True when the text holds nothing but blanks and tabs.
    static BOOL IsBlank(const char* text);
    // The placeholder expander all commands share: made over the host of the
    // first command made, deleted with the last command; null while there
    // is no command.
    static CPlaceholderExpander* GetPlaceholderExpander();

    const CStringArray& GetWords() const { return m_words; }
    IHostServiceProvider* GetHost() const { return m_host; }
    IHExpressionEvaluator* GetEvaluator() const { return m_evaluator; }
    CHostExpressionService* GetExpressionService() const { return m_expressionService; }
    IHCmdCallback* GetCallback() const { return m_callback; }

protected:
    DWORD m_stripCommandWord;
    CString m_prompt;
    CString m_terminator;
    IHExpressionEvaluator* m_evaluator = nullptr;
    CHostExpressionService* m_expressionService = nullptr;  // owned
    DWORD m_continuation = 0;
    WORD m_status = 0;
    IHCmdCallback* m_callback = nullptr;  // the latest Execute's callback
    IHostServiceProvider* m_host;
    DWORD m_attribute = static_cast<DWORD>(-1);
    CStringArray m_words;

private:
    void Register();
};
