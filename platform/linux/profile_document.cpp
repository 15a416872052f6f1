#include "platform/linux/profile_document.h"

#include <algorithm>
#include <iterator>

namespace platform::profile {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
// Lines the functions write end as on Windows.
constexpr std::string_view kLineEnd = "\r\n";

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

char FoldCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

enum class Kind { Other, Section, Key };

// What a line means for lookups. The views point into the line's text.
struct Meaning {
    Kind kind = Kind::Other;
    std::string_view name;
    std::string_view value;
};

Meaning Interpret(std::string_view text) {
    // Windows hands the text around as C strings, so for reading a line ends
    // at its first NUL byte.
    text = Trim(text.substr(0, text.find('\0')));
    if (text.starts_with('[')) {
        // The last ']' closes the name, so that a name containing ']' (or a
        // double-byte character whose trail byte is ']') reads back as written.
        const std::size_t close = text.rfind(']');
        if (close == std::string_view::npos) {
            return {};  // a malformed header names no section and holds no key
        }
        return {Kind::Section, Trim(text.substr(1, close - 1)), {}};
    }
    if (text.starts_with(';')) {
        return {};
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        return {};
    }
    return {Kind::Key, Trim(text.substr(0, equals)), Trim(text.substr(equals + 1))};
}

// One pair of quotes enclosing the whole value is not part of it; a quote at
// one end only is.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

bool IsBlank(std::string_view text) {
    return Trim(text).empty();
}

}  // namespace

Document::Document(std::string_view bytes) {
    // A byte order mark is not part of the first line's text (it would hide a
    // section header there); it is kept to be written back.
    if (bytes.starts_with(kUtf8Bom)) {
        bom_ = kUtf8Bom;
        bytes.remove_prefix(kUtf8Bom.size());
    }
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t stop = bytes.find_first_of("\r\n", start);
        if (stop == std::string_view::npos) {
            lines_.push_back({std::string(bytes.substr(start)), ""});
            break;
        }
        const std::size_t endLength = bytes.substr(stop).starts_with(kLineEnd) ? kLineEnd.size() : 1;
        lines_.push_back({std::string(bytes.substr(start, stop - start)), std::string(bytes.substr(stop, endLength))});
        start = stop + endLength;
    }
}

std::string Document::Bytes() const {
    std::string bytes = bom_;
    for (const Line& line : lines_) {
        bytes += line.text;
        bytes += line.end;
    }
    return bytes;
}

std::vector<std::string> Document::SectionNames() const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
        const Meaning meaning = Interpret(line.text);
        if (meaning.kind == Kind::Section && !meaning.name.empty()) {
            names.emplace_back(meaning.name);
        }
    }
    return names;
}

std::optional<std::vector<std::string>> Document::KeyNames(std::string_view section) const {
    const std::optional<Section> found = FindSection(section);
    if (!found) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (std::size_t index = found->header + 1; index < found->end; ++index) {
        const Meaning meaning = Interpret(lines_[index].text);
        if (meaning.kind == Kind::Key && !meaning.name.empty()) {
            names.emplace_back(meaning.name);
        }
    }
    return names;
}

std::optional<std::string> Document::Value(std::string_view section, std::string_view key) const {
    const std::optional<Section> found = FindSection(section);
    if (!found) {
        return std::nullopt;
    }
    const std::optional<std::size_t> index = FindKey(*found, key);
    if (!index) {
        return std::nullopt;
    }
    return std::string(Unquote(Interpret(lines_[*index].text).value));
}

void Document::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    const std::optional<Section> found = FindSection(section);
    std::string keyLine = std::string(Trim(key)) + "=" + std::string(value);
    if (!found) {
        if (!lines_.empty()) {
            if (lines_.back().end.empty()) {
                lines_.back().end = kLineEnd;
            }
            // A blank line sets the new section apart, unless one already does.
            if (!IsBlank(lines_.back().text)) {
                lines_.push_back({"", std::string(kLineEnd)});
            }
        }
        lines_.push_back({"[" + std::string(Trim(section)) + "]", std::string(kLineEnd)});
        lines_.push_back({std::move(keyLine), std::string(kLineEnd)});
        return;
    }
    if (const std::optional<std::size_t> index = FindKey(*found, key)) {
        const Meaning meaning = Interpret(lines_[*index].text);
        // A value that reads back the same leaves the line as it was written.
        if (meaning.value != value) {
            // The key keeps its spelling in the file and the line its line end.
            lines_[*index].text = std::string(meaning.name) + "=" + std::string(value);
        }
        return;
    }
    // After the section's last non-blank line, so that the blank lines that
    // set the next section apart stay before it.
    std::size_t at = found->header + 1;
    for (std::size_t index = found->end; index > found->header + 1; --index) {
        if (!IsBlank(lines_[index - 1].text)) {
            at = index;
            break;
        }
    }
    Insert(at, std::move(keyLine));
}

void Document::DeleteKey(std::string_view section, std::string_view key) {
    const std::optional<Section> found = FindSection(section);
    if (!found) {
        return;
    }
    if (const std::optional<std::size_t> index = FindKey(*found, key)) {
        lines_.erase(std::next(lines_.begin(), static_cast<std::ptrdiff_t>(*index)));
    }
}

void Document::DeleteSection(std::string_view section) {
    const std::optional<Section> found = FindSection(section);
    if (!found) {
        return;
    }
    lines_.erase(std::next(lines_.begin(), static_cast<std::ptrdiff_t>(found->header)),
                 std::next(lines_.begin(), static_cast<std::ptrdiff_t>(found->end)));
}

std::optional<Document::Section> Document::FindSection(std::string_view name) const {
    name = Trim(name);
    for (std::size_t header = 0; header < lines_.size(); ++header) {
        const Meaning meaning = Interpret(lines_[header].text);
        if (meaning.kind != Kind::Section || !EqualNoCase(meaning.name, name)) {
            continue;
        }
        std::size_t end = header + 1;
        while (end < lines_.size() && Interpret(lines_[end].text).kind != Kind::Section) {
            ++end;
        }
        return Section{header, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> Document::FindKey(const Section& section, std::string_view key) const {
    key = Trim(key);
    for (std::size_t index = section.header + 1; index < section.end; ++index) {
        const Meaning meaning = Interpret(lines_[index].text);
        if (meaning.kind == Kind::Key && EqualNoCase(meaning.name, key)) {
            return index;
        }
    }
    return std::nullopt;
}

void Document::Insert(std::size_t index, std::string text) {
    // Only the file's last line can lack a line end; a line after it needs one.
    if (index > 0 && lines_[index - 1].end.empty()) {
        lines_[index - 1].end = kLineEnd;
    }
    lines_.insert(std::next(lines_.begin(), static_cast<std::ptrdiff_t>(index)),
                  Line{std::move(text), std::string(kLineEnd)});
}

}  // namespace platform::profile
