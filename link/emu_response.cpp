#include "link/emu_response.h"

#include "link/monitor_data.h"
#include "link/monitor_services.h"
#include "config/settings_files.h"

#include "platform/ui.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <string_view>

CEmuResponse* g_emuResponse = nullptr;

namespace {

constexpr std::string_view kMarker = "*** ";
// The colon's place after the marker's first asterisk.
constexpr std::size_t kColonOffset = 6;
constexpr std::string_view kNotAnError = " *** 48";
// The error texts shown to the user, compared over this many characters.
constexpr std::size_t kShownTextLength = 27;
constexpr std::string_view kShownTexts[] = {"Communication timeout error", "JTAG connector disconnected"};
// Marks in a text reply that say the target has stopped.
constexpr std::string_view kStoppedMarks[] = {"SR=",  "GBR=", "RS=",    "R0-7",  "R8-15", "DSR=",    "A0G=",
                                              "A1G=", "I-TIME=", "MAX=", "MIN=", "AVE=", "RUN-TIME="};
constexpr std::string_view kRunningMarks[] = {"** PC =", "** RUNNING"};
constexpr std::string_view kNoErrorTexts[] = {"TRACE CONDITION RESET", "NO TRACE INFORMATION"};

// The record's payload as a NUL-terminated copy of its length bytes, read up
// to its first NUL.
class CReplyText {
public:
    explicit CReplyText(const CEmuReply& record) {
        const std::size_t length = std::min<std::size_t>(record.length, record.payload.size());
        m_copy.assign(record.payload.begin(), record.payload.begin() + static_cast<std::ptrdiff_t>(length));
        m_copy.push_back('\0');
    }
    std::string_view Text() const { return std::string_view(m_copy.c_str()); }
    // The copy, with its terminating NUL.
    std::string_view Bytes() const { return std::string_view(m_copy.data(), m_copy.size()); }
    // Where the marker with its colon starts, or npos.
    std::size_t Marker() const {
        const std::string_view text = Text();
        const std::size_t at = text.find(kMarker);
        if (at == std::string_view::npos || at + kColonOffset >= text.size() || text[at + kColonOffset] != ':') {
            return std::string_view::npos;
        }
        return at;
    }

private:
    std::string m_copy;
};

bool ServesOutput(const CEmuReply* record) {
    return record != nullptr && (record->replyClass == kReplyText || record->replyClass == kReplyData);
}

bool ServesError(const CEmuReply* record) {
    return record != nullptr && record->replyClass == kReplyText;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

bool Contains(std::string_view text, std::string_view mark) {
    return text.find(mark) != std::string_view::npos;
}

// A header length, never more than the payload can hold.
std::size_t Capped(DWORD length) {
    return std::min<std::size_t>(length, kMonitorPayloadCapacity);
}

}  // namespace

CEmuResponse::CEmuResponse() {
    g_monitorData.SetWord(0, 0);
}

int CEmuResponse::CheckError(EmuReplyPtr& record) {
    if (m_runStatus == kRunning && MonitorCheckStopped(0) != 0) {
        return 1;
    }
    return Poll(record);
}

int CEmuResponse::Poll(EmuReplyPtr& record) {
    record = FetchReply();
    return record != nullptr ? ReportError(*record) : 0;
}

EmuReplyPtr CEmuResponse::FetchReply() {
    if (g_monitorReplyState != kMonitorReplyPending) {
        return nullptr;
    }
    const CMonitorDataBuffer& buffer = g_monitorData;
    const DWORD type = buffer.Word(0);
    const auto payload = buffer.Payload();
    auto record = std::make_unique<CEmuReply>();
    if (type == kMonitorReplyData) {
        const std::size_t length = Capped(buffer.Word(2) & 0xFFFF);
        record->replyClass = kReplyData;
        record->firstValue = buffer.Word(1);
        record->length = static_cast<DWORD>(length);
        record->statusCode = buffer.Word(7);
        record->addressValue = buffer.Word(6);
        record->payload.assign(payload.begin(), payload.begin() + static_cast<std::ptrdiff_t>(length));
    } else if (type == kMonitorReplyStatus) {
        const std::size_t length = Capped(buffer.Word(4));
        record->replyClass = kReplyStatus;
        record->firstValue = buffer.Word(1);
        record->length = static_cast<DWORD>(length);
        record->secondValue = buffer.Word(2);
        record->thirdValue = buffer.Word(3);
        record->statusCode = buffer.Word(7);
        record->addressValue = buffer.Word(6);
        record->payload.assign(length, ' ');
    } else {
        const std::size_t length = Capped(buffer.Word(1));
        record->replyClass = kReplyText;
        record->length = static_cast<DWORD>(length);
        record->payload.assign(payload.begin(), payload.begin() + static_cast<std::ptrdiff_t>(length));
        record->payload.push_back(0);
        record->textMark = 1;
    }
    g_monitorData.SetWord(7, 0);
    g_monitorData.SetWord(1, 0);
    g_monitorReplyState = 0;
    return record;
}

void CEmuResponse::UpdateRunStatus(const CEmuReply& record) {
    const CReplyText copy(record);
    const std::string_view text = copy.Text();
    if (text.empty()) {
        return;
    }
    if (std::any_of(std::begin(kStoppedMarks), std::end(kStoppedMarks),
                    [&](std::string_view mark) { return Contains(text, mark); })) {
        m_runStatus = kStopped;
    }
    if (text.ends_with(" ? ")) {
        m_runStatus = kStopped;
    }
    // A running mark wins over a stopped mark in the same text.
    if (std::any_of(std::begin(kRunningMarks), std::end(kRunningMarks),
                    [&](std::string_view mark) { return Contains(text, mark); })) {
        m_runStatus = kRunning;
    }
}

int CEmuResponse::ReportError(const CEmuReply& record) {
    if (record.replyClass == kReplyText) {
        UpdateRunStatus(record);
        const CReplyText copy(record);
        DWORD number = 0;
        if (copy.Text().starts_with(kNotAnError) || GetErrorNumber(&record, &number) != 0 || number == 0) {
            return 0;
        }
        DWORD length = 0;
        if (GetErrorTextLength(&record, &length) == 0) {
            std::string errorText(length, '\0');
            if (GetErrorText(&record, errorText) == 0) {
                const std::string_view shown(errorText.c_str());
                for (const std::string_view text : kShownTexts) {
                    if (shown.substr(0, kShownTextLength) == text.substr(0, kShownTextLength)) {
                        ShowTargetError(errorText.c_str(), MB_OK);
                        break;
                    }
                }
            }
        }
        return 1;
    }
    if (record.replyClass == kReplyData || record.replyClass == kReplyStatus) {
        if (record.statusCode == kVerifyError) {
            ShowTargetError("*** 44:Verify error", MB_OK);
        } else if (record.statusCode == kTlbError) {
            char text[40];
            std::snprintf(text, sizeof(text), "TLB Error  TEA=H'%08X", static_cast<unsigned>(record.addressValue));
            ShowTargetError(text, MB_OK);
        }
    }
    return 0;
}

int CEmuResponse::GetOutputLength(const CEmuReply* record, DWORD* length) {
    if (!ServesOutput(record)) {
        return 1;
    }
    const CReplyText copy(*record);
    const std::size_t marker = copy.Marker();
    if (marker == 0) {
        return 1;
    }
    *length = marker != std::string_view::npos ? static_cast<DWORD>(marker + 1)
                                               : static_cast<DWORD>(copy.Bytes().size());
    return 0;
}

int CEmuResponse::GetOutputText(const CEmuReply* record, std::span<char> buffer) {
    DWORD length = 0;
    if (GetOutputLength(record, &length) != 0 || buffer.size() < length) {
        return 1;
    }
    const CReplyText copy(*record);
    std::copy_n(copy.Bytes().begin(), length, buffer.begin());
    buffer[length - 1] = '\0';
    return 0;
}

int CEmuResponse::GetErrorNumber(const CEmuReply* record, DWORD* number) {
    if (!ServesError(record)) {
        return 1;
    }
    const CReplyText copy(*record);
    const std::string_view text = copy.Text();
    const std::size_t marker = copy.Marker();
    *number = 0;
    if (marker == std::string_view::npos ||
        std::any_of(std::begin(kNoErrorTexts), std::end(kNoErrorTexts),
                    [&](std::string_view mark) { return Contains(text, mark); })) {
        return 0;
    }
    const int high = HexDigit(text[marker + kMarker.size()]);
    const int low = HexDigit(text[marker + kMarker.size() + 1]);
    if (high >= 0 && low >= 0) {
        *number = static_cast<DWORD>(high * 16 + low);
    }
    return 0;
}

int CEmuResponse::GetErrorTextLength(const CEmuReply* record, DWORD* length) {
    if (!ServesError(record)) {
        return 1;
    }
    const CReplyText copy(*record);
    const std::size_t marker = copy.Marker();
    if (marker == std::string_view::npos) {
        return 1;
    }
    *length = static_cast<DWORD>(copy.Text().size() - (marker + kColonOffset + 1) + 1);
    return 0;
}

int CEmuResponse::GetErrorText(const CEmuReply* record, std::span<char> buffer) {
    DWORD length = 0;
    if (GetErrorTextLength(record, &length) != 0 || buffer.size() < length) {
        return 1;
    }
    const CReplyText copy(*record);
    const std::string_view after = copy.Text().substr(copy.Marker() + kColonOffset + 1);
    std::copy(after.begin(), after.end(), buffer.begin());
    buffer[after.size()] = '\0';
    return 0;
}
