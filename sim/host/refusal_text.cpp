#include "sim/host/refusal_text.h"

#include "sim/host/debug_session.h"
#include "sim/host/sim_host.h"

#include "platform/bstr.h"
#include "platform/messages.h"

#include <cstdint>

namespace simhost {
namespace {

// Failures that carry a system error code in their low word.
constexpr std::uint32_t kSystemErrorFailures = 0x80070000u;

// The plug-in's text for the code: asked of the first of its servers that
// reports errors, as every handler's reporter answers the same.
std::string PluginText(HostServiceProvider& services, HRESULT result) {
    for (const InterfaceRegistration& registration : services.Registrations()) {
        IHErrorReporter* reporter = nullptr;
        if (!registration.server ||
            registration.object->QueryInterface(IID_IHErrorReporter, reinterpret_cast<void**>(&reporter)) != S_OK ||
            reporter == nullptr) {
            continue;
        }
        platform::Bstr text;
        if (reporter->GetErrorText(result, text.Out()) != S_OK || text.Ansi() == kUnknownErrorText) {
            return {};
        }
        return text.Ansi();
    }
    return {};
}

// The system's texts of the general results, as it words them.
struct GeneralResult {
    HRESULT result;
    const char* text;
};
constexpr GeneralResult kGeneralResults[] = {
    {E_FAIL, "Unspecified error"},
    {E_NOTIMPL, "Not implemented"},
    {E_NOINTERFACE, "No such interface supported"},
    {E_POINTER, "Invalid pointer"},
};

std::string SystemText(HRESULT result) {
    const auto code = static_cast<std::uint32_t>(result);
    if ((code & 0xFFFF0000u) == kSystemErrorFailures) {
        return SystemMessageText(code & 0xFFFFu);
    }
    for (const GeneralResult& general : kGeneralResults) {
        if (general.result == result) {
            return general.text;
        }
    }
    return {};
}

}  // namespace

std::string SystemMessageText(DWORD code) {
    char text[256] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                        text, sizeof(text), nullptr);
    std::string message(text, length);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
        message.pop_back();
    }
    return message;
}

std::string RefusalText(HostServiceProvider& services, HRESULT result) {
    std::string text = PluginText(services, result);
    if (text.empty()) {
        text = SystemText(result);
    }
    return ResultText(result) + (text.empty() ? "" : " " + text);
}

std::string OutcomeText(HostServiceProvider& services, HRESULT result) {
    return SUCCEEDED(result) ? ResultText(result) : RefusalText(services, result);
}

}  // namespace simhost
