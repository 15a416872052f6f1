// The templates of the break-condition sheet's pages: the address page
// (used by both address pages), the bus-state, count, general and ASID
// pages.
#pragma once

#include "res/resource_ids.h"

#include "platform/resources.h"

namespace break_condition_dialogs {

namespace rc = platform::rc;
using platform::DialogControl;

constexpr DWORD kPageStyle = WS_CHILD | WS_CAPTION | DS_CONTROL;
constexpr DWORD kFirst = WS_GROUP | WS_TABSTOP;

// Radio groups end at the next control that starts a group.
inline constexpr DialogControl kAddressControls[] = {
    rc::GroupBox(-1, "Address", 6, 4, 218, 66),
    rc::AutoCheckBox(res_id::kBcAddressDontCare, "&Don't care", 12, 14, 80, 10, kFirst),
    rc::AutoRadioButton(res_id::kBcAddressKind, "Addre&ss", 12, 26, 80, 10, kFirst),
    rc::AutoRadioButton(res_id::kBcProgramFetched, "O&nly program fetched address after", 12, 38, 150, 10),
    rc::LText(res_id::kBcAddressLabel, "&Address", 12, 52, 40, 8),
    rc::EditText(res_id::kBcAddress, 56, 50, 90, 12),
    rc::LText(res_id::kBcMaskLabel, "&Mask", 150, 52, 24, 8),
    rc::ComboBox(res_id::kBcMaskList, 174, 50, 46, 80),
    rc::GroupBox(-1, "Data", 6, 72, 218, 44),
    rc::AutoCheckBox(res_id::kBcDataDontCare, "D&on't care", 12, 82, 80, 10, kFirst),
    rc::LText(res_id::kBcValueLabel, "&Value", 12, 98, 40, 8),
    rc::EditText(res_id::kBcValue, 56, 96, 60, 12),
    rc::AutoRadioButton(res_id::kBcDataSize, "&Low byte", 120, 84, 50, 10, kFirst),
    rc::AutoRadioButton(res_id::kBcDataHigh, "&High byte", 120, 94, 50, 10),
    rc::AutoRadioButton(res_id::kBcDataWord, "&Word", 120, 104, 50, 10),
    rc::GroupBox(-1, "Read/Write", 6, 118, 218, 24),
    rc::AutoRadioButton(res_id::kBcDirection, "R&ead/Write", 12, 128, 60, 10, kFirst),
    rc::AutoRadioButton(res_id::kBcDirectionRead, "&Read", 80, 128, 50, 10),
    rc::AutoRadioButton(res_id::kBcDirectionWrite, "Wr&ite", 140, 128, 50, 10),
};

inline constexpr DialogControl kBusControls[] = {
    rc::GroupBox(-1, "Bus state", 6, 4, 218, 48),
    rc::AutoRadioButton(res_id::kBcBus, "&L-bus(CPU-All)", 12, 14, 120, 10, kFirst),
    rc::AutoRadioButton(res_id::kBcBusData, "L-&bus(CPU-Data)", 12, 26, 120, 10),
    rc::AutoRadioButton(res_id::kBcBusInternal, "&I-bus(CPU,DMA)", 12, 38, 120, 10),
    rc::GroupBox(-1, "Read/Write", 6, 56, 218, 24),
    rc::AutoRadioButton(res_id::kBcDirection, "R&ead/Write", 12, 66, 60, 10, kFirst),
    rc::AutoRadioButton(res_id::kBcDirectionRead, "&Read", 80, 66, 50, 10),
    rc::AutoRadioButton(res_id::kBcDirectionWrite, "&Write", 140, 66, 50, 10),
};

inline constexpr DialogControl kCountControls[] = {
    rc::AutoCheckBox(res_id::kBcCountDontCare, "&Don't care", 12, 10, 80, 10, kFirst),
    rc::LText(-1, "&numbers", 12, 28, 40, 8),
    rc::EditText(res_id::kBcCount, 56, 26, 90, 12),
};

inline constexpr DialogControl kGeneralControls[] = {
    rc::GroupBox(-1, "LDTLB", 6, 4, 218, 36),
    rc::AutoRadioButton(res_id::kBcLdtlbDontCare, "&Don't care", 12, 14, 150, 10, kFirst),
    rc::AutoRadioButton(res_id::kBcLdtlbStop, "&Stop after executing LDTLB instruction", 12, 26, 200, 10),
    rc::GroupBox(-1, "I/O", 6, 44, 218, 36),
    rc::AutoRadioButton(res_id::kBcIoDontCare, "D&on't care", 12, 54, 150, 10, kFirst),
    rc::AutoRadioButton(res_id::kBcIoStop, "S&top on accessing internal I/O area", 12, 66, 200, 10),
};

inline constexpr DialogControl kAsidControls[] = {
    rc::AutoCheckBox(res_id::kBcAsidDontCare, "&Don't care", 12, 10, 80, 10, kFirst),
    rc::LText(-1, "&ASID", 12, 28, 40, 8),
    rc::EditText(res_id::kBcAsid, 56, 26, 90, 12),
};

inline constexpr platform::DialogResource kAddressPage{
    res_id::kSetBcAddressPage, "condition", kPageStyle, 0, 0, 230, 146, kAddressControls};
inline constexpr platform::DialogResource kBusPage{
    res_id::kSetBcBusPage, "Bus State", kPageStyle, 0, 0, 230, 146, kBusControls};
inline constexpr platform::DialogResource kCountPage{
    res_id::kSetBcCountPage, "Count", kPageStyle, 0, 0, 230, 146, kCountControls};
inline constexpr platform::DialogResource kGeneralPage{
    res_id::kSetBcGeneralPage, "General", kPageStyle, 0, 0, 230, 146, kGeneralControls};
inline constexpr platform::DialogResource kAsidPage{
    res_id::kSetBcAsidPage, "ASID", kPageStyle, 0, 0, 230, 146, kAsidControls};

}  // namespace break_condition_dialogs
