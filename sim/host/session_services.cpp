#include "sim/host/session_services.h"

#include "platform/bstr.h"
#include "platform/common_controls.h"
#include "sim/host/query_answer.h"

namespace simhost {
namespace {

constexpr char kFirstText[] = "CPU";
constexpr char kSecondText[] = "BUILD";
constexpr char kThirdText[] = "DEBUG";

}  // namespace

HRESULT HostRoundingSettings::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(this, iid, IID_IHRoundingSettings, object);
}

HRESULT HostRoundingSettings::SetRounding(DWORD first, DWORD second) {
    log_.Add("SetRounding", std::to_string(first) + "," + std::to_string(second));
    std::lock_guard lock(mutex_);
    pairs_.emplace_back(first, second);
    return S_OK;
}

std::vector<std::pair<DWORD, DWORD>> HostRoundingSettings::Pairs() const {
    std::lock_guard lock(mutex_);
    return pairs_;
}

HRESULT HostSessionNameText::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(this, iid, IID_IHSessionNameText, object);
}

HRESULT HostSessionNameText::GetNameText(BSTR* name) {
    if (name == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    log_.Add("SessionNameText", name_);
    *name = platform::AllocBstr(name_);
    return S_OK;
}

void HostSessionNameText::SetName(std::string name) {
    std::lock_guard lock(mutex_);
    name_ = std::move(name);
}

HRESULT HostDeviceDescription::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IHBuildSettings) {
        *object = static_cast<IHBuildSettings*>(this);
        return S_OK;
    }
    if (iid == IID_IHDeviceDescription) {
        *object = static_cast<IHDeviceDescription*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT HostDeviceDescription::Text(const char* what, const char* value, BSTR* text) {
    if (text == nullptr) {
        return E_POINTER;
    }
    log_.Add(what, value);
    *text = platform::AllocBstr(value);
    return S_OK;
}

HRESULT HostDeviceDescription::GetFirstText(BSTR* text) {
    return Text("BuildSettingsFirst", kFirstText, text);
}

HRESULT HostDeviceDescription::GetSecondText(BSTR* text) {
    return Text("BuildSettingsSecond", kSecondText, text);
}

HRESULT HostDeviceDescription::GetThirdText(BSTR* text) {
    return Text("BuildSettingsThird", kThirdText, text);
}

HRESULT HostDeviceDescription::GetDescription(BSTR first, BSTR second, BSTR third, BSTR* description) {
    if (description == nullptr) {
        return E_POINTER;
    }
    const std::string texts =
        platform::BstrToAnsi(first) + "|" + platform::BstrToAnsi(second) + "|" + platform::BstrToAnsi(third);
    log_.Add("DeviceDescription", texts);
    std::lock_guard lock(mutex_);
    if (!description_ || texts != std::string(kFirstText) + "|" + kSecondText + "|" + kThirdText) {
        return E_FAIL;
    }
    *description = platform::AllocBstr(*description_);
    return S_OK;
}

void HostDeviceDescription::SetDescription(std::optional<std::string> description) {
    std::lock_guard lock(mutex_);
    description_ = std::move(description);
}

HostMainWindow::HostMainWindow() {
    frame_.CreateEx(0, "KTR2", "Kestrune", WS_OVERLAPPED, CRect(0, 0, 800, 600), nullptr, 0);
    statusBar_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 580, 800, 20, frame_.GetSafeHwnd(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)), nullptr, nullptr);
    if (CWinApp* app = AfxGetApp()) {
        app->m_pMainWnd = &frame_;
    }
}

HostMainWindow::~HostMainWindow() {
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == &frame_) {
        app->m_pMainWnd = nullptr;
    }
    frame_.DestroyWindow();
}

std::string HostMainWindow::StatusText(int pane) const {
    const auto length = LOWORD(SendMessageA(statusBar_, SB_GETTEXTLENGTHA, static_cast<WPARAM>(pane), 0));
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(statusBar_, SB_GETTEXTA, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

}  // namespace simhost
