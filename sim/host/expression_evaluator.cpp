#include "sim/host/expression_evaluator.h"

#include "sim/host/sim_host.h"

#include "platform/bstr.h"
#include "platform/format.h"

#include <cctype>
#include <cstdlib>

namespace simhost {
namespace {

constexpr HRESULT kInvalidExpression = static_cast<HRESULT>(0x80040905u);

std::string Trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<std::uint64_t> ParseNumber(const std::string& term, int radix) {
    std::string digits = term;
    int base = radix;
    if (digits.size() > 2 && digits[1] == '\'') {
        // The radix prefixes of the plug-in's number texts: B', O', D', H'.
        switch (std::toupper(static_cast<unsigned char>(digits[0]))) {
        case 'B':
            base = 2;
            break;
        case 'O':
            base = 8;
            break;
        case 'D':
            base = 10;
            break;
        case 'H':
            base = 16;
            break;
        default:
            return std::nullopt;
        }
        digits = digits.substr(2);
    } else if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits = digits.substr(2);
        base = 16;
    } else if (digits.size() > 1 && (digits.back() == 'h' || digits.back() == 'H')) {
        digits.pop_back();
        base = 16;
    }
    if (digits.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : digits) {
        int digit;
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digit = c - '0';
        } else if (std::isxdigit(static_cast<unsigned char>(c))) {
            digit = std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
        } else {
            return std::nullopt;
        }
        if (digit >= base) {
            return std::nullopt;
        }
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    }
    return value;
}

}  // namespace

void ExpressionEvaluator::DefineSymbol(const std::string& name, std::uint64_t value) {
    std::lock_guard lock(mutex_);
    symbols_[name] = value;
}

std::optional<std::uint64_t> ExpressionEvaluator::Parse(const std::string& text, int radix) const {
    const std::string expression = Trim(text);
    if (expression.empty()) {
        return std::nullopt;
    }
    std::uint64_t total = 0;
    std::size_t position = 0;
    bool negate = false;
    if (expression[0] == '-' || expression[0] == '+') {
        negate = expression[0] == '-';
        position = 1;
    }
    while (true) {
        const std::size_t end = expression.find_first_of("+-", position);
        const std::string term = Trim(expression.substr(position, end - position));
        std::optional<std::uint64_t> value = ParseNumber(term, radix);
        if (!value) {
            std::lock_guard lock(mutex_);
            const auto symbol = symbols_.find(term);
            if (symbol == symbols_.end()) {
                return std::nullopt;
            }
            value = symbol->second;
        }
        total = negate ? total - *value : total + *value;
        if (end == std::string::npos) {
            return total;
        }
        negate = expression[end] == '-';
        position = end + 1;
    }
}

template <typename Value>
HRESULT ExpressionEvaluator::EvaluateInto(const char* operation, BSTR text, Value* value, int radix) {
    const std::string expression = platform::BstrToAnsi(text);
    log_.Add(operation, expression);
    const auto parsed = Parse(expression, radix);
    if (!parsed) {
        return kInvalidExpression;
    }
    if (value != nullptr) {
        *value = static_cast<Value>(*parsed);
    }
    return S_OK;
}

HRESULT ExpressionEvaluator::Text(BSTR* out, const std::string& text) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = platform::AllocBstr(text);
    return S_OK;
}

HRESULT ExpressionEvaluator::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IHExpressionEvaluator) {
        *object = static_cast<IHExpressionEvaluator*>(this);
        return S_OK;
    }
    if (iid == IID_IHErrorReporter) {
        *object = static_cast<IHErrorReporter*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT ExpressionEvaluator::GetDefaultRadix(WORD* radix) {
    if (radix == nullptr) {
        return E_POINTER;
    }
    *radix = radix_;
    return S_OK;
}

HRESULT ExpressionEvaluator::SetDefaultRadix(DWORD radix) {
    radix_ = static_cast<WORD>(radix);
    return S_OK;
}

HRESULT ExpressionEvaluator::EvaluateValue(BSTR text, DWORD* value) {
    return EvaluateInto("EvaluateValue", text, value);
}

HRESULT ExpressionEvaluator::Evaluate(BSTR text, DWORD radix, DWORD* value) {
    const bool known = radix == 2 || radix == 8 || radix == 10 || radix == 16;
    return EvaluateInto("Evaluate", text, value, known ? static_cast<int>(radix) : 10);
}

HRESULT ExpressionEvaluator::EvaluateSigned(BSTR text, DWORD, LONG* value) {
    return EvaluateInto("EvaluateSigned", text, value);
}

HRESULT ExpressionEvaluator::EvaluateWord(BSTR text, DWORD, WORD* value) {
    return EvaluateInto("EvaluateWord", text, value);
}

HRESULT ExpressionEvaluator::EvaluateByte(BSTR text, DWORD, BYTE* value) {
    return EvaluateInto("EvaluateByte", text, value);
}

// The command window's arguments: numbers without a radix mark are read in
// the host's default radix, as a person types them there.
HRESULT ExpressionEvaluator::Evaluate64(BSTR text, ULONGLONG* value) {
    return EvaluateInto("Evaluate64", text, value, radix_);
}

HRESULT ExpressionEvaluator::Evaluate64InContext(BSTR text, DWORD, ULONGLONG* value) {
    return EvaluateInto("Evaluate64InContext", text, value, radix_);
}

HRESULT ExpressionEvaluator::EvaluateSigned64(BSTR text, DWORD, LONGLONG* value) {
    return EvaluateInto("EvaluateSigned64", text, value);
}

HRESULT ExpressionEvaluator::EvaluateFloat(BSTR text, DWORD, float* value) {
    return TextToFloat(text, value);
}

HRESULT ExpressionEvaluator::EvaluateDouble(BSTR text, DWORD, double* value) {
    return TextToDouble(text, value);
}

HRESULT ExpressionEvaluator::EvaluateAddress(BSTR text, DWORD, DWORD* value) {
    return EvaluateInto("EvaluateAddress", text, value);
}

HRESULT ExpressionEvaluator::FormatValue(DWORD value, DWORD, VARIANT_BOOL, BSTR* text) {
    return Text(text, platform::Format("0x%08X", value));
}

HRESULT ExpressionEvaluator::FormatHex(DWORD value, DWORD width, BSTR* text) {
    return Text(text, platform::Format("%0*X", static_cast<int>(width), value));
}

HRESULT ExpressionEvaluator::FormatDecimal(DWORD value, DWORD width, BSTR* text) {
    return Text(text, platform::Format("%*u", static_cast<int>(width), value));
}

HRESULT ExpressionEvaluator::FormatSigned(DWORD value, DWORD width, BSTR* text) {
    return Text(text, platform::Format("%*d", static_cast<int>(width), static_cast<int>(value)));
}

HRESULT ExpressionEvaluator::FormatHex64(ULONGLONG value, DWORD width, BSTR* text) {
    return Text(text, platform::Format("%0*I64X", static_cast<int>(width), value));
}

HRESULT ExpressionEvaluator::FormatOctal(DWORD value, DWORD width, BSTR* text) {
    return Text(text, platform::Format("%0*o", static_cast<int>(width), value));
}

HRESULT ExpressionEvaluator::FormatBinary(DWORD value, DWORD width, BSTR* text) {
    std::string digits;
    for (int bit = 31; bit >= 0; --bit) {
        if (!digits.empty() || ((value >> bit) & 1u) != 0 || bit < static_cast<int>(width)) {
            digits += ((value >> bit) & 1u) != 0 ? '1' : '0';
        }
    }
    return Text(text, digits.empty() ? "0" : digits);
}

HRESULT ExpressionEvaluator::FormatCharacter(DWORD value, DWORD, BSTR* text) {
    const char c = static_cast<char>(value);
    return Text(text, std::isprint(static_cast<unsigned char>(c)) ? std::string(1, c) : std::string("."));
}

HRESULT ExpressionEvaluator::FormatDecimal64(ULONGLONG value, DWORD width, BSTR* text) {
    return Text(text, platform::Format("%*I64u", static_cast<int>(width), value));
}

HRESULT ExpressionEvaluator::TextToFloat(BSTR text, float* value) {
    double converted = 0;
    const HRESULT result = TextToDouble(text, &converted);
    if (SUCCEEDED(result) && value != nullptr) {
        *value = static_cast<float>(converted);
    }
    return result;
}

HRESULT ExpressionEvaluator::TextToDouble(BSTR text, double* value) {
    const std::string expression = Trim(platform::BstrToAnsi(text));
    log_.Add("TextToDouble", expression);
    char* end = nullptr;
    const double converted = std::strtod(expression.c_str(), &end);
    if (expression.empty() || end == nullptr || *end != '\0') {
        return kInvalidExpression;
    }
    if (value != nullptr) {
        *value = converted;
    }
    return S_OK;
}

HRESULT ExpressionEvaluator::FloatToText(float value, DWORD, BSTR* text) {
    return Text(text, platform::Format("%.9g", static_cast<double>(value)));
}

HRESULT ExpressionEvaluator::DoubleToText(double value, DWORD, BSTR* text) {
    return Text(text, platform::Format("%.17g", value));
}

HRESULT ExpressionEvaluator::FormatAddress(DWORD address, VARIANT_BOOL, VARIANT_BOOL, VARIANT_BOOL, BSTR* text) {
    std::lock_guard lock(mutex_);
    for (const auto& [name, value] : symbols_) {
        if (value == address) {
            return Text(text, name);
        }
    }
    return Text(text, platform::Format("0x%08X", address));
}

HRESULT ExpressionEvaluator::GetErrorText(HRESULT code, BSTR* text) {
    return Text(text, code == kInvalidExpression ? "Invalid expression" : "Unknown Error");
}

}  // namespace simhost
