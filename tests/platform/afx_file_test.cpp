#include "platform/afx_file.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using testing_support::TempFolder;

TEST(CFile, WritesReadsSeeksAndTruncates) {
    TempFolder folder;
    const CString path = folder.Windows("Data.bin").c_str();
    {
        CFile file;
        ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite));
        file.Write("0123456789", 10);
        EXPECT_EQ(file.GetPosition(), 10u);
    }
    CFile file(path, CFile::modeReadWrite);
    EXPECT_EQ(file.GetLength(), 10u);
    EXPECT_EQ(file.Seek(4, CFile::begin), 4);
    char buffer[8] = {};
    EXPECT_EQ(file.Read(buffer, 3), 3u);
    EXPECT_STREQ(buffer, "456");
    file.SetLength(5);
    EXPECT_EQ(file.GetLength(), 5u);
    file.SeekToBegin();
    EXPECT_EQ(file.Read(buffer, sizeof(buffer)), 5u);
    EXPECT_EQ(file.GetFileName(), "Data.bin");
    file.Close();
    EXPECT_FALSE(file.IsOpen());
}

TEST(CFile, CreateWithoutTruncateKeepsContent) {
    TempFolder folder;
    folder.Write("Keep.txt", "kept");
    CFile file(folder.Windows("Keep.txt").c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
    EXPECT_EQ(file.GetLength(), 4u);
}

TEST(CFile, FailuresReportTheirCause) {
    TempFolder folder;
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(folder.Windows("missing.bin").c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    try {
        CFile thrown(folder.Windows("missing.bin").c_str(), CFile::modeRead);
        ADD_FAILURE() << "no exception";
    } catch (CFileException* exception) {
        EXPECT_EQ(exception->m_cause, CFileException::fileNotFound);
        char message[64];
        EXPECT_TRUE(exception->GetErrorMessage(message, sizeof(message)));
        exception->Delete();
    }
    try {
        CFile::Remove(folder.Windows("missing.bin").c_str());
        ADD_FAILURE() << "no exception";
    } catch (CFileException* exception) {
        exception->Delete();
    }
}

TEST(CFile, StatusRemoveAndRename) {
    TempFolder folder;
    folder.Write("Old.txt", "12345");
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(folder.Windows("OLD.TXT").c_str(), status));
    EXPECT_EQ(status.m_size, 5u);
    EXPECT_EQ(status.m_attribute & FILE_ATTRIBUTE_DIRECTORY, 0);
    EXPECT_GT(status.m_mtime.GetTime(), 0);
    CFile::Rename(folder.Windows("Old.txt").c_str(), folder.Windows("New.txt").c_str());
    EXPECT_FALSE(CFile::GetStatus(folder.Windows("Old.txt").c_str(), status));
    CFile::Remove(folder.Windows("New.txt").c_str());
    EXPECT_FALSE(CFile::GetStatus(folder.Windows("New.txt").c_str(), status));
}

TEST(CFileFind, FindsMatchesInNameOrderWithoutRegardToCase) {
    TempFolder folder;
    folder.Write("b.CNF", "");
    folder.Write("A.cnf", "");
    folder.Write("c.txt", "");
    folder.Write("Sub/inner.cnf", "");
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(folder.Windows("*.cnf").c_str()));
    std::vector<std::string> names;
    BOOL more = TRUE;
    while (more) {
        more = finder.FindNextFile();
        names.emplace_back(finder.GetFileName().Str());
        EXPECT_EQ(finder.GetFilePath(), CString(folder.Windows(finder.GetFileName().Str()).c_str()));
        EXPECT_FALSE(finder.IsDirectory());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"A.cnf", "b.CNF"}));
    EXPECT_EQ(finder.GetFileTitle(), "b");
}

TEST(CFileFind, DotsFoldersAndMisses) {
    TempFolder folder;
    folder.Write("Sub/x.txt", "");
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(folder.Windows("*.*").c_str()));
    std::set<std::string> dots;
    bool sawFolder = false;
    BOOL more = TRUE;
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDots()) {
            dots.insert(finder.GetFileName().Str());
        } else if (finder.IsDirectory()) {
            sawFolder = finder.GetFileName() == "Sub";
        }
    }
    EXPECT_EQ(dots, (std::set<std::string>{".", ".."}));
    EXPECT_TRUE(sawFolder);
    EXPECT_FALSE(finder.FindFile(folder.Windows("*.none").c_str()));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_EQ(finder.GetFileName(), "");
    EXPECT_FALSE(finder.FindFile(folder.Windows("NoSuchFolder\\*.*").c_str()));
}

}  // namespace
