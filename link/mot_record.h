// One line of a Motorola S-record file, parsed: "S", a type digit, a count
// byte (the bytes that follow: address, data and checksum), the address, the
// data bytes and the checksum (255 minus the 8-bit sum of the count, address
// and data bytes).
#pragma once

#include "platform/wintypes.h"

#include <array>
#include <string_view>

struct MotRecord {
    enum class Kind {
        Header,  // S0
        Data,    // S1, S2, S3
        Count,   // S5, S6: the number of data records before it
        End,     // S7, S8, S9
        Bad      // anything that breaks the format
    };
    Kind kind = Kind::Bad;
    DWORD address = 0;  // the data records' address, the count records' count
    std::array<BYTE, 255> data{};
    WORD length = 0;    // data bytes
};

// Parses one line without its line end. The first character is not looked
// at; hexadecimal digits are taken in either case, any other character as 0;
// the line must hold every byte its count names, and whatever follows the
// checksum is ignored.
MotRecord ParseMotRecord(std::string_view line);
