#include "platform/afx_app.h"
#include "platform/module.h"
#include "platform/resources.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testing_support::ProgramFolder;

class LoadedAppModule : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryA((ProgramFolder() + "AppTestModule.dll").c_str());
        ASSERT_NE(module_, nullptr);
        state_ = AfxFindModuleState(module_);
        ASSERT_NE(state_, nullptr);
    }
    void TearDown() override {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }
    HMODULE module_ = nullptr;
    AFX_MODULE_STATE* state_ = nullptr;
};

TEST_F(LoadedAppModule, LoadingRunsTheApplicationsInitialisationWithItsNames) {
    auto initCount = platform::GetProcAddressAs<int (*)()>(module_, "AppTestInitCount");
    ASSERT_NE(initCount, nullptr);
    EXPECT_EQ(initCount(), 1);
    CWinApp* app = state_->m_pCurrentWinApp;
    ASSERT_NE(app, nullptr);
    EXPECT_STREQ(app->m_pszAppName, "AppTestModule");
    EXPECT_EQ(std::string(app->m_pszHelpFilePath), ProgramFolder() + "AppTestModule.HLP");
    EXPECT_EQ(app->m_hInstance, module_);
    EXPECT_EQ(state_->m_hCurrentResourceHandle, module_);
}

TEST_F(LoadedAppModule, ModuleStateSwitchSelectsApplicationAndResources) {
    EXPECT_EQ(AfxGetModuleState(), AfxGetAppModuleState());
    EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandleA(nullptr));
    {
        AFX_MANAGE_STATE(state_);
        EXPECT_EQ(AfxGetResourceHandle(), module_);
        EXPECT_STREQ(AfxGetAppName(), "AppTestModule");
        char text[64];
        EXPECT_EQ(LoadStringA(AfxGetResourceHandle(), 100, text, sizeof(text)), 13);
        EXPECT_STREQ(text, "module string");
    }
    EXPECT_EQ(AfxGetModuleState(), AfxGetAppModuleState());
    auto ownHandle = platform::GetProcAddressAs<HINSTANCE (*)()>(module_, "AppTestResourceHandle");
    ASSERT_NE(ownHandle, nullptr);
    EXPECT_EQ(ownHandle(), module_);  // the module's code switches to its own state
}

TEST_F(LoadedAppModule, StringLookupsCutToTheBufferAndMissMissingIds) {
    char text[8] = "xxxxxxx";
    EXPECT_EQ(LoadStringA(module_, 101, text, sizeof(text)), 7);
    EXPECT_STREQ(text, "a longe");
    EXPECT_EQ(LoadStringA(module_, 999, text, sizeof(text)), 0);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(LoadStringA(module_, 100, text, 0), 0);
    EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), 100, text, sizeof(text)), 0);  // no table in the program
}

TEST(ModuleState, SwitchesNestAndRestoreOnEveryExit) {
    AFX_MODULE_STATE first;
    AFX_MODULE_STATE second;
    {
        AFX_MANAGE_STATE(&first);
        {
            AFX_MANAGE_STATE(&second);
            EXPECT_EQ(AfxGetModuleState(), &second);
        }
        EXPECT_EQ(AfxGetModuleState(), &first);
        try {
            AFX_MANAGE_STATE(&second);
            throw 1;
        } catch (int) {
        }
        EXPECT_EQ(AfxGetModuleState(), &first);
    }
    EXPECT_EQ(AfxGetModuleState(), AfxGetAppModuleState());
}

}  // namespace
