// What the road tests of the host's console read of its output: parts and
// lines of it, the answer to each typed line, and the output as another
// thread reads it while the console writes it.
#pragma once

#include "sim/host/console.h"

#include <cstddef>
#include <mutex>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace roadtest {

bool Shows(const std::string& output, const std::string& part);
std::size_t LineCount(const std::string& output);
// How often part stands in the output.
std::size_t Count(const std::string& output, const std::string& part);
// What the console answered each line, in order: the output between two
// prompts.
std::vector<std::string> Answers(const std::string& output);
// Typed ahead, as a person who does not wait for the question: the lines go
// in order to the console and to what the commands ask; the input then ends.
// The console's output (the session ran to its end with 0).
std::string RunTyped(simhost::Console& console, std::ostringstream& out, const std::vector<std::string>& typed);

// The console's output as another thread reads it while it is written.
class SharedOutput : public std::streambuf {
public:
    std::string Text() const;
    // Waits (yielding) until the output shows part after from; where it
    // ends, or npos when it never came.
    std::size_t Await(const std::string& part, std::size_t from = 0) const;

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* data, std::streamsize count) override;

private:
    mutable std::mutex mutex_;
    std::string text_;
};

}  // namespace roadtest
