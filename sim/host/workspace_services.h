// The simulated host's workspace services: the workspace information
// (IHWorkSpaceInfo) and the custom-placeholder settings
// (IHPlaceholderSettings), over one workspace that tests set up. Every call is
// recorded in the host's call log.
#pragma once

#include "platform/host/interfaces.h"
#include "sim/host/call_log.h"

#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace simhost {

// One user-defined placeholder as the host keeps it.
struct CustomPlaceholder {
    std::string name;
    std::string description;
    std::string value;
};

// The host's current workspace with its one project and configuration, the
// host's folders and its custom placeholders. Names the host is asked about
// must be the current ones, else the answer is an empty text.
struct WorkspaceState {
    // The workspace information's operations (by slot) that answer E_FAIL
    // without a text, as a host does that cannot tell.
    std::set<int> failingOperations;
    std::string installDirectory = "C:\\Kestrune";
    std::string tempDirectory = "C:\\Kestrune\\Temp";
    std::string workspaceName;
    std::string workspaceDirectory;
    std::string projectName;
    std::string projectDirectory;
    std::string configName;
    std::string configDirectory;
    // The host's own placeholders, and those of the current workspace (asked
    // for only while hasWorkspacePlaceholders is set).
    std::vector<CustomPlaceholder> placeholders;
    std::vector<CustomPlaceholder> workspacePlaceholders;
    bool hasWorkspacePlaceholders = false;
    // Where the data manager says the current session lies (no folder: the
    // host has no session open).
    std::string sessionFolder;
    std::string sessionName;
};

class HostWorkspaceInfo : public IHWorkSpaceInfo {
public:
    HostWorkspaceInfo(CallLog& log, std::mutex& mutex, const WorkspaceState& state)
        : log_(log), mutex_(mutex), state_(state) {}
    virtual ~HostWorkspaceInfo() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE GetInstallDirectory(BSTR* folder) override;
    HRESULT STDMETHODCALLTYPE GetTempDirectory(BSTR* folder) override;
    HRESULT STDMETHODCALLTYPE GetCurrentConfigName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetCurrentProjectName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetCurrentWorkspaceName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetConfigName(BSTR workspace, BSTR project, BSTR config, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetProjectName(BSTR workspace, BSTR project, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetWorkspaceName(BSTR workspace, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetConfigDirectory(BSTR workspace, BSTR project, BSTR config, BSTR* folder) override;
    HRESULT STDMETHODCALLTYPE GetProjectDirectory(BSTR workspace, BSTR project, BSTR* folder) override;
    HRESULT STDMETHODCALLTYPE GetWorkspaceDirectory(BSTR workspace, BSTR* folder) override;
    HRESULT STDMETHODCALLTYPE HasWorkspacePlaceholders(DWORD* flag) override;

private:
    // The names a call asks about; a null project or configuration asks
    // about none.
    struct AskedNames {
        BSTR workspace;
        BSTR project = nullptr;
        BSTR config = nullptr;
    };
    // Answers the state's field (when the names asked about, if any, are the
    // current ones) as a new BSTR, or E_FAIL for a failing operation, and
    // records the call; all under the lock.
    HRESULT Answer(const char* what, int slot, const std::string WorkspaceState::*field, BSTR* out,
                   const std::optional<AskedNames>& asked = std::nullopt);
    bool IsCurrent(const AskedNames& asked) const;

    CallLog& log_;
    std::mutex& mutex_;
    const WorkspaceState& state_;
};

class HostPlaceholderSettings : public IHPlaceholderSettings {
public:
    HostPlaceholderSettings(CallLog& log, std::mutex& mutex, const WorkspaceState& state)
        : log_(log), mutex_(mutex), state_(state) {}
    virtual ~HostPlaceholderSettings() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE GetCustomPlaceholders(VARIANT* placeholders) override;
    HRESULT STDMETHODCALLTYPE GetWorkspacePlaceholders(BSTR workspace, VARIANT* placeholders) override;

private:
    CallLog& log_;
    std::mutex& mutex_;
    const WorkspaceState& state_;
};

// The host's placeholder list as it crosses to the plug-in.
HRESULT PlaceholdersToVariant(const std::vector<CustomPlaceholder>& placeholders, VARIANT* out);

}  // namespace simhost
