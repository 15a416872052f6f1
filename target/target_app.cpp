#include "target/target_app.h"

#include "platform/module.h"

namespace {

CTargetApp theApp;

}  // namespace

CTargetApp::CTargetApp() : CComponentApp(g_componentTable) {}

BOOL CTargetApp::InitInstance() {
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
