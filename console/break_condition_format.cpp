#include "console/break_condition_format.h"

#include "events/break_condition_table.h"
#include "hostui/host_expression_service.h"

#include "platform/bstr.h"
#include "platform/host/break_condition_interfaces.h"
#include "platform/host/ids.h"

#include <optional>
#include <string>

namespace {

template <typename Interface>
Interface* Service(IHostServiceProvider* host, const IID& iid) {
    Interface* service = nullptr;
    if (host == nullptr || FAILED(host->QueryService(iid, reinterpret_cast<void**>(&service)))) {
        return nullptr;
    }
    return service;
}

std::optional<std::string> FormatAddressValue(IHostServiceProvider* host, DWORD address) {
    CHostExpressionService expressions(host);
    CString text;
    if (FAILED(expressions.FormatAddress(address, text, FALSE, TRUE, FALSE))) {
        return std::nullopt;
    }
    return std::string(static_cast<const char*>(text));
}

// The source-location interface of the lookup's item for the address.
IHSourceLocation* SourceLocation(IHostServiceProvider* host, DWORD address) {
    auto* lookup = Service<IHAddressLookup>(host, IID_IHAddressLookup);
    IUnknown* item = nullptr;
    if (lookup == nullptr || FAILED(lookup->LookupAddress(address, &item)) || item == nullptr) {
        return nullptr;
    }
    IHSourceLocation* location = nullptr;
    if (FAILED(item->QueryInterface(IID_IHSourceLocation, reinterpret_cast<void**>(&location)))) {
        return nullptr;
    }
    return location;
}

// "<file without its folders>/<line>".
std::optional<std::string> FormatSourceLocation(IHSourceLocation* location, DWORD address) {
    platform::Bstr file;
    DWORD line = 0;
    if (location == nullptr || FAILED(location->GetFileLine(address, file.Out(), &line))) {
        return std::nullopt;
    }
    std::string name = file.Ansi();
    if (const std::size_t slash = name.rfind('\\'); slash != std::string::npos) {
        name.erase(0, slash + 1);
    }
    return name + "/" + std::to_string(line);
}

// The item's function, else the symbol table's name of the address.
std::optional<std::string> FormatFunctionName(IHostServiceProvider* host, IHSourceLocation* location,
                                              DWORD address) {
    if (location != nullptr) {
        platform::Bstr name;
        if (SUCCEEDED(location->GetFunctionName(address, name.Out()))) {
            return name.Ansi();
        }
    }
    auto* symbols = Service<IHSymbolService>(host, IID_IHSymbolService);
    if (symbols == nullptr) {
        return std::nullopt;
    }
    HostSymbolRecord record;
    record.address = address;
    const HRESULT found = symbols->GetSymbolName(&record);
    platform::Bstr name;
    *name.Out() = record.name;  // freed also when the host failed
    if (FAILED(found)) {
        return std::nullopt;
    }
    return name.Ansi();
}

}  // namespace

CString FormatBreakConditionAddress(IHostServiceProvider* host, DWORD address) {
    const std::optional<std::string> value = FormatAddressValue(host, address);
    if (!value) {
        return {};
    }
    IHSourceLocation* location = SourceLocation(host, address);
    const std::optional<std::string> source = FormatSourceLocation(location, address);
    const std::optional<std::string> function = FormatFunctionName(host, location, address);
    std::string text = "Address=" + *value;
    if (source && function) {
        text += "(" + *source + "," + *function + ")";
    } else if (source || function) {
        text += "(" + (source ? *source : *function) + ")";
    }
    return text.c_str();
}

void FormatBreakCondition(const CBreakConditionTable& table, IHostServiceProvider* host, CString& text) {
    for (int n = 0; n < table.GetChannelCount(); ++n) {
        DWORD address = 0;
        bool enabled = false;
        CString line;
        if (table.GetChannel(n, &address, &enabled)) {
            line.Format("Break condition: %s %s %s\n", enabled ? "Enable " : "Disable",
                        static_cast<const char*>(FormatBreakConditionAddress(host, address)), "pcbefore");
        } else {
            line.Format("Break condition: %s %s\n", "Disable", "None");
        }
        text += line;
    }
}
