// The host's session load and save with the real plug-in module: a session
// the plug-in has not saved is saved at once.
#include "tests/road/road_session.h"

#include "sim/host/sim_host.h"

#include "platform/bstr.h"
#include "platform/ui.h"
#include "sim/host/workspace_storage.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class SessionRoad : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(roadtest::AttachPlugin(host));
        host.Services().OfferService(IID_IHWorkspaceStorage, &storage);
        host.Services().ChangeWorkspace([](simhost::WorkspaceState& state) {
            state.workspaceName = "ws";
            state.projectName = "proj";
        });
    }
    void TearDown() override { host.Unload(); }
    // The texts written to the workspace, "section|key=value" each.
    std::vector<std::string> Writes() {
        std::vector<std::string> writes;
        for (const simhost::CallRecord& call : host.Log().Find("WorkspaceWrite")) {
            writes.push_back(call.detail);
        }
        return writes;
    }
    DWORD Modified() {
        IHWorkSpaceClient2* client = nullptr;
        EXPECT_EQ(host.QueryPluginInterface(IID_IHWorkSpaceClient2, reinterpret_cast<void**>(&client)), S_OK);
        DWORD modified = 7;
        if (client != nullptr) {
            EXPECT_EQ(client->GetModified(nullptr, nullptr, nullptr, &modified), S_OK);
        }
        return modified;
    }

    platform::ScriptedUiDriver ui;
    testing_support::TempFolder folder;
    simhost::SimHost host;
    simhost::WorkspaceStorage storage{host.Log(), folder.Windows("workspace.ini")};
};

TEST_F(SessionRoad, ASessionOpenedWithoutTheSavedMarkIsSavedAtOnce) {
    host.LoadSession("ws", "proj", "cfg", "sess");
    const auto writes = Writes();
    ASSERT_EQ(writes.size(), 1u);  // no configuration handler yet: only the mark
    EXPECT_EQ(writes[0].rfind("session|ws|proj|sess|", 0), 0u) << writes[0];
    EXPECT_NE(writes[0].find("T_SESSION_IS_SAVED=YES"), std::string::npos) << writes[0];
    EXPECT_EQ(Modified(), 0u);

    // Now saved: opening it again writes nothing.
    host.Log().Clear();
    host.LoadSession("ws", "proj", "cfg", "sess");
    EXPECT_TRUE(Writes().empty());
    EXPECT_FALSE(host.Log().Find("WorkspaceRead").empty());

    // The host's own save marks the session it names.
    host.SaveSession("ws", "proj", "other");
    ASSERT_EQ(Writes().size(), 1u);
    EXPECT_EQ(Writes()[0].rfind("session|ws|proj|other|", 0), 0u) << Writes()[0];
    EXPECT_TRUE(ui.MessageBoxes().empty());
}

TEST_F(SessionRoad, WithoutTheHostsStorageNothingIsWrittenAndTheSessionFolderStaysEmpty) {
    host.Services().OfferService(IID_IHWorkspaceStorage, nullptr);
    host.Services().OpenSession(folder.Windows("session"), "sess");
    std::filesystem::create_directory(folder.Native() / "session");
    host.LoadSession("ws", "proj", "cfg", "sess");
    host.LoadSessionDefaults("ws", "proj", "cfg", "sess");
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ(Modified(), 0u);
    EXPECT_TRUE(std::filesystem::is_empty(folder.Native() / "session"));
}

}  // namespace

namespace {

TEST_F(SessionRoad, ASessionSaveRefreshesTheSettingItemsTheHostKeeps) {
    host.Services().ChangeWorkspace([](simhost::WorkspaceState& state) {
        state.configName = "cfg";
        state.sessionName = "sess";
    });
    auto& texts = host.Services().SettingTexts();
    texts.Store("ws", "proj", "sess", "[V|VERSION|2] [X|MAP|a] [I|BUS_MODE|3] [S|MAP|\"\"] [I|CPU_MODE|\"c\"]");
    host.SaveSession("ws", "proj", "sess");
    EXPECT_EQ(texts.Stored("ws", "proj", "sess"),
              "[V|VERSION|2] [I|BUS_MODE|3] [I|CPU_MODE|c] [S|ROM_MODE|\"\"] [S|MAP|\"\"] [S|RESOURCE|\"\"] "
              "[B|SIMIOF|1] [I|SIMIOADR|0x00000000]");

    // A load of a session the plug-in did not mark reads them, and saves.
    host.Log().Clear();
    host.LoadSession("ws", "proj", "cfg", "new");
    EXPECT_EQ(host.Log().Find("GetSettingText").size(), 2u);  // the load, then the save
    EXPECT_EQ(host.Log().Find("SetSettingText").size(), 1u);
    EXPECT_TRUE(ui.MessageBoxes().empty());
}

}  // namespace
