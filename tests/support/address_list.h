// The host's list of stop addresses for a go to addresses: a VARIANT array
// of VT_UINT VARIANTs.
#pragma once

#include "platform/com.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace testsupport {

class AddressList {
public:
    explicit AddressList(std::initializer_list<DWORD> addresses) {
        VariantInit(&list_);
        list_.vt = VT_ARRAY | VT_UINT;
        list_.parray = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(addresses.size()));
        void* data = nullptr;
        EXPECT_EQ(SafeArrayAccessData(list_.parray, &data), S_OK);
        auto* elements = static_cast<VARIANT*>(data);
        for (const DWORD address : addresses) {
            elements->vt = VT_UINT;
            elements->uintVal = address;
            ++elements;
        }
        SafeArrayUnaccessData(list_.parray);
    }
    ~AddressList() { VariantClear(&list_); }
    AddressList(const AddressList&) = delete;
    AddressList& operator=(const AddressList&) = delete;
    const VARIANT& Get() const { return list_; }

private:
    VARIANT list_;
};

}  // namespace testsupport
