#include "sim/host/view_column_services.h"

#include "sim/host/query_answer.h"
#include "sim/host/sim_host.h"

#include "platform/bstr.h"
#include "platform/host/ids.h"

#include <algorithm>
#include <cstdio>
#include <cctype>

namespace simhost {
namespace {

std::string Hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof(text), "%X", static_cast<unsigned>(value));
    return text;
}

std::string Number(LONG value) {
    return std::to_string(value);
}

std::string ViewText(BSTR* view) {
    return view != nullptr ? platform::BstrToAnsi(*view) : std::string("(all)");
}

bool SameName(const std::string& first, const std::string& second) {
    return std::equal(first.begin(), first.end(), second.begin(), second.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

// The file-name part of a path, for a source view named by either.
std::string FileName(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

HRESULT HostViewColumnService::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IHViewColumnService) {
        *object = static_cast<IHViewColumnService*>(this);
    } else if (iid == IID_IHViewColumnRegistry) {
        *object = static_cast<IHViewColumnRegistry*>(this);
    } else if (iid == IID_IHViewColumnRefresh) {
        *object = static_cast<IHViewColumnRefresh*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    return S_OK;
}

ColumnRecord* HostViewColumnService::Find(LONG id) {
    const auto found = std::find_if(columns_.begin(), columns_.end(),
                                    [id](const ColumnRecord& record) { return record.id == id && !record.removed; });
    return found != columns_.end() ? &*found : nullptr;
}

HRESULT HostViewColumnService::RemoveColumn(LONG id) {
    log_.Add(name_ + ".RemoveColumn", Number(id));
    std::lock_guard lock(mutex_);
    ColumnRecord* record = Find(id);
    if (record == nullptr) {
        return E_INVALIDARG;
    }
    record->removed = true;
    record->active = false;
    return S_OK;
}

HRESULT HostViewColumnService::ActivateColumn(LONG id) {
    log_.Add(name_ + ".ActivateColumn", Number(id));
    std::lock_guard lock(mutex_);
    ColumnRecord* record = Find(id);
    if (record == nullptr) {
        return E_INVALIDARG;
    }
    record->active = true;
    return S_OK;
}

HRESULT HostViewColumnService::AddToView(BSTR view, LONG id, DWORD flagB, DWORD flagA) {
    const std::string name = platform::BstrToAnsi(view);
    log_.Add(name_ + ".AddToView", name + " " + Number(id) + " " + Hex(flagB) + " " + Hex(flagA));
    std::lock_guard lock(mutex_);
    ColumnRecord* record = Find(id);
    if (record == nullptr) {
        return E_INVALIDARG;
    }
    if (std::none_of(record->views.begin(), record->views.end(), [&](const auto& held) { return held == name; })) {
        record->views.push_back(name);
    }
    return S_OK;
}

HRESULT HostViewColumnService::RemoveFromView(BSTR view, LONG id) {
    const std::string name = platform::BstrToAnsi(view);
    log_.Add(name_ + ".RemoveFromView", name + " " + Number(id));
    std::lock_guard lock(mutex_);
    ColumnRecord* record = Find(id);
    if (record == nullptr) {
        return E_INVALIDARG;
    }
    std::erase(record->views, name);
    return S_OK;
}

HRESULT HostViewColumnService::SetFlag(const char* what, DWORD ColumnRecord::*flag, BSTR* view, LONG id,
                                       DWORD value) {
    log_.Add(name_ + "." + what, ViewText(view) + " " + Number(id) + " " + Hex(value));
    std::lock_guard lock(mutex_);
    if (ColumnRecord* record = Find(id)) {
        record->*flag = value;
    }
    return S_OK;
}

HRESULT HostViewColumnService::SetFlagB(BSTR* view, LONG id, DWORD value) {
    return SetFlag("SetFlagB", &ColumnRecord::flagB, view, id, value);
}

HRESULT HostViewColumnService::SetFlagA(BSTR* view, LONG id, DWORD value) {
    return SetFlag("SetFlagA", &ColumnRecord::flagA, view, id, value);
}

void HostViewColumnService::Refreshed(const std::string& view, LONG id, DWORD first, DWORD last) {
    const std::string entry = view + " " + Number(id) + " " + Hex(first) + " " + Hex(last);
    log_.Add(name_ + ".RefreshLines", entry);
    std::lock_guard lock(mutex_);
    refreshes_.push_back(entry);
}

HRESULT HostViewColumnService::RefreshLines(BSTR view, LONG id, DWORD first, DWORD last) {
    Refreshed(view != nullptr ? platform::BstrToAnsi(view) : std::string("(all)"), id, first, last);
    return S_OK;
}

HRESULT HostViewColumnService::RefreshLines(BSTR* view, LONG id, DWORD first, DWORD last) {
    Refreshed(ViewText(view), id, first, last);
    return S_OK;
}

HRESULT HostViewColumnService::RegisterColumn(BSTR key, IHViewColumn* column, LONG* id, DWORD kind, DWORD flag,
                                              BSTR title, DWORD glyphCount, LONG value8, DWORD value9,
                                              DWORD value10, DWORD value11, DWORD value12, REFIID iid) {
    ColumnRecord record;
    record.key = platform::BstrToAnsi(key);
    record.column = column;
    record.kind = kind;
    record.flag = flag;
    record.title = platform::BstrToAnsi(title);
    record.glyphCount = glyphCount;
    record.value8 = value8;
    record.value9 = value9;
    record.value10 = value10;
    record.value11 = value11;
    record.value12 = value12;
    record.iid = iid;
    log_.Add(name_ + ".RegisterColumn",
             "\"" + record.key + "\" " + Number(static_cast<LONG>(kind)) + " " + Number(static_cast<LONG>(flag)) +
                 " \"" + record.title + "\" " + Number(static_cast<LONG>(glyphCount)) + " " + Number(value8) + " " +
                 Number(static_cast<LONG>(value9)) + " " + Number(static_cast<LONG>(value10)) + " " +
                 Number(static_cast<LONG>(value11)) + " " + Number(static_cast<LONG>(value12)) + " " + IdName(iid));
    if (column == nullptr || id == nullptr) {
        return E_INVALIDARG;
    }
    {
        std::lock_guard lock(mutex_);
        record.id = nextId_++;
    }
    *id = record.id;
    // The host loads every glyph into its image list now.
    for (DWORD index = 1; index <= glyphCount; ++index) {
        const DWORD cookie = firstCookie_ + index - 1;
        VARIANT bits{};
        VARIANT mask{};
        DWORD bytes = 0;
        static_cast<void>(column->GetGlyph(index, cookie, kind, &bits, &mask, &bytes));
        VariantClear(&bits);
        VariantClear(&mask);
        record.cookies.push_back(cookie);
        record.glyphBytes.push_back(bytes);
    }
    std::lock_guard lock(mutex_);
    columns_.push_back(std::move(record));
    return S_OK;
}

HRESULT HostViewColumnService::FindColumn(BSTR key, LONG* id) {
    const std::string name = platform::BstrToAnsi(key);
    std::lock_guard lock(mutex_);
    const auto found = std::find_if(columns_.begin(), columns_.end(),
                                    [&](const ColumnRecord& record) { return !record.removed && record.key == name; });
    log_.Add(name_ + ".FindColumn", "\"" + name + "\"" + (found != columns_.end() ? "" : " none"));
    if (found == columns_.end()) {
        return E_FAIL;
    }
    if (id != nullptr) {
        *id = found->id;
    }
    return S_OK;
}

HRESULT HostViewColumnService::AttachColumn(LONG id, IHViewColumn* column) {
    log_.Add(name_ + ".AttachColumn", Number(id));
    std::lock_guard lock(mutex_);
    ColumnRecord* record = Find(id);
    if (record == nullptr || column == nullptr) {
        return E_INVALIDARG;
    }
    record->column = column;
    return S_OK;
}

void HostViewColumnService::Tell(const std::string& view, const std::function<bool(const ColumnRecord&)>& pick,
                                 bool open) {
    std::vector<ColumnRecord> told;
    {
        std::lock_guard lock(mutex_);
        for (const ColumnRecord& record : columns_) {
            if (record.active && !record.removed && (!pick || pick(record))) {
                told.push_back(record);
            }
        }
    }
    // The columns call the service back: no lock is held while they run.
    for (const ColumnRecord& record : told) {
        static_cast<void>(open ? record.column->OnViewOpened(view.c_str(), record.kind)
                               : record.column->OnViewClosed(view.c_str(), record.kind));
    }
}

void HostViewColumnService::OpenView(const std::string& view, const std::function<bool(const ColumnRecord&)>& pick) {
    Tell(view, pick, true);
}

void HostViewColumnService::CloseView(const std::string& view, const std::function<bool(const ColumnRecord&)>& pick) {
    Tell(view, pick, false);
}

HRESULT HostViewColumnService::Click(LONG id, const std::string& view, DWORD line, DWORD flags, LONG x, LONG y) {
    const std::optional<ColumnRecord> record = Column(id);
    if (!record.has_value()) {
        return E_INVALIDARG;
    }
    return record->column->OnColumnClick(view.c_str(), record->kind, flags, line, 0, x, y);
}

LineMarks HostViewColumnService::Marks(LONG id, const std::string& view, DWORD line) {
    LineMarks marks;
    const std::optional<ColumnRecord> record = Column(id);
    if (!record.has_value()) {
        marks.result = E_INVALIDARG;
        return marks;
    }
    marks.result = record->column->GetLineGlyphs(&marks.mask, view.c_str(), record->kind, line);
    for (DWORD bit = 0; bit < 32; ++bit) {
        if ((marks.mask >> bit & 1u) == 0) {
            continue;
        }
        const auto cookie = std::find(record->cookies.begin(), record->cookies.end(), bit);
        if (cookie != record->cookies.end()) {
            marks.glyphs.push_back(static_cast<DWORD>(cookie - record->cookies.begin()) + 1);
        }
    }
    return marks;
}

std::vector<ColumnRecord> HostViewColumnService::Columns() const {
    std::lock_guard lock(mutex_);
    return columns_;
}

std::optional<ColumnRecord> HostViewColumnService::Column(LONG id) const {
    std::lock_guard lock(mutex_);
    for (const ColumnRecord& record : columns_) {
        if (record.id == id && !record.removed) {
            return record;
        }
    }
    return std::nullopt;
}

std::optional<ColumnRecord> HostViewColumnService::ColumnTitled(const std::string& title) const {
    std::lock_guard lock(mutex_);
    for (const ColumnRecord& record : columns_) {
        if (record.title == title && !record.removed) {
            return record;
        }
    }
    return std::nullopt;
}

std::vector<std::string> HostViewColumnService::Refreshes() const {
    std::lock_guard lock(mutex_);
    return refreshes_;
}

HRESULT HostLineLookup::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHLookupService*>(this), iid, IID_IHLookupService, object);
}

HRESULT HostLineLookup::AddressToLine(DWORD address, BSTR* file, DWORD* line) {
    const Table table = table_();
    auto at = table.upper_bound(address);
    // The line that starts at or before the address; the last line of the
    // table holds only its own address.
    if (at == table.begin() || (at == table.end() && std::prev(at)->first != address)) {
        log_.Add("AddressToLine", Hex(address) + " none");
        return E_FAIL;
    }
    --at;
    log_.Add("AddressToLine", Hex(address));
    if (file != nullptr) {
        *file = platform::AllocBstr(at->second.first);
    }
    if (line != nullptr) {
        *line = at->second.second;
    }
    return S_OK;
}

HRESULT HostLineLookup::LineToAddressRange(LPCSTR file, DWORD line, DWORD* start, DWORD* end) {
    const std::string name = file != nullptr ? file : "";
    const Table table = table_();
    for (auto at = table.begin(); at != table.end(); ++at) {
        const bool sameFile = SameName(at->second.first, name) || SameName(FileName(at->second.first), name);
        if (!sameFile || at->second.second != line) {
            continue;
        }
        const auto next = std::next(at);
        log_.Add("LineToAddressRange", name + " " + std::to_string(line));
        if (start != nullptr) {
            *start = at->first;
        }
        if (end != nullptr) {
            *end = next != table.end() ? next->first - 1 : at->first;
        }
        return S_OK;
    }
    log_.Add("LineToAddressRange", name + " " + std::to_string(line) + " none");
    return E_FAIL;
}

HRESULT HostLineLookup::LineToAddress(LPCSTR file, DWORD line, DWORD* address) {
    DWORD end = 0;
    return LineToAddressRange(file, line, address, &end);
}

HRESULT HostSettingsStore::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHSettingsStore*>(this), iid, IID_IHSettingsStore, object);
}

HRESULT HostSettingsStore::ReadColumnValue(REFIID first, REFIID second, LONG column, DWORD* value) {
    log_.Add("ReadColumnValue", IdName(first) + " " + IdName(second) + " " + std::to_string(column));
    std::lock_guard lock(mutex_);
    const auto found = values_.find(column);
    if (found == values_.end()) {
        return E_FAIL;
    }
    if (value != nullptr) {
        *value = found->second;
    }
    return 0;
}

HRESULT HostSettingsStore::WriteColumnValue(REFIID first, REFIID second, LONG column, DWORD value) {
    log_.Add("WriteColumnValue",
             IdName(first) + " " + IdName(second) + " " + std::to_string(column) + " " + std::to_string(value));
    std::lock_guard lock(mutex_);
    values_[column] = value;
    return S_OK;
}

std::optional<DWORD> HostSettingsStore::Value(LONG column) const {
    std::lock_guard lock(mutex_);
    const auto found = values_.find(column);
    return found != values_.end() ? std::optional<DWORD>(found->second) : std::nullopt;
}

}  // namespace simhost
