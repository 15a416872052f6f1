// Accelerator tables: loaded from resources, copied out, destroyed.
#include "platform/resources.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

namespace {

struct AcceleratorTables {
    std::mutex mutex;
    std::map<HACCEL, std::vector<ACCEL>> tables;
    std::uintptr_t next = 0x300000;
};

AcceleratorTables& Tables() {
    static AcceleratorTables* tables = new AcceleratorTables;
    return *tables;
}

}  // namespace

HACCEL LoadAcceleratorsA(HINSTANCE module, LPCSTR name) {
    const platform::AcceleratorResource* resource =
        platform::FindAcceleratorResource(module, platform::ResourceId(name));
    if (resource == nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    std::lock_guard lock(Tables().mutex);
    const auto handle = reinterpret_cast<HACCEL>(Tables().next);
    Tables().next += 4;
    Tables().tables[handle].assign(resource->entries.begin(), resource->entries.end());
    return handle;
}

int CopyAcceleratorTableA(HACCEL table, LPACCEL entries, int count) {
    std::lock_guard lock(Tables().mutex);
    const auto found = Tables().tables.find(table);
    if (found == Tables().tables.end()) {
        SetLastError(ERROR_INVALID_ACCEL_HANDLE);
        return 0;
    }
    const int total = static_cast<int>(found->second.size());
    if (entries == nullptr) {
        return total;  // the count, for sizing the copy
    }
    const int copied = std::max(0, std::min(count, total));
    std::copy_n(found->second.begin(), copied, entries);
    return copied;
}

BOOL DestroyAcceleratorTable(HACCEL table) {
    std::lock_guard lock(Tables().mutex);
    if (Tables().tables.erase(table) == 0) {
        SetLastError(ERROR_INVALID_ACCEL_HANDLE);
        return FALSE;
    }
    return TRUE;
}
