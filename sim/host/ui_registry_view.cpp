// The host's view of the UI registrations: what the console shows, and the
// window that a menu command goes to.
#include "sim/host/ui_registry.h"

#include <algorithm>
#include <ostream>

namespace simhost {

HWND HostUiRegistry::WindowForCommand(UINT id) const {
    std::lock_guard lock(mutex_);
    for (const auto& [owner, entries] : owners_) {
        for (const auto& [key, menu] : entries.menus) {
            const bool holds = std::any_of(menu.items.begin(), menu.items.end(),
                                           [id](const UiMenuLine& line) { return line.id == id; });
            if (holds && !entries.windows.empty()) {
                return entries.windows.front();
            }
        }
    }
    return nullptr;
}

void HostUiRegistry::Describe(std::ostream& out) const {
    std::lock_guard lock(mutex_);
    const bool none = commandTexts_.empty() && std::all_of(owners_.begin(), owners_.end(), [](const auto& owner) {
                          return owner.second.Empty();
                      });
    out << "host UI registrations:" << (none ? " none\n" : "\n");
    for (const auto& [owner, entries] : owners_) {
        if (entries.Empty()) {
            continue;
        }
        out << "  owner " << owner << ":\n";
        for (const auto& [key, menu] : entries.menus) {
            out << "    menu " << key << " from " << menu.source << ", flags " << menu.flags
                << (menu.takenOut ? " (taken out)" : "") << "\n";
            for (const UiMenuLine& line : menu.items) {
                out << std::string(6 + 2 * static_cast<std::size_t>(line.level), ' ') << "\"" << line.text << "\"";
                if (line.id != 0) {
                    out << " " << line.id;
                }
                out << "\n";
            }
        }
        for (const UiToolbarEntry& toolbar : entries.toolbars) {
            out << "    toolbar \"" << toolbar.caption << "\"";
            if (!toolbar.idText.empty()) {
                out << " " << toolbar.idText;
            }
            out << ", resource " << toolbar.toolbarId << "/" << toolbar.secondId << " from "
                << DescribeInstance(toolbar.instance) << "\n";
            for (const DWORD button : toolbar.buttons) {
                out << "      " << button << " \"" << CommandTip(toolbar.instance, button) << "\"\n";
            }
        }
        for (const auto& [table, ids] : entries.accelerators) {
            out << "    accelerators " << table << ": " << JoinIds(ids) << "\n";
        }
        for (const HWND window : entries.windows) {
            out << "    " << DescribeWindow(window) << "\n";
        }
        for (const HINSTANCE instance : entries.instances) {
            out << "    instance " << DescribeInstance(instance) << "\n";
        }
        for (const auto& [key, item] : entries.idItems) {
            out << "    id-text item \"" << item.idText << "\" " << item.numericId << ", flags " << item.flags
                << ": " << JoinIds(item.ids) << "\n";
        }
        for (const auto& [name, id] : entries.namedCommands) {
            out << "    named command \"" << name << "\" " << id << "\n";
        }
        for (const auto& [item, entry] : entries.popupItems) {
            out << "    popup item " << item << " of popup " << entry.popup << "\n";
        }
        for (const auto& [group, ids] : entries.commandGroups) {
            out << "    command group " << group << ": " << JoinIds(ids) << "\n";
        }
    }
    for (const auto& [id, text] : commandTexts_) {
        out << "  command text " << id << " \"" << text << "\"\n";
    }
    out << "  owner ids given out:";
    for (const DWORD owner : ownerIdsOut_) {
        out << " " << owner;
    }
    out << (ownerIdsOut_.empty() ? " none\n" : "\n");
    for (const std::string& error : hostErrors_) {
        out << "  host error: " << error << "\n";
    }
}

}  // namespace simhost
