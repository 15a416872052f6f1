#include "util/record_arrays.h"

#include <cstdint>
#include <cstring>

int CompareInt32(const void* first, const void* second) {
    std::int32_t a = 0;
    std::int32_t b = 0;
    std::memcpy(&a, first, sizeof(a));
    std::memcpy(&b, second, sizeof(b));
    return a == b ? 0 : (a > b ? 1 : -1);
}

void CollectArraysOfSize(const CDWordArrayPtrArray& arrays, INT_PTR size, CDWordArrayPtrArray& out) {
    for (INT_PTR i = 0; i < arrays.GetSize(); ++i) {
        if (arrays[i] != nullptr && arrays[i]->GetSize() == size) {
            out.Add(arrays[i]);
        }
    }
}

BOOL HasArrayOfSize(const CDWordArrayPtrArray& arrays, INT_PTR size) {
    for (INT_PTR i = 0; i < arrays.GetSize(); ++i) {
        if (arrays[i] != nullptr && arrays[i]->GetSize() == size) {
            return TRUE;
        }
    }
    return FALSE;
}
