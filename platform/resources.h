// Resources as data.
//
// A module that carries resources (string table, and later dialog templates,
// menus, accelerators, toolbars and bitmaps) exports the function
// Q3vResourceTable, which answers its table. Lookups go through a resource
// handle, the module handle whose table is searched, exactly as the Windows
// resource functions take one.
#pragma once

#include "platform/wintypes.h"

#include <cstddef>

namespace platform {

struct StringResource {
    UINT id;
    const char* text;
};

struct ResourceTable {
    const StringResource* strings;
    std::size_t stringCount;
};

// The table of a module (null when it has none).
const ResourceTable* FindResourceTable(HINSTANCE module);
// A string of a module's table, or null.
const char* FindStringResource(HINSTANCE module, UINT id);

}  // namespace platform

// The export a module with resources defines (C linkage, by this name).
#define Q3V_RESOURCE_TABLE_EXPORT "Q3vResourceTable"
using Q3vResourceTableFunction = const platform::ResourceTable* (*)();

// Copies string id of the module's table into buffer (cut to size-1
// characters) and returns its length; 0 when the string is missing. A size of
// 0 is refused (the read-only pointer form is not offered).
#ifndef _WIN32
int LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int size);
#endif
