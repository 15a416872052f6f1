#include "config/module_folder.h"

#include "platform/module.h"

namespace {

std::string FindModuleDirectory() {
    const std::string modulePath = GetPluginModulePath();
    const std::size_t separator = modulePath.find_last_of('\\');
    return separator == std::string::npos ? std::string() : modulePath.substr(0, separator + 1);
}

}  // namespace

std::string GetPluginModulePath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(GetModuleHandleA(kPluginModuleFileName), path, MAX_PATH);
    return path;
}

const std::string& GetModuleDirectory() {
    static const std::string directory = FindModuleDirectory();
    return directory;
}
