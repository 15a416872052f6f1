#include "plugin/target_app.h"

#include "target/target_exec_vk3.h"
#include "target/target_objects.h"

#include "platform/module.h"

namespace {

CTargetApp theApp;

}  // namespace

CTargetApp::CTargetApp() : CComponentApp(g_componentTable) {}

BOOL CTargetApp::InitInstance() {
    // The family's handlers that this module builds.
    UpdateTargetObjectFactories([](TargetObjectFactories& factories) { factories.execHandler = CreateTargetExecVk3; });
    return CComponentApp::InitInstance();
}

const std::string& CTargetApp::GetModuleDirectory() {
    std::call_once(m_moduleDirectoryFound, [this] {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(GetModuleHandleA(kModuleFileName), path, MAX_PATH);
        const std::string modulePath = path;
        const std::size_t separator = modulePath.find_last_of('\\');
        m_moduleDirectory = separator == std::string::npos ? std::string() : modulePath.substr(0, separator + 1);
    });
    return m_moduleDirectory;
}

CTargetApp& GetTargetApp() {
    return theApp;
}

const std::string& GetModuleDirectory() {
    return GetTargetApp().GetModuleDirectory();
}
