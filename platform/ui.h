// Message boxes and the UI driver.
//
// There is no screen here: every user-interface question goes to the UI
// driver, the one place where a person's answers come from. Tests install a
// scripted driver; the simulated host answers from defaults or asks at its
// console.
#pragma once

#include "platform/wintypes.h"

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#ifndef _WIN32
#define MB_OK 0x00000000u
#define MB_OKCANCEL 0x00000001u
#define MB_ABORTRETRYIGNORE 0x00000002u
#define MB_YESNOCANCEL 0x00000003u
#define MB_YESNO 0x00000004u
#define MB_RETRYCANCEL 0x00000005u
#define MB_ICONHAND 0x00000010u
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONQUESTION 0x00000020u
#define MB_ICONEXCLAMATION 0x00000030u
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONASTERISK 0x00000040u
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_DEFBUTTON1 0x00000000u
#define MB_DEFBUTTON2 0x00000100u
#define MB_DEFBUTTON3 0x00000200u
#define MB_TYPEMASK 0x0000000Fu
#define MB_ICONMASK 0x000000F0u
#define MB_DEFMASK 0x00000F00u

#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
#endif

namespace platform {

struct MessageBoxRequest {
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    UINT type = MB_OK;
};

// The button a message box of this type answers when nobody chooses: its
// default button (the first unless MB_DEFBUTTON2 or 3 says otherwise).
int DefaultMessageBoxAnswer(UINT type);

class UiDriver {
public:
    virtual ~UiDriver() = default;
    // Called on the thread that shows the box; returns the pressed button.
    virtual int OnMessageBox(const MessageBoxRequest& request) = 0;
};

// The process-wide driver (null: every box answers its default button).
void SetUiDriver(UiDriver* driver);
UiDriver* GetUiDriver();

// Installs itself for its lifetime; records every box and answers from a
// queue of scripted buttons, then with each box's default button.
class ScriptedUiDriver : public UiDriver {
public:
    ScriptedUiDriver();
    ~ScriptedUiDriver() override;
    ScriptedUiDriver(const ScriptedUiDriver&) = delete;
    ScriptedUiDriver& operator=(const ScriptedUiDriver&) = delete;

    void AnswerNextMessageBox(int button);
    std::vector<MessageBoxRequest> MessageBoxes() const;

    int OnMessageBox(const MessageBoxRequest& request) override;

private:
    UiDriver* previous_;
    mutable std::mutex mutex_;
    std::deque<int> answers_;
    std::vector<MessageBoxRequest> shown_;
};

}  // namespace platform
