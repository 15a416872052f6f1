#include "console/cmd_emulator.h"

#include "frame/error_codes.h"
#include "frame/host_event.h"
#include "frame/target_exec.h"
#include "res/resource_ids.h"
#include "target/target_vk3.h"

#include "platform/bstr.h"

#include <memory>

namespace {

constexpr char kTooManyWords[] = "To many parameter\n";
constexpr char kNoSyntax[] = "none";
constexpr ULONGLONG kAddressLast = 0xFFFFFFFF;
constexpr char kInvalidAddress[] = "Invalid address\n";
constexpr char kAddressName[] = "address";

// The console's texts of the codes its commands meet.
struct ConsoleError {
    HRESULT code;
    const char* text;
};
constexpr ConsoleError kConsoleErrors[] = {
    {TE_DLL_ERROR, "DLL error\n"},
    {TE_INVALID_PARAMETER, "Invalid parameter\n"},
    {TE_INVALID_ADDRESS, "Invalid address value\n"},
    {TE_NOT_AVAILABLE, "Not currently available\n"},
};

const char* ConsoleErrorText(HRESULT code) {
    for (const ConsoleError& row : kConsoleErrors) {
        if (row.code == code) {
            return row.text;
        }
    }
    return nullptr;
}

CString LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

// The range message of a number argument: the name, the word as typed and
// the bounds, each in hexadecimal and in decimal.
CString RangeMessage(UINT id, const CArg& argument, const char* name) {
    const auto* number = dynamic_cast<const CArgNumberUnsigned*>(&argument);
    if (number == nullptr) {
        return {};
    }
    CString message;
    message.Format(LoadText(id), name, static_cast<const char*>(argument.GetText()), number->GetMinimum(),
                   number->GetMinimum(), number->GetMaximum(), number->GetMaximum());
    return message;
}

CString ArgumentMessage(HRESULT code, const CArg& argument, const char* name, DWORD argKind) {
    CString message;
    switch (argument.GetError()) {
    case CArg::kOutOfRange:
        if (code == static_cast<HRESULT>(res_id::kArgAllOrRange)) {
            return RangeMessage(res_id::kArgAllOrRange, argument, name);
        }
        [[fallthrough]];
    case CArg::kNotEvaluable:
        if (argKind == CCmdEmulator::kUnsigned) {
            return RangeMessage(res_id::kArgUnsignedRange, argument, name);
        }
        if (argKind == CCmdEmulator::kSigned) {
            return RangeMessage(res_id::kArgSignedRange, argument, name);
        }
        return {};
    case CArg::kMissing:
        if (argKind <= CCmdEmulator::kString) {
            message.Format(LoadText(res_id::kArgUnsignedEmpty + argKind), name);
        }
        return message;
    case CArg::kNoKeyword:
        if (code == static_cast<HRESULT>(res_id::kArgRegisterUnknown)) {
            message.Format(LoadText(res_id::kArgRegisterUnknown), static_cast<const char*>(argument.GetText()));
        } else if (const auto* keyword = dynamic_cast<const CArgKeyword*>(&argument);
                   keyword != nullptr && argKind == CCmdEmulator::kKeyword) {
            message.Format(LoadText(res_id::kArgKeywordWrong), name,
                           static_cast<const char*>(keyword->FormatKeywordList()));
        }
        return message;
    default:
        return {};
    }
}

}  // namespace

bool IsTargetProgramRunning() {
    const CTargetVk3* target = GetTarget();
    const CTargetExec* exec = target != nullptr ? target->GetExecHandler() : nullptr;
    return exec != nullptr && exec->IsRunning() == 1;
}

CCmdEmulator::CCmdEmulator(DWORD argumentCount, IHostServiceProvider* host, const char* name, const char* alias)
    : CCmd(host, 0, name, alias, nullptr, nullptr), m_values(argumentCount + 1), m_argumentCount(argumentCount) {
    m_attribute = 1;
}

HRESULT CCmdEmulator::Invoke(const CString& line, CString& result, DWORD& continuation) {
    m_statusWord = E_FAIL;
    continuation = Run(line, result);
    return m_statusWord != S_OK ? E_FAIL : S_OK;
}

HRESULT CCmdEmulator::Abort() {
    m_abort = 1;
    return S_OK;
}

DWORD CCmdEmulator::AppendText(const CString& text, DWORD kind) {
    if (kind == 0) {
        m_output += text;
    } else if (kind == 1) {
        m_errorText += text;
    }
    return 0;
}

HRESULT CCmdEmulator::ParseArguments(const CString& line) {
    m_consumed = 0;
    m_output.Empty();
    m_errorText.Empty();
    m_abort = 0;
    // The command word, the N arguments and one more that catches a word
    // too many.
    std::vector<std::unique_ptr<CArgString>> words;
    std::vector<CArg*> table;
    for (DWORD i = 0; i < m_argumentCount + 2; ++i) {
        words.push_back(std::make_unique<CArgString>(0, ""));
        table.push_back(words.back().get());
    }
    table.push_back(nullptr);
    const char* cursor = line;
    static_cast<void>(MatchArguments(cursor, table.data()));  // optional words: every one accepts
    if (!words.back()->GetValue().IsEmpty()) {
        AppendText(kTooManyWords, 0);
        return TE_INVALID_PARAMETER;
    }
    for (DWORD i = 0; i <= m_argumentCount; ++i) {
        m_values[i] = words[i + 1]->GetValue();
    }
    return S_OK;
}

HRESULT CCmdEmulator::ParseOneArgument(CString text, CArg& argument) {
    CArg* const table[] = {&argument, nullptr};
    const char* cursor = text;
    if (MatchArguments(cursor, table) != 1) {
        return TE_DLL_ERROR;
    }
    if (argument.IsDefaulted() == 0) {
        ++m_consumed;
    }
    return S_OK;
}

void CCmdEmulator::FormatError(HRESULT code, const CArg* argument, const char* name, DWORD argKind) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CString message;
    if (argument != nullptr) {
        message = ArgumentMessage(code, *argument, name, argKind);
    }
    if (message.IsEmpty()) {
        if (const char* text = ConsoleErrorText(code)) {
            message = text;
        } else {
            message.Format("UNKNOWN ERROR %ld \n", static_cast<LONG>(code));
        }
    }
    AppendText(message, 0);
}

IHCmdSyntax* CCmdEmulator::SyntaxService() const {
    IHCmdSyntax* syntax = nullptr;
    if (m_host == nullptr || FAILED(m_host->QueryService(IID_IHCmdSyntax, reinterpret_cast<void**>(&syntax)))) {
        return nullptr;
    }
    return syntax;
}

void CCmdEmulator::RegisterSyntaxLine(const char* word, const CString& text, DWORD flag) {
    if (IHCmdSyntax* syntax = SyntaxService()) {
        const platform::Bstr wideWord(word);
        const platform::Bstr wideText(text.Compare(kNoSyntax) == 0 ? "" : static_cast<const char*>(text));
        static_cast<void>(syntax->AddSyntax(wideWord.Get(), wideText.Get(), flag));  // the window's business
    }
}

void CCmdEmulator::UnregisterSyntaxLine(const char* word, const CString& text) {
    if (IHCmdSyntax* syntax = SyntaxService()) {
        const platform::Bstr wideWord(word);
        const platform::Bstr wideText(text.Compare(kNoSyntax) == 0 ? "" : static_cast<const char*>(text));
        static_cast<void>(syntax->RemoveSyntax(wideWord.Get(), wideText.Get()));  // the window's business
    }
}

void CCmdEmulator::RegisterSyntax(std::initializer_list<UINT> ids) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    for (const UINT id : ids) {
        m_syntaxLines.Add(LoadText(id));
    }
    const CString joined = JoinedSyntax();
    RegisterSyntaxLine(m_words[0], joined, 0);
    if (m_words.GetSize() > 1) {
        RegisterSyntaxLine(m_words[1], joined, 1);
    }
}

CString CCmdEmulator::JoinedSyntax() const {
    CString joined;
    for (INT_PTR i = 0; i < m_syntaxLines.GetSize(); ++i) {
        joined += (i > 0 ? "\n" : "") + m_syntaxLines[i];
    }
    return joined;
}

void CCmdEmulator::UnregisterSyntax() {
    const CString joined = JoinedSyntax();
    UnregisterSyntaxLine(m_words[0], joined);
    if (m_words.GetSize() > 1) {
        UnregisterSyntaxLine(m_words[1], joined);
    }
    m_syntaxLines.RemoveAll();
}

DWORD CCmdEmulator::Succeed(CString& result) {
    m_statusWord = S_OK;
    return Fail(result);
}

DWORD CCmdEmulator::Fail(CString& result) {
    result = m_output;
    return 0;
}

DWORD CCmdEmulator::FailWith(HRESULT code, CString& result) {
    FormatError(code, nullptr, "", kUnsigned);
    return Fail(result);
}

DWORD CCmdEmulator::FailArgument(const CArg& argument, const char* name, DWORD argKind, CString& result) {
    FormatError(TE_INVALID_PARAMETER, &argument, name, argKind);
    return Fail(result);
}

bool CCmdEmulator::StartChange(const CString& line, CString& result) {
    return CheckStart(ParseArguments(line), !IsTargetProgramRunning(), result);
}

bool CCmdEmulator::CheckStart(HRESULT parsed, bool available, CString& result) {
    if (!available) {
        // The running state speaks first: whatever the parse said is dropped.
        m_output.Empty();
        FailWith(TE_NOT_AVAILABLE, result);
        return false;
    }
    if (FAILED(parsed)) {
        FailWith(parsed, result);
        return false;
    }
    return true;
}

bool CCmdEmulator::StartQuery(const CString& line, CString& result) {
    const HRESULT parsed = ParseArguments(line);
    if (FAILED(parsed)) {
        FailWith(parsed, result);
        return false;
    }
    return true;
}

bool CCmdEmulator::TakeAddress(DWORD& address, CString& result) {
    return TakeNumber(address, kInvalidAddress, kAddressName, result);
}

bool CCmdEmulator::TakeNumber(DWORD& value, const char* refusal, const char* name, CString& result) {
    CArgNumberUnsigned argument(1, 0, m_evaluator, kAddressLast, 0, kAddressLast);
    if (FAILED(ParseOneArgument(GetArgumentValue(GetConsumedWords()), argument))) {
        AppendText(refusal, 0);
        FailArgument(argument, name, kUnsigned, result);
        return false;
    }
    value = static_cast<DWORD>(argument.GetValue());
    return true;
}

void CCmdEmulator::NotifyBreakChanged() const {
    if (m_host != nullptr) {
        const CHostEvent changed(EVENT_BreakChanged);
        static_cast<void>(m_host->PostEvent(changed.GetNotice()));  // the host's answer is not read
    }
}
