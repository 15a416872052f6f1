// Each thread's message queue: messages sent to its windows from other
// threads, messages posted to its windows, and thread messages.
//
// A message sent to a window of another thread is handed to that thread's
// queue and runs on that thread; the sender blocks until it has run, and while
// it waits it serves the messages sent to its own windows, so two threads that
// send to each other never deadlock. Waiting is on a condition variable: no
// sleeping, no polling.
#pragma once

#include "platform/windows_ui.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace platform::ui {

struct Window;
class ThreadQueue;

struct SentMessage {
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    bool done = false;        // guarded by the sender's queue mutex
    bool unanswered = false;  // its thread ended before it ran
    std::shared_ptr<ThreadQueue> sender;
};

class ThreadQueue {
public:
    explicit ThreadQueue(DWORD threadId) : threadId_(threadId) {}

    DWORD ThreadId() const { return threadId_; }

    // False once the thread has ended: nothing more is delivered to it.
    bool Alive();

    // Hands a message to this thread; false when the thread has ended.
    bool Deliver(const std::shared_ptr<SentMessage>& message);
    bool Post(const MSG& message);
    bool PostThreadMessage(const MSG& message);
    // Takes the oldest thread message, if any.
    bool TakeThreadMessage(MSG& message);

    // Wakes the thread's waits (a modal loop whose end condition changed).
    void Wake();

    // Runs every message waiting now (sent ones first); answers how many ran.
    int ProcessWaiting();
    // Runs messages as they arrive until done() holds; done() is checked with
    // the queue's lock held, so a change that is followed by Wake() is never
    // missed.
    void RunUntil(const std::function<bool()>& done);

    // Blocks until the sent message has run (or its thread has ended),
    // serving the calling thread's own incoming sent messages meanwhile.
    // Called on the sender's queue.
    void AwaitReply(const std::shared_ptr<SentMessage>& message);

    // Called when the thread ends: every message still waiting is answered
    // with 0, so no sender stays blocked.
    void Close();
    // Answers with 0 the messages still waiting for windows that are gone.
    void DropSentTo(const std::vector<HWND>& windows);

    // The thread's keyboard focus.
    HWND focus = nullptr;
    HWND active = nullptr;

private:
    static void AnswerUnanswered(const std::shared_ptr<SentMessage>& message);
    void Serve(const std::shared_ptr<SentMessage>& message);
    void DispatchPosted(const MSG& message);

    const DWORD threadId_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::shared_ptr<SentMessage>> sent_;
    std::deque<MSG> posted_;
    std::deque<MSG> threadMessages_;
    bool alive_ = true;
};

// The calling thread's queue (made on first use).
std::shared_ptr<ThreadQueue> CurrentQueue();
// The queue of a thread by its id, or null.
std::shared_ptr<ThreadQueue> QueueOfThread(DWORD threadId);

}  // namespace platform::ui
