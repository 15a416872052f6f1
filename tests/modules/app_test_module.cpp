// A module with an application object and a string table, for the tests of
// module states, application initialisation and resource lookups.
#include "platform/afx_app.h"
#include "platform/export.h"
#include "platform/resources.h"

#include <iterator>

namespace {

class TestApp : public CWinApp {
public:
    BOOL InitInstance() override {
        ++initCount;
        return CWinApp::InitInstance();
    }
    int ExitInstance() override {
        ++exitCount;
        return 0;
    }
    int initCount = 0;
    int exitCount = 0;
};

TestApp theApp;

const platform::StringResource kStrings[] = {
    {100, "module string"},
    {101, "a longer module string"},
};
const platform::ResourceTable kResources = {.strings = kStrings};

}  // namespace

Q3V_EXPORT const platform::ResourceTable* Q3vResourceTable() {
    return &kResources;
}

Q3V_EXPORT int AppTestInitCount() {
    return theApp.initCount;
}

// The module's resource handle as the module's own code sees it.
Q3V_EXPORT HINSTANCE AppTestResourceHandle() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return AfxGetResourceHandle();
}
