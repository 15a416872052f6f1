// The simulated host's services behind the target's setting items: the names
// of its current workspace, project, configuration and session (from the
// workspace tests set up; an empty name is one the host cannot tell), and
// the setting texts it keeps, by workspace, project and session name.
#pragma once

#include "platform/host/status_interfaces.h"
#include "sim/host/call_log.h"
#include "sim/host/workspace_services.h"

#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace simhost {

class HostWorkspaceNames : public IHWorkspaceNames {
public:
    HostWorkspaceNames(CallLog& log, std::mutex& mutex, const WorkspaceState& state)
        : log_(log), mutex_(mutex), state_(state) {}
    virtual ~HostWorkspaceNames() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE GetWorkspaceName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetProjectName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetConfigurationName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetSessionName(BSTR* name) override;

private:
    HRESULT Answer(const char* what, const std::string WorkspaceState::*field, BSTR* name);

    CallLog& log_;
    std::mutex& mutex_;
    const WorkspaceState& state_;
};

class HostSettingTexts : public IHSettingText {
public:
    explicit HostSettingTexts(CallLog& log) : log_(log) {}
    virtual ~HostSettingTexts() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    // A text never stored reads as an empty text.
    HRESULT STDMETHODCALLTYPE GetSettingText(BSTR workspace, BSTR project, BSTR session, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE SetSettingText(BSTR workspace, BSTR project, BSTR session, BSTR text) override;

    // The text kept for those names, if any.
    std::optional<std::string> Stored(const std::string& workspace, const std::string& project,
                                      const std::string& session) const;
    void Store(const std::string& workspace, const std::string& project, const std::string& session,
               std::string text);

private:
    CallLog& log_;
    mutable std::mutex mutex_;
    std::map<std::string, std::string> texts_;  // by "workspace|project|session"
};

}  // namespace simhost
