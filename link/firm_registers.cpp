// The register file through the firmware, and the register cache.
#include "link/firm_command.h"
#include "link/link_results.h"
#include "link/monitor_services.h"
#include "config/device_data.h"

#include <optional>

namespace {

using namespace link_result;

constexpr std::size_t kRegisterCount = 20;
constexpr std::size_t kPcIndex = 14;
constexpr std::size_t kIntbIndex = 15;
constexpr DWORD kAllRegisters = 4096;
// The register file in the reply: from offset 8, fourteen 16-bit values, two
// 24-bit values, four 16-bit values.
constexpr std::size_t kRegistersAt = 8;

// The cache index of a register number.
std::optional<std::size_t> RegisterIndex(DWORD number) {
    switch (number) {
    case 28:
        return kPcIndex;
    case 31:
        return kIntbIndex;
    case 34:
        return 16;
    case 36:
        return 17;
    case 38:
        return 18;
    case 40:
        return 19;
    default:
        break;
    }
    if (number / 2 < kRegisterCount) {
        return number / 2;
    }
    return std::nullopt;
}

DWORD WidthMask(std::size_t index) {
    if (index == kPcIndex) {
        return g_deviceValues.maxAddr;
    }
    return index == kIntbIndex ? 0xFFFFFF : 0xFFFF;
}

}  // namespace

WORD CFirmCommand::ReadRegisterFile(std::span<DWORD, 20> values) {
    const WORD result = Request(firm_code::kReadRegisters);
    if (result != kOk) {
        return result;
    }
    // The parse took only a reply of exactly the register file's length.
    const BYTE* field = m_reply.data() + kRegistersAt;
    for (std::size_t i = 0; i < kRegisterCount; ++i) {
        if (i == kPcIndex || i == kIntbIndex) {
            GetWord24(&values[i], field, false);
            field += 3;
        } else {
            WORD value = 0;
            GetWord16(&value, field, false);
            values[i] = (values[i] & 0xFFFF0000) | value;
            field += 2;
        }
    }
    return kOk;
}

WORD CFirmCommand::WriteRegisterFile(std::span<const DWORD, 20> values) {
    m_registerCursor = values.data();
    return Request(firm_code::kWriteRegisters);
}

WORD CFirmCommand::GetRegister(DWORD number, DWORD* value) {
    if (number == kAllRegisters) {
        for (std::size_t i = 0; i < kRegisterCount; ++i) {
            value[i] = g_registerImage[i] & WidthMask(i);
        }
        return kOk;
    }
    const auto index = RegisterIndex(number);
    if (!index) {
        return kAborted;
    }
    m_value = number;
    *value = g_registerImage[*index] & WidthMask(*index);
    return kOk;
}

WORD CFirmCommand::SetRegister(DWORD number, const DWORD* value) {
    if (number == kAllRegisters) {
        for (std::size_t i = 0; i < kRegisterCount; ++i) {
            g_registerImage[i] = value[i] & WidthMask(i);
        }
        return kOk;
    }
    const auto index = RegisterIndex(number);
    if (!index) {
        return kAborted;
    }
    m_value = number;
    g_registerImage[*index] = *value & WidthMask(*index);
    return kOk;
}
