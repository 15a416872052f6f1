// The simulated host's own resources: the script compiled into the programs
// that play the host on the system's windows, where a plug-in's controls
// find them along the class library's search.
#include "sim/host/host_resources.h"
#include "tools/rcgen/script_table.h"

const platform::ResourceTable& ScriptTable() {
    return simhost::HostResources();
}
