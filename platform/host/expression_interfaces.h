// The host's expression evaluator: turns texts (numbers, symbols, labels)
// into values and values back into texts, with the host's expression syntax.
#pragma once

#include "platform/host/interfaces.h"

struct IHExpressionEvaluator : IUnknown {
    HOST_METHOD(GetDefaultRadix)(WORD* radix) = 0;                                  // 3
    HOST_METHOD(SetDefaultRadix)(DWORD radix) = 0;                                  // 4
    HOST_METHOD(EvaluateValue)(BSTR text, DWORD* value) = 0;                        // 5
    HOST_METHOD(Evaluate)(BSTR text, DWORD radix, DWORD* value) = 0;                // 6
    HOST_PLACEHOLDER(7);
    HOST_METHOD(EvaluateSigned)(BSTR text, DWORD context, LONG* value) = 0;         // 8
    HOST_PLACEHOLDER(9);
    HOST_METHOD(EvaluateWord)(BSTR text, DWORD context, WORD* value) = 0;           // 10
    HOST_PLACEHOLDER(11);
    HOST_METHOD(EvaluateByte)(BSTR text, DWORD context, BYTE* value) = 0;           // 12
    HOST_METHOD(Evaluate64)(BSTR text, ULONGLONG* value) = 0;                       // 13
    HOST_METHOD(Evaluate64InContext)(BSTR text, DWORD context, ULONGLONG* value) = 0;  // 14
    HOST_PLACEHOLDER(15);
    HOST_METHOD(EvaluateSigned64)(BSTR text, DWORD context, LONGLONG* value) = 0;   // 16
    HOST_PLACEHOLDER(17);
    HOST_METHOD(EvaluateFloat)(BSTR text, DWORD context, float* value) = 0;         // 18
    HOST_PLACEHOLDER(19);
    HOST_METHOD(EvaluateDouble)(BSTR text, DWORD context, double* value) = 0;       // 20
    HOST_PLACEHOLDER(21);
    HOST_METHOD(EvaluateAddress)(BSTR text, DWORD context, DWORD* value) = 0;       // 22
    HOST_METHOD(FormatValue)(DWORD value, DWORD format, VARIANT_BOOL flag, BSTR* text) = 0;  // 23
    HOST_PLACEHOLDER(24);
    HOST_METHOD(FormatHex)(DWORD value, DWORD width, BSTR* text) = 0;               // 25
    HOST_METHOD(FormatDecimal)(DWORD value, DWORD width, BSTR* text) = 0;           // 26
    HOST_METHOD(FormatSigned)(DWORD value, DWORD width, BSTR* text) = 0;            // 27
    HOST_METHOD(FormatHex64)(ULONGLONG value, DWORD width, BSTR* text) = 0;         // 28
    HOST_METHOD(FormatOctal)(DWORD value, DWORD width, BSTR* text) = 0;             // 29
    HOST_METHOD(FormatBinary)(DWORD value, DWORD width, BSTR* text) = 0;            // 30
    HOST_METHOD(FormatCharacter)(DWORD value, DWORD width, BSTR* text) = 0;         // 31
    HOST_METHOD(FormatDecimal64)(ULONGLONG value, DWORD width, BSTR* text) = 0;     // 32
    HOST_METHOD(TextToFloat)(BSTR text, float* value) = 0;                          // 33
    HOST_METHOD(TextToDouble)(BSTR text, double* value) = 0;                        // 34
    HOST_METHOD(FloatToText)(float value, DWORD radix, BSTR* text) = 0;             // 35
    HOST_METHOD(DoubleToText)(double value, DWORD radix, BSTR* text) = 0;           // 36
    // 37: an address as the text a view shows for it (symbol, offset, value).
    HOST_METHOD(FormatAddress)(DWORD address, VARIANT_BOOL first, VARIANT_BOOL second, VARIANT_BOOL third,
                               BSTR* text) = 0;
};
