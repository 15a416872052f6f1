// Number texts: an optional sign, an optional radix prefix (D' decimal,
// B' binary, H' hexadecimal; upper or lower case) and digits, read in the
// caller's default radix when there is no prefix. This file holds the reading
// and formatting rules, and the thin layer through which a text goes to the
// host's expression evaluator when the plug-in does not read it itself.
#pragma once

#include "platform/afx.h"

// The outcome of reading a text: its value, or the working text as it stood
// when the text was found invalid (trimmed on the left, upper-cased, without
// the sign and prefix removed by then).
struct NumberTextReading {
    bool valid = false;
    DWORD value = 0;
    CString workingText;
};

// Reads a 32-bit number text and checks it against [minimum, maximum]
// (signed when signedFlag is 1, else unsigned). defaultRadix 2, 8 or 10;
// any other value means 16. A text holding '*' is never valid.
NumberTextReading ReadNumberText(const CString& text, DWORD minimum, DWORD maximum, DWORD signedFlag,
                                 WORD defaultRadix);

// The 7-byte ID code: exactly 14 hexadecimal digits (an H' prefix allowed):
// the first 6 give the high part, the last 8 the low part.
struct IdCodeReading {
    bool valid = false;
    DWORD high = 0;
    DWORD low = 0;
    CString workingText;
};
IdCodeReading ReadIdCodeText(const CString& text);

// The value's digits in the radix (upper-case letters), left-padded with
// zeros to width; radix 10 writes a minus sign for a negative value, other
// radices the unsigned bit pattern. Padding stands in front of the sign.
void FormatNumberText(DWORD value, CString& text, int radix, int width);

// 1 when the closed ranges [a, b] and [c, d] overlap.
BOOL RangesOverlap(DWORD a, DWORD b, DWORD c, DWORD d);

// Evaluation by the host's expression evaluator. E_NOINTERFACE without the
// service, 0x80040902 for a text that is blank; radix 0 asks the evaluator for
// its default radix first. The value is written only on success.
HRESULT HostEvaluateExpression(DWORD* value, const char* text, WORD radix);
// 1 when the host evaluated the text (answered exactly S_OK).
BOOL EvaluateAddressExpression(const char* text, DWORD* value, WORD radix);
BOOL HostEvaluateFloat(const char* text, float* value);
BOOL HostEvaluateDouble(const char* text, double* value);

// The host evaluator's text for a floating-point value. Without the
// evaluator, or when it cannot convert the value, the value is flushed as
// below and printed with "%#+13.6e" (a float) or "%#+13.14e" (a double).
void FormatFloatText(CString& text, float value);
void FormatDoubleText(CString& text, double value);
// When the configuration handler's denormal flag is set, a denormal value
// (all exponent bits zero) loses its mantissa bits and becomes a zero of its
// own sign; otherwise the value is left as it is.
void FlushDenormalFloat(float& value);
void FlushDenormalDouble(double& value);

// One name and value that a host lookup found.
struct NameValueNode {
    NameValueNode* next;
    char* name;
    DWORD value;
};
// Asks the host's name lookup for the names matching text; the list runs
// from the first result to the last and is freed with FreeValueList.
HRESULT HostLookupNameValues(const char* text, NameValueNode** list, DWORD id, int* count);
void FreeValueList(NameValueNode* list);
