#include "frame/number_text.h"

#include "frame/host_event.h"
#include "frame/target_access.h"

#include "platform/bstr.h"
#include "platform/host/expression_interfaces.h"
#include "platform/host/lookup_interfaces.h"

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr HRESULT kInvalidToken = static_cast<HRESULT>(0x80040902u);
constexpr HRESULT kInvalidParameter = static_cast<HRESULT>(0x80042019u);

struct DigitRule {
    int radix;
    const char* characters;
    int maxDigits;
};

constexpr DigitRule kDecimalPrefixed{10, "0123456789*-+", 10};
constexpr DigitRule kDecimal{10, "0123456789*", 10};
constexpr DigitRule kBinary{2, "01*", 32};
constexpr DigitRule kOctal{8, "01234567*", 11};
constexpr DigitRule kHexadecimal{16, "0123456789ABCDEFabcdef*", 8};

const DigitRule& DefaultRule(WORD radix) {
    switch (radix) {
        case 2:
            return kBinary;
        case 8:
            return kOctal;
        case 10:
            return kDecimal;
        default:
            return kHexadecimal;
    }
}

const DigitRule* PrefixRule(const CString& text) {
    if (text.GetLength() < 2 || text[1] != '\'') {
        return nullptr;
    }
    switch (text[0]) {
        case 'D':
            return &kDecimalPrefixed;
        case 'B':
            return &kBinary;
        case 'H':
            return &kHexadecimal;
        default:
            return nullptr;
    }
}

bool FitsRule(const CString& digits, const DigitRule& rule) {
    const int length = digits.GetLength();
    if (length < 1 || length > rule.maxDigits) {
        return false;
    }
    if (static_cast<int>(std::strspn(digits, rule.characters)) != length) {
        return false;
    }
    if (&rule == &kDecimalPrefixed) {
        // A sign only in front, and at least one digit behind it.
        const int start = digits[0] == '-' || digits[0] == '+' ? 1 : 0;
        if (start == length || digits.Mid(start).FindOneOf("-+") >= 0) {
            return false;
        }
    }
    return true;
}

DWORD ReadDigits(const CString& digits, const DigitRule& rule, DWORD signedFlag) {
    if (rule.radix == 2) {
        DWORD value = 0;
        for (int i = 0; i < digits.GetLength(); ++i) {
            value = (value << 1) | (digits[i] != '0' ? 1u : 0u);
        }
        return value;
    }
    if (rule.radix == 10 && signedFlag != 0) {
        return static_cast<DWORD>(std::strtoll(digits, nullptr, 10));
    }
    // Unsigned reading takes a leading minus as the run time's does: -5 reads
    // as the bit pattern of -5.
    return static_cast<DWORD>(std::strtoull(digits, nullptr, rule.radix));
}

IHExpressionEvaluator* HostEvaluator() {
    IHostServiceProvider* host = GetTargetHost();
    if (host == nullptr) {
        return nullptr;
    }
    IHExpressionEvaluator* evaluator = nullptr;
    if (FAILED(host->QueryService(IID_IHExpressionEvaluator, reinterpret_cast<void**>(&evaluator)))) {
        return nullptr;
    }
    return evaluator;
}

CString Trimmed(const char* text) {
    CString trimmed(text);
    trimmed.Trim();
    return trimmed;
}

// Clears the mantissa of a value whose exponent bits are all zero, keeping
// its sign bit.
template <typename Value, typename Bits>
void FlushDenormal(Value& value, Bits exponentMask, Bits mantissaMask) {
    static_assert(sizeof(Value) == sizeof(Bits));
    if (GetTargetDenormalFlag() == 0) {
        return;
    }
    const Bits bits = std::bit_cast<Bits>(value);
    if ((bits & exponentMask) == 0) {
        value = std::bit_cast<Value>(static_cast<Bits>(bits & ~mantissaMask));
    }
}

// Takes the evaluator's text when it converts the value (a result of zero
// or above).
template <typename Convert>
bool EvaluatorText(CString& text, Convert convert) {
    IHExpressionEvaluator* evaluator = HostEvaluator();
    if (evaluator == nullptr) {
        return false;
    }
    platform::Bstr answer;
    if (FAILED(convert(*evaluator, answer.Out()))) {
        return false;
    }
    text = answer.Ansi().c_str();
    return true;
}

// What the evaluator is asked to convert a value in.
constexpr DWORD kTextRadix = 10;

}  // namespace

NumberTextReading ReadNumberText(const CString& text, DWORD minimum, DWORD maximum, DWORD signedFlag,
                                 WORD defaultRadix) {
    NumberTextReading reading;
    CString work = text;
    work.TrimLeft(" \t");
    work.MakeUpper();
    bool valid = work.Find('*') < 0;

    bool negate = false;
    const DigitRule* rule = nullptr;
    if (!work.IsEmpty() && work[0] == '-') {
        negate = true;
        work = work.Mid(1);
        if ((rule = PrefixRule(work)) != nullptr) {
            if (work.GetLength() > 2 && work[2] == '-') {
                valid = false;
            }
            work = work.Mid(2);
        } else {
            rule = &DefaultRule(defaultRadix);
        }
    } else if ((rule = PrefixRule(work)) == &kDecimalPrefixed) {
        work = work.Mid(2);
    } else {
        if (rule != nullptr) {
            work = work.Mid(2);
        } else {
            rule = &DefaultRule(defaultRadix);
        }
        if (rule != &kDecimal) {
            if (!work.IsEmpty() && work[0] == '-') {
                negate = true;
                work = work.Mid(1);
            }
            if (!work.IsEmpty() && work[0] == '+') {
                work = work.Mid(1);
            }
        }
    }
    valid = valid && FitsRule(work, *rule);
    reading.workingText = work;
    if (!valid) {
        return reading;
    }
    DWORD value = ReadDigits(work, *rule, signedFlag);
    if (negate) {
        value = 0u - value;
    }
    const bool inRange =
        signedFlag == 1 ? static_cast<LONG>(minimum) <= static_cast<LONG>(value) &&
                              static_cast<LONG>(value) <= static_cast<LONG>(maximum)
                        : minimum <= value && value <= maximum;
    if (inRange) {
        reading.valid = true;
        reading.value = value;
    }
    return reading;
}

IdCodeReading ReadIdCodeText(const CString& text) {
    IdCodeReading reading;
    CString work = text;
    work.TrimLeft(" \t");
    work.MakeUpper();
    bool valid = work.FindOneOf("*-") < 0;
    if (work.Left(2) == "H'") {
        work = work.Mid(2);
    }
    reading.workingText = work;
    valid = valid && work.GetLength() == 14 &&
            static_cast<int>(std::strspn(work, kHexadecimal.characters)) == work.GetLength();
    if (!valid) {
        return reading;
    }
    reading.high = static_cast<DWORD>(std::strtoul(work.Left(6), nullptr, 16));
    reading.low = static_cast<DWORD>(std::strtoul(work.Mid(6), nullptr, 16));
    reading.valid = reading.high <= 0xFFFFFF;
    return reading;
}

void FormatNumberText(DWORD value, CString& text, int radix, int width) {
    static constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    if (radix < 2 || radix > 36) {
        radix = 16;
    }
    const bool negative = radix == 10 && static_cast<LONG>(value) < 0;
    std::uint32_t magnitude = negative ? 0u - value : value;
    std::string digits;
    do {
        digits.insert(digits.begin(), kDigits[magnitude % static_cast<std::uint32_t>(radix)]);
        magnitude /= static_cast<std::uint32_t>(radix);
    } while (magnitude != 0);
    if (negative) {
        digits.insert(digits.begin(), '-');
    }
    if (static_cast<int>(digits.size()) < width) {
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    }
    text = digits;
}

BOOL RangesOverlap(DWORD a, DWORD b, DWORD c, DWORD d) {
    return a <= d && b >= c ? TRUE : FALSE;
}

HRESULT HostEvaluateExpression(DWORD* value, const char* text, WORD radix) {
    IHExpressionEvaluator* evaluator = HostEvaluator();
    if (evaluator == nullptr) {
        return E_NOINTERFACE;
    }
    const CString expression = Trimmed(text);
    if (expression.IsEmpty()) {
        return kInvalidToken;
    }
    if (radix == 0) {
        evaluator->GetDefaultRadix(&radix);
    }
    platform::Bstr wide(expression.Str());
    DWORD result = 0;
    const HRESULT hr = evaluator->Evaluate(wide.Get(), radix, &result);
    if (SUCCEEDED(hr) && value != nullptr) {
        *value = result;
    }
    return hr;
}

BOOL EvaluateAddressExpression(const char* text, DWORD* value, WORD radix) {
    return HostEvaluateExpression(value, text, radix) == S_OK ? TRUE : FALSE;
}

BOOL HostEvaluateFloat(const char* text, float* value) {
    IHExpressionEvaluator* evaluator = HostEvaluator();
    const CString expression = Trimmed(text);
    if (evaluator == nullptr || expression.IsEmpty()) {
        return FALSE;
    }
    platform::Bstr wide(expression.Str());
    return evaluator->TextToFloat(wide.Get(), value) == S_OK ? TRUE : FALSE;
}

BOOL HostEvaluateDouble(const char* text, double* value) {
    IHExpressionEvaluator* evaluator = HostEvaluator();
    const CString expression = Trimmed(text);
    if (evaluator == nullptr || expression.IsEmpty()) {
        return FALSE;
    }
    platform::Bstr wide(expression.Str());
    return evaluator->TextToDouble(wide.Get(), value) == S_OK ? TRUE : FALSE;
}

void FormatFloatText(CString& text, float value) {
    if (EvaluatorText(text, [value](IHExpressionEvaluator& evaluator, BSTR* answer) {
            return evaluator.FloatToText(value, kTextRadix, answer);
        })) {
        return;
    }
    float flushed = value;
    FlushDenormalFloat(flushed);
    text.Format("%#+13.6e", static_cast<double>(flushed));
}

void FormatDoubleText(CString& text, double value) {
    if (EvaluatorText(text, [value](IHExpressionEvaluator& evaluator, BSTR* answer) {
            return evaluator.DoubleToText(value, kTextRadix, answer);
        })) {
        return;
    }
    double flushed = value;
    FlushDenormalDouble(flushed);
    text.Format("%#+13.14e", flushed);
}

void FlushDenormalFloat(float& value) {
    FlushDenormal<float, std::uint32_t>(value, 0x7F800000u, 0x007FFFFFu);
}

void FlushDenormalDouble(double& value) {
    FlushDenormal<double, std::uint64_t>(value, 0x7FF0000000000000ull, 0x000FFFFFFFFFFFFFull);
}

HRESULT HostLookupNameValues(const char* text, NameValueNode** list, DWORD id, int* count) {
    if (list != nullptr) {
        *list = nullptr;
    }
    if (count != nullptr) {
        *count = 0;
    }
    if (text == nullptr || *text == '\0') {
        return kInvalidParameter;
    }
    IHostServiceProvider* host = GetTargetHost();
    IHNameLookup* lookup = nullptr;
    const HRESULT found = host != nullptr
                              ? host->QueryService(IID_IHNameLookup, reinterpret_cast<void**>(&lookup))
                              : E_NOINTERFACE;
    if (FAILED(found) || lookup == nullptr) {
        return FAILED(found) ? found : E_NOINTERFACE;
    }
    CHostNameValueCollector collector(text, id);
    const HRESULT result = lookup->LookupNames(&collector);
    // Built from the last result to the first, so the list runs in result order.
    NameValueNode* head = nullptr;
    for (int index = collector.GetCount() - 1; index >= 0; --index) {
        const CString name = collector.GetName(index);
        auto* node = new NameValueNode{head, new char[static_cast<std::size_t>(name.GetLength()) + 1],
                                       collector.GetValue(index)};
        std::memcpy(node->name, static_cast<const char*>(name), static_cast<std::size_t>(name.GetLength()) + 1);
        head = node;
    }
    if (list != nullptr) {
        *list = head;
    } else {
        FreeValueList(head);
    }
    if (count != nullptr) {
        *count = collector.GetCount();
    }
    return result;
}

void FreeValueList(NameValueNode* list) {
    while (list != nullptr) {
        NameValueNode* next = list->next;
        delete[] list->name;
        delete list;
        list = next;
    }
}
