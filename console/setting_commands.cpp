#include "console/setting_commands.h"

#include "events/target_event_vk3.h"
#include "frame/error_codes.h"
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "config/target_config.h"
#include "target/target_vk3.h"

namespace {

constexpr LONG kFirstKeyword = 0;
// The CPU types without an NMI mode or a break-condition mode of their own.
constexpr const char* kCpuTypesWithoutModes[] = {"Pz6/300L", "Vk31X"};

void WriteBreakModeValues(const BreakModeValues& values) {
    SetBreakModeSettings(values.mode, values.value2, values.value3, values.value4, values.value5);
}

// Lets the keyword take the word at the consumed-word position; false when
// it refuses it.
bool TakeKeyword(CCmdEmulator& command, CArgKeyword& keyword) {
    const CString& word = command.GetArgumentValue(command.GetConsumedWords());
    return SUCCEEDED(command.ParseOneArgument(word, keyword));
}

bool HasOwnModes() {
    for (const char* cpuType : kCpuTypesWithoutModes) {
        if (g_deviceValues.cpuType == cpuType) {
            return false;
        }
    }
    return true;
}

}  // namespace

// --- go_option ------------------------------------------------------------------

CCmdGoOption::CCmdGoOption(IHostServiceProvider* host) : CCmdEmulator(2, host, "go_option", "gp") {
    RegisterSyntax({res_id::kSyntaxGoOption});
}

void CCmdGoOption::DefineArguments() {
    m_option = std::make_unique<CArgKeyword>(1, "eml_mode\0", kFirstKeyword);
    m_mode = std::make_unique<CArgKeyword>(1, "normal\0no_break\0", kFirstKeyword);
}

void CCmdGoOption::DeleteArguments() {
    m_option.reset();
    m_mode.reset();
}

DWORD CCmdGoOption::Run(const CString& line, CString& result) {
    if (!StartChange(line, result)) {
        return 0;
    }
    BreakModeValues settings = GetBreakModeValues();
    if (GetArgumentValue(0).IsEmpty()) {
        AppendText(CString("Emulator execution mode = ") + GetBreakModeName().c_str() + "\n", 0);
        return Succeed(result);
    }
    if (m_option == nullptr || m_mode == nullptr) {
        return FailWith(TE_INVALID_PARAMETER, result);
    }
    if (!TakeKeyword(*this, *m_option)) {
        return FailArgument(*m_option, "eml_opt", kKeyword, result);
    }
    if (!TakeKeyword(*this, *m_mode)) {
        return FailArgument(*m_mode, "eml_mode", kKeyword, result);
    }
    const auto mode = static_cast<DWORD>(m_mode->GetIndex());
    if (mode != settings.mode) {
        settings.mode = mode;
        WriteBreakModeValues(settings);
    }
    MarkSessionModified();
    return Succeed(result);
}

// --- step_interrupt -------------------------------------------------------------

CCmdStepInterrupt::CCmdStepInterrupt(IHostServiceProvider* host) : CCmdEmulator(1, host, "step_interrupt", "si") {
    RegisterSyntax({res_id::kSyntaxStepInterrupt});
}

void CCmdStepInterrupt::DefineArguments() {
    m_mode = std::make_unique<CArgKeyword>(1, "disable\0", kFirstKeyword);
}

void CCmdStepInterrupt::DeleteArguments() {
    m_mode.reset();
}

DWORD CCmdStepInterrupt::Run(const CString& line, CString& result) {
    if (!StartChange(line, result)) {
        return 0;
    }
    DWORD option = 0;
    GetStepInterruptMode(&option);
    if (GetArgumentValue(0).IsEmpty()) {
        AppendText(CString("Emulator step interrupt mode = ") + ((option & 1) == 0 ? "disable" : "enable") + "\n", 0);
        return Succeed(result);
    }
    if (m_mode == nullptr) {
        return FailWith(TE_INVALID_PARAMETER, result);
    }
    if (!TakeKeyword(*this, *m_mode)) {
        return FailArgument(*m_mode, "mode", kKeyword, result);
    }
    const auto value = static_cast<DWORD>(m_mode->GetIndex());  // "disable", 0: the one value offered
    if (value != option) {
        SetStepInterruptMode(value);
    }
    MarkSessionModified();
    return Succeed(result);
}

// --- halt_option ----------------------------------------------------------------

CCmdHaltOption::CCmdHaltOption(IHostServiceProvider* host) : CCmdEmulator(1, host, "halt_option", "ho") {}

void CCmdHaltOption::DefineArguments() {
    m_mode = std::make_unique<CArgKeyword>(1, "xpdi\0dorsk\0", kFirstKeyword);
}

void CCmdHaltOption::DeleteArguments() {
    m_mode.reset();
}

DWORD CCmdHaltOption::Run(const CString& line, CString& result) {
    if (!StartChange(line, result)) {
        return 0;
    }
    DWORD option = 0;
    GetHaltOption(&option);
    if (GetArgumentValue(0).IsEmpty()) {
        AppendText(CString("Halt option = ") + ((option & 1) == 0 ? "X-PDI" : "DORSK") + "\n", 0);
        return Succeed(result);
    }
    if (m_mode == nullptr) {
        return FailWith(TE_INVALID_PARAMETER, result);
    }
    if (!TakeKeyword(*this, *m_mode)) {
        return FailArgument(*m_mode, "halt_opt", kKeyword, result);
    }
    const auto value = static_cast<DWORD>(m_mode->GetIndex());
    if (value != option) {
        SetHaltOption(value);
    }
    return Succeed(result);
}

// --- breakcondition_mode -------------------------------------------------------

CCmdBreakConditionMode::CCmdBreakConditionMode(IHostServiceProvider* host)
    : CCmdEmulator(1, host, "breakcondition_mode", "bcm") {}

void CCmdBreakConditionMode::DefineArguments() {
    m_mode = std::make_unique<CArgKeyword>(1, "eml\0user\0", kFirstKeyword);
}

void CCmdBreakConditionMode::DeleteArguments() {
    m_mode.reset();
}

DWORD CCmdBreakConditionMode::Run(const CString& line, CString& result) {
    if (!CheckStart(ParseArguments(line), HasOwnModes() && !IsTargetProgramRunning(), result)) {
        return 0;
    }
    BreakModeValues settings = GetBreakModeValues();
    if (GetArgumentValue(0).IsEmpty()) {
        AppendText(CString("Breakcondition_mode = ") + (settings.value5 == 0 ? "eml" : "user") + "\n", 0);
        return Succeed(result);
    }
    if (m_mode == nullptr) {
        return FailWith(TE_INVALID_PARAMETER, result);
    }
    if (!TakeKeyword(*this, *m_mode)) {
        return FailArgument(*m_mode, "Breakcondition_mode", kKeyword, result);
    }
    const auto mode = static_cast<DWORD>(m_mode->GetIndex());
    if (mode != settings.value5) {
        if (mode == 1) {
            if (CTargetVk3* target = GetTarget(); target != nullptr && target->GetEventHandler() != nullptr) {
                static_cast<void>(target->GetEventHandler()->ResetChannelsOnModeChange(1));  // answers 0
            }
        }
        settings.value5 = mode;
        WriteBreakModeValues(settings);
    }
    MarkSessionModified();
    return Succeed(result);
}

// --- nmi_mode -------------------------------------------------------------------

CCmdNmiMode::CCmdNmiMode(IHostServiceProvider* host) : CCmdEmulator(1, host, "nmi_mode", "nm") {}

void CCmdNmiMode::DefineArguments() {
    m_mode = std::make_unique<CArgKeyword>(1, "eml\0user\0", kFirstKeyword);
}

void CCmdNmiMode::DeleteArguments() {
    m_mode.reset();
}

DWORD CCmdNmiMode::Run(const CString& line, CString& result) {
    if (!CheckStart(ParseArguments(line), HasOwnModes() && !IsTargetProgramRunning(), result)) {
        return 0;
    }
    BreakModeValues settings = GetBreakModeValues();
    if (GetArgumentValue(0).IsEmpty()) {
        // Any mode but 0 acts as user.
        AppendText(CString("NMI mode = ") + (settings.value4 == 0 ? "eml" : "user") + "\n", 0);
        return Succeed(result);
    }
    if (m_mode == nullptr) {
        return FailWith(TE_INVALID_PARAMETER, result);
    }
    if (!TakeKeyword(*this, *m_mode)) {
        return FailArgument(*m_mode, "nmi_mode", kKeyword, result);
    }
    const auto mode = static_cast<DWORD>(m_mode->GetIndex());
    if (mode != settings.value4 && mode == 1) {
        // The user's NMI takes the break-condition channels: they are freed.
        if (CTargetVk3* target = GetTarget(); target != nullptr && target->GetEventHandler() != nullptr) {
            static_cast<void>(target->GetEventHandler()->ResetChannelsOnNmiModeChange(1));  // answers 0
        }
    }
    if (mode != settings.value4) {
        settings.value4 = mode;
        WriteBreakModeValues(settings);
    }
    return Succeed(result);
}
