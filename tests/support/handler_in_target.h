// A handler of a test's own in the plug-in's target object for the scope, as
// the target's initialisation would place it.
#pragma once

#include "target/target_vk3.h"

namespace testsupport {

// The target's handler slots, named from a class of the target's own.
struct TargetSlots : CTarget {
    static CTargetCfg* CTarget::*Cfg() { return &TargetSlots::m_cfgHandler; }
    static CTargetExec* CTarget::*Exec() { return &TargetSlots::m_execHandler; }
    static CTargetMemory* CTarget::*Memory() { return &TargetSlots::m_memoryHandler; }
};

template <typename Handler>
class HandlerInTarget {
public:
    HandlerInTarget(Handler* CTarget::*slot, Handler* handler) : slot_(slot) { GetTarget()->*slot_ = handler; }
    ~HandlerInTarget() { GetTarget()->*slot_ = nullptr; }
    HandlerInTarget(const HandlerInTarget&) = delete;
    HandlerInTarget& operator=(const HandlerInTarget&) = delete;

private:
    Handler* CTarget::*slot_;
};

// The target's configuration handler for the scope.
class CfgHandlerInTarget : public HandlerInTarget<CTargetCfg> {
public:
    explicit CfgHandlerInTarget(CTargetCfg* handler) : HandlerInTarget(TargetSlots::Cfg(), handler) {}
};

}  // namespace testsupport
