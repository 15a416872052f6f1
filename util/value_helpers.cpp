#include "util/value_helpers.h"

#include "util/string_numbers.h"
#include "util/ui_string_collections.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int kTableSizes[] = {11,    17,    37,    73,    149,   179,   223,   257,   311,   373,   449,
                               541,   641,   769,   929,   1109,  1361,  1597,  1931,  2309,  2767,  3313,
                               3989,  4783,  5737,  6863,  8237,  9887,  11863, 14243, 17077, 20507, 24593,
                               29527, 35419, 42491, 50989, 61211, 73433, 88117, 105733};

LONG Signed(DWORD value) {
    return static_cast<LONG>(value);
}

bool AllDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

int CompareValuesAscending(const void* first, const void* second) {
    const LONG a = Signed(*static_cast<const DWORD*>(first));
    const LONG b = Signed(*static_cast<const DWORD*>(second));
    return a < b ? -1 : a > b ? 1 : 0;
}

int CompareValuesDescending(const void* first, const void* second) {
    return CompareValuesAscending(second, first);
}

void SortValueArray(CDWordArray& values, BOOL ascending) {
    if (values.GetSize() > 1) {
        std::qsort(values.GetData(), static_cast<std::size_t>(values.GetSize()), sizeof(DWORD),
                   ascending ? &CompareValuesAscending : &CompareValuesDescending);
    }
}

int IndexOfMinimum(const CDWordArray& values) {
    int found = -1;
    for (INT_PTR i = 0; i < values.GetSize(); ++i) {
        if (found < 0 || values[i] < values[found]) {
            found = static_cast<int>(i);
        }
    }
    return found;
}

int IndexOfMaximum(const CDWordArray& values) {
    int found = -1;
    for (INT_PTR i = 0; i < values.GetSize(); ++i) {
        if (found < 0 || values[i] > values[found]) {
            found = static_cast<int>(i);
        }
    }
    return found;
}

int IndexOfValue(const CDWordArray& values, DWORD value) {
    for (INT_PTR i = 0; i < values.GetSize(); ++i) {
        if (values[i] == value) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

BOOL IsContiguousRun(const CDWordArray& values) {
    if (values.GetSize() == 0) {
        return FALSE;
    }
    std::vector<DWORD> sorted(values.GetData(), values.GetData() + values.GetSize());
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        if (sorted[i] != sorted[i - 1] + 1 || sorted[i] == 0) {  // distinct, one apart, no wrap past the top
            return FALSE;
        }
    }
    return TRUE;
}

BOOL SortContiguousRun(CDWordArray& values) {
    if (!IsContiguousRun(values)) {
        return FALSE;
    }
    std::sort(values.GetData(), values.GetData() + values.GetSize());
    return TRUE;
}

std::unique_ptr<DWORD[]> ValueListToArray(const CValueList& list) {
    auto values = std::make_unique<DWORD[]>(static_cast<std::size_t>(list.GetCount()) + 1);
    std::size_t index = 0;
    for (POSITION at = list.GetHeadPosition(); at != nullptr;) {
        values[index++] = list.GetNext(at);
    }
    values[index] = 0;
    return values;
}

BOOL ListsEqual(const CValueList& first, const CValueList& second) {
    if (first.GetCount() != second.GetCount()) {
        return FALSE;
    }
    for (POSITION a = first.GetHeadPosition(), b = second.GetHeadPosition(); a != nullptr;) {
        if (first.GetNext(a) != second.GetNext(b)) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL MapsEqual(const CMapStringToString& first, const CMapStringToString& second, BOOL* keysMatch,
               BOOL* valuesMatch) {
    if (first.IsEmpty() && second.IsEmpty()) {
        return TRUE;
    }
    BOOL keys = TRUE;
    BOOL values = TRUE;
    if (first.GetCount() != second.GetCount()) {
        keys = values = FALSE;
    } else {
        for (POSITION at = first.GetStartPosition(); at != nullptr;) {
            CString key;
            CString value;
            first.GetNextAssoc(at, key, value);
            CString other;
            if (!second.Lookup(key, other)) {
                keys = values = FALSE;
                break;
            }
            if (other != value) {
                values = FALSE;
            }
        }
    }
    if (keysMatch != nullptr) {
        *keysMatch = keys;
    }
    if (valuesMatch != nullptr) {
        *valuesMatch = values;
    }
    return keys && values ? TRUE : FALSE;
}

BOOL RectContains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
                   inner.bottom <= outer.bottom
               ? TRUE
               : FALSE;
}

int HexDigitCount(DWORD value) {
    int digits = 1;
    while ((value >>= 4) != 0) {
        ++digits;
    }
    return digits;
}

int NextTableSize(int count) {
    for (const int size : kTableSizes) {
        if (size > count) {
            return size;
        }
    }
    return -1;
}

int NextTableSizeWithReserve(int count) {
    return NextTableSize(count + count / 5);
}

int ParseDottedVersion(LPCSTR text, int& major, int& minor) {
    const std::string version = text != nullptr ? text : "";
    const std::size_t point = version.find('.');
    if (point == std::string::npos || point == 0 || point + 1 == version.size()) {
        return 1;
    }
    const std::string before = version.substr(0, point);
    const std::string after = version.substr(point + 1);
    if (!AllDigits(before) || !AllDigits(after)) {
        return 1;
    }
    // As the run time's atoi reads them (32 bits), in both builds.
    major = ReadInt(before.c_str());
    minor = ReadInt(after.c_str());
    return 0;
}

BOOL IsVersionLower(LPCSTR first, LPCSTR second) {
    int majorA = 0;
    int minorA = 0;
    int majorB = 0;
    int minorB = 0;
    if (ParseDottedVersion(first, majorA, minorA) != 0 || ParseDottedVersion(second, majorB, minorB) != 0) {
        return FALSE;
    }
    return majorA < majorB || (majorA == majorB && minorA < minorB) ? TRUE : FALSE;
}

BOOL IsVersionHigher(LPCSTR first, LPCSTR second) {
    int majorA = 0;
    int minorA = 0;
    int majorB = 0;
    int minorB = 0;
    if (ParseDottedVersion(first, majorA, minorA) != 0 || ParseDottedVersion(second, majorB, minorB) != 0) {
        return FALSE;
    }
    return majorA > majorB || (majorA == majorB && minorA > minorB) ? TRUE : FALSE;
}

void CollectPrefixedValues(const CStringList& keys, const CStringListMap& map, CStringList& values) {
    values.RemoveAll();
    for (POSITION at = keys.GetHeadPosition(); at != nullptr;) {
        const CString& key = keys.GetNext(at);
        CStringList* entries = nullptr;
        if (!map.Lookup(key, entries) || entries == nullptr) {
            continue;
        }
        for (POSITION entry = entries->GetHeadPosition(); entry != nullptr;) {
            values.AddTail(key + "|" + entries->GetNext(entry));
        }
    }
}

void CopyStringMap(const CMapStringToString& source, CMapStringToString& destination, BOOL clear) {
    CopyStringMapItems(source, destination, clear);
}
