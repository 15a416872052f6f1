// CTargetCfgVk3: the family's configuration handler. It describes the target
// to the host (system name, "Emulator", "1.03.00.002"), keeps the rounding
// mode of the host's floating-point display (0 "RM_NEAR", 1 "RM_ZERO") and
// saves and restores the session options in the workspace under "T_CONFIG_":
// ROUND, GOOPTION (the break-mode settings), STEPOPTION and FLASH_MODE.
#pragma once

#include "frame/target_handler.h"

class CHostProfileAccessor;

class CTargetCfgVk3 : public CTargetCfg {
public:
    // The type codes the run-control factory accepts.
    static constexpr DWORD kTypeCodeFirst = 200;
    static constexpr DWORD kTypeCodeLast = 203;

    CTargetCfgVk3(LPCSTR systemName, LPCSTR deviceName, IHostServiceProvider* host, DWORD typeCode,
                  WORD roundingMode);

    // The rounding mode: 1 ("RM_ZERO") has denormals flushed.
    WORD GetDenormalFlag() const override { return m_roundingMode; }

    // Writes ROUND, GOOPTION, STEPOPTION and FLASH_MODE, each while the one
    // before succeeded; the last write's result. Without a target
    // configuration the two option texts are left out.
    virtual HRESULT SaveTargetConfig(CHostProfileAccessor& accessor);
    // Reads them back; a ROUND or FLASH_MODE text that cannot be read ends the
    // load with 0x80042001 (what was read before stays). A missing key keeps
    // its value.
    virtual HRESULT LoadTargetConfig(CHostProfileAccessor& accessor);

    DWORD GetTypeCode() const { return m_typeCode; }
    WORD GetRoundingMode() const { return m_roundingMode; }
    void SetRoundingMode(WORD mode) { m_roundingMode = mode; }

private:
    // Hands the rounding mode to the host's rounding service, when it has one.
    void PassRoundingToHost() const;

    DWORD m_typeCode;
    WORD m_roundingMode;
};
