// A resource table as a resource script: the text the resource compiler
// reads, and the files it names (bitmaps, icons, animations, toolbars given
// as bytes), which lie beside it. The Windows build compiles the plug-in's
// tables this way into its modules, so that the system's own resource
// functions find what the layer finds in the tables.
#pragma once

#include "platform/resources.h"

#include <cstdint>
#include <string>
#include <vector>

namespace rcgen {

struct ScriptFile {
    std::string name;  // beside the script
    std::vector<std::uint8_t> bytes;
};

struct ResourceScript {
    std::string text;
    std::vector<ScriptFile> files;
};

// The dialog font of every template (the dialogs are laid out for it).
inline constexpr int kDialogFontPoints = 8;
inline constexpr char kDialogFontName[] = "MS Shell Dlg";

// The system's window class of a dialog control ("Button", "SysAnimate32").
const char* SystemClassName(platform::ControlClass kind);

// The script of a table. Throws std::invalid_argument, naming the resource,
// for what a compiled resource cannot hold as the table has it: a menu
// without items, a popup without items, an item nested deeper than the
// popup above it, a menu or accelerator flag the script has no word for, a
// bitmap depth, icon size or animation without a file form.
ResourceScript MakeResourceScript(const platform::ResourceTable& table);

// Adds the manifest of a module that asks for version 6 of the common
// controls: resource type 24 (a manifest) with id 2, the id of a DLL's own,
// which the loader binds its imports by and the class library activates
// around the module's windows.
void AddCommonControlsManifest(ResourceScript& script);

}  // namespace rcgen
