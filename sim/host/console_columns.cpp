// The console's view columns: "click" into the event column of the source
// view or of the disassembly view, and "marks", the glyphs the columns show
// on the lines of the host's line table.
#include "sim/host/console.h"

#include <cstdio>

namespace simhost {
namespace {

constexpr DWORD kToggle = 0x2;
constexpr DWORD kContext = 0x4;
constexpr char kDisassemblyView[] = "Disassembly View";

// The event column of the source views or of the disassembly view, with the
// service it is registered with and the name the host gives the view.
struct ColumnAt {
    HostViewColumnService* service = nullptr;
    LONG id = 0;
    std::string disassemblyName;
};

ColumnAt FindColumn(HostServiceProvider& services, bool disassembly) {
    HostViewColumnService& plain = disassembly ? services.AsmColumns() : services.SourceColumns();
    for (const ColumnRecord& column : plain.Columns()) {
        if (!column.removed) {
            return {&plain, column.id, kDisassemblyView};
        }
    }
    // The event function's columns: the disassembly view is the one the
    // host names with an empty text.
    const auto event = services.EventColumns().ColumnTitled(disassembly ? "Event - ASM" : "Event");
    return event.has_value() ? ColumnAt{&services.EventColumns(), event->id, ""} : ColumnAt{};
}

std::string GlyphNames(const LineMarks& marks) {
    std::string names;
    for (const DWORD glyph : marks.glyphs) {
        names += names.empty() ? "" : ", ";
        names += glyph == 1 ? "enabled" : glyph == 2 ? "disabled" : "glyph " + std::to_string(glyph);
    }
    return names;
}

}  // namespace

bool Console::Click(const std::vector<std::string>& words) {
    const char* const usage = "click <addr>|<file>:<line> [menu]";
    if (words.empty() || words.size() > 2 || (words.size() == 2 && words[1] != "menu")) {
        return Usage(usage);
    }
    const DWORD flags = words.size() == 2 ? kContext : kToggle;
    const std::size_t colon = words[0].rfind(':');
    const bool source = colon != std::string::npos && colon > 1;  // "C:..." alone is a drive
    const ColumnAt column = FindColumn(host_.Services(), !source);
    if (column.service == nullptr) {
        Print("click: no event column (\"connect\" first)");
        return false;
    }
    std::uint64_t value = 0;
    std::string view;
    if (source) {
        view = words[0].substr(0, colon);
        if (!Number(words[0].substr(colon + 1), 0xFFFFFFFF, value, 10)) {
            return Usage(usage);
        }
    } else {
        view = column.disassemblyName;
        if (!Number(words[0], 0xFFFFFFFF, value)) {
            return Usage(usage);
        }
    }
    // The view is open when the person clicks into it.
    column.service->OpenView(view, [&](const ColumnRecord& record) { return record.id == column.id; });
    // The columns answer a click with their own codes, which tell the
    // person nothing: the marks afterwards do.
    static_cast<void>(column.service->Click(column.id, view, static_cast<DWORD>(value), flags));
    return ShowMarks();
}

bool Console::ShowMarks() {
    const ColumnAt source = FindColumn(host_.Services(), false);
    const ColumnAt disassembly = FindColumn(host_.Services(), true);
    if (source.service == nullptr && disassembly.service == nullptr) {
        Print("marks: no event column (\"connect\" first)");
        return false;
    }
    bool any = false;
    for (const auto& [address, place] : host_.Services().SourcePositions().Lines()) {
        std::string shown;
        if (source.service != nullptr) {
            shown = GlyphNames(source.service->Marks(source.id, place.first, place.second));
        }
        if (shown.empty() && disassembly.service != nullptr) {
            shown = GlyphNames(disassembly.service->Marks(disassembly.id, disassembly.disassemblyName, address));
        }
        if (!shown.empty()) {
            char line[64];
            std::snprintf(line, sizeof(line), "  %04X ", static_cast<unsigned>(address));
            Print(line + place.first + ":" + std::to_string(place.second) + " " + shown);
            any = true;
        }
    }
    if (!any) {
        Print("  (no marks)");
    }
    return true;
}

}  // namespace simhost
