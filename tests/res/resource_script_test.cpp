// The resource script of a table: what the resource compiler is given for
// texts, dialogs, menus, accelerators and toolbars, and the tables it
// refuses because a compiled resource cannot hold them as they stand.
#include "tools/rcgen/resource_script.h"

#include "res/plugin_resources.h"

#include "platform/common_controls.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

using platform::ControlClass;
using platform::MenuEntry;

std::string ScriptOf(const platform::ResourceTable& table) {
    return rcgen::MakeResourceScript(table).text;
}

// The script's text from the line that starts with first through the next
// line that is only "END".
std::string Block(const std::string& script, const std::string& first) {
    const std::size_t start = script.find(first);
    if (start == std::string::npos) {
        return "(no " + first + ")";
    }
    const std::size_t end = script.find("\nEND\n", start);
    return script.substr(start, end == std::string::npos ? std::string::npos : end + 5 - start);
}

TEST(ResourceScript, TextsAreLiteralsTheCompilerReadsBackAsTheyStand) {
    struct Case {
        const char* text;
        const char* literal;
    };
    const Case cases[] = {
        {"plain", R"("plain")"},
        {"Say \"hi\"", R"("Say ""hi""")"},                  // a quote is doubled
        {"C:\\Temp", R"("C:\\Temp")"},                       // a backslash is escaped
        {"a\nb\tc\rd", R"("a\nb\tc\rd")"},                   // so are line breaks and tabs
        {"&Save && exit at 100%", R"("&Save && exit at 100%")"},  // mnemonics and percents as they are
        {"Caf\xE9", R"("Caf\351")"},                         // a byte outside ASCII in octal
        {"\x01" "7", R"("\0017")"},                          // three octal digits: the 7 stays a 7
        {"", R"("")"},
    };
    for (const Case& test : cases) {
        const platform::StringResource strings[] = {{7, test.text}};
        EXPECT_EQ(Block(ScriptOf({.strings = strings}), "STRINGTABLE"),
                  std::string("STRINGTABLE\nBEGIN\n    7, ") + test.literal + "\nEND\n")
            << test.literal;
    }
}

TEST(ResourceScript, DialogControlsNameTheSystemClassesWithTheirWholeStyle) {
    const platform::DialogControl controls[] = {
        platform::rc::PushButton(10, "&Go \"now\"", 1, 2, 30, 14),
        {11, ControlClass::Edit, "", ES_AUTOHSCROLL, 1, 20, 30, 12, true},
        platform::rc::LText(-1, "Label", 1, 36, 30, 8),
        platform::rc::ComboBox(12, 1, 50, 30, 60),
        platform::rc::ListBox(13, 1, 64, 30, 20),
        platform::rc::Control(14, "", ControlClass::ListView, LVS_REPORT, 40, 2, 30, 20),
        platform::rc::Control(15, "", ControlClass::TreeView, 0, 40, 24, 30, 20),
        platform::rc::Control(16, "", ControlClass::UpDown, UDS_AUTOBUDDY, 40, 46, 8, 12),
        platform::rc::Control(17, "", ControlClass::Progress, 0, 40, 60, 30, 8),
        platform::rc::Control(18, "", ControlClass::Animate, 0, -4, 70, 30, 20),
    };
    const platform::DialogResource dialogs[] = {
        {100, "Sample", WS_POPUP | WS_CAPTION | DS_MODALFRAME, 5, 6, 80, 90, controls},
        {101, nullptr, WS_CHILD | DS_CONTROL, 0, 0, 40, 20, std::span(controls).first(1)},
    };
    const std::string script = ScriptOf({.dialogs = dialogs});
    EXPECT_EQ(Block(script, "100 DIALOG"),
              "100 DIALOG 5, 6, 80, 90\n"
              "STYLE 0x80C000C0\n"  // the font's DS_SETFONT with the table's style
              "CAPTION \"Sample\"\n"
              "FONT 8, \"MS Shell Dlg\"\n"
              "BEGIN\n"
              "    CONTROL \"&Go \"\"now\"\"\", 10, \"Button\", 0x50010000, 1, 2, 30, 14\n"
              "    CONTROL \"\", 11, \"Edit\", 0x40000080 | NOT 0x10000000, 1, 20, 30, 12\n"
              "    CONTROL \"Label\", -1, \"Static\", 0x50020000, 1, 36, 30, 8\n"
              "    CONTROL \"\", 12, \"ComboBox\", 0x50210003, 1, 50, 30, 60\n"
              "    CONTROL \"\", 13, \"ListBox\", 0x50A10001, 1, 64, 30, 20\n"
              "    CONTROL \"\", 14, \"SysListView32\", 0x50000001, 40, 2, 30, 20\n"
              "    CONTROL \"\", 15, \"SysTreeView32\", 0x50000000, 40, 24, 30, 20\n"
              "    CONTROL \"\", 16, \"msctls_updown32\", 0x50000010, 40, 46, 8, 12\n"
              "    CONTROL \"\", 17, \"msctls_progress32\", 0x50000000, 40, 60, 30, 8\n"
              "    CONTROL \"\", 18, \"SysAnimate32\", 0x50000000, -4, 70, 30, 20\n"
              "END\n");
    // Without a caption there is no CAPTION statement (not an empty one).
    EXPECT_EQ(Block(script, "101 DIALOG"),
              "101 DIALOG 0, 0, 40, 20\n"
              "STYLE 0x40000440\n"
              "FONT 8, \"MS Shell Dlg\"\n"
              "BEGIN\n"
              "    CONTROL \"&Go \"\"now\"\"\", 10, \"Button\", 0x50010000, 1, 2, 30, 14\n"
              "END\n");
}

TEST(ResourceScript, MenusNestAsDeepAsTheTableWithEveryItemFlag) {
    const MenuEntry items[] = {
        {0, "&File", 0, MF_POPUP},
        {1, "&Open\tCtrl+O", 40001},
        {1, nullptr, 0, MF_SEPARATOR},
        {1, "&Recent", 0, MF_POPUP},
        {2, "&Grayed", 40002, MF_GRAYED},
        {2, "&Deeper", 0, MF_POPUP | MF_DISABLED},
        {3, "&Checked", 40003, MF_CHECKED},
        {0, "&Top", 40004},  // closes three popups at once
        {0, "&Help", 0, MF_POPUP},
        {1, "&About", 40005, MF_GRAYED | MF_DISABLED | MF_CHECKED},
    };
    const platform::MenuResource menus[] = {{300, items}};
    EXPECT_EQ(Block(ScriptOf({.menus = menus}), "300 MENU"),
              "300 MENU\n"
              "BEGIN\n"
              "    POPUP \"&File\"\n"
              "    BEGIN\n"
              "        MENUITEM \"&Open\\tCtrl+O\", 40001\n"
              "        MENUITEM SEPARATOR\n"
              "        POPUP \"&Recent\"\n"
              "        BEGIN\n"
              "            MENUITEM \"&Grayed\", 40002, GRAYED\n"
              "            POPUP \"&Deeper\", INACTIVE\n"
              "            BEGIN\n"
              "                MENUITEM \"&Checked\", 40003, CHECKED\n"
              "            END\n"
              "        END\n"
              "    END\n"
              "    MENUITEM \"&Top\", 40004\n"
              "    POPUP \"&Help\"\n"
              "    BEGIN\n"
              "        MENUITEM \"&About\", 40005, GRAYED, INACTIVE, CHECKED\n"
              "    END\n"
              "END\n");
}

TEST(ResourceScript, AcceleratorsSayEveryFlagAndToolbarsTheirWindowsForm) {
    const ACCEL entries[] = {
        {FVIRTKEY | FCONTROL, 'O', 40001},
        {FVIRTKEY | FSHIFT | FALT, VK_DELETE, 40002},
        {FNOINVERT, 'a', 40003},
    };
    const platform::AcceleratorResource accelerators[] = {{400, entries}};
    const WORD commands[] = {32772, 0, 32773};
    const BYTE broken[] = {1, 0, 16};
    const platform::ToolbarResource toolbars[] = {{205, 16, 15, commands}, {206, 16, 15, {}, broken}};
    const rcgen::ResourceScript script = rcgen::MakeResourceScript({.accelerators = accelerators, .toolbars = toolbars});
    EXPECT_EQ(Block(script.text, "400 ACCELERATORS"),
              "400 ACCELERATORS\n"
              "BEGIN\n"
              "    79, 40001, VIRTKEY, CONTROL\n"
              "    46, 40002, VIRTKEY, SHIFT, ALT\n"
              "    97, 40003, ASCII, NOINVERT\n"
              "END\n");
    // Version 1, the button size, the count and the commands, a separator's 0 kept.
    EXPECT_EQ(Block(script.text, "205 241"), "205 241\nBEGIN\n    1, 16, 15, 3, 32772, 0, 32773\nEND\n");
    // A toolbar given as bytes is exactly those bytes.
    EXPECT_NE(script.text.find("206 241 \"toolbar206.bin\"\n"), std::string::npos) << script.text;
    ASSERT_EQ(script.files.size(), 1u);
    EXPECT_EQ(script.files[0].name, "toolbar206.bin");
    EXPECT_EQ(script.files[0].bytes, std::vector<std::uint8_t>({1, 0, 16}));
}

TEST(ResourceScript, RefusesWhatACompiledResourceCannotHoldNamingTheResource) {
    static const MenuEntry kNoItems[] = {{0, "&File", 0, MF_POPUP}};
    static const MenuEntry kPopupBeforeSibling[] = {{0, "&File", 0, MF_POPUP}, {0, "&Edit", 0, MF_POPUP},
                                                    {1, "&Copy", 40001}};
    static const MenuEntry kTooDeep[] = {{0, "&File", 0, MF_POPUP}, {2, "&Lost", 40001}};
    static const MenuEntry kNegative[] = {{-1, "&Lost", 40001}};
    static const MenuEntry kHelpFlag[] = {{0, "&Help", 40001, 0x4000}};  // MF_HELP
    static const MenuEntry kGrayedSeparator[] = {{0, nullptr, 0, MF_SEPARATOR | MF_GRAYED}};
    static const ACCEL kUnknownFlag[] = {{0x20, 'A', 40001}};
    static const BYTE kBits[32] = {};
    struct Case {
        const char* name;
        platform::ResourceTable table;
        const char* named;  // what the message names
    };
    static const platform::MenuResource menus[][1] = {
        {{300, {}}},           {{301, kNoItems}}, {{302, kPopupBeforeSibling}}, {{303, kTooDeep}},
        {{304, kNegative}},    {{305, kHelpFlag}}, {{306, kGrayedSeparator}},
    };
    static const platform::AcceleratorResource accelerators[] = {{400, kUnknownFlag}};
    static const platform::BitmapResource bitmaps[][1] = {{{600, 4, 4, 8, kBits}}, {{601, 0, 4, 4, kBits}}};
    static const platform::IconResource icons[][1] = {{{700, 0, 16}}, {{701, 257, 257}}};
    static const platform::AnimationResource animations[] = {{800, 0}};
    const Case cases[] = {
        {"a menu without items", {.menus = menus[0]}, "menu 300"},
        {"a popup without items at the end", {.menus = menus[1]}, "menu 301"},
        {"a popup without items before its sibling", {.menus = menus[2]}, "menu 302, item 0 \"&File\""},
        {"an item two levels below its popup", {.menus = menus[3]}, "menu 303, item 1"},
        {"a negative level", {.menus = menus[4]}, "menu 304, item 0"},
        {"a flag without a word", {.menus = menus[5]}, "menu 305"},
        {"a separator with a flag", {.menus = menus[6]}, "menu 306"},
        {"an accelerator flag without a word", {.accelerators = accelerators}, "accelerator table 400"},
        {"a bitmap of 8 bits", {.bitmaps = bitmaps[0]}, "bitmap 600"},
        {"a bitmap without pixels", {.bitmaps = bitmaps[1]}, "bitmap 601"},
        {"an icon without pixels", {.icons = icons[0]}, "icon 700"},
        {"an icon above 256 pixels", {.icons = icons[1]}, "icon 701"},
        {"an animation without frames", {.animations = animations}, "animation 800"},
    };
    for (const Case& test : cases) {
        try {
            static_cast<void>(rcgen::MakeResourceScript(test.table));
            ADD_FAILURE() << test.name << " was written";
        } catch (const std::invalid_argument& error) {
            EXPECT_NE(std::string(error.what()).find(test.named), std::string::npos)
                << test.name << ": " << error.what();
        }
    }
}

// The plug-in's own table compiles whole: every popup of its menus has
// items (the channel menus' hidden second popup among them), and every
// bitmap and the animation get their files.
TEST(ResourceScript, ThePluginsTableIsWrittenWhole) {
    const platform::ResourceTable& table = PluginResources();
    const rcgen::ResourceScript script = rcgen::MakeResourceScript(table);
    EXPECT_EQ(script.files.size(), table.bitmaps.size() + table.icons.size() + table.animations.size());
    EXPECT_NE(script.text.find("6006 AVI \"animation6006.avi\""), std::string::npos);
    EXPECT_NE(script.text.find("205 BITMAP \"bitmap205.bmp\""), std::string::npos);
}

}  // namespace
