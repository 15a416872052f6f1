#include "config/module_folder.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

TEST(ModuleFolder, IsOneTextThatLivesAsLongAsTheModule) {
    const char* const first = GetModuleDirectory().c_str();
    const char* const second = GetModuleDirectory().c_str();
    EXPECT_EQ(second, first);  // a caller's text is never rebuilt under it
    const std::string expected = testing_support::ProgramFolder();
    EXPECT_EQ(std::string(first), expected);

    // The connect thread and the UI thread both ask at once.
    std::thread other([] {
        for (int i = 0; i < 100; ++i) {
            static_cast<void>(GetModuleDirectory());
        }
    });
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(std::string(first), expected);
        EXPECT_EQ(GetModuleDirectory(), expected);
    }
    other.join();
    EXPECT_EQ(GetModuleDirectory().c_str(), first);
}

}  // namespace
