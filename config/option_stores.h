// The target configuration's option stores: the break-mode settings (the
// break-condition mode with the adapter's speed code and control flag) and
// the step option, with the texts the session keeps them in ("%d %d %d %d":
// mode, value 2, value 4, value 5; the step option "%d").
#pragma once

#include "platform/wintypes.h"

#include <string>

// The five break-mode values as CBreakModeStore::Get gives them.
struct BreakModeValues {
    DWORD mode = 0;    // the break-condition mode: 0 normal, 1 no break, ...
    DWORD value2 = 0;  // the adapter communication speed code
    DWORD value3 = 0;
    DWORD value4 = 0;  // the NMI mode: 0 emulator, 1 user program
    DWORD value5 = 0;  // the break-condition channels: 0 emulator, 1 user program
};

class CBreakModeStore {
public:
    static constexpr DWORD kModeCount = 5;

    void Set(DWORD mode, DWORD value2, DWORD value3, DWORD value4, DWORD value5);
    void Get(DWORD* mode, DWORD* value2, DWORD* value3, DWORD* value4, DWORD* value5) const;
    BreakModeValues Values() const;
    // The current mode's name ("Normal", "No Break", "Sequential break
    // Condition 2-1", ...), or its short name ("", "N", "S1", ...) when the
    // alternative-name flag is set; empty for a mode outside 0..4.
    std::string GetName() const;
    void Copy(CBreakModeStore& other) const { other = *this; }
    // 1 when any of the seven fields differs.
    int Differs(const CBreakModeStore& other) const;
    std::string Format() const;
    // Reads mode, value 2, value 4 and value 5 back in that order, each as
    // far as the text gives numbers; a mode outside 0..4 refuses the whole
    // text (false, nothing changed). Value 3 is not in the text.
    bool Parse(const char* text);

    DWORD Mode() const { return m_mode; }
    void SetAlternativeNames(DWORD flag) { m_alternativeNames = flag; }

    bool operator==(const CBreakModeStore&) const = default;

private:
    DWORD m_value3 = 2;             // set by the configuration sheet
    DWORD m_mode = 0;               // the break-condition mode, 0 to 4
    DWORD m_spare = 0;              // copied and compared, never set otherwise
    DWORD m_alternativeNames = 0;   // 1 selects the short names
    DWORD m_value4 = 0;             // the adapter control flag
    DWORD m_value5 = 0;             // set by the configuration sheet
    DWORD m_value2 = 1;             // the adapter communication speed code
};

class CStepOptionStore {
public:
    void Set(DWORD value) { m_value = value; }
    void Get(DWORD* value) const { *value = m_value; }
    DWORD Value() const { return m_value; }
    void Copy(CStepOptionStore& other) const { other = *this; }
    int Differs(const CStepOptionStore& other) const { return m_value != other.m_value ? 1 : 0; }
    std::string Format() const;
    // The text's leading decimal number; false (nothing changed) when it
    // has none.
    bool Parse(const char* text);

private:
    DWORD m_value = 0;
};
