// A configuration handler of a test's own in the plug-in's target object,
// where the number texts and the breaks find the denormal flag.
#pragma once

#include "frame/target_handler.h"
#include "target/target_vk3.h"

namespace testsupport {

// A configuration handler whose denormal flag a test chooses.
class RoundingCfg : public CTargetCfg {
public:
    explicit RoundingCfg(WORD flag) : CTargetCfg("Vk3 Q3v SYSTEM", "", "", "", nullptr), flag_(flag) {}
    WORD GetDenormalFlag() const override { return flag_; }

private:
    WORD flag_;
};

// Makes a handler the plug-in target's configuration handler for the scope,
// as the target's initialisation does.
class CfgHandlerInTarget {
public:
    explicit CfgHandlerInTarget(CTargetCfg* handler) { GetTarget()->*Slot() = handler; }
    ~CfgHandlerInTarget() { GetTarget()->*Slot() = nullptr; }
    CfgHandlerInTarget(const CfgHandlerInTarget&) = delete;
    CfgHandlerInTarget& operator=(const CfgHandlerInTarget&) = delete;

private:
    struct Fields : CTarget {
        static CTargetCfg* CTarget::*CfgHandler() { return &Fields::m_cfgHandler; }
    };
    static CTargetCfg* CTarget::*Slot() { return Fields::CfgHandler(); }
};

}  // namespace testsupport
