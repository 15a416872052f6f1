// The values the simulated host's UI registration receives and gives: list
// VARIANTs read and made, arguments written as the recorder logs them, and
// menus and command tips read from a module's resources.
#pragma once

#include "platform/com.h"
#include "platform/windows_ui.h"

#include <string>
#include <vector>

namespace simhost {

// A menu item as the host shows it: nesting level, text and command id (0
// for a popup entry or a separator).
struct UiMenuLine {
    int level = 0;
    std::string text;
    UINT id = 0;
};

// The values of a list VARIANT of ids or texts (a one-dimensional array of
// VARIANTs of that kind); none for anything else.
std::vector<DWORD> VariantIds(const VARIANT& value);
std::vector<std::string> VariantTexts(const VARIANT& value);
// "1, 2, 3".
std::string JoinIds(const std::vector<DWORD>& ids);
// Fill an out VARIANT with a new list.
void PutTextList(VARIANT* out, const std::vector<std::string>& texts);
void PutIdList(VARIANT* out, const std::vector<DWORD>& ids);

// The arguments as the recorder logs them: "VT_EMPTY", "VT_ARRAY|VT_UINT {1,
// 2}", "VT_ARRAY|VT_BSTR {\"a\"}"; a text in quotes ("null" for none); a
// resource instance by its module's file name; a window by its handle; a
// class id by the name the host knows it by.
std::string DescribeVariant(const VARIANT& value);
std::string DescribeText(BSTR text);
std::string DescribeInstance(HINSTANCE instance);
std::string DescribeWindow(HWND window);
std::string DescribeClassId(const CLSID* clsid);

// The items of a menu resource of the module, depth first.
std::vector<UiMenuLine> LoadMenuLines(HINSTANCE instance, DWORD menuId);
// The items of a menu given as texts and ids.
std::vector<UiMenuLine> TextMenuLines(const std::vector<std::string>& texts, const std::vector<DWORD>& ids);
// The tip of a command: the part of its string after the newline.
std::string CommandTip(HINSTANCE instance, DWORD id);

}  // namespace simhost
