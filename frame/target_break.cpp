#include "frame/target_break.h"

#include "frame/error_codes.h"

CTargetBreak::CTargetBreak(IHostServiceProvider* host) : CTargetHandler(host) {
    if (m_host != nullptr) {
        m_host->RegisterServer(IID_IHTPCBreakClient, static_cast<IHTPCBreakClient*>(this));
    }
}

CTargetBreak::~CTargetBreak() {
    if (m_host != nullptr) {
        m_host->UnregisterServer(IID_IHTPCBreakClient, static_cast<IHTPCBreakClient*>(this));
    }
}

HRESULT CTargetBreak::OnTargetClose() {
    for (INT_PTR slot = m_breaks.GetUpperBound(); slot >= 0; --slot) {
        delete m_breaks.GetAt(slot);
    }
    m_breaks.RemoveAll();
    return CTargetHandler::OnTargetClose();
}

CBreakObject* CTargetBreak::GetBreakObject(LONG index) const {
    if (index < 0 || index >= m_breaks.GetSize()) {
        return nullptr;
    }
    return static_cast<CBreakObject*>(m_breaks.GetAt(index));
}

DWORD CTargetBreak::CountBreaks() const {
    DWORD count = 0;
    for (INT_PTR slot = 0; slot < m_breaks.GetSize(); ++slot) {
        count += m_breaks.GetAt(slot) != nullptr ? 1 : 0;
    }
    return count;
}

HRESULT CTargetBreak::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHTPCBreakClient)) {
        *object = static_cast<IHTPCBreakClient*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT CTargetBreak::AddBreak(DWORD address, GUID ownerId, BSTR text, DWORD* index) {
    if (IsBreakRefused()) {
        return TE_TABLE_FULL;
    }
    CBreakObject* object = nullptr;
    try {
        CreateBreakObject(address, ownerId, text, &object);
    } catch (CException* exception) {
        exception->Delete();
        object = nullptr;
    }
    if (object == nullptr) {
        return E_FAIL;
    }
    for (INT_PTR slot = 0; slot < m_breaks.GetSize(); ++slot) {
        if (m_breaks.GetAt(slot) == nullptr) {
            m_breaks.SetAt(slot, object);
            if (index != nullptr) {
                *index = static_cast<DWORD>(slot);
            }
            return S_OK;
        }
    }
    try {
        const INT_PTR slot = m_breaks.Add(object);
        if (index != nullptr) {
            *index = static_cast<DWORD>(slot);
        }
    } catch (const std::bad_alloc&) {
        DeleteBreakObject(object);
        return E_FAIL;
    }
    return S_OK;
}

HRESULT CTargetBreak::EnableBreak(LONG index, WORD enable) {
    CBreakObject* object = GetBreakObject(index);
    if (object == nullptr) {
        return E_INVALIDARG;  // out of range, or a slot emptied by RemoveBreak
    }
    return enable != 0 ? object->Enable() : object->Disable();
}

HRESULT CTargetBreak::IsBreakEnabled(LONG index, WORD* enabled) {
    const CBreakObject* object = GetBreakObject(index);
    if (object == nullptr || enabled == nullptr) {
        return E_INVALIDARG;
    }
    *enabled = object->IsEnabled() ? 0xFFFF : 0;
    return S_OK;
}

HRESULT CTargetBreak::RemoveBreak(LONG index) {
    if (index < 0 || index >= m_breaks.GetSize()) {
        return E_FAIL;
    }
    if (auto* object = static_cast<CBreakObject*>(m_breaks.GetAt(index)); object != nullptr) {
        DeleteBreakObject(object);
        m_breaks.SetAt(index, nullptr);
    }
    return S_OK;
}

HRESULT CTargetBreak::FindBreak(DWORD address, DWORD* index) {
    HRESULT result = TE_NO_SUCH_BREAKPOINT;
    for (INT_PTR slot = 0; slot < m_breaks.GetSize(); ++slot) {
        const auto* object = static_cast<const CBreakObject*>(m_breaks.GetAt(slot));
        if (object != nullptr && object->GetAddress() == address) {
            if (index != nullptr) {
                *index = static_cast<DWORD>(slot);
            }
            result = S_OK;  // scanning on: the highest index wins
        }
    }
    return result;
}
