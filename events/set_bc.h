// CSetBc: the property sheet of one break-condition channel, titled "Break
// condition 1" .. "Break condition 8". The sheet works out its channel from
// its title and shows that channel's pages; it is the channel's state too:
// the break-condition set keeps one per channel, copies it into a fresh
// sheet for an edit and back when the edit is taken, and asks it for the
// channel's address and its two texts.
#pragma once

#include "events/set_bc_pages.h"

#include "platform/afx.h"

class CSetBc : public CPropertySheet {
    DECLARE_DYNAMIC(CSetBc)

public:
    CSetBc(LPCSTR title, CWnd* parent = nullptr, UINT firstPage = 0);

    // The framework's initialisation, then the title bar's help button.
    BOOL OnInitDialog() override;

    // The channel's pages back to their defaults.
    void ResetPages();
    // The other sheet's page fields into this sheet's pages of its channel.
    void CopyFrom(const CSetBc& other);
    // The channel's address page holds a condition.
    bool IsSet() const;
    // The channel's address, when its page holds a condition without a mask
    // (the data-break channel's page: any condition).
    bool GetAddress(DWORD* address) const;
    // Resets the pages and makes the address page a program-fetch condition
    // at address: S_OK, or E_FAIL for a sheet of no channel.
    HRESULT SetAddress(DWORD address);
    // The channel holds a condition at address (on the data-break channel's
    // page, whatever its mask); a free channel matches no address.
    bool MatchesAddress(DWORD address) const;
    // The pages' condition texts, each followed by a blank; "None" when the
    // channel holds no condition.
    CString GetConditionText();
    // The pages' row texts, the same way.
    CString GetCommandText();

    // The channel (0..7), or -1 when the title names none.
    int GetChannel() const { return m_channel; }
    // The address page of the channel (the second one on channel index 2).
    CSetBcAddressPage& AddressPage() { return m_channel == 2 ? static_cast<CSetBcAddressPage&>(page2) : page1; }
    const CSetBcAddressPage& AddressPage() const {
        return m_channel == 2 ? static_cast<const CSetBcAddressPage&>(page2) : page1;
    }

    CSetBc1 page1;
    CSetBc2 page2;
    CSetBc3 page3;
    CSetBc4 page4;
    CSetBc5 page5;
    CSetBc6 page6;
    CString conditionText;
    CString commandText;

protected:
    afx_msg BOOL OnHelpInfo(HELPINFO* help);

    DECLARE_MESSAGE_MAP()

private:
    template <typename Read>
    CString JoinPageTexts(Read read);

    int m_channel = -1;
};
