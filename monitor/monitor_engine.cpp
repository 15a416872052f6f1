#include "monitor/monitor_engine.h"

#include "link/emu_response.h"
#include "link/emulator_link.h"
#include "link/firm_command.h"
#include "link/link_results.h"
#include "link/link_state.h"
#include "link/monitor_data.h"
#include "monitor/monitor_messages.h"
#include "monitor/monitor_output.h"
#include "link/monitor_run_state.h"
#include "link/monitor_services.h"
#include "config/settings_files.h"

#include "platform/ui.h"

#include <algorithm>
#include <new>

std::unique_ptr<CMonitorEngine> g_monitorEngine;

namespace {

using namespace link_result;

constexpr BYTE kGoPending = 0x80;
constexpr char kRunning[] = " ** RUNNING \n";
constexpr char kResetError[] = " ** ERROR\r\n";
constexpr std::size_t kPcIndex = 14;

// Makes a unit when it is missing; false when it cannot be made.
template <typename Unit>
bool MakeUnit(std::unique_ptr<Unit>& unit) {
    if (unit == nullptr) {
        unit.reset(new (std::nothrow) Unit);
    }
    return unit != nullptr;
}

}  // namespace

CMonitorEngine::CMonitorEngine() {
    // A unit that cannot be made leaves the engine unusable; the connect
    // procedure's own Open call reports it.
    static_cast<void>(Open());
    UpdateMonitorServices([this](MonitorServices& services) {
        InstallOwned(services.setPendingMessage, this, {[this](const char* text) { SetPendingMessage(text); }});
        InstallOwned(services.maskInterruptForStep, this,
                     {[this](bool on, DWORD address) { return MaskInterruptForReitStep(on ? 1 : 0, address); }});
    });
}

CMonitorEngine::~CMonitorEngine() {
    UpdateMonitorServices([this](MonitorServices& services) {
        RemoveOwned(services.setPendingMessage, this);
        RemoveOwned(services.maskInterruptForStep, this);
    });
}

int CMonitorEngine::Open() {
    if (!MakeUnit(m_breakConditionUnit) || !MakeUnit(m_runUnit) || !MakeUnit(m_memoryUnit)) {
        return -1;
    }
    static_cast<void>(CFirmCommand().ResetFlashBlocks());  // answers 0xFFFFFFFF, which means nothing
    return 0;
}

void CMonitorEngine::ExecuteBreakConditionCommand(std::string_view text) {
    BeginMonitorCommand();
    const char digit = text.size() > 2 ? text[2] : '\0';
    const int channel = digit >= '1' && digit <= '8' ? digit - '0' : 0;
    if (m_breakConditionUnit != nullptr) {
        m_breakConditionUnit->BreakConditionCommand(channel, text.substr(std::min<std::size_t>(2, text.size())));
    }
    EndMonitorCommand();
}

WORD CMonitorEngine::RunTarget() {
    CFirmCommand command;
    BeginMonitorCommand();
    g_linkHold = kGoPending;
    WORD result = m_runUnit != nullptr ? m_runUnit->CheckBreakConditionMode() : kAborted;
    bool prepared = false;
    if (result == kOk && g_linkStopByte == 0) {
        result = m_runUnit->PrepareExecution();
        prepared = result == kOk;
    }
    GoRequestBlock& request = g_monitorRunState.goRequest;
    if (prepared && request.stepFirst != 0) {
        result = StepOrGoEngine(g_registerImage[kPcIndex]);
        if (result == 1) {
            // The first instruction was carried out here: prepare again from
            // where it left "PC", without a start address of its own.
            request.stepFirst = 0;
            const MonitorStartPair start = request.goStart;
            request.goStart = MonitorStartPair{};
            result = m_runUnit->PrepareExecution();
            request.goStart = start;
            request.stepFirst = 0;
            if (result == kOk) {
                result = command.WriteBackFlash();
            }
        }
    }
    if (prepared && result == kOk) {
        result = command.StartExecution(run_mode::kGo);
        if (result == kOk) {
            AppendMonitorText(kRunning);
        }
    }
    if (prepared && result != kOk) {
        // No run: the stopped program keeps its own bytes. One that cannot
        // go back is its own message.
        static_cast<void>(m_runUnit->RemoveBreakInstructions(-1));
    }
    if (result == kTimeout || result == kNotConnected) {
        FormatMonitorError(MapMonitorStatus(result, 1));
    }
    if (result != kOk && g_emuResponse != nullptr) {
        g_emuResponse->SetRunStatus(CEmuResponse::kStopped);
    }
    EndMonitorCommand();
    return result;
}

WORD CMonitorEngine::ResetMonitorCommand() {
    g_monitorOutputUsed = 0;
    const WORD result = g_emulatorLink != nullptr ? g_emulatorLink->ResetMonitor() : kTimeout;
    if (result != kOk) {
        AppendMonitorOutput(kResetError, static_cast<WORD>(sizeof(kResetError)));
    }
    EndMonitorCommand();
    return result;
}

void CMonitorEngine::BreakpointCommand(DWORD selector, DWORD address, char kindLetter, DWORD kindValue) {
    if (m_runUnit != nullptr) {
        m_runUnit->BreakpointCommand(selector, address, kindLetter, kindValue);
    }
}

void CMonitorEngine::SetPendingMessage(std::string_view text) {
    std::lock_guard lock(m_pendingMutex);
    m_pending[kKeptRangeCount] = std::string(text);
}

void CMonitorEngine::SetPendingMessage(KeptRangeIndex kind, std::string_view text) {
    std::lock_guard lock(m_pendingMutex);
    m_pending[std::min<std::size_t>(kind, kKeptRangeCount)] = std::string(text);
}

bool CMonitorEngine::HasPendingMessage() const {
    std::lock_guard lock(m_pendingMutex);
    return std::any_of(m_pending.begin(), m_pending.end(), [](const auto& text) { return text.has_value(); });
}

std::vector<std::string> CMonitorEngine::PendingMessages() const {
    std::lock_guard lock(m_pendingMutex);
    std::vector<std::string> texts;
    for (const auto& text : m_pending) {
        if (text) {
            texts.push_back(*text);
        }
    }
    return texts;
}

void CMonitorEngine::ShowPendingMessage() const {
    for (const std::string& text : PendingMessages()) {
        ShowTargetError(text.c_str(), MB_ICONEXCLAMATION);
    }
}

void CMonitorEngine::ClearPendingMessage() {
    std::lock_guard lock(m_pendingMutex);
    m_pending.fill(std::nullopt);
    m_keptRanges.fill(KeptRange{});
}
