// The program's resource table: the plug-in's resources (its objects are
// linked in) with the test component's beside them.
#include "tests/hostui/test_resources.h"

#include "platform/export.h"
#include "res/plugin_resources.h"

#include <vector>

namespace {

using namespace hostuitest;

const std::string kLongText = std::string(200, 'L');

const platform::MenuEntry kEdgeItems[] = {
    {0, "Below", 0x6FFF},
    {0, "First", 0x7000},
    {0, "Last", 0xEFFF},
    {0, "Above", 0xF000},
    {0, "", 0x7001},
    {0, nullptr, 0, MF_SEPARATOR},
    {0, "&Popup", 0, MF_POPUP},
    {1, "Inner", 0x7002},
    {0, kLongText.c_str(), 0x7003},
};

const platform::MenuEntry kComponentItems[] = {
    {0, "&File", 0, MF_POPUP},
    {1, "&Open", kOpen},
    {1, "&Close", kClose},
    {0, "&Run", kRun},
};

const platform::MenuResource kTestMenus[] = {
    {kEdgeMenu, kEdgeItems},
    {kComponentMenu, kComponentItems},
};

const ACCEL kAcceleratorEntries[] = {
    {FVIRTKEY, 'O', static_cast<WORD>(kOpen)},
    {FVIRTKEY, 'C', static_cast<WORD>(kClose)},
    {FVIRTKEY, 'P', static_cast<WORD>(kOpen)},
};

const platform::AcceleratorResource kTestAccelerators[] = {
    {kAccelerators, kAcceleratorEntries},
};

const WORD kToolbarButtons[] = {static_cast<WORD>(kOpen), 0, static_cast<WORD>(kClose)};
const BYTE kVersion2[] = {2, 0, 16, 0, 15, 0, 1, 0, 0x01, 0x80};
const BYTE kShort[] = {1, 0, 16};
const BYTE kCountPastEnd[] = {1, 0, 16, 0, 15, 0, 5, 0, 0x01, 0x80};
const BYTE kEmpty[] = {1, 0, 16, 0, 15, 0, 0, 0};

const platform::ToolbarResource kTestToolbars[] = {
    {kToolbar, 16, 15, kToolbarButtons},
    {kToolbarVersion2, 16, 15, {}, kVersion2},
    {kToolbarShort, 16, 15, {}, kShort},
    {kToolbarCountPastEnd, 16, 15, {}, kCountPastEnd},
    {kToolbarEmpty, 16, 15, {}, kEmpty},
};

const platform::StringResource kTestStrings[] = {
    {kOpen, "Open a file\nOpen"},
    {kClose, "Close the file\nClose"},
};

template <typename Resource>
std::vector<Resource> Joined(std::span<const Resource> first, std::span<const Resource> second) {
    std::vector<Resource> joined(first.begin(), first.end());
    joined.insert(joined.end(), second.begin(), second.end());
    return joined;
}

}  // namespace

std::string hostuitest::LongItemText() {
    return kLongText;
}

Q3V_EXPORT const platform::ResourceTable* Q3vResourceTable() {
    static const auto strings = Joined<platform::StringResource>(PluginResources().strings, kTestStrings);
    static const auto menus = Joined<platform::MenuResource>(PluginResources().menus, kTestMenus);
    static const auto toolbars = Joined<platform::ToolbarResource>(PluginResources().toolbars, kTestToolbars);
    static const platform::ResourceTable resources = {.strings = strings,
                                                      .dialogs = PluginResources().dialogs,
                                                      .menus = menus,
                                                      .accelerators = kTestAccelerators,
                                                      .toolbars = toolbars,
                                                      .bitmaps = PluginResources().bitmaps};
    return &resources;
}
