#include "console/breakpoint_commands.h"

#include "console/pc_break_rows.h"
#include "frame/error_codes.h"
#include "res/resource_ids.h"

namespace {

constexpr char kNoBreak[] = "No Break\n";
constexpr char kNoBreakpointSet[] = "No breakpoint set\n";
constexpr char kModeName[] = "mode";
constexpr char kModeKeywords[] = "enable\0disable\0";
constexpr LONG kEnableIndex = 0;
constexpr LONG kAllRows = -1;

}  // namespace

// --- breakpoint -----------------------------------------------------------------

CCmdBreakpoint::CCmdBreakpoint(IHostServiceProvider* host) : CCmdEmulator(1, host, "breakpoint", "bp") {
    RegisterSyntax({res_id::kSyntaxBreakpointStop, res_id::kSyntaxBreakpointInput, res_id::kSyntaxBreakpointOutput,
                    res_id::kSyntaxBreakpointInterrupt});
}

CCmdBreakpoint::~CCmdBreakpoint() {
    UnregisterSyntax();
}

DWORD CCmdBreakpoint::Run(const CString& line, CString& result) {
    if (!StartChange(line, result)) {
        return 0;
    }
    if (GetArgumentValue(0).IsEmpty()) {
        return FailWith(TE_INVALID_PARAMETER, result);
    }
    DWORD address = 0;
    if (!TakeAddress(address, result)) {
        return 0;
    }
    if (!CPcBreakRows().Add(address)) {
        AppendText(kNoBreakpointSet, 0);
        return Fail(result);
    }
    NotifyBreakChanged();
    return Succeed(result);
}

// --- breakpoint_clear -----------------------------------------------------------

CCmdBreakpointClear::CCmdBreakpointClear(IHostServiceProvider* host)
    : CCmdEmulator(1, host, "breakpoint_clear", "bc") {
    RegisterSyntax({res_id::kSyntaxBreakpointClear});
}

CCmdBreakpointClear::~CCmdBreakpointClear() {
    UnregisterSyntax();
}

DWORD CCmdBreakpointClear::Run(const CString& line, CString& result) {
    if (!StartChange(line, result)) {
        return 0;
    }
    CPcBreakRows rows;
    // Nothing to clear, or a break the list would not remove: said, and
    // still a success.
    const auto noBreak = [&] {
        AppendText(kNoBreak, 0);
        return Succeed(result);
    };
    if (rows.CountAllKinds() == 0) {
        return noBreak();
    }
    if (GetArgumentValue(0).IsEmpty()) {
        if (FAILED(rows.Remove(kAllRows))) {
            return noBreak();
        }
        NotifyBreakChanged();
        return Succeed(result);
    }
    DWORD address = 0;
    if (!TakeAddress(address, result)) {
        return 0;
    }
    const auto found = rows.Find(address);
    if (!found || FAILED(rows.Remove(static_cast<LONG>(*found)))) {
        return noBreak();
    }
    NotifyBreakChanged();
    return Succeed(result);
}

// --- breakpoint_enable ----------------------------------------------------------

CCmdBreakpointEnable::CCmdBreakpointEnable(IHostServiceProvider* host)
    : CCmdEmulator(2, host, "breakpoint_enable", "be") {
    RegisterSyntax({res_id::kSyntaxBreakpointEnable});
}

CCmdBreakpointEnable::~CCmdBreakpointEnable() {
    UnregisterSyntax();
}

void CCmdBreakpointEnable::DefineArguments() {
    m_mode = std::make_unique<CArgKeyword>(1, kModeKeywords, kEnableIndex);
}

void CCmdBreakpointEnable::DeleteArguments() {
    m_mode.reset();
}

DWORD CCmdBreakpointEnable::Run(const CString& line, CString& result) {
    if (!StartChange(line, result)) {
        return 0;
    }
    CPcBreakRows rows;
    if (rows.CountAllKinds() == 0) {
        AppendText(kNoBreak, 0);
        return Fail(result);
    }
    if (GetArgumentValue(0).IsEmpty()) {
        return FailWith(TE_INVALID_PARAMETER, result);
    }
    DWORD address = 0;
    if (!TakeAddress(address, result)) {
        return 0;
    }
    if (m_mode == nullptr) {
        // Outside DefineArguments and DeleteArguments there is no mode to read.
        return FailWith(TE_INVALID_PARAMETER, result);
    }
    if (FAILED(ParseOneArgument(GetArgumentValue(GetConsumedWords()), *m_mode))) {
        return FailArgument(*m_mode, kModeName, kKeyword, result);
    }
    const WORD enable = m_mode->GetIndex() == kEnableIndex ? 1 : 0;
    const auto found = rows.Find(address);
    if (!found || FAILED(rows.Enable(*found, enable))) {
        AppendText(kNoBreak, 0);
        return Fail(result);
    }
    NotifyBreakChanged();
    return Succeed(result);
}
