// The template of the "Set Break" sheet's break-type page. Only the address
// and its label are visible; the page shows the controls of the chosen kind
// itself. The break-type label, list and line are never shown.
#pragma once

#include "res/resource_ids.h"

#include "platform/resources.h"

namespace break_dialogs {

namespace rc = platform::rc;
using platform::ControlClass;
using platform::DialogControl;

constexpr DialogControl Hidden(DialogControl control) {
    control.hidden = true;
    return control;
}

constexpr DWORD kEditStyle = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;

// Radio groups end at the next control that starts a group (the labels do).
inline constexpr DialogControl kSetBreakTypeControls[] = {
    Hidden(rc::LText(res_id::kBreakTypeLabel, "&Break type :", 8, 8, 60, 8)),
    Hidden(rc::ComboBox(res_id::kBreakTypeList, 72, 6, 150, 100)),
    Hidden(rc::Control(res_id::kBreakTypeLine, "", ControlClass::Static, SS_LEFT | WS_BORDER, 8, 24, 214, 1)),
    rc::LText(res_id::kBrkAddressLabel, "&Address :", 8, 32, 60, 8),
    rc::EditText(res_id::kBrkAddress, 72, 30, 150, 12),
    Hidden(rc::LText(res_id::kBrkStartLabel, "&Start address :", 8, 32, 60, 8)),
    Hidden(rc::EditText(res_id::kBrkStart, 72, 30, 150, 12)),
    Hidden(rc::LText(res_id::kBrkEndLabel, "&End address :", 8, 48, 60, 8)),
    Hidden(rc::EditText(res_id::kBrkEnd, 72, 46, 150, 12)),
    Hidden(rc::LText(res_id::kBrkCfgNumberLabel, "&CFG number :", 8, 32, 60, 8)),
    Hidden(rc::EditText(res_id::kBrkCfgNumber, 72, 30, 150, 12)),
    Hidden(rc::LText(res_id::kBrkCfgStartLabel, "&Start CFG number :", 8, 32, 60, 8)),
    Hidden(rc::EditText(res_id::kBrkCfgStart, 72, 30, 150, 12)),
    Hidden(rc::LText(res_id::kBrkCfgEndLabel, "&End CFG number :", 8, 48, 60, 8)),
    Hidden(rc::EditText(res_id::kBrkCfgEnd, 72, 46, 150, 12)),
    Hidden(rc::LText(res_id::kBrkRegisterLabel, "&Register :", 8, 32, 60, 8)),
    Hidden(rc::ComboBox(res_id::kBrkRegister, 72, 30, 150, 100, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL |
                                                                      WS_TABSTOP)),
    Hidden(rc::LText(res_id::kBrkCycleLabel, "C&ycle :", 8, 32, 60, 8)),
    Hidden(rc::EditText(res_id::kBrkCycle, 72, 30, 150, 12)),
    Hidden(rc::LText(res_id::kBrkCountLabel, "&Count :", 8, 48, 60, 8)),
    Hidden(rc::EditText(res_id::kBrkCount, 72, 46, 150, 12)),
    Hidden(rc::GroupBox(res_id::kBrkCountGroup, "&Count", 8, 48, 214, 30)),
    Hidden(rc::AutoRadioButton(res_id::kBrkAll, "ALL", 16, 60, 40, 10, WS_GROUP | WS_TABSTOP)),
    Hidden(rc::AutoRadioButton(res_id::kBrkTimes, "Times", 60, 60, 40, 10)),
    Hidden(rc::EditText(res_id::kBrkTimesText, 104, 58, 110, 12, kEditStyle)),
    Hidden(rc::LText(res_id::kBrkSizeLabel, "&Size :", 8, 48, 60, 8)),
    Hidden(rc::ComboBox(res_id::kBrkSize, 72, 46, 150, 100)),
    Hidden(rc::LText(res_id::kBrkDataLabel, "&Data :", 8, 64, 60, 8)),
    Hidden(rc::EditText(res_id::kBrkData, 72, 62, 150, 12)),
    Hidden(rc::LText(res_id::kBrkAccessTypeLabel, "Access &type :", 8, 64, 60, 8)),
    Hidden(rc::ComboBox(res_id::kBrkAccessType, 72, 62, 150, 100)),
    Hidden(rc::GroupBox(res_id::kBrkOptionGroup, "&Option", 8, 80, 214, 26)),
    Hidden(rc::AutoRadioButton(res_id::kBrkEqual, "Equal", 16, 91, 60, 10, WS_GROUP | WS_TABSTOP)),
    Hidden(rc::AutoRadioButton(res_id::kBrkNotEqual, "Not equal", 90, 91, 60, 10)),
    Hidden(rc::LText(res_id::kBrkSequenceLabel[0], "Address&1 :", 8, 32, 60, 8)),
    Hidden(rc::EditText(res_id::kBrkSequence[0], 72, 30, 150, 12)),
    Hidden(rc::LText(res_id::kBrkSequenceLabel[1], "Address&2 :", 8, 46, 60, 8)),
    Hidden(rc::EditText(res_id::kBrkSequence[1], 72, 44, 150, 12)),
    Hidden(rc::LText(res_id::kBrkSequenceLabel[2], "Address&3 :", 8, 60, 60, 8)),
    Hidden(rc::EditText(res_id::kBrkSequence[2], 72, 58, 150, 12)),
    Hidden(rc::LText(res_id::kBrkSequenceLabel[3], "Address&4 :", 8, 74, 60, 8)),
    Hidden(rc::EditText(res_id::kBrkSequence[3], 72, 72, 150, 12)),
    Hidden(rc::LText(res_id::kBrkSequenceLabel[4], "Address&5 :", 8, 88, 60, 8)),
    Hidden(rc::EditText(res_id::kBrkSequence[4], 72, 86, 150, 12)),
    Hidden(rc::LText(res_id::kBrkSequenceLabel[5], "Address&6 :", 8, 102, 60, 8)),
    Hidden(rc::EditText(res_id::kBrkSequence[5], 72, 100, 150, 12)),
    Hidden(rc::LText(res_id::kBrkSequenceLabel[6], "Address&7 :", 8, 116, 60, 8)),
    Hidden(rc::EditText(res_id::kBrkSequence[6], 72, 114, 150, 12)),
    Hidden(rc::LText(res_id::kBrkSequenceLabel[7], "Address&8 :", 8, 130, 60, 8)),
    Hidden(rc::EditText(res_id::kBrkSequence[7], 72, 128, 150, 12)),
};

inline constexpr platform::DialogResource kSetBreakTypePage{res_id::kSetBreakTypePage,
                                                            "Address",
                                                            WS_CHILD | WS_CAPTION | DS_CONTROL,
                                                            0,
                                                            0,
                                                            230,
                                                            150,
                                                            kSetBreakTypeControls};

}  // namespace break_dialogs
