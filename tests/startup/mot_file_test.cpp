// The S-record reader: files written by real tools (objcopy, srec_cat; see
// tests/files/README), the block rules, and the lines it refuses.
#include "link/mot_file.h"
#include "link/mot_record.h"
#include "tests/support/temp_folder.h"

#include "platform/paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

struct Block {
    DWORD address;
    Bytes bytes;
};

// Reads every block of a file beside the test program; the result of the
// first failing call, or 0.
WORD ReadAll(const std::string& name, std::vector<Block>& blocks) {
    CMotFile reader;
    if (const WORD opened = reader.Open(name.c_str()); opened != 0) {
        return opened;
    }
    while (true) {
        WORD length = 0;
        const BYTE* data = nullptr;
        DWORD address = 0;
        if (const WORD read = reader.ReadBlock(&length, &data, &address); read != 0) {
            return read;
        }
        if (length == 0) {
            EXPECT_TRUE(reader.IsAtEnd());
            return 0;
        }
        blocks.push_back({address, Bytes(data, data + length)});
    }
}

// The pattern the tools were given: byte i = (i * 7 + 3) & 0xFF.
Bytes Pattern() {
    Bytes bytes(600);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<BYTE>((i * 7 + 3) & 0xFF);
    }
    return bytes;
}

// The blocks joined, when they follow one another.
Bytes Joined(const std::vector<Block>& blocks) {
    Bytes all;
    for (const Block& block : blocks) {
        EXPECT_EQ(block.address, blocks.front().address + all.size());
        EXPECT_LT(block.bytes.size(), CMotFile::kBlockSize);
        all.insert(all.end(), block.bytes.begin(), block.bytes.end());
    }
    return all;
}

TEST(MotFile, ReadsWhatRealToolsWrite) {
    const struct {
        const char* file;
        DWORD address;
    } cases[] = {
        {"LinkTestFiles\\pattern_objcopy.mot", 0x1F00},         // S1, LF
        {"LinkTestFiles\\pattern_objcopy_crlf.mot", 0x1F00},    // S1, CR LF
        {"LinkTestFiles\\pattern_objcopy_s3.mot", 0x100000},    // S3
        {"LinkTestFiles\\pattern_srec_cat_lower.mot", 0x23400}, // S2, S5 count, lower case
    };
    for (const auto& c : cases) {
        std::vector<Block> blocks;
        ASSERT_EQ(ReadAll(c.file, blocks), 0) << c.file;
        ASSERT_FALSE(blocks.empty()) << c.file;
        EXPECT_EQ(blocks.front().address, c.address) << c.file;
        EXPECT_EQ(Joined(blocks), Pattern()) << c.file;
    }
}

TEST(MotFile, RecordsThatDoNotFollowOneAnotherMakeSeparateBlocks) {
    std::vector<Block> blocks;
    ASSERT_EQ(ReadAll("LinkTestFiles\\gaps_srec_cat.mot", blocks), 0);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].address, 0x100u);
    EXPECT_EQ(blocks[1].address, 0x400u);
    EXPECT_EQ(blocks[0].bytes.size(), 40u);
    EXPECT_EQ(blocks[0].bytes, blocks[1].bytes);
}

TEST(MotFile, TheDataFilesBesideThePlugInRead) {
    for (const char* name : {"frm_kq14.sys", "WTR_KQ14.mot", "Vk3Demo.mot", "ADPFiles\\Q3vdp.mot",
                             "LinkTestFiles\\frm_vk32.sys", "LinkTestFiles\\frm_vk33.sys",
                             "LinkTestFiles\\frm_vk31_type4.sys"}) {
        std::vector<Block> blocks;
        EXPECT_EQ(ReadAll(name, blocks), 0) << name;
        EXPECT_FALSE(blocks.empty()) << name;
    }
}

class MotFileLines : public ::testing::Test {
protected:
    // Writes a file into a folder inside the program's folder, named for
    // this test alone, and answers its name relative to the program's folder.
    std::string Write(const std::string& content) {
        const std::string folder = "MotTest_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name());
        const std::filesystem::path native =
            std::filesystem::path(*platform::ToNativePath(testing_support::ProgramFolder())) / folder;
        std::filesystem::create_directories(native);
        m_folder = native;
        std::ofstream(native / "test.mot", std::ios::binary) << content;
        return folder + "\\test.mot";
    }
    ~MotFileLines() override {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

private:
    std::filesystem::path m_folder;
};

TEST_F(MotFileLines, AHeaderAndAnEndAloneGiveOneEmptyBlock) {
    CMotFile reader;
    ASSERT_EQ(reader.Open(Write("S00600004844521B\nS9030000FC\n").c_str()), 0);
    WORD length = 1;
    const BYTE* data = nullptr;
    DWORD address = 0;
    EXPECT_EQ(reader.ReadBlock(&length, &data, &address), 0);
    EXPECT_EQ(length, 0);
    EXPECT_TRUE(reader.IsAtEnd());
    EXPECT_EQ(reader.Tell(), 100u);
}

TEST_F(MotFileLines, BadLinesCloseTheFileWithTheReadersError) {
    const std::string good = "S1051000AABB85\n";
    const struct {
        const char* what;
        std::string content;
    } cases[] = {
        {"checksum off by one", "S1051000AABB86\n"},
        {"count larger than the line", "S1061000AABB85\n"},
        {"a checksum cut off", "S1051000AABB8\n"},
        {"count smaller than the line", "S1041000AABB85\n"},
        {"a character that is no digit", "S1051000AXBB85\n"},
        {"an S4 record", "S4051000AABB85\n"},
        {"a type that is no digit", "SX051000AABB85\n"},
        {"an over-long line", "S1" + std::string(560, '0') + "\n"},
        {"a record count that does not match", good + "S5030005F7\n"},
        {"a count record with data", "S5040001AAFF\n"},
    };
    for (const auto& c : cases) {
        CMotFile reader;
        ASSERT_EQ(reader.Open(Write(good + c.content + good).c_str()), 0) << c.what;
        WORD length = 0;
        const BYTE* data = nullptr;
        DWORD address = 0;
        WORD result = 0;
        do {
            result = reader.ReadBlock(&length, &data, &address);
        } while (result == 0 && length != 0);
        EXPECT_EQ(result, kMotFileError) << c.what;
        EXPECT_TRUE(reader.IsAtEnd()) << c.what;
        EXPECT_EQ(reader.ReadBlock(&length, &data, &address), 0) << c.what << ": later calls report the end";
        EXPECT_EQ(length, 0) << c.what;
    }
}

TEST_F(MotFileLines, NeitherTheFirstCharacterNorWhatFollowsTheChecksumIsLookedAt) {
    const struct {
        const char* what;
        const char* line;
    } cases[] = {
        {"a trailing blank", "S1051000AABB85 "},
        {"a trailing tab and blanks", "S1051000AABB85\t  "},
        {"bytes after the checksum", "S1051000AABB85FFFF"},
        {"a comment after the checksum", "S1051000AABB85 ; loader"},
        {"another first character", "X1051000AABB85"},
        {"a lower-case first character", "s1051000AABB85"},
    };
    for (const auto& c : cases) {
        CMotFile reader;
        ASSERT_EQ(reader.Open(Write(std::string(c.line) + "\r\nS9030000FC\r\n").c_str()), 0) << c.what;
        WORD length = 0;
        const BYTE* data = nullptr;
        DWORD address = 0;
        ASSERT_EQ(reader.ReadBlock(&length, &data, &address), 0) << c.what;
        ASSERT_EQ(length, 2) << c.what;
        EXPECT_EQ(address, 0x1000u) << c.what;
        EXPECT_EQ(Bytes(data, data + 2), Bytes({0xAA, 0xBB})) << c.what;
    }
}

TEST_F(MotFileLines, ALineOfTheLongestLengthAndBlankLinesAreRead) {
    // 551 characters: "S1", a count, an address, 272 data bytes would need a
    // count above 255, so the longest good line is shorter; a blank line
    // between records is passed over.
    std::string line = "S1FF1000";
    BYTE sum = static_cast<BYTE>(0xFF + 0x10 + 0x00);
    for (int i = 0; i < 252; ++i) {
        line += "01";
        sum = static_cast<BYTE>(sum + 1);
    }
    char checksum[3];
    std::snprintf(checksum, sizeof(checksum), "%02X", static_cast<BYTE>(255 - sum));
    line += checksum;
    CMotFile reader;
    ASSERT_EQ(reader.Open(Write(line + "\r\n\r\n" + "S9030000FC\r\n").c_str()), 0);
    WORD length = 0;
    const BYTE* data = nullptr;
    DWORD address = 0;
    EXPECT_EQ(reader.ReadBlock(&length, &data, &address), 0);
    EXPECT_EQ(length, 252);
    EXPECT_EQ(address, 0x1000u);
}

TEST(MotFile, AMissingFileIsTheReadersError) {
    CMotFile reader;
    EXPECT_EQ(reader.Open("LinkTestFiles\\no_such_file.mot"), kMotFileError);
    EXPECT_TRUE(reader.IsAtEnd());
}

TEST(MotRecord, RecordKindsAndAddressWidths) {
    EXPECT_EQ(ParseMotRecord("S1051000AABB85").kind, MotRecord::Kind::Data);
    EXPECT_EQ(ParseMotRecord("S1051000AABB85").address, 0x1000u);
    EXPECT_EQ(ParseMotRecord("s1051000aabb85").length, 2);
    const MotRecord s2 = ParseMotRecord("S20612345601025A");
    EXPECT_EQ(s2.kind, MotRecord::Kind::Data);
    EXPECT_EQ(s2.address, 0x123456u);
    EXPECT_EQ(ParseMotRecord("S5030022DA").kind, MotRecord::Kind::Count);
    EXPECT_EQ(ParseMotRecord("S5030022DA").address, 0x22u);
    EXPECT_EQ(ParseMotRecord("S604000002F9").kind, MotRecord::Kind::Count);
    EXPECT_EQ(ParseMotRecord("S604000002F9").address, 2u);
    EXPECT_EQ(ParseMotRecord("S9030000FC").kind, MotRecord::Kind::End);
}

}  // namespace
