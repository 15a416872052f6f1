#include "sim/host/break_condition_services.h"

#include "platform/bstr.h"
#include "platform/host/ids.h"
#include "sim/host/query_answer.h"

#include <cstdio>

namespace simhost {
namespace {

// The demo program's source: a loop that calls a subroutine.
constexpr char kDemoSource[] = "C:\\Vk3Demo\\Vk3Demo.c";
struct DemoLine {
    DWORD address;
    DWORD line;
};
constexpr DemoLine kDemoLines[] = {
    {0xC000, 12}, {0xC004, 13}, {0xC006, 14}, {0xC010, 5}, {0xC012, 6},
};

// The demo's functions by their first and last address.
struct DemoFunction {
    DWORD first;
    DWORD last;
    const char* name;
};
constexpr DemoFunction kDemoFunctions[] = {
    {0xC000, 0xC007, "main"},
    {0xC010, 0xC012, "tick"},
};

std::string Hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof(text), "%X", static_cast<unsigned>(value));
    return text;
}

}  // namespace

HRESULT HostAddressRange::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHAddressRange*>(this), iid, IID_IHAddressRange, object);
}

HRESULT HostAddressRange::GetRange(DWORD* low, DWORD* high) {
    std::optional<std::pair<DWORD, DWORD>> range;
    {
        std::lock_guard lock(mutex_);
        range = range_;
    }
    if (!range && fallback_) {
        range = fallback_();
    }
    const std::pair<DWORD, DWORD> answer = range.value_or(std::pair<DWORD, DWORD>{0, 0xFFFFFFFF});
    log_.Add("GetRange", Hex(answer.first) + ".." + Hex(answer.second));
    if (low != nullptr) {
        *low = answer.first;
    }
    if (high != nullptr) {
        *high = answer.second;
    }
    return S_OK;
}

void HostAddressRange::SetRange(std::optional<std::pair<DWORD, DWORD>> range) {
    std::lock_guard lock(mutex_);
    range_ = range;
}

HostSourcePosition::HostSourcePosition(CallLog& log) : log_(log) {
    for (const DemoLine& line : kDemoLines) {
        lines_[line.address] = {kDemoSource, line.line};
    }
}

HRESULT HostSourcePosition::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHSourcePosition*>(this), iid, IID_IHSourcePosition, object);
}

HRESULT HostSourcePosition::GetSourcePosition(DWORD address, BSTR* file, DWORD* line) {
    std::pair<std::string, DWORD> found;
    {
        std::lock_guard lock(mutex_);
        const auto at = lines_.find(address);
        if (at == lines_.end()) {
            log_.Add("GetSourcePosition", Hex(address) + " none");
            return E_FAIL;
        }
        found = at->second;
    }
    log_.Add("GetSourcePosition", Hex(address));
    if (file != nullptr) {
        *file = platform::AllocBstr(found.first);
    }
    if (line != nullptr) {
        *line = found.second;
    }
    return S_OK;
}

void HostSourcePosition::SetLine(DWORD address, std::string file, DWORD line) {
    std::lock_guard lock(mutex_);
    lines_[address] = {std::move(file), line};
}

std::map<DWORD, std::pair<std::string, DWORD>> HostSourcePosition::Lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

void HostSourcePosition::ClearLines() {
    std::lock_guard lock(mutex_);
    lines_.clear();
}

std::optional<std::string> DemoFunctionAt(DWORD address) {
    for (const DemoFunction& function : kDemoFunctions) {
        if (function.first <= address && address <= function.last) {
            return function.name;
        }
    }
    return std::nullopt;
}

HRESULT HostLookupItem::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHSourceLocation*>(this), iid, IID_IHSourceLocation, object);
}

HRESULT HostLookupItem::GetFunctionName(DWORD address, BSTR* name) {
    bool withheld = false;
    {
        std::lock_guard lock(mutex_);
        withheld = withheld_;
    }
    const std::optional<std::string> function = DemoFunctionAt(address);
    if (withheld || !function) {
        log_.Add("GetFunctionName", Hex(address) + " none");
        return E_FAIL;
    }
    log_.Add("GetFunctionName", Hex(address));
    if (name != nullptr) {
        *name = platform::AllocBstr(*function);
    }
    return S_OK;
}

HRESULT HostLookupItem::GetFileLine(DWORD address, BSTR* file, DWORD* line) {
    return lines_.GetSourcePosition(address, file, line);
}

void HostLookupItem::WithholdFunctionNames(bool withhold) {
    std::lock_guard lock(mutex_);
    withheld_ = withhold;
}

HRESULT HostAddressLookup::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHAddressLookup*>(this), iid, IID_IHAddressLookup, object);
}

HRESULT HostAddressLookup::LookupAddress(DWORD address, IUnknown** item) {
    if (item == nullptr) {
        return E_POINTER;
    }
    *item = nullptr;
    if (!DemoFunctionAt(address)) {
        log_.Add("LookupAddress", Hex(address) + " none");
        return E_FAIL;
    }
    log_.Add("LookupAddress", Hex(address));
    *item = static_cast<IHSourceLocation*>(&item_);
    return S_OK;
}

HRESULT HostSymbolService::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHSymbolService*>(this), iid, IID_IHSymbolService, object);
}

HRESULT HostSymbolService::GetSymbolName(HostSymbolRecord* record) {
    if (record == nullptr) {
        return E_POINTER;
    }
    const std::optional<std::string> function = DemoFunctionAt(record->address);
    if (!function) {
        log_.Add("GetSymbolName", Hex(record->address) + " none");
        return E_FAIL;
    }
    log_.Add("GetSymbolName", Hex(record->address));
    record->name = platform::AllocBstr(*function);
    return S_OK;
}

}  // namespace simhost
