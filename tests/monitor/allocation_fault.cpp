#include "tests/monitor/allocation_fault.h"

#include <cstddef>
#include <new>

namespace monitortest {
namespace {

thread_local int t_allocationsBeforeFailure = -1;

bool TakeFailure() {
    if (t_allocationsBeforeFailure < 0) {
        return false;
    }
    return t_allocationsBeforeFailure-- == 0;
}

}  // namespace

void FailNothrowAllocation(int skip) {
    t_allocationsBeforeFailure = skip;
}

}  // namespace monitortest

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (monitortest::TakeFailure()) {
        return nullptr;
    }
    try {
        return ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}
