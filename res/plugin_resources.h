// The plug-in's resources as data. The plug-in module and its resource module
// export them as their resource table (resource_table_export.cpp). A test
// program that links the plug-in's objects and has resources of its own
// exports one table holding both, as a Windows program links the plug-in's
// compiled resources beside its own.
#pragma once

#include "platform/resources.h"

const platform::ResourceTable& PluginResources();
