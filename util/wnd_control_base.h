// The operations the plug-in's custom controls and dialogs share, whatever
// class library window they are: disabling and enabling their window.
#pragma once

#include "platform/afx.h"

class CWndControlBase {
public:
    // The object's own window: a class derives from its window class and from
    // this, and passes itself (this).
    explicit CWndControlBase(CWnd* window) : m_window(*window) {}
    virtual ~CWndControlBase() = default;
    CWndControlBase(const CWndControlBase&) = delete;
    CWndControlBase& operator=(const CWndControlBase&) = delete;

    virtual void Disable();
    virtual void Enable();

private:
    CWnd& m_window;
};
