#include "platform/module.h"

#include "tests/support/sides.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_ui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <utility>

namespace {

using testing_support::ProgramFolder;

using CountFunction = int (*)();
using AnswerFunction = int (*)(int);

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

TEST(Module, LoadsByWindowsPathInAnyCaseAndBindsOwnExports) {
    HMODULE module = LoadLibraryA((Upper(ProgramFolder()) + "PLATFORMTESTMODULE.DLL").c_str());
    ASSERT_NE(module, nullptr);
    auto answer = platform::GetProcAddressAs<AnswerFunction>(module, "TestModuleAnswer");
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(20), 41);
    EXPECT_EQ(GetProcAddress(module, "NoSuchExport"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    // A module answers only its own exports, not those of the modules it uses.
    EXPECT_EQ(GetProcAddress(module, "LoadLibraryA"), nullptr);
    EXPECT_TRUE(FreeLibrary(module));
}

// An entry point by ordinal (a name below 0x10000): the HTML Help stand-in's
// entry at ordinal 14, which passes its call to the layer's recorder.
TEST(Module, EntryPointsAreBoundByOrdinal) {
    testsupport::TestUi ui;
    HMODULE module = LoadLibraryA((ProgramFolder() + "HtmlHelpTestControl.dll").c_str());
    ASSERT_NE(module, nullptr);
    using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
    const auto entry = platform::GetProcAddressAs<HtmlHelpFunction>(module, MAKEINTRESOURCE(14));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry(nullptr, "Z:\\help\\topic.chm", HH_DISPLAY_TOPIC, 0), nullptr);
    ASSERT_EQ(ui.HelpCalls().size(), 1u);
    EXPECT_EQ(ui.HelpCalls()[0].file, "Z:\\help\\topic.chm");
    for (const WORD ordinal : {WORD{0}, WORD{13}, WORD{15}}) {
        EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCE(ordinal)), nullptr) << ordinal;
    }
    FreeLibrary(module);
    HMODULE without = LoadLibraryA((ProgramFolder() + "PlatformTestModule.dll").c_str());
    ASSERT_NE(without, nullptr);
    EXPECT_EQ(GetProcAddress(without, MAKEINTRESOURCE(14)), nullptr);
    FreeLibrary(without);
}

TEST(Module, DllMainRunsOnFirstLoadAndLastFree) {
    const std::string path = ProgramFolder() + "PlatformTestModule.dll";
    HMODULE first = LoadLibraryA(path.c_str());
    HMODULE second = LoadLibraryA(path.c_str());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    auto count = platform::GetProcAddressAs<CountFunction>(first, "TestModuleAttachCount");
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(GetModuleHandleA("platformtestmodule"), first);
    FreeLibrary(second);
    EXPECT_EQ(GetModuleHandleA("PlatformTestModule.dll"), first);  // still loaded once
    FreeLibrary(first);
    EXPECT_EQ(GetModuleHandleA("PlatformTestModule.dll"), nullptr);
}

TEST(Module, ABareNameIsFoundBesideTheProgramWithTheModuleExtension) {
    HMODULE module = LoadLibraryA("PlatformTestModule");
    ASSERT_NE(module, nullptr);
    char path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(module, path, MAX_PATH), 0u);
    EXPECT_EQ(std::string(path), ProgramFolder() + "PlatformTestModule.dll");
    FreeLibrary(module);
}

TEST(Module, MissingAndRefusingModulesFailCleanly) {
    struct Case {
        std::string name;
        DWORD error;
    };
    const Case cases[] = {
        {ProgramFolder() + "NoSuchModule.dll", ERROR_MOD_NOT_FOUND},
        {"C:\\elsewhere\\Module.dll", ERROR_MOD_NOT_FOUND},
        {"", ERROR_MOD_NOT_FOUND},
        {ProgramFolder() + "RefusingTestModule.dll", ERROR_DLL_INIT_FAILED},
    };
    for (const Case& c : cases) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(LoadLibraryA(c.name.c_str()), nullptr) << c.name;
        EXPECT_EQ(GetLastError(), c.error) << c.name;
    }
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(LoadLibraryA(nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(GetModuleHandleA("RefusingTestModule.dll"), nullptr);
}

// Windows tells a file that is not a module (or not one of this machine) from
// a missing one, and a folder from both.
TEST(Module, AFileThatIsNotAModuleIsRefused) {
    testing_support::TempFolder folder;
    const std::pair<const char*, std::string> files[] = {
        {"Text.dll", "this is not a module"},
        {"Empty.dll", ""},
        {"Header.dll", std::string("\x7F" "ELF\x02\x01\x01").append(64, '\0')},
        {"Stub.dll", std::string("MZ").append(128, '\0')},
    };
    for (const auto& [name, bytes] : files) {
        folder.Write(name, bytes);
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(LoadLibraryA(folder.Windows(name).c_str()), nullptr) << name;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT)) << name;
    }
    std::filesystem::create_directory(folder.Native() / "Folder.dll");
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(LoadLibraryA(folder.Windows("Folder.dll").c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

// A handle that is no module's is "module not found"; a null module is the
// program for GetProcAddress, and no module for FreeLibrary.
TEST(Module, HandlesThatAreNoModulesFailWithWindowsErrors) {
    static int notAModule = 0;
    const auto bogus = reinterpret_cast<HMODULE>(&notAModule);
    char path[MAX_PATH];
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetModuleFileNameA(bogus, path, MAX_PATH), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetProcAddress(bogus, "TestModuleAnswer"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(FreeLibrary(bogus));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(FreeLibrary(nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetProcAddress(nullptr, "NoSuchExport"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));

    HMODULE module = LoadLibraryA("PlatformTestModule.dll");
    ASSERT_NE(module, nullptr);
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetProcAddress(module, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    FreeLibrary(module);
}

// A name with a folder names that very file; without one, any loaded module
// of that name.
TEST(Module, HandleByNameWithAFolderMustNameTheModulesFile) {
    HMODULE module = LoadLibraryA("PlatformTestModule.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(GetModuleHandleA((ProgramFolder() + "PlatformTestModule.dll").c_str()), module);
    EXPECT_EQ(GetModuleHandleA((Upper(ProgramFolder()) + "platformtestmodule").c_str()), module);
    EXPECT_EQ(GetModuleHandleA("PLATFORMTESTMODULE"), module);
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetModuleHandleA("C:\\elsewhere\\PlatformTestModule.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    FreeLibrary(module);
}

TEST(Module, FileNameOfTheProgramAndTruncation) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(std::string(path).rfind(ProgramFolder(), 0), 0u);
    EXPECT_EQ(GetModuleHandleA(nullptr), platform::ModuleFromAddress(reinterpret_cast<const void*>(&Upper)));
    EXPECT_TRUE(platform::IsProgramAddress(reinterpret_cast<const void*>(&Upper)));

    char small[8];
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof(small)), sizeof(small));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::string(small, 7), std::string(path, 7));
}

TEST(Module, ATruncatedFileNameEndsWithNul) {
    Q3V_SKIP_ON_WINDOWS("Wine differs from Windows here: it fills a buffer that is too small without the "
                        "terminating NUL, as Windows XP did; later Windows cut the path to size - 1 characters "
                        "and a NUL");
    char path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 8u);
    char small[8];
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof(small)), sizeof(small));
    EXPECT_EQ(std::string(small), std::string(path, 7));
}

}  // namespace
