// The simulated host's status and trace windows: what the target's status
// pages, status-period server, running-memory server and trace list answer,
// read as the host's windows read them.
#pragma once

#include "platform/host/status_interfaces.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace simhost {

class HostServiceProvider;

// One page of the status window: its information and its rows.
struct StatusPage {
    GUID id{};
    std::string name;
    std::string firstTitle;
    std::string secondTitle;
    DWORD firstWidth = 0;
    DWORD secondWidth = 0;
    std::vector<std::string> rows;
};

class StatusWindow {
public:
    explicit StatusWindow(HostServiceProvider& services) : services_(services) {}

    // Every registered status client's page, in registration order.
    std::vector<StatusPage> Pages() const;
    // The page of that name (none when no client has it).
    std::optional<StatusPage> Page(const std::string& name) const;
    // The status period and its range from the status-period server (none
    // without one).
    std::optional<DWORD> StatusTime() const;
    std::optional<std::pair<DWORD, DWORD>> StatusTimeRange() const;
    // A read of the running-memory server into buffer (E_FAIL without one).
    HRESULT ReadRunningMemory(DWORD start, DWORD length, BYTE* buffer) const;
    // Prints every page, one row a line, the item and status columns apart.
    std::string Text() const;

private:
    HostServiceProvider& services_;
};

// The trace window as the host reads the trace list.
struct TraceView {
    std::string name;
    DWORD kind = 0;
    std::string header;
    DWORD capacity = 0;
    std::vector<std::string> rows;
};

class TraceWindow {
public:
    explicit TraceWindow(HostServiceProvider& services) : services_(services) {}

    // The registered trace list (none without one).
    IHTTraceList* List() const;
    // Name, header, capacity and every row (none without a trace list).
    std::optional<TraceView> Read() const;
    // Asks the list to drop its records.
    HRESULT Clear() const;

private:
    HostServiceProvider& services_;
};

}  // namespace simhost
