#include "frame/target_memory.h"

namespace {

template <typename T>
void Put(T* out, T value) {
    if (out != nullptr) {
        *out = value;
    }
}

HRESULT AnswerArea(const CMemoryMapping* area, DWORD* start, DWORD* end, DWORD* attribute, DWORD* fourth,
                   WORD* flag1, WORD* flag2, WORD* flag3, WORD* flag4) {
    if (area == nullptr) {
        return E_FAIL;
    }
    Put(start, area->m_start);
    Put(end, area->m_end);
    Put(attribute, area->m_attribute);
    Put(fourth, area->m_fourth);
    Put(flag1, area->m_flags[0]);
    Put(flag2, area->m_flags[1]);
    Put(flag3, area->m_flags[2]);
    Put(flag4, area->m_flags[3]);
    return S_OK;
}

}  // namespace

CMemoryMapping::CMemoryMapping(DWORD start, DWORD end, DWORD attribute, DWORD fourth, WORD flag1, WORD flag2,
                               WORD flag3, WORD flag4)
    : m_start(start), m_end(end), m_attribute(attribute), m_fourth(fourth), m_flags{flag1, flag2, flag3, flag4} {}

void CMemoryMapping::Set(DWORD start, DWORD end, DWORD attribute, DWORD fourth, WORD flag1, WORD flag2, WORD flag3,
                         WORD flag4) {
    m_start = start;
    m_end = end;
    m_attribute = attribute;
    m_fourth = fourth;
    m_flags = {flag1, flag2, flag3, flag4};
}

CTargetMemoryMap::~CTargetMemoryMap() {
    RemoveAll();
}

HRESULT CTargetMemoryMap::OnTargetOpen() {
    RemoveAll();
    return CTargetHandler::OnTargetOpen();
}

HRESULT CTargetMemoryMap::OnTargetClose() {
    RemoveAll();
    return CTargetHandler::OnTargetClose();
}

void CTargetMemoryMap::AddArea(DWORD start, DWORD end, DWORD attribute, DWORD fourth, WORD flag1, WORD flag2,
                               WORD flag3, WORD flag4) {
    CMemoryMapping* area = nullptr;
    try {
        area = new CMemoryMapping(start, end, attribute, fourth, flag1, flag2, flag3, flag4);
        m_areas.Add(area);
    } catch (CException* exception) {
        exception->Delete();
        delete area;
    } catch (const std::bad_alloc&) {
        delete area;
    }
}

CMemoryMapping* CTargetMemoryMap::GetAt(INT_PTR index) const {
    if (index < 0 || index >= m_areas.GetSize()) {
        return nullptr;
    }
    return static_cast<CMemoryMapping*>(m_areas.GetAt(index));
}

CMemoryMapping* CTargetMemoryMap::FindArea(DWORD address) const {
    for (INT_PTR index = 0; index < m_areas.GetSize(); ++index) {
        auto* area = static_cast<CMemoryMapping*>(m_areas.GetAt(index));
        if (area->Contains(address)) {
            return area;
        }
    }
    return nullptr;
}

DWORD CTargetMemoryMap::GetAreaAttribute(DWORD address) const {
    const CMemoryMapping* area = FindArea(address);
    return area != nullptr ? area->m_attribute : 0;
}

BOOL CTargetMemoryMap::RemoveAt(INT_PTR index) {
    CMemoryMapping* area = GetAt(index);
    if (area == nullptr) {
        return FALSE;
    }
    m_areas.RemoveAt(index);
    delete area;
    return TRUE;
}

BOOL CTargetMemoryMap::ModifyAt(INT_PTR index, DWORD start, DWORD end, DWORD attribute, DWORD fourth, WORD flag1,
                                WORD flag2, WORD flag3, WORD flag4) {
    CMemoryMapping* area = GetAt(index);
    if (area == nullptr) {
        return FALSE;
    }
    area->Set(start, end, attribute, fourth, flag1, flag2, flag3, flag4);
    return TRUE;
}

void CTargetMemoryMap::RemoveAll() {
    for (INT_PTR index = 0; index < m_areas.GetSize(); ++index) {
        delete static_cast<CMemoryMapping*>(m_areas.GetAt(index));
    }
    m_areas.RemoveAll();
}

BOOL CTargetMemoryMap::IsRangeCovered(DWORD start, DWORD end, DWORD selector) const {
    DWORD address = start;
    while (true) {
        const CMemoryMapping* area = FindArea(address);
        if (area == nullptr) {
            return FALSE;
        }
        if (area->m_flags[selector != 0 ? 3 : 2] == 0) {
            return FALSE;
        }
        if (area->m_end >= end) {
            return TRUE;
        }
        address = area->m_end + 1;  // the end lies below the range's end, so this cannot wrap
    }
}

CTargetMemory::CTargetMemory(const Capabilities& capabilities, IHostServiceProvider* host)
    : CTargetMemory(capabilities, 0, host) {}

CTargetMemory::CTargetMemory(const Capabilities& capabilities, DWORD eighth, IHostServiceProvider* host)
    : CTargetHandler(host), m_capabilities(capabilities), m_eighth(eighth) {
    Register();
}

void CTargetMemory::Register() {
    if (m_host == nullptr) {
        return;
    }
    IHTMemoryServer4* server = this;
    m_host->RegisterServer(IID_IHTMemoryServer2, server);
    m_host->RegisterServer(IID_IHTMemoryServer3, server);
    m_host->RegisterServer(IID_IHTMemoryServer4, server);
}

CTargetMemory::~CTargetMemory() {
    if (m_host != nullptr) {
        IHTMemoryServer4* server = this;
        m_host->UnregisterServer(IID_IHTMemoryServer4, server);
        m_host->UnregisterServer(IID_IHTMemoryServer3, server);
        m_host->UnregisterServer(IID_IHTMemoryServer2, server);
    }
}

DWORD CTargetMemory::RangeLength(DWORD a, DWORD b) const {
    return (a > b ? a - b : b - a) + 1;
}

HRESULT CTargetMemory::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHTMemoryServer2) ||
        IsEqualIID(iid, IID_IHTMemoryServer3) || IsEqualIID(iid, IID_IHTMemoryServer4)) {
        *object = static_cast<IHTMemoryServer4*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT CTargetMemory::GetAreaCount(DWORD* count) {
    if (m_memoryMap == nullptr) {
        return E_FAIL;
    }
    Put(count, static_cast<DWORD>(m_memoryMap->GetCount()));
    return S_OK;
}

HRESULT CTargetMemory::GetAreaByIndex(DWORD index, DWORD* start, DWORD* end, DWORD* attribute, DWORD* fourth,
                                      WORD* flag1, WORD* flag2, WORD* flag3, WORD* flag4) {
    if (m_memoryMap == nullptr) {
        return E_FAIL;
    }
    return AnswerArea(m_memoryMap->GetAt(static_cast<INT_PTR>(index)), start, end, attribute, fourth, flag1, flag2,
                      flag3, flag4);
}

HRESULT CTargetMemory::GetAreaByAddress(DWORD address, DWORD* start, DWORD* end, DWORD* attribute, DWORD* fourth,
                                        WORD* flag1, WORD* flag2, WORD* flag3, WORD* flag4) {
    if (m_memoryMap == nullptr) {
        return E_FAIL;
    }
    return AnswerArea(m_memoryMap->FindArea(address), start, end, attribute, fourth, flag1, flag2, flag3, flag4);
}

HRESULT CTargetMemory::OnDownload(WORD value) {
    m_download = value;
    return S_OK;
}

HRESULT CTargetMemory::GetBlockSize(DWORD* size) {
    Put(size, DWORD{256});
    return S_OK;
}

HRESULT CTargetMemory::AddArea(DWORD start, DWORD end, DWORD attribute, DWORD fourth, WORD flag1, WORD flag2,
                               WORD flag3, WORD flag4) {
    if (m_memoryMap == nullptr) {
        return E_FAIL;
    }
    m_memoryMap->AddArea(start, end, attribute, fourth, flag1, flag2, flag3, flag4);
    return S_OK;
}

HRESULT CTargetMemory::RemoveArea(DWORD index) {
    if (m_memoryMap == nullptr) {
        return E_FAIL;
    }
    return m_memoryMap->RemoveAt(static_cast<INT_PTR>(static_cast<LONG>(index))) ? S_OK : E_FAIL;
}

HRESULT CTargetMemory::ModifyArea(DWORD index, DWORD start, DWORD end, DWORD attribute, DWORD fourth, WORD flag1,
                                  WORD flag2, WORD flag3, WORD flag4) {
    if (m_memoryMap == nullptr) {
        return E_FAIL;
    }
    return m_memoryMap->ModifyAt(static_cast<INT_PTR>(static_cast<LONG>(index)), start, end, attribute, fourth, flag1,
                                 flag2, flag3, flag4)
               ? S_OK
               : E_FAIL;
}
