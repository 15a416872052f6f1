// The host expression wrapper's text-returning methods and its error-text
// method against the simulated host's expression service: the texts it
// takes, the arguments it passes, and the texts it leaves alone when the
// host answers S_FALSE, fails, or offers no interface.
#include "hostui/host_expression_service.h"

#include "platform/bstr.h"
#include "platform/host/ids.h"
#include "sim/host/sim_host.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr HRESULT kInvalidExpression = static_cast<HRESULT>(0x80040905u);

// The simulated host's evaluator, answering every text-returning operation
// with a result of the test's choosing after it has written its text, and
// noting the arguments that the wrapper reorders or converts.
class AnsweringEvaluator : public simhost::ExpressionEvaluator {
public:
    using ExpressionEvaluator::ExpressionEvaluator;

    HRESULT answer = S_OK;
    std::vector<std::string> arguments;

    HRESULT STDMETHODCALLTYPE FormatValue(DWORD value, DWORD format, VARIANT_BOOL flag, BSTR* text) override {
        arguments.push_back("format " + std::to_string(format) + " flag " + std::to_string(flag));
        return Answer(ExpressionEvaluator::FormatValue(value, format, flag, text));
    }
    HRESULT STDMETHODCALLTYPE FormatHex(DWORD value, DWORD width, BSTR* text) override {
        return Answer(ExpressionEvaluator::FormatHex(value, width, text));
    }
    HRESULT STDMETHODCALLTYPE FormatDecimal(DWORD value, DWORD width, BSTR* text) override {
        return Answer(ExpressionEvaluator::FormatDecimal(value, width, text));
    }
    HRESULT STDMETHODCALLTYPE FormatSigned(DWORD value, DWORD width, BSTR* text) override {
        return Answer(ExpressionEvaluator::FormatSigned(value, width, text));
    }
    HRESULT STDMETHODCALLTYPE FormatHex64(ULONGLONG value, DWORD width, BSTR* text) override {
        return Answer(ExpressionEvaluator::FormatHex64(value, width, text));
    }
    HRESULT STDMETHODCALLTYPE FormatOctal(DWORD value, DWORD width, BSTR* text) override {
        return Answer(ExpressionEvaluator::FormatOctal(value, width, text));
    }
    HRESULT STDMETHODCALLTYPE FormatBinary(DWORD value, DWORD width, BSTR* text) override {
        return Answer(ExpressionEvaluator::FormatBinary(value, width, text));
    }
    HRESULT STDMETHODCALLTYPE FormatCharacter(DWORD value, DWORD width, BSTR* text) override {
        return Answer(ExpressionEvaluator::FormatCharacter(value, width, text));
    }
    HRESULT STDMETHODCALLTYPE FormatDecimal64(ULONGLONG value, DWORD width, BSTR* text) override {
        return Answer(ExpressionEvaluator::FormatDecimal64(value, width, text));
    }
    HRESULT STDMETHODCALLTYPE FloatToText(float value, DWORD radix, BSTR* text) override {
        return Answer(ExpressionEvaluator::FloatToText(value, radix, text));
    }
    HRESULT STDMETHODCALLTYPE DoubleToText(double value, DWORD radix, BSTR* text) override {
        return Answer(ExpressionEvaluator::DoubleToText(value, radix, text));
    }
    HRESULT STDMETHODCALLTYPE FormatAddress(DWORD address, VARIANT_BOOL first, VARIANT_BOOL second,
                                            VARIANT_BOOL third, BSTR* text) override {
        arguments.push_back("flags " + std::to_string(first) + " " + std::to_string(second) + " " +
                            std::to_string(third));
        return Answer(ExpressionEvaluator::FormatAddress(address, first, second, third, text));
    }

private:
    HRESULT Answer(HRESULT written) const { return SUCCEEDED(written) ? answer : written; }
};

// The evaluator's error reporter as the test wants it: absent, or failing
// without a text.
class ReporterEvaluator : public simhost::ExpressionEvaluator {
public:
    using ExpressionEvaluator::ExpressionEvaluator;

    bool offersReporter = true;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!offersReporter && iid == IID_IHErrorReporter) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        return ExpressionEvaluator::QueryInterface(iid, object);
    }
    HRESULT STDMETHODCALLTYPE GetErrorText(HRESULT, BSTR*) override { return E_FAIL; }
};

struct TextMethod {
    const char* name;
    std::function<HRESULT(CHostExpressionService&, CString&)> call;
    const char* text;  // the simulated host's answer
};

const std::vector<TextMethod>& TextMethods() {
    static const std::vector<TextMethod> methods = {
        {"23 FormatValue", [](auto& s, CString& t) { return s.FormatValue(0x12, t, TRUE, 3); }, "0x00000012"},
        {"25 FormatHex", [](auto& s, CString& t) { return s.FormatHex(0xC010, t, 6); }, "00C010"},
        {"26 FormatDecimal", [](auto& s, CString& t) { return s.FormatDecimal(42, t, 4); }, "  42"},
        {"27 FormatSigned", [](auto& s, CString& t) { return s.FormatSigned(0xFFFFFFFF, t, 0); }, "-1"},
        {"28 FormatHex64", [](auto& s, CString& t) { return s.FormatHex64(0x123456789ULL, t, 10); }, "0123456789"},
        {"29 FormatOctal", [](auto& s, CString& t) { return s.FormatOctal(8, t, 3); }, "010"},
        {"30 FormatBinary", [](auto& s, CString& t) { return s.FormatBinary(5, t, 4); }, "0101"},
        {"31 FormatCharacter", [](auto& s, CString& t) { return s.FormatCharacter('A', t, 0); }, "A"},
        {"32 FormatDecimal64", [](auto& s, CString& t) { return s.FormatDecimal64(12345678901ULL, t, 0); },
         "12345678901"},
        {"35 FloatToText", [](auto& s, CString& t) { return s.FloatToText(1.5f, t, 10); }, "1.5"},
        {"36 DoubleToText", [](auto& s, CString& t) { return s.DoubleToText(0.25, t, 10); }, "0.25"},
        {"37 FormatAddress", [](auto& s, CString& t) { return s.FormatAddress(0xC010, t, 5, 0, 1); }, "main"},
    };
    return methods;
}

class HostExpressionService : public ::testing::Test {
protected:
    HostExpressionService() { host.Evaluator().DefineSymbol("main", 0xC010); }

    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
};

TEST_F(HostExpressionService, TextMethodsTakeTheHostsTextOnSuccess) {
    CHostExpressionService service(&host);
    ASSERT_TRUE(service.IsUsable());
    for (const TextMethod& method : TextMethods()) {
        CString text = "old";
        EXPECT_EQ(method.call(service, text), S_OK) << method.name;
        EXPECT_EQ(text.Str(), method.text) << method.name;
    }
}

// Only exactly S_OK gives a text: S_FALSE and a failure come back unchanged
// and leave the caller's text as it was, though the host wrote one.
TEST_F(HostExpressionService, TextMethodsKeepTheCallersTextUnlessTheHostAnswersExactlyOk) {
    AnsweringEvaluator evaluator(log);
    evaluator.DefineSymbol("main", 0xC010);
    host.OfferService(IID_IHExpressionEvaluator, static_cast<IHExpressionEvaluator*>(&evaluator));
    CHostExpressionService service(&host);
    for (const HRESULT answer : {S_FALSE, kInvalidExpression}) {
        evaluator.answer = answer;
        for (const TextMethod& method : TextMethods()) {
            CString text = "old";
            EXPECT_EQ(method.call(service, text), answer) << method.name;
            EXPECT_EQ(text.Str(), "old") << method.name;
        }
    }
}

TEST_F(HostExpressionService, FlagsCrossAsVariantBoolsAndTheFormatComesBeforeTheFlag) {
    AnsweringEvaluator evaluator(log);
    host.OfferService(IID_IHExpressionEvaluator, static_cast<IHExpressionEvaluator*>(&evaluator));
    CHostExpressionService service(&host);
    CString text;
    ASSERT_EQ(service.FormatAddress(0xC010, text, 5, 0, 1), S_OK);
    ASSERT_EQ(service.FormatAddress(0xC010, text, 0, -1, 0), S_OK);
    ASSERT_EQ(service.FormatValue(0x12, text, 7, 3), S_OK);
    ASSERT_EQ(service.FormatValue(0x12, text, 0, 4), S_OK);
    EXPECT_EQ(evaluator.arguments, (std::vector<std::string>{"flags -1 0 -1", "flags 0 -1 0", "format 3 flag -1",
                                                             "format 4 flag 0"}));
    EXPECT_EQ(text.Str(), "0x00000012");
}

TEST_F(HostExpressionService, WithoutTheInterfaceEveryTextMethodFailsAndChangesNothing) {
    host.OfferService(IID_IHExpressionEvaluator, nullptr);
    CHostExpressionService service(&host);
    EXPECT_FALSE(service.IsUsable());
    for (const TextMethod& method : TextMethods()) {
        CString text = "old";
        EXPECT_EQ(method.call(service, text), E_FAIL) << method.name;
        EXPECT_EQ(text.Str(), "old") << method.name;
    }
    CString text = "old";
    EXPECT_EQ(service.GetErrorText(kInvalidExpression, text), E_FAIL);
    EXPECT_EQ(text.Str(), "old");
}

TEST_F(HostExpressionService, TheErrorTextComesFromTheEvaluatorsOwnReporter) {
    CHostExpressionService service(&host);
    CString text = "old";
    EXPECT_EQ(service.GetErrorText(kInvalidExpression, text), S_OK);
    EXPECT_EQ(text.Str(), "Invalid expression");
    EXPECT_EQ(service.GetErrorText(E_FAIL, text), S_OK);
    EXPECT_EQ(text.Str(), "Unknown Error");

    ReporterEvaluator evaluator(log);
    host.OfferService(IID_IHExpressionEvaluator, static_cast<IHExpressionEvaluator*>(&evaluator));
    CHostExpressionService failing(&host);
    // A reporter that fails without a text: the caller's text becomes empty.
    text = "old";
    EXPECT_EQ(failing.GetErrorText(kInvalidExpression, text), E_FAIL);
    EXPECT_EQ(text.Str(), "");
    // No reporter at all: E_FAIL, and the text is not touched.
    evaluator.offersReporter = false;
    text = "old";
    EXPECT_EQ(failing.GetErrorText(kInvalidExpression, text), E_FAIL);
    EXPECT_EQ(text.Str(), "old");
}

}  // namespace
