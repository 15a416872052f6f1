// CEmuResponse: the reply decoder and the emulator's run status word. The
// monitor layer leaves the answer to each emulator command in the monitor
// data buffer and marks it pending; the decoder turns that answer into a
// reply record, keeps the run status word up to date from reply texts,
// decodes the error texts that carry the marker "*** NN:" and shows the
// errors the user must see. One instance, g_emuResponse, made by the driver
// interface and freed by its cleanup.
#pragma once

#include "platform/wintypes.h"

#include <atomic>
#include <memory>
#include <span>
#include <vector>

// Reply record classes.
inline constexpr DWORD kReplyText = 0x8000;
inline constexpr DWORD kReplyData = 0x8001;
inline constexpr DWORD kReplyStatus = 0x8002;

// One fetched reply. Text replies keep their text NUL-terminated in the
// payload (length counts the text only); data replies a copy of the data;
// status replies a block of length blanks.
struct CEmuReply {
    DWORD replyClass = 0;
    DWORD firstValue = 0;
    DWORD length = 0;
    DWORD secondValue = 0;
    DWORD thirdValue = 0;
    DWORD statusCode = 0;
    std::vector<BYTE> payload;
    DWORD textMark = 0;
    DWORD addressValue = 0;
};
using EmuReplyPtr = std::unique_ptr<CEmuReply>;

class CEmuResponse {
public:
    static constexpr WORD kStopped = 1;
    static constexpr WORD kRunning = 2;
    // Firmware status codes the decoder shows.
    static constexpr DWORD kVerifyError = 0x4254;
    static constexpr DWORD kTlbError = 0x5445;

    // Run status 1; the monitor data buffer's type word cleared.
    CEmuResponse();

    WORD RunStatus() const { return m_runStatus; }
    void SetRunStatus(WORD status) { m_runStatus = status; }

    // After an emulator command: while the target runs, asks the run-state
    // monitor whether it stopped (a failure answers 1 and leaves the record
    // untouched); then fetches a pending reply into record and reports it.
    // Answers 1 for an error reply, else 0; record is null when nothing was
    // pending.
    int CheckError(EmuReplyPtr& record);
    // CheckError without the stop check.
    int Poll(EmuReplyPtr& record);
    // The pending reply as a record (null when nothing is pending); the
    // buffer is no longer pending afterwards.
    EmuReplyPtr FetchReply();
    // Updates the run status from a text reply and shows the errors the user
    // must see; 1 when a text reply carries an error number.
    int ReportError(const CEmuReply& record);

    // Text accessors: 0 on success, 1 for no record or a class they do not
    // serve. Each works on the payload up to its first NUL.
    // Classes 0x8000 and 0x8001: the size of the text before the error
    // marker plus one (the whole text plus one without a marker); fails when
    // the marker starts the text.
    static int GetOutputLength(const CEmuReply* record, DWORD* length);
    // That many bytes of the payload, the last replaced by NUL; fails when
    // the buffer is smaller.
    static int GetOutputText(const CEmuReply* record, std::span<char> buffer);
    // Class 0x8000: the marker's error number (0 without a marker or for the
    // trace texts that are no errors).
    static int GetErrorNumber(const CEmuReply* record, DWORD* number);
    // Class 0x8000: the characters after the marker's ':' plus one; fails
    // without a marker.
    static int GetErrorTextLength(const CEmuReply* record, DWORD* length);
    // The characters after the marker's ':' and a NUL; fails when the buffer
    // is smaller.
    static int GetErrorText(const CEmuReply* record, std::span<char> buffer);

private:
    void UpdateRunStatus(const CEmuReply& record);

    std::atomic<WORD> m_runStatus{kStopped};
};

extern CEmuResponse* g_emuResponse;
