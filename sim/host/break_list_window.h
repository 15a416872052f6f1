// The simulated host's break-list window: what the target's break-list
// server (IHTBreakListServer) answers, read and driven as the host's window
// does. Opening the window asks for the list names first; the rows are then
// read from index 0 until the server gives no row.
#pragma once

#include "platform/host/handler_interfaces.h"

#include <optional>
#include <string>
#include <vector>

namespace simhost {

class HostServiceProvider;

struct BreakListRow {
    DWORD number = 0;
    std::string kind;
    DWORD state = 0;  // 1 enabled, 2 disabled
    DWORD kindCode = 0;
    DWORD address = 0;
    std::string condition;
    std::string action;
};

class BreakListWindow {
public:
    // Opens the window over the registered server: GetListKinds.
    explicit BreakListWindow(HostServiceProvider& services);

    // The header the server named the lists with (empty without a server).
    const std::string& Header() const { return header_; }
    bool HasServer() const { return server_ != nullptr; }
    // Every row of a list, and one row (none when the server gives none).
    std::vector<BreakListRow> Rows(LONG list) const;
    std::optional<BreakListRow> Row(LONG list, LONG index) const;
    // The operations the server offers for an item (-1: for the list).
    DWORD State(LONG list, LONG index) const;
    HRESULT Enable(LONG list, LONG index, bool enable) const;
    HRESULT Remove(LONG list, LONG index) const;
    HRESULT Edit(LONG list, LONG index) const;
    // One line per row of the list: number, kind, state, address, condition
    // and action, tab-separated.
    std::string Text(LONG list) const;

private:
    IHTBreakListServer* server_ = nullptr;
    std::string header_;
};

}  // namespace simhost
