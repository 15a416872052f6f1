// The simulated host's view columns: three column services (the source
// views', the disassembly view's and the event columns'), each keeping the
// columns registered with it (every registration argument recorded), the
// views they were added to, their flags and the lines they asked to repaint;
// the line lookup over the host's line table; the store of column values.
//
// The host asks a column for each of its glyphs at registration, giving
// cookies from the service's first free image onwards, and later reads a
// line's glyphs back through those cookies. The host's side (open a view,
// click a line, read its marks) is offered to tests and the console.
#pragma once

#include "platform/host/view_column_interfaces.h"
#include "sim/host/call_log.h"

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace simhost {

// One column as the service knows it.
struct ColumnRecord {
    LONG id = 0;
    std::string key;
    IHViewColumn* column = nullptr;
    DWORD kind = 0;
    DWORD flag = 0;
    std::string title;
    DWORD glyphCount = 0;
    LONG value8 = 0;
    DWORD value9 = 0, value10 = 0, value11 = 0, value12 = 0;
    IID iid{};
    std::vector<DWORD> cookies;  // glyph index i + 1's cookie at i
    std::vector<DWORD> glyphBytes;  // the byte count each glyph answered
    bool active = false;
    bool removed = false;
    std::vector<std::string> views;  // the views it was added to
    DWORD flagA = 0, flagB = 0;
};

// What the host shows on a line of a column.
struct LineMarks {
    HRESULT result = S_FALSE;
    DWORD mask = 0;
    std::vector<DWORD> glyphs;  // glyph indexes, by the cookies of the mask's bits
};

class HostViewColumnService : public IHViewColumnService, public IHViewColumnRegistry, public IHViewColumnRefresh {
public:
    // firstCookie: the first cookie a column's glyphs get (the host's own
    // images come before it).
    HostViewColumnService(CallLog& log, std::string name, DWORD firstCookie)
        : log_(log), name_(std::move(name)), firstCookie_(firstCookie) {}
    virtual ~HostViewColumnService() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    // IHViewColumnService
    HRESULT STDMETHODCALLTYPE RemoveColumn(LONG id) override;
    HRESULT STDMETHODCALLTYPE ActivateColumn(LONG id) override;
    HRESULT STDMETHODCALLTYPE AddToView(BSTR view, LONG id, DWORD flagB, DWORD flagA) override;
    HRESULT STDMETHODCALLTYPE RemoveFromView(BSTR view, LONG id) override;
    HRESULT STDMETHODCALLTYPE SetFlagB(BSTR* view, LONG id, DWORD value) override;
    HRESULT STDMETHODCALLTYPE SetFlagA(BSTR* view, LONG id, DWORD value) override;
    HRESULT STDMETHODCALLTYPE RefreshLines(BSTR view, LONG id, DWORD first, DWORD last) override;
    // IHViewColumnRegistry
    HRESULT STDMETHODCALLTYPE RegisterColumn(BSTR key, IHViewColumn* column, LONG* id, DWORD kind, DWORD flag,
                                             BSTR title, DWORD glyphCount, LONG value8, DWORD value9, DWORD value10,
                                             DWORD value11, DWORD value12, REFIID iid) override;
    HRESULT STDMETHODCALLTYPE FindColumn(BSTR key, LONG* id) override;
    HRESULT STDMETHODCALLTYPE AttachColumn(LONG id, IHViewColumn* column) override;
    // IHViewColumnRefresh (its one slot shares RefreshLines' name, not its form)
    HRESULT STDMETHODCALLTYPE RefreshLines(BSTR* view, LONG id, DWORD first, DWORD last) override;

    // The host's side. Every registered, active column hears of a view that
    // opens or closes (pick chooses among them; null: all).
    void OpenView(const std::string& view, const std::function<bool(const ColumnRecord&)>& pick = {});
    void CloseView(const std::string& view, const std::function<bool(const ColumnRecord&)>& pick = {});
    // A click into the column on a line: the column's answer.
    HRESULT Click(LONG id, const std::string& view, DWORD line, DWORD flags, LONG x = 100, LONG y = 200);
    LineMarks Marks(LONG id, const std::string& view, DWORD line);
    std::vector<ColumnRecord> Columns() const;
    std::optional<ColumnRecord> Column(LONG id) const;
    // The live column with that title.
    std::optional<ColumnRecord> ColumnTitled(const std::string& title) const;
    // "view id first last" of each repaint asked for, in order.
    std::vector<std::string> Refreshes() const;
    const std::string& Name() const { return name_; }

private:
    ColumnRecord* Find(LONG id);
    // Records the call and sets the flag of the column, if there is one.
    HRESULT SetFlag(const char* what, DWORD ColumnRecord::*flag, BSTR* view, LONG id, DWORD value);
    void Refreshed(const std::string& view, LONG id, DWORD first, DWORD last);
    void Tell(const std::string& view, const std::function<bool(const ColumnRecord&)>& pick, bool open);

    CallLog& log_;
    std::string name_;
    DWORD firstCookie_;
    mutable std::mutex mutex_;
    std::vector<ColumnRecord> columns_;
    LONG nextId_ = 1;
    std::vector<std::string> refreshes_;
};

// The host's line table as the columns see it: an address belongs to the
// line whose code starts at or before it and runs up to the next line's.
class HostLineLookup : public IHLookupService {
public:
    using Table = std::map<DWORD, std::pair<std::string, DWORD>>;
    HostLineLookup(CallLog& log, std::function<Table()> table) : log_(log), table_(std::move(table)) {}
    virtual ~HostLineLookup() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE AddressToLine(DWORD address, BSTR* file, DWORD* line) override;
    HRESULT STDMETHODCALLTYPE LineToAddressRange(LPCSTR file, DWORD line, DWORD* start, DWORD* end) override;
    HRESULT STDMETHODCALLTYPE LineToAddress(LPCSTR file, DWORD line, DWORD* address) override;

private:
    CallLog& log_;
    std::function<Table()> table_;
};

class HostSettingsStore : public IHSettingsStore {
public:
    explicit HostSettingsStore(CallLog& log) : log_(log) {}
    virtual ~HostSettingsStore() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE ReadColumnValue(REFIID first, REFIID second, LONG column, DWORD* value) override;
    HRESULT STDMETHODCALLTYPE WriteColumnValue(REFIID first, REFIID second, LONG column, DWORD value) override;

    std::optional<DWORD> Value(LONG column) const;

private:
    CallLog& log_;
    mutable std::mutex mutex_;
    std::map<LONG, DWORD> values_;
};

}  // namespace simhost
