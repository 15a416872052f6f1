// CWordStateList: the state word of the break manager (its first base), 1
// from construction on. While it is not 1 the host's AddBreak makes nothing
// and the hit tests report no hit; nothing in the plug-in changes it.
#pragma once

#include "platform/wintypes.h"

class CWordStateList {
public:
    WORD GetDefaultWord() const { return m_defaultWord; }
    // A state word's start value: the break records' enable words.
    static void InitWord(WORD& word) { word = 1; }

private:
    WORD m_defaultWord = 1;
};
