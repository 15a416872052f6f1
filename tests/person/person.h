// A person at the screen of the Windows build: acts on the system's real
// windows from a thread of their own, with the system's functions alone
// (windows found by caption, controls by id, the messages a mouse and
// keyboard would cause), while the program's thread sits in its modal loops.
//
// Whatever goes wrong is kept as a failure for the test to report once the
// person is done; a step that cannot be done ends the person's steps. Windows
// appear in real time, so the person waits for them, bounded.
#pragma once

#include "platform/wintypes.h"

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace persontest {

class Person {
public:
    // Starts the steps on the person's thread.
    explicit Person(std::function<void(Person&)> steps);
    // Waits for the steps to end.
    ~Person();
    Person(const Person&) = delete;
    Person& operator=(const Person&) = delete;

    void Join();
    const std::vector<std::string>& Failures() const { return failures_; }

    // A shown top-level window with the caption (null after the wait).
    HWND WaitForWindow(const std::string& caption);
    // A shown message box whose text is text.
    HWND WaitForBox(const std::string& text);
    // A shown popup menu of this process (the system's menu window).
    HWND WaitForMenu();
    // Waits until the window has gone.
    bool WaitUntilGone(HWND window);
    // A sheet's page showing the control (its current page).
    HWND WaitForPageWith(HWND sheet, int id);

    // The control: on a sheet the current page's first, then the sheet's.
    HWND Control(HWND window, int id);
    std::string Text(HWND window, int id);
    // Replaces a field's text (WM_SETTEXT; the field tells its parent).
    bool SetText(HWND window, int id, const std::string& text);
    // A click on a button (BM_CLICK, queued for the window's thread).
    bool Click(HWND window, int id);
    // Chooses a combo box item by its text: CB_SETCURSEL, and the parent is
    // told CBN_SELCHANGE as the box tells it when a person chooses.
    bool Choose(HWND window, int id, const std::string& item);
    // A sheet's button by its index (PSBTN_NEXT, PSBTN_OK, ...).
    bool PressSheetButton(HWND sheet, int button);
    // The window answers a message within a few seconds: its thread is not
    // stuck.
    bool Answers(HWND window);
    // Saves the window as a PNG picture and checks that it shows something.
    void Screenshot(HWND window, const std::string& path);

    void Fail(const std::string& what);

private:
    bool Alive(HWND window, const char* what);

    std::vector<std::string> failures_;
    std::thread thread_;
};

}  // namespace persontest
