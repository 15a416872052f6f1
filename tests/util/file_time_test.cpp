#include "util/file_time.h"

#include "util/variant_list.h"
#include "platform/systime.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

CFileTime FromDate(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second, WORD milliseconds) {
    SYSTEMTIME time{};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    time.wMilliseconds = milliseconds;
    FILETIME fileTime{};
    EXPECT_TRUE(SystemTimeToFileTime(&time, &fileTime));
    return CFileTime(fileTime);
}

// Whether time lies between two readings of the clock taken around it.
::testing::AssertionResult IsAroundNow(const CFileTime& before, const CFileTime& time, const CFileTime& after) {
    if (time < before || time > after) {
        return ::testing::AssertionFailure() << time.FormatHexPlain() << " is not between "
                                             << before.FormatHexPlain() << " and " << after.FormatHexPlain();
    }
    return ::testing::AssertionSuccess();
}

TEST(CFileTime, HostTextIsTheHexadecimalFormReversed) {
    const CFileTime time(0x01D2A3B4, 1);
    EXPECT_EQ(time.FormatHexPlain(), "01d2a3b400000001");
    EXPECT_EQ(time.FormatHex(), "100000004b3a2d10");
    CString back = time.FormatHex();
    back.MakeReverse();
    const CFileTime read(static_cast<LPCSTR>(back));
    EXPECT_EQ(read.GetHigh(), 0x01D2A3B4u);
    EXPECT_EQ(read.GetLow(), 1u);
    EXPECT_EQ(time.FormatHexInverted(), "fe2d5c4bfffffffe");
    EXPECT_EQ(time.FormatShortInverted(), "fe2d5c4b1ff");
}

TEST(CFileTime, ReadsWhatATextHolds) {
    struct Case {
        const char* text;
        DWORD high;
        DWORD low;
    };
    const Case cases[] = {
        {"01D2A3B400000001", 0x01D2A3B4, 1},
        {"1234", 0x1234, 0},
        {"123456789", 0x12345678, 9},
        {"", 0, 0},
        {"zz345678000000ff", 0, 0xFF},      // a bad half reads as 0
        {"0000000100000002extra", 1, 2},    // only 16 characters count
    };
    for (const Case& c : cases) {
        const CFileTime time(c.text);
        EXPECT_EQ(time.GetHigh(), c.high) << c.text;
        EXPECT_EQ(time.GetLow(), c.low) << c.text;
    }
    EXPECT_EQ(CFileTime(static_cast<LPCSTR>(nullptr)), CFileTime());
}

TEST(CFileTime, ComparesHalvesAsUnsignedNumbers) {
    EXPECT_TRUE(CFileTime(5, 0x80000000u) > CFileTime(5, 0x7FFFFFFF));
    EXPECT_TRUE(CFileTime(5, 0x7FFFFFFF) < CFileTime(5, 0x80000000u));
    EXPECT_TRUE(CFileTime(0x80000000u, 0) > CFileTime(1, 0xFFFFFFFF));
    EXPECT_TRUE(CFileTime(1, 2) == CFileTime(1, 2));
    EXPECT_TRUE(CFileTime(1, 2) != CFileTime(2, 1));
    const CFileTime difference = CFileTime(1, 0).Difference(CFileTime(0, 1));
    EXPECT_EQ(difference.GetLow(), 0xFFFFFFFFu);
    EXPECT_EQ(difference.GetHigh(), 0u);
}

TEST(CFileTime, SpecialValuesAndTheClock) {
    CFileTime time(1, 1);
    time.SetMax();
    EXPECT_EQ(time, CFileTime(0x7FFFFFFF, 0x7FFFFFFF));
    time.SetZero();
    EXPECT_EQ(time, CFileTime());
    const CFileTime before = CFileTime::Now();
    time.SetNow();
    EXPECT_TRUE(IsAroundNow(before, time, CFileTime::Now()));
}

TEST(CFileTime, SetFromTextTakesSevenPartsOrFallsBackToNow) {
    CFileTime time;
    time.SetFromText("2005:2:3:4:5:6:7");
    EXPECT_EQ(time, FromDate(2005, 2, 3, 4, 5, 6, 7));
    EXPECT_EQ(time.Format(), "04:05:06, Thursday, February 03, 2005");

    const char* const fallBacks[] = {
        "1998:2:3:4:5:6:7",   // before 1999
        "2005:2:30:4:5:6:7",  // no such date
        "2005:2:3:24:5:6:7",  // the range allows hour 24, the conversion does not
        "2005:13:3:4:5:6:7",
        "2005:2:3:4:5:6:1000",
        "2005:2:3:4:5:6",
        "2005:2:3:4:5:6:7:8",
        "",
        "x:y:z:a:b:c:d",
    };
    for (const char* text : fallBacks) {
        const CFileTime before = CFileTime::Now();
        time.SetZero();
        time.SetFromText(text);
        EXPECT_TRUE(IsAroundNow(before, time, CFileTime::Now())) << text;
    }
}

TEST(CFileTime, SerializesLowHalfThenHighHalf) {
    testing_support::TempFolder folder;
    const std::string path = folder.Windows("time.bin");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive archive(&file, CArchive::store);
        CFileTime(0x01020304, 0x0A0B0C0D).Serialize(archive);
    }
    EXPECT_EQ(folder.Read("time.bin"), std::string("\x0D\x0C\x0B\x0A\x04\x03\x02\x01", 8));
    CFile file(path.c_str(), CFile::modeRead);
    CArchive archive(&file, CArchive::load);
    CFileTime loaded;
    loaded.Serialize(archive);
    EXPECT_EQ(loaded, CFileTime(0x01020304, 0x0A0B0C0D));
}

// The writer put the low half first and the reader took the first element as
// the high half, so a round trip swapped them.
TEST(FileTimeLists, RoundTripKeepsBothHalves) {
    CFileTimeList list;
    list.AddTail(CFileTime(0x01D2A3B4, 0x00000001));
    list.AddTail(CFileTime(7, 8));
    VARIANT value;
    FileTimeListToVariant(list, value);
    EXPECT_EQ(value.vt, VT_ARRAY | VT_UINT);
    {
        const variant_list::Reader reader(value, variant_list::kUints);
        ASSERT_EQ(reader.Count(), 4u);
        UINT first = 0;
        EXPECT_TRUE(reader.Uint(0, first));
        EXPECT_EQ(first, 1u);  // the low half first
    }
    CFileTimeList back;
    VariantToFileTimeList(value, back);
    ASSERT_EQ(back.GetCount(), 2);
    EXPECT_EQ(back.GetHead(), CFileTime(0x01D2A3B4, 1));
    EXPECT_EQ(back.GetTail(), CFileTime(7, 8));
    VariantClear(&value);
}

TEST(FileTimeLists, MalformedListsAreLeftAlone) {
    CFileTimeList list;
    VARIANT empty;
    VariantInit(&empty);
    VariantToFileTimeList(empty, list);
    EXPECT_TRUE(list.IsEmpty());

    // Three elements: the last odd one is ignored.
    variant_list::Writer odd(3);
    odd.Uint(0, 1);
    odd.Uint(1, 2);
    odd.Uint(2, 3);
    VARIANT oddList;
    odd.Finish(oddList, variant_list::kUints);
    VariantToFileTimeList(oddList, list);
    EXPECT_EQ(list.GetCount(), 1);
    VariantClear(&oddList);

    // An element of another kind refuses the whole list.
    variant_list::Writer mixed(2);
    mixed.Uint(0, 1);
    mixed.Text(1, "2");
    VARIANT mixedList;
    mixed.Finish(mixedList, variant_list::kUints);
    VariantToFileTimeList(mixedList, list);
    EXPECT_EQ(list.GetCount(), 1);
    mixedList.vt = VT_ARRAY | VT_BSTR;  // another list type
    VariantToFileTimeList(mixedList, list);
    EXPECT_EQ(list.GetCount(), 1);
    mixedList.vt = VT_ARRAY | VT_UINT;
    VariantClear(&mixedList);

    // An array of plain numbers instead of VARIANTs.
    VARIANT numbers;
    VariantInit(&numbers);
    numbers.vt = VT_ARRAY | VT_UINT;
    numbers.parray = SafeArrayCreateVector(VT_UI4, 0, 4);
    VariantToFileTimeList(numbers, list);
    EXPECT_EQ(list.GetCount(), 1);
    SafeArrayDestroy(numbers.parray);
}

}  // namespace
