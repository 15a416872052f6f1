// CInstanceDataCtrl: the base of the child controls a container window keeps.
// It fetches a fixed set of host interfaces for its derived classes, takes
// two owner ids from the UI registration manager, keeps a style word and a
// link to another control, paints its background, sizes its first child to
// fill it, forwards two commands to the host and opens HTML Help on F1.
#pragma once

#include "hostui/host_ui_manager.h"
#include "platform/afx.h"

#include <array>
#include <atomic>

// The six host services a container window asks for, in its field order;
// its controls ask for the first four.
inline constexpr std::array<const IID*, 6> kContainerServiceIds = {
    &IID_IHContainerService1, &IID_IHUiService,     &IID_IHWorkSpaceInfo,
    &IID_IHServiceFCompanion1, &IID_IHContainerService5, &IID_IHContainerService6,
};

class CInstanceDataCtrl : public CWnd {
public:
    // The commands the control forwards to the host.
    static constexpr UINT kToggleCommand = 39532;  // 0x9A6C
    static constexpr UINT kNotifyCommand = 39533;  // 0x9A6D
    // The style bit the container window pairs controls by.
    static constexpr DWORD kSecondOfPairStyle = 0x1;

    CInstanceDataCtrl(IHostServiceProvider* host, CHostUiManager* manager, DWORD style);
    ~CInstanceDataCtrl() override;

    virtual DWORD TestCtrlStyle(DWORD mask) const { return m_style & mask; }
    virtual DWORD GetCtrlStyle() const { return m_style; }
    virtual void ModifyCtrlStyle(DWORD bits, BOOL set);
    virtual void SetCtrlStyle(DWORD value) { m_style = value; }
    // Withdraws what is recorded under the control itself and its two owner
    // ids.
    virtual void UnregisterFromHost();
    virtual void RefreshData() {}
    virtual DWORD GetHelpContextId() const { return 0; }
    // The help file's name beside the module; none in this class.
    virtual LPCSTR GetHelpFileName() const { return nullptr; }

    // Creates the window under the application's module state: a visible
    // child with an empty rectangle and id 1, owned by the owner window.
    BOOL CreateControl(HWND parent, HWND owner);
    // Destroys the window under the application's module state.
    void DestroyControl();

    void SetLinkedControl(CInstanceDataCtrl* control) { m_linkedControl = control; }
    CInstanceDataCtrl* GetLinkedControl() const { return m_linkedControl; }

    IHostServiceProvider* GetHost() const { return m_host; }
    IUnknown* GetHostInterface(std::size_t index) const { return m_hostInterfaces.at(index); }
    CHostUiManager* GetUiManager() const { return m_uiManager; }
    DWORD GetOwnerId1() const { return m_ownerId1; }
    DWORD GetOwnerId2() const { return m_ownerId2; }
    // The controls alive in the process.
    static int LiveCount() { return s_liveCount.load(); }

    // The handlers of the two commands, and two more that derived classes
    // may map: the host is told with the parent window's handle and a code.
    afx_msg void OnToggleCommand();
    afx_msg void OnUpdateToggleCommand(CCmdUI* command);
    afx_msg void OnNotifyCommand();
    afx_msg void OnUpdateNotifyCommand(CCmdUI* command);
    afx_msg void OnContextCommand();
    afx_msg void OnUpdateEnable(CCmdUI* command);

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnSize(UINT type, int width, int height);
    afx_msg BOOL OnHelpInfo(HELPINFO* help);

    DECLARE_MESSAGE_MAP()

private:
    void FireToHost(DWORD code);

    static std::atomic<int> s_liveCount;

    DWORD m_style;
    IHostServiceProvider* m_host;
    std::array<IUnknown*, 5> m_hostInterfaces{};  // borrowed, never released
    CHostUiManager* m_uiManager;
    DWORD m_ownerId1 = 0;
    DWORD m_ownerId2 = 0;
    CInstanceDataCtrl* m_linkedControl = nullptr;
};

// Opens a help file beside the module with HTML Help: the application's help
// path (the module folder) followed by the name. Answers the help call's
// result; 0 without a name, and when the help control cannot be loaded.
HWND ShowHtmlHelpTopic(HWND window, LPCSTR helpFileName, UINT command, DWORD_PTR data);
