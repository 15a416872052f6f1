#include "sim/host/break_list_window.h"

#include "sim/host/sim_host.h"

#include "platform/bstr.h"

#include <cstdio>

namespace simhost {
namespace {

// More rows than any list of the target holds: a server that never ends its
// list is not read forever.
constexpr LONG kMostRows = 1024;

std::string Ansi(BSTR text) {
    return text != nullptr ? platform::BstrToAnsi(text) : std::string();
}

}  // namespace

BreakListWindow::BreakListWindow(HostServiceProvider& services) {
    for (const InterfaceRegistration& registration : services.Registrations()) {
        if (registration.server && registration.iid == IID_IHTBreakListServer) {
            server_ = static_cast<IHTBreakListServer*>(registration.object);
            break;
        }
    }
    if (server_ != nullptr) {
        platform::Bstr header;
        if (SUCCEEDED(server_->GetListKinds(header.Out()))) {
            header_ = header.Ansi();
        }
    }
}

std::optional<BreakListRow> BreakListWindow::Row(LONG list, LONG index) const {
    CEventItemInfo* info = nullptr;
    if (server_ == nullptr || FAILED(server_->GetItemText(list, index, &info)) || info == nullptr) {
        return std::nullopt;
    }
    return BreakListRow{info->number, Ansi(info->kindText),      info->state,          info->kindCode,
                        info->value,  Ansi(info->conditionText), Ansi(info->actionText)};
}

std::vector<BreakListRow> BreakListWindow::Rows(LONG list) const {
    std::vector<BreakListRow> rows;
    for (LONG index = 0; index < kMostRows; ++index) {
        auto row = Row(list, index);
        if (!row) {
            break;
        }
        rows.push_back(std::move(*row));
    }
    return rows;
}

DWORD BreakListWindow::State(LONG list, LONG index) const {
    DWORD state = 0;
    if (server_ == nullptr || FAILED(server_->GetItemState(list, index, &state))) {
        return 0;
    }
    return state;
}

HRESULT BreakListWindow::Enable(LONG list, LONG index, bool enable) const {
    return server_ != nullptr ? server_->EnableItem(list, index, enable ? 1 : 0) : E_FAIL;
}

HRESULT BreakListWindow::Remove(LONG list, LONG index) const {
    return server_ != nullptr ? server_->RemoveItem(list, index) : E_FAIL;
}

HRESULT BreakListWindow::Edit(LONG list, LONG index) const {
    return server_ != nullptr ? server_->EditItem(list, index) : E_FAIL;
}

std::string BreakListWindow::Text(LONG list) const {
    std::string text;
    for (const BreakListRow& row : Rows(list)) {
        char address[16];
        std::snprintf(address, sizeof(address), "%X", static_cast<unsigned>(row.address));
        text += std::to_string(row.number) + "\t" + row.kind + "\t" + (row.state == 1 ? "on" : "off") + "\t" +
                address + "\t" + row.condition + "\t" + row.action + "\n";
    }
    return text;
}

}  // namespace simhost
