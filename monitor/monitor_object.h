// The monitor engine's units: CMonitorObject, the empty root with the text
// helpers every unit uses; CMonitorUnit, on which the break-condition text
// commands run; CMonitorRunBase (monitor_run_base.h), on which the
// breakpoint table, the preparation of a run and the go and step routines
// run. The units carry no data of their own: their state is process-wide.
#pragma once

#include "platform/wintypes.h"

#include <cstddef>
#include <string>
#include <string_view>

class CMonitorObject {
public:
    // The low digits x 4 bits of value as upper-case hexadecimal digits,
    // most significant first, without a terminator.
    static void FormatHex(DWORD value, char* destination, std::size_t digits);
    // count characters of value, character i from the bits at
    // 8 x (count - 1 - i) (modulo the word's width); a byte below 0x20 or
    // from 0x7F up is written as ".".
    static void FormatAscii(DWORD value, char* destination, std::size_t count);
    // 0 to 9 for "0" to "9", 10 to 15 for "A" to "F", else -1.
    static int HexDigitValue(char character);
};

// A condition token of a break-condition text: its value and its wildcard
// mask (a "*" digit sets its nibble of the mask to 0xF).
struct ConditionToken {
    DWORD value = 0;
    DWORD mask = 0;
};

class CMonitorUnit : public CMonitorObject {
public:
    // One break-condition command for a channel (0: all), with text from
    // the channel character on.
    void BreakConditionCommand(int channel, std::string_view text);
    // Parses a condition for channel 1 to 8 (text after the channel digit)
    // and displays the channel; a text with no recognised field changes no
    // record.
    void ParseBreakConditionText(int channel, std::string_view text);
    // " BCn ", the channel's 260-byte text field and "\r\n", for channel n or
    // all eight (0).
    void DisplayBreakChannels(int channel);

    // The token at offset of text (none past its end): up to the first
    // blank, ";" or end, at most 80 characters, each above "F" made 0x20
    // lower in text itself; its value from its first 8 characters.
    static ConditionToken ReadConditionToken(std::string& text, std::size_t offset);
};
