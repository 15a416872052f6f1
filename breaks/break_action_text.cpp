#include "breaks/break_action_text.h"

#include "frame/error_codes.h"
#include "util/scan_values.h"

#include <cstdio>
#include <cstring>

namespace {

// The longest file name a value may carry.
constexpr std::size_t kNameLimit = 299;

bool IsUnitSize(DWORD size) {
    return size == 1 || size == 2 || size == 4 || size == 8;
}

// The characters between the first double quote and the next.
bool ReadQuotedName(const char* value, std::string& name) {
    const char* open = std::strchr(value, '"');
    const char* close = open != nullptr ? std::strchr(open + 1, '"') : nullptr;
    if (close == nullptr || static_cast<std::size_t>(close - open - 1) > kNameLimit) {
        return false;
    }
    name.assign(open + 1, close);
    return true;
}

std::string Format(const char* format, auto... values) {
    char text[64] = {};
    std::snprintf(text, sizeof(text), format, values...);
    return text;
}

}  // namespace

std::string FormatBreakActionText(const CTBreakAction& action) {
    const int type = static_cast<int>(action.GetType());
    switch (action.GetType()) {
        case break_action::kStop:
            return Format(",%d", type);
        case break_action::kFileInput:
        case break_action::kFileOutput: {
            const auto& file = static_cast<const CTBreakActionFile&>(action);
            std::string text = Format(",%d,%08X,%d,%d", type, static_cast<unsigned>(file.GetAddress()),
                                      static_cast<int>(file.GetDataSize()), static_cast<int>(file.GetCount()));
            if (action.GetType() == break_action::kFileOutput) {
                text += Format(",%d", static_cast<int>(static_cast<const CTBreakActionFileOutput&>(action).GetAppend()));
            }
            return text + ",\"" + file.GetFileName() + "\"";
        }
        case break_action::kInterrupt: {
            const auto& interrupt = static_cast<const CTBreakActionInterrupt&>(action);
            return Format(",%d,%X,%X,%X", type, static_cast<unsigned>(interrupt.GetInterruptType1()),
                          static_cast<unsigned>(interrupt.GetInterruptType2()),
                          static_cast<unsigned>(interrupt.GetPriority()));
        }
        default:
            return {};
    }
}

HRESULT ParseBreakActionText(BreakActionDesc& desc, const char* suffix, const char* value) {
    LONG type = 0;
    if (ScanValues(suffix, "%d", &type) != 1) {
        return TE_NOT_AVAILABLE;
    }
    desc.type = type;
    bool read = false;
    switch (type) {
        case break_action::kStop:
            read = true;
            break;
        case break_action::kFileInput:
            read = ScanValues(suffix, "%d,%x,%d,%d", &type, &desc.address, &desc.dataSize, &desc.count) == 4 &&
                   IsUnitSize(desc.dataSize) && ReadQuotedName(value, desc.fileName);
            break;
        case break_action::kFileOutput:
            read = ScanValues(suffix, "%d,%x,%d,%d,%d", &type, &desc.address, &desc.dataSize, &desc.count,
                              &desc.append) == 5 &&
                   IsUnitSize(desc.dataSize) && ReadQuotedName(value, desc.fileName);
            break;
        case break_action::kInterrupt:
            read = ScanValues(suffix, "%d,%x,%x,%x", &type, &desc.interruptType1, &desc.interruptType2,
                              &desc.priority) == 4;
            break;
        default:
            break;
    }
    return read ? S_OK : TE_NOT_AVAILABLE;
}
