#include "frame/wsclient.h"

#include <gtest/gtest.h>

namespace {

// A client that overrides nothing.
class PlainClient : public CWSClient2 {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
};

class PlainClient1 : public CWSClient {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
};

TEST(WorkspaceClientDefaults, TheOutParametersReadZero) {
    PlainClient client;
    DWORD modified = 0xDEAD;
    EXPECT_EQ(client.GetModified(nullptr, nullptr, nullptr, &modified), S_OK);
    EXPECT_EQ(modified, 0u);
    DWORD data = 0xBEEF;
    EXPECT_EQ(client.QueryWorkspaceData(7, &data), S_OK);
    EXPECT_EQ(data, 0u);
    EXPECT_EQ(client.QueryWorkspaceData(7, nullptr), S_OK);

    PlainClient1 first;
    data = 0xBEEF;
    EXPECT_EQ(first.QueryWorkspaceData(1, &data), S_OK);
    EXPECT_EQ(data, 0u);
}

TEST(WorkspaceClientDefaults, EveryNotificationAnswersSOk) {
    PlainClient client;
    IHWorkSpaceClient2& c = client;
    const HRESULT results[] = {
        c.OnWorkspaceCreated(1, 2), c.OnWorkspaceOpened(1), c.OnWorkspaceClosed(1), c.OnWorkspaceSaved(1),
        c.OnProjectAdded(1), c.OnProjectRemoved(1), c.OnProjectActivated(1), c.QueryBusyOnWorkspaceClose(),
        c.OnConfigurationChanged(1), c.QueryBusyOnProjectChange(), c.OnBuildStarted(1), c.OnFileAdded(1, 2),
        c.OnFileRemoved(1, 2), c.OnFileRenamed(1, 2), c.OnFolderAdded(1, 2, 3), c.OnFolderRemoved(1, 2),
        c.OnFolderRenamed(1, 2, 3), c.OnBuildEnded(1, 2), c.OnDownloadStarted(1, 2), c.OnDownloadEnded(1, 2),
        c.OnDebugSessionChanged(1, 2), c.OnOptionChanged(1, 2, 3, 4), c.OnToolAdded(1, 2, 3),
        c.OnToolRemoved(1, 2, 3), c.OnToolChanged(1, 2, 3), c.OnDependencyAdded(1, 2, 3),
        c.OnDependencyRemoved(1, 2, 3), c.OnViewOpened(1, 2), c.OnViewClosed(1, 2), c.OnSettingChanged(1, 2, 3),
        c.OnSettingRemoved(1, 2, 3), c.OnItemRenamed(1, 2, 3, 4), c.OnItemMoved(1, 2, 3, 4),
        c.OnSelectionChanged(1, 2), c.OnPropertyChanged(1, 2, 3), c.OnCustomNotify(1, 2, 3, 4),
        c.OnSessionCreated(nullptr, nullptr, nullptr), c.QueryBusyOnSessionSave(nullptr, nullptr, nullptr, 0),
        c.QueryBusyOnSessionLoad(nullptr, nullptr, nullptr, 0), c.OnSessionRenamed(nullptr, nullptr, nullptr, nullptr),
        c.OnLoadSession(nullptr, nullptr, nullptr, nullptr), c.OnLoadSessionDefaults(nullptr, nullptr, nullptr, nullptr),
        c.OnSessionRemoved(nullptr, nullptr, nullptr, nullptr), c.OnSessionCopied(nullptr, nullptr, nullptr, nullptr),
        c.OnSaveSession(nullptr, nullptr, nullptr),
    };
    for (std::size_t i = 0; i < std::size(results); ++i) {
        EXPECT_EQ(results[i], S_OK) << "notification " << i;
    }
}

}  // namespace
