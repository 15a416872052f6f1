// The QueryInterface answer of a simulated host service that offers one
// interface besides IUnknown.
#pragma once

#include "platform/com.h"

namespace simhost {

template <typename Interface>
HRESULT AnswerQuery(Interface* self, REFIID iid, const IID& own, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == own) {
        *object = self;
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

}  // namespace simhost
