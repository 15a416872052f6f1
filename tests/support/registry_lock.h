// Held by tests that write fixed keys of the system registry. Under Wine every
// test program shares one registry, and ctest runs the programs side by side,
// so two tests writing the same key would see each other's values. The Linux
// side's registry lives in its process, so there the lock holds nothing.
#pragma once

namespace testing_support {

class RegistryLock {
public:
    RegistryLock();
    ~RegistryLock();
    RegistryLock(const RegistryLock&) = delete;
    RegistryLock& operator=(const RegistryLock&) = delete;

private:
    void* mutex_ = nullptr;
};

}  // namespace testing_support
