#include "platform/resources.h"

#include "platform/module.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace platform {
namespace {

template <typename Resource>
const Resource* FindById(std::span<const Resource> resources, UINT id) {
    const auto found =
        std::find_if(resources.begin(), resources.end(), [id](const Resource& entry) { return entry.id == id; });
    return found != resources.end() ? &*found : nullptr;
}

}  // namespace

const ResourceTable* FindResourceTable(HINSTANCE module) {
    if (module == nullptr) {
        return nullptr;
    }
    const auto function =
        platform::GetProcAddressAs<Q3vResourceTableFunction>(module, Q3V_RESOURCE_TABLE_EXPORT);
    return function != nullptr ? function() : nullptr;
}

namespace {

// The resource of one kind with this id in the module's table, or null.
template <typename Resource>
const Resource* FindInModule(HINSTANCE module, std::span<const Resource> ResourceTable::*kind, UINT id) {
    const ResourceTable* table = FindResourceTable(module);
    return table != nullptr ? FindById(table->*kind, id) : nullptr;
}

}  // namespace

const char* FindStringResource(HINSTANCE module, UINT id) {
    const StringResource* found = FindInModule(module, &ResourceTable::strings, id);
    return found != nullptr ? found->text : nullptr;
}

const DialogResource* FindDialogResource(HINSTANCE module, UINT id) {
    return FindInModule(module, &ResourceTable::dialogs, id);
}

const MenuResource* FindMenuResource(HINSTANCE module, UINT id) {
    return FindInModule(module, &ResourceTable::menus, id);
}

const AcceleratorResource* FindAcceleratorResource(HINSTANCE module, UINT id) {
    return FindInModule(module, &ResourceTable::accelerators, id);
}

const ToolbarResource* FindToolbarResource(HINSTANCE module, UINT id) {
    return FindInModule(module, &ResourceTable::toolbars, id);
}

const BitmapResource* FindBitmapResource(HINSTANCE module, UINT id) {
    return FindInModule(module, &ResourceTable::bitmaps, id);
}

const IconResource* FindIconResource(HINSTANCE module, UINT id) {
    return FindInModule(module, &ResourceTable::icons, id);
}

const AnimationResource* FindAnimationResource(HINSTANCE module, UINT id) {
    return FindInModule(module, &ResourceTable::animations, id);
}

UINT ResourceId(LPCSTR name) {
    if (name == nullptr) {
        return 0;
    }
    if (IS_INTRESOURCE(name)) {
        return static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name));
    }
    if (name[0] != '#' || name[1] < '0' || name[1] > '9') {
        return 0;
    }
    char* end = nullptr;
    const unsigned long id = std::strtoul(name + 1, &end, 10);
    return *end == '\0' && id <= 0xFFFF ? static_cast<UINT>(id) : 0;
}

std::optional<std::string> LoadResourceString(HINSTANCE module, UINT id) {
    // LoadStringA cuts a string to the buffer: a buffer it fills to the last
    // place may have been too short.
    std::vector<char> buffer(256);
    for (;;) {
        const int length = LoadStringA(module, id, buffer.data(), static_cast<int>(buffer.size()));
        if (length <= 0) {
            return std::nullopt;
        }
        if (static_cast<std::size_t>(length) + 1 < buffer.size()) {
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace platform
