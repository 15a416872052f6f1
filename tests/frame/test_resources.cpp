// The program's resource table: the plug-in's resources (its objects are
// linked in) with the test dialogs beside them.
#include "tests/frame/test_resources.h"

#include "platform/export.h"
#include "res/plugin_resources.h"

namespace {

using namespace frametest;
namespace rc = platform::rc;

const platform::DialogControl kConnectingControls[] = {
    rc::LText(kConnectingText, "Connecting to the emulator...", 7, 7, 120, 8),
    rc::PushButton(IDCANCEL, "Cancel", 50, 25, 50, 14),
};

const platform::DialogResource kDialogs[] = {
    {kConnectingDialog, "Connecting", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 150, 45, kConnectingControls},
};

}  // namespace

Q3V_EXPORT const platform::ResourceTable* Q3vResourceTable() {
    static const platform::ResourceTable resources = {.strings = PluginResources().strings, .dialogs = kDialogs};
    return &resources;
}
