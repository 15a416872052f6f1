// The event handler's copy of one break-condition channel's sheet. The copy
// is what a session save writes; it is only as current as the handler's last copy from the sheets.
#pragma once

#include "platform/afx.h"

struct CEventConditionRecord {
    int conditionFlag = 0;      // the set's condition flag of the channel
    int channelWord = 0;        // the set's enabled word: 1 enabled
    // The channel's address page.
    int addressDontCare = 1;
    int addressKind = 1;        // 0 an access, 1 program fetched
    DWORD address = 0;
    int maskIndex = 0;
    CString addressText;
    int dataDontCare = 1;
    DWORD dataValue = 0;
    int direction = 0;          // 0 read or write, 1 read, 2 write
    WORD dataSize = 0;          // 0 low byte, 1 high byte, 2 word
    // Channel 1 only: the second address page.
    int secondAddressDontCare = 1;
    int secondValueA = 0;
    int secondMaskIndex = 0;
    int secondValueB = 0;
    CString secondText1;
    CString secondText2;
    // Channels 1 and 2: the bus-state page.
    int busState = 0;
    int busDirection = 0;
    // Channel 1 only: the pass count.
    int countDontCare = 1;
    int count = 1;
    // Channels 1 and 2: the ASID page.
    int asidDontCare = 1;
    int asid = 0;
};
