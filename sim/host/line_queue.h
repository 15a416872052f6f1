// The lines typed at the simulated host's console, passed from the thread
// that reads them to those that use them: the host's UI thread takes
// commands; a message box or dialog waiting for an answer (on whatever
// thread) takes the next line first.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>

namespace simhost {

class LineQueue {
public:
    void Push(std::string line);
    // No more lines will come.
    void Close();

    // A command line: waits at most that long; false when none came, or
    // when a waiting answer has the line first. Closed() tells the end.
    bool TakeCommand(std::string& line, std::chrono::milliseconds wait);
    // An answer: waits for the next line; false at the end of input.
    bool TakeAnswer(std::string& line);
    // Closed and every line taken.
    bool Finished() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> lines_;
    int answersWaiting_ = 0;
    bool closed_ = false;
};

}  // namespace simhost
