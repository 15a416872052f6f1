// CIdCodeEntryDlg, "ID Code verification": asks for the ID code written in
// the microcontroller's flash, as 14 hexadecimal digits or up to 7 ASCII
// characters. After OK it holds the code as two words: bytes 1 to 3 (high to
// low) and bytes 4 to 7 (high to low).
#pragma once

#include "platform/afx.h"

class CIdCodeEntryDlg : public CDialog {
public:
    static constexpr int kHexMode = 0;
    static constexpr int kAsciiMode = 1;
    static constexpr int kAsciiLength = 7;

    explicit CIdCodeEntryDlg(CWnd* parent = nullptr);

    DWORD m_high = 0;
    DWORD m_low = 0;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CString m_text;
    int m_inputMode = kHexMode;
};
