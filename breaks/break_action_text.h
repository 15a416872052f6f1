// The action part of a saved break value: the action's type and fields
// after the record's own fields, the file name in double quotes.
#pragma once

#include "breaks/break_action_desc.h"
#include "breaks/break_actions.h"

#include "platform/wintypes.h"

#include <string>

// ",type[,fields]"; nothing for a type other than 0 to 3.
std::string FormatBreakActionText(const CTBreakAction& action);
// Fills desc from the suffix (the text after the record's fields, up to the
// first white space) and, for a file action, the name between the first two
// double quotes of the whole value. S_OK, or 0x80042001 for an unknown type,
// a missing field, a unit size other than 1, 2, 4 or 8, a missing quote or
// a name over 299 characters.
HRESULT ParseBreakActionText(BreakActionDesc& desc, const char* suffix, const char* value);
