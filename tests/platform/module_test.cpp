#include "platform/module.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

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
    EXPECT_EQ(LoadLibraryA((ProgramFolder() + "NoSuchModule.dll").c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(LoadLibraryA("C:\\elsewhere\\Module.dll"), nullptr);
    EXPECT_EQ(LoadLibraryA(""), nullptr);
    EXPECT_EQ(LoadLibraryA(nullptr), nullptr);
    EXPECT_EQ(LoadLibraryA((ProgramFolder() + "RefusingTestModule.dll").c_str()), nullptr);
    EXPECT_EQ(GetModuleHandleA("RefusingTestModule.dll"), nullptr);
    EXPECT_EQ(GetProcAddress(nullptr, "x"), nullptr);
    EXPECT_FALSE(FreeLibrary(nullptr));
}

TEST(Module, AFileThatIsNotAModuleIsRefused) {
    testing_support::TempFolder folder;
    folder.Write("Broken.dll", "this is not a module");
    EXPECT_EQ(LoadLibraryA(folder.Windows("Broken.dll").c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
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
    EXPECT_EQ(std::string(small), std::string(path, 7));
}

}  // namespace
