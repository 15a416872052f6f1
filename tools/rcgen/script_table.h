// The table a generator program writes the script of: each program links
// the definition of the table it is for.
#pragma once

#include "platform/resources.h"

const platform::ResourceTable& ScriptTable();
