#include "tests/road/console_output.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace roadtest {

bool Shows(const std::string& output, const std::string& part) {
    return output.find(part) != std::string::npos;
}

std::size_t LineCount(const std::string& output) {
    return static_cast<std::size_t>(std::count(output.begin(), output.end(), '\n'));
}

std::size_t Count(const std::string& output, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = output.find(part); at != std::string::npos; at = output.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

std::vector<std::string> Answers(const std::string& output) {
    std::vector<std::string> answers;
    const std::string prompt = "simhost> ";
    std::size_t at = output.find(prompt);
    while (at != std::string::npos) {
        const std::size_t next = output.find(prompt, at + prompt.size());
        answers.push_back(output.substr(at + prompt.size(), next == std::string::npos ? std::string::npos
                                                                                    : next - at - prompt.size()));
        at = next;
    }
    return answers;
}

std::string RunTyped(simhost::Console& console, std::ostringstream& out, const std::vector<std::string>& typed) {
    simhost::LineQueue lines;
    for (const std::string& line : typed) {
        lines.Push(line);
    }
    lines.Close();
    EXPECT_EQ(console.RunInteractive(lines), 0);
    return out.str();
}

std::string SharedOutput::Text() const {
    std::lock_guard lock(mutex_);
    return text_;
}

std::size_t SharedOutput::Await(const std::string& part, std::size_t from) const {
    for (int i = 0; i < 20000000; ++i) {
        const std::string text = Text();
        if (const std::size_t at = text.find(part, from); at != std::string::npos) {
            return at + part.size();
        }
        std::this_thread::yield();
    }
    ADD_FAILURE() << "never shown: " << part << "\n" << Text();
    return std::string::npos;
}

SharedOutput::int_type SharedOutput::overflow(int_type c) {
    if (c != traits_type::eof()) {
        std::lock_guard lock(mutex_);
        text_.push_back(static_cast<char>(c));
    }
    return c;
}

std::streamsize SharedOutput::xsputn(const char* data, std::streamsize count) {
    std::lock_guard lock(mutex_);
    text_.append(data, static_cast<std::size_t>(count));
    return count;
}

}  // namespace roadtest
