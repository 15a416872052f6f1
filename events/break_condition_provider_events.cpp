// The provider's list 2: the event engine's four rows, and the Event
// Setting dialog that edits them while the program is stopped.
#include "events/break_condition_provider.h"

#include "events/event_engine.h"
#include "events/event_setting_dialog.h"
#include "frame/error_codes.h"
#include "target/target_vk3.h"

#include "platform/afx.h"
#include "platform/host/ids.h"
#include "platform/host/status_interfaces.h"

#include <string>

namespace {

constexpr DWORD kRowShown = 1;
constexpr DWORD kRowOff = 2;
constexpr HRESULT kRefused = 1;

CEventDescriptor EventOrDefault(CEventEngine& engine, LONG id) {
    CEventDescriptor event = engine.GetEvent(id).value_or(CEventDescriptor{});
    event.id = id;
    return event;
}

}  // namespace

CEventEngine* CBreakConditionProvider::Engine() {
    CTargetVk3* target = GetTarget();
    return target != nullptr ? dynamic_cast<CEventEngine*>(target->GetEventEngine()) : nullptr;
}

HRESULT CBreakConditionProvider::GetEventRow(LONG index, CEventItemInfo** row) {
    const LONG n = index < 0 ? 0 : index;
    CEventEngine* engine = Engine();
    // Without an engine the list has no rows.
    if (n >= kEventRows || engine == nullptr || row == nullptr) {
        return TE_INVALID_INDEX;
    }
    CEventItemRow::Fields fields;
    fields.number = static_cast<DWORD>(n);
    fields.state = kRowShown;
    switch (n) {
    case 0:
    case 1:
        fields.kind = n == 0 ? "Event A" : "Event B";
        engine->FormatCondition(n, fields.condition, fields.action);
        break;
    case 2:
        fields.kind = "Break Condition";
        fields.action = "Break";
        if (engine->GetBreakCombination() == 0 && engine->GetTraceSettings().breakAtFull == 0) {
            fields.state = kRowOff;
        } else {
            fields.condition = engine->FormatBreakCondition();
        }
        break;
    default:
        fields.kind = "Trace Condition";
        fields.action = "Trace";
        fields.condition = std::string(engine->GetTraceSettings().type != 0 ? "Data" : "Branch") +
                           " trace: " + engine->FormatTraceCondition();
        break;
    }
    *row = m_eventRows[static_cast<std::size_t>(n)].Fill(fields);
    return S_OK;
}

HRESULT CBreakConditionProvider::EditEventSettings() {
    IHExecutionService* state = nullptr;
    if (m_host != nullptr) {
        static_cast<void>(m_host->QueryService(IID_IHExecutionService, reinterpret_cast<void**>(&state)));
    }
    // Only a host that says the program is stopped lets the events change.
    if (state == nullptr || SUCCEEDED(state->QueryExecuting())) {
        return kRefused;
    }
    CEventEngine* engine = Engine();
    if (engine == nullptr) {
        return kRefused;
    }
    const EventTraceSettings trace = engine->GetTraceSettings();
    const EventBreakAndTrace settings{engine->GetBreakCombination(), trace.type, trace.start, trace.stop,
                                      trace.pickUp, trace.breakAtFull};
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CEventSettingDialog dialog(nullptr, m_host, EventOrDefault(*engine, 0), EventOrDefault(*engine, 1), settings);
    if (dialog.DoModal() != IDOK) {
        return S_OK;
    }
    // A failed command keeps the engine's old value; the next go sends
    // them all again.
    for (const CEventDescriptor& event : {dialog.EventA(), dialog.EventB()}) {
        static_cast<void>(engine->SetEvent(event.id, event.kind, event.accessSize, event.accessType, event.address,
                                           event.data, event.maskBits, event.dataMask, event.name.data()));
    }
    const EventBreakAndTrace& chosen = dialog.Settings();
    static_cast<void>(engine->SetBreakCombination(chosen.combination));
    static_cast<void>(engine->SetTraceCondition(chosen.traceType, chosen.traceStart, chosen.traceStop, chosen.pickUp,
                                                chosen.breakAtFull, 1));
    MarkSessionModified();
    return S_OK;
}
