// The system helpers: named events, processes and the shell, the process
// user, fonts, profile lists, and the small number, list, map and version
// helpers.
#include "util/named_events.h"
#include "util/process_helpers.h"
#include "util/profile_lists.h"
#include "util/system_fonts.h"
#include "util/system_windows.h"
#include "util/value_helpers.h"

#include "platform/codepage.h"
#include "platform/debug.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "platform/sysinfo.h"
#include "tests/platform/code_page_scope.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_ui.h"
#include "tests/util/test_resources.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace {

using testing_support::ProgramFolder;
using testing_support::TempFolder;

// A prefix of its own for each test, as events are process-wide (and under
// Wine shared by the test programs).
std::string EventPrefix(const char* test) {
    return std::string("Q3vTest") + test + std::to_string(GetCurrentThreadId());
}

TEST(NamedEvents, TheFirstFreeNumberIsTaken) {
    const std::string prefix = EventPrefix("Unique");
    const HANDLE first = CreateEventA(nullptr, TRUE, FALSE, (prefix + "000").c_str());
    const HANDLE second = CreateEventA(nullptr, TRUE, FALSE, (prefix + "001").c_str());
    CString name;
    const HANDLE made = CreateUniqueNamedEvent(prefix.c_str(), name, FALSE, TRUE, nullptr);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(name.Str(), prefix + "002");
    EXPECT_EQ(WaitForSingleObject(made, 0), WAIT_OBJECT_0);  // made signalled, as asked
    for (HANDLE event : {first, second, made}) {
        CloseHandle(event);
    }
}

TEST(NamedEvents, TheCounterStartsAgainAndMovesOn) {
    const std::string prefix = EventPrefix("Next");
    CString name;
    LONG counter = 0x7FFFFFFF;
    const HANDLE made = CreateNextNamedEvent(prefix.c_str(), name, counter);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(name.Str(), prefix + "000");
    EXPECT_EQ(counter, 1);
    counter = -5;
    const HANDLE again = CreateNextNamedEvent(prefix.c_str(), name, counter);  // 000 is taken now
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(name.Str(), prefix + "001");
    EXPECT_EQ(counter, 2);
    counter = 0x7FFFFFFE;  // the last number before the wrap
    const HANDLE last = CreateNextNamedEvent(prefix.c_str(), name, counter);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(name.Str(), prefix + "2147483646");
    EXPECT_EQ(counter, 0);
    for (HANDLE event : {made, again, last}) {
        CloseNamedEvent(event, nullptr);
    }
}

TEST(NamedEvents, AFailedCloseIsReported) {
    platform::DebugOutputCapture capture;
    CloseNamedEvent(reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(0x5F5F5F5C)), nullptr);
    CloseNamedEvent(reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(0x5F5F5F5C)), "Q3vDone");
    const std::vector<std::string> output = capture.Lines();
    ASSERT_EQ(output.size(), 2u);
    EXPECT_EQ(output[0].rfind("Cannot close event 'unknown event',", 0), 0u) << output[0];
    EXPECT_EQ(output[1].rfind("Cannot close event 'Q3vDone',", 0), 0u) << output[1];
}

TEST(Shell, OpeningGoesToTheShellOrSaysWhyNot) {
    testsupport::TestUi ui;
    TempFolder folder;
    folder.Write("notes.txt", "x");
    CString why;
    EXPECT_TRUE(ShellOpen(folder.Windows("notes.txt").c_str(), &why));
    const auto requests = ui.ShellRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].verb, "open");
    EXPECT_EQ(requests[0].file, folder.Windows("notes.txt"));
    EXPECT_EQ(requests[0].show, SW_SHOWNORMAL);
    EXPECT_EQ(requests[0].mask, static_cast<ULONG>(SEE_MASK_FLAG_NO_UI));
    EXPECT_FALSE(ShellOpen(folder.Windows("missing.txt").c_str(), &why));
    EXPECT_EQ(why.Str(), "File not found.");
    EXPECT_FALSE(ShellOpen(folder.Windows("none\\missing.txt").c_str(), &why));
    EXPECT_EQ(why.Str(), "Path not found.");
    EXPECT_EQ(ui.ShellRequests().size(), 1u);
    struct Text {
        int code;
        const char* text;
    };
    for (const Text& entry : {Text{5, "Access denied."}, Text{8, "Out of memory."},
                              Text{26, "Cannot share an open file."},
                              Text{27, "File association information not complete."},
                              Text{28, "DDE operation timed out."}, Text{29, "DDE operation failed."},
                              Text{30, "DDE operation is busy."}, Text{31, "File association not available."},
                              Text{32, "Dynamic-link library not found."}, Text{4, "Unknown Error."}}) {
        EXPECT_EQ(ShellErrorText(entry.code).Str(), entry.text);
    }
}

// The probe program's file name in this build.
std::string Probe() {
#ifdef _WIN32
    return ProgramFolder() + "LaunchProbe.exe";
#else
    return ProgramFolder() + "LaunchProbe";
#endif
}

// Waits for the probe started last to end: a child is collected on Linux;
// in the Windows build the probe signals the event the test made.
class ProbeEnd {
public:
#ifdef _WIN32
    ProbeEnd() : done_(CreateEventA(nullptr, TRUE, FALSE, "Q3vLaunchProbeDone")) {}
    ~ProbeEnd() { CloseHandle(done_); }
    bool Wait() { return WaitForSingleObject(done_, 60000) == WAIT_OBJECT_0; }

private:
    HANDLE done_;
#else
    bool Wait() {
        int status = 0;
        while (waitpid(-1, &status, 0) > 0) {
        }
        return true;  // no child is left
    }
#endif
};

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(LaunchProcess, MissingProgramOrFolderAndAProgramStartedInItsFolder) {
    TempFolder folder;
    EXPECT_EQ(LaunchProcess(folder.Windows("none.exe").c_str(), nullptr, nullptr), kLaunchNoProgram);
    EXPECT_EQ(LaunchProcess(Probe().c_str(), nullptr, folder.Windows("none").c_str()), kLaunchNoFolder);
    folder.Write("not a program.txt", "x");
    EXPECT_EQ(LaunchProcess(folder.Windows("not a program.txt").c_str(), nullptr, nullptr), kLaunchFailed);

    {
        ProbeEnd end;
        ASSERT_EQ(LaunchProcess(Probe().c_str(), "one \"two words\"", folder.Windows().c_str()), kLaunchStarted);
        ASSERT_TRUE(end.Wait());
    }
    EXPECT_EQ(ReadFile(folder.Native() / "launched.txt"), "one\ntwo words\n");
}

TEST(ProcessUser, TheAccountOfTheProcess) {
    CString user;
    CString domain;
    BOOL administrator = 7;
    ASSERT_EQ(GetProcessUserInfo(user, domain, administrator), 0u);
    char name[256] = {};
    DWORD size = sizeof(name);
    ASSERT_TRUE(GetUserNameA(name, &size));
    EXPECT_EQ(user.Str(), name);
    EXPECT_FALSE(domain.IsEmpty());
    EXPECT_NE(domain.Str(), "unknown domain");
    EXPECT_TRUE(administrator == TRUE || administrator == FALSE);
    CString computer;
    ASSERT_TRUE(GetComputerNameText(computer));
    EXPECT_FALSE(computer.IsEmpty());
}

TEST(Environment, ExistingLongEmptyAndMissingVariables) {
    const std::string longValue(300, 'v');
#ifdef _WIN32
    SetEnvironmentVariableA("Q3V_TEST_LONG", longValue.c_str());
    SetEnvironmentVariableA("Q3V_TEST_SHORT", "short");
#else
    setenv("Q3V_TEST_LONG", longValue.c_str(), 1);
    setenv("Q3V_TEST_SHORT", "short", 1);
#endif
    CString value;
    ASSERT_TRUE(GetEnvironmentText("Q3V_TEST_SHORT", value));
    EXPECT_EQ(value.Str(), "short");
    ASSERT_TRUE(GetEnvironmentText("Q3V_TEST_LONG", value));
    EXPECT_EQ(value.Str(), longValue);
    EXPECT_FALSE(GetEnvironmentText("Q3V_TEST_MISSING", value));
    char buffer[4] = {};
    EXPECT_EQ(GetEnvironmentVariableA("Q3V_TEST_SHORT", buffer, sizeof(buffer)), 6u);  // the size needed
    EXPECT_EQ(GetEnvironmentVariableA("Q3V_TEST_MISSING", buffer, sizeof(buffer)), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));
}

TEST(Fonts, TheFamiliesOfTheShownSetsAndTheConsoleFont) {
    CFontFamilyArray families;
    CollectFontFamilies(families, FALSE);
    std::vector<std::string> faces;
    for (INT_PTR i = 0; i < families.GetSize(); ++i) {
        faces.push_back(families[i].lfFaceName);
    }
    // Weight 400 or the first "System"; the OEM set's Terminal is not shown.
    EXPECT_EQ(faces, (std::vector<std::string>{"Courier", "Courier New", "MS Sans Serif", "System", "Symbol"}));
    CFont font;
    ASSERT_TRUE(CreateConsoleFont(font, FALSE));
    CString face;
    int height = 0;
    ASSERT_TRUE(GetFontFaceAndHeight(&font, face, height));
    EXPECT_EQ(face.Str(), "Courier");
    EXPECT_EQ(height, 14);
    LOGFONTA described{};
    font.GetLogFont(&described);
    EXPECT_EQ(described.lfWeight, FW_NORMAL);
    EXPECT_FALSE(GetFontFaceAndHeight(nullptr, face, height));
}

TEST(Fonts, AJapaneseSystemsShiftJisSystemFaceReplacesTheAnsiOne) {
    AnsiCodePageScope japanese(932);
    CFontFamilyArray families;
    CollectFontFamilies(families, TRUE);
    std::vector<std::string> faces;
    int systems = 0;
    for (INT_PTR i = 0; i < families.GetSize(); ++i) {
        faces.push_back(families[i].lfFaceName);
        if (faces.back() == "System") {
            ++systems;
            EXPECT_EQ(families[i].lfCharSet, SHIFTJIS_CHARSET);
        }
    }
    EXPECT_EQ(systems, 1);
    EXPECT_EQ(faces.back(), "MS Gothic");
    CFont font;
    ASSERT_TRUE(CreateConsoleFont(font, TRUE));
    LOGFONTA described{};
    font.GetLogFont(&described);
    EXPECT_STREQ(described.lfFaceName, "System");
    EXPECT_EQ(described.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(described.lfHeight, 14);
}

TEST(FileIcons, FromTheSystemImageList) {
    TempFolder folder;
    folder.Write("program.exe", "x");
    CBitmap colour;
    CBitmap mask;
    ASSERT_EQ(GetFileIconBitmaps(folder.Windows("program.exe").c_str(), FALSE, colour, mask), 0);
    BITMAP description{};
    ASSERT_NE(colour.GetBitmap(&description), 0);
    EXPECT_EQ(description.bmWidth, 16);
    ASSERT_NE(mask.GetBitmap(&description), 0);
    EXPECT_EQ(description.bmBitsPixel, 1);
    CBitmap large;
    CBitmap largeMask;
    ASSERT_EQ(GetFileIconBitmaps(folder.Windows().c_str(), TRUE, large, largeMask), 0);
    large.GetBitmap(&description);
    EXPECT_EQ(description.bmWidth, 32);
    EXPECT_EQ(GetFileIconBitmaps(folder.Windows("missing.txt").c_str(), TRUE, large, largeMask), 1);

    SHFILEINFOA information{};
    EXPECT_NE(SHGetFileInfoA(folder.Windows("program.exe").c_str(), 0, &information, sizeof(information),
                             SHGFI_SYSICONINDEX | SHGFI_SMALLICON),
              0u);
    EXPECT_EQ(information.iIcon, 2);
    EXPECT_NE(LoadBitmapResource(utiltest::kImageBitmap), nullptr);
    EXPECT_EQ(LoadBitmapResource(4711), nullptr);
    EXPECT_NE(LoadIconResource(109), nullptr);
}

TEST(ThreadWindows, TheFirstVisibleTitledTopLevelWindowComesToTheFront) {
    CWnd hidden;
    CWnd untitled;
    CWnd main;
    ASSERT_TRUE(hidden.CreateEx(0, nullptr, "Hidden", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    ASSERT_TRUE(untitled.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 10, 10), nullptr, 0));
    ASSERT_TRUE(main.CreateEx(0, nullptr, "Main", WS_POPUP | WS_VISIBLE, CRect(0, 0, 10, 10), nullptr, 0));
    EXPECT_EQ(FindThreadMainWindow(GetCurrentThreadId()), main.GetSafeHwnd());
    BringWindowToFront(main);
    EXPECT_EQ(GetActiveWindow(), main.GetSafeHwnd());
    main.DestroyWindow();
    EXPECT_EQ(FindThreadMainWindow(GetCurrentThreadId()), nullptr);
    untitled.DestroyWindow();
    hidden.DestroyWindow();
}

TEST(ProfileLists, EntriesUntilTheFirstEmptyOneWithTheMarkerForEmptyEntries) {
    TempFolder folder;
    const std::string profile = folder.Windows("app.ini");
    CWinApp* app = AfxGetApp();
    const LPCSTR previous = app->m_pszProfileName;
    app->m_pszProfileName = profile.c_str();
    app->WriteProfileString("Lists", "Item0", "first");
    app->WriteProfileString("Lists", "Item1", "$(UTILS_EMPTY_STRING)");
    app->WriteProfileString("Lists", "Item2", "third");
    app->WriteProfileString("Lists", "Item4", "after the gap");
    CStringArray entries;
    ReadProfileStringList(entries, "Lists", "Item", 10);
    ASSERT_EQ(entries.GetSize(), 3);
    EXPECT_EQ(entries[1].Str(), "");
    EXPECT_EQ(entries[2].Str(), "third");
    CStringList limited;
    ReadProfileStringListToList(limited, "Lists", "Item", 2);
    EXPECT_EQ(limited.GetCount(), 2);
    EXPECT_EQ(app->GetProfileString("Lists", "Missing", "default").Str(), "default");
    EXPECT_TRUE(DeleteProfileSection("Lists"));
    EXPECT_EQ(app->GetProfileString("Lists", "Item0").Str(), "");
    app->m_pszProfileName = previous;
}

TEST(ValueHelpers, NumbersAndTables) {
    CDWordArray values;
    for (LONG value : {5, -1, 7, 5}) {
        values.Add(static_cast<DWORD>(value));
    }
    EXPECT_EQ(IndexOfValue(values, 5), 0);
    EXPECT_EQ(IndexOfValue(values, 9), -1);
    EXPECT_EQ(IndexOfMinimum(values), 0);  // unsigned: -1 is the largest
    EXPECT_EQ(IndexOfMaximum(values), 1);
    SortValueArray(values, TRUE);
    EXPECT_EQ(static_cast<LONG>(values[0]), -1);  // signed when sorted
    EXPECT_EQ(values[3], 7u);
    SortValueArray(values, FALSE);
    EXPECT_EQ(values[0], 7u);
    EXPECT_EQ(IndexOfMinimum(CDWordArray()), -1);

    CDWordArray run;
    for (DWORD value : {4u, 2u, 3u}) {
        run.Add(value);
    }
    EXPECT_TRUE(IsContiguousRun(run));
    EXPECT_TRUE(SortContiguousRun(run));
    EXPECT_EQ(run[0], 2u);
    run.Add(3);
    EXPECT_FALSE(IsContiguousRun(run));  // not distinct
    EXPECT_FALSE(SortContiguousRun(run));
    EXPECT_FALSE(IsContiguousRun(CDWordArray()));

    EXPECT_EQ(HexDigitCount(0), 1);
    EXPECT_EQ(HexDigitCount(0xFF), 2);
    EXPECT_EQ(HexDigitCount(0x10000000), 8);
    EXPECT_EQ(NextTableSize(0), 11);
    EXPECT_EQ(NextTableSize(11), 17);
    EXPECT_EQ(NextTableSize(105732), 105733);
    EXPECT_EQ(NextTableSize(105733), -1);
    EXPECT_EQ(NextTableSizeWithReserve(10), 17);  // 10 + 2

    CValueList list;
    list.AddTail(3);
    list.AddTail(4);
    const auto array = ValueListToArray(list);
    EXPECT_EQ(array[0], 3u);
    EXPECT_EQ(array[2], 0u);
    CValueList same;
    same.AddTail(3);
    same.AddTail(4);
    EXPECT_TRUE(ListsEqual(list, same));
    same.AddTail(5);
    EXPECT_FALSE(ListsEqual(list, same));

    EXPECT_TRUE(RectContains(RECT{0, 0, 10, 10}, RECT{0, 0, 10, 10}));
    EXPECT_FALSE(RectContains(RECT{0, 0, 10, 10}, RECT{1, 1, 11, 5}));
}

TEST(ValueHelpers, VersionTexts) {
    struct Case {
        const char* text;
        int result;
        int major;
        int minor;
    };
    for (const Case& entry : {Case{"1.0", 0, 1, 0}, Case{"12.34", 0, 12, 34}, Case{".1", 1, 0, 0},
                              Case{"1.", 1, 0, 0}, Case{"10", 1, 0, 0}, Case{"1.a", 1, 0, 0},
                              Case{"1.2.3", 1, 0, 0}, Case{"", 1, 0, 0}}) {
        int major = 0;
        int minor = 0;
        EXPECT_EQ(ParseDottedVersion(entry.text, major, minor), entry.result) << entry.text;
        EXPECT_EQ(major, entry.major) << entry.text;
        EXPECT_EQ(minor, entry.minor) << entry.text;
    }
    EXPECT_TRUE(IsVersionLower("1.9", "1.10"));
    EXPECT_FALSE(IsVersionHigher("1.9", "1.10"));
    EXPECT_TRUE(IsVersionHigher("2.0", "1.99"));
    EXPECT_FALSE(IsVersionLower("1.0", "x"));
    EXPECT_FALSE(IsVersionLower("1.0", "1.0"));
}

TEST(ValueHelpers, MapsAndPrefixedValues) {
    CMapStringToString a;
    CMapStringToString b;
    BOOL keys = 7;
    BOOL values = 7;
    EXPECT_TRUE(MapsEqual(a, b, &keys, &values));
    EXPECT_EQ(keys, 7);  // untouched for two empty maps
    a.SetAt("k", "1");
    EXPECT_FALSE(MapsEqual(a, b, &keys, &values));
    EXPECT_FALSE(keys);
    EXPECT_FALSE(values);
    b.SetAt("k", "2");
    EXPECT_FALSE(MapsEqual(a, b, &keys, &values));
    EXPECT_TRUE(keys);
    EXPECT_FALSE(values);
    CopyStringMap(a, b, TRUE);
    EXPECT_TRUE(MapsEqual(a, b, &keys, &values));
    b.RemoveKey("k");
    b.SetAt("j", "1");
    EXPECT_FALSE(MapsEqual(a, b));

    CStringList first;
    first.AddTail("x");
    first.AddTail("y");
    CStringListMap map;
    map.SetAt("b", &first);
    CStringList order;
    order.AddTail("a");
    order.AddTail("b");
    CStringList collected;
    collected.AddTail("stale");
    CollectPrefixedValues(order, map, collected);
    std::vector<std::string> texts;
    for (POSITION at = collected.GetHeadPosition(); at != nullptr;) {
        texts.push_back(collected.GetNext(at).Str());
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"b|x", "b|y"}));
}

}  // namespace
