// The lines typed at the simulated host's console, passed from the thread
// that reads them to those that use them: the host's UI thread takes
// commands; a message box or dialog waiting for an answer (on whatever
// thread) takes the next line first.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <string>

namespace simhost {

class LineQueue {
public:
    // typedAtTerminal: the lines come from a terminal, which shows each as
    // it is typed.
    explicit LineQueue(bool typedAtTerminal = false) : typedAtTerminal_(typedAtTerminal) {}
    bool TypedAtTerminal() const { return typedAtTerminal_; }

    void Push(std::string line);
    // A line that goes before every line waiting: what the console types
    // for an interrupt.
    void PushFront(std::string line);
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
    const bool typedAtTerminal_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> lines_;
    int answersWaiting_ = 0;
    bool closed_ = false;
};

// Starts a thread that reads the standard input's lines into a queue until
// it ends. A session may end before its input (quit at a terminal), so
// nobody waits for the thread: it holds its share of the queue and the
// stream, which must last as long as the process, as the standard input
// does. typedAtTerminal: as LineQueue's.
std::shared_ptr<LineQueue> ReadLines(std::istream& in, bool typedAtTerminal);
// The standard input is a terminal.
bool StandardInputIsTerminal();

}  // namespace simhost
