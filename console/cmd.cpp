#include "console/cmd.h"

#include "frame/host_conversions.h"
#include "hostui/host_expression_service.h"
#include "util/mbcs.h"
#include "util/placeholder_expander.h"

#include "platform/bstr.h"

#include <cstring>
#include <memory>
#include <mutex>

namespace {

constexpr char kBlank = ' ';

bool StartsWithNoCase(const CString& text, const CString& prefix) {
    return prefix.GetLength() <= text.GetLength() && text.Left(prefix.GetLength()).CompareNoCase(prefix) == 0;
}

// The expander the commands share, and how many commands hold it.
struct SharedExpander {
    std::mutex mutex;
    std::unique_ptr<CPlaceholderExpander> expander;
    int holders = 0;
};

SharedExpander& Shared() {
    static SharedExpander shared;
    return shared;
}

void HoldSharedExpander(IHostServiceProvider* host) {
    SharedExpander& shared = Shared();
    std::lock_guard lock(shared.mutex);
    if (shared.holders++ == 0) {
        shared.expander = std::make_unique<CPlaceholderExpander>(host);
    }
}

void ReleaseSharedExpander() {
    SharedExpander& shared = Shared();
    std::lock_guard lock(shared.mutex);
    if (--shared.holders == 0) {
        shared.expander.reset();
    }
}

}  // namespace

// --- commands -------------------------------------------------------------------

CCmd::CCmd(IHostServiceProvider* host, DWORD stripCommandWord, const char* name, const char* alias,
           const char* prompt, const char* terminator)
    : m_stripCommandWord(stripCommandWord), m_prompt(prompt), m_terminator(terminator), m_host(host) {
    AddWord(name);
    if (alias != nullptr) {
        AddWord(alias);
    }
    Register();
}

CCmd::CCmd(IHostServiceProvider* host, DWORD stripCommandWord, int wordCount, const char* const* words,
           const char* prompt, const char* terminator)
    : m_stripCommandWord(stripCommandWord), m_prompt(prompt), m_terminator(terminator), m_host(host) {
    for (int i = 0; words != nullptr && i < wordCount; ++i) {
        AddWord(words[i]);
    }
    Register();
}

void CCmd::Register() {
    if (m_host != nullptr) {
        m_host->RegisterClient(IID_IHCmdClient, static_cast<IHCmdClient2*>(this));
        m_host->RegisterClient(IID_IHCmdClient2, static_cast<IHCmdClient2*>(this));
        // The results are not checked: a host without an evaluator leaves it as it was.
        m_host->QueryService(IID_IHExpressionEvaluator, reinterpret_cast<void**>(&m_evaluator));
    }
    // Without a host the service is there too; it evaluates nothing.
    m_expressionService = new CHostExpressionService(m_host);
    HoldSharedExpander(m_host);
}

CCmd::~CCmd() {
    ReleaseSharedExpander();
    delete m_expressionService;
    if (m_host != nullptr) {
        m_host->UnregisterClient(IID_IHCmdClient, static_cast<IHCmdClient2*>(this));
        m_host->UnregisterClient(IID_IHCmdClient2, static_cast<IHCmdClient2*>(this));
    }
}

INT_PTR CCmd::AddWord(const char* word) {
    return m_words.Add(word);
}

HRESULT CCmd::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHCmdClient) || IsEqualIID(iid, IID_IHCmdClient2)) {
        *object = static_cast<IHCmdClient2*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT CCmd::GetCommandNames(VARIANT* names) {
    try {
        StringArrayToVariantArray(names, m_words);
    } catch (const platform::ComError& error) {
        // No exception crosses to the host: it gets an empty VARIANT and the error.
        if (names != nullptr) {
            VariantInit(names);
        }
        return error.Error();
    }
    return S_OK;
}

HRESULT CCmd::GetCommandNamesEx(VARIANT* names, DWORD* attribute) {
    const HRESULT result = GetCommandNames(names);
    if (SUCCEEDED(result) && attribute != nullptr) {
        *attribute = m_attribute;
    }
    return result;
}

HRESULT CCmd::Execute(BSTR line, BSTR* result, BSTR* prompt, WORD* continuation, WORD* status,
                      IHCmdCallback* callback) {
    CString text = platform::BstrToAnsi(line).c_str();
    m_status = 0;
    m_callback = callback;
    CString answer;
    HRESULT hr;
    if (m_continuation == 0) {
        if (m_stripCommandWord != 0) {
            const int blank = text.Find(kBlank);
            text = blank < 0 ? CString() : text.Mid(blank + 1);
        }
        hr = Invoke(text, answer, m_continuation);
    } else {
        hr = ContinueInput(text, answer, m_continuation);
    }
    try {
        if (result != nullptr) {
            *result = answer.AllocSysString();
        }
        if (m_continuation != 0) {
            if (prompt != nullptr) {
                *prompt = m_prompt.AllocSysString();
            }
            if (continuation != nullptr) {
                *continuation = 0xFFFF;
            }
        } else if (continuation != nullptr) {
            *continuation = 0;
        }
    } catch (const platform::ComError& error) {
        return error.Error();  // no exception crosses to the host
    }
    if (status != nullptr) {
        *status = m_status;
    }
    return hr;
}

HRESULT CCmd::ContinueInput(const CString& line, CString&, DWORD& continuation) {
    continuation = line.Compare(m_terminator) != 0 ? 1 : 0;
    return S_OK;
}

CString CCmd::NextWord(const char*& cursor, DWORD& quoted) {
    CString word;
    quoted = 0;
    if (cursor == nullptr) {
        return word;
    }
    // Whole characters: a trail byte equal to a quote, a brace or a blank
    // belongs to its double-byte character.
    const auto take = [&word, &cursor] {
        const std::size_t bytes = mbcs::CharBytes(cursor);
        word += CString(cursor, static_cast<int>(bytes));
        cursor += bytes;
    };
    while (*cursor == kBlank) {
        ++cursor;
    }
    if (*cursor == '"') {
        quoted = 1;
        take();
        while (*cursor != '\0') {
            if (cursor[0] == '"' && cursor[1] == '"') {
                word += '"';  // a doubled quote stands for one
                cursor += 2;
            } else if (*cursor == '"') {
                take();
                break;
            } else {
                take();
            }
        }
    } else if (*cursor == '{') {
        ++cursor;
        while (*cursor != '\0' && *cursor != '}') {
            take();
        }
        if (*cursor == '}') {
            ++cursor;
        }
    } else {
        while (*cursor != '\0' && *cursor != kBlank) {
            take();
        }
    }
    return word;
}

int CCmd::MatchArguments(const char*& cursor, CArg* const* table) {
    int count = 0;
    for (int index = 0; table != nullptr && table[index] != nullptr; ++index) {
        const char* saved = cursor;
        DWORD quoted = 0;
        const CString word = NextWord(cursor, quoted);
        if (!table[index]->Parse(word, quoted)) {
            cursor = saved;
            break;
        }
        ++count;
        if (table[index]->IsDefaulted()) {
            cursor = saved;  // the word is offered to the next argument
        }
    }
    return count;
}

CPlaceholderExpander* CCmd::GetPlaceholderExpander() {
    SharedExpander& shared = Shared();
    std::lock_guard lock(shared.mutex);
    return shared.expander.get();
}

BOOL CCmd::IsBlank(const char* text) {
    if (text == nullptr) {
        return TRUE;
    }
    for (; *text != '\0'; ++text) {
        if (*text != ' ' && *text != '\t') {
            return FALSE;
        }
    }
    return TRUE;
}

// --- arguments ------------------------------------------------------------------

BOOL CArg::AcceptDefault(Error error) {
    m_defaulted = 1;
    if (m_required != 0) {
        m_error = error;
        return FALSE;
    }
    return TRUE;
}

HRESULT CArgNumber::EvaluateText(ULONGLONG* value) {
    if (m_service != nullptr) {
        const DWORD context = m_context;
        return m_service->Evaluate(m_text, value, &context);
    }
    if (m_evaluator != nullptr) {
        platform::Bstr text(m_text.Str());
        return m_context != 0 ? m_evaluator->Evaluate64InContext(text.Get(), m_context, value)
                              : m_evaluator->Evaluate64(text.Get(), value);
    }
    return E_FAIL;
}

BOOL CArgNumberUnsigned::Parse(const CString& word, DWORD quoted) {
    m_text.Empty();
    m_error = kNoError;
    m_defaulted = 0;
    if (quoted == 0 || quoted == 2) {
        m_text = word;  // a word that came in quotes counts as missing
    }
    if (CCmd::IsBlank(m_text)) {
        m_value = m_default;
        return AcceptDefault(kMissing);
    }
    ULONGLONG value = 0;
    if (FAILED(EvaluateText(&value))) {
        m_value = m_default;
        return AcceptDefault(kNotEvaluable);
    }
    m_value = value;
    if (value < m_minimum || value > m_maximum) {
        m_error = kOutOfRange;
        return FALSE;
    }
    return TRUE;
}

CArgKeyword::CArgKeyword(DWORD required, const char* keywords, LONG defaultIndex)
    : CArg(required), m_defaultIndex(defaultIndex) {
    for (const char* keyword = keywords; keyword != nullptr && *keyword != '\0';
         keyword += std::strlen(keyword) + 1) {
        m_keywords.Add(keyword);
    }
}

BOOL CArgKeyword::Parse(const CString& word, DWORD quoted) {
    m_text.Empty();
    m_error = kNoError;
    m_defaulted = 0;
    m_index = -1;
    if (quoted == 0 || quoted == 1) {
        m_text = word;
    }
    if (CCmd::IsBlank(m_text)) {
        if (m_required != 0) {
            m_error = kMissing;
            return FALSE;
        }
        m_index = m_defaultIndex;
        m_defaulted = 1;
        return TRUE;
    }
    LONG prefixMatch = -1;
    for (INT_PTR i = 0; i < m_keywords.GetSize(); ++i) {
        if (m_keywords[i].CompareNoCase(m_text) == 0) {
            m_index = static_cast<LONG>(i);
            return TRUE;
        }
        if (StartsWithNoCase(m_keywords[i], m_text)) {
            prefixMatch = static_cast<LONG>(i);  // a later prefix match replaces an earlier one
        }
    }
    if (prefixMatch >= 0) {
        m_index = prefixMatch;
        return TRUE;
    }
    if (m_required != 0) {
        m_error = kNoKeyword;
        return FALSE;
    }
    m_index = m_defaultIndex;
    m_defaulted = 1;
    return TRUE;
}

CString CArgKeyword::FormatKeywordList() const {
    CString list("(");
    if (m_keywords.IsEmpty()) {
        return list;
    }
    for (INT_PTR i = 0; i < m_keywords.GetSize(); ++i) {
        if (i > 0) {
            list += ",";
        }
        list += m_keywords[i];
    }
    list += ")";
    return list;
}

BOOL CArgString::Parse(const CString& word, DWORD quoted) {
    m_text = word;
    m_error = kNoError;
    m_defaulted = 0;
    m_value = (quoted == 0 || quoted == 1) ? word : CString();
    if (!CCmd::IsBlank(m_value)) {
        return TRUE;
    }
    m_value = m_default;
    return AcceptDefault(kMissing);
}
