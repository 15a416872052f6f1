// The system's own resource functions on a module loaded as data. This file
// includes no header of the layer: there, the same names lead to the
// layer's tables (platform/win32_redirects.h). It is compiled on its own,
// never batched with a file that includes them.
#include "tests/res/compiled_resources.h"

#include "tests/res/riff_chunks.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string_view>

namespace compiled {
namespace {

HMODULE Handle(void* module) {
    return static_cast<HMODULE>(module);
}

std::string Narrow(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size, nullptr,
                        nullptr);
    return narrow;
}

// The bytes of a resource, as LockResource and SizeofResource give them.
std::optional<std::string_view> Bytes(HMODULE module, LPCSTR name, LPCSTR type) {
    const HRSRC found = FindResourceA(module, name, type);
    if (found == nullptr) {
        return std::nullopt;
    }
    const void* data = LockResource(LoadResource(module, found));
    if (data == nullptr) {
        return std::nullopt;
    }
    return std::string_view(static_cast<const char*>(data), SizeofResource(module, found));
}

// Reads a dialog template field by field (the layout of DLGTEMPLATE and
// DLGITEMTEMPLATE: 16-bit words, texts of 16-bit characters, items aligned
// to 32 bits); any read past the end leaves it failed.
class TemplateReader {
public:
    explicit TemplateReader(std::string_view bytes) : bytes_(bytes) {}

    bool Failed() const { return failed_; }

    template <typename Value>
    Value Read() {
        Value value{};
        if (at_ + sizeof(Value) > bytes_.size()) {
            failed_ = true;
            return value;
        }
        std::memcpy(&value, bytes_.data() + at_, sizeof(Value));
        at_ += sizeof(Value);
        return value;
    }

    std::wstring Text() {
        std::wstring text;
        for (WCHAR c = Read<WCHAR>(); c != 0 && !failed_; c = Read<WCHAR>()) {
            text += c;
        }
        return text;
    }

    // A name or an ordinal (0xFFFF then the number): its text, or for an
    // ordinal the number as "#<n>".
    std::wstring NameOrOrdinal() {
        if (at_ + 2 <= bytes_.size() && static_cast<unsigned char>(bytes_[at_]) == 0xFF &&
            static_cast<unsigned char>(bytes_[at_ + 1]) == 0xFF) {
            at_ += 2;
            return L"#" + std::to_wstring(Read<WORD>());
        }
        return Text();
    }

    void AlignTo32() { at_ = (at_ + 3) & ~std::size_t{3}; }
    void Skip(std::size_t count) { at_ += count; }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
    bool failed_ = false;
};

// The predefined classes a template may name by their atoms.
std::string ClassName(const std::wstring& name) {
    static const std::pair<const wchar_t*, const char*> kAtoms[] = {
        {L"#128", "Button"}, {L"#129", "Edit"}, {L"#130", "Static"},
        {L"#131", "ListBox"}, {L"#132", "ScrollBar"}, {L"#133", "ComboBox"},
    };
    for (const auto& [atom, className] : kAtoms) {
        if (name == atom) {
            return className;
        }
    }
    return Narrow(name);
}

void WalkMenu(HMENU menu, int level, std::vector<MenuItem>& items) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
        char text[256] = {};
        GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof(text), MF_BYPOSITION);
        const HMENU popup = GetSubMenu(menu, position);
        MenuItem item{level, text, 0, 0};
        constexpr UINT kItemFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED;
        if (popup != nullptr) {
            // A popup's state holds its item count in the high byte.
            item.flags = MF_POPUP | (LOBYTE(state) & kItemFlags);
        } else if ((state & MF_SEPARATOR) != 0) {
            item.flags = MF_SEPARATOR;  // the system reports a separator grayed and disabled too
        } else {
            item.flags = state & kItemFlags;
            item.id = GetMenuItemID(menu, position);
        }
        items.push_back(item);
        if (popup != nullptr) {
            WalkMenu(popup, level + 1, items);
        }
    }
}

}  // namespace

Module::Module(const std::string& path)
    : module_(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}

Module::~Module() {
    if (module_ != nullptr) {
        FreeLibrary(Handle(module_));
    }
}

bool Module::Loaded() const {
    return module_ != nullptr;
}

std::optional<std::string> Module::String(std::uint32_t id) const {
    char text[4096];
    const int length = LoadStringA(Handle(module_), id, text, sizeof(text));
    if (length <= 0) {
        return std::nullopt;
    }
    return std::string(text, static_cast<std::size_t>(length));
}

std::optional<Dialog> Module::DialogTemplate(std::uint32_t id) const {
    const auto bytes = Bytes(Handle(module_), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));  // RT_DIALOG
    if (!bytes) {
        return std::nullopt;
    }
    TemplateReader reader(*bytes);
    Dialog dialog{};
    dialog.style = reader.Read<DWORD>();
    reader.Read<DWORD>();  // extended style
    const WORD count = reader.Read<WORD>();
    dialog.x = reader.Read<SHORT>();
    dialog.y = reader.Read<SHORT>();
    dialog.width = reader.Read<SHORT>();
    dialog.height = reader.Read<SHORT>();
    reader.NameOrOrdinal();  // menu
    reader.NameOrOrdinal();  // class
    dialog.caption = Narrow(reader.Text());
    if ((dialog.style & DS_SETFONT) != 0) {
        dialog.fontPoints = reader.Read<WORD>();
        dialog.fontName = Narrow(reader.Text());
    }
    for (WORD index = 0; index < count && !reader.Failed(); ++index) {
        reader.AlignTo32();
        DialogItem item{};
        item.style = reader.Read<DWORD>();
        reader.Read<DWORD>();  // extended style
        item.x = reader.Read<SHORT>();
        item.y = reader.Read<SHORT>();
        item.width = reader.Read<SHORT>();
        item.height = reader.Read<SHORT>();
        item.id = reader.Read<WORD>();
        item.className = ClassName(reader.NameOrOrdinal());
        item.text = Narrow(reader.NameOrOrdinal());
        reader.Skip(reader.Read<WORD>());  // creation data
        dialog.items.push_back(item);
    }
    if (reader.Failed()) {
        return std::nullopt;
    }
    return dialog;
}

std::optional<std::vector<MenuItem>> Module::Menu(std::uint32_t id) const {
    const HMENU menu = LoadMenuA(Handle(module_), MAKEINTRESOURCEA(id));
    if (menu == nullptr) {
        return std::nullopt;
    }
    std::vector<MenuItem> items;
    WalkMenu(menu, 0, items);
    DestroyMenu(menu);
    return items;
}

std::optional<std::vector<Accelerator>> Module::Accelerators(std::uint32_t id) const {
    const HACCEL table = LoadAcceleratorsA(Handle(module_), MAKEINTRESOURCEA(id));
    if (table == nullptr) {
        return std::nullopt;
    }
    std::vector<ACCEL> entries(static_cast<std::size_t>(CopyAcceleratorTableA(table, nullptr, 0)));
    CopyAcceleratorTableA(table, entries.data(), static_cast<int>(entries.size()));
    DestroyAcceleratorTable(table);
    std::vector<Accelerator> accelerators;
    for (const ACCEL& entry : entries) {
        accelerators.push_back({entry.fVirt, entry.key, entry.cmd});
    }
    return accelerators;
}

std::optional<std::vector<std::uint8_t>> Module::Data(std::uint32_t id, std::uint32_t type) const {
    const auto bytes = Bytes(Handle(module_), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
    if (!bytes) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
}

std::optional<Bitmap> Module::BitmapOf(std::uint32_t id) const {
    const HBITMAP bitmap = LoadBitmapA(Handle(module_), MAKEINTRESOURCEA(id));
    if (bitmap == nullptr) {
        return std::nullopt;
    }
    BITMAP size{};
    GetObjectA(bitmap, sizeof(size), &size);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size.bmWidth;
    info.bmiHeader.biHeight = -size.bmHeight;  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<RGBQUAD> pixels(static_cast<std::size_t>(size.bmWidth) * static_cast<std::size_t>(size.bmHeight));
    const HDC context = CreateCompatibleDC(nullptr);
    const int rows =
        GetDIBits(context, bitmap, 0, static_cast<UINT>(size.bmHeight), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteDC(context);
    DeleteObject(bitmap);
    if (rows != size.bmHeight) {
        return std::nullopt;
    }
    Bitmap read{size.bmWidth, size.bmHeight, {}};
    for (const RGBQUAD& pixel : pixels) {
        read.colours.push_back(static_cast<std::uint32_t>(pixel.rgbRed) << 16 |
                               static_cast<std::uint32_t>(pixel.rgbGreen) << 8 | pixel.rgbBlue);
    }
    return read;
}

std::optional<std::pair<std::int32_t, std::int32_t>> Module::IconSize(std::uint32_t id) const {
    const auto icon = static_cast<HICON>(LoadImageA(Handle(module_), MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, 0));
    if (icon == nullptr) {
        return std::nullopt;
    }
    ICONINFO info{};
    std::optional<std::pair<std::int32_t, std::int32_t>> size;
    if (GetIconInfo(icon, &info)) {
        BITMAP colour{};
        if (info.hbmColor != nullptr && GetObjectA(info.hbmColor, sizeof(colour), &colour) != 0) {
            size = std::pair(colour.bmWidth, colour.bmHeight);
        }
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    DestroyIcon(icon);
    return size;
}

std::optional<Animation> Module::AnimationOf(std::uint32_t id) const {
    const auto bytes = Bytes(Handle(module_), MAKEINTRESOURCEA(id), "AVI");
    if (!bytes) {
        return std::nullopt;
    }
    const auto clip = riff::List(riff::Chunks(*bytes), "AVI ");
    if (!clip) {
        return std::nullopt;
    }
    const std::vector<riff::Chunk> top = riff::Chunks(*clip);
    const auto headers = riff::List(top, "hdrl");
    const auto movie = riff::List(top, "movi");
    if (!headers || !movie) {
        return std::nullopt;
    }
    const std::vector<riff::Chunk> headerChunks = riff::Chunks(*headers);
    const auto mainHeader = riff::Find(headerChunks, "avih");
    const auto streams = riff::List(headerChunks, "strl");
    const auto streamHeader = streams ? riff::Find(riff::Chunks(*streams), "strh") : std::nullopt;
    if (!mainHeader || !streamHeader) {
        return std::nullopt;
    }
    Animation animation{};
    animation.totalFrames = riff::Word32(*mainHeader, 16);
    animation.width = static_cast<std::int32_t>(riff::Word32(*mainHeader, 32));
    animation.height = static_cast<std::int32_t>(riff::Word32(*mainHeader, 36));
    animation.streamLength = riff::Word32(*streamHeader, 32);
    for (const riff::Chunk& chunk : riff::Chunks(*movie)) {
        animation.frameChunks += chunk.id == "00db" ? 1 : 0;
    }
    return animation;
}

std::string BesideProgram(const std::string& relative) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + relative;
}

bool IsSystemClass(const std::string& name) {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_ANIMATE_CLASS | ICC_PROGRESS_CLASS |
                                                            ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES |
                                                            ICC_TREEVIEW_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    WNDCLASSEXA found{};
    found.cbSize = sizeof(found);
    return registered && GetClassInfoExA(nullptr, name.c_str(), &found) != FALSE;
}

}  // namespace compiled
