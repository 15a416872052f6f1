#include "util/wnd_control_base.h"

void CWndControlBase::Disable() {
    m_window.EnableWindow(FALSE);
}

void CWndControlBase::Enable() {
    m_window.EnableWindow(TRUE);
}
