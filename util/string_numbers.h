// Number texts of the string utilities.
#pragma once

#include "platform/afx.h"

// atoi as the Windows run time reads: leading white space, an optional sign
// and decimal digits, accumulated in 32 bits that wrap (so "4294967295" reads
// as -1, and 0xFFFFFFFF written with "%d" reads back); no number gives 0.
int ReadInt(LPCSTR text);
// Non-empty and only '0' to '9'; value (when given) by ReadInt.
BOOL IsDecimalText(LPCSTR text, int* value = nullptr);
// The value of one hexadecimal digit (either case), or -1.
int HexDigitValue(char c);
// Hexadecimal digits (either case), the last the least significant; any
// other character anywhere makes the answer 0. Meant for at most 8 digits.
DWORD ParseHexText(LPCSTR text);
// At least one hexadecimal digit and nothing else, after an optional "H'",
// "h'", "0x" or "0X".
BOOL IsHexText(LPCSTR text);
CString IntToText(int value);
// '0' characters put in front until the text is width characters long.
void PadLeftWithZeros(CString& text, int width);
// Data1 as 8 digits, Data2 and Data3 as 4, then Data4[0..3] and Data4[4..7]
// each as one big-endian 32-bit value of 8 digits: 32 lower-case digits.
CString GuidToHexText(const GUID& guid);
