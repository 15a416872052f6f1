#include "hostui/host_expression_service.h"

#include "platform/bstr.h"

namespace {

VARIANT_BOOL ToVariantBool(BOOL value) {
    return value != 0 ? VARIANT_TRUE : VARIANT_FALSE;
}

// Runs an operation that answers a text, taking the text only on exactly S_OK.
template <typename Call>
HRESULT TextOut(CString& text, Call call) {
    platform::Bstr answer;
    const HRESULT result = call(answer.Out());
    if (result == S_OK) {
        text = answer.Ansi().c_str();
    }
    return result;
}

}  // namespace

CHostExpressionService::CHostExpressionService(IHostServiceProvider* host) {
    if (host == nullptr) {
        return;
    }
    IHExpressionEvaluator* evaluator = nullptr;
    if (SUCCEEDED(host->QueryService(IID_IHExpressionEvaluator, reinterpret_cast<void**>(&evaluator)))) {
        m_evaluator = evaluator;
    }
}

HRESULT CHostExpressionService::GetDefaultRadix(WORD* radix) {
    return m_evaluator != nullptr ? m_evaluator->GetDefaultRadix(radix) : E_FAIL;
}

HRESULT CHostExpressionService::SetDefaultRadix(DWORD radix) {
    return m_evaluator != nullptr ? m_evaluator->SetDefaultRadix(radix) : E_FAIL;
}

HRESULT CHostExpressionService::Evaluate32(const CString& text, DWORD* value, DWORD context) {
    if (m_evaluator == nullptr) {
        return E_FAIL;
    }
    platform::Bstr expression(text.Str());
    return m_evaluator->Evaluate(expression.Get(), context, value);
}

HRESULT CHostExpressionService::EvaluateSigned(const CString& text, LONG* value, DWORD context) {
    if (m_evaluator == nullptr) {
        return E_FAIL;
    }
    platform::Bstr expression(text.Str());
    return m_evaluator->EvaluateSigned(expression.Get(), context, value);
}

HRESULT CHostExpressionService::EvaluateWord(const CString& text, WORD* value, DWORD context) {
    if (m_evaluator == nullptr) {
        return E_FAIL;
    }
    platform::Bstr expression(text.Str());
    return m_evaluator->EvaluateWord(expression.Get(), context, value);
}

HRESULT CHostExpressionService::EvaluateByte(const CString& text, BYTE* value, DWORD context) {
    if (m_evaluator == nullptr) {
        return E_FAIL;
    }
    platform::Bstr expression(text.Str());
    return m_evaluator->EvaluateByte(expression.Get(), context, value);
}

HRESULT CHostExpressionService::Evaluate(const CString& text, ULONGLONG* value, const DWORD* context) {
    if (m_evaluator == nullptr) {
        return E_FAIL;  // the arguments take this as a text the host could not evaluate
    }
    platform::Bstr expression(text.Str());
    return m_evaluator->Evaluate64InContext(expression.Get(), context != nullptr ? *context : 0, value);
}

HRESULT CHostExpressionService::EvaluateSigned64(const CString& text, LONGLONG* value, DWORD context) {
    if (m_evaluator == nullptr) {
        return E_FAIL;
    }
    platform::Bstr expression(text.Str());
    return m_evaluator->EvaluateSigned64(expression.Get(), context, value);
}

HRESULT CHostExpressionService::EvaluateFloat(const CString& text, float* value, DWORD context) {
    if (m_evaluator == nullptr) {
        return E_FAIL;
    }
    platform::Bstr expression(text.Str());
    return m_evaluator->EvaluateFloat(expression.Get(), context, value);
}

HRESULT CHostExpressionService::EvaluateDouble(const CString& text, double* value, DWORD context) {
    if (m_evaluator == nullptr) {
        return E_FAIL;
    }
    platform::Bstr expression(text.Str());
    return m_evaluator->EvaluateDouble(expression.Get(), context, value);
}

HRESULT CHostExpressionService::EvaluateAddress(const CString& text, DWORD* value, DWORD context) {
    if (m_evaluator == nullptr) {
        return E_FAIL;
    }
    platform::Bstr expression(text.Str());
    return m_evaluator->EvaluateAddress(expression.Get(), context, value);
}

HRESULT CHostExpressionService::FormatValue(DWORD value, CString& text, BOOL flag, DWORD format) {
    if (m_evaluator == nullptr) {
        return E_FAIL;
    }
    // The host takes the format before the flag.
    return TextOut(text, [&](BSTR* out) { return m_evaluator->FormatValue(value, format, ToVariantBool(flag), out); });
}

HRESULT CHostExpressionService::FormatHex(DWORD value, CString& text, DWORD width) {
    return m_evaluator == nullptr ? E_FAIL
                                  : TextOut(text, [&](BSTR* out) { return m_evaluator->FormatHex(value, width, out); });
}

HRESULT CHostExpressionService::FormatDecimal(DWORD value, CString& text, DWORD width) {
    return m_evaluator == nullptr
               ? E_FAIL
               : TextOut(text, [&](BSTR* out) { return m_evaluator->FormatDecimal(value, width, out); });
}

HRESULT CHostExpressionService::FormatSigned(DWORD value, CString& text, DWORD width) {
    return m_evaluator == nullptr
               ? E_FAIL
               : TextOut(text, [&](BSTR* out) { return m_evaluator->FormatSigned(value, width, out); });
}

HRESULT CHostExpressionService::FormatHex64(ULONGLONG value, CString& text, DWORD width) {
    return m_evaluator == nullptr
               ? E_FAIL
               : TextOut(text, [&](BSTR* out) { return m_evaluator->FormatHex64(value, width, out); });
}

HRESULT CHostExpressionService::FormatOctal(DWORD value, CString& text, DWORD width) {
    return m_evaluator == nullptr
               ? E_FAIL
               : TextOut(text, [&](BSTR* out) { return m_evaluator->FormatOctal(value, width, out); });
}

HRESULT CHostExpressionService::FormatBinary(DWORD value, CString& text, DWORD width) {
    return m_evaluator == nullptr
               ? E_FAIL
               : TextOut(text, [&](BSTR* out) { return m_evaluator->FormatBinary(value, width, out); });
}

HRESULT CHostExpressionService::FormatCharacter(DWORD value, CString& text, DWORD width) {
    return m_evaluator == nullptr
               ? E_FAIL
               : TextOut(text, [&](BSTR* out) { return m_evaluator->FormatCharacter(value, width, out); });
}

HRESULT CHostExpressionService::FormatDecimal64(ULONGLONG value, CString& text, DWORD width) {
    return m_evaluator == nullptr
               ? E_FAIL
               : TextOut(text, [&](BSTR* out) { return m_evaluator->FormatDecimal64(value, width, out); });
}

HRESULT CHostExpressionService::TextToFloat(const CString& text, float* value) {
    if (m_evaluator == nullptr) {
        return E_FAIL;
    }
    platform::Bstr expression(text.Str());
    return m_evaluator->TextToFloat(expression.Get(), value);
}

HRESULT CHostExpressionService::TextToDouble(const CString& text, double* value) {
    if (m_evaluator == nullptr) {
        return E_FAIL;
    }
    platform::Bstr expression(text.Str());
    return m_evaluator->TextToDouble(expression.Get(), value);
}

HRESULT CHostExpressionService::FloatToText(float value, CString& text, DWORD radix) {
    return m_evaluator == nullptr
               ? E_FAIL
               : TextOut(text, [&](BSTR* out) { return m_evaluator->FloatToText(value, radix, out); });
}

HRESULT CHostExpressionService::DoubleToText(double value, CString& text, DWORD radix) {
    return m_evaluator == nullptr
               ? E_FAIL
               : TextOut(text, [&](BSTR* out) { return m_evaluator->DoubleToText(value, radix, out); });
}

HRESULT CHostExpressionService::FormatAddress(DWORD address, CString& text, BOOL first, BOOL second, BOOL third) {
    if (m_evaluator == nullptr) {
        return E_FAIL;
    }
    return TextOut(text, [&](BSTR* out) {
        return m_evaluator->FormatAddress(address, ToVariantBool(first), ToVariantBool(second), ToVariantBool(third),
                                          out);
    });
}

HRESULT CHostExpressionService::GetErrorText(HRESULT code, CString& text) {
    if (m_evaluator == nullptr) {
        return E_FAIL;
    }
    IHErrorReporter* reporter = nullptr;
    if (FAILED(m_evaluator->QueryInterface(IID_IHErrorReporter, reinterpret_cast<void**>(&reporter))) ||
        reporter == nullptr) {
        return E_FAIL;
    }
    platform::Bstr answer;
    const HRESULT result = reporter->GetErrorText(code, answer.Out());
    text = answer.Ansi().c_str();  // whatever the result: a text never set reads empty
    return result;
}
