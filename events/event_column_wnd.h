// CEventColumnWnd: the hidden child window of the host's main window that
// shows the event column's channel menu and turns its commands into calls
// of the event handler. The menu has a sub-menu per channel of the device,
// each with "&Add", "&Edit ..." and "&Remove": on a line that holds a
// condition only its own channel, checked, with "&Edit ..." and "&Remove";
// on a free line "&Add" in every channel not in use.
#pragma once

#include "frame/wsclient.h"
#include "hostui/instance_data_container_wnd.h"

#include "platform/afx.h"

class CEventColumnWnd : public CInstanceDataContainerWnd, public CWSClient {
public:
    explicit CEventColumnWnd(IHostServiceProvider* host);
    ~CEventColumnWnd() override = default;

    // IUnknown of the workspace client: IUnknown's and the workspace
    // client's ids; no reference counting.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }

    // The menu for the line whose code runs from start to end, at the
    // screen position (x, y); none for a start of -1. Answers 0.
    HRESULT ShowChannelMenu(DWORD start, DWORD end, LONG x, LONG y);
    // The menu resource of the device.
    static UINT MenuResourceId();
    // The channel sub-menus enabled, grayed and checked for the menu
    // addresses; channelMenu is the "&Column Popup".
    void UpdateChannelMenu(CMenu& channelMenu);
    // In each channel sub-menu: "&Add" grayed in the checked one, "&Edit ..."
    // and "&Remove" in the others.
    void UpdateChannelItems(CMenu& channelMenu, int checked);

    DWORD MenuStart() const { return m_menuStart; }
    DWORD MenuEnd() const { return m_menuEnd; }

protected:
    template <int Channel>
    void OnAdd();
    template <int Channel>
    void OnEdit();
    template <int Channel>
    void OnRemove();

    DECLARE_MESSAGE_MAP()

private:
    DWORD m_menuStart = 0;
    DWORD m_menuEnd = 0;
};
