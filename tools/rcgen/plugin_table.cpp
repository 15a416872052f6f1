// The plug-in's resources: the script compiled into the plug-in and its
// resource module.
#include "res/plugin_resources.h"
#include "tools/rcgen/script_table.h"

const platform::ResourceTable& ScriptTable() {
    return PluginResources();
}
