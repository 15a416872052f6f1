#include "frame/number_text_exchange.h"

#include "frame/number_text.h"
#include "res/resource_ids.h"

namespace {

// The text field's content is read through a buffer of this size.
constexpr int kFieldTextSize = 1024;

[[noreturn]] void RefuseText(CDataExchange* exchange, int id, const CString& workingText) {
    AfxMessageBox("Invalid value or symbol: " + workingText, MB_ICONEXCLAMATION | MB_OK);
    exchange->PrepareEditCtrl(id);
    exchange->Fail();
}

struct RadixPrefix {
    const char* prefix;
    int radix;
};

RadixPrefix PrefixOf(WORD radix) {
    switch (radix) {
        case 2:
            return {"B'", 2};
        case 8:
            return {"O'", 8};
        case 10:
            return {"D'", 10};
        default:
            return {"H'", 16};
    }
}

}  // namespace

void ParseNumberText(CDataExchange* exchange, int id, const CString& text, DWORD& value, DWORD minimum,
                     DWORD maximum, DWORD signedFlag, WORD defaultRadix) {
    const NumberTextReading reading = ReadNumberText(text, minimum, maximum, signedFlag, defaultRadix);
    if (!reading.valid) {
        RefuseText(exchange, id, reading.workingText);
    }
    value = reading.value;
}

void ParseHexOrSymbol(CDataExchange* exchange, int id, const CString& text, DWORD& high, DWORD& low) {
    const IdCodeReading reading = ReadIdCodeText(text);
    if (!reading.valid) {
        RefuseText(exchange, id, reading.workingText);
    }
    high = reading.high;
    low = reading.low;
}

void DDX_NumberText(CDataExchange* exchange, int id, DWORD& value, WORD radix, int width) {
    const HWND control = exchange->PrepareEditCtrl(id);
    if (exchange->m_bSaveAndValidate) {
        char text[kFieldTextSize] = {};
        ::GetWindowTextA(control, text, kFieldTextSize);
        DWORD evaluated = 0;
        if (HostEvaluateExpression(&evaluated, text, radix) != S_OK) {
            exchange->Fail();
        }
        value = evaluated;
        return;
    }
    const RadixPrefix prefix = PrefixOf(radix);
    CString digits;
    FormatNumberText(value, digits, prefix.radix, width);
    ::SetWindowTextA(control, prefix.prefix + digits);
}

void ShowInvalidSymbol(const CString& text) {
    CString message;
    message.LoadString(res_id::kInvalidSymbol);
    AfxMessageBox(message + text, MB_ICONEXCLAMATION);
}
