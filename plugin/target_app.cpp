#include "plugin/target_app.h"

#include "target/target_exec_vk3.h"
#include "target/target_objects.h"

namespace {

CTargetApp theApp;

}  // namespace

CTargetApp::CTargetApp() : CComponentApp(g_componentTable) {}

BOOL CTargetApp::InitInstance() {
    // The family's handlers that this module builds.
    UpdateTargetObjectFactories([](TargetObjectFactories& factories) { factories.execHandler = CreateTargetExecVk3; });
    return CComponentApp::InitInstance();
}

CTargetApp& GetTargetApp() {
    return theApp;
}
