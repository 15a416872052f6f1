// What the two event editors (the break-condition page and the Event Setting
// dialog) decide without their controls: the host's address range and the
// width of addresses it implies, typed addresses through the host's
// expression evaluator, the range text of an event, and the reading of the
// Event Setting dialog's texts into the two events when OK is pressed.
#pragma once

#include "events/event_descriptor.h"

#include "platform/host/expression_interfaces.h"
#include "platform/host/interfaces.h"

#include <optional>
#include <string>

// The addresses the host calls valid, and the digits an address is shown
// with: two for every byte of the high address (six without the host's
// range service).
struct EditorAddressRange {
    DWORD low = 0;
    DWORD high = 0xFFFFFFFF;
    int digits = 6;

    bool Contains(DWORD address) const { return low <= address && address <= high; }
    // The address upper-case, zero-padded to the digits.
    std::string Format(DWORD address) const;
};

EditorAddressRange ReadEditorAddressRange(IHostServiceProvider* host);
// The host's expression evaluator; null when the host offers none.
IHExpressionEvaluator* HostExpressionEvaluator(IHostServiceProvider* host);
// A typed address (a number or a symbol) inside the range; none when the
// host cannot evaluate it or it lies outside.
std::optional<DWORD> EvaluateEditorAddress(IHExpressionEvaluator* evaluator, const std::string& text,
                                           const EditorAddressRange& range);

// The mask bits an event keeps: 0..15.
LONG ClampMaskBits(LONG bits);

// "(low <= (addr) <= high)" of an event at the typed address with its mask
// bits; empty for an empty text, mask bits 0, no evaluator or an address
// that does not evaluate inside the range.
std::string FormatRangeText(const std::string& addressText, LONG maskBits, IHExpressionEvaluator* evaluator,
                            const EditorAddressRange& range);

// The Event Setting dialog's entries when OK is pressed.
struct EventSettingEntries {
    std::string addressA;
    std::string addressB;
    std::string dataA;
    std::string maskA;
    LONG maskBitsA = 0;
    LONG maskBitsB = 0;
    LONG accessSizeA = 0;
    LONG accessSizeB = 0;
    LONG accessTypeA = 0;
    LONG accessTypeB = 0;
};

// The control ids the reading refers to when an entry is refused.
struct EventSettingFields {
    int addressA;
    int addressB;
    int dataA;
    int maskA;
    int accessSizeA;
};

// Reads the entries into the two events: 0 when they are taken (a and b
// changed), else the id of the field to correct (a and b unchanged).
// Without an evaluator only the mask bits, access sizes and types are
// taken: the addresses, data and names stay as they were, since nothing
// converted the texts.
int ReadEventSettingEntries(const EventSettingEntries& entries, IHExpressionEvaluator* evaluator,
                            const EditorAddressRange& range, const EventSettingFields& fields, CEventDescriptor& a,
                            CEventDescriptor& b);

// The texts the dialog shows for event A's data and data mask: both empty
// without a data condition, the mask empty when every bit is compared.
void FormatEventData(const CEventDescriptor& a, std::string& data, std::string& mask);
