#include "events/event_column_owner.h"

CEventColumnOwner::~CEventColumnOwner() {
    static_cast<void>(DestroyColumns());  // answers 1
}

HRESULT CEventColumnOwner::CreateColumns() {
    // Columns made before are withdrawn first, so the host holds no column
    // that is gone.
    static_cast<void>(DestroyColumns());  // answers 1
    m_sourceColumn = std::make_unique<CEventSourceColumn>(m_owner);
    m_asmColumn = std::make_unique<CEventAsmColumn>(m_owner);
    return 1;
}

HRESULT CEventColumnOwner::DestroyColumns() {
    m_sourceColumn.reset();
    m_asmColumn.reset();
    return 1;
}
