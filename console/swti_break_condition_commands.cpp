#include "console/swti_break_condition_commands.h"

#include "console/break_condition_format.h"
#include "res/resource_ids.h"

#include "platform/bstr.h"
#include "platform/host/ids.h"

#include <string>

namespace {

constexpr char kTooManyPoints[] = "Too many points";
constexpr LONG kEnableIndex = 0;
constexpr LONG kChannelIndex = 0;

CString LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

// The words of one line, taken one definition at a time. A refused word
// leaves the one message of its refusal in the result.
class WordParser {
public:
    WordParser(const char* line, CHostExpressionService* expressions, const CBreakConditionTable& table)
        : m_cursor(line != nullptr ? line : ""), m_expressions(expressions), m_table(&table) {}

    // Something other than blanks and tabs is left.
    bool WordsRemain() const { return CCmd::IsBlank(m_cursor) == FALSE; }

    // Lets the definition take the next word; the cursor stays when it does not.
    bool Take(CArg& argument) {
        CArg* const table[] = {&argument, nullptr};
        return CCmd::MatchArguments(m_cursor, table) == 1;
    }

    // A keyword: with no word left "Too few parameters", else the keyword
    // message under the name.
    bool TakeKeyword(CArgKeyword& keyword, const char* name, CString& result) {
        const bool present = WordsRemain();
        if (Take(keyword)) {
            return true;
        }
        result = present ? KeywordMessage(name, keyword.FormatKeywordList()) : LoadText(res_id::kEventCmdTooFewWords);
        return false;
    }

    // A channel number from 1 to the channel count, refused as a keyword
    // whose list is those numbers.
    bool TakeChannelNumber(int& number, CString& result) {
        const int count = m_table->GetChannelCount();
        CArgNumberUnsigned argument(1, 0, m_expressions, 0, 1, static_cast<ULONGLONG>(count > 0 ? count : 0));
        const bool present = WordsRemain();
        if (Take(argument)) {
            number = static_cast<int>(argument.GetValue());
            return true;
        }
        CString numbers;
        numbers.Format("(%d", 1);
        for (int n = 2; n <= count; ++n) {
            CString next;
            next.Format(",%d", n);
            numbers += next;
        }
        numbers += ")";
        result = present ? KeywordMessage("channel_number", numbers) : LoadText(res_id::kEventCmdTooFewWords);
        return false;
    }

    // An address within the valid range of the channel table.
    bool TakeAddress(DWORD& address, CString& result) {
        DWORD low = 0;
        DWORD high = 0;
        m_table->GetAddressRange(&low, &high);
        CArgNumberUnsigned argument(1, 0, m_expressions, 0, low, high);
        const bool present = WordsRemain();
        if (Take(argument)) {
            address = static_cast<DWORD>(argument.GetValue());
            return true;
        }
        result = LoadText(present ? res_id::kEventCmdInvalidAddress : res_id::kEventCmdTooFewWords);
        return false;
    }

    // Nothing may follow: "Too many parameters".
    bool AtEnd(CString& result) const {
        if (WordsRemain()) {
            result = LoadText(res_id::kEventCmdTooManyWords);
            return false;
        }
        return true;
    }

private:
    static CString KeywordMessage(const char* name, const CString& keywords) {
        CString message;
        message.Format(LoadText(res_id::kArgKeywordWrong), name, static_cast<const char*>(keywords));
        return message;
    }

    const char* m_cursor;
    CHostExpressionService* m_expressions;
    const CBreakConditionTable* m_table;
};

// "address <address>" and the channel that holds it (0-based).
bool TakeHeldAddress(WordParser& words, const CBreakConditionTable& table, int& channel, CString& result) {
    CArgKeyword keyword(1, "address\0", 0);
    DWORD address = 0;
    if (!words.TakeKeyword(keyword, "address", result) || !words.TakeAddress(address, result) ||
        !words.AtEnd(result)) {
        return false;
    }
    bool enabled = false;
    if (!table.FindChannelByAddress(address, &enabled, &channel)) {
        result = LoadText(res_id::kEventCmdInvalidAddress);
        return false;
    }
    return true;
}

// "channel <number>" and nothing after it.
bool TakeChannel(WordParser& words, int& number, CString& result) {
    CArgKeyword keyword(1, "channel\0", 0);
    return words.TakeKeyword(keyword, "channel", result) && words.TakeChannelNumber(number, result) &&
           words.AtEnd(result);
}

}  // namespace

// --- the base ---------------------------------------------------------------

CCmdSwtiBreakCondition::CCmdSwtiBreakCondition(IHostServiceProvider* host, const char* name, const char* alias,
                                               UINT syntax)
    : CCmd(host, 1, name, alias, nullptr, nullptr), m_table(host) {
    m_attribute = 1;
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    m_syntax = LoadText(syntax);
    Syntax(true);
}

CCmdSwtiBreakCondition::~CCmdSwtiBreakCondition() {
    Syntax(false);
}

void CCmdSwtiBreakCondition::Syntax(bool add) {
    IHCmdSyntax* syntax = nullptr;
    if (m_host == nullptr || FAILED(m_host->QueryService(IID_IHCmdSyntax, reinterpret_cast<void**>(&syntax))) ||
        syntax == nullptr) {
        return;
    }
    const platform::Bstr text(static_cast<const char*>(m_syntax));
    for (INT_PTR word = 0; word < m_words.GetSize() && word < 2; ++word) {
        const platform::Bstr wide(static_cast<const char*>(m_words[word]));
        // The window's answer is its business.
        static_cast<void>(add ? syntax->AddSyntax(wide.Get(), text.Get(), static_cast<DWORD>(word))
                              : syntax->RemoveSyntax(wide.Get(), text.Get()));
    }
}

HRESULT CCmdSwtiBreakCondition::Invoke(const CString& line, CString& result, DWORD& continuation) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    continuation = 0;
    return Run(line, result);
}

// --- breakcondition_clear ---------------------------------------------------

CCmdSwtiBreakConditionClear::CCmdSwtiBreakConditionClear(IHostServiceProvider* host)
    : CCmdSwtiBreakCondition(host, "breakcondition_clear", "bcc", res_id::kSyntaxBreakConditionClear) {}

HRESULT CCmdSwtiBreakConditionClear::Run(const char* line, CString& result) {
    WordParser words(line, m_expressionService, Table());
    CArgKeyword address(1, "address\0", 0);
    int number = 0;  // every channel
    if (WordParser ahead = words; ahead.Take(address)) {
        int channel = 0;
        if (!TakeHeldAddress(words, Table(), channel, result)) {
            return E_FAIL;
        }
        number = channel + 1;
    } else if (words.WordsRemain() && !TakeChannel(words, number, result)) {
        return E_FAIL;
    }
    result.Empty();
    ChangeChannels(number, [this](int n) { static_cast<void>(Table().ClearChannel(n)); });  // a valid channel
    return S_OK;
}

// --- breakcondition_display -------------------------------------------------

CCmdSwtiBreakConditionDisplay::CCmdSwtiBreakConditionDisplay(IHostServiceProvider* host)
    : CCmdSwtiBreakCondition(host, "breakcondition_display", "bcd", res_id::kSyntaxBreakConditionDisplay) {}

HRESULT CCmdSwtiBreakConditionDisplay::Run(const char* line, CString& result) {
    const WordParser words(line, m_expressionService, Table());
    if (!words.AtEnd(result)) {
        return E_FAIL;
    }
    result.Empty();
    FormatBreakCondition(Table(), m_host, result);
    return S_OK;
}

// --- breakcondition_enable --------------------------------------------------

CCmdSwtiBreakConditionEnable::CCmdSwtiBreakConditionEnable(IHostServiceProvider* host)
    : CCmdSwtiBreakCondition(host, "breakcondition_enable", "bce", res_id::kSyntaxBreakConditionEnable) {}

HRESULT CCmdSwtiBreakConditionEnable::Run(const char* line, CString& result) {
    WordParser words(line, m_expressionService, Table());
    CArgKeyword mode(1, "enable\0disable\0", kEnableIndex);
    CArgKeyword address(1, "address\0", 0);
    WordParser ahead = words;
    const bool byAddress = ahead.Take(mode) && ahead.Take(address);
    if (!words.TakeKeyword(mode, "mode", result)) {
        return E_FAIL;
    }
    const DWORD flag = mode.GetIndex() == kEnableIndex ? 1 : 0;
    int number = 0;  // every channel
    if (byAddress) {
        int channel = 0;
        if (!TakeHeldAddress(words, Table(), channel, result)) {
            return E_FAIL;
        }
        number = channel + 1;
    } else if (words.WordsRemain() && !TakeChannel(words, number, result)) {
        return E_FAIL;
    }
    result.Empty();
    // A free channel stays free.
    ChangeChannels(number, [this, flag](int n) { static_cast<void>(Table().EnableChannel(n, flag)); });
    return S_OK;
}

// --- breakcondition_set -----------------------------------------------------

CCmdSwtiBreakConditionSet::CCmdSwtiBreakConditionSet(IHostServiceProvider* host)
    : CCmdSwtiBreakCondition(host, "breakcondition_set", "bcs", res_id::kSyntaxBreakConditionSet) {}

HRESULT CCmdSwtiBreakConditionSet::Run(const char* line, CString& result) {
    WordParser words(line, m_expressionService, Table());
    CArgKeyword first(1, "channel\0address\0", kChannelIndex);
    if (!words.TakeKeyword(first, "channel, address", result)) {
        return E_FAIL;
    }
    int number = 0;  // not given
    if (first.GetIndex() == kChannelIndex) {
        CArgKeyword address(1, "address\0", 0);
        if (!words.TakeChannelNumber(number, result) || !words.TakeKeyword(address, "address", result)) {
            return E_FAIL;
        }
    }
    DWORD address = 0;
    if (!words.TakeAddress(address, result)) {
        return E_FAIL;
    }
    if (words.WordsRemain()) {
        CArgKeyword pcBefore(1, "pcbefore\0", 0);
        if (!words.TakeKeyword(pcBefore, "pcbefore", result) || !words.AtEnd(result)) {
            return E_FAIL;
        }
    }
    if (number == 0) {
        int free = 0;
        if (!Table().FindFreeChannel(&free)) {
            result = kTooManyPoints;
            return E_FAIL;
        }
        number = free + 1;
    }
    bool enabled = false;
    int held = 0;
    if ((Table().FindChannelByAddress(address, &enabled, &held) && held != number - 1) ||
        !Table().IsAddressInRange(address)) {
        result = LoadText(res_id::kEventCmdInvalidAddress);
        return E_FAIL;
    }
    result.Empty();
    static_cast<void>(Table().SetChannel(number - 1, address));  // the channel and the address are valid
    static_cast<void>(Table().Apply());  // a stopped target takes the table at its next run
    return S_OK;
}
