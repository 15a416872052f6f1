// ShowValidationError: tells the user why a dialog field was refused and
// takes them to it: the message in a box, then the field focused with the
// offending entries marked (an edit control's whole text selected, the
// entries' rows or items selected).
#pragma once

#include "platform/afx.h"

// The message and the texts of the entries it is about.
struct CValidationMessage {
    CString m_text;
    CStringList m_entries;
};

// The control's kinds.
inline constexpr DWORD kValidationEdit = 'E';
inline constexpr DWORD kValidationListControl = 'G';
inline constexpr DWORD kValidationListControlAlt = 'g';
inline constexpr DWORD kValidationListBox = 'L';
inline constexpr DWORD kValidationListBoxAlt = 'N';
inline constexpr DWORD kValidationListBoxAlt2 = 'l';
inline constexpr DWORD kValidationComboBox = 'M';

struct CValidationControl {
    DWORD m_id = 0;
    DWORD m_kind = 0;  // any other kind marks no entries
};

void ShowValidationError(const CValidationMessage& message, const CValidationControl& control, CWnd* dialog);
