#include "hostui/host_output_wrapper.h"

#include "hostui/wrapper_kit.h"

namespace kit = wrapper_kit;

CHostOutputWrapper::CHostOutputWrapper(IHostServiceProvider* host)
    : m_output(kit::FromProvider<IHOutputWindow>(host, IID_IHOutputWindow)) {}

BOOL CHostOutputWrapper::IsValid() {
    return kit::Call<kit::S0>(m_output, &IHOutputWindow::IsReady);
}

BOOL CHostOutputWrapper::PostText(LPCSTR text) {
    return kit::Call<kit::S0>(m_output, &IHOutputWindow::PostLine, kit::TextOrNull(text));
}
