#include "platform/messages.h"

#include "platform/files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(SystemMessages, TextsEndInCrLfAndUnknownCodesHaveNone) {
    for (const DWORD code : {DWORD{ERROR_FILE_NOT_FOUND}, DWORD{ERROR_PATH_NOT_FOUND}, DWORD{ERROR_ACCESS_DENIED}}) {
        char text[256] = {};
        const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                            0x400, text, sizeof(text), nullptr);
        ASSERT_GT(length, 2u) << code;
        EXPECT_EQ(length, std::strlen(text));
        EXPECT_EQ(std::string(text).substr(length - 2), "\r\n");
    }
    char text[256] = {};
    EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 99999, 0x400, text, sizeof(text), nullptr), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
}

}  // namespace
