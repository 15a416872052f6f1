// The memory compare, copy and search dialogs. OK asks the host for the
// target's memory server, exchanges the fields (number texts read back
// through the host's expression evaluator; a text it cannot read keeps the
// dialog as it is and runs nothing), runs the operation and shows its
// result in a plain message box; the dialog stays open for another run
// until it is cancelled. Nothing in the plug-in opens them.
#pragma once

#include "platform/afx.h"

// "Compare Memory": [begin, end] against the range from the second start,
// a unit of the access size at a time.
class CDlgMemoryCompare : public CDialog {
public:
    explicit CDlgMemoryCompare(CWnd* parent = nullptr);

    DWORD m_begin = 0;
    DWORD m_end = 0;
    DWORD m_secondStart = 0;
    DWORD m_accessSize = 4;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    // "COMPARE OK", else the first differing unit's address and both its
    // values.
    void OnOK() override;
};

// "Copy Memory": [begin, end] to the destination, a unit of the access size
// at a time.
class CDlgMemoryCopy : public CDialog {
public:
    explicit CDlgMemoryCopy(CWnd* parent = nullptr);

    DWORD m_begin = 0;
    DWORD m_end = 0;
    DWORD m_destination = 0;
    DWORD m_accessSize = 4;
    // Non-zero asks for a verified copy; it reads -1 after every exchange.
    int m_verify = 0;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    // "COPY OK", else the address the server gave back with the copy's two
    // values (a copy gives none back: they read 0).
    void OnOK() override;
};

// "Search Memory": the first unit of the access size in [begin, end] that
// equals the data where the mask has bits.
class CDlgMemoryFind : public CDialog {
public:
    explicit CDlgMemoryFind(CWnd* parent = nullptr);

    DWORD m_begin = 0;
    DWORD m_end = 0;
    CString m_data;
    CString m_mask;
    DWORD m_accessSize = 4;
    int m_searchForward = 0;
    int m_searchEqual = 0;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    // The data and the mask are evaluated by the host (a text it cannot
    // read is refused with its message and nothing is searched); then the
    // address found, or "FIND FAILED".
    void OnOK() override;
};
