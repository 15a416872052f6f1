// The items of a list box or of a combo box's list: texts with their data,
// sorted on request, searched without regard to case as the controls do.
#pragma once

#include "platform/wintypes.h"

#include <string>
#include <vector>

namespace platform::ui {

struct ListItem {
    std::string text;
    ULONG_PTR data = 0;
    bool selected = false;  // list boxes with multiple selection
};

class ItemList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    ListItem& At(int index) { return items_[static_cast<std::size_t>(index)]; }
    const ListItem& At(int index) const { return items_[static_cast<std::size_t>(index)]; }
    std::vector<ListItem>& Items() { return items_; }

    // Appends (or, sorted, inserts after the items that do not sort after
    // it); answers the new item's index.
    int Add(const std::string& text, bool sorted);
    // -1 appends; answers the index, or -1 when the index is past the end.
    int Insert(int index, const std::string& text);
    bool Remove(int index);
    void Clear() { items_.clear(); }

    // The first item after start (wrapping round, start itself last) whose
    // text begins with (prefix) or equals (exact) the text, ignoring case;
    // -1 when none does. A start of -1 searches from the top.
    int Find(int start, const std::string& text, bool exact) const;

private:
    std::vector<ListItem> items_;
};

// Orders texts as the controls sort them: without regard to case.
int CompareIgnoringCase(const std::string& left, const std::string& right);

}  // namespace platform::ui
