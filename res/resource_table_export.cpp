// The resource table export of a module whose resources are the plug-in's.
#include "platform/export.h"
#include "res/plugin_resources.h"

Q3V_EXPORT const platform::ResourceTable* Q3vResourceTable() {
    return &PluginResources();
}
