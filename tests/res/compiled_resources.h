// A module's compiled resources as the system's own resource functions read
// them (Windows build): the module is loaded as data, never run. Its
// definition calls the real functions in a file of its own, apart from the
// layer's headers, which lead the same names to the layer's tables; this
// header therefore names no Windows type.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace compiled {

struct DialogItem {
    std::uint32_t style;
    std::int16_t x, y, width, height;
    std::uint16_t id;
    std::string className;  // an atom of a predefined class as its name
    std::string text;
};

struct Dialog {
    std::uint32_t style;
    std::int16_t x, y, width, height;
    std::string caption;
    std::uint16_t fontPoints;  // 0 without a font
    std::string fontName;
    std::vector<DialogItem> items;
};

// A menu's items in menu order, each with its nesting level and its flags
// as the table's: MF_POPUP, MF_SEPARATOR, MF_GRAYED, MF_DISABLED, MF_CHECKED
// (popups have id 0, separators no text).
struct MenuItem {
    int level;
    std::string text;
    std::uint32_t id;
    std::uint32_t flags;
    bool operator==(const MenuItem&) const = default;
};

struct Accelerator {
    std::uint8_t flags;
    std::uint16_t key;
    std::uint16_t command;
    bool operator==(const Accelerator&) const = default;
};

// A bitmap as GetObject sizes it and GetDIBits gives its colours
// (0xRRGGBB), rows from the top.
struct Bitmap {
    std::int32_t width, height;
    std::vector<std::uint32_t> colours;
};

// An animation's header and its frames.
struct Animation {
    std::uint32_t totalFrames;   // the main header's
    std::uint32_t streamLength;  // the video stream's
    std::uint32_t frameChunks;   // the frames the movie list holds
    std::int32_t width, height;
};

class Module {
public:
    // Loads the module as data; Loaded() says whether that worked.
    explicit Module(const std::string& path);
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    bool Loaded() const;
    std::optional<std::string> String(std::uint32_t id) const;
    std::optional<Dialog> DialogTemplate(std::uint32_t id) const;
    std::optional<std::vector<MenuItem>> Menu(std::uint32_t id) const;
    std::optional<std::vector<Accelerator>> Accelerators(std::uint32_t id) const;
    // The bytes of a resource of an integer type (a toolbar's, type 241).
    std::optional<std::vector<std::uint8_t>> Data(std::uint32_t id, std::uint32_t type) const;
    std::optional<Bitmap> BitmapOf(std::uint32_t id) const;
    // The icon's size at its own size (LoadImageA asked for no other).
    std::optional<std::pair<std::int32_t, std::int32_t>> IconSize(std::uint32_t id) const;
    std::optional<Animation> AnimationOf(std::uint32_t id) const;

private:
    void* module_;
};

// A path from the test program's own folder, such as ..\dist\Q3vVk3.dll.
std::string BesideProgram(const std::string& relative);

// Whether the system knows a window class of that name (the common
// controls' classes registered first).
bool IsSystemClass(const std::string& name);

}  // namespace compiled
