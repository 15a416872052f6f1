// CSetBrk1: the break-type page of the "Set Break" sheet (template 145,
// "Address"). It holds one break kind and that kind's values: the sheet
// sets the offered kinds and the texts and choices before it runs, the page
// shows the controls of the first offered kind (its kind list is never
// visible), and when it is left it checks and converts every text into the
// result fields, from which the sheet makes the break. A wrong entry beeps
// and puts the focus into its field; the page stays.
#pragma once

#include "breaks/break_manager.h"
#include "frame/number_text.h"

#include "platform/afx.h"

#include <array>
#include <memory>

// The nodes of a name lookup, freed with FreeValueList.
struct ValueListDeleter {
    void operator()(NameValueNode* list) const { FreeValueList(list); }
};
using ValueList = std::unique_ptr<NameValueNode, ValueListDeleter>;

// The CPU-type codes whose data breaks offer "Quad word" (and the CFG kinds).
bool IsQuadWordCpu(DWORD cpuTypeCode);
// The CPU-type codes whose data sizes start at "Byte" and check the top of
// the data range rather than the size's alignment.
bool IsByteFirstCpu(DWORD cpuTypeCode);

class CSetBrk1 : public CPropertyPage {
    DECLARE_DYNAMIC(CSetBrk1)

public:
    static constexpr UINT kTemplateId = 145;

    CSetBrk1();

    // Results, valid after the page was left.
    WORD breakKind = 0;
    std::array<WORD, kBreakKindCount> kindOffered{};
    DWORD dataAddress = 0;
    DWORD accessStart = 0;
    DWORD accessEnd = 0;
    DWORD cfgNumber = 0;
    DWORD cfgStart = 0;
    DWORD cfgEnd = 0;
    WORD registerNumber = 0;
    DWORD valueLow = 0;   // a double's upper 32 bits
    DWORD valueHigh = 0;  // a double's lower 32 bits, else 0
    WORD passCount = 0;
    WORD accessType = 0;  // 1 read, 2 write, 0 either
    WORD compareMode = 0;  // 0 equal, 1 not equal, 2 no value compared
    WORD dataSize = 0;     // 1, 2, 4, 8 bytes; 20 single, 24 double float
    DWORD cycle = 0;
    WORD cycleCount = 0;  // 0 "ALL"
    WORD sequenceCount = 0;
    CTBreakSequenceContents::Addresses sequenceAddresses{};
    CString registerName;  // the register to preselect; set by the sheet
    ValueList pcAddresses;
    DWORD pcRoom = 0;  // how many addresses a PC name may resolve to
    DWORD helpBase = kTemplateId;

    // Exchanged with the controls; a choice of -1 selects nothing.
    int breakTypeChoice = -1;
    CString addressText;
    CString startText;
    CString endText;
    CString cfgNumberText;
    CString cfgStartText;
    CString cfgEndText;
    int registerChoice = -1;
    CString cycleText;
    CString countText;
    int countChoice = -1;  // 0 "ALL", 1 "Times"
    CString timesText;
    int sizeChoice = -1;
    CString dataText;
    int accessTypeChoice = -1;  // "Read", "Write", "Read/Write"
    int compareChoice = -1;     // 0 "Equal", 1 "Not equal"
    std::array<CString, CTBreakSequenceContents::kMaxSteps> sequenceTexts;

    // The kind of the selected list entry into breakKind: 0 without a
    // selection or an offered kind.
    void GetSelectedKind();
    // The checks of the chosen kind; FALSE keeps the page.
    BOOL OnKillActive() override;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSelChangeBreakType();
    // Address 1 changed: address k + 1 is enabled while addresses 1 to k
    // all hold text.
    afx_msg void UpdateSequenceFields();
    afx_msg void OnChangeAddress2();
    afx_msg void OnChangeAddress3();
    afx_msg void OnChangeAddress4();
    afx_msg void OnChangeAddress5();
    afx_msg void OnChangeAddress6();
    afx_msg void OnChangeAddress7();
    afx_msg void OnClickedAll();
    afx_msg void OnClickedTimes();
    afx_msg BOOL OnHelpInfo(HELPINFO* help);

    DECLARE_MESSAGE_MAP()

private:
    // Shows and enables, or hides and disables, one group of controls.
    void ShowGroup(DWORD bit, bool shown);
    void RebuildSizeList();
    // The enable states of sequence addresses changed (1-based) onwards.
    void UpdateSequenceFrom(int changed);
    // The control's text, cut to 1,024 characters.
    CString FieldText(int id) const;
    // A beep and the focus in the field; FALSE.
    BOOL Refuse(int id);
    bool IsChecked(int id) const;
    int Selection(int id) const;

    // The checks of each kind, in kind order.
    BOOL CheckPcBreak();
    BOOL CheckAccessBreak();
    BOOL CheckDataBreak();
    BOOL CheckRegisterBreak();
    BOOL CheckSequenceBreak();
    BOOL CheckCycleBreak();
    BOOL CheckCfgAccessBreak();
    BOOL CheckCfgDataBreak();
    // The data text of a size entry into valueLow and valueHigh; FALSE
    // when it does not evaluate. floatEntry is the first float entry, -1
    // where the list has none.
    bool ReadDataValue(const CString& text, int entry, int floatEntry);
};
