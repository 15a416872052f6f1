// The class library's resource lookups follow the current module state's
// resource handle, then the application's.
#include "platform/afx.h"
#include "platform/module.h"
#include "tests/platform/ui/test_resources.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_ui.h"

#include <gtest/gtest.h>

namespace {

using namespace uitest;

class ModuleResources : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryA((testing_support::ProgramFolder() + "AppTestModule.dll").c_str());
        ASSERT_NE(module_, nullptr);
        state_ = AfxFindModuleState(module_);
        ASSERT_NE(state_, nullptr);
    }
    void TearDown() override {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }

    // The caption of dialog 100 as the current module state finds it.
    static std::string SampleDialogCaption() {
        testsupport::TestUi ui;
        ui.OnDialog(100u).PressOk();
        CDialog dialog(100u);
        dialog.DoModal();
        const auto shown = ui.Dialogs();
        return shown.empty() ? std::string() : shown[0].caption;
    }

    static UINT FirstMenuCommand() {
        CMenu menu;
        return menu.LoadMenu(kContextMenu) ? menu.GetSubMenu(0)->GetMenuItemID(0) : 0;
    }

    HMODULE module_ = nullptr;
    AFX_MODULE_STATE* state_ = nullptr;
};

TEST_F(ModuleResources, LookupsFollowTheModuleState) {
    EXPECT_EQ(SampleDialogCaption(), "Sample");
    EXPECT_EQ(FirstMenuCommand(), kCopyCommand);
    {
        AFX_MANAGE_STATE(state_);
        EXPECT_EQ(SampleDialogCaption(), "Module Dialog");
        EXPECT_EQ(FirstMenuCommand(), 33001u);
        CString text;
        EXPECT_TRUE(text.LoadString(100));
        EXPECT_EQ(text, "module string");
        // What the module lacks is found in the application's resources.
        EXPECT_TRUE(text.LoadString(kAppTitle));
        EXPECT_EQ(text, "Sample Application");
        CBitmap bitmap;
        EXPECT_TRUE(bitmap.LoadBitmap(kToolbarBitmap));
        EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(kToolbarBitmap), RT_BITMAP), AfxGetAppModuleState()->m_hCurrentResourceHandle);
        EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(kContextMenu), RT_MENU), module_);
        EXPECT_FALSE(text.LoadString(4711));
    }
    EXPECT_EQ(SampleDialogCaption(), "Sample");
    CString text;
    EXPECT_FALSE(text.LoadString(101));  // the module's own string is not the program's
}

TEST_F(ModuleResources, AnotherResourceHandleChangesWhereLookupsGo) {
    AFX_MODULE_STATE* program = AfxGetAppModuleState();
    const HINSTANCE saved = program->m_hCurrentResourceHandle;
    AfxSetResourceHandle(module_);
    EXPECT_EQ(SampleDialogCaption(), "Module Dialog");
    EXPECT_EQ(AfxMessageBox(100), IDOK);
    AfxSetResourceHandle(saved);
    EXPECT_EQ(SampleDialogCaption(), "Sample");
}

TEST(Resources, NamesAndBadRequests) {
    EXPECT_EQ(platform::ResourceId(MAKEINTRESOURCE(42)), 42u);
    EXPECT_EQ(platform::ResourceId("#42"), 42u);
    EXPECT_EQ(platform::ResourceId("#"), 0u);
    EXPECT_EQ(platform::ResourceId("#4x"), 0u);
    EXPECT_EQ(platform::ResourceId("#99999"), 0u);
    EXPECT_EQ(platform::ResourceId("Named"), 0u);
    EXPECT_EQ(platform::ResourceId(nullptr), 0u);
    EXPECT_EQ(FindResourceA(nullptr, "Named", RT_DIALOG), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCE(kSampleDialog), "CUSTOM"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_NE(FindResourceA(nullptr, MAKEINTRESOURCE(kSampleDialog), RT_DIALOG), nullptr);  // null: the program
    EXPECT_NE(FindResourceA(nullptr, MAKEINTRESOURCE(kAnimationResource), RT_ANIMATION), nullptr);
    EXPECT_EQ(platform::FindDialogResource(nullptr, kSampleDialog), nullptr);
}

}  // namespace
