// Texts the link passes to the host's error report (the service provider
// that the target object keeps): time-outs, area errors and the flash
// write-back's progress.
#pragma once

#include <thread>

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

