#include "sim/host/wait_cut.h"

namespace simhost {

bool WaitCut::Cut() {
    std::lock_guard lock(mutex_);
    if (!waiting_) {
        return false;
    }
    asked_ = true;
    return true;
}

WaitCut::Scope::Scope(WaitCut& cut) : cut_(cut) {
    std::lock_guard lock(cut_.mutex_);
    cut_.waiting_ = true;
    cut_.asked_ = false;
}

WaitCut::Scope::~Scope() {
    std::lock_guard lock(cut_.mutex_);
    cut_.waiting_ = false;
    cut_.asked_ = false;
}

}  // namespace simhost
