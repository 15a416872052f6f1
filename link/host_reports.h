// Texts the link passes to the host's error report (the service provider
// that the target object keeps): time-outs, area errors and the flash
// write-back's progress; and the text of the box that a failed flash write
// shows, which the link and the target's download and restart paths share.
#pragma once

#include <thread>

inline constexpr char kFlashWriteFailedText[] = "Flash memory writing NG.";

// Passes the text to the host as wide text; nothing without a host.
void ReportErrorTextToHost(const char* text);

// Posts a progress text to the host from a short worker thread of its own;
// the thread is waited for before a later text and when the job ends.
class CHostProgressPost {
public:
    explicit CHostProgressPost(const char* text) : m_thread([text] { ReportErrorTextToHost(text); }) {}
    ~CHostProgressPost() { Wait(); }
    void Wait() {
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }
    CHostProgressPost(const CHostProgressPost&) = delete;
    CHostProgressPost& operator=(const CHostProgressPost&) = delete;

private:
    std::thread m_thread;
};

