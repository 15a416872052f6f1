// Resources as data.
//
// A module that carries resources (string table, dialog templates, menus,
// accelerator tables, toolbars, bitmaps, icons and animations) exports the
// function Q3vResourceTable, which answers its table. The headless window
// system's resource functions (FindResourceA, LoadStringA, LoadMenuA, ...)
// read the tables; in the Windows build the same tables are compiled into
// the modules as Windows resources, which the system's functions read when
// the system's windows are in use. Lookups go through a resource handle, the
// module handle whose resources are searched, exactly as the Windows
// resource functions take one; the class library's lookups take the resource
// handle of the current module state.
#pragma once

#include "platform/windows_ui.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

// The class library's resource type of toolbars (the same in both builds),
// and the type name of animations.
#define RT_TOOLBAR MAKEINTRESOURCE(241)
#define RT_ANIMATION "AVI"

namespace platform {

struct StringResource {
    UINT id;
    const char* text;
};

// The window class of a dialog control.
enum class ControlClass : std::uint8_t {
    Button,    // push button, check box, radio button or group box, by its BS_ style
    Edit,
    Static,
    ComboBox,
    ListBox,
    ListView,  // the list control
    TreeView,
    UpDown,    // the spin control
    Progress,
    Animate,
};

// A control of a dialog template. WS_CHILD and WS_VISIBLE are implied, unless
// hidden is set (the control is then created without WS_VISIBLE).
struct DialogControl {
    int id;
    ControlClass kind;
    const char* text;
    DWORD style;
    short x, y, width, height;  // dialog units
    bool hidden = false;
};

struct DialogResource {
    UINT id;
    const char* caption;
    DWORD style;
    short x, y, width, height;  // dialog units
    std::span<const DialogControl> controls;
};

// Menu items in menu order, each with its nesting level (0 at the top). The
// items of a popup (flags MF_POPUP) follow it, one level deeper. Other flags:
// MF_SEPARATOR, MF_GRAYED, MF_DISABLED, MF_CHECKED.
struct MenuEntry {
    int level;
    const char* text;
    UINT id;
    UINT flags = 0;
};

struct MenuResource {
    UINT id;
    std::span<const MenuEntry> items;
};

struct AcceleratorResource {
    UINT id;
    std::span<const ACCEL> entries;
};

// A toolbar: its buttons' command ids in order (0 for a separator). Its
// resource bytes, as LockResource answers them, are the Windows form: 16-bit
// words version (1), button width, button height, count, then the ids. A
// toolbar given as (at least one) bytes, for one that is not well formed, has
// exactly those bytes, read where the table holds them each time the
// resource is found.
struct ToolbarResource {
    UINT id;
    WORD buttonWidth;
    WORD buttonHeight;
    std::span<const WORD> commands;
    std::span<const BYTE> bytes = {};
};

// A bitmap's bits, rows of 16-bit aligned bytes from the top, as
// GetBitmapBits gives them.
struct BitmapResource {
    UINT id;
    LONG width;
    LONG height;
    WORD bitsPerPixel;
    std::span<const BYTE> bits;
};

struct IconResource {
    UINT id;
    int width;
    int height;
};

// An animation (resource type "AVI"): only its frame count matters here.
struct AnimationResource {
    UINT id;
    UINT frames;
};

// A module names only the kinds it has: {.strings = ..., .menus = ...}.
struct ResourceTable {
    std::span<const StringResource> strings = {};
    std::span<const DialogResource> dialogs = {};
    std::span<const MenuResource> menus = {};
    std::span<const AcceleratorResource> accelerators = {};
    std::span<const ToolbarResource> toolbars = {};
    std::span<const BitmapResource> bitmaps = {};
    std::span<const IconResource> icons = {};
    std::span<const AnimationResource> animations = {};
};

// The table of a module (null when it has none).
const ResourceTable* FindResourceTable(HINSTANCE module);
// A resource of a module's table by id, or null: what the headless window
// system reads.
const char* FindStringResource(HINSTANCE module, UINT id);
const DialogResource* FindDialogResource(HINSTANCE module, UINT id);
const MenuResource* FindMenuResource(HINSTANCE module, UINT id);
const AcceleratorResource* FindAcceleratorResource(HINSTANCE module, UINT id);
const ToolbarResource* FindToolbarResource(HINSTANCE module, UINT id);
const BitmapResource* FindBitmapResource(HINSTANCE module, UINT id);
const IconResource* FindIconResource(HINSTANCE module, UINT id);
const AnimationResource* FindAnimationResource(HINSTANCE module, UINT id);

// A string of the module's string table, whole, through LoadStringA (the
// resources of the window system in use); none when the module lacks it.
std::optional<std::string> LoadResourceString(HINSTANCE module, UINT id);

// The id of a resource name: a MAKEINTRESOURCE value or a "#123" text; 0 for
// any other name (resources here have ids only).
UINT ResourceId(LPCSTR name);

// Dialog controls written as the statements of a resource script.
namespace rc {

constexpr DWORD kTabStop = WS_TABSTOP;

constexpr DialogControl Control(int id, const char* text, ControlClass kind, DWORD style, short x, short y,
                                short width, short height) {
    return {id, kind, text, style, x, y, width, height};
}
constexpr DialogControl PushButton(int id, const char* text, short x, short y, short width, short height,
                                   DWORD style = kTabStop) {
    return {id, ControlClass::Button, text, BS_PUSHBUTTON | style, x, y, width, height};
}
constexpr DialogControl DefPushButton(int id, const char* text, short x, short y, short width, short height,
                                      DWORD style = kTabStop) {
    return {id, ControlClass::Button, text, BS_DEFPUSHBUTTON | style, x, y, width, height};
}
constexpr DialogControl CheckBox(int id, const char* text, short x, short y, short width, short height,
                                 DWORD style = kTabStop) {
    return {id, ControlClass::Button, text, BS_CHECKBOX | style, x, y, width, height};
}
constexpr DialogControl AutoCheckBox(int id, const char* text, short x, short y, short width, short height,
                                     DWORD style = kTabStop) {
    return {id, ControlClass::Button, text, BS_AUTOCHECKBOX | style, x, y, width, height};
}
constexpr DialogControl RadioButton(int id, const char* text, short x, short y, short width, short height,
                                    DWORD style = 0) {
    return {id, ControlClass::Button, text, BS_RADIOBUTTON | style, x, y, width, height};
}
constexpr DialogControl AutoRadioButton(int id, const char* text, short x, short y, short width, short height,
                                        DWORD style = 0) {
    return {id, ControlClass::Button, text, BS_AUTORADIOBUTTON | style, x, y, width, height};
}
constexpr DialogControl GroupBox(int id, const char* text, short x, short y, short width, short height) {
    return {id, ControlClass::Button, text, BS_GROUPBOX, x, y, width, height};
}
constexpr DialogControl EditText(int id, short x, short y, short width, short height,
                                 DWORD style = ES_AUTOHSCROLL | WS_BORDER | kTabStop) {
    return {id, ControlClass::Edit, "", style, x, y, width, height};
}
constexpr DialogControl LText(int id, const char* text, short x, short y, short width, short height) {
    return {id, ControlClass::Static, text, SS_LEFT | WS_GROUP, x, y, width, height};
}
constexpr DialogControl ComboBox(int id, short x, short y, short width, short height,
                                 DWORD style = CBS_DROPDOWNLIST | WS_VSCROLL | kTabStop) {
    return {id, ControlClass::ComboBox, "", style, x, y, width, height};
}
constexpr DialogControl ListBox(int id, short x, short y, short width, short height,
                                DWORD style = LBS_NOTIFY | WS_BORDER | WS_VSCROLL | kTabStop) {
    return {id, ControlClass::ListBox, "", style, x, y, width, height};
}

}  // namespace rc
}  // namespace platform

// The export a module with resources defines (C linkage, by this name).
#define Q3V_RESOURCE_TABLE_EXPORT "Q3vResourceTable"
using Q3vResourceTableFunction = const platform::ResourceTable* (*)();

// Copies string id of the module's table into buffer (cut to size-1
// characters) and returns its length; 0 when the string is missing. A size of
// 0 is refused (the read-only pointer form is not offered).
#ifndef _WIN32
int LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int size);
#endif
