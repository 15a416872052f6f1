#include "platform/crt.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
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

// Positions in text mode are the file's own bytes: after seeking to 2, the
// next character is the LF of the first CR LF.
TEST(FsOpen, TextModeTurnsCrLfIntoLf) {
    testing_support::TempFolder folder;
    folder.Write("Lines.txt", "a\r\nb\rc\n\r\n");
    FILE* text = _fsopen(folder.Windows("LINES.TXT").c_str(), "r", _SH_DENYNO);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(ReadAll(text), "a\nb\rc\n\n");
    ASSERT_EQ(std::fseek(text, 2, SEEK_SET), 0);
    EXPECT_EQ(std::ftell(text), 2);
    EXPECT_EQ(std::fgetc(text), '\n');
    EXPECT_EQ(std::fgetc(text), 'b');
    ASSERT_EQ(std::fseek(text, 1, SEEK_SET), 0);
    EXPECT_EQ(std::fgetc(text), '\n');
    std::fclose(text);

    FILE* binary = _fsopen(folder.Windows("lines.txt").c_str(), "rb", _SH_DENYNO);
    ASSERT_NE(binary, nullptr);
    EXPECT_EQ(ReadAll(binary), "a\r\nb\rc\n\r\n");
    std::fclose(binary);
}

TEST(FsOpen, TextModeEndsAtCtrlZUntilASeekPassesIt) {
    testing_support::TempFolder folder;
    folder.Write("Z.txt", "ab\x1A" "cd\r\n");
    FILE* text = _fsopen(folder.Windows("Z.txt").c_str(), "r", _SH_DENYNO);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(ReadAll(text), "ab");
    EXPECT_TRUE(std::feof(text));
    ASSERT_EQ(std::fseek(text, 3, SEEK_SET), 0);
    EXPECT_EQ(ReadAll(text), "cd\n");
    std::fclose(text);

    FILE* binary = _fsopen(folder.Windows("Z.txt").c_str(), "rb", _SH_DENYNO);
    ASSERT_NE(binary, nullptr);
    EXPECT_EQ(ReadAll(binary), "ab\x1A" "cd\r\n");
    std::fclose(binary);
}

// What ftell answers after reading lines is a position fseek returns to.
TEST(FsOpen, TextModePositionsLeadBackToTheSameLine) {
    testing_support::TempFolder folder;
    folder.Write("T.txt", "one\r\ntwo\r\nthree\r\n");
    FILE* text = _fsopen(folder.Windows("T.txt").c_str(), "r", _SH_DENYNO);
    ASSERT_NE(text, nullptr);
    char line[16];
    ASSERT_NE(std::fgets(line, sizeof(line), text), nullptr);
    const long second = std::ftell(text);
    EXPECT_EQ(second, 5);
    ASSERT_NE(std::fgets(line, sizeof(line), text), nullptr);
    EXPECT_EQ(std::ftell(text), 10);
    ASSERT_EQ(std::fseek(text, second, SEEK_SET), 0);
    ASSERT_NE(std::fgets(line, sizeof(line), text), nullptr);
    EXPECT_STREQ(line, "two\n");
    std::fclose(text);
}

TEST(FsOpen, TextModeWritesEachLfAsCrLf) {
    testing_support::TempFolder folder;
    struct Case {
        const char* mode;
        std::string written;
    };
    for (const Case& c : {Case{"w", "x\r\ny\r\r\nz"}, Case{"wt", "x\r\ny\r\r\nz"}, Case{"w+", "x\r\ny\r\r\nz"},
                          Case{"wb", "x\ny\r\nz"}}) {
        SCOPED_TRACE(c.mode);
        FILE* out = _fsopen(folder.Windows("Out.txt").c_str(), c.mode, _SH_DENYNO);
        ASSERT_NE(out, nullptr);
        std::fputs("x\ny\r\nz", out);
        std::fclose(out);
        EXPECT_EQ(folder.Read("Out.txt"), c.written);
    }
    FILE* append = _fsopen(folder.Windows("Out.txt").c_str(), "a", _SH_DENYNO);
    ASSERT_NE(append, nullptr);
    std::fputs("\nq", append);
    std::fclose(append);
    EXPECT_EQ(folder.Read("Out.txt"), "x\ny\r\nz\r\nq");
}

TEST(FsOpen, MissingFilesAndBadArgumentsFail) {
    testing_support::TempFolder folder;
    folder.Write("File.txt", "x");
    struct Case {
        const char* what;
        std::string name;
        const char* mode;
        int error;
    };
    const Case cases[] = {
        {"missing file", folder.Windows("missing.txt"), "r", ENOENT},
        {"missing folder", folder.Windows("missing\\x.txt"), "w", ENOENT},
        {"a folder", folder.Windows(), "r", EACCES},
        {"empty name", "", "r", ENOENT},
        {"no mode letter", folder.Windows("File.txt"), "", EINVAL},
        {"unknown mode letter", folder.Windows("File.txt"), "q", EINVAL},
    };
    for (const Case& c : cases) {
        errno = 0;
        EXPECT_EQ(_fsopen(c.name.c_str(), c.mode, _SH_DENYNO), nullptr) << c.what;
        EXPECT_EQ(errno, c.error) << c.what;
    }
    errno = 0;
    EXPECT_EQ(_fsopen(nullptr, "r", _SH_DENYNO), nullptr);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(_fsopen(folder.Windows("File.txt").c_str(), "r", 0x99), nullptr);
}

TEST(FsOpen, WritingCreatesTheFile) {
    testing_support::TempFolder folder;
    FILE* out = _fsopen(folder.Windows("New.bin").c_str(), "wb", _SH_DENYNO);
    ASSERT_NE(out, nullptr);
    std::fputs("data", out);
    std::fclose(out);
    EXPECT_EQ(folder.Read("New.bin"), "data");
}

// An open succeeds only when every open of the file shares the access it
// asks for and it shares theirs; a refused open fails with EACCES.
TEST(FsOpen, SharingFlagsDecideWhoElseMayOpenTheFile) {
    testing_support::TempFolder folder;
    folder.Write("S.txt", "x");
    const std::string name = folder.Windows("S.txt");
    struct Case {
        const char* heldMode;
        int heldShare;
        const char* mode;
        int share;
        bool opens;
    };
    const Case cases[] = {
        {"r", _SH_DENYNO, "r", _SH_DENYNO, true},   {"r", _SH_DENYNO, "a", _SH_DENYNO, true},
        {"r", _SH_DENYNO, "r", _SH_DENYWR, true},   {"r", _SH_DENYNO, "a", _SH_DENYWR, true},
        {"w", _SH_DENYNO, "r", _SH_DENYNO, true},   {"w", _SH_DENYNO, "a", _SH_DENYNO, true},
        {"w", _SH_DENYNO, "r", _SH_DENYWR, false},  {"w", _SH_DENYNO, "a", _SH_DENYWR, false},
        {"r", _SH_DENYWR, "r", _SH_DENYNO, true},   {"r", _SH_DENYWR, "a", _SH_DENYNO, false},
        {"r", _SH_DENYWR, "r", _SH_DENYWR, true},   {"r", _SH_DENYWR, "a", _SH_DENYWR, false},
        {"w", _SH_DENYWR, "r", _SH_DENYNO, true},   {"w", _SH_DENYWR, "a", _SH_DENYNO, false},
        {"w", _SH_DENYWR, "r", _SH_DENYWR, false},  {"w", _SH_DENYWR, "a", _SH_DENYWR, false},
        {"r", _SH_DENYRD, "r", _SH_DENYNO, false},  {"r", _SH_DENYRD, "a", _SH_DENYNO, true},
        {"r", _SH_DENYRD, "r", _SH_DENYWR, false},  {"r", _SH_DENYRD, "a", _SH_DENYWR, true},
        {"w", _SH_DENYRD, "r", _SH_DENYNO, false},  {"w", _SH_DENYRD, "a", _SH_DENYNO, true},
        {"w", _SH_DENYRD, "r", _SH_DENYWR, false},  {"w", _SH_DENYRD, "a", _SH_DENYWR, false},
        {"r", _SH_DENYRW, "r", _SH_DENYNO, false},  {"r", _SH_DENYRW, "a", _SH_DENYNO, false},
        {"w", _SH_DENYRW, "r", _SH_DENYNO, false},  {"w", _SH_DENYRW, "a", _SH_DENYNO, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.heldMode) + "/" + std::to_string(c.heldShare) + " then " + c.mode + "/" +
                     std::to_string(c.share));
        FILE* held = _fsopen(name.c_str(), c.heldMode, c.heldShare);
        ASSERT_NE(held, nullptr);
        errno = 0;
        FILE* second = _fsopen(name.c_str(), c.mode, c.share);
        EXPECT_EQ(second != nullptr, c.opens);
        if (second != nullptr) {
            std::fclose(second);
        } else {
            EXPECT_EQ(errno, EACCES);
        }
        std::fclose(held);
    }
    // Closing ends the refusal; a refused "w" open emptied nothing.
    folder.Write("S.txt", "kept");
    FILE* held = _fsopen(name.c_str(), "r", _SH_DENYRW);
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(_fsopen(name.c_str(), "w", _SH_DENYNO), nullptr);
    std::fclose(held);
    EXPECT_EQ(folder.Read("S.txt"), "kept");
    FILE* after = _fsopen(name.c_str(), "r", _SH_DENYNO);
    EXPECT_NE(after, nullptr);
    std::fclose(after);
}

}  // namespace
