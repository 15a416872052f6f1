// The simulated host's expression evaluator: numbers (decimal, "0x" hex,
// trailing "h" hex, and the radix prefixes B', O', D', H' that the plug-in
// writes), symbols that tests define, and sums and differences of them. Everything the plug-in asks of the host's expression syntax goes here.
#pragma once

#include "platform/host/expression_interfaces.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace simhost {

class CallLog;

class ExpressionEvaluator : public IHExpressionEvaluator, public IHErrorReporter {
public:
    explicit ExpressionEvaluator(CallLog& log) : log_(log) {}
    virtual ~ExpressionEvaluator() = default;

    void DefineSymbol(const std::string& name, std::uint64_t value);
    // The value of an expression, or nothing when it is not one. Numbers
    // without a radix mark are read in the given radix.
    std::optional<std::uint64_t> Parse(const std::string& text, int radix = 10) const;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }

    HRESULT STDMETHODCALLTYPE GetDefaultRadix(WORD* radix) override;
    HRESULT STDMETHODCALLTYPE SetDefaultRadix(DWORD radix) override;
    HRESULT STDMETHODCALLTYPE EvaluateValue(BSTR text, DWORD* value) override;
    HRESULT STDMETHODCALLTYPE Evaluate(BSTR text, DWORD radix, DWORD* value) override;
    HRESULT STDMETHODCALLTYPE Placeholder7() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EvaluateSigned(BSTR text, DWORD context, LONG* value) override;
    HRESULT STDMETHODCALLTYPE Placeholder9() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EvaluateWord(BSTR text, DWORD context, WORD* value) override;
    HRESULT STDMETHODCALLTYPE Placeholder11() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EvaluateByte(BSTR text, DWORD context, BYTE* value) override;
    HRESULT STDMETHODCALLTYPE Evaluate64(BSTR text, ULONGLONG* value) override;
    HRESULT STDMETHODCALLTYPE Evaluate64InContext(BSTR text, DWORD context, ULONGLONG* value) override;
    HRESULT STDMETHODCALLTYPE Placeholder15() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EvaluateSigned64(BSTR text, DWORD context, LONGLONG* value) override;
    HRESULT STDMETHODCALLTYPE Placeholder17() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EvaluateFloat(BSTR text, DWORD context, float* value) override;
    HRESULT STDMETHODCALLTYPE Placeholder19() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EvaluateDouble(BSTR text, DWORD context, double* value) override;
    HRESULT STDMETHODCALLTYPE Placeholder21() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EvaluateAddress(BSTR text, DWORD context, DWORD* value) override;
    HRESULT STDMETHODCALLTYPE FormatValue(DWORD value, DWORD format, VARIANT_BOOL flag, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE Placeholder24() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FormatHex(DWORD value, DWORD width, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE FormatDecimal(DWORD value, DWORD width, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE FormatSigned(DWORD value, DWORD width, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE FormatHex64(ULONGLONG value, DWORD width, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE FormatOctal(DWORD value, DWORD width, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE FormatBinary(DWORD value, DWORD width, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE FormatCharacter(DWORD value, DWORD width, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE FormatDecimal64(ULONGLONG value, DWORD width, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE TextToFloat(BSTR text, float* value) override;
    HRESULT STDMETHODCALLTYPE TextToDouble(BSTR text, double* value) override;
    HRESULT STDMETHODCALLTYPE FloatToText(float value, DWORD radix, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE DoubleToText(double value, DWORD radix, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE FormatAddress(DWORD address, VARIANT_BOOL first, VARIANT_BOOL second,
                                            VARIANT_BOOL third, BSTR* text) override;
    // IHErrorReporter: the evaluator's own error texts.
    HRESULT STDMETHODCALLTYPE GetErrorText(HRESULT code, BSTR* text) override;

private:
    template <typename Value>
    HRESULT EvaluateInto(const char* operation, BSTR text, Value* value, int radix = 10);
    HRESULT Text(BSTR* out, const std::string& text);

    CallLog& log_;
    mutable std::mutex mutex_;
    std::map<std::string, std::uint64_t> symbols_;
    WORD radix_ = 16;
};

}  // namespace simhost
