// The record of every call the simulated host receives, so that tests can
// assert order and arguments.
#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace simhost {

// One call the host received: what was called, and its arguments as text.
struct CallRecord {
    std::string what;
    std::string detail;
};

class CallLog {
public:
    void Add(std::string what, std::string detail = {});
    std::vector<CallRecord> Calls() const;
    // The calls named what, in order.
    std::vector<CallRecord> Find(const std::string& what) const;
    void Clear();

private:
    mutable std::mutex mutex_;
    std::vector<CallRecord> calls_;
};

}  // namespace simhost
