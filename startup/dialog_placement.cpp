#include "startup/dialog_placement.h"

namespace {

constexpr char kHostWindowClass[] = "KTR2";

}  // namespace

void CenterOnHostWindow(CWnd& window) {
    if (const HWND host = ::FindWindowA(kHostWindowClass, nullptr)) {
        window.CenterWindow(CWnd::FromHandle(host));
    }
}
