#include "util/ui_window_helpers.h"

#include "platform/module.h"
#include "util/os_version.h"
#include "util/string_split.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

const UINT g_comboExNewItemMessage = RegisterWindowMessageA("ComboExNewItem");
const UINT g_comboExApplyMessage = RegisterWindowMessageA("ComboExApply");
const DWORD g_uiLibraryMarker = 0x5243414D;

namespace {

constexpr char kSupportLibrary[] = "Ovd.dll";
constexpr WORD kContextHelpOrdinal = 5;
using SupportContextHelp = LRESULT(WINAPI*)(HWND dialog, HWND control, DWORD reserved);

int ScreenPixelsPerInch() {
    const HDC screen = GetDC(nullptr);
    const int pixels = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return pixels;
}

CMDIFrameWnd* MainFrame() {
    return dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
}

bool Held(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

}  // namespace

CWnd* GetMainFrameMember() {
    CMDIFrameWnd* frame = MainFrame();
    return frame != nullptr ? CWnd::FromHandle(frame->m_hWndMDIClient) : nullptr;
}

int PixelsToPoints(int pixels) {
    return MulDiv(std::abs(pixels), 72, ScreenPixelsPerInch());
}

int GetLogFontPointSize(const LOGFONTA& font) {
    return PixelsToPoints(font.lfHeight);
}

int PointsToFontHeight(int points) {
    return -(std::abs(points) * ScreenPixelsPerInch()) / 72;
}

void CopyLogFont(const LOGFONTA& source, LOGFONTA& destination) {
    destination = source;
    std::memcpy(destination.lfFaceName, source.lfFaceName, sizeof(destination.lfFaceName));
    destination.lfFaceName[LF_FACESIZE - 1] = '\0';
}

BOOL GetMDIClientRect(RECT& rect, BOOL client) {
    CWnd* mdiClient = GetMainFrameMember();
    if (mdiClient == nullptr) {
        return FALSE;
    }
    mdiClient->GetWindowRect(&rect);
    if (!client) {
        return TRUE;
    }
    CPoint topLeft(rect.left, rect.top);
    mdiClient->ScreenToClient(&topLeft);
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    rect = RECT{topLeft.x, topLeft.y, topLeft.x + width, topLeft.y + height};
    if (rect.left < 0) {
        rect.right += -rect.left;
        rect.left = 0;
    }
    if (rect.top < 0) {
        rect.bottom += -rect.top;
        rect.top = 0;
    }
    return TRUE;
}

BOOL GetMainWindowArea(RECT& rect) {
    return GetMainWindowArea(rect, SystemVersion(), GetProcMonitorFromWindow(), GetProcGetMonitorInfo());
}

BOOL GetMainWindowArea(RECT& rect, const OSVERSIONINFOA& version, MonitorFromWindowProc monitorFromWindow,
                       GetMonitorInfoProc getMonitorInfo) {
    CWnd* main = AfxGetMainWnd();
    if (main == nullptr) {
        return FALSE;
    }
    main->GetWindowRect(&rect);
    if (!main->IsZoomed()) {
        return TRUE;
    }
    const HMONITOR monitor =
        !IsOldSystem(version) && monitorFromWindow != nullptr ? monitorFromWindow(*main, MONITOR_DEFAULTTONULL)
                                                               : nullptr;
    MONITORINFO information{};
    information.cbSize = sizeof(information);
    if (monitor != nullptr && getMonitorInfo != nullptr && getMonitorInfo(monitor, &information)) {
        rect = information.rcWork;
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &rect, 0);
    }
    return TRUE;
}

void DeleteObListItems(CObList* list) {
    if (list == nullptr) {
        return;
    }
    for (POSITION at = list->GetHeadPosition(); at != nullptr;) {
        delete list->GetNext(at);
    }
    list->RemoveAll();
}

void DeleteObMapItems(CMapStringToOb* map) {
    if (map == nullptr) {
        return;
    }
    for (POSITION at = map->GetStartPosition(); at != nullptr;) {
        CString key;
        CObject* value = nullptr;
        map->GetNextAssoc(at, key, value);
        delete value;
    }
    map->RemoveAll();
}

int GetWindowTextWidth(CWnd* window) {
    if (window == nullptr) {
        return 0;
    }
    CString text;
    window->GetWindowText(text);
    CDC* dc = window->GetDC();
    CFont* previous = dc->SelectObject(window->GetFont());
    CStringList lines;
    SplitToStringList(text, lines, '\n');
    int width = 0;
    if (lines.GetCount() < 2) {
        width = dc->GetTextExtent(text).cx;
    } else {
        for (POSITION at = lines.GetHeadPosition(); at != nullptr;) {
            width = std::max(width, static_cast<int>(dc->GetTextExtent(lines.GetNext(at)).cx));
        }
    }
    dc->SelectObject(previous);
    window->ReleaseDC(dc);
    return width;
}

BOOL HandleContextHelp(CWnd* dialog, const HELPINFO* help, BOOL noHitTest) {
    if (dialog == nullptr) {
        return TRUE;
    }
    if (Held(VK_F1) && Held(VK_SHIFT)) {
        dialog->SendMessage(WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
        return TRUE;
    }
    if (Held(VK_F1) && !noHitTest) {
        const auto context = static_cast<DWORD_PTR>(dialog->SendMessage(WM_HELPHITTEST, 0, 0));
        if (CWinApp* app = AfxGetApp()) {
            app->WinHelp(context, HELP_CONTEXT);
        }
        return TRUE;
    }
    const HMODULE library = LoadLibraryA(kSupportLibrary);
    if (library == nullptr) {
        return TRUE;  // no support library: no help shows
    }
    if (auto show = platform::GetProcAddressAs<SupportContextHelp>(library, MAKEINTRESOURCE(kContextHelpOrdinal))) {
        HWND control = nullptr;
        if (help != nullptr) {
            dialog->GetDlgItem(help->iCtrlId, &control);
        }
        static_cast<void>(show(dialog->GetSafeHwnd(), control, 0));  // its answer means nothing here
    }
    FreeLibrary(library);
    return TRUE;
}
