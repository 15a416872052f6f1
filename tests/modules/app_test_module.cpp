// A module with an application object and resources (a string table, a
// dialog and a menu), for the tests of module states, application
// initialisation and resource lookups.
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

// A dialog and a menu with the ids that the program's own resources use
// too, so that tests see which module a lookup went to.
const platform::DialogControl kDialogControls[] = {
    platform::rc::DefPushButton(IDOK, "OK", 10, 10, 50, 14),
};
const platform::DialogResource kDialogs[] = {
    {100, "Module Dialog", WS_POPUP | WS_CAPTION, 0, 0, 80, 40, kDialogControls},
};
const platform::MenuEntry kMenuItems[] = {
    {0, "&Module", 0, MF_POPUP},
    {1, "&Only here", 33001},
};
const platform::MenuResource kMenus[] = {
    {300, kMenuItems},
};

const platform::ResourceTable kResources = {.strings = kStrings, .dialogs = kDialogs, .menus = kMenus};

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
