// The replies that arrive while a run goes on or ends: an emulator error
// ends the run with its text in a message box, "BREAK !" ends it silently,
// a stop report sets the stop-cause text and refreshes the host's
// registers; a step out ends once a return was stepped. Every scan works on
// the reply text and its length, never past its end.
#include "target/target_exec_vk3.h"

#include "monitor/run_state_monitor.h"
#include "target/run_time_text.h"
#include "config/settings_files.h"

#include <algorithm>
#include <vector>

namespace exec_reply {

namespace {

constexpr std::string_view kStopCauseMark = "+++:";
constexpr std::string_view kBreakText = "BREAK !";
constexpr std::string_view kStatusMark = "** ";
constexpr std::size_t kMaxStopCause = 79;

}  // namespace

bool FindStopCause(std::string_view text, std::string& cause) {
    if (text.size() < kStopCauseMark.size()) {
        return false;
    }
    const std::size_t at = text.find(kStopCauseMark);
    if (at == std::string_view::npos) {
        return false;
    }
    std::string_view rest = text.substr(at + kStopCauseMark.size());
    rest = rest.substr(0, std::min(rest.find('\r'), kMaxStopCause));
    cause.assign(rest);
    return true;
}

bool IsBreakText(std::string_view text) {
    return text.find(kBreakText) != std::string_view::npos;
}

StepOutMark FindStepOutMark(std::string_view text) {
    struct Mark {
        std::string_view text;
        StepOutMark kind;
    };
    static constexpr Mark kMarks[] = {{"REIT", StepOutMark::Return},
                                      {"EXITD", StepOutMark::Return},
                                      {"RTS", StepOutMark::Return},
                                      {"+++", StepOutMark::StopLine}};
    std::size_t first = std::string_view::npos;
    StepOutMark found = StepOutMark::None;
    for (const Mark& mark : kMarks) {
        const std::size_t at = text.find(mark.text);
        if (at < first) {
            first = at;
            found = mark.kind;
        }
    }
    return found;
}

bool FindStatusLine(std::string_view text, std::string& line) {
    if (text.size() <= 2) {
        return false;
    }
    const std::size_t at = text.find(kStatusMark);
    if (at == std::string_view::npos) {
        return false;
    }
    const std::string_view rest = text.substr(at);
    line.assign(rest.substr(0, rest.find_first_of("\b\r\n")));
    return true;
}

}  // namespace exec_reply

namespace {

constexpr WORD kStopped = CEmuResponse::kStopped;

// The reply's output text (before any error marker), empty without one.
std::string OutputText(const CEmuReply& record) {
    DWORD length = 0;
    if (CEmuResponse::GetOutputLength(&record, &length) != 0 || length == 0) {
        return {};
    }
    std::vector<char> buffer(length);
    if (CEmuResponse::GetOutputText(&record, buffer) != 0) {
        return {};
    }
    return std::string(buffer.data());
}

DWORD ErrorNumber(const CEmuReply& record) {
    DWORD number = 0;
    return CEmuResponse::GetErrorNumber(&record, &number) == 0 ? number : 0;
}

WORD RunStatus() {
    return g_emuResponse != nullptr ? g_emuResponse->RunStatus() : kStopped;
}

}  // namespace

bool CTargetExecVk3::StoppedByReset() {
    return g_runStateMonitor != nullptr && g_runStateMonitor->StopCauses()[0] == stop_cause::kTargetReset;
}

void CTargetExecVk3::ProcessReply(const CEmuReply& record) {
    if (RunStatus() != kStopped) {
        if (ErrorNumber(record) != 0) {
            DWORD length = 0;
            if (CEmuResponse::GetErrorTextLength(&record, &length) != 0 || length == 0) {
                return;
            }
            std::vector<char> text(length);
            if (CEmuResponse::GetErrorText(&record, text) != 0) {
                return;
            }
            if (g_emuResponse != nullptr) {
                g_emuResponse->SetRunStatus(kStopped);
            }
            m_request[0] = exec_request::kStop;
            ShowTargetError(text.data(), MB_OK);
            return;
        }
        std::string line;
        if (exec_reply::FindStatusLine(OutputText(record), line)) {
            std::lock_guard lock(m_textMutex);
            m_stopCauseText = line;
        }
    }
    if (RunStatus() != kStopped) {
        return;
    }
    if (ErrorNumber(record) != 0) {
        m_request[0] = exec_request::kStop;
        StoreRegistersToHost();
        return;
    }
    if (m_request[0] == exec_request::kStepOut) {
        ProcessStepOutReply(record);
        return;
    }
    const std::string text = OutputText(record);
    if (exec_reply::IsBreakText(text)) {
        m_request[0] = exec_request::kStop;
        return;
    }
    SetStopCauseText(text);
    m_request[0] = exec_request::kStop;
    StoreRegistersToHost();
}

void CTargetExecVk3::ProcessStepOutReply(const CEmuReply& record) {
    const std::string text = OutputText(record);
    if (text.size() < 3) {
        return;
    }
    if (exec_reply::IsBreakText(text)) {
        m_request[0] = exec_request::kStop;
    }
    if (m_stepEnd == 0) {
        // A host without a disassembler names no return in the report: the
        // step out also ends after a return known by its opcode, and at a
        // target reset, which leaves no routine to step out of.
        const exec_reply::StepOutMark mark = exec_reply::FindStepOutMark(text);
        if (mark == exec_reply::StepOutMark::Return || m_steppingReturn || StoppedByReset()) {
            m_stepEnd = 1;
            SetStopCauseText(text);
            m_request[0] = exec_request::kStop;
            StoreRegistersToHost();
        } else if (mark == exec_reply::StepOutMark::StopLine) {
            StoreRegistersToHost();
        }
        return;
    }
    StoreRegistersToHost();
    SetStopCauseText(text);
    m_request[0] = exec_request::kStop;
}

void CTargetExecVk3::SetStopCauseText(std::string_view text) {
    std::string cause;
    if (exec_reply::FindStopCause(text, cause)) {
        std::lock_guard lock(m_textMutex);
        m_stopCauseText = cause;
    }
}

std::string CTargetExecVk3::GetRunTimeText() {
    std::lock_guard lock(m_textMutex);
    m_runTimeText = FormatRunTime();
    return m_runTimeText;
}
