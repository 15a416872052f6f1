// CHostServiceF: construction, the companions and the lower operations (3 to
// 100 but 25 and 31, and 162 to 164). Texts in are made as the kit's Text
// (a failed allocation throws) but those of operations 23, 29, 63, 64 and 65,
// which pass a null BSTR instead.
#include "hostui/host_service_f.h"

#include "hostui/host_service_f_lists.h"

namespace kit = wrapper_kit;
using kit::F;
using kit::OutText;
using kit::S;
using kit::Take;
using kit::Text;
using NullText = kit::TextOrNull;
using namespace host_service_f;

CHostServiceF::CHostServiceF(IHostServiceProvider* host) : m_host(host) {
    kit::IntoField(m_host, IID_IHPlaceholderSettings, m_f);
}

IHServiceFCompanion1* CHostServiceF::Companion1() const {
    return kit::AskEachCall<IHServiceFCompanion1>(m_host, IID_IHServiceFCompanion1);
}

IHServiceFCompanion2* CHostServiceF::Companion2() const {
    return kit::AskEachCall<IHServiceFCompanion2>(m_host, IID_IHServiceFCompanion2);
}

IHServiceFCompanion3* CHostServiceF::Companion3() const {
    return kit::AskEachCall<IHServiceFCompanion3>(m_host, IID_IHServiceFCompanion3);
}

void CHostServiceF::Op3(LPCSTR text1, LPCSTR text2, DWORD number) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op3, Text(text1), Text(text2), number);
}

void CHostServiceF::Op4(LPCSTR text1, LPCSTR text2, LPCSTR text3) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op4, Text(text1), Text(text2), Text(text3));
}

void CHostServiceF::Op5(LPCSTR text, DWORD number) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op5, Text(text), number);
}

void CHostServiceF::Op6(LPCSTR text1, LPCSTR text2) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op6, Text(text1), Text(text2));
}

DWORD CHostServiceF::Op7(LPCSTR text1, LPCSTR text2, DWORD* out, const DWORD* fallback) {
    return kit::Call<F>(m_f, &IHPlaceholderSettings::Op7, Text(text1), Text(text2),
                        kit::NumberOut(out, Take::OnPass, fallback));
}

DWORD CHostServiceF::Op8(LPCSTR text1, LPCSTR text2, CString& out, LPCSTR fallback) {
    return kit::Call<F>(m_f, &IHPlaceholderSettings::Op8, Text(text1), Text(text2),
                        OutText(out, Take::OnPass, fallback));
}

DWORD CHostServiceF::Op9(LPCSTR text, DWORD* out, const DWORD* fallback) {
    return kit::Call<F>(m_f, &IHPlaceholderSettings::Op9, Text(text), kit::NumberOut(out, Take::OnPass, fallback));
}

DWORD CHostServiceF::Op10(LPCSTR text, CString& out, LPCSTR fallback) {
    return kit::Call<F>(m_f, &IHPlaceholderSettings::Op10, Text(text), OutText(out, Take::OnPass, fallback));
}

DWORD CHostServiceF::Op11(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, LPCSTR text5) {
    return kit::Call<F>(m_f, &IHPlaceholderSettings::Op11, Text(text1), Text(text2), Text(text3), Text(text4),
                        Text(text5));
}

DWORD CHostServiceF::Op12(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4) {
    return kit::Call<F>(m_f, &IHPlaceholderSettings::Op12, Text(text1), Text(text2), Text(text3), Text(text4));
}

DWORD CHostServiceF::Op13(LPCSTR text1, LPCSTR text2, LPCSTR text3) {
    return kit::Call<F>(m_f, &IHPlaceholderSettings::Op13, Text(text1), Text(text2), Text(text3));
}

DWORD CHostServiceF::Op17(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, CString& out) {
    return kit::Call<F>(m_f, &IHPlaceholderSettings::Op17, Text(text1), Text(text2), Text(text3), Text(text4),
                        OutText(out));
}

DWORD CHostServiceF::Op18(LPCSTR text1, LPCSTR text2, LPCSTR text3, CString& out) {
    return kit::Call<F>(m_f, &IHPlaceholderSettings::Op18, Text(text1), Text(text2), Text(text3), OutText(out));
}

DWORD CHostServiceF::Op19(LPCSTR text1, LPCSTR text2, CString& out) {
    return kit::Call<F>(m_f, &IHPlaceholderSettings::Op19, Text(text1), Text(text2), OutText(out));
}

DWORD CHostServiceF::Op23(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, LPCSTR text5) {
    return kit::Call<F>(m_f, &IHPlaceholderSettings::Op23, NullText(text1), NullText(text2), NullText(text3),
                        NullText(text4), NullText(text5));
}

DWORD CHostServiceF::Op29(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, CString& out) {
    return kit::Call<F>(m_f, &IHPlaceholderSettings::Op29, NullText(text1), NullText(text2), NullText(text3),
                        NullText(text4), OutText(out));
}

void CHostServiceF::Op35(CStringPairList& pairs) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op35, PairsOut(pairs, Take::Always));
}

void CHostServiceF::Op36(CStringPairList& pairs) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op36, PairsOut(pairs, Take::Always));
}

void CHostServiceF::Op37(const CStringPairList& pairs) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op37, PairsIn(pairs));
}

void CHostServiceF::Op38(const CStringPairList& pairs) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op38, PairsIn(pairs));
}

void CHostServiceF::Op39(CQuadStringPtrList& records) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op39, QuadsOut(records, Take::Always));
}

void CHostServiceF::Op40(CQuadStringPtrList& records) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op40, QuadsOut(records, Take::Always));
}

void CHostServiceF::Op41(const CQuadStringPtrList& records) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op41, QuadsIn(records));
}

void CHostServiceF::Op42(const CQuadStringPtrList& records) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op42, QuadsIn(records));
}

void CHostServiceF::GetCustomPlaceholders(CCustomPlaceholderMap& placeholders) {
    kit::CallNone(m_f, &IHPlaceholderSettings::GetCustomPlaceholders, PlaceholdersOut(placeholders, Take::Always));
}

void CHostServiceF::Op44(CCustomPlaceholderMap& placeholders) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op44, PlaceholdersOut(placeholders, Take::Always));
}

void CHostServiceF::Op45(const CCustomPlaceholderMap& placeholders) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op45, PlaceholdersIn(placeholders));
}

void CHostServiceF::Op46(const CCustomPlaceholderMap& placeholders) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op46, PlaceholdersIn(placeholders));
}

void CHostServiceF::Op47(DWORD number, CString& out) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op47, number, Always(out));
}

void CHostServiceF::Op48(DWORD number, LPCSTR text) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op48, number, Text(text));
}

DWORD CHostServiceF::Op49(LPCSTR text1, LPCSTR text2, CString& out) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op49, Text(text1), Text(text2), Always(out));
    return 0;
}

DWORD CHostServiceF::Op50(LPCSTR text1, LPCSTR text2, LPCSTR text3) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op50, Text(text1), Text(text2), Text(text3));
    return 0;
}

DWORD CHostServiceF::Op51() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op51);
}

DWORD CHostServiceF::Op52() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op52);
}

CString CHostServiceF::Op53() {
    return kit::TextAnswer(m_f, &IHPlaceholderSettings::Op53);
}

CString CHostServiceF::Op54() {
    return kit::TextAnswer(m_f, &IHPlaceholderSettings::Op54);
}

CString CHostServiceF::Op55() {
    return kit::TextAnswer(m_f, &IHPlaceholderSettings::Op55);
}

void CHostServiceF::Op56(DWORD number) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op56, number);
}

void CHostServiceF::Op57(LPCSTR text) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op57, Text(text));
}

void CHostServiceF::Op58(LPCSTR text) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op58, Text(text));
}

void CHostServiceF::Op59(LPCSTR text) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op59, Text(text));
}

void CHostServiceF::Op60(CDoubleStringUintPtrList& records) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op60, TextTextNumbersOut(records, Take::Always));
}

void CHostServiceF::Op61(const CDoubleStringUintPtrList& records) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op61, TextTextNumbersIn(records));
}

void CHostServiceF::Op62(CString& out1, CString& out2) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op62, Always(out1), Always(out2));
}

DWORD CHostServiceF::Op63(LPCSTR text1, LPCSTR text2) {
    return kit::Call<S>(m_f, &IHPlaceholderSettings::Op63, NullText(text1), NullText(text2));
}

DWORD CHostServiceF::Op64(LPCSTR text) {
    return kit::Call<S>(m_f, &IHPlaceholderSettings::Op64, NullText(text));
}

DWORD CHostServiceF::Op65(LPCSTR text) {
    return kit::Call<S>(m_f, &IHPlaceholderSettings::Op65, NullText(text));
}

DWORD CHostServiceF::Op66() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op66);
}

DWORD CHostServiceF::Op67() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op67);
}

DWORD CHostServiceF::Op68() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op68);
}

DWORD CHostServiceF::Op69() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op69);
}

DWORD CHostServiceF::Op70() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op70);
}

DWORD CHostServiceF::Op71() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op71);
}

DWORD CHostServiceF::Op72() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op72);
}

void CHostServiceF::Op74(CString& out1, CString& out2, CString& out3) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op74, Always(out1), Always(out2), Always(out3));
}

DWORD CHostServiceF::Op75() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op75);
}

void CHostServiceF::Op76(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, DWORD number6,
                         DWORD number7, DWORD number8, CString& out1, CString& out2, CString& out3) {
    kit::CallNone(Companion1(), &IHServiceFCompanion1::Op76, number1, number2, number3, number4, number5, number6,
                  number7, number8, Always(out1), Always(out2), Always(out3));
}

void CHostServiceF::Op77(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, DWORD number6,
                         DWORD number7, DWORD number8, LPCSTR text1, LPCSTR text2, LPCSTR text3) {
    kit::CallNone(Companion1(), &IHServiceFCompanion1::Op77, number1, number2, number3, number4, number5, number6,
                  number7, number8, Text(text1), Text(text2), Text(text3));
}

DWORD CHostServiceF::Op78() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op78);
}

DWORD CHostServiceF::Op79() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op79);
}

DWORD CHostServiceF::Op80() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op80);
}

DWORD CHostServiceF::Op81() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op81);
}

DWORD CHostServiceF::Op82() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op82);
}

DWORD CHostServiceF::Op83() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op83);
}

DWORD CHostServiceF::Op84() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op84);
}

void CHostServiceF::Op85(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, DWORD number6,
                         DWORD number7) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op85, number1, number2, number3, number4, number5, number6, number7);
}

void CHostServiceF::Op86(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, DWORD number6,
                         DWORD number7) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op86, number1, number2, number3, number4, number5, number6, number7);
}

DWORD CHostServiceF::Op87() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op87);
}

DWORD CHostServiceF::Op88() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op88);
}

DWORD CHostServiceF::Op89() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op89);
}

void CHostServiceF::Op90(DWORD number) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op90, number);
}

DWORD CHostServiceF::Op91() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op91);
}

DWORD CHostServiceF::Op92() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op92);
}

DWORD CHostServiceF::Op92Second() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op92);
}

CString CHostServiceF::Op93() {
    return kit::TextAnswer(m_f, &IHPlaceholderSettings::Op93);
}

void CHostServiceF::Op95(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, CString& out,
                         DWORD number6) {
    kit::CallNone(Companion1(), &IHServiceFCompanion1::Op95, number1, number2, number3, number4, number5, Always(out),
                  number6);
}

void CHostServiceF::Op96(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, LPCSTR text,
                         DWORD number6) {
    kit::CallNone(Companion1(), &IHServiceFCompanion1::Op96, number1, number2, number3, number4, number5, Text(text),
                  number6);
}

void CHostServiceF::Op97(LPCSTR text, CStringList& list) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op97, Text(text), kit::StringsOut(list, Take::Always));
}

void CHostServiceF::Op98(LPCSTR text, const CStringList& list) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op98, Text(text), kit::StringsIn(list));
}

void CHostServiceF::Op99(CStringList& list) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op99, kit::StringsOut(list, Take::Always));
}

void CHostServiceF::Op100(const CStringList& list) {
    kit::CallNone(m_f, &IHPlaceholderSettings::Op100, kit::StringsIn(list));
}

void CHostServiceF::Op162(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, CString& out,
                          DWORD number6, DWORD number7) {
    kit::CallNone(Companion2(), &IHServiceFCompanion2::Op162, number1, number2, number3, number4, number5,
                  Always(out), number6, number7);
}

void CHostServiceF::Op163(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, LPCSTR text,
                          DWORD number6, DWORD number7) {
    kit::CallNone(Companion2(), &IHServiceFCompanion2::Op163, number1, number2, number3, number4, number5,
                  Text(text), number6, number7);
}

DWORD CHostServiceF::Op164() {
    return kit::Value(m_f, &IHPlaceholderSettings::Op164);
}
