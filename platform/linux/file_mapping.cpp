#include "platform/file_mapping.h"

#include "platform/linux/file_handles.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <mutex>

namespace {

using platform::detail::FileDescriptor;
using platform::detail::FileHandleKind;

// The size of every view, which unmapping needs.
class ViewTable {
public:
    void Add(const void* view, std::size_t size) {
        std::lock_guard lock(mutex_);
        views_[view] = size;
    }
    bool Take(const void* view, std::size_t& size) {
        std::lock_guard lock(mutex_);
        const auto found = views_.find(view);
        if (found == views_.end()) {
            return false;
        }
        size = found->second;
        views_.erase(found);
        return true;
    }

private:
    std::mutex mutex_;
    std::map<const void*, std::size_t> views_;
};

ViewTable& Views() {
    static ViewTable* table = new ViewTable;  // threads still running at exit use it
    return *table;
}

}  // namespace

DWORD GetFileSize(HANDLE file, LPDWORD high) {
    const int descriptor = FileDescriptor(file);
    struct stat info {};
    if (descriptor < 0 || fstat(descriptor, &info) != 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return INVALID_FILE_SIZE;
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (high != nullptr) {
        *high = static_cast<DWORD>(size >> 32);
    }
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size);
}

HANDLE CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES, DWORD protect, DWORD sizeHigh, DWORD sizeLow, LPCSTR name) {
    const int descriptor = FileDescriptor(file);
    if (descriptor < 0 || protect != PAGE_READONLY || sizeHigh != 0 || sizeLow != 0 || name != nullptr) {
        SetLastError(descriptor < 0 ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    struct stat info {};
    if (fstat(descriptor, &info) != 0 || info.st_size == 0) {
        SetLastError(ERROR_FILE_INVALID);
        return nullptr;
    }
    const int copy = dup(descriptor);
    if (copy < 0) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return platform::detail::AddFileHandle(copy, FileHandleKind::Mapping);
}

LPVOID MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow, SIZE_T size) {
    const int descriptor = FileDescriptor(mapping, FileHandleKind::Mapping);
    struct stat info {};
    if (descriptor < 0 || access != FILE_MAP_READ || offsetHigh != 0 || offsetLow != 0 || size != 0 ||
        fstat(descriptor, &info) != 0 || info.st_size == 0) {
        SetLastError(descriptor < 0 ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const auto length = static_cast<std::size_t>(info.st_size);
    void* view = mmap(nullptr, length, PROT_READ, MAP_PRIVATE, descriptor, 0);
    if (view == MAP_FAILED) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    Views().Add(view, length);
    return view;
}

BOOL UnmapViewOfFile(LPCVOID view) {
    std::size_t size = 0;
    if (!Views().Take(view, size)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    munmap(const_cast<void*>(view), size);
    return TRUE;
}
