#include "hostui/host_service_i.h"

#include "frame/com_utils.h"
#include "hostui/wrapper_kit.h"

namespace kit = wrapper_kit;
using kit::F;
using kit::F0;
using kit::S;
using kit::S0;
using NullText = kit::TextOrNull;

namespace {

DWORD ValueAt(const DWORD* value) {
    return value != nullptr ? *value : 0;
}

}  // namespace

CHostServiceI::CHostServiceI(IHostServiceProvider* host)
    : m_i(kit::FromProvider<IHServiceI>(host, IID_IHServiceI)) {}

DWORD CHostServiceI::Op8(DWORD* out) {
    return kit::Call<F0>(m_i, &IHServiceI::Op8, kit::NumberOut(out));
}

DWORD CHostServiceI::Op9(DWORD key, CString& text1, CString& text2, DWORD* number) {
    if (!IsValid()) {
        return 1;
    }
    IHServiceIItem* item = nullptr;  // borrowed, never released
    if (m_i->Op9(key, &item) != S_OK || item == nullptr) {
        return 1;
    }
    platform::Bstr first;
    platform::Bstr second;
    DWORD value = 0;
    if (item->Op3(first.Out()) != S_OK || item->Op5(second.Out()) != S_OK || item->Op4(&value) != S_OK) {
        return 1;
    }
    text1 = first.Ansi().c_str();
    text2 = second.Ansi().c_str();
    if (number != nullptr) {
        *number = value;
    }
    return 0;
}

DWORD CHostServiceI::Op10(DWORD number) {
    return kit::Call<F0>(m_i, &IHServiceI::Op10, number);
}

DWORD CHostServiceI::Op11(DWORD number) {
    return kit::Call<F0>(m_i, &IHServiceI::Op11, number);
}

DWORD CHostServiceI::Op33() {
    return kit::Call<F>(m_i, &IHServiceI::Op33);
}

DWORD CHostServiceI::Op35() {
    return kit::Call<S0>(m_i, &IHServiceI::Op35);
}

DWORD CHostServiceI::Op43(const CString& text1, const CString& text2, const DWORD* value1, const DWORD* value2,
                          const DWORD* value3, const DWORD* value4, const DWORD* value5) {
    return kit::Call<S0>(m_i, &IHServiceI::Op43, NullText(text1), NullText(text2), ValueAt(value1), ValueAt(value2),
                         ValueAt(value3), ValueAt(value4), ValueAt(value5));
}

DWORD CHostServiceI::Op44() {
    return kit::Call<S0>(m_i, &IHServiceI::Op44);
}

DWORD CHostServiceI::Op45() {
    return kit::Call<S0>(m_i, &IHServiceI::Op45);
}

void CHostServiceI::Op46() {
    kit::CallNone(m_i, &IHServiceI::Op46);
}

void CHostServiceI::Op47() {
    kit::CallNone(m_i, &IHServiceI::Op47);
}

HRESULT CHostServiceI::Op48(const CStringList& list) {
    return kit::Invoke(m_i, &IHServiceI::Op48, kit::Succeeded, kit::StringsIn(list)).value_or(S_OK);
}

DWORD CHostServiceI::Op49(CString text1, DWORD number, CString text2, CString& out) {
    return kit::Call<S>(m_i, &IHServiceI::Op49, NullText(text1), number, NullText(text2), kit::OutText(out));
}

DWORD CHostServiceI::Op50(CString text, const CDWordArray& values, CStringList& list) {
    return kit::Call<S>(m_i, &IHServiceI::Op50, kit::Text(text), kit::ListIn(values, CComUtils::DWordArrayToVariant),
                        kit::StringsOut(list));
}
