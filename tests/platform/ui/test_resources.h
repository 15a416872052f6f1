// The resources of the user-interface tests: the program's own table (the
// application module's resources).
#pragma once

#include "platform/resources.h"

namespace uitest {

// A dialog with one control of each kind the data exchange knows.
inline constexpr UINT kSampleDialog = 100;
inline constexpr int kName = 1001;       // edit, at most 8 characters
inline constexpr int kCount = 1002;      // edit, a number
inline constexpr int kEnabled = 1003;    // automatic check box
inline constexpr int kModeA = 1004;      // automatic radio buttons, one group
inline constexpr int kModeB = 1005;
inline constexpr int kModeC = 1006;
inline constexpr int kKind = 1007;       // drop-down list
inline constexpr int kLabel = 1008;      // drop-down combo box with an edit field
inline constexpr int kApply = 1009;      // push button
inline constexpr int kHidden = 1010;     // created hidden
inline constexpr int kNote = 1011;       // static text

// A dialog whose OnInitDialog may end it, and one with controls for the
// control tests.
inline constexpr UINT kPlainDialog = 101;
inline constexpr UINT kControlsDialog = 102;
inline constexpr int kList = 2001;       // list box, single selection
inline constexpr int kMultiList = 2002;  // list box, multiple selection
inline constexpr int kReport = 2003;     // list control, report view
inline constexpr int kTree = 2004;
inline constexpr int kSpin = 2005;       // with kSpinBuddy before it
inline constexpr int kSpinBuddy = 2006;
inline constexpr int kProgress = 2007;
inline constexpr int kAnimation = 2008;
inline constexpr int kReadOnly = 2009;   // read-only edit
inline constexpr int kDisabled = 2010;   // disabled button

// Property pages.
inline constexpr UINT kFirstPage = 200;
inline constexpr UINT kSecondPage = 201;
inline constexpr UINT kThirdPage = 202;
inline constexpr int kPageValue = 3001;  // an edit on every page
inline constexpr int kPageCheck = 3002;

// Menus, accelerators, toolbars, bitmaps, icons, animations.
inline constexpr UINT kContextMenu = 300;
inline constexpr UINT kBadMenu = 301;
inline constexpr UINT kCopyCommand = 32801;
inline constexpr UINT kPasteCommand = 32802;
inline constexpr UINT kGrayedCommand = 32803;
inline constexpr UINT kNestedCommand = 32804;
inline constexpr UINT kAccelerators = 400;
inline constexpr UINT kToolbar = 500;
inline constexpr UINT kToolbarBitmap = 500;
inline constexpr UINT kIcon = 600;
inline constexpr UINT kAnimationResource = 700;

// Strings.
inline constexpr UINT kAppTitle = 1;
inline constexpr UINT kSheetCaption = 2;
inline constexpr UINT kPageTitle = 3;

}  // namespace uitest
