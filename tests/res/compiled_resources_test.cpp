// The resources compiled into the product folder's modules (and into the
// resource test module, whose table holds every kind and form the plug-in's
// does not) are their tables: each module is loaded as data and every
// resource of its table is read back with the system's own functions.
// Windows build only: the Linux build has no compiled resources, its layer
// reads the tables themselves.
#include "res/plugin_resources.h"
#include "tests/res/compiled_resources.h"
#include "tools/rcgen/dib.h"
#include "tools/rcgen/resource_script.h"
#include "tools/rcgen/script_table.h"

#include "platform/common_controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ostream>

namespace compiled {

// Failures name the items, not their bytes.
void PrintTo(const MenuItem& item, std::ostream* out) {
    *out << "{" << item.level << ", \"" << item.text << "\", " << item.id << ", 0x" << std::hex << item.flags
         << std::dec << "}";
}

void PrintTo(const Accelerator& entry, std::ostream* out) {
    *out << "{0x" << std::hex << int{entry.flags} << std::dec << ", " << entry.key << ", " << entry.command << "}";
}

}  // namespace compiled

namespace {

struct ModuleCase {
    const char* name;
    const char* path;  // from the test program's folder
    const platform::ResourceTable& (*table)();
};

// The product folder lies beside the bin folder.
const ModuleCase kModules[] = {
    {"Plugin", "..\\dist\\Q3vVk3.dll", &PluginResources},
    {"ResourceModule", "..\\dist\\Q3vVk3ExtRes.dll", &PluginResources},
    {"TestModule", "RcTestModule.dll", &ScriptTable},
};

void PrintTo(const ModuleCase& module, std::ostream* out) {
    *out << module.path;
}

// Class names are found without regard to case (the compiler may store them
// in capitals).
std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Text(const char* text) {
    return text != nullptr ? text : "";
}

// The colour a person sees for a pixel of the table's bits (rows of 16-bit
// aligned bytes from the top).
std::uint32_t TableColour(const platform::BitmapResource& bitmap, int x, int y) {
    const std::size_t stride = ((static_cast<std::size_t>(bitmap.width) * bitmap.bitsPerPixel + 15) / 16) * 2;
    const std::size_t bit = static_cast<std::size_t>(y) * stride * 8 + static_cast<std::size_t>(x) * bitmap.bitsPerPixel;
    const auto byte = [&](std::size_t at) -> std::uint32_t { return at < bitmap.bits.size() ? bitmap.bits[at] : 0; };
    switch (bitmap.bitsPerPixel) {
    case 1:
        return (byte(bit / 8) >> (7 - bit % 8) & 1) != 0 ? 0xFFFFFF : 0x000000;
    case 4: {
        const rcgen::Rgb colour = rcgen::kSystemPalette[(byte(bit / 8) >> (bit % 8 == 0 ? 4 : 0)) & 0xF];
        return static_cast<std::uint32_t>(colour.red) << 16 | static_cast<std::uint32_t>(colour.green) << 8 |
               colour.blue;
    }
    default:  // 24 and 32 bits: blue, green, red
        return byte(bit / 8 + 2) << 16 | byte(bit / 8 + 1) << 8 | byte(bit / 8);
    }
}

class CompiledResources : public testing::TestWithParam<ModuleCase> {
protected:
    void SetUp() override {
        module_ = std::make_unique<compiled::Module>(compiled::BesideProgram(GetParam().path));
        ASSERT_TRUE(module_->Loaded()) << GetParam().path << " does not load as data";
    }

    const platform::ResourceTable& Table() const { return GetParam().table(); }
    const compiled::Module& Module() const { return *module_; }

private:
    std::unique_ptr<compiled::Module> module_;
};

TEST_P(CompiledResources, EveryStringIsTheTables) {
    for (const platform::StringResource& string : Table().strings) {
        EXPECT_EQ(Module().String(string.id), std::optional<std::string>(string.text)) << "string " << string.id;
    }
}

TEST_P(CompiledResources, EveryDialogTemplateIsTheTablesWithSystemControlClasses) {
    for (const platform::DialogResource& dialog : Table().dialogs) {
        SCOPED_TRACE("dialog " + std::to_string(dialog.id));
        const std::optional<compiled::Dialog> read = Module().DialogTemplate(dialog.id);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->style, dialog.style | DS_SETFONT);
        EXPECT_EQ(read->caption, Text(dialog.caption));
        EXPECT_EQ(std::tie(read->x, read->y, read->width, read->height),
                  std::tie(dialog.x, dialog.y, dialog.width, dialog.height));
        EXPECT_EQ(read->fontPoints, rcgen::kDialogFontPoints);
        EXPECT_EQ(read->fontName, rcgen::kDialogFontName);
        ASSERT_EQ(read->items.size(), dialog.controls.size());
        for (std::size_t index = 0; index < dialog.controls.size(); ++index) {
            const platform::DialogControl& control = dialog.controls[index];
            const compiled::DialogItem& item = read->items[index];
            SCOPED_TRACE("control " + std::to_string(control.id) + " " + Text(control.text));
            EXPECT_EQ(item.id, static_cast<std::uint16_t>(control.id));
            EXPECT_EQ(Lower(item.className), Lower(rcgen::SystemClassName(control.kind)));
            EXPECT_TRUE(compiled::IsSystemClass(item.className)) << item.className;
            EXPECT_EQ(item.style, control.style | WS_CHILD | (control.hidden ? 0 : WS_VISIBLE));
            EXPECT_EQ(item.text, Text(control.text));
            EXPECT_EQ(std::tie(item.x, item.y, item.width, item.height),
                      std::tie(control.x, control.y, control.width, control.height));
        }
    }
}

TEST_P(CompiledResources, EveryMenuIsTheTablesItemByItem) {
    for (const platform::MenuResource& menu : Table().menus) {
        std::vector<compiled::MenuItem> expected;
        for (const platform::MenuEntry& entry : menu.items) {
            const bool command = (entry.flags & (MF_POPUP | MF_SEPARATOR)) == 0;
            expected.push_back({entry.level, Text(entry.text), command ? entry.id : 0, entry.flags});
        }
        EXPECT_EQ(Module().Menu(menu.id), expected) << "menu " << menu.id;
    }
}

TEST_P(CompiledResources, EveryAcceleratorTableIsTheTablesInOrder) {
    for (const platform::AcceleratorResource& table : Table().accelerators) {
        std::vector<compiled::Accelerator> expected;
        for (const ACCEL& entry : table.entries) {
            expected.push_back({entry.fVirt, entry.key, entry.cmd});
        }
        EXPECT_EQ(Module().Accelerators(table.id), expected) << "accelerator table " << table.id;
    }
}

TEST_P(CompiledResources, EveryToolbarHoldsTheTablesWindowsForm) {
    for (const platform::ToolbarResource& toolbar : Table().toolbars) {
        std::vector<std::uint8_t> expected(toolbar.bytes.begin(), toolbar.bytes.end());
        if (expected.empty()) {
            std::vector<WORD> words = {1, toolbar.buttonWidth, toolbar.buttonHeight,
                                       static_cast<WORD>(toolbar.commands.size())};
            words.insert(words.end(), toolbar.commands.begin(), toolbar.commands.end());
            for (const WORD word : words) {
                expected.push_back(static_cast<std::uint8_t>(word & 0xFF));
                expected.push_back(static_cast<std::uint8_t>(word >> 8));
            }
        }
        EXPECT_EQ(Module().Data(toolbar.id, 241), expected) << "toolbar " << toolbar.id;
    }
}

TEST_P(CompiledResources, EveryBitmapShowsTheTablesPixels) {
    for (const platform::BitmapResource& bitmap : Table().bitmaps) {
        SCOPED_TRACE("bitmap " + std::to_string(bitmap.id));
        const std::optional<compiled::Bitmap> read = Module().BitmapOf(bitmap.id);
        ASSERT_TRUE(read.has_value());
        ASSERT_EQ(std::tie(read->width, read->height), std::tie(bitmap.width, bitmap.height));
        std::vector<std::uint32_t> expected;
        for (int y = 0; y < bitmap.height; ++y) {
            for (int x = 0; x < bitmap.width; ++x) {
                expected.push_back(TableColour(bitmap, x, y));
            }
        }
        EXPECT_EQ(read->colours, expected);
    }
}

TEST_P(CompiledResources, EveryIconHasTheTablesSize) {
    for (const platform::IconResource& icon : Table().icons) {
        EXPECT_EQ(Module().IconSize(icon.id), std::pair(icon.width, icon.height)) << "icon " << icon.id;
    }
}

TEST_P(CompiledResources, EveryAnimationHasTheTablesFrames) {
    for (const platform::AnimationResource& animation : Table().animations) {
        SCOPED_TRACE("animation " + std::to_string(animation.id));
        const std::optional<compiled::Animation> read = Module().AnimationOf(animation.id);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->totalFrames, animation.frames);
        EXPECT_EQ(read->streamLength, animation.frames);
        EXPECT_EQ(read->frameChunks, animation.frames);
        EXPECT_GT(read->width, 0);
        EXPECT_GT(read->height, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Modules, CompiledResources, testing::ValuesIn(kModules),
                         [](const testing::TestParamInfo<ModuleCase>& info) { return std::string(info.param.name); });

}  // namespace
