// The fillers of the Configuration sheet's lists. Each empties its combo box
// and puts its texts at their positions.
#pragma once

#include "platform/afx.h"

// One entry: the text of the speed index the break-mode settings give as
// their second value (bps with protocol type 1, else the clock); nothing for
// an index outside 0 to 6.
void FillSpeedList(CComboBox& combo);
// One entry: the part number of the device the session uses.
void FillDeviceList(CComboBox& combo);
// "Normal", "No break".
void FillBreakModeList(CComboBox& combo);
// Interrupts disabled, enabled during single steps.
void FillStepOptionList(CComboBox& combo);
// The four flash memory synchronisation modes.
void FillFlashSyncList(CComboBox& combo);
