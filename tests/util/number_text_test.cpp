#include "frame/number_text.h"

#include "frame/target_handler.h"
#include "sim/host/expression_evaluator.h"
#include "sim/host/sim_host.h"
#include "target/target_vk3.h"
#include "tests/support/cfg_in_target.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>

namespace {

using testsupport::CfgHandlerInTarget;
using testsupport::RoundingCfg;

struct Case {
    const char* text;
    WORD radix;
    DWORD minimum;
    DWORD maximum;
    DWORD signedFlag;
    bool valid;
    DWORD value;
    const char* workingText;  // checked when the text is invalid
};

TEST(NumberText, ReadsPrefixesSignsAndDefaultRadixes) {
    const Case cases[] = {
        {"  h'ff", 0, 0, 255, 0, true, 255, ""},
        {"H'100", 0, 0, 0xFF, 0, false, 0, "100"},
        {"-H'1", 0, 0, 0xFFFFFFFF, 0, true, 0xFFFFFFFF, ""},
        {"-H'1", 0, static_cast<DWORD>(-1), 0, 1, true, static_cast<DWORD>(-1), ""},
        {"D'-5", 0, 0, 0xFFFFFFFF, 0, true, 0xFFFFFFFB, ""},
        {"-D'-5", 0, 0, 0xFFFFFFFF, 0, false, 0, "-5"},
        {"12", 10, 0, 100, 0, true, 12, ""},
        {"12", 0, 0, 100, 0, true, 18, ""},
        {"12", 16, 0, 100, 0, true, 18, ""},
        {"B'101", 0, 0, 100, 0, true, 5, ""},
        {"B'-101", 0, static_cast<DWORD>(-5), 0, 1, true, static_cast<DWORD>(-5), ""},
        {"H'+FF", 0, 0, 0xFFFF, 0, true, 0xFF, ""},
        {"-H'12345678", 0, 0, 0xFFFFFFFF, 0, true, 0u - 0x12345678u, ""},
        {"H'123456789", 0, 0, 0xFFFFFFFF, 0, false, 0, "123456789"},
        {"H'1*", 0, 0, 0xFFFFFFFF, 0, false, 0, "1*"},
        {"O'17", 8, 0, 0xFFFFFFFF, 0, false, 0, "O'17"},
        {"17", 8, 0, 0xFFFFFFFF, 0, true, 15, ""},
        {"12 ", 10, 0, 100, 0, false, 0, "12 "},
        {"", 10, 0, 100, 0, false, 0, ""},
        {"-12", 10, static_cast<DWORD>(-20), 0, 1, true, static_cast<DWORD>(-12), ""},
        {"+12", 10, 0, 100, 0, false, 0, "+12"},  // no sign handling in plain decimal
        {"D'1-2", 0, 0, 100, 0, false, 0, "1-2"},  // a sign only in front
        {"D'-", 0, 0, 100, 0, false, 0, "-"},      // signs without digits
        {"D'+-5", 0, 0, 100, 1, false, 0, "+-5"},
        {"D'+7", 0, 0, 100, 1, true, 7, ""},
        {"d'4294967295", 0, 0, 0xFFFFFFFF, 0, true, 0xFFFFFFFF, ""},
        {"D'12345678901", 0, 0, 0xFFFFFFFF, 0, false, 0, "12345678901"},
        {"xyz", 16, 0, 0xFFFFFFFF, 0, false, 0, "XYZ"},
    };
    for (const Case& c : cases) {
        const NumberTextReading reading = ReadNumberText(c.text, c.minimum, c.maximum, c.signedFlag, c.radix);
        EXPECT_EQ(reading.valid, c.valid) << c.text << " radix " << c.radix;
        if (c.valid) {
            EXPECT_EQ(reading.value, c.value) << c.text;
        } else {
            EXPECT_EQ(reading.workingText, c.workingText) << c.text;
        }
    }
}

TEST(NumberText, BinaryDigitLimits) {
    const CString thirtyTwo = "B'" + CString('1', 32);
    const CString thirtyThree = "B'" + CString('1', 33);
    EXPECT_TRUE(ReadNumberText(thirtyTwo, 0, 0xFFFFFFFF, 0, 0).valid);
    EXPECT_EQ(ReadNumberText(thirtyTwo, 0, 0xFFFFFFFF, 0, 0).value, 0xFFFFFFFFu);
    EXPECT_FALSE(ReadNumberText(thirtyThree, 0, 0xFFFFFFFF, 0, 0).valid);
}

TEST(NumberText, IdCodesAreFourteenHexadecimalDigits) {
    const IdCodeReading plain = ReadIdCodeText("0123456789abcd");
    ASSERT_TRUE(plain.valid);
    EXPECT_EQ(plain.high, 0x012345u);
    EXPECT_EQ(plain.low, 0x6789ABCDu);
    const IdCodeReading prefixed = ReadIdCodeText(" H'0123456789ABCD");
    ASSERT_TRUE(prefixed.valid);
    EXPECT_EQ(prefixed.high, plain.high);
    EXPECT_EQ(prefixed.low, plain.low);
    for (const char* bad : {"0123456789ABC", "0123456789ABCDE", "0123456789ABC*", "-0123456789ABCD", "0123456789ABCG"}) {
        EXPECT_FALSE(ReadIdCodeText(bad).valid) << bad;
    }
}

TEST(NumberText, FormattingPadsAndSigns) {
    CString text;
    FormatNumberText(0x1F, text, 16, 8);
    EXPECT_EQ(text, "0000001F");
    FormatNumberText(0x1F, text, 16, 0);
    EXPECT_EQ(text, "1F");
    FormatNumberText(static_cast<DWORD>(-5), text, 10, 4);
    EXPECT_EQ(text, "00-5");
    FormatNumberText(static_cast<DWORD>(-5), text, 16, 0);
    EXPECT_EQ(text, "FFFFFFFB");
    FormatNumberText(5, text, 2, 8);
    EXPECT_EQ(text, "00000101");
}

TEST(NumberText, RangesOverlapWhenTheyShareAnAddress) {
    EXPECT_TRUE(RangesOverlap(0, 9, 9, 20));
    EXPECT_FALSE(RangesOverlap(0, 9, 10, 20));
    EXPECT_TRUE(RangesOverlap(5, 5, 0, 0xFFFFFFFF));
}

class HostEvaluation : public ::testing::Test {
protected:
    void SetUp() override {
        host.Evaluator().DefineSymbol("main", 0x1234);
        GetTarget()->Attach(&host, 1);
    }
    void TearDown() override { GetTarget()->Detach(1); }
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
};

TEST_F(HostEvaluation, TextsGoToTheHostsEvaluator) {
    DWORD value = 0;
    EXPECT_EQ(HostEvaluateExpression(&value, "  main + 2 ", 16), S_OK);
    EXPECT_EQ(value, 0x1236u);
    EXPECT_TRUE(EvaluateAddressExpression("0x10", &value, 0));
    EXPECT_EQ(value, 0x10u);
    value = 77;
    EXPECT_EQ(HostEvaluateExpression(&value, "   ", 16), static_cast<HRESULT>(0x80040902u));
    EXPECT_FALSE(EvaluateAddressExpression("no_such_symbol", &value, 16));
    EXPECT_EQ(value, 77u);
    double number = 0;
    EXPECT_TRUE(HostEvaluateDouble("2.5", &number));
    EXPECT_DOUBLE_EQ(number, 2.5);
    float small = 0;
    EXPECT_FALSE(HostEvaluateFloat(" ", &small));
}

TEST_F(HostEvaluation, NameLookupsComeBackInResultOrder) {
    host.Names().DefineName("main_loop", 0x100);
    host.Names().DefineName("main", 0x80);
    host.Names().DefineName("other", 0x200);
    NameValueNode* list = nullptr;
    int count = 0;
    EXPECT_EQ(HostLookupNameValues("main", &list, 7, &count), S_OK);
    ASSERT_EQ(count, 2);
    ASSERT_NE(list, nullptr);
    EXPECT_STREQ(list->name, "main_loop");
    EXPECT_EQ(list->value, 0x100u);
    ASSERT_NE(list->next, nullptr);
    EXPECT_STREQ(list->next->name, "main");
    EXPECT_EQ(list->next->next, nullptr);
    FreeValueList(list);

    host.Names().DefineName("main", 0x90);  // a name defined twice is found twice
    EXPECT_EQ(HostLookupNameValues("main", &list, 7, &count), S_OK);
    EXPECT_EQ(count, 3);
    FreeValueList(list);
    EXPECT_EQ(HostLookupNameValues("H'C010", &list, 7, &count), static_cast<HRESULT>(0x80043040u))
        << "no name matches: \"Function name not found\"";
    EXPECT_EQ(count, 0);
    EXPECT_EQ(list, nullptr);
}

TEST_F(HostEvaluation, WithoutTheEvaluatorNothingIsEvaluated) {
    host.OfferService(IID_IHExpressionEvaluator, nullptr);
    DWORD value = 5;
    EXPECT_EQ(HostEvaluateExpression(&value, "1", 16), E_NOINTERFACE);
    EXPECT_EQ(value, 5u);
    NameValueNode* list = reinterpret_cast<NameValueNode*>(&value);
    int count = 3;
    EXPECT_EQ(HostLookupNameValues("", &list, 0, &count), static_cast<HRESULT>(0x80042019u));
    EXPECT_EQ(list, nullptr);
    EXPECT_EQ(count, 0);
    host.OfferService(IID_IHNameLookup, nullptr);
    EXPECT_EQ(HostLookupNameValues("main", &list, 0, &count), E_NOINTERFACE);
    EXPECT_EQ(list, nullptr);
}

// --- floating-point texts --------------------------------------------------------

// An evaluator that turns no value into text.
class MuteEvaluator : public simhost::ExpressionEvaluator {
public:
    using ExpressionEvaluator::ExpressionEvaluator;
    HRESULT STDMETHODCALLTYPE FloatToText(float, DWORD, BSTR*) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE DoubleToText(double, DWORD, BSTR*) override { return E_FAIL; }
};

const float kFloatDenormal = 1e-40f;
const double kDoubleDenormal = std::numeric_limits<double>::denorm_min();

TEST(FloatTexts, WithoutTheHostValuesArePrintedWithSignPointAndFixedDigits) {
    CString text;
    FormatFloatText(text, 1.5f);
    EXPECT_EQ(text, "+1.500000e+00");
    FormatFloatText(text, -0.0f);
    EXPECT_EQ(text, "-0.000000e+00");
    FormatFloatText(text, kFloatDenormal);  // no handler: nothing is flushed
    EXPECT_EQ(text, "+9.999946e-41");
    FormatDoubleText(text, 1.0 / 3.0);
    EXPECT_EQ(text, "+3.33333333333333e-01");
    FormatDoubleText(text, kDoubleDenormal);
    EXPECT_EQ(text, "+4.94065645841247e-324");
}

TEST(FloatTexts, TheConfigurationHandlersFlagFlushesDenormalsToASignedZero) {
    struct Case {
        float value;
        float flushed;
    };
    const Case floats[] = {
        {kFloatDenormal, 0.0f},  {-kFloatDenormal, -0.0f}, {FLT_TRUE_MIN, 0.0f},
        {FLT_MIN, FLT_MIN},      {1.5f, 1.5f},             {-0.0f, -0.0f},
    };
    RoundingCfg flushing(1);
    const CfgHandlerInTarget installed(&flushing);
    for (const Case& c : floats) {
        float value = c.value;
        FlushDenormalFloat(value);
        EXPECT_EQ(value, c.flushed) << c.value;
        EXPECT_EQ(std::signbit(value), std::signbit(c.flushed)) << c.value;
    }
    double value = -kDoubleDenormal;
    FlushDenormalDouble(value);
    EXPECT_EQ(value, 0.0);
    EXPECT_TRUE(std::signbit(value));
    value = DBL_MIN;
    FlushDenormalDouble(value);
    EXPECT_EQ(value, DBL_MIN);

    CString text;
    FormatFloatText(text, -kFloatDenormal);
    EXPECT_EQ(text, "-0.000000e+00");
    FormatDoubleText(text, kDoubleDenormal);
    EXPECT_EQ(text, "+0.00000000000000e+00");
}

TEST(FloatTexts, AClearFlagLeavesDenormalsAsTheyAre) {
    RoundingCfg keeping(0);
    const CfgHandlerInTarget installed(&keeping);
    float single = kFloatDenormal;
    FlushDenormalFloat(single);
    EXPECT_EQ(single, kFloatDenormal);
    double twice = kDoubleDenormal;
    FlushDenormalDouble(twice);
    EXPECT_EQ(twice, kDoubleDenormal);
}

TEST_F(HostEvaluation, FloatingPointTextsAreTheHostsWhenItGivesThem) {
    RoundingCfg flushing(1);
    const CfgHandlerInTarget installed(&flushing);
    CString text;
    FormatFloatText(text, 2.5f);
    EXPECT_EQ(text, "2.5");
    FormatFloatText(text, kFloatDenormal);  // the host prints the value itself
    EXPECT_EQ(text, "9.9999461e-41");
    FormatDoubleText(text, 0.1);
    EXPECT_EQ(text, "0.10000000000000001");

    MuteEvaluator mute(log);
    host.OfferService(IID_IHExpressionEvaluator, static_cast<IHExpressionEvaluator*>(&mute));
    FormatFloatText(text, kFloatDenormal);
    EXPECT_EQ(text, "+0.000000e+00");
    FormatDoubleText(text, 0.1);
    EXPECT_EQ(text, "+1.00000000000000e-01");
    host.OfferService(IID_IHExpressionEvaluator, nullptr);
    FormatFloatText(text, 1.5f);
    EXPECT_EQ(text, "+1.500000e+00");
}

}  // namespace
