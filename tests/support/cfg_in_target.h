// A configuration handler of a test's own in the plug-in's target object,
// where the number texts and the breaks find the denormal flag.
#pragma once

#include "frame/target_handler.h"
#include "target/target_vk3.h"
#include "tests/support/handler_in_target.h"

namespace testsupport {

// A configuration handler whose denormal flag a test chooses.
class RoundingCfg : public CTargetCfg {
public:
    explicit RoundingCfg(WORD flag) : CTargetCfg("Vk3 Q3v SYSTEM", "", "", "", nullptr), flag_(flag) {}
    WORD GetDenormalFlag() const override { return flag_; }

private:
    WORD flag_;
};

}  // namespace testsupport
