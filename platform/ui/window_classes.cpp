#include "platform/ui/controls.h"
#include "platform/ui/dispatch.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace platform::ui {
namespace {

const WindowClass kClasses[] = {
    {"#32770", WindowKind::Dialog, DialogProcedure, nullptr},
    {"Button", WindowKind::Button, ButtonProcedure, MakeButtonState},
    {"Edit", WindowKind::Edit, EditProcedure, MakeEditState},
    {"Static", WindowKind::Static, StaticProcedure, MakeStaticState},
    {"ComboBox", WindowKind::ComboBox, ComboBoxProcedure, MakeComboBoxState},
    {"ListBox", WindowKind::ListBox, ListBoxProcedure, MakeListBoxState},
    {"SysListView32", WindowKind::ListView, ListViewProcedure, MakeListViewState},
    {"SysTreeView32", WindowKind::TreeView, TreeViewProcedure, MakeTreeViewState},
    {"msctls_updown32", WindowKind::UpDown, UpDownProcedure, MakeUpDownState},
    {"msctls_progress32", WindowKind::Progress, ProgressProcedure, MakeProgressState},
    {"SysAnimate32", WindowKind::Animate, AnimateProcedure, MakeAnimateState},
    {"msctls_statusbar32", WindowKind::StatusBar, StatusBarProcedure, MakeStatusBarState},
};

const WindowClass kGeneric = {"", WindowKind::Generic, DefaultProcedure, nullptr};

// Class names are compared without regard to case, as Windows does.
bool SameName(const char* left, const std::string& right) {
    return std::strlen(left) == right.size() &&
           std::equal(right.begin(), right.end(), left, [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

}  // namespace

const WindowClass& ClassByName(const std::string& name) {
    for (const WindowClass& windowClass : kClasses) {
        if (SameName(windowClass.name, name)) {
            return windowClass;
        }
    }
    return kGeneric;
}

const WindowClass& ClassOf(ControlClass kind) {
    switch (kind) {
    case ControlClass::Button:
        return kClasses[1];
    case ControlClass::Edit:
        return kClasses[2];
    case ControlClass::Static:
        return kClasses[3];
    case ControlClass::ComboBox:
        return kClasses[4];
    case ControlClass::ListBox:
        return kClasses[5];
    case ControlClass::ListView:
        return kClasses[6];
    case ControlClass::TreeView:
        return kClasses[7];
    case ControlClass::UpDown:
        return kClasses[8];
    case ControlClass::Progress:
        return kClasses[9];
    case ControlClass::Animate:
        return kClasses[10];
    }
    return kGeneric;
}

}  // namespace platform::ui
