// The headless window system's resource functions: resources found in the
// modules' resource tables (platform/resources.h), and handed out with the
// bytes of the Windows form where a kind has one here.
#include "platform/module.h"
#include "platform/resources.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <mutex>
#include <tuple>
#include <vector>

namespace platform {
namespace {

// A resource found by FindResourceA. The records live as long as the process,
// so the handles handed out never dangle; a resource is found once per module,
// type and id.
struct FoundResource {
    HMODULE module;
    UINT type;  // the integer type; 0 for animations
    UINT id;
    std::vector<BYTE> bytes;  // the Windows form, for the kinds that have one here
    std::span<const BYTE> given;  // a toolbar given as bytes: where its table holds them

    std::span<const BYTE> Data() const { return given.empty() ? std::span<const BYTE>(bytes) : given; }
};

class FoundResources {
public:
    // The record of a resource found before, its given bytes taken anew.
    FoundResource* Find(HMODULE module, UINT type, UINT id, std::span<const BYTE> given) {
        std::lock_guard lock(mutex_);
        for (FoundResource& record : records_) {
            if (std::tie(record.module, record.type, record.id) == std::tie(module, type, id)) {
                record.given = given;
                return &record;
            }
        }
        return nullptr;
    }

    FoundResource* Add(FoundResource record) {
        std::lock_guard lock(mutex_);
        return &records_.emplace_back(std::move(record));
    }

    bool Holds(const void* handle) {
        std::lock_guard lock(mutex_);
        return std::any_of(records_.begin(), records_.end(),
                           [handle](const FoundResource& record) { return &record == handle; });
    }

private:
    std::mutex mutex_;
    std::deque<FoundResource> records_;
};

FoundResources& Found() {
    static FoundResources* found = new FoundResources;  // handles stay valid through the program's exit
    return *found;
}

std::vector<BYTE> ToolbarBytes(const ToolbarResource& toolbar) {
    std::vector<WORD> words = {1, toolbar.buttonWidth, toolbar.buttonHeight,
                               static_cast<WORD>(toolbar.commands.size())};
    words.insert(words.end(), toolbar.commands.begin(), toolbar.commands.end());
    std::vector<BYTE> bytes;
    for (const WORD word : words) {  // little-endian, as the resource compiler writes them
        bytes.push_back(static_cast<BYTE>(word & 0xFF));
        bytes.push_back(static_cast<BYTE>(word >> 8));
    }
    return bytes;
}

constexpr UINT kAnimationType = 0;

// Whether the module holds the resource, and its bytes where it has a
// Windows form here (or is given as bytes).
bool Locate(HMODULE module, UINT type, UINT id, std::vector<BYTE>& bytes, std::span<const BYTE>& given) {
    switch (type) {
    case 2:  // RT_BITMAP
        return FindBitmapResource(module, id) != nullptr;
    case 3:   // RT_ICON
    case 14:  // RT_GROUP_ICON
        return FindIconResource(module, id) != nullptr;
    case 4:  // RT_MENU
        return FindMenuResource(module, id) != nullptr;
    case 5:  // RT_DIALOG
        return FindDialogResource(module, id) != nullptr;
    case 9:  // RT_ACCELERATOR
        return FindAcceleratorResource(module, id) != nullptr;
    case 241:  // RT_TOOLBAR
        if (const ToolbarResource* toolbar = FindToolbarResource(module, id)) {
            given = toolbar->bytes;
            if (given.empty()) {
                bytes = ToolbarBytes(*toolbar);
            }
            return true;
        }
        return false;
    case kAnimationType:
        return FindAnimationResource(module, id) != nullptr;
    default:
        return false;
    }
}

}  // namespace
}  // namespace platform

int LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int size) {
    if (buffer == nullptr || size <= 0) {
        return 0;
    }
    const char* text = platform::FindStringResource(module, id);
    if (text == nullptr) {
        buffer[0] = '\0';
        return 0;
    }
    const int length = std::min(static_cast<int>(std::strlen(text)), size - 1);
    std::memcpy(buffer, text, static_cast<std::size_t>(length));
    buffer[length] = '\0';
    return length;
}

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    using namespace platform;
    const UINT id = ResourceId(name);
    UINT kind = 0;
    if (type != nullptr && IS_INTRESOURCE(type)) {
        kind = ResourceId(type);
    } else if (type == nullptr || std::strcmp(type, RT_ANIMATION) != 0) {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return nullptr;
    }
    if (module == nullptr) {
        module = GetModuleHandleA(nullptr);
    }
    std::vector<BYTE> bytes;
    std::span<const BYTE> given;
    if (id == 0 || !Locate(module, kind, id, bytes, given)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    if (FoundResource* record = Found().Find(module, kind, id, given)) {
        return reinterpret_cast<HRSRC>(record);
    }
    return reinterpret_cast<HRSRC>(Found().Add({module, kind, id, std::move(bytes), given}));
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) {
    return resource != nullptr && platform::Found().Holds(resource) ? static_cast<HGLOBAL>(resource) : nullptr;
}

LPVOID LockResource(HGLOBAL data) {
    if (data == nullptr || !platform::Found().Holds(data)) {
        return nullptr;
    }
    auto* record = static_cast<platform::FoundResource*>(data);
    const std::span<const BYTE> bytes = record->Data();
    return bytes.empty() ? nullptr : const_cast<BYTE*>(bytes.data());  // resources are read-only all the same
}

DWORD SizeofResource(HMODULE, HRSRC resource) {
    if (resource == nullptr || !platform::Found().Holds(resource)) {
        return 0;
    }
    return static_cast<DWORD>(reinterpret_cast<platform::FoundResource*>(resource)->Data().size());
}

BOOL FreeResource(HGLOBAL) {
    return FALSE;  // resources stay loaded for the module's life, as on 32-bit Windows
}
