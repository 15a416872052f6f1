// The reply decoder: pending monitor replies become records, texts keep the
// run status word, error markers are decoded, and only the two connection
// texts and the two binary status codes reach the user.
#include "link/emu_response.h"
#include "link/monitor_data.h"
#include "link/monitor_services.h"
#include "tests/support/test_ui.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class ReplyDecoder : public ::testing::Test {
protected:
    void TearDown() override {
        SetMonitorServices({});
        g_monitorReplyState = 0;
    }

    // Leaves a reply in the monitor data buffer, pending.
    void PendingText(const std::string& text) {
        g_monitorData.SetWord(0, kMonitorReplyText);
        g_monitorData.SetWord(1, static_cast<DWORD>(text.size()));
        std::memcpy(g_monitorData.Payload().data(), text.data(), text.size());
        g_monitorReplyState = kMonitorReplyPending;
    }
    void PendingBinary(DWORD type, DWORD status, DWORD address, DWORD length) {
        g_monitorData.SetWord(0, type);
        g_monitorData.SetWord(1, 5);
        g_monitorData.SetWord(2, length);
        g_monitorData.SetWord(3, 9);
        g_monitorData.SetWord(4, length);
        g_monitorData.SetWord(6, address);
        g_monitorData.SetWord(7, status);
        g_monitorReplyState = kMonitorReplyPending;
    }
    std::vector<std::string> Shown() const {
        std::vector<std::string> texts;
        for (const auto& box : ui_.MessageBoxes()) {
            texts.push_back(box.text);
        }
        return texts;
    }
    static std::string OutputText(const CEmuReply* record) {
        DWORD length = 0;
        if (CEmuResponse::GetOutputLength(record, &length) != 0) {
            return "(fails)";
        }
        std::string text(length, '?');
        EXPECT_EQ(CEmuResponse::GetOutputText(record, text), 0);
        return text.c_str();
    }
    static std::string ErrorText(const CEmuReply* record) {
        DWORD length = 0;
        if (CEmuResponse::GetErrorTextLength(record, &length) != 0) {
            return "(fails)";
        }
        std::string text(length, '?');
        EXPECT_EQ(CEmuResponse::GetErrorText(record, text), 0);
        return text.c_str();
    }

    testsupport::TestUi ui_;
    CEmuResponse decoder_;
};

TEST_F(ReplyDecoder, AnErrorReplyIsDecodedFromItsMarker) {
    PendingText("abc*** 1A:123456789");
    EmuReplyPtr record;
    EXPECT_EQ(decoder_.CheckError(record), 1) << "an error number stops the caller";
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->replyClass, kReplyText);
    DWORD number = 0;
    EXPECT_EQ(CEmuResponse::GetErrorNumber(record.get(), &number), 0);
    EXPECT_EQ(number, 0x1Au);
    DWORD length = 0;
    EXPECT_EQ(CEmuResponse::GetOutputLength(record.get(), &length), 0);
    EXPECT_EQ(length, 4u);
    EXPECT_EQ(OutputText(record.get()), "abc");
    EXPECT_EQ(ErrorText(record.get()), "123456789");
    EXPECT_TRUE(Shown().empty()) << "other error texts are left to the caller";
    EXPECT_EQ(g_monitorReplyState, 0) << "a reply is handed out once";
    EXPECT_EQ(g_monitorData.Word(1), 0u);
}

TEST_F(ReplyDecoder, MarkersThatAreNoErrors) {
    struct Case {
        const char* text;
        DWORD number;
        const char* output;
        const char* error;
    };
    const Case cases[] = {
        {"plain text", 0, "plain text", "(fails)"},
        {"*** 44:Verify error", 0x44, "(fails)", "Verify error"},       // the marker starts the text
        {"xx*** 4G:text", 0, "xx", "text"},                              // no hexadecimal digits
        {"xx*** 44 text", 0, "xx*** 44 text", "(fails)"},                // no colon
        {"TRACE CONDITION RESET *** 12:x", 0, "TRACE CONDITION RESET ", "x"},
        {"NO TRACE INFORMATION *** 12:x", 0, "NO TRACE INFORMATION ", "x"},
        {"*** 1", 0, "*** 1", "(fails)"},                                // cut short
    };
    for (const Case& c : cases) {
        PendingText(c.text);
        EmuReplyPtr record = decoder_.FetchReply();
        ASSERT_NE(record, nullptr);
        DWORD number = 99;
        EXPECT_EQ(CEmuResponse::GetErrorNumber(record.get(), &number), 0) << c.text;
        EXPECT_EQ(number, c.number) << c.text;
        EXPECT_EQ(OutputText(record.get()), c.output) << c.text;
        EXPECT_EQ(ErrorText(record.get()), c.error) << c.text;
    }
    PendingText(" *** 48:Communication timeout error");
    EmuReplyPtr record;
    EXPECT_EQ(decoder_.CheckError(record), 0) << "\" *** 48\" is never an error";
    EXPECT_TRUE(Shown().empty());
}

TEST_F(ReplyDecoder, OnlyTheConnectionTextsAndTheTwoStatusCodesAreShown) {
    for (const char* text : {" *** 11:Communication timeout error", " *** 12:JTAG connector disconnected now",
                             " *** 13:Some other failure"}) {
        PendingText(text);
        EmuReplyPtr record;
        EXPECT_EQ(decoder_.CheckError(record), 1) << text;
    }
    PendingBinary(kMonitorReplyStatus, CEmuResponse::kVerifyError, 0, 4);
    EmuReplyPtr record;
    EXPECT_EQ(decoder_.Poll(record), 0);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->replyClass, kReplyStatus);
    EXPECT_EQ(record->payload, std::vector<BYTE>(4, ' '));
    EXPECT_EQ(record->secondValue, 4u);
    EXPECT_EQ(record->thirdValue, 9u);
    PendingBinary(kMonitorReplyData, CEmuResponse::kTlbError, 0xABCDE, 2);
    EXPECT_EQ(decoder_.Poll(record), 0);
    EXPECT_EQ(record->replyClass, kReplyData);
    EXPECT_EQ(record->addressValue, 0xABCDEu);
    PendingBinary(kMonitorReplyData, 0x1234, 0, 2);
    EXPECT_EQ(decoder_.Poll(record), 0);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"Communication timeout error", "JTAG connector disconnected now",
                                                 "*** 44:Verify error", "TLB Error  TEA=H'000ABCDE"}));
}

TEST_F(ReplyDecoder, TheRunStatusWordFollowsTheReplyTexts) {
    EXPECT_EQ(decoder_.RunStatus(), CEmuResponse::kStopped);
    struct Case {
        const char* text;
        WORD before;
        WORD after;
    };
    const Case cases[] = {
        {"** RUNNING", CEmuResponse::kStopped, CEmuResponse::kRunning},
        {"PC=00C000 SR=0000", CEmuResponse::kRunning, CEmuResponse::kStopped},
        {"** PC = 00C010 ** RUNNING SR=", CEmuResponse::kStopped, CEmuResponse::kRunning},  // running wins
        {"Continue ? ", CEmuResponse::kRunning, CEmuResponse::kStopped},
        {"", CEmuResponse::kRunning, CEmuResponse::kRunning},
        {"RUN-TIME=12", CEmuResponse::kRunning, CEmuResponse::kStopped},
    };
    for (const Case& c : cases) {
        decoder_.SetRunStatus(c.before);
        PendingText(c.text);
        EmuReplyPtr record;
        decoder_.Poll(record);
        EXPECT_EQ(decoder_.RunStatus(), c.after) << c.text;
    }
    PendingBinary(kMonitorReplyData, 0, 0, 0);
    decoder_.SetRunStatus(CEmuResponse::kRunning);
    EmuReplyPtr record;
    decoder_.Poll(record);
    EXPECT_EQ(decoder_.RunStatus(), CEmuResponse::kRunning) << "binary replies leave it alone";
}

TEST_F(ReplyDecoder, WhileRunningTheStopCheckComesFirst) {
    WORD answer = 0x5346;
    int checks = 0;
    MonitorServices services;
    services.checkStopped = [&](DWORD argument) {
        EXPECT_EQ(argument, 0u);
        ++checks;
        return answer;
    };
    SetMonitorServices(services);
    decoder_.SetRunStatus(CEmuResponse::kRunning);
    PendingText("SR=0000");
    EmuReplyPtr record = std::make_unique<CEmuReply>();
    CEmuReply* untouched = record.get();
    EXPECT_EQ(decoder_.CheckError(record), 1) << "the adapter could not be asked";
    EXPECT_EQ(record.get(), untouched);
    EXPECT_EQ(g_monitorReplyState, kMonitorReplyPending);
    answer = 0;
    EXPECT_EQ(decoder_.CheckError(record), 0);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(decoder_.RunStatus(), CEmuResponse::kStopped);
    EXPECT_EQ(checks, 2);
    EXPECT_EQ(decoder_.CheckError(record), 0);
    EXPECT_EQ(record, nullptr) << "nothing pending";
}

TEST_F(ReplyDecoder, HeaderLengthsNeverReachPastTheBuffer) {
    g_monitorData.SetWord(0, kMonitorReplyText);
    g_monitorData.SetWord(1, 9000000);
    g_monitorReplyState = kMonitorReplyPending;
    EmuReplyPtr record = decoder_.FetchReply();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->length, kMonitorPayloadCapacity);
    PendingBinary(kMonitorReplyStatus, 0, 0, 0xFFFFFFFF);
    record = decoder_.FetchReply();
    EXPECT_EQ(record->length, kMonitorPayloadCapacity);
    EXPECT_EQ(record->payload.size(), kMonitorPayloadCapacity);
    PendingBinary(kMonitorReplyData, 0, 0, 0x1FFFF);
    record = decoder_.FetchReply();
    EXPECT_EQ(record->length, 0xFFFFu) << "the low 16 bits of the data length";
    EXPECT_EQ(record->payload.size(), 0xFFFFu);
}

TEST_F(ReplyDecoder, AccessorsRefuseMissingRecordsWrongClassesAndSmallBuffers) {
    DWORD value = 0;
    EXPECT_EQ(CEmuResponse::GetOutputLength(nullptr, &value), 1);
    EXPECT_EQ(CEmuResponse::GetErrorNumber(nullptr, &value), 1);
    PendingBinary(kMonitorReplyStatus, 0, 0, 4);
    EmuReplyPtr status = decoder_.FetchReply();
    EXPECT_EQ(CEmuResponse::GetOutputLength(status.get(), &value), 1);
    PendingBinary(kMonitorReplyData, 0, 0, 3);
    EmuReplyPtr data = decoder_.FetchReply();
    EXPECT_EQ(CEmuResponse::GetErrorNumber(data.get(), &value), 1);
    EXPECT_EQ(CEmuResponse::GetOutputLength(data.get(), &value), 0);
    PendingText("abc*** 1A:123456789");
    EmuReplyPtr text = decoder_.FetchReply();
    char small[3];
    EXPECT_EQ(CEmuResponse::GetOutputText(text.get(), small), 1);
    EXPECT_EQ(CEmuResponse::GetErrorText(text.get(), small), 1);
}

}  // namespace
