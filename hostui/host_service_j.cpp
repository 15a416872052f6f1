#include "hostui/host_service_j.h"

#include "hostui/wrapper_kit.h"

namespace kit = wrapper_kit;

CHostServiceJ::CHostServiceJ(IHostServiceProvider* host)
    : m_j(kit::FromProvider<IHServiceJ>(host, IID_IHServiceJ)) {}

DWORD CHostServiceJ::Op3() {
    return kit::Call<kit::S0>(m_j, &IHServiceJ::Op3);
}

DWORD CHostServiceJ::Op37(DWORD number) {
    return kit::Call<kit::S0>(m_j, &IHServiceJ::Op37, number);
}
