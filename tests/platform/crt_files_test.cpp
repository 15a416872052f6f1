#include "platform/crt.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ReadAll(FILE* stream) {
    std::string text;
    char chunk[16];
    std::size_t read = 0;
    while ((read = std::fread(chunk, 1, sizeof(chunk), stream)) > 0) {
        text.append(chunk, read);
    }
    return text;
}

TEST(FsOpen, TextModeTurnsCrLfIntoLf) {
    testing_support::TempFolder folder;
    folder.Write("Lines.txt", "a\r\nb\rc\n\r\n");
    FILE* text = _fsopen(folder.Windows("LINES.TXT").c_str(), "r", _SH_DENYNO);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(ReadAll(text), "a\nb\rc\n\n");
    ASSERT_EQ(std::fseek(text, 2, SEEK_SET), 0);
    EXPECT_EQ(std::ftell(text), 2);
    EXPECT_EQ(std::fgetc(text), 'b');
    std::fclose(text);

    FILE* binary = _fsopen(folder.Windows("lines.txt").c_str(), "rb", _SH_DENYNO);
    ASSERT_NE(binary, nullptr);
    EXPECT_EQ(ReadAll(binary), "a\r\nb\rc\n\r\n");
    std::fclose(binary);
}

TEST(FsOpen, MissingFilesAndBadArgumentsFail) {
    testing_support::TempFolder folder;
    EXPECT_EQ(_fsopen(folder.Windows("missing.txt").c_str(), "r", _SH_DENYNO), nullptr);
    EXPECT_EQ(_fsopen("C:\\x.txt", "r", _SH_DENYNO), nullptr);
    EXPECT_EQ(_fsopen(nullptr, "r", _SH_DENYNO), nullptr);
}

TEST(FsOpen, WritingCreatesTheFile) {
    testing_support::TempFolder folder;
    FILE* out = _fsopen(folder.Windows("New.bin").c_str(), "wb", _SH_DENYNO);
    ASSERT_NE(out, nullptr);
    std::fputs("data", out);
    std::fclose(out);
    EXPECT_EQ(folder.Read("New.bin"), "data");
}

}  // namespace
