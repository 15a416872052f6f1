#include "sim/host/status_window.h"

#include "sim/host/sim_host.h"

#include "platform/bstr.h"

namespace simhost {
namespace {

template <typename Interface>
std::vector<Interface*> Registered(const HostServiceProvider& services, const IID& iid, bool server) {
    std::vector<Interface*> found;
    for (const InterfaceRegistration& registration : services.Registrations()) {
        if (registration.server == server && registration.iid == iid) {
            found.push_back(static_cast<Interface*>(registration.object));
        }
    }
    return found;
}

template <typename Interface>
Interface* FirstServer(const HostServiceProvider& services, const IID& iid) {
    const auto servers = Registered<Interface>(services, iid, true);
    return servers.empty() ? nullptr : servers.front();
}

}  // namespace

std::vector<StatusPage> StatusWindow::Pages() const {
    std::vector<StatusPage> pages;
    for (IHStatusClient* client : Registered<IHStatusClient>(services_, IID_IHStatusClient, false)) {
        StatusPage page;
        platform::Bstr name, first, second;
        if (FAILED(client->GetPageInfo(&page.id, name.Out(), first.Out(), second.Out(), &page.firstWidth,
                                       &page.secondWidth))) {
            continue;
        }
        page.name = name.Ansi();
        page.firstTitle = first.Ansi();
        page.secondTitle = second.Ansi();
        DWORD count = 0;
        if (SUCCEEDED(client->GetItemCount(page.id, &count))) {
            for (DWORD row = 0; row < count; ++row) {
                platform::Bstr text;
                client->GetItemText(page.id, row, text.Out());
                page.rows.push_back(text.Ansi());
            }
        }
        pages.push_back(std::move(page));
    }
    return pages;
}

std::optional<StatusPage> StatusWindow::Page(const std::string& name) const {
    for (StatusPage& page : Pages()) {
        if (page.name == name) {
            return std::move(page);
        }
    }
    return std::nullopt;
}

std::optional<DWORD> StatusWindow::StatusTime() const {
    IHStatusTiming* timing = FirstServer<IHStatusTiming>(services_, IID_IHStatusTiming);
    DWORD period = 0;
    if (timing == nullptr || FAILED(timing->GetStatusTime(&period))) {
        return std::nullopt;
    }
    return period;
}

std::optional<std::pair<DWORD, DWORD>> StatusWindow::StatusTimeRange() const {
    IHStatusTiming* timing = FirstServer<IHStatusTiming>(services_, IID_IHStatusTiming);
    DWORD minimum = 0;
    DWORD maximum = 0;
    if (timing == nullptr || FAILED(timing->GetStatusTimeRange(&minimum, &maximum))) {
        return std::nullopt;
    }
    return std::make_pair(minimum, maximum);
}

HRESULT StatusWindow::ReadRunningMemory(DWORD start, DWORD length, BYTE* buffer) const {
    IHTRunningMemory* memory = FirstServer<IHTRunningMemory>(services_, IID_IHTRunningMemory);
    if (memory == nullptr) {
        return E_FAIL;
    }
    DWORD ok = 0;
    const HRESULT checked = memory->CheckRange(start, length, &ok);
    if (FAILED(checked) || ok == 0) {
        return FAILED(checked) ? checked : E_FAIL;
    }
    return memory->ReadWhileRunning(start, length, buffer);
}

std::string StatusWindow::Text() const {
    std::string text;
    for (const StatusPage& page : Pages()) {
        text += "[" + page.name + "]\n";
        for (const std::string& row : page.rows) {
            const std::size_t tab = row.find('\t');
            text += "  " + (tab == std::string::npos ? row : row.substr(0, tab) + " : " + row.substr(tab + 1)) + "\n";
        }
    }
    return text;
}

IHTTraceList* TraceWindow::List() const {
    return FirstServer<IHTTraceList>(services_, IID_IHTTraceList);
}

std::optional<TraceView> TraceWindow::Read() const {
    IHTTraceList* list = List();
    if (list == nullptr) {
        return std::nullopt;
    }
    TraceView view;
    platform::Bstr name, header;
    list->GetName(&view.kind, name.Out());
    list->GetHeader(header.Out());
    view.name = name.Ansi();
    view.header = header.Ansi();
    list->GetCount(0, &view.capacity);
    DWORD count = 0;
    if (SUCCEEDED(list->GetCount(1, &count))) {
        for (DWORD row = 0; row < count; ++row) {
            platform::Bstr text;
            list->GetRowText(row, text.Out());
            view.rows.push_back(text.Ansi());
        }
    }
    return view;
}

HRESULT TraceWindow::Clear() const {
    IHTTraceList* list = List();
    return list != nullptr ? list->Clear(3) : E_FAIL;
}

}  // namespace simhost
