// CEventColumnOwner: the target's view-column object when the firmware has
// the event function. It is never registered with the host itself; it makes
// the two event columns ("Event" and "Event - ASM") and deletes them, and
// answers the break-condition set's mark operations with nothing to do: the
// event columns follow the channels through the host's event instead.
#pragma once

#include "events/event_column.h"
#include "events/view_column_base.h"

#include <memory>

class CEventColumnOwner : public CViewColumnBase {
public:
    explicit CEventColumnOwner(IHostServiceProvider* owner) : CViewColumnBase(owner), m_owner(owner) {}
    ~CEventColumnOwner() override;

    // The columns made (again): 1.
    HRESULT Create() override { return CreateColumns(); }
    // The columns deleted: 1, also when there are none.
    HRESULT Destroy() override { return DestroyColumns(); }
    HRESULT AddChannelMark(DWORD, DWORD, DWORD) override { return 0; }
    HRESULT RemoveChannelMark(DWORD, DWORD) override { return 0; }
    DWORD GetChannelCount() const override { return 0; }
    DWORD HasEntryForChannel(DWORD) const override { return 1; }
    HRESULT RemoveEnabledChannels(DWORD) override { return 0; }
    void RegisterColumns() override {}
    void UnregisterColumns() override {}

    HRESULT CreateColumns();
    HRESULT DestroyColumns();

    CEventSourceColumn* SourceColumn() const { return m_sourceColumn.get(); }
    CEventAsmColumn* AsmColumn() const { return m_asmColumn.get(); }

private:
    IHostServiceProvider* m_owner;  // borrowed
    std::unique_ptr<CEventSourceColumn> m_sourceColumn;
    std::unique_ptr<CEventAsmColumn> m_asmColumn;
};
