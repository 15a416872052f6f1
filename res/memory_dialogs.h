// The templates of the memory compare, copy and search dialogs: each a
// column of labelled number fields (the search's data and mask among them),
// the search's two check boxes, OK and Cancel.
#pragma once

#include "res/resource_ids.h"

#include "platform/resources.h"

namespace memory_dialogs {

namespace rc = platform::rc;
using platform::DialogControl;
using platform::DialogResource;

inline constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

inline constexpr DialogControl kCompareControls[] = {
    rc::LText(-1, "&Begin:", 7, 9, 60, 8),
    rc::EditText(res_id::kMemBegin, 70, 7, 70, 12),
    rc::LText(-1, "&End:", 7, 25, 60, 8),
    rc::EditText(res_id::kMemEnd, 70, 23, 70, 12),
    rc::LText(-1, "&Start Compare:", 7, 41, 60, 8),
    rc::EditText(res_id::kMemSecondAddress, 70, 39, 70, 12),
    rc::LText(-1, "&Access Size:", 7, 57, 60, 8),
    rc::EditText(res_id::kMemAccessSize, 70, 55, 70, 12),
    rc::DefPushButton(IDOK, "OK", 150, 7, 50, 14),
    rc::PushButton(IDCANCEL, "Cancel", 150, 24, 50, 14),
};

inline constexpr DialogControl kCopyControls[] = {
    rc::LText(-1, "&Begin:", 7, 9, 60, 8),
    rc::EditText(res_id::kMemBegin, 70, 7, 70, 12),
    rc::LText(-1, "&End:", 7, 25, 60, 8),
    rc::EditText(res_id::kMemEnd, 70, 23, 70, 12),
    rc::LText(-1, "&Destination:", 7, 41, 60, 8),
    rc::EditText(res_id::kMemSecondAddress, 70, 39, 70, 12),
    rc::LText(-1, "&Access Size:", 7, 57, 60, 8),
    rc::EditText(res_id::kMemAccessSize, 70, 55, 70, 12),
    rc::DefPushButton(IDOK, "OK", 150, 7, 50, 14),
    rc::PushButton(IDCANCEL, "Cancel", 150, 24, 50, 14),
};

inline constexpr DialogControl kSearchControls[] = {
    rc::LText(-1, "&Begin:", 7, 9, 60, 8),
    rc::EditText(res_id::kMemBegin, 70, 7, 70, 12),
    rc::LText(-1, "&End:", 7, 25, 60, 8),
    rc::EditText(res_id::kMemEnd, 70, 23, 70, 12),
    rc::LText(-1, "&Data:", 7, 41, 60, 8),
    rc::EditText(res_id::kMemData, 70, 39, 70, 12),
    rc::LText(-1, "&Mask:", 7, 57, 60, 8),
    rc::EditText(res_id::kMemMask, 70, 55, 70, 12),
    rc::LText(-1, "&Access Size:", 7, 73, 60, 8),
    rc::EditText(res_id::kMemAccessSize, 70, 71, 70, 12),
    rc::AutoCheckBox(res_id::kMemSearchForward, "Search Forward", 7, 89, 80, 10),
    rc::AutoCheckBox(res_id::kMemSearchEqual, "Sarch Equal", 90, 89, 80, 10),
    rc::DefPushButton(IDOK, "OK", 150, 7, 50, 14),
    rc::PushButton(IDCANCEL, "Cancel", 150, 24, 50, 14),
};

inline constexpr DialogResource kCompareDialog = {res_id::kMemoryCompareDialog, "Compare Memory", kStyle, 0, 0, 207,
                                                  75, kCompareControls};
inline constexpr DialogResource kCopyDialog = {res_id::kMemoryCopyDialog, "Copy Memory", kStyle, 0, 0, 207, 75,
                                               kCopyControls};
inline constexpr DialogResource kSearchDialog = {res_id::kMemorySearchDialog, "Search Memory", kStyle, 0, 0, 207,
                                                 106, kSearchControls};

}  // namespace memory_dialogs
