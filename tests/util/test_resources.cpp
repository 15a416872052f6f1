// The program's resource table: the plug-in's resources (its objects are
// linked in) with the test dialogs beside them.
#include "tests/util/test_resources.h"

#include "platform/export.h"
#include "res/plugin_resources.h"

namespace {

using namespace utiltest;
namespace rc = platform::rc;

const platform::DialogControl kNumberControls[] = {
    rc::EditText(kValue, 7, 7, 80, 12),
    rc::EditText(kIdCode, 7, 22, 80, 12),
    rc::EditText(kNumber, 7, 37, 80, 12),
    rc::DefPushButton(IDOK, "OK", 7, 55, 50, 14),
    rc::PushButton(IDCANCEL, "Cancel", 62, 55, 50, 14),
};

const platform::DialogControl kHelpControls[] = {
    rc::LText(kUnnamedLabel, "&Field:", 7, 7, 40, 8),
    rc::EditText(kHelpField, 50, 7, 80, 12),
    rc::DefPushButton(IDOK, "OK", 7, 25, 50, 14),
};

const platform::DialogResource kDialogs[] = {
    {kNumberDialog, "Numbers", WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 0, 130, 75, kNumberControls},
    {kHelpDialog, "Help", WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CONTEXTHELP, 0, 0, 140, 45, kHelpControls},
};

}  // namespace

Q3V_EXPORT const platform::ResourceTable* Q3vResourceTable() {
    static const platform::ResourceTable resources = {.strings = PluginResources().strings, .dialogs = kDialogs};
    return &resources;
}
