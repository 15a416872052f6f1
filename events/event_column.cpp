#include "events/event_column.h"

#include "events/column_glyphs.h"
#include "events/view_column_services.h"
#include "res/resource_ids.h"

#include "platform/bstr.h"

#include <algorithm>

using namespace view_columns;

namespace {

constexpr CEventColumn::Registration kSourceColumn{"EventColumnKey", "Event", 2};
constexpr CEventColumn::Registration kAsmColumn{"EventColumnKeyDis", "Event - ASM", 12};
constexpr DWORD kMarkEnabled = 1;
constexpr DWORD kMarkDisabled = 2;

IHViewColumnRefresh* RefreshPart(IHostServiceProvider* owner) {
    return Part<IHViewColumnRefresh>(EventService(owner), IID_IHViewColumnRefresh);
}

}  // namespace

CEventColumn::CEventColumn(IHostServiceProvider* owner, const Registration& registration)
    : m_title(registration.title), m_owner(owner) {
    if (m_owner != nullptr) {
        static_cast<void>(m_owner->AdviseEventReceiver(this));  // a host that refuses sends no events
    }
    if (IHViewColumnService* service = EventService(m_owner)) {
        LONG id = 0;
        if (IHViewColumnRegistry* registry = Part<IHViewColumnRegistry>(service, IID_IHViewColumnRegistry)) {
            const platform::Bstr key(registration.key);
            if (FAILED(registry->FindColumn(key.Get(), &id))) {
                const platform::Bstr title(registration.title);
                static_cast<void>(registry->RegisterColumn(key.Get(), this, &id, m_kind, 1, title.Get(),
                                                           m_glyphCount, -1, 20, 16, 16, registration.twelfth,
                                                           IID_IHViewColumn));
            } else {
                static_cast<void>(registry->AttachColumn(id, this));
            }
        }
        m_columnId = id;
        DWORD value = 0;
        if (IHSettingsStore* settings = Settings(m_owner);
            settings != nullptr &&
            settings->ReadColumnValue(IID_IHSourceColumnService, IID_IHSourceColumnService, m_columnId, &value) == 0) {
            m_flagA = value;
        }
        static_cast<void>(service->ActivateColumn(m_columnId));
    }
    m_table = std::make_unique<CBreakConditionTable>(m_owner);
}

CEventColumn::~CEventColumn() {
    m_table.reset();
    if (IHViewColumnService* service = EventService(m_owner)) {
        static_cast<void>(service->RemoveColumn(m_columnId));
    }
    if (m_owner != nullptr) {
        static_cast<void>(m_owner->UnadviseEventReceiver(this));
    }
}

HRESULT CEventColumn::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IHViewColumn) {
        *object = static_cast<IHViewColumn*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

CString CEventColumn::ViewName(LPCSTR view) {
    if (view != nullptr && *view != '\0') {
        return Lower(view);
    }
    // The name is the plug-in's string resource.
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CString name;
    static_cast<void>(name.LoadString(res_id::kDisassemblyViewName));
    name.MakeLower();
    return name;
}

CEventColumn::ViewEvent CEventColumn::ViewEventFor(LPCSTR view, DWORD kind) const {
    if (kind != m_kind) {
        return {};
    }
    IHViewColumnService* service = EventService(m_owner);
    if (service == nullptr) {
        return {};
    }
    return {service, ViewName(view)};
}

HRESULT CEventColumn::OnViewOpened(LPCSTR view, DWORD kind) {
    const ViewEvent event = ViewEventFor(view, kind);
    if (event.service == nullptr) {
        return 0;
    }
    const platform::Bstr text(static_cast<LPCSTR>(event.name));
    static_cast<void>(event.service->AddToView(text.Get(), m_columnId, m_flagB, m_flagA));
    if (std::none_of(m_openViews.begin(), m_openViews.end(),
                     [&](const CString& held) { return held.CompareNoCase(event.name) == 0; })) {
        m_openViews.push_back(event.name);
    }
    return 0;
}

HRESULT CEventColumn::OnViewClosed(LPCSTR view, DWORD kind) {
    const ViewEvent event = ViewEventFor(view, kind);
    if (event.service == nullptr) {
        return 0;
    }
    const platform::Bstr text(static_cast<LPCSTR>(event.name));
    static_cast<void>(event.service->RemoveFromView(text.Get(), m_columnId));
    const auto held = std::find_if(m_openViews.begin(), m_openViews.end(),
                                   [&](const CString& open) { return open.Compare(event.name) == 0; });
    if (held != m_openViews.end()) {
        m_openViews.erase(held);
    }
    return 0;
}

HRESULT CEventColumn::OnColumnClick(LPCSTR view, DWORD kind, DWORD flags, DWORD line, DWORD, LONG, LONG) {
    return ToggleEventPoint(view, kind, flags, line);
}

HRESULT CEventColumn::SetFlagAForAll(DWORD kind, DWORD value) {
    if (kind != m_kind) {
        return 0;
    }
    m_flagA = value;
    if (IHViewColumnService* service = EventService(m_owner)) {
        static_cast<void>(service->SetFlagA(nullptr, m_columnId, m_flagA));
    }
    if (IHSettingsStore* settings = Settings(m_owner)) {
        static_cast<void>(
            settings->WriteColumnValue(IID_IHSourceColumnService, IID_IHSourceColumnService, m_columnId, m_flagA));
    }
    return 0;
}

HRESULT CEventColumn::SetFlagAForView(LPCSTR view, DWORD kind, DWORD value) {
    IHViewColumnService* service = EventService(m_owner);
    if (kind != m_kind || service == nullptr) {
        return 0;
    }
    platform::Bstr name(static_cast<LPCSTR>(Lower(view)));
    BSTR text = name.Get();
    static_cast<void>(service->SetFlagA(&text, m_columnId, value));
    return 0;
}

HRESULT CEventColumn::GetGlyph(DWORD index, DWORD, DWORD kind, VARIANT* bits, VARIANT* mask, DWORD* byteCount) {
    if (kind != m_kind) {
        return S_OK;
    }
    if (index > m_glyphCount) {
        if (byteCount != nullptr) {
            *byteCount = 0;
        }
        return E_FAIL;
    }
    column_glyphs::HandOut(index >= 1 ? column_glyphs::ImageOf(index) : 0, bits, mask, byteCount);
    return S_OK;
}

HRESULT CEventColumn::GetInfoB(DWORD* first, DWORD* second, DWORD, DWORD, DWORD) {
    if (first != nullptr) {
        *first = 1;
    }
    if (second != nullptr) {
        *second = 16;
    }
    return 1;
}

HRESULT CEventColumn::GetTitle(DWORD* kind, BSTR* title, DWORD) {
    if (kind != nullptr && *kind == m_kind && title != nullptr) {
        *title = platform::AllocBstr(static_cast<LPCSTR>(m_title));
    }
    return 0;
}

HRESULT CEventColumn::OnEvent(const GUID* eventId) {
    if (eventId != nullptr && *eventId == EVENT_BreakConditionChanged) {
        Refresh();
    }
    return 0;
}

void CEventColumn::Refresh() {
    IHViewColumnRefresh* refresh = RefreshPart(m_owner);
    if (refresh == nullptr) {
        return;
    }
    for (const CString& view : m_openViews) {
        platform::Bstr name(static_cast<LPCSTR>(view));
        BSTR text = name.Get();
        static_cast<void>(refresh->RefreshLines(&text, m_columnId, 1, static_cast<DWORD>(-1)));
    }
}

void CEventColumn::Report(const char* text) const {
    if (m_owner != nullptr) {
        const platform::Bstr message(text);
        static_cast<void>(m_owner->ReportErrorText(message.Get()));  // the host's answer is not read
    }
}

CEventAsmColumn::CEventAsmColumn(IHostServiceProvider* owner) : CEventColumn(owner, kAsmColumn) {}

HRESULT CEventAsmColumn::GetLineGlyphs(DWORD* glyphMask, LPCSTR, DWORD kind, DWORD line) {
    DWORD mask = 0;
    HRESULT result = S_FALSE;
    bool enabled = false;
    int channel = -1;
    if (kind == Kind() && Table() != nullptr && Table()->FindChannelByAddress(line, &enabled, &channel)) {
        mask = enabled ? kMarkEnabled : kMarkDisabled;
        result = S_OK;
    }
    if (glyphMask != nullptr) {
        *glyphMask = mask;
    }
    return result;
}

std::optional<int> CEventColumn::FreeChannelFor(DWORD address) const {
    int free = -1;
    if (!m_table->FindFreeChannel(&free)) {
        Report("Too many event points.");
        return std::nullopt;
    }
    if (!m_table->IsAddressInRange(address)) {
        Report("Invalid event address.");
        return std::nullopt;
    }
    return free;
}

HRESULT CEventAsmColumn::ToggleEventPoint(LPCSTR, DWORD kind, DWORD flags, DWORD line) {
    if (kind != Kind() || (flags & kToggleFlag) == 0 || Table() == nullptr) {
        return 0;
    }
    CBreakConditionTable& table = *Table();
    const DWORD address = line;
    bool enabled = false;
    int channel = -1;
    if (table.FindChannelByAddress(address, &enabled, &channel)) {
        static_cast<void>(table.ClearChannel(channel));  // a found channel is valid
    } else {
        const std::optional<int> free = FreeChannelFor(address);
        if (!free) {
            return 1;
        }
        static_cast<void>(table.SetChannel(*free, address));  // both checked above
    }
    static_cast<void>(table.Apply());  // a stopped target takes the table at its next run
    return 0;
}

CEventSourceColumn::CEventSourceColumn(IHostServiceProvider* owner) : CEventColumn(owner, kSourceColumn) {
    RebuildLineMarks();
}

CEventSourceColumn::~CEventSourceColumn() {
    ClearLineMarks();
}

HRESULT CEventSourceColumn::OnEvent(const GUID* eventId) {
    // The close-files event comes when the host's program changes: the
    // lines may have moved.
    if (eventId != nullptr && *eventId == EVENT_CloseAllFiles) {
        Refresh();
        return 0;
    }
    return CEventColumn::OnEvent(eventId);
}

HRESULT CEventSourceColumn::GetLineGlyphs(DWORD* glyphMask, LPCSTR view, DWORD kind, DWORD line) {
    DWORD value = 0;
    const bool found = kind == Kind() && LookupLineMark(view != nullptr ? view : "", line, &value);
    if (glyphMask != nullptr) {
        *glyphMask = found ? value : 0;
    }
    return found ? S_OK : S_FALSE;
}

bool CEventSourceColumn::AddressToSourceLine(DWORD address, CString& file, DWORD& line) const {
    IHLookupService* lookup = Lookup(Owner());
    if (lookup == nullptr) {
        return false;
    }
    platform::Bstr name;
    if (FAILED(lookup->AddressToLine(address, name.Out(), &line))) {
        return false;
    }
    file = name.Ansi().c_str();
    DWORD back = 0;
    return SUCCEEDED(lookup->LineToAddress(file, line, &back)) && back == address;
}

HRESULT CEventSourceColumn::ToggleEventPoint(LPCSTR view, DWORD kind, DWORD flags, DWORD line) {
    if (kind != Kind() || (flags & kToggleFlag) == 0 || Table() == nullptr) {
        return 0;
    }
    const CString clicked(view != nullptr ? view : "");
    IHLookupService* lookup = Lookup(Owner());
    DWORD address = 0;
    if (lookup == nullptr || FAILED(lookup->LineToAddress(clicked, line, &address))) {
        ClearLineMark(clicked, line);
        return 0;
    }
    CString file;
    DWORD fileLine = 0;
    if (!AddressToSourceLine(address, file, fileLine)) {
        return E_FAIL;
    }
    CBreakConditionTable& table = *Table();
    bool enabled = false;
    int channel = -1;
    if (table.FindChannelByAddress(address, &enabled, &channel)) {
        m_suppressRebuild = 1;
        static_cast<void>(table.ClearChannel(channel));
        ClearLineMark(file, fileLine);
    } else {
        const std::optional<int> free = FreeChannelFor(address);
        if (!free) {
            return 1;
        }
        m_suppressRebuild = 1;
        static_cast<void>(table.SetChannel(*free, address));
        SetLineMark(file, fileLine, kMarkEnabled);
    }
    static_cast<void>(table.Apply());
    return 0;
}

void CEventSourceColumn::Refresh() {
    if (m_suppressRebuild != 1) {
        RebuildLineMarks();
    }
    m_suppressRebuild = 0;
    CEventColumn::Refresh();
}

void CEventSourceColumn::RebuildLineMarks() {
    ClearLineMarks();
    if (Table() == nullptr) {
        return;
    }
    for (int channel = 0; channel < Table()->GetChannelCount(); ++channel) {
        DWORD address = 0;
        bool enabled = false;
        CString file;
        DWORD line = 0;
        if (Table()->GetChannel(channel, &address, &enabled) && AddressToSourceLine(address, file, line)) {
            SetLineMark(file, line, enabled ? kMarkEnabled : kMarkDisabled);
        }
    }
}

std::string CEventSourceColumn::MarkKey(const CString& path) {
    std::string key(static_cast<LPCSTR>(path));
    const std::size_t slash = key.find_last_of("\\/:");
    if (slash != std::string::npos) {
        key.erase(0, slash + 1);
    }
    CString lower(key.c_str());
    lower.MakeLower();
    return static_cast<LPCSTR>(lower);
}

void CEventSourceColumn::SetLineMark(const CString& path, DWORD line, DWORD value) {
    m_lineMarks[MarkKey(path)][line] = value;
}

void CEventSourceColumn::ClearLineMark(const CString& path, DWORD line) {
    const auto file = m_lineMarks.find(MarkKey(path));
    if (file != m_lineMarks.end()) {
        file->second.erase(line);  // an emptied file keeps its entry
    }
}

bool CEventSourceColumn::LookupLineMark(const CString& path, DWORD line, DWORD* value) const {
    const auto file = m_lineMarks.find(MarkKey(path));
    if (file == m_lineMarks.end()) {
        return false;
    }
    const auto mark = file->second.find(line);
    if (mark == file->second.end()) {
        return false;
    }
    if (value != nullptr) {
        *value = mark->second;
    }
    return true;
}

void CEventSourceColumn::ClearLineMarks() {
    m_lineMarks.clear();
}
