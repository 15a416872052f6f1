// The special registers that the flash write-back and the mirror refresh set
// while they run: each is read and kept, then set to the device's value, and
// the kept value goes back when the scope ends, whatever way it ends.
#pragma once

#include "config/device_data.h"

#include "platform/wintypes.h"

#include <vector>

class CFirmCommand;

class CSpecialRegisterScope {
public:
    explicit CSpecialRegisterScope(CFirmCommand& command) : m_command(command) {}
    // Writes the kept values back, the last register set first.
    ~CSpecialRegisterScope();
    CSpecialRegisterScope(const CSpecialRegisterScope&) = delete;
    CSpecialRegisterScope& operator=(const CSpecialRegisterScope&) = delete;

    // Reads the register, keeps the bits of keepMask and writes the set
    // value. A failed read leaves the register alone and answers its result.
    WORD Set(const SpecialRegister& reg, BYTE keepMask);

private:
    struct Kept {
        DWORD address;
        BYTE value;
    };
    CFirmCommand& m_command;
    std::vector<Kept> m_kept;
};
