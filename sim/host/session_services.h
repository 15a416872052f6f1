// The simulated host's services around a target session: the rounding
// setting of its floating-point display (the pairs it was given are kept),
// the name text a session save passes on, the build settings' three texts
// and the device description made from them (a text tests set; without one
// the description service fails), and the host's main window: a frame of
// class "KTR2" with a status bar (id 0xE801) whose pane texts tests read.
#pragma once

#include "platform/afx.h"
#include "platform/host/session_interfaces.h"
#include "sim/host/call_log.h"

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace simhost {

class HostRoundingSettings : public IHRoundingSettings {
public:
    explicit HostRoundingSettings(CallLog& log) : log_(log) {}
    virtual ~HostRoundingSettings() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE SetRounding(DWORD first, DWORD second) override;

    std::vector<std::pair<DWORD, DWORD>> Pairs() const;

private:
    CallLog& log_;
    mutable std::mutex mutex_;
    std::vector<std::pair<DWORD, DWORD>> pairs_;
};

class HostSessionNameText : public IHSessionNameText {
public:
    explicit HostSessionNameText(CallLog& log) : log_(log) {}
    virtual ~HostSessionNameText() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE GetNameText(BSTR* name) override;

    void SetName(std::string name);

private:
    CallLog& log_;
    std::mutex mutex_;
    std::string name_ = "Session";
};

// The three texts of the build settings ("CPU", "BUILD", "DEBUG") and the
// description the host makes of them.
class HostDeviceDescription : public IHBuildSettings, public IHDeviceDescription {
public:
    explicit HostDeviceDescription(CallLog& log) : log_(log) {}
    virtual ~HostDeviceDescription() = default;

    // IUnknown for both interfaces.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE GetFirstText(BSTR* text) override;
    HRESULT STDMETHODCALLTYPE GetSecondText(BSTR* text) override;
    HRESULT STDMETHODCALLTYPE GetThirdText(BSTR* text) override;
    // The description set, when the three texts are the settings' own.
    HRESULT STDMETHODCALLTYPE GetDescription(BSTR first, BSTR second, BSTR third, BSTR* description) override;

    // Nothing: the host has no description to give.
    void SetDescription(std::optional<std::string> description);

private:
    HRESULT Text(const char* what, const char* value, BSTR* text);

    CallLog& log_;
    std::mutex mutex_;
    std::optional<std::string> description_;
};

// The host's main frame window with its status bar. Made on the calling
// thread; it becomes the main window of the program's application object,
// when the program has one, while it exists.
class HostMainWindow {
public:
    static constexpr int kStatusBarId = 0xE801;

    HostMainWindow();
    ~HostMainWindow();
    HostMainWindow(const HostMainWindow&) = delete;
    HostMainWindow& operator=(const HostMainWindow&) = delete;

    HWND Window() const { return frame_.GetSafeHwnd(); }
    // The text of a pane of the status bar.
    std::string StatusText(int pane) const;

private:
    CWnd frame_;
    HWND statusBar_ = nullptr;
};

}  // namespace simhost
