// A person at a dialog: reading what it shows and acting on its controls.
//
// The UI driver gets one of these for every modal dialog and property sheet;
// tests can also make one for a modeless dialog. Every action goes through the
// same messages and notifications that the person's mouse and keyboard would
// cause, so the dialog's own handlers run; and, as for a person, a control
// that is missing, hidden or disabled cannot be used: the action answers false
// and Failure() says why. Use it on the dialog's thread.
#pragma once

#include "platform/ui.h"

#include <string>

namespace platform {

class UiDialog {
public:
    explicit UiDialog(HWND dialog) : dialog_(dialog) {}

    HWND Window() const { return dialog_; }
    // Neither ended nor destroyed.
    bool IsOpen() const;
    bool IsSheet() const;
    // A dialog's template id; for a sheet, its active page's.
    UINT TemplateId() const;
    std::string Caption() const;
    DialogView View() const;
    // The result given to EndDialog, once it has ended.
    std::optional<INT_PTR> Result() const;

    // A control by id: on a sheet, of the active page first, then of the sheet
    // itself (its buttons). Null when there is none.
    HWND Control(int id) const;
    std::string Text(int id) const;
    int CheckState(int id) const;
    bool IsEnabled(int id) const;
    bool IsVisible(int id) const;

    // Selects the field's whole text and types the new one (as one paste: one
    // change notification); an edit control's limit cuts it, as it would cut
    // what a person types.
    bool SetText(int id, const std::string& text);
    // Types the text at the caret, one key at a time: each key goes down
    // (WM_KEYDOWN), types its character (WM_CHAR) and comes up (WM_KEYUP).
    bool Type(int id, const std::string& text);
    // Clicks a check box when its state differs.
    bool Check(int id, bool checked = true);
    // Clicks a radio button.
    bool Pick(int id);
    bool Click(int id);
    // Chooses a combo box or list box item, or a list control row, by its text
    // (a row by its first cell) or by its index. In a multiple-selection list
    // box the item is added to the selection.
    bool Select(int id, const std::string& item);
    bool SelectIndex(int id, int index);
    bool Focus(int id);
    // F1 with the control focused: WM_HELP for it.
    bool Help(int id);

    bool PressOk();      // the OK button (Enter when there is none)
    bool PressCancel();  // the Cancel button (Escape when there is none)
    bool PressEscape();
    bool PressEnter();
    bool Close();        // the caption's close box
    // Property sheets.
    bool Next();
    bool Back();
    bool Finish();
    bool Apply();
    bool SelectPage(int index);  // a click on the page's tab
    int ActivePage() const;
    int PageCount() const;

    // Ends the modal loop at once, without the dialog's own handling; for a
    // driver that must not leave a dialog open after its script failed.
    void ForceEnd(INT_PTR result);

    const std::string& Failure() const { return failure_; }

private:
    HWND Usable(int id);
    bool Fail(std::string why);
    bool ClickButton(int id, const char* name);

    HWND dialog_;
    std::string failure_;
};

}  // namespace platform
