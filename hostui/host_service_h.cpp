#include "hostui/host_service_h.h"

#include "hostui/wrapper_kit.h"

namespace kit = wrapper_kit;
using kit::F0;

CHostServiceH::CHostServiceH(IHostServiceProvider* host)
    : m_h(kit::FromProvider<IHServiceH>(host, IID_IHServiceH)) {}

DWORD CHostServiceH::Op3(DWORD number) {
    return kit::Call<F0>(m_h, &IHServiceH::Op3, number);
}

DWORD CHostServiceH::Op4(DWORD number) {
    return kit::Call<F0>(m_h, &IHServiceH::Op4, number);
}

DWORD CHostServiceH::Op5(LPCSTR text, DWORD number1, DWORD number2, DWORD number3) {
    return kit::Call<F0>(m_h, &IHServiceH::Op5, kit::Text(text), number1, number2, number3);
}

DWORD CHostServiceH::Op6() {
    return kit::Call<F0>(m_h, &IHServiceH::Op6);
}

DWORD CHostServiceH::Op7(DWORD number) {
    return kit::Call<F0>(m_h, &IHServiceH::Op7, number);
}

DWORD CHostServiceH::Op8(DWORD number) {
    return kit::Call<F0>(m_h, &IHServiceH::Op8, number);
}

DWORD CHostServiceH::Op9() {
    return kit::Call<F0>(m_h, &IHServiceH::Op9);
}

DWORD CHostServiceH::Op10(DWORD number) {
    return kit::Call<F0>(m_h, &IHServiceH::Op10, number);
}

DWORD CHostServiceH::Op11(DWORD number1, DWORD number2) {
    return kit::Call<F0>(m_h, &IHServiceH::Op11, number1, number2);
}

DWORD CHostServiceH::Op12(DWORD number) {
    return kit::Call<F0>(m_h, &IHServiceH::Op12, number);
}

DWORD CHostServiceH::Op13(LPCSTR text) {
    return kit::Call<F0>(m_h, &IHServiceH::Op13, kit::Text(text));
}

DWORD CHostServiceH::Op14() {
    return kit::Call<F0>(m_h, &IHServiceH::Op14);
}
