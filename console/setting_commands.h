// The commands that show or change a run option of the target
// configuration: "go_option" ("gp"), "step_interrupt" ("si"),
// "breakcondition_mode" ("bcm"), and the two that no list makes,
// "halt_option" ("ho") and "nmi_mode" ("nm"). Each
// refuses while the target program runs; without a word it shows the
// option, with one it sets it from its keyword.
#pragma once

#include "console/cmd_emulator.h"

#include <memory>

// "gp [eml_mode <normal|no_break>]": the break mode. Its syntax text stays
// with the host after the command goes.
class CCmdGoOption : public CCmdEmulator {
public:
    explicit CCmdGoOption(IHostServiceProvider* host);
    DWORD Run(const CString& line, CString& result) override;
    void DefineArguments() override;
    void DeleteArguments() override;

private:
    std::unique_ptr<CArgKeyword> m_option;
    std::unique_ptr<CArgKeyword> m_mode;
};

// "si [disable]": the step interrupt; the console can switch it off only.
// Its syntax text stays with the host after the command goes.
class CCmdStepInterrupt : public CCmdEmulator {
public:
    explicit CCmdStepInterrupt(IHostServiceProvider* host);
    DWORD Run(const CString& line, CString& result) override;
    void DefineArguments() override;
    void DeleteArguments() override;

private:
    std::unique_ptr<CArgKeyword> m_mode;
};

// "ho [xpdi|dorsk]": the halt option word. Registers no syntax text.
class CCmdHaltOption : public CCmdEmulator {
public:
    explicit CCmdHaltOption(IHostServiceProvider* host);
    DWORD Run(const CString& line, CString& result) override;
    void DefineArguments() override;
    void DeleteArguments() override;

private:
    std::unique_ptr<CArgKeyword> m_mode;
};

// "bcm [eml|user]": the break-condition mode, for the CPU types that have
// one; "user" hands the break-condition channels to the user's program, so a
// change to it clears them. Registers no syntax text.
class CCmdBreakConditionMode : public CCmdEmulator {
public:
    explicit CCmdBreakConditionMode(IHostServiceProvider* host);
    DWORD Run(const CString& line, CString& result) override;
    void DefineArguments() override;
    void DeleteArguments() override;

private:
    std::unique_ptr<CArgKeyword> m_mode;
};

// "nm [eml|user]": the NMI mode, for the CPU types that have one. Registers
// no syntax text.
class CCmdNmiMode : public CCmdEmulator {
public:
    explicit CCmdNmiMode(IHostServiceProvider* host);
    DWORD Run(const CString& line, CString& result) override;
    void DefineArguments() override;
    void DeleteArguments() override;

private:
    std::unique_ptr<CArgKeyword> m_mode;
};
