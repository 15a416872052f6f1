// The utility tests' resources: the plug-in's, and the dialogs that the
// number-text exchange and the context help are driven through.
#pragma once

#include "platform/resources.h"

namespace utiltest {

// Fields exchanged as number texts.
inline constexpr UINT kNumberDialog = 910;
inline constexpr int kValue = 911;   // ParseNumberText
inline constexpr int kIdCode = 912;  // ParseHexOrSymbol
inline constexpr int kNumber = 913;  // DDX_NumberText

// A dialog with context help, and a control to ask it about.
inline constexpr UINT kHelpDialog = 300;
inline constexpr int kHelpField = 1001;
inline constexpr int kUnnamedLabel = -1;  // a label without an id of its own

// Two label combo boxes, each with its label-selection button.
inline constexpr UINT kLabelDialog = 920;
inline constexpr int kStartLabel = 1001;
inline constexpr int kStopLabel = 1002;
inline constexpr int kStartLabelButton = 1249;
inline constexpr int kStopLabelButton = 1250;

// A guarded file-name edit with its placeholder button, and a combo box with
// its own placeholder button.
inline constexpr UINT kPlaceholderDialog = 930;
inline constexpr int kFileEdit = 931;
inline constexpr int kFileButton = 932;
inline constexpr int kPlaceholderCombo = 933;
inline constexpr int kComboButton = 934;

// Fields of every kind that a validation message can point at.
inline constexpr UINT kValidationDialog = 940;
inline constexpr int kCheckedEdit = 941;
inline constexpr int kCheckedRows = 942;
inline constexpr int kCheckedList = 943;
inline constexpr int kCheckedMultiList = 944;
inline constexpr int kCheckedCombo = 945;

// 16 x 16 monochrome bitmaps for the icon helpers.
inline constexpr UINT kImageBitmap = 950;
inline constexpr UINT kMaskBitmap = 951;

}  // namespace utiltest
