#include "events/event_editor_rules.h"

#include "platform/bstr.h"
#include "platform/host/break_condition_interfaces.h"
#include "platform/host/ids.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr DWORD kHexRadix = 16;

std::optional<DWORD> Evaluated(IHExpressionEvaluator* evaluator, const std::string& text) {
    DWORD value = 0;
    const platform::Bstr wide(text);
    if (FAILED(evaluator->EvaluateValue(wide.Get(), &value))) {
        return std::nullopt;
    }
    return value;
}

// A number text in hexadecimal, as the host converts it.
std::optional<DWORD> Hexadecimal(IHExpressionEvaluator* evaluator, const std::string& text) {
    DWORD value = 0;
    const platform::Bstr wide(text);
    if (FAILED(evaluator->Evaluate(wide.Get(), kHexRadix, &value))) {
        return std::nullopt;
    }
    return value;
}

DWORD AddressMask(LONG bits) {
    return 0xFFFF0000u | ((0xFFFFu >> bits) << bits);
}

std::string Hex(const char* format, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof(text), format, value);
    return text;
}

}  // namespace

std::string EditorAddressRange::Format(DWORD address) const {
    char text[32];
    std::snprintf(text, sizeof(text), "%0*X", digits, static_cast<unsigned>(address));
    return text;
}

EditorAddressRange ReadEditorAddressRange(IHostServiceProvider* host) {
    EditorAddressRange range;
    IHAddressRange* service = nullptr;
    if (host != nullptr) {
        static_cast<void>(host->QueryService(IID_IHAddressRange, reinterpret_cast<void**>(&service)));
    }
    if (service == nullptr) {
        return range;
    }
    range.low = 0;
    range.high = 0;
    static_cast<void>(service->GetRange(&range.low, &range.high));  // the result is not read
    range.digits = 0;
    for (DWORD rest = range.high; rest != 0; rest >>= 8) {
        range.digits += 2;
    }
    return range;
}

IHExpressionEvaluator* HostExpressionEvaluator(IHostServiceProvider* host) {
    IHExpressionEvaluator* evaluator = nullptr;
    if (host != nullptr) {
        // The pointer tells whether the host offers the service.
        static_cast<void>(host->QueryService(IID_IHExpressionEvaluator, reinterpret_cast<void**>(&evaluator)));
    }
    return evaluator;
}

std::optional<DWORD> EvaluateEditorAddress(IHExpressionEvaluator* evaluator, const std::string& text,
                                           const EditorAddressRange& range) {
    if (evaluator == nullptr) {
        return std::nullopt;
    }
    const std::optional<DWORD> value = Evaluated(evaluator, text);
    if (!value || !range.Contains(*value)) {
        return std::nullopt;
    }
    return value;
}

LONG ClampMaskBits(LONG bits) {
    return std::clamp<LONG>(bits, 0, 15);
}

std::string FormatRangeText(const std::string& addressText, LONG maskBits, IHExpressionEvaluator* evaluator,
                            const EditorAddressRange& range) {
    if (addressText.empty() || maskBits == 0) {
        return {};
    }
    const std::optional<DWORD> address = EvaluateEditorAddress(evaluator, addressText, range);
    if (!address) {
        return {};
    }
    const DWORD mask = AddressMask(ClampMaskBits(maskBits));
    return "(" + range.Format(*address & mask) + " <= (addr) <= " + range.Format(*address | ~mask) + ")";
}

namespace {

// Event A's data and data mask from their texts: 0, or the field to correct.
int ReadData(const EventSettingEntries& entries, IHExpressionEvaluator* evaluator, const EventSettingFields& fields,
             CEventDescriptor& a) {
    if (entries.dataA.empty()) {
        a.data = 0;
        a.dataMask = 0;
        return 0;
    }
    const std::optional<DWORD> data = Hexadecimal(evaluator, entries.dataA);
    if (!data || (entries.accessSizeA == 1 && *data > 0xFF)) {
        return fields.dataA;
    }
    if (entries.accessSizeA == 2 && (a.address & 1) != 0) {
        return fields.accessSizeA;
    }
    if (*data > 0xFFFF) {
        return fields.dataA;
    }
    a.data = static_cast<WORD>(*data);
    if (entries.maskA.empty()) {
        a.dataMask = 0xFFFF;
        return 0;
    }
    const std::optional<DWORD> mask = Hexadecimal(evaluator, entries.maskA);
    if (!mask) {
        return fields.maskA;
    }
    a.dataMask = static_cast<WORD>(*mask);
    if (a.dataMask == 0) {
        a.data = 0;
    }
    return 0;
}

void SetName(CEventDescriptor& event, const std::string& text) {
    event.name.fill('\0');
    std::memcpy(event.name.data(), text.data(), std::min(text.size(), event.name.size() - 1));
}

}  // namespace

int ReadEventSettingEntries(const EventSettingEntries& entries, IHExpressionEvaluator* evaluator,
                            const EditorAddressRange& range, const EventSettingFields& fields, CEventDescriptor& a,
                            CEventDescriptor& b) {
    CEventDescriptor newA = a;
    CEventDescriptor newB = b;
    newA.maskBits = ClampMaskBits(entries.maskBitsA);
    newB.maskBits = ClampMaskBits(entries.maskBitsB);
    newA.accessSize = entries.accessSizeA;
    newB.accessSize = entries.accessSizeB;
    newA.accessType = entries.accessTypeA;
    newB.accessType = entries.accessTypeB;
    if (evaluator != nullptr) {
        const std::optional<DWORD> addressA = EvaluateEditorAddress(evaluator, entries.addressA, range);
        if (!addressA) {
            return fields.addressA;
        }
        newA.address = (*addressA >> newA.maskBits) << newA.maskBits;
        const std::optional<DWORD> addressB = EvaluateEditorAddress(evaluator, entries.addressB, range);
        if (!addressB) {
            return fields.addressB;
        }
        newB.address = (*addressB >> newB.maskBits) << newB.maskBits;
        newA.kind = 0;
        newB.kind = 1;
        if (const int refused = ReadData(entries, evaluator, fields, newA); refused != 0) {
            return refused;
        }
        // The names are the texts the addresses came from.
        SetName(newA, entries.addressA);
        SetName(newB, entries.addressB);
    }
    a = newA;
    b = newB;
    return 0;
}

void FormatEventData(const CEventDescriptor& a, std::string& data, std::string& mask) {
    const bool byte = a.accessSize == 1;
    const char* format = byte ? "%02X" : "%04X";
    const unsigned all = byte ? 0xFFu : 0xFFFFu;
    const unsigned compared = byte ? (a.dataMask & 0xFFu) : a.dataMask;
    data = Hex(format, a.data);
    mask = Hex(format, a.dataMask);
    if (compared == 0) {
        data.clear();
        mask.clear();
    } else if (compared == all) {
        mask.clear();
    }
}
