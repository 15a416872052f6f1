#include "platform/ui/thread_queue.h"

#include "platform/ui/dispatch.h"
#include "platform/ui/window_table.h"

#include <algorithm>
#include <atomic>
#include <map>

#include <pthread.h>

namespace platform::ui {
namespace {

// The queues of the living threads, for PostThreadMessage.
struct QueueRegistry {
    std::mutex mutex;
    std::map<DWORD, std::weak_ptr<ThreadQueue>> queues;
};

QueueRegistry& Registry() {
    static QueueRegistry* registry = new QueueRegistry;  // outlives every thread's exit
    return *registry;
}

// The calling thread's queue. The thread's end closes it through a thread
// key, whose destructor is handed the queue itself: the Windows build's
// emulated thread-locals may be freed before the destructors of
// thread-local objects run, so no thread-local here has a destructor.
thread_local std::shared_ptr<ThreadQueue>* currentQueue = nullptr;

void OnThreadExit(void* value) {
    auto* queue = static_cast<std::shared_ptr<ThreadQueue>*>(value);
    (*queue)->Close();
    {
        std::lock_guard lock(Registry().mutex);
        Registry().queues.erase((*queue)->ThreadId());
    }
    delete queue;
}

pthread_key_t ExitKey() {
    static const pthread_key_t key = [] {
        pthread_key_t created{};
        pthread_key_create(&created, OnThreadExit);
        return created;
    }();
    return key;
}

}  // namespace

bool ThreadQueue::Alive() {
    std::lock_guard lock(mutex_);
    return alive_;
}

bool ThreadQueue::Deliver(const std::shared_ptr<SentMessage>& message) {
    {
        // The window is looked for under the queue's lock: destroying it
        // drops its messages under the same lock, after it is gone, so none
        // is left behind for a window that no longer exists.
        std::lock_guard lock(mutex_);
        if (!alive_ || FindWindowRecord(message->window) == nullptr) {
            return false;
        }
        sent_.push_back(message);
    }
    wake_.notify_all();
    return true;
}

bool ThreadQueue::Post(const MSG& message) {
    {
        std::lock_guard lock(mutex_);
        if (!alive_) {
            return false;
        }
        posted_.push_back(message);
    }
    wake_.notify_all();
    return true;
}

bool ThreadQueue::PostThreadMessage(const MSG& message) {
    {
        std::lock_guard lock(mutex_);
        if (!alive_) {
            return false;
        }
        threadMessages_.push_back(message);
    }
    wake_.notify_all();
    return true;
}

bool ThreadQueue::TakeThreadMessage(MSG& message) {
    std::lock_guard lock(mutex_);
    if (threadMessages_.empty()) {
        return false;
    }
    message = threadMessages_.front();
    threadMessages_.pop_front();
    return true;
}

void ThreadQueue::Wake() {
    { std::lock_guard lock(mutex_); }  // orders the caller's change before the waiter's next check
    wake_.notify_all();
}

void ThreadQueue::Serve(const std::shared_ptr<SentMessage>& message) {
    const LRESULT result = CallProcedure(message->window, message->message, message->wParam, message->lParam);
    const std::shared_ptr<ThreadQueue> sender = message->sender;
    {
        std::lock_guard lock(sender->mutex_);
        message->result = result;
        message->done = true;
    }
    sender->wake_.notify_all();
}

void ThreadQueue::DispatchPosted(const MSG& message) {
    CallProcedure(message.hwnd, message.message, message.wParam, message.lParam);
}

int ThreadQueue::ProcessWaiting() {
    int count = 0;
    std::unique_lock lock(mutex_);
    while (true) {
        if (!sent_.empty()) {
            auto message = sent_.front();
            sent_.pop_front();
            lock.unlock();
            Serve(message);
        } else if (!posted_.empty()) {
            const MSG message = posted_.front();
            posted_.pop_front();
            lock.unlock();
            DispatchPosted(message);
        } else {
            return count;
        }
        ++count;
        lock.lock();
    }
}

void ThreadQueue::RunUntil(const std::function<bool()>& done) {
    std::unique_lock lock(mutex_);
    while (!done()) {
        if (!sent_.empty()) {
            auto message = sent_.front();
            sent_.pop_front();
            lock.unlock();
            Serve(message);
            lock.lock();
        } else if (!posted_.empty()) {
            const MSG message = posted_.front();
            posted_.pop_front();
            lock.unlock();
            DispatchPosted(message);
            lock.lock();
        } else {
            wake_.wait(lock);
        }
    }
}

void ThreadQueue::AwaitReply(const std::shared_ptr<SentMessage>& message) {
    std::unique_lock lock(mutex_);
    while (!message->done) {
        if (!sent_.empty()) {
            auto incoming = sent_.front();
            sent_.pop_front();
            lock.unlock();
            Serve(incoming);
            lock.lock();
        } else {
            wake_.wait(lock);
        }
    }
}

void ThreadQueue::Close() {
    std::deque<std::shared_ptr<SentMessage>> unanswered;
    {
        std::lock_guard lock(mutex_);
        alive_ = false;
        unanswered.swap(sent_);
        posted_.clear();
        threadMessages_.clear();
    }
    for (const auto& message : unanswered) {
        AnswerUnanswered(message);
    }
}

void ThreadQueue::DropSentTo(const std::vector<HWND>& windows) {
    std::vector<std::shared_ptr<SentMessage>> dropped;
    {
        std::lock_guard lock(mutex_);
        for (auto it = sent_.begin(); it != sent_.end();) {
            if (std::find(windows.begin(), windows.end(), (*it)->window) != windows.end()) {
                dropped.push_back(*it);
                it = sent_.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (const auto& message : dropped) {
        AnswerUnanswered(message);
    }
}

void ThreadQueue::AnswerUnanswered(const std::shared_ptr<SentMessage>& message) {
    {
        std::lock_guard lock(message->sender->mutex_);
        message->done = true;
        message->unanswered = true;
    }
    message->sender->wake_.notify_all();
}

std::shared_ptr<ThreadQueue> CurrentQueue() {
    if (currentQueue == nullptr) {
        currentQueue = new std::shared_ptr<ThreadQueue>(std::make_shared<ThreadQueue>(GetCurrentThreadId()));
        pthread_setspecific(ExitKey(), currentQueue);
        std::lock_guard lock(Registry().mutex);
        Registry().queues[(*currentQueue)->ThreadId()] = *currentQueue;
    }
    return *currentQueue;
}

std::shared_ptr<ThreadQueue> QueueOfThread(DWORD threadId) {
    std::lock_guard lock(Registry().mutex);
    const auto found = Registry().queues.find(threadId);
    return found != Registry().queues.end() ? found->second.lock() : nullptr;
}

}  // namespace platform::ui

#ifndef _WIN32
DWORD GetCurrentThreadId() {
    // Small numbers of the layer's own, one per thread, never 0.
    static std::atomic<DWORD> next{1};
    thread_local const DWORD id = next++;
    return id;
}
#endif
