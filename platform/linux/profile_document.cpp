#include "platform/linux/profile_document.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace platform::profile {
namespace {

// Blanks as Windows trims them from lines, names and values; a Ctrl-Z (the
// old end-of-file mark) counts as one.
constexpr std::string_view kBlanks = " \t\v\f\x1A";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

std::string_view TrimStart(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view Trim(std::string_view text) {
    text = TrimStart(text);
    return text.substr(0, text.find_last_not_of(kBlanks) + 1);
}

// The text as a C string sees it: up to its first NUL.
std::string_view UpToNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

char FoldCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

// A name or value as the caller gives it to be written.
std::string Written(std::string_view text) {
    return std::string(TrimStart(text));
}

}  // namespace

Document::Document(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom)) {
        bom_ = kUtf8Bom;
        bytes.remove_prefix(kUtf8Bom.size());
    }
    sections_.emplace_back();
    while (!bytes.empty()) {
        const std::size_t stop = bytes.find_first_of("\r\n");
        const std::string_view line = Trim(bytes.substr(0, stop));
        bytes.remove_prefix(stop == std::string_view::npos ? bytes.size() : stop + 1);
        if (line.empty()) {
            continue;
        }
        if (line.front() == '[') {
            // The last ']' closes the name, so that a name containing ']' (or a
            // double-byte character whose trail byte is ']') reads back.
            if (const std::size_t close = line.rfind(']'); close != std::string_view::npos) {
                sections_.push_back({std::string(Trim(UpToNul(line.substr(1, close - 1)))), {}});
                continue;
            }
        }
        std::vector<Entry>& entries = sections_.back().entries;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            entries.push_back({std::string(Trim(UpToNul(line))), std::nullopt});
            continue;
        }
        Entry entry{std::string(Trim(UpToNul(line.substr(0, equals)))),
                    std::string(Trim(UpToNul(line.substr(equals + 1))))};
        if (entry.name.empty() && !entries.empty() && entries.back().name.empty()) {
            continue;
        }
        entries.push_back(std::move(entry));
    }
}

std::string Document::Bytes() const {
    std::string bytes = bom_;
    for (const Section& section : sections_) {
        if (!section.name.empty()) {
            bytes += "[" + section.name + "]";
            bytes += kLineEnd;
        }
        for (const Entry& entry : section.entries) {
            bytes += entry.name;
            if (entry.value) {
                bytes += "=" + *entry.value;
            }
            bytes += kLineEnd;
        }
    }
    return bytes;
}

std::vector<std::string> Document::SectionNames() const {
    std::vector<std::string> names;
    for (const Section& section : sections_) {
        if (!section.name.empty()) {
            names.push_back(section.name);
        }
    }
    return names;
}

std::optional<std::vector<std::string>> Document::KeyNames(std::string_view section) const {
    const Section* found = FindSection(section);
    if (found == nullptr) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (const Entry& entry : found->entries) {
        if (entry.value && !entry.name.starts_with(';')) {
            names.push_back(entry.name);
        }
    }
    return names;
}

std::optional<std::string> Document::Value(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    if (found == nullptr) {
        return std::nullopt;
    }
    key = Trim(key);
    for (const Entry& entry : found->entries) {
        if (entry.value && EqualNoCase(entry.name, key)) {
            return entry.value;
        }
    }
    return std::nullopt;
}

bool Document::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    Section* found = FindSection(section);
    if (found == nullptr) {
        sections_.push_back({Written(section), {}});
        found = &sections_.back();
    }
    const std::string_view name = Trim(key);
    const auto entry = std::ranges::find_if(found->entries, [&](const Entry& e) { return EqualNoCase(e.name, name); });
    if (entry == found->entries.end()) {
        found->entries.push_back({Written(key), Written(value)});
        return true;
    }
    if (entry->value == Written(value)) {
        return false;
    }
    entry->value = Written(value);  // the key keeps its spelling in the file
    return true;
}

bool Document::DeleteKey(std::string_view section, std::string_view key) {
    Section* found = FindSection(section);
    if (found == nullptr) {
        return false;
    }
    key = Trim(key);
    const auto entry = std::ranges::find_if(found->entries, [&](const Entry& e) { return EqualNoCase(e.name, key); });
    if (entry == found->entries.end()) {
        return false;
    }
    found->entries.erase(entry);
    return true;
}

bool Document::DeleteSection(std::string_view section) {
    Section* found = FindSection(section);
    if (found == nullptr) {
        return false;
    }
    if (found == sections_.data()) {
        // The lines before the first header: that section always exists.
        const bool had = !found->entries.empty();
        found->entries.clear();
        return had;
    }
    sections_.erase(std::next(sections_.begin(), found - sections_.data()));
    return true;
}

const Document::Section* Document::FindSection(std::string_view name) const {
    name = Trim(name);
    const auto found = std::ranges::find_if(sections_, [&](const Section& s) { return EqualNoCase(s.name, name); });
    return found == sections_.end() ? nullptr : &*found;
}

Document::Section* Document::FindSection(std::string_view name) {
    return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

}  // namespace platform::profile
