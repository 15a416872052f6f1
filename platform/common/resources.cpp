#include "platform/resources.h"

#include "platform/module.h"

#include <algorithm>
#include <cstring>

namespace platform {

const ResourceTable* FindResourceTable(HINSTANCE module) {
    if (module == nullptr) {
        return nullptr;
    }
    const auto function =
        platform::GetProcAddressAs<Q3vResourceTableFunction>(module, Q3V_RESOURCE_TABLE_EXPORT);
    return function != nullptr ? function() : nullptr;
}

const char* FindStringResource(HINSTANCE module, UINT id) {
    const ResourceTable* table = FindResourceTable(module);
    if (table == nullptr) {
        return nullptr;
    }
    const StringResource* end = table->strings + table->stringCount;
    const StringResource* found =
        std::find_if(table->strings, end, [id](const StringResource& entry) { return entry.id == id; });
    return found != end ? found->text : nullptr;
}

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
