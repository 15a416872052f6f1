#include "monitor/trace_handler.h"

#include "frame/error_codes.h"
#include "res/resource_ids.h"

#include "platform/bstr.h"

#include <atomic>

namespace {

constexpr DWORD kCountCapacity = 0;
constexpr DWORD kCountRecords = 1;
constexpr DWORD kCountRecords2 = 2;
constexpr DWORD kClearAll = 3;
constexpr DWORD kListKind = 1;

// The live trace provider, for the run-state monitor's word.
std::atomic<CTraceHandler*> g_traceHandler{nullptr};

}  // namespace

void SetTraceValidFlag(DWORD valid) {
    if (CTraceHandler* handler = g_traceHandler.load()) {
        handler->SetTraceValid(valid);
    }
}

CTraceHandler::CTraceHandler(IHostServiceProvider* host, CTraceMemoryAccess* memory)
    : CTargetHandler(host), m_memory(memory) {
    if (m_host != nullptr) {
        m_host->RegisterServer(IID_IHTTraceList, static_cast<IHTTraceList*>(this));
        m_host->RegisterClient(IID_IHEventReceiver, static_cast<IHEventReceiver*>(this));
    }
    g_traceHandler = this;
}

CTraceHandler::~CTraceHandler() {
    CTraceHandler* self = this;
    g_traceHandler.compare_exchange_strong(self, nullptr);
    if (m_host != nullptr) {
        m_host->UnregisterClient(IID_IHEventReceiver, static_cast<IHEventReceiver*>(this));
        m_host->UnregisterServer(IID_IHTTraceList, static_cast<IHTTraceList*>(this));
    }
}

HRESULT CTraceHandler::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHTTraceList)) {
        *object = static_cast<IHTTraceList*>(this);
        return S_OK;
    }
    if (IsEqualIID(iid, IID_IHEventReceiver)) {
        *object = static_cast<IHEventReceiver*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

bool CTraceHandler::LoadAllowed() const {
    IHExecutionService* execution = nullptr;
    if (m_host != nullptr) {
        m_host->QueryService(IID_IHExecutionService, reinterpret_cast<void**>(&execution));
    }
    return execution != nullptr && FAILED(execution->QueryExecuting()) && m_traceValid == 1;
}

void CTraceHandler::DeleteRecords() {
    m_records.clear();
}

void CTraceHandler::LoadRecords() {
    DeleteRecords();
    BuildRecords();
    m_loaded = 1;
}

void CTraceHandler::AddAtHead(std::unique_ptr<CTraceRecord> record) {
    m_records.insert(m_records.begin(), std::move(record));
}

void CTraceHandler::AddAtTail(std::unique_ptr<CTraceRecord> record) {
    m_records.push_back(std::move(record));
}

void CTraceHandler::Renumber() {
    LONG row = 0;
    for (const auto& record : m_records) {
        record->m_row = row++;
    }
}

LONG CTraceHandler::Pointer(const CTraceRecord& record) const {
    return record.m_row + 1 - static_cast<LONG>(m_records.size());
}

CTraceRecord* CTraceHandler::GetRecord(DWORD row) {
    for (const auto& record : m_records) {
        if (record->m_row == static_cast<LONG>(row)) {
            return record.get();
        }
    }
    return nullptr;
}

HRESULT CTraceHandler::RowText(DWORD row, BSTR* text) {
    if (text == nullptr) {
        return TE_NOT_AVAILABLE;
    }
    *text = nullptr;
    if (m_loaded == 0 && LoadAllowed()) {
        LoadRecords();
    }
    CTraceRecord* record = GetRecord(row);
    if (record == nullptr) {
        return TE_NOT_AVAILABLE;
    }
    if (record->m_text.empty()) {
        record->m_text = FormatRow(*record);
    }
    *text = platform::AllocBstr(record->m_text);
    return *text != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT CTraceHandler::GetRowText(DWORD row, BSTR* text) {
    return RowText(row, text);
}

HRESULT CTraceHandler::GetRowText2(DWORD row, BSTR* text) {
    return RowText(row, text);
}

HRESULT CTraceHandler::QueryCapability(DWORD, WORD* offered) {
    if (offered == nullptr) {
        return TE_NOT_AVAILABLE;
    }
    *offered = 0;
    return S_OK;
}

HRESULT CTraceHandler::Unsupported6(DWORD, DWORD) {
    return TE_NOT_AVAILABLE;
}

HRESULT CTraceHandler::Unsupported7(DWORD, DWORD) {
    return TE_NOT_AVAILABLE;
}

HRESULT CTraceHandler::Unsupported8(DWORD, DWORD) {
    return TE_NOT_AVAILABLE;
}

HRESULT CTraceHandler::Unsupported13(DWORD, DWORD) {
    return TE_NOT_AVAILABLE;
}

HRESULT CTraceHandler::GetName(DWORD* kind, BSTR* name) {
    if (kind == nullptr || name == nullptr) {
        return TE_NOT_AVAILABLE;
    }
    AFX_MANAGE_STATE(AfxGetStaticModuleState());  // the name is the plug-in's string
    CString text;
    text.LoadString(res_id::kTraceName);
    *name = platform::AllocBstr(static_cast<LPCSTR>(text));
    *kind = kListKind;
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT CTraceHandler::Clear(DWORD kind) {
    if (kind != kClearAll) {
        return TE_NOT_AVAILABLE;
    }
    DeleteRecords();
    m_loaded = 0;
    return S_OK;
}

HRESULT CTraceHandler::GetHeader(BSTR* header) {
    if (header == nullptr) {
        return TE_NOT_AVAILABLE;
    }
    *header = platform::AllocBstr(GetHeaderText());
    return *header != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT CTraceHandler::GetCount(DWORD kind, DWORD* count) {
    if (count == nullptr) {
        return TE_NOT_AVAILABLE;
    }
    switch (kind) {
    case kCountCapacity:
        *count = GetCapacity();
        return S_OK;
    case kCountRecords:
    case kCountRecords2:
        if (m_loaded == 0 && LoadAllowed()) {
            LoadRecords();
        }
        *count = GetRecordCount();
        return S_OK;
    default:
        return TE_NOT_AVAILABLE;
    }
}

HRESULT CTraceHandler::GetColumnKind(DWORD column, LONG* kind) {
    const std::span<const LONG> kinds = GetColumnKinds();
    if (kind == nullptr || column >= kinds.size()) {
        return TE_NOT_AVAILABLE;
    }
    *kind = kinds[column];
    return S_OK;
}

HRESULT CTraceHandler::OnEvent(const GUID* eventId) {
    if (eventId != nullptr && IsEqualGUID(*eventId, EVENT_TraceClear)) {
        DeleteRecords();
        m_loaded = 0;
    }
    return S_OK;
}
