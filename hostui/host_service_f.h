// CHostServiceF: the wrapper over the host's service F (IHPlaceholderSettings,
// operations 3 to 239) and its three companions, which are asked for anew
// through the kept service provider at each call of one of their operations.
// OpN calls operation N (of the companion where the comment says so).
//
// Results, as each method's comment says:
//   F   0 when the host's result is not negative, else 1
//   S   1 when the host's result is not negative, else 0
//   F0  0 only for exactly S_OK, else 1 (outs taken only then)
//   S0  1 only for exactly S_OK, else 0 (outs taken only then)
//   H   the host's result itself (E_NOINTERFACE without the interface)
//   V   the 32-bit value the host gave (0 before the call), its result not
//       examined
//   T   the text the host gave, its result not examined (empty when none)
//   none  nothing; the result is dropped
// Outs are taken when the rule's test passes; those marked "always" after
// every call, a text the host did not give reading as empty. Lists are
// appended to (placeholder records set into the map, which owns them).
//
// Without the interface or a companion a method calls nothing, leaves its
// outs and answers its failure value (1 for F and F0, 0 for S, S0 and V, an
// empty text for T). Flags in cross as VARIANT_TRUE (-1) for any BOOL but 0.
#pragma once

#include "util/string_records.h"
#include "platform/afx.h"
#include "platform/host/interfaces.h"
#include "platform/host/wrapped_interfaces.h"
#include "util/custom_placeholder.h"
#include "util/string_record_lists.h"

class CHostServiceF {
public:
    explicit CHostServiceF(IHostServiceProvider* host);
    CHostServiceF(const CHostServiceF&) = delete;
    CHostServiceF& operator=(const CHostServiceF&) = delete;

    void Op3(LPCSTR text1, LPCSTR text2, DWORD number);
    void Op4(LPCSTR text1, LPCSTR text2, LPCSTR text3);
    void Op5(LPCSTR text, DWORD number);
    void Op6(LPCSTR text1, LPCSTR text2);
    // F; a failed call stores the fallback's value instead, when there is one.
    [[nodiscard]] DWORD Op7(LPCSTR text1, LPCSTR text2, DWORD* out, const DWORD* fallback);
    // F; a failed call assigns the fallback text instead, when there is one.
    [[nodiscard]] DWORD Op8(LPCSTR text1, LPCSTR text2, CString& out, LPCSTR fallback);
    [[nodiscard]] DWORD Op9(LPCSTR text, DWORD* out, const DWORD* fallback);  // as 7
    [[nodiscard]] DWORD Op10(LPCSTR text, CString& out, LPCSTR fallback);     // as 8
    [[nodiscard]] DWORD Op11(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, LPCSTR text5);  // F
    [[nodiscard]] DWORD Op12(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4);                // F
    [[nodiscard]] DWORD Op13(LPCSTR text1, LPCSTR text2, LPCSTR text3);                              // F
    [[nodiscard]] DWORD Op17(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, CString& out);  // F
    [[nodiscard]] DWORD Op18(LPCSTR text1, LPCSTR text2, LPCSTR text3, CString& out);                // F
    [[nodiscard]] DWORD Op19(LPCSTR text1, LPCSTR text2, CString& out);                              // F
    [[nodiscard]] DWORD Op23(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, LPCSTR text5);  // F
    [[nodiscard]] DWORD Op25(LPCSTR text1, LPCSTR text2, LPCSTR text3);                              // F
    [[nodiscard]] DWORD Op29(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, CString& out);  // F
    [[nodiscard]] DWORD Op31(LPCSTR text1, LPCSTR text2, CString& out);                              // F
    void Op35(CStringPairList& pairs);  // always
    void Op36(CStringPairList& pairs);  // always
    void Op37(const CStringPairList& pairs);
    void Op38(const CStringPairList& pairs);
    void Op39(CQuadStringPtrList& records);  // always
    void Op40(CQuadStringPtrList& records);  // always
    void Op41(const CQuadStringPtrList& records);
    void Op42(const CQuadStringPtrList& records);
    // 43: the host's custom placeholders, always.
    void GetCustomPlaceholders(CCustomPlaceholderMap& placeholders);
    void Op44(CCustomPlaceholderMap& placeholders);  // always
    void Op45(const CCustomPlaceholderMap& placeholders);
    void Op46(const CCustomPlaceholderMap& placeholders);
    void Op47(DWORD number, CString& out);  // always
    void Op48(DWORD number, LPCSTR text);
    [[nodiscard]] DWORD Op49(LPCSTR text1, LPCSTR text2, CString& out);  // 0 always; the text always
    [[nodiscard]] DWORD Op50(LPCSTR text1, LPCSTR text2, LPCSTR text3);  // 0 always
    [[nodiscard]] DWORD Op51();    // V
    [[nodiscard]] DWORD Op52();    // V
    [[nodiscard]] CString Op53();  // T
    [[nodiscard]] CString Op54();  // T
    [[nodiscard]] CString Op55();  // T
    void Op56(DWORD number);
    void Op57(LPCSTR text);
    void Op58(LPCSTR text);
    void Op59(LPCSTR text);
    void Op60(CDoubleStringUintPtrList& records);  // always
    void Op61(const CDoubleStringUintPtrList& records);
    void Op62(CString& out1, CString& out2);  // always
    [[nodiscard]] DWORD Op63(LPCSTR text1, LPCSTR text2);  // S
    [[nodiscard]] DWORD Op64(LPCSTR text);                 // S
    [[nodiscard]] DWORD Op65(LPCSTR text);                 // S
    [[nodiscard]] DWORD Op66();  // V
    [[nodiscard]] DWORD Op67();  // V
    [[nodiscard]] DWORD Op68();  // V
    [[nodiscard]] DWORD Op69();  // V
    [[nodiscard]] DWORD Op70();  // V
    [[nodiscard]] DWORD Op71();  // V
    [[nodiscard]] DWORD Op72();  // V
    void Op74(CString& out1, CString& out2, CString& out3);  // always
    [[nodiscard]] DWORD Op75();  // V
    // Companion 1; the texts always.
    void Op76(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, DWORD number6,
              DWORD number7, DWORD number8, CString& out1, CString& out2, CString& out3);
    // Companion 1.
    void Op77(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, DWORD number6,
              DWORD number7, DWORD number8, LPCSTR text1, LPCSTR text2, LPCSTR text3);
    [[nodiscard]] DWORD Op78();  // V
    [[nodiscard]] DWORD Op79();  // V
    [[nodiscard]] DWORD Op80();  // V
    [[nodiscard]] DWORD Op81();  // V
    [[nodiscard]] DWORD Op82();  // V
    [[nodiscard]] DWORD Op83();  // V
    [[nodiscard]] DWORD Op84();  // V
    void Op85(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, DWORD number6,
              DWORD number7);
    void Op86(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, DWORD number6,
              DWORD number7);
    [[nodiscard]] DWORD Op87();  // V
    [[nodiscard]] DWORD Op88();  // V
    [[nodiscard]] DWORD Op89();  // V
    void Op90(DWORD number);
    [[nodiscard]] DWORD Op91();  // V
    // Two methods of one form call operation 92 (V).
    [[nodiscard]] DWORD Op92();
    [[nodiscard]] DWORD Op92Second();
    [[nodiscard]] CString Op93();  // T
    // Companion 1; the text always.
    void Op95(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, CString& out,
              DWORD number6);
    // Companion 1.
    void Op96(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, LPCSTR text,
              DWORD number6);
    void Op97(LPCSTR text, CStringList& list);  // always
    void Op98(LPCSTR text, const CStringList& list);
    void Op99(CStringList& list);  // always
    void Op100(const CStringList& list);
    [[nodiscard]] DWORD Op129(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, LPCSTR text5);  // S
    // S; a failed call empties the text.
    [[nodiscard]] DWORD Op132(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, CString& out);
    [[nodiscard]] DWORD Op141(LPCSTR text1, LPCSTR text2, CString& out);                              // S
    [[nodiscard]] DWORD Op142(LPCSTR text1, LPCSTR text2, LPCSTR text3);                              // S
    [[nodiscard]] DWORD Op143(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, CString& out);  // S
    [[nodiscard]] DWORD Op144(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, LPCSTR text5);  // S
    [[nodiscard]] DWORD Op145(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, LPCSTR text5,
                              CString& out);  // S
    [[nodiscard]] DWORD Op146(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, LPCSTR text5,
                              LPCSTR text6);  // S
    [[nodiscard]] DWORD Op147(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, LPCSTR text5,
                              CString& out);  // S
    [[nodiscard]] DWORD Op148(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, LPCSTR text5,
                              LPCSTR text6);  // S
    [[nodiscard]] DWORD Op149(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, LPCSTR text5, LPCSTR text6,
                              CString& out);  // S
    [[nodiscard]] DWORD Op150(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, LPCSTR text5, LPCSTR text6,
                              LPCSTR text7);                      // S
    [[nodiscard]] DWORD Op151(LPCSTR text1, LPCSTR text2, LPCSTR text3);  // S
    void Op152(LPCSTR text1, LPCSTR text2, LPCSTR text3);
    void Op153(LPCSTR text1, LPCSTR text2, LPCSTR text3);
    void Op154(LPCSTR text1, LPCSTR text2, CStringList& list);  // always
    // Companion 2; the text always.
    void Op162(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, CString& out,
               DWORD number6, DWORD number7);
    // Companion 2.
    void Op163(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, LPCSTR text,
               DWORD number6, DWORD number7);
    [[nodiscard]] DWORD Op164();  // V
    // Companion 2; the texts always.
    void Op165(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, DWORD number6,
               DWORD number7, DWORD number8, CString& out1, CString& out2, CString& out3, DWORD number9);
    // Companion 2.
    void Op166(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, DWORD number6,
               DWORD number7, DWORD number8, LPCSTR text1, LPCSTR text2, LPCSTR text3, DWORD number9);
    // The flag always: 1 only when the host's value is 1.
    void Op168(LPCSTR text, BOOL* flag);
    void Op169(LPCSTR text, DWORD number);
    void Op170(LPCSTR text, BOOL* flag);  // as 168
    void Op171(LPCSTR text, DWORD number);
    [[nodiscard]] DWORD Op172(LPCSTR text1, LPCSTR text2, CString& out);                      // F0
    [[nodiscard]] DWORD Op173(LPCSTR text1, LPCSTR text2, CString& out);                      // F0
    [[nodiscard]] DWORD Op174(LPCSTR text1, LPCSTR text2, LPCSTR text3);                      // F0
    [[nodiscard]] DWORD Op175(LPCSTR text1, LPCSTR text2, LPCSTR text3);                      // F0
    [[nodiscard]] DWORD Op176(LPCSTR text, CDoubleStringUintPtrList& records);               // F0
    [[nodiscard]] DWORD Op177(LPCSTR text, const CDoubleStringUintPtrList& records);         // F0
    [[nodiscard]] DWORD Op178(LPCSTR text, CString& out1, CString& out2);                     // F0
    [[nodiscard]] DWORD Op179(LPCSTR text1, LPCSTR text2, LPCSTR text3);                      // F0
    [[nodiscard]] DWORD Op180(LPCSTR text1, LPCSTR text2);                                    // F0
    [[nodiscard]] DWORD Op181(LPCSTR text1, LPCSTR text2);                                    // F0
    [[nodiscard]] DWORD Op182(LPCSTR text, CStringPairList& pairs);                           // F0
    [[nodiscard]] DWORD Op183(LPCSTR text, const CStringPairList& pairs);                     // F0
    [[nodiscard]] DWORD Op184(LPCSTR text, CQuadStringPtrList& records);                      // F0
    [[nodiscard]] DWORD Op185(LPCSTR text, const CQuadStringPtrList& records);                // F0
    // 186: the custom placeholders of the named workspace (F0).
    [[nodiscard]] DWORD GetWorkspacePlaceholders(LPCSTR workspace, CCustomPlaceholderMap& placeholders);
    [[nodiscard]] DWORD Op187(LPCSTR text, const CCustomPlaceholderMap& placeholders);  // F0
    // F0; the flag is 1 only when the host's value is 1.
    [[nodiscard]] DWORD Op188(LPCSTR text, BOOL* flag, CString& out);
    [[nodiscard]] DWORD Op189(LPCSTR text1, DWORD number, LPCSTR text2);  // F0
    [[nodiscard]] DWORD Op190(LPCSTR text1, LPCSTR text2, DWORD number, CString& out1, CString& out2, CString& out3,
                              CString& out4);                               // F
    [[nodiscard]] DWORD Op191(LPCSTR text1, LPCSTR text2, CString& out);   // F
    [[nodiscard]] DWORD Op192(LPCSTR text1, LPCSTR text2, DWORD number, LPCSTR text3, LPCSTR text4, LPCSTR text5,
                              LPCSTR text6);  // F
    [[nodiscard]] DWORD Op193(LPCSTR text1, LPCSTR text2, DWORD number, LPCSTR text3, LPCSTR text4, LPCSTR text5,
                              LPCSTR text6);  // F
    // Companion 3; the texts always.
    void Op194(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, CString& out1,
               DWORD number6, DWORD number7, DWORD number8, CString& out2);
    // Companion 3.
    void Op195(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, LPCSTR text1,
               DWORD number6, DWORD number7, DWORD number8, LPCSTR text2);
    void Op198(CString& out);  // always
    void Op199(LPCSTR text);
    [[nodiscard]] DWORD Op201(LPCSTR text1, DWORD number1, const CString& text2, DWORD number2);  // F0
    // S0; the host receives the number itself.
    [[nodiscard]] DWORD Op202(LPCSTR text, const DWORD* number, CString& out, DWORD* numberOut);
    [[nodiscard]] DWORD Op203(LPCSTR text1, const CString& text2, const CString& text3);             // F0
    [[nodiscard]] DWORD Op204(LPCSTR text1, const CString& text2, CString& out);                     // S0
    [[nodiscard]] DWORD Op205(LPCSTR text1, LPCSTR text2, LPCSTR text3, DWORD number1, DWORD number2);  // F0
    [[nodiscard]] DWORD Op206(LPCSTR text1, LPCSTR text2, LPCSTR text3, DWORD number1, DWORD number2);  // S0
    // The texts always.
    void Op207(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, DWORD number6,
               DWORD number7, DWORD number8, CString& out1, CString& out2, CString& out3, DWORD number9,
               DWORD number10);
    void Op208(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, DWORD number6,
               DWORD number7, DWORD number8, LPCSTR text1, LPCSTR text2, LPCSTR text3, DWORD number9,
               DWORD number10);
    [[nodiscard]] HRESULT Op209();  // H
    // The host's value (0 before the call) when its result is not negative,
    // else 0.
    [[nodiscard]] DWORD Op210(const CString& text1, const CString& text2, const CString& text3);
    [[nodiscard]] DWORD Op211();                // V
    [[nodiscard]] HRESULT Op212(DWORD number);  // H
    void Op214(LPCSTR text);
    void Op215(DWORD number, CString& out1, CString& out2, CString& out3, CString& out4);  // always
    // The text always; the host's second out is dropped.
    void Op216(const CString& text, CString& out);
    void Op217(const CString& text1, const CString& text2, DWORD number);
    // The texts always.
    void Op218(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, DWORD number6,
               DWORD number7, DWORD number8, CString& out1, CString& out2, CString& out3, DWORD number9,
               DWORD number10, DWORD number11, DWORD number12, DWORD number13, DWORD number14, DWORD number15,
               DWORD number16);
    void Op219(DWORD number1, DWORD number2, DWORD number3, DWORD number4, DWORD number5, DWORD number6,
               DWORD number7, DWORD number8, LPCSTR text1, LPCSTR text2, LPCSTR text3, DWORD number9,
               DWORD number10, DWORD number11, DWORD number12, DWORD number13, DWORD number14, DWORD number15,
               DWORD number16);
    // S; the flags are 1 only for VARIANT_TRUE.
    [[nodiscard]] DWORD Op220(LPCSTR text, BOOL* flag1, CString& out1, CString& out2, BOOL* flag2, CString& out3);
    [[nodiscard]] DWORD Op221(LPCSTR text1, BOOL flag1, LPCSTR text2, LPCSTR text3, BOOL flag2, LPCSTR text4);  // S
    void Op222(CString& out1, CString& out2);  // always
    void Op223(LPCSTR text1, LPCSTR text2);
    void Op224(CStringList& list);  // always
    // The list VARIANT itself goes to the host.
    void Op225(const CStringList& list);
    [[nodiscard]] DWORD Op228(LPCSTR text);  // S0
    [[nodiscard]] DWORD Op229(LPCSTR text);  // S0
    [[nodiscard]] DWORD Op230(LPCSTR text);  // S0
    // The flags always: 1 for any value but 0.
    void Op231(BOOL* flag1, BOOL* flag2, BOOL* flag3);
    [[nodiscard]] HRESULT Op232(BOOL flag1, BOOL flag2, BOOL flag3);  // H
    [[nodiscard]] HRESULT Op233();                                    // H
    [[nodiscard]] HRESULT Op234(BOOL flag);                           // H
    void Op235(LPCSTR text, DWORD number);
    [[nodiscard]] DWORD Op236(LPCSTR text);  // S0
    void Op237(LPCSTR text, DWORD number);
    // The four flags are set to 0 before the call, then each to 1 when the
    // call succeeds and its value is VARIANT_TRUE.
    void Op238(LPCSTR text, BOOL* flag1, BOOL* flag2, BOOL* flag3, BOOL* flag4);
    void Op239(LPCSTR text, BOOL flag1, BOOL flag2, BOOL flag3, BOOL flag4);

private:
    IHServiceFCompanion1* Companion1() const;
    IHServiceFCompanion2* Companion2() const;
    IHServiceFCompanion3* Companion3() const;

    IHostServiceProvider* m_host = nullptr;  // borrowed, kept for the companions
    IHPlaceholderSettings* m_f = nullptr;    // borrowed
};
