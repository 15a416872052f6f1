#include "sim/host/line_queue.h"

#include <cstdio>
#include <istream>
#include <thread>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace simhost {

void LineQueue::Push(std::string line) {
    {
        std::lock_guard lock(mutex_);
        lines_.push_back(std::move(line));
    }
    changed_.notify_all();
}

void LineQueue::PushFront(std::string line) {
    {
        std::lock_guard lock(mutex_);
        lines_.push_front(std::move(line));
    }
    changed_.notify_all();
}

void LineQueue::Close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    changed_.notify_all();
}

bool LineQueue::TakeCommand(std::string& line, std::chrono::milliseconds wait) {
    std::unique_lock lock(mutex_);
    const auto ready = [this] { return answersWaiting_ == 0 && !lines_.empty(); };
    if (!changed_.wait_for(lock, wait, [&] { return ready() || (closed_ && lines_.empty()); }) || !ready()) {
        return false;
    }
    line = std::move(lines_.front());
    lines_.pop_front();
    return true;
}

bool LineQueue::TakeAnswer(std::string& line) {
    std::unique_lock lock(mutex_);
    ++answersWaiting_;
    changed_.wait(lock, [this] { return !lines_.empty() || closed_; });
    --answersWaiting_;
    const bool taken = !lines_.empty();
    if (taken) {
        line = std::move(lines_.front());
        lines_.pop_front();
    }
    lock.unlock();
    changed_.notify_all();
    return taken;
}

bool LineQueue::Finished() const {
    std::lock_guard lock(mutex_);
    return closed_ && lines_.empty();
}

std::shared_ptr<LineQueue> ReadLines(std::istream& in, bool typedAtTerminal) {
    auto lines = std::make_shared<LineQueue>(typedAtTerminal);
    std::thread([&in, lines] {
        for (std::string line; std::getline(in, line);) {
            lines->Push(line);
        }
        lines->Close();
    }).detach();
    return lines;
}

bool StandardInputIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stdin)) != 0;
#else
    return isatty(STDIN_FILENO) != 0;
#endif
}

}  // namespace simhost
