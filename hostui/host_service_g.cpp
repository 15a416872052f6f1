#include "hostui/host_service_g.h"

#include "hostui/wrapper_kit.h"

namespace kit = wrapper_kit;

CHostServiceG::CHostServiceG(IHostServiceProvider* host)
    // Each request starts from a null pointer, so that a host answering
    // success without writing one leaves the field null.
    : m_first(nullptr), m_second(kit::FromProvider<IHServiceGSecond>(host, IID_IHServiceGSecond)) {
    m_first = kit::FromProvider<IHServiceGFirst>(host, IID_IHServiceGFirst);
}

DWORD CHostServiceG::SecondOp13(LPCSTR text1, LPCSTR text2, LPCSTR text3, DWORD number1, DWORD number2) {
    return kit::Call<kit::S>(m_second, &IHServiceGSecond::Op13, kit::TextOrNull(text1), kit::TextOrNull(text2),
                             kit::TextOrNull(text3), number1, number2);
}

void CHostServiceG::SecondOp14() {
    kit::CallNone(m_second, &IHServiceGSecond::Op14);
}

void CHostServiceG::SecondOp15() {
    kit::CallNone(m_second, &IHServiceGSecond::Op15);
}

void CHostServiceG::SecondOp16() {
    kit::CallNone(m_second, &IHServiceGSecond::Op16);
}

DWORD CHostServiceG::FirstOp9() {
    VARIANT_BOOL value = VARIANT_FALSE;  // a host that writes nothing answers no
    static_cast<void>(kit::Invoke(m_first, &IHServiceGFirst::Op9, kit::Succeeded, &value));  // only the value counts
    return value == VARIANT_TRUE ? 1 : 0;
}
