// The product's plug-in in a host that is a plain Windows program (the
// stand-in: no class library of its own, as the real host): the plug-in
// finds the host's main window itself, registers its menu and toolbar from
// its own compiled resources, and a command from the host's menu bar opens
// its sheet on the system's windows. Pictures of the stand-in with the
// plug-in's menu open and of the sheet are kept in the build folder
// (screenshots/).
#include "tests/person/host_standin.h"
#include "tests/person/person.h"
#include "tests/road/road_session.h"

#include "platform/resources.h"
#include "platform/ui.h"
#include "platform/window_system.h"
#include "res/resource_ids.h"
#include "sim/host/sim_host.h"
#include "tests/emulator/sim_emulator.h"
#include "tests/support/sides.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#ifdef _WIN32
#include <commctrl.h>
#endif

namespace {

class HostStandInRoad : public testing::Test {
protected:
    void SetUp() override {
        Q3V_SKIP_ON_LINUX("the stand-in is a Windows program on the system's own windows");
#ifdef _WIN32
        ASSERT_FALSE(platform::HeadlessWindows());
        ASSERT_EQ(platform::GetUiDriver(), nullptr);
        // The product folder installed with an emulator driver beside the
        // plug-in: the plug-in carries the platform layer and the run time,
        // and finds no application of the class library. The test drives the
        // driver module the plug-in loads from there.
        const std::filesystem::path installed = folder_.Native() / "installed";
        std::filesystem::copy(std::filesystem::current_path().parent_path() / "dist", installed,
                              std::filesystem::copy_options::recursive);
        std::filesystem::copy_file(std::filesystem::current_path() / "Q3vSimEmu.dll", installed / "Q3vSimEmu.dll");
        emulator_ = emutest::LoadSimModule(folder_.Windows("installed\\Q3vSimEmu.dll"));
        ASSERT_TRUE(emulator_.error.empty()) << emulator_.error;
        ASSERT_EQ(emulator_.control.reset(), Q3V_SIM_OK);
        ASSERT_EQ(emulator_.control.configure(roadtest::kDemoSettings), Q3V_SIM_OK);
        host_ = std::make_unique<simhost::SimHost>(folder_.Windows("installed\\Q3vVk3.dll"));
        standIn_ = std::make_unique<persontest::HostStandIn>(host_->Services().UiRegistry());
        ASSERT_NO_FATAL_FAILURE(roadtest::AttachPlugin(*host_));
        host_->Services().OpenSession(session_.Windows(), "sess");
        ASSERT_TRUE(standIn_->ShowRegistrations()) << "every registered menu and toolbar bitmap loaded";
#endif
    }
    void TearDown() override {
        if (host_ != nullptr) {
            host_->Unload();
        }
#ifdef _WIN32
        if (emulator_.module != nullptr) {
            ::FreeLibrary(emulator_.module);
        }
#endif
    }

#ifdef _WIN32
    // A target session on the demo device, from a session that holds its
    // selection: the connect asks nothing.
    void StartDemoSession() {
        for (const auto& [section, key, value] :
             {std::tuple{"CPU_SELECT", "MCU_GROUP", "VK31X"}, std::tuple{"CPU_SELECT", "DEVICE", "VK31D16"},
              std::tuple{"CPU_SELECT", "EMUSEL", "1"}, std::tuple{"EMULATOR_SETTING", "HIDE_DIALOG", "1"}}) {
            ASSERT_TRUE(WritePrivateProfileStringA(section, key, value, session_.Windows("sess.ini").c_str()));
        }
        host_->Services().DeviceDescription().SetDescription(roadtest::kDemoDescription);
        ASSERT_EQ(host_->StartTargetSession(), S_OK);
    }
    // The windows whose parent is the window.
    static std::vector<HWND> ChildrenOf(HWND parent) {
        std::vector<HWND> children;
        for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
            children.push_back(child);
        }
        return children;
    }
    // " (gray)" for a grayed menu item, as the road tests show items.
    static std::string Gray(HMENU menu, int position) {
        return (::GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_GRAYED) != 0 ? " (gray)" : "";
    }
    static std::string Screenshot(const char* name) {
        const std::filesystem::path folder = std::filesystem::current_path().parent_path() / "screenshots";
        std::filesystem::create_directories(folder);
        return (folder / name).string();
    }
    // The menu-bar position and text of the popup holding the command.
    static int PopupHolding(HMENU bar, UINT command, std::string& text) {
        for (int index = 0; index < ::GetMenuItemCount(bar); ++index) {
            const HMENU popup = ::GetSubMenu(bar, index);
            char itemText[128] = "";
            if (popup != nullptr && ::GetMenuStringA(popup, command, itemText, sizeof(itemText), MF_BYCOMMAND) > 0) {
                text = itemText;
                return index;
            }
        }
        return -1;
    }
    // The pixels of a bitmap as 32-bit colours, top-down.
    static std::vector<std::uint32_t> Pixels(HBITMAP bitmap, int width, int height) {
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof(format.bmiHeader);
        format.bmiHeader.biWidth = width;
        format.bmiHeader.biHeight = -height;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
        const HDC screen = ::GetDC(nullptr);
        ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &format, DIB_RGB_COLORS);
        ::ReleaseDC(nullptr, screen);
        return pixels;
    }
#endif

    testing_support::TempFolder session_;
    testing_support::TempFolder folder_;
    emutest::SimModule emulator_;
    std::unique_ptr<simhost::SimHost> host_;
#ifdef _WIN32
    std::unique_ptr<persontest::HostStandIn> standIn_;
#endif
};

TEST_F(HostStandInRoad, ThePluginsWindowsAreChildrenOfTheHostsMainWindow) {
#ifdef _WIN32
    const auto owners = host_->Services().UiRegistry().Owners();
    std::vector<HWND> windows;
    for (const auto& [owner, entries] : owners) {
        windows.insert(windows.end(), entries.windows.begin(), entries.windows.end());
    }
    ASSERT_FALSE(windows.empty()) << "the plug-in registered its container window";
    for (const HWND window : windows) {
        EXPECT_EQ(::GetParent(window), standIn_->Window()) << "an invisible child of the host's main window";
        EXPECT_FALSE(::IsWindowVisible(window));
    }
#endif
}

TEST_F(HostStandInRoad, ShowsThePluginsMenuAndToolbarFromItsOwnResources) {
#ifdef _WIN32
    const HMENU bar = standIn_->MenuBar();
    std::string item;
    const int popup = PopupHolding(bar, res_id::kCmdSystemSetup, item);
    ASSERT_GE(popup, 1) << "the plug-in's menu beside the host's own";
    EXPECT_EQ(item, "&System...");

    // The toolbar: the plug-in's buttons, their picture the bitmap of the
    // plug-in's module, and their tips from its string table.
    const HWND toolbar = standIn_->Toolbar();
    HINSTANCE instance = nullptr;
    UINT bitmapId = 0;
    std::vector<DWORD> registered;
    for (const auto& [owner, entries] : host_->Services().UiRegistry().Owners()) {
        for (const simhost::UiToolbarEntry& entry : entries.toolbars) {
            instance = entry.instance;
            bitmapId = entry.toolbarId;
            registered = entry.buttons;
        }
    }
    ASSERT_NE(instance, nullptr);
    ASSERT_EQ(::SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), static_cast<LRESULT>(registered.size()));
    for (std::size_t index = 0; index < registered.size(); ++index) {
        TBBUTTON button{};
        ::SendMessageA(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
        EXPECT_EQ(static_cast<DWORD>(button.idCommand), registered[index]);
    }
    EXPECT_NE(::SendMessageA(toolbar, TB_COMMANDTOINDEX, res_id::kCmdSystemSetup, 0), -1);

    const HBITMAP resource = ::LoadBitmapA(instance, MAKEINTRESOURCEA(bitmapId));
    ASSERT_NE(resource, nullptr) << "the toolbar bitmap compiled into the plug-in's module";
    BITMAP shape{};
    ::GetObjectA(resource, sizeof(shape), &shape);
    const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0));
    ASSERT_NE(images, nullptr);
    IMAGEINFO first{};
    ASSERT_TRUE(ImageList_GetImageInfo(images, 0, &first));
    const int width = first.rcImage.right - first.rcImage.left;
    const int height = first.rcImage.bottom - first.rcImage.top;
    ASSERT_EQ(height, shape.bmHeight);
    const std::vector<std::uint32_t> shown = Pixels(first.hbmImage, ::ImageList_GetImageCount(images) * width, height);
    const std::vector<std::uint32_t> source = Pixels(resource, shape.bmWidth, shape.bmHeight);
    std::size_t same = 0;
    std::size_t compared = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < std::min<int>(width * static_cast<int>(registered.size()), shape.bmWidth); ++x) {
            ++compared;
            same += (shown[static_cast<std::size_t>(y) * ::ImageList_GetImageCount(images) * width + x] & 0xFFFFFF) ==
                    (source[static_cast<std::size_t>(y) * shape.bmWidth + x] & 0xFFFFFF);
        }
    }
    EXPECT_GT(compared, 0u);
    EXPECT_EQ(same, compared) << "the buttons show the plug-in's bitmap";
    ::DeleteObject(resource);

    // The plug-in's strings come from its own compiled string table, read
    // by the system on its module.
    char tip[256] = "";
    ASSERT_GT(::LoadStringA(instance, res_id::kCmdSystemSetup, tip, sizeof(tip)), 0);
    EXPECT_STREQ(tip, platform::FindStringResource(instance, res_id::kCmdSystemSetup));

    // The plug-in's menu open in the host's menu bar, the stand-in above and
    // away from the other test programs' windows on the display (which open
    // near its top left corner) for its picture.
    ::SetWindowPos(standIn_->Window(), HWND_TOPMOST, 630, 590, 0, 0, SWP_NOSIZE);
    RECT place{};
    ASSERT_TRUE(::GetMenuItemRect(standIn_->Window(), bar, static_cast<UINT>(popup), &place));
    std::atomic<bool> seen = false;
    persontest::Person person([&](persontest::Person& me) {
        me.WaitForMenu();
        me.Screenshot(standIn_->Window(), Screenshot("host_standin_menu.png"));
        seen = true;
        ::EndMenu();  // the process's open menu, as a click elsewhere closes it
    });
    // A popup menu opens only for the foreground window, which another
    // test program on the display may hold a moment: the menu is opened
    // again until the person has seen it.
    for (int attempt = 0; attempt < 50 && !seen; ++attempt) {
        ::SetForegroundWindow(standIn_->Window());
        ::TrackPopupMenu(::GetSubMenu(bar, popup), TPM_LEFTALIGN | TPM_TOPALIGN, place.left, place.bottom, 0,
                         standIn_->Window(), nullptr);
    }
    person.Join();
    EXPECT_TRUE(person.Failures().empty()) << person.Failures().front();
#endif
}

TEST_F(HostStandInRoad, TheMenuCommandOpensTheConfigurationSheet) {
#ifdef _WIN32
    ASSERT_NO_FATAL_FAILURE(StartDemoSession());
    std::string item;
    ASSERT_GE(PopupHolding(standIn_->MenuBar(), res_id::kCmdSystemSetup, item), 1);
    persontest::Person person([&](persontest::Person& me) {
        const HWND sheet = me.WaitForWindow("Configuration");
        me.WaitForPageWith(sheet, res_id::kEmulationMode);
        me.Screenshot(sheet, Screenshot("host_standin_configuration.png"));
        me.PressSheetButton(sheet, PSBTN_CANCEL);
        me.WaitUntilGone(sheet);
    });
    // What choosing the item does: the menu bar's command to the host's
    // window, which sends it to the plug-in's.
    ::SendMessageA(standIn_->Window(), WM_COMMAND, MAKEWPARAM(res_id::kCmdSystemSetup, 0), 0);
    person.Join();
    EXPECT_TRUE(person.Failures().empty()) << person.Failures().front();
    EXPECT_EQ(host_->EndTargetSession(), S_OK);
#endif
}

TEST_F(HostStandInRoad, AContextClickInTheEventColumnOpensTheSystemsChannelMenu) {
#ifdef _WIN32
    const std::vector<HWND> before = ChildrenOf(standIn_->Window());
    ASSERT_NO_FATAL_FAILURE(StartDemoSession());
    // The session's channel-menu window: a new hidden child of the host's
    // main window.
    std::vector<HWND> added;
    for (const HWND child : ChildrenOf(standIn_->Window())) {
        if (std::find(before.begin(), before.end(), child) == before.end()) {
            added.push_back(child);
        }
    }
    ASSERT_EQ(added.size(), 1u) << "the event columns' window";
    const HWND channelWindow = added.front();
    EXPECT_EQ(::GetWindowLongA(channelWindow, GWL_STYLE) & (WS_CHILD | WS_VISIBLE), static_cast<LONG>(WS_CHILD));

    simhost::HostViewColumnService& source = host_->Services().SourceColumns();
    const std::optional<simhost::ColumnRecord> column = source.ColumnTitled("Event");
    ASSERT_TRUE(column.has_value()) << "the demo device's column in the source views";
    constexpr char kView[] = "C:\\Vk3Demo\\Vk3Demo.c";
    source.OpenView(kView);

    // The menu opens where the person clicked: over the stand-in, placed
    // away from the other test programs' windows on the display for its
    // picture.
    ::SetWindowPos(standIn_->Window(), HWND_TOPMOST, 630, 590, 0, 0, SWP_NOSIZE);
    RECT area{};
    ASSERT_TRUE(::GetWindowRect(standIn_->Window(), &area));
    std::vector<std::string> shown;
    persontest::Person person([&](persontest::Person& me) {
        const HWND menuWindow = me.WaitForMenu();
        if (menuWindow == nullptr) {
            return;
        }
        // The menu the window shows, read through the system's functions.
        const auto menu = reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
        for (int index = 0; index < ::GetMenuItemCount(menu); ++index) {
            char text[64] = "";
            ::GetMenuStringA(menu, static_cast<UINT>(index), text, sizeof(text), MF_BYPOSITION);
            std::string line = text + Gray(menu, index) + ":";
            const HMENU channel = ::GetSubMenu(menu, index);
            for (int item = 0; channel != nullptr && item < ::GetMenuItemCount(channel); ++item) {
                ::GetMenuStringA(channel, static_cast<UINT>(item), text, sizeof(text), MF_BYPOSITION);
                line += std::string(" ") + text + Gray(channel, item) + ",";
            }
            line.pop_back();
            shown.push_back(line);
        }
        me.Screenshot(standIn_->Window(), Screenshot("channel_menu.png"));
        ::EndMenu();  // the process's open menu, as a click elsewhere closes it
        me.WaitUntilGone(menuWindow);
    });
    // A context click on line 5 (code at C010): the column's window shows the
    // channel menu until it is closed.
    constexpr DWORD kContextClick = 0x4;
    EXPECT_EQ(source.Click(column->id, kView, 5, kContextClick, area.left + 120, area.top + 100), 0);
    person.Join();
    EXPECT_TRUE(person.Failures().empty()) << person.Failures().front();
    // Until the host's break list names its kinds, every channel is grayed.
    EXPECT_EQ(shown, (std::vector<std::string>{"&BC 1 (gray): &Add, &Edit ... (gray), &Remove (gray)",
                                               "B&C 2 (gray): &Add, &Edit ... (gray), &Remove (gray)"}));

    EXPECT_EQ(host_->EndTargetSession(), S_OK);
    EXPECT_FALSE(::IsWindow(channelWindow)) << "gone with the session";
#endif
}

}  // namespace
