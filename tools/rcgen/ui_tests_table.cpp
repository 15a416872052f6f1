// The user-interface tests' resources, compiled into the program that runs
// the dialog and sheet tests on the system's windows: the program's whole
// table but the menu it holds to be refused (a compiled menu cannot nest an
// item below no popup).
#include "platform/export.h"
#include "tests/platform/ui/test_resources.h"
#include "tools/rcgen/script_table.h"

#include <algorithm>
#include <iterator>
#include <vector>

Q3V_EXPORT const platform::ResourceTable* Q3vResourceTable();

const platform::ResourceTable& ScriptTable() {
    static const std::vector<platform::MenuResource> menus = [] {
        std::vector<platform::MenuResource> kept;
        const std::span<const platform::MenuResource> all = Q3vResourceTable()->menus;
        std::copy_if(all.begin(), all.end(), std::back_inserter(kept),
                     [](const platform::MenuResource& menu) { return menu.id != uitest::kBadMenu; });
        return kept;
    }();
    static const platform::ResourceTable table = [] {
        platform::ResourceTable compiled = *Q3vResourceTable();
        compiled.menus = menus;
        return compiled;
    }();
    return table;
}
