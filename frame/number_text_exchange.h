// The exchange of number texts with a dialog's fields, called from the
// dialog's DoDataExchange. A text that is not valid shows "Invalid value or
// symbol: " with the text as it stood when it was found invalid, gives the
// field the focus and fails the exchange, so the dialog stays open; the value
// is then left as it was. The same refusal is there for dialogs that check
// a symbol themselves.
#pragma once

#include "platform/afx.h"

// One 32-bit value in [minimum, maximum] (signed comparison and signed
// decimal reading when signedFlag is 1), as ReadNumberText reads it.
void ParseNumberText(CDataExchange* exchange, int id, const CString& text, DWORD& value, DWORD minimum,
                     DWORD maximum, DWORD signedFlag, WORD defaultRadix);
// The 7-byte ID code as 14 hexadecimal digits: the first 6 into high, the
// last 8 into low.
void ParseHexOrSymbol(CDataExchange* exchange, int id, const CString& text, DWORD& high, DWORD& low);
// An edit field's value through the host's expression evaluator. Saving
// evaluates the field's text in the radix; a text the host does not evaluate
// fails the exchange without a message of its own. Loading writes the radix's
// prefix (B' 2, O' 8, D' 10, H' 16; any other radix H' and radix 16) and the
// digits, zero-padded to width.
void DDX_NumberText(CDataExchange* exchange, int id, DWORD& value, WORD radix, int width);
// The refusal of a symbol or expression the host does not evaluate: the
// resource's "Invalid value or symbol: " followed by the text, in an
// exclamation box.
void ShowInvalidSymbol(const CString& text);
