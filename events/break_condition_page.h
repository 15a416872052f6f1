// CBreakConditionPage: the one page ("condition") of the "Break condition
// %d" sheet the break-condition provider opens for a channel. It offers a
// choice between no address ("&Don't care") and a program-fetched address;
// every other control of its template stays disabled. Leaving the page
// evaluates the typed address through the host and keeps the page open,
// with the address focused and selected, while it does not evaluate inside
// the host's address range.
#pragma once

#include "events/event_editor_rules.h"

#include "platform/afx.h"

class CBreakConditionPage : public CPropertyPage {
public:
    // addressGiven 1: the channel holds address; enabled is the channel's
    // flag, which the page does not show.
    CBreakConditionPage(IHostServiceProvider* host, int addressGiven, DWORD address, int enabled);

    // 1 with the address unless "Don't care" was chosen, else 0.
    int GetAddress(DWORD* address) const;

    BOOL OnKillActive() override;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    afx_msg void OnDontCareClicked();
    void FocusInvalidField(int id);

    DECLARE_MESSAGE_MAP()

private:
    int m_addressDontCare;
    int m_addressKind = 1;
    CString m_addressText;
    int m_mask = 0;
    int m_dataDontCare = 1;
    CString m_dataValueText;
    int m_dataSize = 0;
    int m_direction = 0;
    DWORD m_address;
    DWORD m_dataValue = 0;
    IHostServiceProvider* m_host;
    EditorAddressRange m_range;
};
