#include "hostui/host_service_b.h"

#include "hostui/wrapper_kit.h"
#include "util/string_join.h"
#include "util/string_split.h"

namespace kit = wrapper_kit;
using kit::F;
using kit::F0;
using kit::OutText;
using kit::S;
using kit::S0;
using kit::Take;
using kit::Text;

namespace {

// Operation 25's out: one text that is split at every '|' into the caller's
// list when the call passes.
class SplitOut {
public:
    explicit SplitOut(CStringList& pieces) : pieces_(pieces) {}
    BSTR* Host() { return text_.Out(); }
    void Commit(bool passed) {
        if (passed) {
            static_cast<void>(SplitToStringList(text_.Ansi().c_str(), pieces_, '|'));  // the count is not needed
        }
    }

private:
    CStringList& pieces_;
    platform::Bstr text_;
};

kit::FlagFromVariantBool FlagOut(BOOL* flag) {
    return kit::FlagFromVariantBool(flag, kit::Truth::NotZero);
}

kit::FlagFromNumber WordFlagOut(BOOL* flag) {
    return kit::FlagFromNumber(flag, kit::Truth::NotZero);
}

}  // namespace

CHostServiceB::CHostServiceB(IHostServiceProvider* host)
    : m_b(kit::FromProvider<IHServiceB>(host, IID_IHServiceB)) {}

HRESULT CHostServiceB::Op3(LPCSTR text1, LPCSTR text2, LPCSTR text3, CDownloadModuleList& modules) {
    return kit::CallH(m_b, &IHServiceB::Op3, Text(text1), Text(text2), Text(text3),
                      kit::ListOut(modules, VariantToDownloadModuleList, Take::Always));
}

HRESULT CHostServiceB::Op4(LPCSTR text1, LPCSTR text2, LPCSTR text3, const CDownloadModuleList& modules) {
    return kit::CallH(m_b, &IHServiceB::Op4, Text(text1), Text(text2), Text(text3),
                      kit::ListIn(modules, DownloadModuleListToVariant));
}

DWORD CHostServiceB::Op5(LPCSTR text1, LPCSTR text2, LPCSTR text3, CString& out) {
    return kit::Call<F>(m_b, &IHServiceB::Op5, Text(text1), Text(text2), Text(text3), OutText(out));
}

HRESULT CHostServiceB::Op6(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4) {
    return kit::CallH(m_b, &IHServiceB::Op6, Text(text1), Text(text2), Text(text3), Text(text4));
}

DWORD CHostServiceB::Op7(LPCSTR text1, LPCSTR text2, LPCSTR text3, CString& out) {
    return kit::Call<F>(m_b, &IHServiceB::Op7, Text(text1), Text(text2), Text(text3), OutText(out));
}

HRESULT CHostServiceB::Op8(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4) {
    return kit::CallH(m_b, &IHServiceB::Op8, Text(text1), Text(text2), Text(text3), Text(text4));
}

DWORD CHostServiceB::Op9(const CString& text1, const CString& text2, const CString& text3) {
    VARIANT_BOOL flag = VARIANT_FALSE;
    // Only the flag counts: a host may set it and still fail.
    static_cast<void>(kit::Invoke(m_b, &IHServiceB::Op9, kit::Succeeded, Text(text1), Text(text2), Text(text3), &flag));
    return flag != VARIANT_FALSE ? 1 : 0;
}

HRESULT CHostServiceB::Op10(LPCSTR text1, LPCSTR text2, LPCSTR text3, BOOL flag) {
    return kit::CallH(m_b, &IHServiceB::Op10, Text(text1), Text(text2), Text(text3), kit::FlagIfOne(flag));
}

void CHostServiceB::Op11(const CString& text1, const CString& text2, const CString& text3, CCommandFileList& files) {
    kit::CallNone(m_b, &IHServiceB::Op11, Text(text1), Text(text2), Text(text3),
                  kit::ListOut(files, VariantToCommandFileList, Take::Always));
}

DWORD CHostServiceB::Op13(LPCSTR text1, LPCSTR text2, LPCSTR text3, CString& out) {
    return kit::Call<S>(m_b, &IHServiceB::Op13, Text(text1), Text(text2), Text(text3), OutText(out));
}

void CHostServiceB::Op14(const CString& text1, const CString& text2, const CString& text3, const CString& text4) {
    kit::CallNone(m_b, &IHServiceB::Op14, Text(text1), Text(text2), Text(text3), Text(text4));
}

DWORD CHostServiceB::Op19(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, CString& out) {
    return kit::Call<F>(m_b, &IHServiceB::Op19, Text(text1), Text(text2), Text(text3), Text(text4), OutText(out));
}

DWORD CHostServiceB::Op20(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, LPCSTR text5) {
    return kit::Call<F>(m_b, &IHServiceB::Op20, Text(text1), Text(text2), Text(text3), Text(text4), Text(text5));
}

DWORD CHostServiceB::Op23(LPCSTR text1, LPCSTR text2, LPCSTR text3, BOOL* flag) {
    return kit::Call<S>(m_b, &IHServiceB::Op23, Text(text1), Text(text2), Text(text3), FlagOut(flag));
}

DWORD CHostServiceB::Op24(LPCSTR text1, LPCSTR text2, LPCSTR text3, BOOL flag) {
    return kit::Call<S>(m_b, &IHServiceB::Op24, Text(text1), Text(text2), Text(text3), kit::Flag(flag));
}

DWORD CHostServiceB::Op25(LPCSTR text1, LPCSTR text2, CStringList& pieces) {
    return kit::Call<S>(m_b, &IHServiceB::Op25, Text(text1), Text(text2), SplitOut(pieces));
}

DWORD CHostServiceB::Op26(LPCSTR text1, LPCSTR text2, const CStringList& list) {
    const CString joined = JoinStringList(list, '|');
    return kit::Call<S>(m_b, &IHServiceB::Op26, Text(text1), Text(text2), Text(joined));
}

DWORD CHostServiceB::Op27(LPCSTR text1, LPCSTR text2, DWORD number) {
    return kit::Call<S>(m_b, &IHServiceB::Op27, Text(text1), Text(text2), number);
}

DWORD CHostServiceB::Op28(LPCSTR text1, LPCSTR text2, LPCSTR text3) {
    return kit::Call<S0>(m_b, &IHServiceB::Op28, Text(text1), Text(text2), Text(text3));
}

DWORD CHostServiceB::Op29(LPCSTR text1, CString& out) {
    return kit::Call<S>(m_b, &IHServiceB::Op29, Text(text1), OutText(out));
}

DWORD CHostServiceB::Op30(LPCSTR text1, LPCSTR text2) {
    return kit::Call<S>(m_b, &IHServiceB::Op30, Text(text1), Text(text2));
}

DWORD CHostServiceB::Op31(LPCSTR text1, BOOL* flag) {
    return kit::Call<S>(m_b, &IHServiceB::Op31, Text(text1), FlagOut(flag));
}

DWORD CHostServiceB::Op32(LPCSTR text1, BOOL flag) {
    return kit::Call<S>(m_b, &IHServiceB::Op32, Text(text1), kit::Flag(flag));
}

DWORD CHostServiceB::Op33(LPCSTR text1, LPCSTR text2) {
    return kit::Call<S0>(m_b, &IHServiceB::Op33, Text(text1), Text(text2));
}

DWORD CHostServiceB::Op38(LPCSTR text1) {
    return kit::Call<S>(m_b, &IHServiceB::Op38, Text(text1));
}

DWORD CHostServiceB::Op39(LPCSTR text1, LPCSTR text2, LPCSTR text3, DWORD number, DWORD* out) {
    return kit::Call<F0>(m_b, &IHServiceB::Op39, Text(text1), Text(text2), Text(text3), number, kit::NumberOut(out));
}

DWORD CHostServiceB::Op40(LPCSTR text1, LPCSTR text2, LPCSTR text3, DWORD number4, LPCSTR text5, LPCSTR text6,
                          DWORD number7, DWORD number8, DWORD number9, LPCSTR text10, DWORD number11, DWORD number12,
                          DWORD number13, DWORD number14, DWORD number15, DWORD number16) {
    return kit::Call<F0>(m_b, &IHServiceB::Op40, Text(text1), Text(text2), Text(text3), number4, Text(text5),
                         Text(text6), number7, number8, number9, Text(text10), number11, number12, number13, number14,
                         number15, number16);
}

DWORD CHostServiceB::Op41(LPCSTR text1, LPCSTR text2, LPCSTR text3, DWORD number4, LPCSTR text5, LPCSTR text6,
                          CString& out7, DWORD* out8, DWORD* out9, DWORD* out10, CString& out11, DWORD* out12,
                          DWORD* out13, DWORD* out14, DWORD* out15, DWORD* out16, DWORD* out17) {
    using kit::NumberOut;
    return kit::Call<F0>(m_b, &IHServiceB::Op41, Text(text1), Text(text2), Text(text3), number4, Text(text5),
                         Text(text6), OutText(out7), NumberOut(out8), NumberOut(out9), NumberOut(out10),
                         OutText(out11), NumberOut(out12), NumberOut(out13), NumberOut(out14), NumberOut(out15),
                         NumberOut(out16), NumberOut(out17));
}

DWORD CHostServiceB::Op42(LPCSTR text1, LPCSTR text2, LPCSTR text3, const CStringList& list) {
    return kit::Call<F0>(m_b, &IHServiceB::Op42, Text(text1), Text(text2), Text(text3), kit::StringsIn(list));
}

DWORD CHostServiceB::Op43(LPCSTR text1, LPCSTR text2, LPCSTR text3, CStringList& list) {
    return kit::Call<F0>(m_b, &IHServiceB::Op43, Text(text1), Text(text2), Text(text3), kit::StringsOut(list));
}

DWORD CHostServiceB::Op44(const CString& text1, const CString& text2, const CString& text3, DWORD number4,
                          const CString& text5, const CString& text6, DWORD number7, DWORD number8, DWORD number9,
                          const CString& text10, DWORD number11, DWORD number12, DWORD number13, DWORD number14,
                          DWORD number15, DWORD number16, DWORD number17, const CStringList& list18,
                          const CString& text19) {
    return kit::Call<S0>(m_b, &IHServiceB::Op44, Text(text1), Text(text2), Text(text3), number4, Text(text5),
                         Text(text6), number7, number8, number9, Text(text10), number11, number12, number13, number14,
                         number15, number16, number17, kit::StringsIn(list18), Text(text19));
}

DWORD CHostServiceB::Op45(const CString& text1, DWORD number2, DWORD number3, DWORD number4, const CString& text5,
                          DWORD number6, DWORD number7, DWORD number8, DWORD number9, DWORD number10, DWORD number11,
                          DWORD number12, const CStringList& list13) {
    return kit::Call<S0>(m_b, &IHServiceB::Op45, Text(text1), number2, number3, number4, Text(text5), number6,
                         number7, number8, number9, number10, number11, number12, kit::StringsIn(list13));
}

DWORD CHostServiceB::Op46(const CString& text1, const CString& text2, const CString& text3, DWORD number4,
                          const CString& text5, const CString& text6, CString& out7, DWORD number8, DWORD number9,
                          DWORD number10, CString& out11, DWORD number12, DWORD number13, DWORD number14,
                          DWORD number15, DWORD number16, DWORD number17, DWORD number18, CStringList& list19,
                          CString& out20) {
    return kit::Call<S0>(m_b, &IHServiceB::Op46, Text(text1), Text(text2), Text(text3), number4, Text(text5),
                         Text(text6), OutText(out7), number8, number9, number10, OutText(out11), number12, number13,
                         number14, number15, number16, number17, number18, kit::StringsOut(list19), OutText(out20));
}

DWORD CHostServiceB::Op47(const CString& text1, DWORD number2, DWORD number3, DWORD number4, CString& out5,
                          DWORD number6, DWORD number7, DWORD number8, DWORD number9, DWORD number10, DWORD number11,
                          DWORD number12, CStringList& list13) {
    return kit::Call<S0>(m_b, &IHServiceB::Op47, Text(text1), number2, number3, number4, OutText(out5), number6,
                         number7, number8, number9, number10, number11, number12, kit::StringsOut(list13));
}

DWORD CHostServiceB::Op48(const CString& text1, const CString& text2, const CString& text3, DWORD number,
                          const CString& text5) {
    return kit::Call<S0>(m_b, &IHServiceB::Op48, Text(text1), Text(text2), Text(text3), number, Text(text5));
}

DWORD CHostServiceB::Op49(const CString& text1, const CString& text2, const CString& text3, DWORD number,
                          const CString& text5) {
    return kit::Call<S0>(m_b, &IHServiceB::Op49, Text(text1), Text(text2), Text(text3), number, Text(text5));
}

DWORD CHostServiceB::Op50(const CString& text1, const CString& text2, const CString& text3, BOOL* flag) {
    return kit::Call<S0>(m_b, &IHServiceB::Op50, Text(text1), Text(text2), Text(text3), FlagOut(flag));
}

DWORD CHostServiceB::Op51(const CString& text1, const CString& text2, const CString& text3, BOOL flag) {
    return kit::Call<S0>(m_b, &IHServiceB::Op51, Text(text1), Text(text2), Text(text3), kit::Flag(flag));
}

DWORD CHostServiceB::Op52(LPCSTR text1, LPCSTR text2, LPCSTR text3, BOOL flag) {
    return kit::Call<S0>(m_b, &IHServiceB::Op52, Text(text1), Text(text2), Text(text3), kit::WordFlag(flag));
}

DWORD CHostServiceB::Op53(LPCSTR text1, LPCSTR text2, LPCSTR text3, BOOL* flag) {
    return kit::Call<S0>(m_b, &IHServiceB::Op53, Text(text1), Text(text2), Text(text3), WordFlagOut(flag));
}

DWORD CHostServiceB::Op54(LPCSTR text1, LPCSTR text2, LPCSTR text3, BOOL flag) {
    return kit::Call<S0>(m_b, &IHServiceB::Op54, Text(text1), Text(text2), Text(text3), kit::WordFlag(flag));
}

DWORD CHostServiceB::Op55(LPCSTR text1, LPCSTR text2, LPCSTR text3, BOOL* flag) {
    return kit::Call<S0>(m_b, &IHServiceB::Op55, Text(text1), Text(text2), Text(text3), WordFlagOut(flag));
}
