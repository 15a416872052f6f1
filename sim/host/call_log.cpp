#include "sim/host/call_log.h"

#include <algorithm>
#include <iterator>

namespace simhost {

void CallLog::Add(std::string what, std::string detail) {
    std::lock_guard lock(mutex_);
    calls_.push_back({std::move(what), std::move(detail)});
}

std::vector<CallRecord> CallLog::Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

std::vector<CallRecord> CallLog::Find(const std::string& what) const {
    std::lock_guard lock(mutex_);
    std::vector<CallRecord> found;
    std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(found),
                 [&](const CallRecord& call) { return call.what == what; });
    return found;
}

void CallLog::Clear() {
    std::lock_guard lock(mutex_);
    calls_.clear();
}

}  // namespace simhost
