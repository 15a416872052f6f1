// Building and reading the class library's string collections in tests.
#pragma once

#include "platform/afx.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace test_lists {

inline void Fill(CStringList& list, std::initializer_list<const char*> items) {
    for (const char* item : items) {
        list.AddTail(item);
    }
}

inline std::vector<std::string> Items(const CStringList& list) {
    std::vector<std::string> items;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        items.push_back(list.GetNext(position).Str());
    }
    return items;
}

inline std::vector<std::string> Items(const CStringArray& array) {
    std::vector<std::string> items;
    for (INT_PTR i = 0; i < array.GetSize(); ++i) {
        items.push_back(array[i].Str());
    }
    return items;
}

using Texts = std::vector<std::string>;

}  // namespace test_lists
