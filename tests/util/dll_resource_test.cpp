#include "util/dll_resource.h"

#include "platform/afx_app.h"
#include "platform/module.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using testing_support::ProgramFolder;

TEST(ResourceModule, ThePluginsOwnModulePassesAndBecomesTheResourceModule) {
    const HINSTANCE before = AfxGetStaticModuleState()->m_hCurrentResourceHandle;
    CString message;
    std::unique_ptr<CDllResource> resource(LoadResourceDll((ProgramFolder() + "Q3vVk3ExtRes.dll").c_str(), message));
    ASSERT_NE(resource, nullptr) << message.Str();
    EXPECT_EQ(resource->GetType(), "Resource");
    EXPECT_EQ(resource->GetInterfaceVersionText(), "1.0");
    EXPECT_EQ(resource->GetOrdinalVersionText(), "1");
    EXPECT_EQ(resource->GetProductVersion(), "1.0");
    EXPECT_TRUE(resource->IsInterfaceAtLeast(0, 9));
    EXPECT_FALSE(resource->IsInterfaceAtLeast(1, 1));
    EXPECT_EQ(AfxGetStaticModuleState()->m_hCurrentResourceHandle, resource->GetModule());

    CDllResource copy;
    copy.Assign(*resource);
    EXPECT_EQ(copy.GetModule(), resource->GetModule());
    AfxGetStaticModuleState()->m_hCurrentResourceHandle = before;
}

TEST(ResourceModule, RefusalsCarryTheirMessages) {
    struct Case {
        std::string module;
        std::string message;
    };
    const std::string missing = ProgramFolder() + "NoSuchResources.dll";
    const std::string lowerCase = ProgramFolder() + "LowerCaseTypeResModule.dll";
    const std::string newer = ProgramFolder() + "NewerInterfaceResModule.dll";
    const std::string noExports = ProgramFolder() + "PlatformTestModule.dll";
    const std::string hugeType = ProgramFolder() + "HugeTypeResModule.dll";
    const Case cases[] = {
        {missing, "Error loading resource DLL " + missing},
        {lowerCase, "Dll " + lowerCase + " is not a resources Dll"},
        {newer, "Incorrect version of Resources - exiting"},
        {noExports, "Dll " + noExports + " is not a resources Dll"},
        {hugeType, "Dll " + hugeType + " is not a resources Dll"},  // its type text is never read
    };
    for (const Case& c : cases) {
        CString message;
        EXPECT_EQ(LoadResourceDll(c.module.c_str(), message), nullptr) << c.module;
        EXPECT_EQ(message.Str(), c.message);
    }
}

TEST(ResourceModule, ATooSmallBufferIsOfferedOnceMoreAtTheAskedSize) {
    CDllResource resource((ProgramFolder() + "LowerCaseTypeResModule.dll").c_str());
    CString message;
    ASSERT_EQ(resource.Load(message), 0);
    EXPECT_EQ(resource.GetType(), "resource");
    const auto lastSize = platform::GetProcAddressAs<DWORD(WINAPI*)()>(resource.GetModule(), "LastTypeBufferSize");
    ASSERT_NE(lastSize, nullptr);
    EXPECT_EQ(lastSize(), 2000u);
}

TEST(ResourceModule, ATextSizeBeyondAnyTextIsAFailedReadNotAnAllocation) {
    CDllResource resource((ProgramFolder() + "HugeTypeResModule.dll").c_str());
    CString message;
    ASSERT_EQ(resource.Load(message), 0);
    EXPECT_EQ(resource.GetType(), "");
    EXPECT_EQ(resource.GetProductVersion(), "1.0");  // the other text is read as before
    const auto lastSize = platform::GetProcAddressAs<DWORD(WINAPI*)()>(resource.GetModule(), "LastTypeBufferSize");
    ASSERT_NE(lastSize, nullptr);
    EXPECT_EQ(lastSize(), 1024u);  // asked once, with the first buffer only
}

}  // namespace
