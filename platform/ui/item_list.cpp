#include "platform/ui/item_list.h"

#include <algorithm>
#include <cctype>

namespace platform::ui {
namespace {

char Folded(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) { return Folded(a) == Folded(b); });
}

}  // namespace

int CompareIgnoringCase(const std::string& left, const std::string& right) {
    const std::size_t common = std::min(left.size(), right.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto a = static_cast<unsigned char>(Folded(left[i]));
        const auto b = static_cast<unsigned char>(Folded(right[i]));
        if (a != b) {
            return a < b ? -1 : 1;
        }
    }
    return left.size() == right.size() ? 0 : (left.size() < right.size() ? -1 : 1);
}

int ItemList::Add(const std::string& text, bool sorted) {
    auto position = items_.end();
    if (sorted) {
        position = std::find_if(items_.begin(), items_.end(),
                                [&text](const ListItem& item) { return CompareIgnoringCase(item.text, text) > 0; });
    }
    const auto inserted = items_.insert(position, ListItem{text});
    return static_cast<int>(inserted - items_.begin());
}

int ItemList::Insert(int index, const std::string& text) {
    if (index < -1 || index > Count()) {
        return -1;
    }
    if (index == -1) {
        index = Count();
    }
    items_.insert(items_.begin() + index, ListItem{text});
    return index;
}

bool ItemList::Remove(int index) {
    if (!Valid(index)) {
        return false;
    }
    items_.erase(items_.begin() + index);
    return true;
}

int ItemList::Find(int start, const std::string& text, bool exact) const {
    const int count = Count();
    if (count == 0) {
        return -1;
    }
    if (start < -1 || start >= count) {
        start = -1;
    }
    for (int step = 1; step <= count; ++step) {
        const int index = (start + step) % count;
        const std::string& item = At(index).text;
        if (exact ? CompareIgnoringCase(item, text) == 0 : StartsWithIgnoringCase(item, text)) {
            return index;
        }
    }
    return -1;
}

}  // namespace platform::ui
