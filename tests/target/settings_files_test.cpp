#include "config/settings_files.h"

#include "platform/ui.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testing_support::TempFolder;

const char kSample[] =
    "[Q3v KTR4 TARGET]\r\n"
    "LIBRARY NAME=Vk3 Q3v SYSTEM\r\n"
    "FAMILY NAME =Spaced\r\n"
    "EMPTY=\r\n"
    "a line without an equals sign\r\n"
    "URL=http://x=y\r\n"
    "[q3v ktr4 target]\r\n"
    "LOWER=lower section\r\n"
    "[Device A]\r\n"
    "DEVICE NAME=Device A\r\n"
    "LATE=found in a later section\r\n";

class SettingsReader : public ::testing::Test {
protected:
    void SetUp() override { file = folder.Write("Sample.cnf", kSample); }

    std::string Read(const char* section, const char* key, const char* fallback = "default", int size = 64,
                     int* length = nullptr) {
        std::string buffer(static_cast<std::size_t>(size > 0 ? size : 1), '#');
        const int copied =
            ReadProfileString(section, key, fallback, buffer.data(), size, folder.Windows("Sample.cnf").c_str());
        if (length != nullptr) {
            *length = copied;
        }
        return buffer.c_str();
    }

    TempFolder folder;
    std::filesystem::path file;
    platform::ScriptedUiDriver ui;
};

TEST_F(SettingsReader, ExactSectionAndKeyNames) {
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"Q3v KTR4 TARGET", "LIBRARY NAME", "Vk3 Q3v SYSTEM"},
        {"Q3v KTR4 TARGET", "FAMILY NAME", "default"},  // the space before "=" belongs to the name
        {"Q3v KTR4 TARGET", "FAMILY NAME ", "Spaced"},
        {"Q3v KTR4 TARGET", "URL", "http://x=y"},         // the value runs to the end of the line
        {"Q3v KTR4 TARGET", "LOWER", "lower section"},    // keys of a later section are still found
        {"Q3v KTR4 TARGET", "LATE", "found in a later section"},
        {"q3v ktr4 target", "LIBRARY NAME", "default"},  // a lower-case header is another section...
        {"q3v ktr4 target", "LOWER", "lower section"},   // ...and that one exists
        {"Device A", "DEVICE NAME", "Device A"},
        {"Device A", "LIBRARY NAME", "default"},  // keys before the header are not found
        {"No Such Section", "LIBRARY NAME", "default"},
        {"Q3v KTR4 TARGET", "library name", "default"},
        {"Q3v KTR4 TARGET", "a line without an equals sign", "default"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Read(c.section, c.key), c.expected) << c.section << " / " << c.key;
    }
    EXPECT_TRUE(ui.MessageBoxes().empty());
}

TEST_F(SettingsReader, LengthsDefaultsAndCutting) {
    int length = -1;
    EXPECT_EQ(Read("Q3v KTR4 TARGET", "EMPTY", "default", 64, &length), "");
    EXPECT_EQ(length, 0);
    EXPECT_EQ(Read("Q3v KTR4 TARGET", "MISSING", "", 64, &length), "");
    EXPECT_EQ(length, 0);
    EXPECT_EQ(Read("Q3v KTR4 TARGET", "MISSING", nullptr, 64, &length), "");
    EXPECT_EQ(Read("Q3v KTR4 TARGET", "LIBRARY NAME", "", 8, &length), "Vk3 Q3v");
    EXPECT_EQ(length, 7);
    EXPECT_EQ(Read("Q3v KTR4 TARGET", "MISSING", "a long default", 5, &length), "a lo");
    EXPECT_EQ(length, 4);
}

TEST_F(SettingsReader, AMissingFileShowsItsMessageAndLeavesTheBufferAlone) {
    char buffer[16] = "untouched";
    EXPECT_EQ(ReadProfileString("S", "K", "default", buffer, sizeof(buffer), folder.Windows("Missing.cnf").c_str()),
              0);
    EXPECT_STREQ(buffer, "untouched");
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui.MessageBoxes()[0].text, "Can't find configration file");
    EXPECT_EQ(ui.MessageBoxes()[0].type, MB_ICONEXCLAMATION);

    // The next lookup tries again and finds the file once it exists.
    folder.Write("Missing.cnf", "[S]\nK=now here\n");
    EXPECT_GT(ReadProfileString("S", "K", "default", buffer, sizeof(buffer), folder.Windows("missing.CNF").c_str()), 0);
    EXPECT_STREQ(buffer, "now here");
}

TEST_F(SettingsReader, TheCacheIsKeptForOnePathWhateverItsCase) {
    EXPECT_EQ(Read("Device A", "DEVICE NAME"), "Device A");
    folder.Write("Sample.cnf", "[Device A]\r\nDEVICE NAME=changed on disk\r\n");
    char buffer[64];
    ReadProfileString("Device A", "DEVICE NAME", "", buffer, sizeof(buffer), folder.Windows("SAMPLE.CNF").c_str());
    EXPECT_STREQ(buffer, "Device A");  // same file, other case: served from the cache

    folder.Write("Other.cnf", "[Device A]\r\nDEVICE NAME=other file\r\n");
    ReadProfileString("Device A", "DEVICE NAME", "", buffer, sizeof(buffer), folder.Windows("Other.cnf").c_str());
    EXPECT_STREQ(buffer, "other file");
    EXPECT_EQ(Read("Device A", "DEVICE NAME"), "changed on disk");  // asking for another file reloads
}

TEST_F(SettingsReader, MalformedContentNeverBreaksTheReader) {
    std::string junk = "[Unclosed\n";
    junk += std::string("\0\x01\x02=\xFF\n", 6);
    junk += "[S]\nK=value\n[";
    folder.Write("Junk.cnf", junk);
    char buffer[16];
    EXPECT_EQ(ReadProfileString("S", "K", "d", buffer, sizeof(buffer), folder.Windows("Junk.cnf").c_str()), 1);
    EXPECT_STREQ(buffer, "d");  // the unclosed "[" swallows the rest: no header is found
    folder.Write("Tail.cnf", "[S]\nK=last line without a line end");
    ReadProfileString("S", "K", "d", buffer, sizeof(buffer), folder.Windows("Tail.cnf").c_str());
    EXPECT_STREQ(buffer, "last line witho");
    EXPECT_EQ(ReadProfileString(nullptr, "K", "d", buffer, sizeof(buffer), folder.Windows("Tail.cnf").c_str()), 0);
    EXPECT_FALSE(LoadProfileFile("x"));
}

TEST_F(SettingsReader, HexadecimalValuesAndIntegers) {
    folder.Write("Values.cnf",
                 "[Device A]\r\nFLASH TOP=0000E000\r\nBAD=zz\r\nCOUNT=12abc\r\nWORDS=x1\r\n");
    const std::string file = folder.Windows("Values.cnf");
    EXPECT_EQ(ReadProfileValue("Device A", "FLASH TOP", 0x1234, file.c_str()), 0xE000);
    EXPECT_EQ(ReadProfileValue("Device A", "BAD", 0x1234, file.c_str()), 0x1234);
    EXPECT_EQ(ReadProfileValue("Device A", "MISSING", 7, file.c_str()), 7);

    // The system's profile functions read names without regard to case.
    EXPECT_EQ(ReadProfileInt("device a", "count", 5, file.c_str()), 12);
    // Where they cannot be trusted, the plug-in's own reader (exact names) serves.
    g_isWin9x = 1;
    EXPECT_EQ(ReadProfileInt("Device A", "COUNT", 5, file.c_str()), 12);
    EXPECT_EQ(ReadProfileInt("device a", "count", 5, file.c_str()), 5);
    EXPECT_EQ(ReadProfileInt("Device A", "WORDS", 5, file.c_str()), 5);
    g_isWin9x = 0;
}

TEST(TargetMessages, ShowTargetErrorUsesThePluginsCaption) {
    platform::ScriptedUiDriver ui;
    ui.AnswerNextMessageBox(IDRETRY);
    EXPECT_EQ(ShowTargetError("something failed", MB_RETRYCANCEL | MB_ICONEXCLAMATION), IDRETRY);
    EXPECT_EQ(ShowTargetMessage(0, MB_OK), IDOK);
    EXPECT_EQ(ShowTargetMessage(51441, MB_OK), IDOK);
    const auto boxes = ui.MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "something failed");
    EXPECT_FALSE(boxes[0].caption.empty());
    EXPECT_EQ(boxes[1].text, "DLL error");
}

}  // namespace
