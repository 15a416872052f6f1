// CHostServiceF: the higher operations (25, 31, 129, 132 and 141 to 239).
// Texts in are made as the kit's Text (a failed allocation throws) for
// operations 141 to 154, 166, 168 to 171, 195, 199, 201 to 206, 208, 210,
// 214, 219, 220 and 221 and for the third text of 174, 175 and 189; all
// others pass a null BSTR instead (NullText).
#include "hostui/host_service_f.h"

#include "hostui/host_service_f_lists.h"

namespace kit = wrapper_kit;
using kit::F;
using kit::F0;
using kit::OutText;
using kit::S;
using kit::S0;
using kit::Take;
using kit::Text;
using kit::Truth;
using NullText = kit::TextOrNull;
using namespace host_service_f;

DWORD CHostServiceF::Op25(LPCSTR text1, LPCSTR text2, LPCSTR text3) {
    return kit::Call<F>(m_f, &IHPlaceholderSettings::Op25, NullText(text1), NullText(text2), NullText(text3));
}

DWORD CHostServiceF::Op31(LPCSTR text1, LPCSTR text2, CString& out) {
    return kit::Call<F>(m_f, &IHPlaceholderSettings::Op31, NullText(text1), NullText(text2), OutText(out));
}

DWORD CHostServiceF::Op129(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, LPCSTR text5) {
    return kit::Call<S>(m_f, &IHPlaceholderSettings::Op129, NullText(text1), NullText(text2), NullText(text3),
                        NullText(text4), NullText(text5));
}

DWORD CHostServiceF::Op132(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, CString& out) {
    return kit::Call<S>(m_f, &IHPlaceholderSettings::Op132, NullText(text1), NullText(text2), NullText(text3),
                        NullText(text4), OutText(out, Take::OnPassElseEmpty));
}

DWORD CHostServiceF::Op141(LPCSTR text1, LPCSTR text2, CString& out) {
    return kit::Call<S>(m_f, &IHPlaceholderSettings::Op141, Text(text1), Text(text2), OutText(out));
}

DWORD CHostServiceF::Op142(LPCSTR text1, LPCSTR text2, LPCSTR text3) {
    return kit::Call<S>(m_f, &IHPlaceholderSettings::Op142, Text(text1), Text(text2), Text(text3));
}

DWORD CHostServiceF::Op143(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, CString& out) {
    return kit::Call<S>(m_f, &IHPlaceholderSettings::Op143, Text(text1), Text(text2), Text(text3), Text(text4),
                        OutText(out));
}

DWORD CHostServiceF::Op144(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, LPCSTR text5) {
    return kit::Call<S>(m_f, &IHPlaceholderSettings::Op144, Text(text1), Text(text2), Text(text3), Text(text4),
                        Text(text5));
}

DWORD CHostServiceF::Op145(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, LPCSTR text5, CString& out) {
    return kit::Call<S>(m_f, &IHPlaceholderSettings::Op145, Text(text1), Text(text2), Text(text3), Text(text4),
                        Text(text5), OutText(out));
}

DWORD CHostServiceF::Op146(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, LPCSTR text5, LPCSTR text6) {
    return kit::Call<S>(m_f, &IHPlaceholderSettings::Op146, Text(text1), Text(text2), Text(text3), Text(text4),
                        Text(text5), Text(text6));
}

DWORD CHostServiceF::Op147(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, LPCSTR text5, CString& out) {
    return kit::Call<S>(m_f, &IHPlaceholderSettings::Op147, Text(text1), Text(text2), Text(text3), Text(text4),
                        Text(text5), OutText(out));
}

DWORD CHostServiceF::Op148(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, LPCSTR text5, LPCSTR text6) {
    return kit::Call<S>(m_f, &IHPlaceholderSettings::Op148, Text(text1), Text(text2), Text(text3), Text(text4),
                        Text(text5), Text(text6));
}

DWORD CHostServiceF::Op149(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, LPCSTR text5, LPCSTR text6,
                           CString& out) {
    return kit::Call<S>(m_f, &IHPlaceholderSettings::Op149, Text(text1), Text(text2), Text(text3), Text(text4),
                        Text(text5), Text(text6), OutText(out));
}

DWORD CHostServiceF::Op150(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, LPCSTR text5, LPCSTR text6,
                           LPCSTR text7) {
    return kit::Call<S>(m_f, &IHPlaceholderSettings::Op150, Text(text1), Text(text2), Text(text3), Text(text4),
                        Text(text5), Text(text6), Text(text7));
}

DWORD CHostServiceF::Op151(LPCSTR text1, LPCSTR text2, LPCSTR text3) {
    return kit::Call<S>(m_f, &IHPlaceholderSettings::Op151, Text(text1), Text(text2), Text(text3));
}

void CHostServiceF::Op152(LPCSTR text1, LPCSTR text2, LPCSTR text3) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op152, Text(text1), Text(text2), Text(text3));
}

void CHostServiceF::Op153(LPCSTR text1, LPCSTR text2, LPCSTR text3) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op153, Text(text1), Text(text2), Text(text3));
}

void CHostServiceF::Op154(LPCSTR text1, LPCSTR text2, CStringList& list) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op154, Text(text1), Text(text2), kit::StringsOut(list, Take::Always));
}

void CHostServiceF::Op165(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, DWORD number6,
                          DWORD number7, DWORD number8, CString& out1, CString& out2, CString& out3, DWORD number9) {
    kit::CallNone(Companion2(), &IHServiceFCompanion2::Op165, number1, number2, number3, number4, number5, number6,
                  number7, number8, Always(out1), Always(out2), Always(out3), number9);
}

void CHostServiceF::Op166(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, DWORD number6,
                          DWORD number7, DWORD number8, LPCSTR text1, LPCSTR text2, LPCSTR text3, DWORD number9) {
    kit::CallNone(Companion2(), &IHServiceFCompanion2::Op166, number1, number2, number3, number4, number5, number6,
                  number7, number8, Text(text1), Text(text2), Text(text3), number9);
}

void CHostServiceF::Op168(LPCSTR text, BOOL* flag) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op168, Text(text),
                  kit::FlagFromNumber(flag, Truth::EqualsOne, Take::Always));
}

void CHostServiceF::Op169(LPCSTR text, DWORD number) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op169, Text(text), number);
}

void CHostServiceF::Op170(LPCSTR text, BOOL* flag) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op170, Text(text),
                  kit::FlagFromNumber(flag, Truth::EqualsOne, Take::Always));
}

void CHostServiceF::Op171(LPCSTR text, DWORD number) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op171, Text(text), number);
}

DWORD CHostServiceF::Op172(LPCSTR text1, LPCSTR text2, CString& out) {
    return kit::Call<F0>(m_f, &IHPlaceholderSettings::Op172, NullText(text1), NullText(text2), OutText(out));
}

DWORD CHostServiceF::Op173(LPCSTR text1, LPCSTR text2, CString& out) {
    return kit::Call<F0>(m_f, &IHPlaceholderSettings::Op173, NullText(text1), NullText(text2), OutText(out));
}

DWORD CHostServiceF::Op174(LPCSTR text1, LPCSTR text2, LPCSTR text3) {
    return kit::Call<F0>(m_f, &IHPlaceholderSettings::Op174, NullText(text1), NullText(text2), Text(text3));
}

DWORD CHostServiceF::Op175(LPCSTR text1, LPCSTR text2, LPCSTR text3) {
    return kit::Call<F0>(m_f, &IHPlaceholderSettings::Op175, NullText(text1), NullText(text2), Text(text3));
}

DWORD CHostServiceF::Op176(LPCSTR text, CDoubleStringUintPtrList& records) {
    return kit::Call<F0>(m_f, &IHPlaceholderSettings::Op176, NullText(text), TextTextNumbersOut(records, Take::OnPass));
}

DWORD CHostServiceF::Op177(LPCSTR text, const CDoubleStringUintPtrList& records) {
    return kit::Call<F0>(m_f, &IHPlaceholderSettings::Op177, NullText(text), TextTextNumbersIn(records));
}

DWORD CHostServiceF::Op178(LPCSTR text, CString& out1, CString& out2) {
    return kit::Call<F0>(m_f, &IHPlaceholderSettings::Op178, NullText(text), OutText(out1), OutText(out2));
}

DWORD CHostServiceF::Op179(LPCSTR text1, LPCSTR text2, LPCSTR text3) {
    return kit::Call<F0>(m_f, &IHPlaceholderSettings::Op179, NullText(text1), NullText(text2), NullText(text3));
}

DWORD CHostServiceF::Op180(LPCSTR text1, LPCSTR text2) {
    return kit::Call<F0>(m_f, &IHPlaceholderSettings::Op180, NullText(text1), NullText(text2));
}

DWORD CHostServiceF::Op181(LPCSTR text1, LPCSTR text2) {
    return kit::Call<F0>(m_f, &IHPlaceholderSettings::Op181, NullText(text1), NullText(text2));
}

DWORD CHostServiceF::Op182(LPCSTR text, CStringPairList& pairs) {
    return kit::Call<F0>(m_f, &IHPlaceholderSettings::Op182, NullText(text), PairsOut(pairs, Take::OnPass));
}

DWORD CHostServiceF::Op183(LPCSTR text, const CStringPairList& pairs) {
    return kit::Call<F0>(m_f, &IHPlaceholderSettings::Op183, NullText(text), PairsIn(pairs));
}

DWORD CHostServiceF::Op184(LPCSTR text, CQuadStringPtrList& records) {
    return kit::Call<F0>(m_f, &IHPlaceholderSettings::Op184, NullText(text), QuadsOut(records, Take::OnPass));
}

DWORD CHostServiceF::Op185(LPCSTR text, const CQuadStringPtrList& records) {
    return kit::Call<F0>(m_f, &IHPlaceholderSettings::Op185, NullText(text), QuadsIn(records));
}

DWORD CHostServiceF::GetWorkspacePlaceholders(LPCSTR workspace, CCustomPlaceholderMap& placeholders) {
    return kit::Call<F0>(m_f, &IHPlaceholderSettings::GetWorkspacePlaceholders, NullText(workspace),
                         PlaceholdersOut(placeholders, Take::OnPass));
}

DWORD CHostServiceF::Op187(LPCSTR text, const CCustomPlaceholderMap& placeholders) {
    return kit::Call<F0>(m_f, &IHPlaceholderSettings::Op187, NullText(text), PlaceholdersIn(placeholders));
}

DWORD CHostServiceF::Op188(LPCSTR text, BOOL* flag, CString& out) {
    return kit::Call<F0>(m_f, &IHPlaceholderSettings::Op188, NullText(text),
                         kit::FlagFromNumber(flag, Truth::EqualsOne), OutText(out));
}

DWORD CHostServiceF::Op189(LPCSTR text1, DWORD number, LPCSTR text2) {
    return kit::Call<F0>(m_f, &IHPlaceholderSettings::Op189, NullText(text1), number, Text(text2));
}

DWORD CHostServiceF::Op190(LPCSTR text1, LPCSTR text2, DWORD number, CString& out1, CString& out2, CString& out3,
                           CString& out4) {
    return kit::Call<F>(m_f, &IHPlaceholderSettings::Op190, NullText(text1), NullText(text2), number, OutText(out1),
                        OutText(out2), OutText(out3), OutText(out4));
}

DWORD CHostServiceF::Op191(LPCSTR text1, LPCSTR text2, CString& out) {
    return kit::Call<F>(m_f, &IHPlaceholderSettings::Op191, NullText(text1), NullText(text2), OutText(out));
}

DWORD CHostServiceF::Op192(LPCSTR text1, LPCSTR text2, DWORD number, LPCSTR text3, LPCSTR text4, LPCSTR text5,
                           LPCSTR text6) {
    return kit::Call<F>(m_f, &IHPlaceholderSettings::Op192, NullText(text1), NullText(text2), number, NullText(text3),
                        NullText(text4), NullText(text5), NullText(text6));
}

DWORD CHostServiceF::Op193(LPCSTR text1, LPCSTR text2, DWORD number, LPCSTR text3, LPCSTR text4, LPCSTR text5,
                           LPCSTR text6) {
    return kit::Call<F>(m_f, &IHPlaceholderSettings::Op193, NullText(text1), NullText(text2), number, NullText(text3),
                        NullText(text4), NullText(text5), NullText(text6));
}

void CHostServiceF::Op194(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, CString& out1,
                          DWORD number6, DWORD number7, DWORD number8, CString& out2) {
    kit::CallNone(Companion3(), &IHServiceFCompanion3::Op194, number1, number2, number3, number4, number5,
                  Always(out1), number6, number7, number8, Always(out2));
}

void CHostServiceF::Op195(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, LPCSTR text1,
                          DWORD number6, DWORD number7, DWORD number8, LPCSTR text2) {
    kit::CallNone(Companion3(), &IHServiceFCompanion3::Op195, number1, number2, number3, number4, number5,
                  Text(text1), number6, number7, number8, Text(text2));
}

void CHostServiceF::Op198(CString& out) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op198, Always(out));
}

void CHostServiceF::Op199(LPCSTR text) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op199, Text(text));
}

DWORD CHostServiceF::Op201(LPCSTR text1, DWORD number1, const CString& text2, DWORD number2) {
    return kit::Call<F0>(m_f, &IHPlaceholderSettings::Op201, Text(text1), number1, Text(text2), number2);
}

DWORD CHostServiceF::Op202(LPCSTR text, const DWORD* number, CString& out, DWORD* numberOut) {
    const DWORD value = number != nullptr ? *number : 0;
    return kit::Call<S0>(m_f, &IHPlaceholderSettings::Op202, Text(text), value, OutText(out),
                         kit::NumberOut(numberOut));
}

DWORD CHostServiceF::Op203(LPCSTR text1, const CString& text2, const CString& text3) {
    return kit::Call<F0>(m_f, &IHPlaceholderSettings::Op203, Text(text1), Text(text2), Text(text3));
}

DWORD CHostServiceF::Op204(LPCSTR text1, const CString& text2, CString& out) {
    return kit::Call<S0>(m_f, &IHPlaceholderSettings::Op204, Text(text1), Text(text2), OutText(out));
}

DWORD CHostServiceF::Op205(LPCSTR text1, LPCSTR text2, LPCSTR text3, DWORD number1, DWORD number2) {
    return kit::Call<F0>(m_f, &IHPlaceholderSettings::Op205, Text(text1), Text(text2), Text(text3), number1, number2);
}

DWORD CHostServiceF::Op206(LPCSTR text1, LPCSTR text2, LPCSTR text3, DWORD number1, DWORD number2) {
    return kit::Call<S0>(m_f, &IHPlaceholderSettings::Op206, Text(text1), Text(text2), Text(text3), number1, number2);
}

void CHostServiceF::Op207(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, DWORD number6,
                          DWORD number7, DWORD number8, CString& out1, CString& out2, CString& out3, DWORD number9,
                          DWORD number10) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op207, number1, number2, number3, number4, number5, number6, number7,
                  number8, Always(out1), Always(out2), Always(out3), number9, number10);
}

void CHostServiceF::Op208(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, DWORD number6,
                          DWORD number7, DWORD number8, LPCSTR text1, LPCSTR text2, LPCSTR text3, DWORD number9,
                          DWORD number10) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op208, number1, number2, number3, number4, number5, number6, number7,
                  number8, Text(text1), Text(text2), Text(text3), number9, number10);
}

HRESULT CHostServiceF::Op209() {
    return kit::CallH(m_f, &IHPlaceholderSettings::Op209);
}

DWORD CHostServiceF::Op210(const CString& text1, const CString& text2, const CString& text3) {
    DWORD value = 0;
    const auto result =
        kit::Invoke(m_f, &IHPlaceholderSettings::Op210, kit::Succeeded, Text(text1), Text(text2), Text(text3), &value);
    return result && kit::Succeeded(*result) ? value : 0;
}

DWORD CHostServiceF::Op211() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op211);
}

HRESULT CHostServiceF::Op212(DWORD number) {
    return kit::CallH(m_f, &IHPlaceholderSettings::Op212, number);
}

void CHostServiceF::Op214(LPCSTR text) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op214, Text(text));
}

void CHostServiceF::Op215(DWORD number, CString& out1, CString& out2, CString& out3, CString& out4) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op215, number, Always(out1), Always(out2), Always(out3), Always(out4));
}

void CHostServiceF::Op216(const CString& text, CString& out) {
    DWORD dropped = 0;  // the host's second out, which nobody reads
    kit::CallNone(m_f, &IHPlaceholderSettings::Op216, NullText(text), Always(out), &dropped);
}

void CHostServiceF::Op217(const CString& text1, const CString& text2, DWORD number) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op217, NullText(text1), NullText(text2), number);
}

void CHostServiceF::Op218(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, DWORD number6,
                          DWORD number7, DWORD number8, CString& out1, CString& out2, CString& out3, DWORD number9,
                          DWORD number10, DWORD number11, DWORD number12, DWORD number13, DWORD number14,
                          DWORD number15, DWORD number16) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op218, number1, number2, number3, number4, number5, number6, number7,
                  number8, Always(out1), Always(out2), Always(out3), number9, number10, number11, number12, number13,
                  number14, number15, number16);
}

void CHostServiceF::Op219(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, DWORD number6,
                          DWORD number7, DWORD number8, LPCSTR text1, LPCSTR text2, LPCSTR text3, DWORD number9,
                          DWORD number10, DWORD number11, DWORD number12, DWORD number13, DWORD number14,
                          DWORD number15, DWORD number16) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op219, number1, number2, number3, number4, number5, number6, number7,
                  number8, Text(text1), Text(text2), Text(text3), number9, number10, number11, number12, number13,
                  number14, number15, number16);
}

DWORD CHostServiceF::Op220(LPCSTR text, BOOL* flag1, CString& out1, CString& out2, BOOL* flag2, CString& out3) {
    return kit::Call<S>(m_f, &IHPlaceholderSettings::Op220, Text(text),
                        kit::FlagFromVariantBool(flag1, Truth::EqualsMinusOne), OutText(out1), OutText(out2),
                        kit::FlagFromVariantBool(flag2, Truth::EqualsMinusOne), OutText(out3));
}

DWORD CHostServiceF::Op221(LPCSTR text1, BOOL flag1, LPCSTR text2, LPCSTR text3, BOOL flag2, LPCSTR text4) {
    return kit::Call<S>(m_f, &IHPlaceholderSettings::Op221, Text(text1), kit::Flag(flag1), Text(text2), Text(text3),
                        kit::Flag(flag2), Text(text4));
}

void CHostServiceF::Op222(CString& out1, CString& out2) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op222, Always(out1), Always(out2));
}

void CHostServiceF::Op223(LPCSTR text1, LPCSTR text2) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op223, NullText(text1), NullText(text2));
}

void CHostServiceF::Op224(CStringList& list) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op224, kit::StringsOut(list, Take::Always));
}

void CHostServiceF::Op225(const CStringList& list) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op225, kit::ListValue(list, StringListToSafeArray));
}

DWORD CHostServiceF::Op228(LPCSTR text) {
    return kit::Call<S0>(m_f, &IHPlaceholderSettings::Op228, NullText(text));
}

DWORD CHostServiceF::Op229(LPCSTR text) {
    return kit::Call<S0>(m_f, &IHPlaceholderSettings::Op229, NullText(text));
}

DWORD CHostServiceF::Op230(LPCSTR text) {
    return kit::Call<S0>(m_f, &IHPlaceholderSettings::Op230, NullText(text));
}

void CHostServiceF::Op231(BOOL* flag1, BOOL* flag2, BOOL* flag3) {
    using kit::FlagFromVariantBool;
    kit::CallNone(m_f, &IHPlaceholderSettings::Op231, FlagFromVariantBool(flag1, Truth::NotZero, Take::Always),
                  FlagFromVariantBool(flag2, Truth::NotZero, Take::Always),
                  FlagFromVariantBool(flag3, Truth::NotZero, Take::Always));
}

HRESULT CHostServiceF::Op232(BOOL flag1, BOOL flag2, BOOL flag3) {
    return kit::CallH(m_f, &IHPlaceholderSettings::Op232, kit::Flag(flag1), kit::Flag(flag2), kit::Flag(flag3));
}

HRESULT CHostServiceF::Op233() {
    return kit::CallH(m_f, &IHPlaceholderSettings::Op233);
}

HRESULT CHostServiceF::Op234(BOOL flag) {
    return kit::CallH(m_f, &IHPlaceholderSettings::Op234, kit::Flag(flag));
}

void CHostServiceF::Op235(LPCSTR text, DWORD number) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op235, NullText(text), number);
}

DWORD CHostServiceF::Op236(LPCSTR text) {
    return kit::Call<S0>(m_f, &IHPlaceholderSettings::Op236, NullText(text));
}

void CHostServiceF::Op237(LPCSTR text, DWORD number) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op237, NullText(text), number);
}

void CHostServiceF::Op238(LPCSTR text, BOOL* flag1, BOOL* flag2, BOOL* flag3, BOOL* flag4) {
    const auto flag = [](BOOL* target) {
        return kit::FlagFromVariantBool(target, Truth::EqualsMinusOne, Take::OnPass, true);
    };
    kit::CallNone(m_f, &IHPlaceholderSettings::Op238, NullText(text), flag(flag1), flag(flag2), flag(flag3),
                  flag(flag4));
}

void CHostServiceF::Op239(LPCSTR text, BOOL flag1, BOOL flag2, BOOL flag3, BOOL flag4) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op239, NullText(text), kit::Flag(flag1), kit::Flag(flag2),
                  kit::Flag(flag3), kit::Flag(flag4));
}
