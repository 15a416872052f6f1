#include "sim/host/console.h"

#include "platform/afx.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>

namespace simhost {
namespace {

std::string ResultText(HRESULT result) {
    switch (result) {
    case S_OK:
        return "S_OK";
    case S_FALSE:
        return "S_FALSE";
    case E_FAIL:
        return "E_FAIL";
    case E_NOINTERFACE:
        return "E_NOINTERFACE";
    case E_NOTIMPL:
        return "E_NOTIMPL";
    case E_INVALIDARG:
        return "E_INVALIDARG";
    default:
        break;
    }
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08X", static_cast<unsigned>(result));
    return text;
}

// The interfaces the demo asks the plug-in for.
const IID* const kQueriedInterfaces[] = {
    &IID_IHRegistryClient,   &IID_IHComponent,           &IID_IHWorkSpaceClient, &IID_IHWorkSpaceClient2,
    &IID_IHWorkSpaceClientExtra, &CLSID_Q3vVk3Target, &CLSID_Q3vVk3UiComponent, &IID_IHTarget,
};

}  // namespace

Console::Console(SimHost& host, std::istream& in, std::ostream& out, bool interactive)
    : host_(host), in_(in), out_(out), ui_(in, out, interactive) {
    host_.Services().Output().SetPrinter([this](const std::string& line) { out_ << line << "\n"; });
    if (interactive) {
        // The host's label chooser asks the person at the console.
        host_.Services().Labels().SetAsker([this]() -> std::optional<std::string> {
            out_ << "[choose a label]\nlabel (empty to cancel): " << std::flush;
            std::string label;
            if (!std::getline(in_, label) || label.empty()) {
                return std::nullopt;
            }
            return label;
        });
    }
}

Console::~Console() {
    host_.Services().Output().SetPrinter(nullptr);
    host_.Services().Labels().SetAsker(nullptr);
}

bool Console::StartSession() {
    if (!host_.Load()) {
        out_ << "simhost: " << host_.LoadError() << "\n";
        return false;
    }
    out_ << "simhost: loaded the plug-in module\n";
    out_ << "LibraryRegister: " << ResultText(host_.RegisterLibrary()) << "\n";
    ShowRegistrations();
    ShowInterfaces();
    out_ << "attach: " << ResultText(host_.AttachComponents()) << "\n";
    for (const AttachedComponent& component : host_.Components()) {
        out_ << "  " << component.name << ": " << ResultText(component.attachResult) << "\n";
    }
    ShowHostRegistrations();
    ShowUi();
    return true;
}

int Console::RunScript() {
    if (!StartSession()) {
        return 1;
    }
    out_ << "detach: " << ResultText(host_.DetachComponents()) << "\n";
    ShowHostRegistrations();
    ShowUi();
    host_.Unload();
    out_ << "simhost: unloaded the plug-in module\n";
    return 0;
}

int Console::RunInteractive() {
    if (!StartSession()) {
        return 1;
    }
    out_ << "type \"help\" for the commands\n";
    std::string line;
    while (out_ << "simhost> " << std::flush, std::getline(in_, line)) {
        if (!Execute(line)) {
            break;
        }
    }
    host_.Unload();
    return 0;
}

bool Console::Execute(const std::string& line) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    if (command.empty()) {
        return true;
    }
    if (command == "quit" || command == "exit") {
        return false;
    }
    if (command == "help") {
        out_ << "registrations  what the plug-in registered with the host's registry\n"
                "interfaces     which interfaces the plug-in answers\n"
                "host           the client and server registrations in place\n"
                "log            every call the host received\n"
                "ui             the plug-in's menus, toolbars and windows in the host\n"
                "menu <id>      chooses the command of a registered menu\n"
                "quit           detach, unload and leave\n";
    } else if (command == "registrations") {
        ShowRegistrations();
    } else if (command == "interfaces") {
        ShowInterfaces();
    } else if (command == "host") {
        ShowHostRegistrations();
    } else if (command == "log") {
        ShowLog();
    } else if (command == "ui") {
        ShowUi();
    } else if (command == "menu") {
        ChooseMenuCommand(words);
    } else {
        out_ << "unknown command \"" << command << "\" (\"help\" lists the commands)\n";
    }
    return true;
}

void Console::ShowRegistrations() {
    out_ << "registered with the host:\n";
    for (const ComponentRegistration& registration : host_.Registry().Registrations()) {
        if (registration.isTarget) {
            out_ << "  target \"" << registration.name << "\", family \"" << registration.family << "\", kind "
                 << registration.kindOrCategory << ", class " << GuidText(registration.clsid) << " ("
                 << IdName(registration.clsid) << ")\n    with " << registration.ids.size() << " ids:";
            for (const IID& id : registration.ids) {
                out_ << " " << IdName(id);
            }
            out_ << "\n";
        } else {
            out_ << "  component \"" << registration.name << "\", category " << registration.kindOrCategory
                 << ", class " << GuidText(registration.clsid) << " (" << IdName(registration.clsid) << ")\n";
        }
    }
}

void Console::ShowInterfaces() {
    out_ << "QueryInterface:\n";
    for (const IID* iid : kQueriedInterfaces) {
        void* object = nullptr;
        const HRESULT result = host_.QueryPluginInterface(*iid, &object);
        out_ << "  " << IdName(*iid) << ": " << (result == S_OK && object != nullptr ? "found" : ResultText(result))
             << "\n";
    }
}

void Console::ShowHostRegistrations() {
    const auto registrations = host_.Services().Registrations();
    out_ << "client and server registrations in place: " << registrations.size() << "\n";
    for (const InterfaceRegistration& registration : registrations) {
        out_ << "  " << (registration.server ? "server " : "client ") << IdName(registration.iid) << "\n";
    }
}

void Console::ShowUi() {
    host_.Services().UiRegistry().Describe(out_);
}

void Console::ChooseMenuCommand(std::istream& words) {
    std::string text;
    words >> text;
    char* end = nullptr;
    const unsigned long id = std::strtoul(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0' || id == 0 || id > 0xFFFF) {
        out_ << "menu: give the command id of a menu item (1 to 65535)\n";
        return;
    }
    const UINT command = static_cast<UINT>(id);
    const HWND window = host_.Services().UiRegistry().WindowForCommand(command);
    if (window == nullptr) {
        out_ << "menu " << command << ": no registered menu holds it\n";
        return;
    }
    if (!platform::QueryCommandState(window, command).enabled) {
        out_ << "menu " << command << ": disabled\n";
        return;
    }
    out_ << "menu " << command << ": chosen\n";
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void Console::ShowLog() {
    for (const CallRecord& call : host_.Log().Calls()) {
        out_ << "  " << call.what << (call.detail.empty() ? "" : " " + call.detail) << "\n";
    }
}

}  // namespace simhost
