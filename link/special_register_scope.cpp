#include "link/special_register_scope.h"

#include "link/firm_buffers.h"
#include "link/firm_command.h"
#include "link/link_results.h"

CSpecialRegisterScope::~CSpecialRegisterScope() {
    for (auto kept = m_kept.rbegin(); kept != m_kept.rend(); ++kept) {
        g_firmWriteData[0] = kept->value;
        m_command.WriteMemory(access_code::kByte, kept->address, 1, 0);
    }
}

WORD CSpecialRegisterScope::Set(const SpecialRegister& reg, BYTE keepMask) {
    BYTE value = 0;
    if (const WORD read = m_command.ReadMemory(access_code::kByte, reg.address, 1, &value);
        read != link_result::kOk) {
        return read;
    }
    m_kept.push_back({reg.address, static_cast<BYTE>(value & keepMask)});
    g_firmWriteData[0] = static_cast<BYTE>(reg.setValue);
    return m_command.WriteMemory(access_code::kByte, reg.address, 1, 0);
}
