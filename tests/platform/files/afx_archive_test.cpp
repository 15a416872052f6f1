#include "platform/afx_archive.h"

#include "tests/support/sides.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

using testing_support::TempFolder;

TEST(CArchive, StoresLittleEndianValuesAndLoadsThemBack) {
    TempFolder folder;
    const std::string path = folder.Windows("data.bin");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive archive(&file, CArchive::store);
        EXPECT_TRUE(archive.IsStoring());
        archive << DWORD{0x11223344} << LONG{-2} << WORD{0xA1B2} << BYTE{7};
    }
    EXPECT_EQ(folder.Read("data.bin"), std::string("\x44\x33\x22\x11\xFE\xFF\xFF\xFF\xB2\xA1\x07", 11));

    CFile file(path.c_str(), CFile::modeRead);
    CArchive archive(&file, CArchive::load);
    EXPECT_TRUE(archive.IsLoading());
    DWORD word = 0;
    LONG number = 0;
    WORD half = 0;
    BYTE byte = 0;
    archive >> word >> number >> half >> byte;
    EXPECT_EQ(word, 0x11223344u);
    EXPECT_EQ(number, -2);
    EXPECT_EQ(half, 0xA1B2);
    EXPECT_EQ(byte, 7);
}

TEST(CArchive, ReadingPastTheEndOrWritingWhileLoadingThrows) {
    Q3V_SKIP_ON_WINDOWS("an exception thrown in the layer's module is not caught in another one: the modules "
                        "each link their own static copy of the unwinder");
    TempFolder folder;
    folder.Write("short.bin", "\x01\x02");
    CFile file(folder.Windows("short.bin").c_str(), CFile::modeRead);
    CArchive archive(&file, CArchive::load);
    DWORD word = 0;
    try {
        archive >> word;
        ADD_FAILURE() << "read past the end";
    } catch (CArchiveException* exception) {
        EXPECT_EQ(exception->m_cause, CArchiveException::endOfFile);
        exception->Delete();
    }
    try {
        archive << word;
        ADD_FAILURE() << "wrote to a loading archive";
    } catch (CArchiveException* exception) {
        EXPECT_EQ(exception->m_cause, CArchiveException::readOnly);
        exception->Delete();
    }
}

}  // namespace
