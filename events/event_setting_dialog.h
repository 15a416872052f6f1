// CEventSettingDialog, "Event Setting": events A and B (typed address, mask
// bits, access size and type; event A also a data value and mask), the
// break combination and the trace condition. It edits copies: the caller
// hands the engine's values in and, after OK, takes the results out. OK
// keeps the dialog open, with the field focused and its text selected and
// no message, while an address does not evaluate inside the host's range or
// event A's data does not fit its access.
#pragma once

#include "events/event_descriptor.h"
#include "events/event_editor_rules.h"
#include "util/ui_sel_combo_box.h"
#include "util/ui_select_label_button.h"

#include "platform/afx.h"

// The break combination and the trace condition the dialog edits.
struct EventBreakAndTrace {
    LONG combination = 0;
    LONG traceType = 0;
    LONG traceStart = 0;
    LONG traceStop = 0;
    LONG pickUp = 0;
    LONG breakAtFull = 0;
};

class CEventSettingDialog : public CDialog {
public:
    CEventSettingDialog(CWnd* parent, IHostServiceProvider* host, const CEventDescriptor& a,
                        const CEventDescriptor& b, const EventBreakAndTrace& settings);

    const CEventDescriptor& EventA() const { return m_eventA; }
    const CEventDescriptor& EventB() const { return m_eventB; }
    const EventBreakAndTrace& Settings() const { return m_settings; }

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnTraceTypeChanged();
    afx_msg void OnAddressAChanged();
    afx_msg void OnAddressBChanged();
    afx_msg void OnAddressASelected();
    afx_msg void OnAddressBSelected();

    DECLARE_MESSAGE_MAP()

private:
    enum class Event { A, B };
    // The event's range text from its address combo and mask-bits edit.
    void UpdateRangeText(Event event, bool selection = false);
    void FocusInvalidField(int id);
    // The selected item's data of a combo (0 without a selection).
    LONG SelectedData(int id) const;
    void SelectData(int id, LONG data);
    LONG MaskBits(int id) const;

    IHostServiceProvider* m_host;
    EditorAddressRange m_range;
    CUiSelComboBox m_addressComboA;
    CUiSelComboBox m_addressComboB;
    CUiSelectLabelButton m_labelButtonA;
    CUiSelectLabelButton m_labelButtonB;
    CEventDescriptor m_eventA;
    CEventDescriptor m_eventB;
    EventBreakAndTrace m_settings;
    CString m_addressTextA;
    CString m_addressTextB;
    CString m_dataTextA;
    CString m_maskTextA;
    int m_breakAtFull = 0;
};
