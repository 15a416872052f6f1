// The pages of the break-condition sheet. Each page keeps its fields between
// showings (the break-condition set and the event handler read and write them
// directly) and builds two texts from them: the condition text, which the
// set hands to the monitor engine after "BC1 ".."BC8 ", and the row text,
// which the host's event list shows.
//
// CSetBc1 and CSetBc2 are the address pages (template 447); CSetBc2 is the
// second one, whose controls become the data break's on a device with the
// hardware break type 1. CSetBc3 is the bus-state page, CSetBc4 the pass
// count, CSetBc5 the general page (built, never shown), CSetBc6 the ASID.
#pragma once

#include "platform/afx.h"

// Keeps a leading "D'", "B'" or "H'" (either case; "H'" when there is none)
// and drops the leading zeros of the digits ("0" when none are left).
CString NormaliseNumberText(const CString& text);

class CSetBc;

class CSetBcPage : public CPropertyPage {
    DECLARE_DYNAMIC(CSetBcPage)

public:
    explicit CSetBcPage(UINT templateId);

    // Build the page's texts into conditionText and commandText.
    virtual CString GetConditionText() = 0;
    virtual CString GetCommandText() = 0;
    // Back to the page's defaults.
    virtual void ResetPage() = 0;
    // The page holds a condition (its don't-care flag is clear, or for the
    // bus page a bus or direction is chosen).
    virtual bool HasCondition() const = 0;

    CString conditionText;
    CString commandText;
    // The sheet that shows the page (set by the sheet).
    CSetBc* owner = nullptr;

protected:
    afx_msg BOOL OnHelpInfo(HELPINFO* help);
    // The message box of a wrong entry; the focus goes to the field and the
    // exchange fails.
    static void Refuse(CDataExchange* exchange, const char* text);

    UINT m_templateId;

    DECLARE_MESSAGE_MAP()
};

// The fields both address pages share, in their order.
struct AddressPageFields {
    int addressDontCare = 1;
    int dataDontCare = 1;
    int addressKind = 1;  // 0 "Addre&ss" (an access), 1 program fetched
    DWORD address = 0;
    int maskIndex = 0;    // 0 none, 1 to 3 the lower 4, 8, 12 bits
    int dataSize = 0;     // 0 low byte, 1 high byte, 2 word
    DWORD dataValue = 0;
    int direction = 0;    // 0 read or write, 1 read, 2 write
    CString addressText;
    CString valueText;
    CString maskText;     // only the row text's mask form reads it
};

class CSetBcAddressPage : public CSetBcPage, public AddressPageFields {
    DECLARE_DYNAMIC(CSetBcAddressPage)

public:
    CSetBcAddressPage();

    CString GetConditionText() override;
    CString GetCommandText() override;
    void ResetPage() override;
    bool HasCondition() const override { return addressDontCare == 0; }

    // The fields the sheet copies (the ten of the table; not the mask text).
    void CopyFieldsFrom(const AddressPageFields& other);

    // Runs the enabling rules of the controls.
    virtual void UpdateControls();

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnClickedControl();

    // The source position text of the address ("file/line)"), empty when
    // the host does not know it.
    CString SourcePosition() const;
    // The row text's address form for an access condition.
    virtual bool AccessFormAlways() const { return false; }
    void EnableControls(std::initializer_list<int> ids, bool enable);

    DECLARE_MESSAGE_MAP()
};

class CSetBc1 : public CSetBcAddressPage {
    DECLARE_DYNAMIC(CSetBc1)
};

class CSetBc2 : public CSetBcAddressPage {
    DECLARE_DYNAMIC(CSetBc2)

public:
    void UpdateControls() override;

    // Travel with channel 1's record; no control shows them.
    DWORD extraValue1 = 0;
    DWORD extraValue2 = 0;
    CString extraText1;
    CString extraText2;

protected:
    bool AccessFormAlways() const override { return true; }
};

class CSetBc3 : public CSetBcPage {
    DECLARE_DYNAMIC(CSetBc3)

public:
    CSetBc3();

    CString GetConditionText() override;
    CString GetCommandText() override;
    void ResetPage() override;
    bool HasCondition() const override { return bus != 0 || direction != 0; }

    int bus = 0;        // 0 L-bus (all), 1 L-bus (data), 2 I-bus
    int direction = 0;  // 0 read or write, 1 read, 2 write

protected:
    void DoDataExchange(CDataExchange* exchange) override;
};

// The count and ASID pages: a don't-care box and one number.
class CSetBcNumberPage : public CSetBcPage {
    DECLARE_DYNAMIC(CSetBcNumberPage)

public:
    CSetBcNumberPage(UINT templateId, int editId, DWORD maximum, DWORD resetValue, const char* shownFormat);

    void ResetPage() override;
    bool HasCondition() const override { return dontCare == 0; }

    int dontCare = 1;
    DWORD value = 0;
    CString text;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    afx_msg void OnClickedDontCare();

    int m_editId;
    DWORD m_maximum;
    DWORD m_resetValue;
    const char* m_shownFormat;

    DECLARE_MESSAGE_MAP()
};

class CSetBc4 : public CSetBcNumberPage {
    DECLARE_DYNAMIC(CSetBc4)

public:
    CSetBc4();
    CString GetConditionText() override;
    CString GetCommandText() override;
};

class CSetBc5 : public CSetBcPage {
    DECLARE_DYNAMIC(CSetBc5)

public:
    CSetBc5();
    CString GetConditionText() override;
    CString GetCommandText() override;
    void ResetPage() override {}
    bool HasCondition() const override { return ldtlb != 0 || io != 0; }

    int ldtlb = 0;  // 1 stops after the LDTLB instruction
    int io = 0;     // 1 stops on an internal I/O access
};

class CSetBc6 : public CSetBcNumberPage {
    DECLARE_DYNAMIC(CSetBc6)

public:
    CSetBc6();
    CString GetConditionText() override;
    CString GetCommandText() override;
};
