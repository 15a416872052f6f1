#include "sim/host/run_control_services.h"

#include "sim/host/call_log.h"

#include "platform/bstr.h"
#include "sim/host/query_answer.h"

#include <cctype>
#include <cstdio>
#include <string_view>

namespace simhost {

const std::array<HostRegisterName, kHostRegisterCount> kHostRegisterNames{{
    {"0R0", 2}, {"0R1", 2}, {"0R2", 2}, {"0R3", 2}, {"0A0", 2}, {"0A1", 2}, {"0FB", 2},
    {"1R0", 2}, {"1R1", 2}, {"1R2", 2}, {"1R3", 2}, {"1A0", 2}, {"1A1", 2}, {"1FB", 2},
    {"PC", 3},  {"INTB", 3}, {"USP", 2}, {"ISP", 2}, {"SB", 2},  {"FLG", 2},
}};

HRESULT HostRegisters::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHRegisterService*>(this), iid, IID_IHRegisterService, object);
}

int HostRegisters::Find(BSTR name) const {
    const std::string text = platform::BstrToAnsi(name);
    const auto same = [&](std::string_view known) {
        if (known.size() != text.size()) {
            return false;
        }
        for (std::size_t i = 0; i < known.size(); ++i) {
            if (std::toupper(static_cast<unsigned char>(text[i])) != known[i]) {
                return false;
            }
        }
        return true;
    };
    for (std::size_t i = 0; i < kHostRegisterNames.size(); ++i) {
        if (same(kHostRegisterNames[i].name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

HRESULT HostRegisters::GetValueByName(BSTR name, DWORD* value) {
    log_.Add("GetValueByName", platform::BstrToAnsi(name));
    const int index = Find(name);
    if (index < 0 || value == nullptr) {
        return E_INVALIDARG;
    }
    *value = Value(static_cast<std::size_t>(index));
    return S_OK;
}

HRESULT HostRegisters::GetBytesByName(BSTR name, BYTE* bytes, WORD* width) {
    log_.Add("GetBytesByName", platform::BstrToAnsi(name));
    const int index = Find(name);
    if (index < 0 || bytes == nullptr || width == nullptr) {
        return E_INVALIDARG;
    }
    const WORD size = kHostRegisterNames[static_cast<std::size_t>(index)].width;
    const DWORD value = Value(static_cast<std::size_t>(index));
    for (WORD i = 0; i < 4; ++i) {
        bytes[i] = i < size ? static_cast<BYTE>(value >> (8 * (size - 1 - i))) : 0;
    }
    *width = size;
    return S_OK;
}

HRESULT HostStopPositions::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHStopPosition*>(this), iid, IID_IHStopPosition, object);
}

HRESULT HostStopPositions::SetStopPosition(DWORD pc) {
    char text[16];
    std::snprintf(text, sizeof(text), "%06X", static_cast<unsigned>(pc));
    log_.Add("SetStopPosition", text);
    std::lock_guard lock(mutex_);
    positions_.push_back(pc);
    return S_OK;
}

std::vector<DWORD> HostStopPositions::Positions() const {
    std::lock_guard lock(mutex_);
    return positions_;
}

}  // namespace simhost
