// The simulated host's services behind the label controls: the session's
// names (IHSessionInfo), the data manager (IHDataManager), which keeps its
// texts in the workspace storage's file, and the label chooser
// (IHLabelSelection), which answers the labels tests queue and otherwise asks
// whoever stands in for the person (the console), or cancels. Every call is
// recorded in the host's call log.
#pragma once

#include "platform/host/label_interfaces.h"
#include "sim/host/call_log.h"
#include "sim/host/workspace_services.h"

#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

namespace simhost {

class WorkspaceStorage;

// The names of the current workspace, project and configuration.
class HostSessionInfo : public IHSessionInfo {
public:
    HostSessionInfo(CallLog& log, std::mutex& mutex, const WorkspaceState& state)
        : log_(log), mutex_(mutex), state_(state) {}
    virtual ~HostSessionInfo() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE GetProjectName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetWorkspaceName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetConfigurationName(BSTR* name) override;

private:
    HRESULT Answer(const char* what, const std::string WorkspaceState::*field, BSTR* name);

    CallLog& log_;
    std::mutex& mutex_;
    const WorkspaceState& state_;
};

// Texts under three scope texts and a key, in the workspace storage's file
// (its slots 129 and 132, which have the same shape), and where the current
// session lies: its names are the workspace's and the project's, its folder
// and name those the workspace state holds.
class HostDataManager : public IHDataManager {
public:
    // storage: null when the host keeps no texts (they answer E_FAIL).
    HostDataManager(CallLog& log, std::mutex& mutex, const WorkspaceState& state, WorkspaceStorage* storage)
        : log_(log), mutex_(mutex), state_(state), storage_(storage) {}
    virtual ~HostDataManager() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE GetSessionNames(BSTR* first, BSTR* second) override;
    // E_FAIL when the names are not the current ones or no session is open.
    HRESULT STDMETHODCALLTYPE GetSessionFolder(BSTR first, BSTR second, BSTR* folder) override;
    HRESULT STDMETHODCALLTYPE GetSessionName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE StoreText(BSTR workspace, BSTR project, BSTR configuration, BSTR key,
                                        BSTR text) override;
    HRESULT STDMETHODCALLTYPE ReadText(BSTR workspace, BSTR project, BSTR configuration, BSTR key,
                                       BSTR* text) override;

private:
    CallLog& log_;
    std::mutex& mutex_;
    const WorkspaceState& state_;
    WorkspaceStorage* storage_;
};

class HostLabelSelection : public IHLabelSelection {
public:
    // Asked when no label is queued: the label the person chose, or nothing.
    using Asker = std::function<std::optional<std::string>()>;

    explicit HostLabelSelection(CallLog& log) : log_(log) {}
    virtual ~HostLabelSelection() = default;

    // The label the next choice answers.
    void QueueLabel(std::string label);
    void SetAsker(Asker asker);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    // S_OK with the label, or S_FALSE and no label when none was chosen.
    HRESULT STDMETHODCALLTYPE ChooseLabel(BSTR* label) override;

private:
    CallLog& log_;
    std::mutex mutex_;
    std::deque<std::string> queued_;
    Asker asker_;
};

}  // namespace simhost
