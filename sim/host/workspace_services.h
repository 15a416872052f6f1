// The simulated host's workspace services: the workspace information
// (IHWorkSpaceInfo) and the custom-placeholder settings
// (IHPlaceholderSettings), over one workspace that tests set up. Every call is
// recorded in the host's call log.
#pragma once

#include "platform/host/interfaces.h"
#include "sim/host/call_log.h"

#include <mutex>
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

#define SIM_PLACEHOLDER(slot) \
    HRESULT STDMETHODCALLTYPE Placeholder##slot() override { return E_NOTIMPL; }

class HostWorkspaceInfo : public IHWorkSpaceInfo {
public:
    HostWorkspaceInfo(CallLog& log, std::mutex& mutex, const WorkspaceState& state)
        : log_(log), mutex_(mutex), state_(state) {}
    virtual ~HostWorkspaceInfo() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    SIM_PLACEHOLDER(3) SIM_PLACEHOLDER(4)
    HRESULT STDMETHODCALLTYPE GetInstallDirectory(BSTR* folder) override;
    HRESULT STDMETHODCALLTYPE GetTempDirectory(BSTR* folder) override;
    SIM_PLACEHOLDER(7) SIM_PLACEHOLDER(8) SIM_PLACEHOLDER(9)
    HRESULT STDMETHODCALLTYPE GetCurrentConfigName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetCurrentProjectName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetCurrentWorkspaceName(BSTR* name) override;
    SIM_PLACEHOLDER(13) SIM_PLACEHOLDER(14) SIM_PLACEHOLDER(15) SIM_PLACEHOLDER(16)
    SIM_PLACEHOLDER(17) SIM_PLACEHOLDER(18)
    HRESULT STDMETHODCALLTYPE GetConfigName(BSTR workspace, BSTR project, BSTR config, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetProjectName(BSTR workspace, BSTR project, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetWorkspaceName(BSTR workspace, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetConfigDirectory(BSTR workspace, BSTR project, BSTR config, BSTR* folder) override;
    HRESULT STDMETHODCALLTYPE GetProjectDirectory(BSTR workspace, BSTR project, BSTR* folder) override;
    HRESULT STDMETHODCALLTYPE GetWorkspaceDirectory(BSTR workspace, BSTR* folder) override;
    SIM_PLACEHOLDER(25) SIM_PLACEHOLDER(26) SIM_PLACEHOLDER(27) SIM_PLACEHOLDER(28)
    SIM_PLACEHOLDER(29) SIM_PLACEHOLDER(30) SIM_PLACEHOLDER(31) SIM_PLACEHOLDER(32)
    SIM_PLACEHOLDER(33) SIM_PLACEHOLDER(34)
    HRESULT STDMETHODCALLTYPE HasWorkspacePlaceholders(DWORD* flag) override;

private:
    // Answers text (when the names asked about are the current ones) as a new
    // BSTR and records the call.
    HRESULT Answer(const char* what, bool namesMatch, const std::string& text, BSTR* out);
    bool IsCurrent(BSTR workspace, BSTR project = nullptr, BSTR config = nullptr) const;

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
    SIM_PLACEHOLDER(3) SIM_PLACEHOLDER(4) SIM_PLACEHOLDER(5) SIM_PLACEHOLDER(6)
    SIM_PLACEHOLDER(7) SIM_PLACEHOLDER(8) SIM_PLACEHOLDER(9) SIM_PLACEHOLDER(10)
    SIM_PLACEHOLDER(11) SIM_PLACEHOLDER(12) SIM_PLACEHOLDER(13) SIM_PLACEHOLDER(14)
    SIM_PLACEHOLDER(15) SIM_PLACEHOLDER(16) SIM_PLACEHOLDER(17) SIM_PLACEHOLDER(18)
    SIM_PLACEHOLDER(19) SIM_PLACEHOLDER(20) SIM_PLACEHOLDER(21) SIM_PLACEHOLDER(22)
    SIM_PLACEHOLDER(23) SIM_PLACEHOLDER(24) SIM_PLACEHOLDER(25) SIM_PLACEHOLDER(26)
    SIM_PLACEHOLDER(27) SIM_PLACEHOLDER(28) SIM_PLACEHOLDER(29) SIM_PLACEHOLDER(30)
    SIM_PLACEHOLDER(31) SIM_PLACEHOLDER(32) SIM_PLACEHOLDER(33) SIM_PLACEHOLDER(34)
    SIM_PLACEHOLDER(35) SIM_PLACEHOLDER(36) SIM_PLACEHOLDER(37) SIM_PLACEHOLDER(38)
    SIM_PLACEHOLDER(39) SIM_PLACEHOLDER(40) SIM_PLACEHOLDER(41) SIM_PLACEHOLDER(42)
    HRESULT STDMETHODCALLTYPE GetCustomPlaceholders(VARIANT* placeholders) override;
    SIM_PLACEHOLDER(44) SIM_PLACEHOLDER(45) SIM_PLACEHOLDER(46) SIM_PLACEHOLDER(47)
    SIM_PLACEHOLDER(48) SIM_PLACEHOLDER(49) SIM_PLACEHOLDER(50) SIM_PLACEHOLDER(51)
    SIM_PLACEHOLDER(52) SIM_PLACEHOLDER(53) SIM_PLACEHOLDER(54) SIM_PLACEHOLDER(55)
    SIM_PLACEHOLDER(56) SIM_PLACEHOLDER(57) SIM_PLACEHOLDER(58) SIM_PLACEHOLDER(59)
    SIM_PLACEHOLDER(60) SIM_PLACEHOLDER(61) SIM_PLACEHOLDER(62) SIM_PLACEHOLDER(63)
    SIM_PLACEHOLDER(64) SIM_PLACEHOLDER(65) SIM_PLACEHOLDER(66) SIM_PLACEHOLDER(67)
    SIM_PLACEHOLDER(68) SIM_PLACEHOLDER(69) SIM_PLACEHOLDER(70) SIM_PLACEHOLDER(71)
    SIM_PLACEHOLDER(72) SIM_PLACEHOLDER(73) SIM_PLACEHOLDER(74) SIM_PLACEHOLDER(75)
    SIM_PLACEHOLDER(76) SIM_PLACEHOLDER(77) SIM_PLACEHOLDER(78) SIM_PLACEHOLDER(79)
    SIM_PLACEHOLDER(80) SIM_PLACEHOLDER(81) SIM_PLACEHOLDER(82) SIM_PLACEHOLDER(83)
    SIM_PLACEHOLDER(84) SIM_PLACEHOLDER(85) SIM_PLACEHOLDER(86) SIM_PLACEHOLDER(87)
    SIM_PLACEHOLDER(88) SIM_PLACEHOLDER(89) SIM_PLACEHOLDER(90) SIM_PLACEHOLDER(91)
    SIM_PLACEHOLDER(92) SIM_PLACEHOLDER(93) SIM_PLACEHOLDER(94) SIM_PLACEHOLDER(95)
    SIM_PLACEHOLDER(96) SIM_PLACEHOLDER(97) SIM_PLACEHOLDER(98) SIM_PLACEHOLDER(99)
    SIM_PLACEHOLDER(100) SIM_PLACEHOLDER(101) SIM_PLACEHOLDER(102) SIM_PLACEHOLDER(103)
    SIM_PLACEHOLDER(104) SIM_PLACEHOLDER(105) SIM_PLACEHOLDER(106) SIM_PLACEHOLDER(107)
    SIM_PLACEHOLDER(108) SIM_PLACEHOLDER(109) SIM_PLACEHOLDER(110) SIM_PLACEHOLDER(111)
    SIM_PLACEHOLDER(112) SIM_PLACEHOLDER(113) SIM_PLACEHOLDER(114) SIM_PLACEHOLDER(115)
    SIM_PLACEHOLDER(116) SIM_PLACEHOLDER(117) SIM_PLACEHOLDER(118) SIM_PLACEHOLDER(119)
    SIM_PLACEHOLDER(120) SIM_PLACEHOLDER(121) SIM_PLACEHOLDER(122) SIM_PLACEHOLDER(123)
    SIM_PLACEHOLDER(124) SIM_PLACEHOLDER(125) SIM_PLACEHOLDER(126) SIM_PLACEHOLDER(127)
    SIM_PLACEHOLDER(128) SIM_PLACEHOLDER(129) SIM_PLACEHOLDER(130) SIM_PLACEHOLDER(131)
    SIM_PLACEHOLDER(132) SIM_PLACEHOLDER(133) SIM_PLACEHOLDER(134) SIM_PLACEHOLDER(135)
    SIM_PLACEHOLDER(136) SIM_PLACEHOLDER(137) SIM_PLACEHOLDER(138) SIM_PLACEHOLDER(139)
    SIM_PLACEHOLDER(140) SIM_PLACEHOLDER(141) SIM_PLACEHOLDER(142) SIM_PLACEHOLDER(143)
    SIM_PLACEHOLDER(144) SIM_PLACEHOLDER(145) SIM_PLACEHOLDER(146) SIM_PLACEHOLDER(147)
    SIM_PLACEHOLDER(148) SIM_PLACEHOLDER(149) SIM_PLACEHOLDER(150) SIM_PLACEHOLDER(151)
    SIM_PLACEHOLDER(152) SIM_PLACEHOLDER(153) SIM_PLACEHOLDER(154) SIM_PLACEHOLDER(155)
    SIM_PLACEHOLDER(156) SIM_PLACEHOLDER(157) SIM_PLACEHOLDER(158) SIM_PLACEHOLDER(159)
    SIM_PLACEHOLDER(160) SIM_PLACEHOLDER(161) SIM_PLACEHOLDER(162) SIM_PLACEHOLDER(163)
    SIM_PLACEHOLDER(164) SIM_PLACEHOLDER(165) SIM_PLACEHOLDER(166) SIM_PLACEHOLDER(167)
    SIM_PLACEHOLDER(168) SIM_PLACEHOLDER(169) SIM_PLACEHOLDER(170) SIM_PLACEHOLDER(171)
    SIM_PLACEHOLDER(172) SIM_PLACEHOLDER(173) SIM_PLACEHOLDER(174) SIM_PLACEHOLDER(175)
    SIM_PLACEHOLDER(176) SIM_PLACEHOLDER(177) SIM_PLACEHOLDER(178) SIM_PLACEHOLDER(179)
    SIM_PLACEHOLDER(180) SIM_PLACEHOLDER(181) SIM_PLACEHOLDER(182) SIM_PLACEHOLDER(183)
    SIM_PLACEHOLDER(184) SIM_PLACEHOLDER(185)
    HRESULT STDMETHODCALLTYPE GetWorkspacePlaceholders(BSTR workspace, VARIANT* placeholders) override;

private:
    CallLog& log_;
    std::mutex& mutex_;
    const WorkspaceState& state_;
};

#undef SIM_PLACEHOLDER

// The host's placeholder list as it crosses to the plug-in.
HRESULT PlaceholdersToVariant(const std::vector<CustomPlaceholder>& placeholders, VARIANT* out);

}  // namespace simhost
