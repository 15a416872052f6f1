// The plug-in module's own file: the name under which it finds itself, and
// its folder, through which every data file beside the plug-in is found.
#pragma once

#include <string>

// The name under which the plug-in reports its own module.
inline constexpr const char* kPluginModuleFileName = "Q3vVk3.dll";

// The plug-in module's full path as the system gives it.
std::string GetPluginModulePath();

// The plug-in's folder: drive and directory with a trailing backslash.
// Found on the first call and kept until the module unloads, so the text a
// caller holds stays valid whichever thread asks next.
const std::string& GetModuleDirectory();
