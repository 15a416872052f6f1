#include "tools/rcgen/resource_script.h"

#include "tools/rcgen/animation_file.h"
#include "tools/rcgen/image_files.h"

#include <cstdio>
#include <stdexcept>
#include <string_view>

namespace rcgen {
namespace {

// A text as a script's string literal. A quote is doubled, a backslash and
// the control characters are escaped, and every byte outside ASCII is an
// octal escape read in the script's code page, so that the script itself is
// plain ASCII. '&' stays as it is: it marks the mnemonic in the resource too.
std::string Literal(const char* text) {
    std::string literal = "\"";
    for (const char c : std::string_view(text != nullptr ? text : "")) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            literal += "\"\"";
            break;
        case '\\':
            literal += "\\\\";
            break;
        case '\n':
            literal += "\\n";
            break;
        case '\t':
            literal += "\\t";
            break;
        case '\r':
            literal += "\\r";
            break;
        default:
            if (byte < 0x20 || byte >= 0x7F) {
                char escape[5];
                std::snprintf(escape, sizeof(escape), "\\%03o", byte);
                literal += escape;
            } else {
                literal += c;
            }
        }
    }
    return literal + "\"";
}

std::string Hex(DWORD value) {
    char text[11];
    std::snprintf(text, sizeof(text), "0x%08X", static_cast<unsigned>(value));
    return text;
}

void WriteStrings(std::string& out, std::span<const platform::StringResource> strings) {
    if (strings.empty()) {
        return;
    }
    out += "STRINGTABLE\nBEGIN\n";
    for (const platform::StringResource& string : strings) {
        out += "    " + std::to_string(string.id) + ", " + Literal(string.text) + "\n";
    }
    out += "END\n\n";
}

// A control's style as the compiler is to store it: the compiler adds
// WS_CHILD and WS_VISIBLE to every control, so a hidden one says NOT
// WS_VISIBLE.
std::string ControlStyle(const platform::DialogControl& control) {
    if (control.hidden) {
        return Hex(control.style | WS_CHILD) + " | NOT " + Hex(WS_VISIBLE);
    }
    return Hex(control.style | WS_CHILD | WS_VISIBLE);
}

void WriteDialog(std::string& out, const platform::DialogResource& dialog) {
    out += std::to_string(dialog.id) + " DIALOG " + std::to_string(dialog.x) + ", " + std::to_string(dialog.y) +
           ", " + std::to_string(dialog.width) + ", " + std::to_string(dialog.height) + "\n";
    // The FONT statement sets DS_SETFONT; the script says so itself.
    out += "STYLE " + Hex(dialog.style | DS_SETFONT) + "\n";
    if (dialog.caption != nullptr) {
        out += "CAPTION " + Literal(dialog.caption) + "\n";
    }
    out += "FONT " + std::to_string(kDialogFontPoints) + ", " + Literal(kDialogFontName) + "\n";
    out += "BEGIN\n";
    for (const platform::DialogControl& control : dialog.controls) {
        out += "    CONTROL " + Literal(control.text) + ", " + std::to_string(control.id) + ", " +
               Literal(SystemClassName(control.kind)) + ", " + ControlStyle(control) + ", " + std::to_string(control.x) +
               ", " + std::to_string(control.y) + ", " + std::to_string(control.width) + ", " +
               std::to_string(control.height) + "\n";
    }
    out += "END\n\n";
}

constexpr UINT kItemFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED;

// The options after an item: GRAYED, INACTIVE (MF_DISABLED), CHECKED.
std::string ItemOptions(UINT flags) {
    std::string options;
    if ((flags & MF_GRAYED) != 0) {
        options += ", GRAYED";
    }
    if ((flags & MF_DISABLED) != 0) {
        options += ", INACTIVE";
    }
    if ((flags & MF_CHECKED) != 0) {
        options += ", CHECKED";
    }
    return options;
}

void WriteMenu(std::string& out, const platform::MenuResource& menu) {
    const std::string name = "menu " + std::to_string(menu.id);
    if (menu.items.empty()) {
        throw std::invalid_argument(name + " has no items");
    }
    out += std::to_string(menu.id) + " MENU\nBEGIN\n";
    int open = 0;  // popups open around the item
    for (std::size_t index = 0; index < menu.items.size(); ++index) {
        const platform::MenuEntry& item = menu.items[index];
        const std::string where = name + ", item " + std::to_string(index) + " " + Literal(item.text);
        if (item.level < 0 || item.level > open) {
            throw std::invalid_argument(where + ": level " + std::to_string(item.level) + " below no popup");
        }
        if ((item.flags & ~(MF_POPUP | MF_SEPARATOR | kItemFlags)) != 0) {
            throw std::invalid_argument(where + ": flags " + Hex(item.flags) + " have no word in a script");
        }
        for (; open > item.level; --open) {
            out += std::string(4 * static_cast<std::size_t>(open), ' ') + "END\n";
        }
        const std::string indent(4 * static_cast<std::size_t>(open + 1), ' ');
        if ((item.flags & MF_SEPARATOR) != 0) {
            if (item.flags != MF_SEPARATOR) {
                throw std::invalid_argument(where + ": a separator takes no other flag");
            }
            out += indent + "MENUITEM SEPARATOR\n";
        } else if ((item.flags & MF_POPUP) != 0) {
            // A compiled popup marks its last item; one without items has none.
            if (index + 1 == menu.items.size() || menu.items[index + 1].level <= item.level) {
                throw std::invalid_argument(where + ": a popup without items");
            }
            out += indent + "POPUP " + Literal(item.text) + ItemOptions(item.flags) + "\n" + indent + "BEGIN\n";
            ++open;
        } else {
            out += indent + "MENUITEM " + Literal(item.text) + ", " + std::to_string(item.id) +
                   ItemOptions(item.flags) + "\n";
        }
    }
    for (; open > 0; --open) {
        out += std::string(4 * static_cast<std::size_t>(open), ' ') + "END\n";
    }
    out += "END\n\n";
}

void WriteAccelerators(std::string& out, const platform::AcceleratorResource& table) {
    constexpr BYTE kKnown = FVIRTKEY | FNOINVERT | FSHIFT | FCONTROL | FALT;
    out += std::to_string(table.id) + " ACCELERATORS\nBEGIN\n";
    for (const ACCEL& entry : table.entries) {
        if ((entry.fVirt & ~kKnown) != 0) {
            throw std::invalid_argument("accelerator table " + std::to_string(table.id) + ": flags " +
                                        Hex(entry.fVirt) + " have no word in a script");
        }
        out += "    " + std::to_string(entry.key) + ", " + std::to_string(entry.cmd) +
               ((entry.fVirt & FVIRTKEY) != 0 ? ", VIRTKEY" : ", ASCII");
        if ((entry.fVirt & FNOINVERT) != 0) {
            out += ", NOINVERT";
        }
        if ((entry.fVirt & FSHIFT) != 0) {
            out += ", SHIFT";
        }
        if ((entry.fVirt & FCONTROL) != 0) {
            out += ", CONTROL";
        }
        if ((entry.fVirt & FALT) != 0) {
            out += ", ALT";
        }
        out += "\n";
    }
    out += "END\n\n";
}

// The toolbar's Windows form as 16-bit words of the resource's data; one
// given as bytes (not well formed) is a file of exactly those bytes.
void WriteToolbar(ResourceScript& script, const platform::ToolbarResource& toolbar) {
    const std::string id = std::to_string(toolbar.id);
    if (!toolbar.bytes.empty()) {
        const std::string file = "toolbar" + id + ".bin";
        script.files.push_back({file, {toolbar.bytes.begin(), toolbar.bytes.end()}});
        script.text += id + " 241 " + Literal(file.c_str()) + "\n\n";
        return;
    }
    script.text += id + " 241\nBEGIN\n    1, " + std::to_string(toolbar.buttonWidth) + ", " +
                   std::to_string(toolbar.buttonHeight) + ", " + std::to_string(toolbar.commands.size());
    for (const WORD command : toolbar.commands) {
        script.text += ", " + std::to_string(command);
    }
    script.text += "\nEND\n\n";
}

// A resource whose data is a file beside the script: "id TYPE "file"".
void WriteFileResource(ResourceScript& script, UINT id, const char* type, const std::string& file,
                       std::vector<std::uint8_t> bytes) {
    script.files.push_back({file, std::move(bytes)});
    script.text += std::to_string(id) + " " + type + " " + Literal(file.c_str()) + "\n";
}

}  // namespace

const char* SystemClassName(platform::ControlClass kind) {
    using platform::ControlClass;
    switch (kind) {
    case ControlClass::Button:
        return "Button";
    case ControlClass::Edit:
        return "Edit";
    case ControlClass::Static:
        return "Static";
    case ControlClass::ComboBox:
        return "ComboBox";
    case ControlClass::ListBox:
        return "ListBox";
    case ControlClass::ListView:
        return "SysListView32";
    case ControlClass::TreeView:
        return "SysTreeView32";
    case ControlClass::UpDown:
        return "msctls_updown32";
    case ControlClass::Progress:
        return "msctls_progress32";
    case ControlClass::Animate:
        return "SysAnimate32";
    }
    throw std::invalid_argument("a dialog control of an unknown class");
}

ResourceScript MakeResourceScript(const platform::ResourceTable& table) {
    ResourceScript script;
    script.text =
        "// The resources of a resource table, written by tools/rcgen when the\n"
        "// module is built: change the table, not this file.\n"
        "#pragma code_page(1252)\n"
        "LANGUAGE 0, 0\n\n";
    WriteStrings(script.text, table.strings);
    for (const platform::DialogResource& dialog : table.dialogs) {
        WriteDialog(script.text, dialog);
    }
    for (const platform::MenuResource& menu : table.menus) {
        WriteMenu(script.text, menu);
    }
    for (const platform::AcceleratorResource& accelerators : table.accelerators) {
        WriteAccelerators(script.text, accelerators);
    }
    for (const platform::ToolbarResource& toolbar : table.toolbars) {
        WriteToolbar(script, toolbar);
    }
    for (const platform::BitmapResource& bitmap : table.bitmaps) {
        WriteFileResource(script, bitmap.id, "BITMAP", "bitmap" + std::to_string(bitmap.id) + ".bmp",
                          BitmapFile(bitmap));
    }
    for (const platform::IconResource& icon : table.icons) {
        WriteFileResource(script, icon.id, "ICON", "icon" + std::to_string(icon.id) + ".ico", IconFile(icon));
    }
    for (const platform::AnimationResource& animation : table.animations) {
        WriteFileResource(script, animation.id, "AVI", "animation" + std::to_string(animation.id) + ".avi",
                          AnimationFile(animation));
    }
    return script;
}

void AddCommonControlsManifest(ResourceScript& script) {
    static constexpr char kManifest[] =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
        "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
        "  <dependency>\r\n"
        "    <dependentAssembly>\r\n"
        "      <assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"\r\n"
        "                        processorArchitecture=\"*\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>\r\n"
        "    </dependentAssembly>\r\n"
        "  </dependency>\r\n"
        "</assembly>\r\n";
    constexpr UINT kDllManifestId = 2;
    constexpr char kManifestType[] = "24";
    WriteFileResource(script, kDllManifestId, kManifestType, "common_controls.manifest",
                      std::vector<std::uint8_t>(kManifest, kManifest + sizeof(kManifest) - 1));
}

}  // namespace rcgen
