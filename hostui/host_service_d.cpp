#include "hostui/host_service_d.h"

#include "hostui/wrapper_kit.h"

#include <optional>

namespace kit = wrapper_kit;
using kit::F0;
using kit::S0;
using kit::Text;

namespace {

// Whether the host answered exactly S_OK.
bool Ok(std::optional<HRESULT> result) {
    return result && kit::ExactlyOk(*result);
}

}  // namespace

CHostServiceD::CHostServiceD(IHostServiceProvider* host) : m_host(host) {
    kit::IntoField(m_host, IID_IHServiceD, m_d);
}

DWORD CHostServiceD::Op17(LPCSTR text, DWORD number) {
    DWORD value = 0;
    const auto result =
        kit::Invoke(m_d, &IHServiceD::Op17, kit::ExactlyOk, &value, kit::TextRef(text, false), number);
    return Ok(result) && value == 0 ? 0 : 1;
}

DWORD CHostServiceD::Op19() {
    DWORD value = 0;
    return Ok(kit::Invoke(m_d, &IHServiceD::Op19, kit::ExactlyOk, &value)) ? value : 1;
}

DWORD CHostServiceD::Op20() {
    DWORD value = 0;
    return Ok(kit::Invoke(m_d, &IHServiceD::Op20, kit::ExactlyOk, &value)) ? value : 1;
}

DWORD CHostServiceD::Op22() {
    DWORD value = 0;
    const auto result = kit::Invoke(m_d, &IHServiceD::Op22, kit::ExactlyOk, &value, DWORD{1});
    return Ok(result) && value == 0 ? 0 : 1;
}

DWORD CHostServiceD::Op23() {
    return kit::Call<F0>(m_d, &IHServiceD::Op23);
}

DWORD CHostServiceD::Op24() {
    return kit::Call<F0>(m_d, &IHServiceD::Op24);
}

DWORD CHostServiceD::Op25() {
    DWORD value = 0;
    return Ok(kit::Invoke(m_d, &IHServiceD::Op25, kit::ExactlyOk, &value)) && value == 1 ? 0 : 1;
}

DWORD CHostServiceD::Op26() {
    return kit::Call<S0>(m_d, &IHServiceD::Op26);
}

DWORD CHostServiceD::Op27() {
    DWORD value = 0;
    return Ok(kit::Invoke(m_d, &IHServiceD::Op27, kit::ExactlyOk, &value)) && value != 0 ? 1 : 0;
}

DWORD CHostServiceD::Op29(CStringList& list) {
    kit::CallNone(m_d, &IHServiceD::Op29, kit::StringsOut(list, kit::Take::Always));
    return 0;
}

HRESULT CHostServiceD::Op40() {
    return kit::CallH(m_d, &IHServiceD::Op40);
}

HRESULT CHostServiceD::Op41() {
    return kit::CallH(m_d, &IHServiceD::Op41);
}

void CHostServiceD::Op79(const CStringList& list) {
    kit::CallNone(m_d, &IHServiceD::Op79, kit::StringsIn(list));
}

HRESULT CHostServiceD::Op83() {
    return kit::CallH(m_d, &IHServiceD::Op83);
}

HRESULT CHostServiceD::Op84(DWORD number1, DWORD number2) {
    return kit::CallH(m_d, &IHServiceD::Op84, number1, number2);
}

HRESULT CHostServiceD::Op85(DWORD number) {
    return kit::CallH(m_d, &IHServiceD::Op85, number);
}

DWORD CHostServiceD::Op86() {
    return kit::Call<S0>(m_d, &IHServiceD::Op86);
}

void CHostServiceD::Op89(DWORD number1, DWORD number2, LPCSTR text) {
    kit::CallNone(m_d, &IHServiceD::Op89, number1, number2, kit::TextRef(text, true));
}

void CHostServiceD::Op90(DWORD number1, DWORD number2, DWORD number3, LPCSTR text) {
    kit::CallNone(m_d, &IHServiceD::Op90, number1, number2, number3, kit::TextRef(text, true));
}

DWORD CHostServiceD::Op91(const CString& text1, const CString& text2, DWORD number3, DWORD number4,
                          const CString& text5, DWORD number6) {
    return kit::Call<F0>(m_d, &IHServiceD::Op91, Text(text1), Text(text2), number3, number4, Text(text5), number6);
}

HRESULT CHostServiceD::Op92() {
    return kit::CallH(m_d, &IHServiceD::Op92);
}

void CHostServiceD::Op93(const CStringList& list) {
    kit::CallNone(m_d, &IHServiceD::Op93, kit::StringsIn(list));
}

DWORD CHostServiceD::Op94(const CString& text, DWORD number) {
    return kit::Call<S0>(m_d, &IHServiceD::Op94, Text(text), number);
}

HRESULT CHostServiceD::Op95() {
    return kit::CallH(m_d, &IHServiceD::Op95);
}

void CHostServiceD::Op96(LPCSTR text, DWORD number1, DWORD number2, BOOL flag1, BOOL flag2) {
    kit::CallNone(m_d, &IHServiceD::Op96, Text(text), number1, number2, kit::Flag(flag1), kit::Flag(flag2));
}

DWORD CHostServiceD::SubOp38(const CString& text1, const CString& text2, DWORD number3, const CString& text4,
                             DWORD number5) {
    IHServiceDSub* sub = kit::AskEachCall<IHServiceDSub>(m_host, IID_IHServiceDSub);
    return kit::Call<F0>(sub, &IHServiceDSub::Op38, Text(text1), Text(text2), number3, Text(text4), number5);
}

DWORD CHostServiceD::SubOp39(const CString& text1, const CString& text2, DWORD number3) {
    IHServiceDSub* sub = kit::AskEachCall<IHServiceDSub>(m_host, IID_IHServiceDSub);
    return kit::Call<F0>(sub, &IHServiceDSub::Op39, Text(text1), Text(text2), number3);
}
