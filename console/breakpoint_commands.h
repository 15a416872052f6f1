// The commands that set, clear and enable PC breakpoints: "breakpoint"
// ("bp"), "breakpoint_clear" ("bc") and "breakpoint_enable" ("be"). Each
// refuses while the target program runs, works on the break manager's PC
// breaks as the host's break list shows them, and tells the host when the
// breakpoints changed.
#pragma once

#include "console/cmd_emulator.h"

#include <memory>

// "bp <address>": a PC Stop break at the address.
class CCmdBreakpoint : public CCmdEmulator {
public:
    explicit CCmdBreakpoint(IHostServiceProvider* host);
    ~CCmdBreakpoint() override;
    DWORD Run(const CString& line, CString& result) override;
};

// "bc [<address>]": the PC break at the address, or every one.
class CCmdBreakpointClear : public CCmdEmulator {
public:
    explicit CCmdBreakpointClear(IHostServiceProvider* host);
    ~CCmdBreakpointClear() override;
    DWORD Run(const CString& line, CString& result) override;
};

// "be <address> <mode>": enables or disables the PC break at the address.
class CCmdBreakpointEnable : public CCmdEmulator {
public:
    explicit CCmdBreakpointEnable(IHostServiceProvider* host);
    ~CCmdBreakpointEnable() override;
    DWORD Run(const CString& line, CString& result) override;
    // The mode keyword ("enable", "disable") lives from here to
    // DeleteArguments.
    void DefineArguments() override;
    void DeleteArguments() override;

private:
    std::unique_ptr<CArgKeyword> m_mode;
};
