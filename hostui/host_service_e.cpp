#include "hostui/host_service_e.h"

#include "frame/com_utils.h"
#include "hostui/wrapper_kit.h"

#include <vector>

namespace kit = wrapper_kit;
using Client = IHServiceEClient;

namespace {

constexpr DWORD kNoValue = 0xFFFFFFFFu;  // operation 16's "no value" (-1)

CNamedIconItem* ItemAt(const CNamedIconItemTable* table, LONG index) {
    return table != nullptr ? table->GetItemAt(index) : nullptr;
}

// The item's clients in list order (none for no item). A null entry is no
// client and is passed over.
std::vector<Client*> ClientsOf(CNamedIconItem* item) {
    std::vector<Client*> clients;
    if (item == nullptr) {
        return clients;
    }
    CPtrList* list = item->GetClients();
    for (POSITION position = list->GetHeadPosition(); position != nullptr;) {
        if (void* client = list->GetNext(position); client != nullptr) {
            clients.push_back(static_cast<Client*>(client));
        }
    }
    return clients;
}

// Calls every client of the item with call(client, data): S_OK when no
// result is negative, else E_FAIL; every client is called either way.
template <typename Call>
HRESULT CallClients(CNamedIconItem* item, Call call) {
    HRESULT combined = S_OK;
    for (Client* client : ClientsOf(item)) {
        if (FAILED(call(*client, item->GetData()))) {
            combined = E_FAIL;
        }
    }
    return combined;
}

// The same with the text made into one BSTR for the item's clients (none is
// made when there is no item).
template <typename Call>
HRESULT CallClientsWithText(CNamedIconItem* item, const CString& text, Call call) {
    if (item == nullptr) {
        return S_OK;
    }
    const kit::Text bstr(text);
    return CallClients(item, [&](Client& client, DWORD data) { return call(client, bstr.Host(), data); });
}

// perItem for every item in the order of addition, combined like the clients.
template <typename PerItem>
HRESULT CallAllItems(const CNamedIconItemTable* table, PerItem perItem) {
    HRESULT combined = S_OK;
    if (table == nullptr) {
        return combined;
    }
    for (POSITION position = table->GetFirstPosition(); position != nullptr;) {
        CNamedIconItem* item = table->GetNextItem(position);
        if (item != nullptr && FAILED(perItem(item))) {
            combined = E_FAIL;
        }
    }
    return combined;
}

// A VARIANT the clients fill, cleared on every exit.
class ScopedVariant {
public:
    ScopedVariant() = default;
    ~ScopedVariant() { Clear(); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
    VARIANT* Address() { return &value_; }
    const VARIANT& Value() const { return value_; }
    void Clear() { static_cast<void>(VariantClear(&value_)); }  // a client's list cannot be locked

private:
    VARIANT value_{};
};

std::unique_ptr<BYTE[]> ByteBuffer(const VARIANT& list) {
    std::unique_ptr<BYTE[]> buffer;
    DWORD length = 0;  // not passed back
    CComUtils::VariantToByteBuffer(list, buffer, length);
    return buffer;
}

}  // namespace

HRESULT CHostServiceE::Op3(CString text, LONG index) {
    return CallClientsWithText(ItemAt(m_table, index), text,
                               [](Client& client, BSTR bstr, DWORD data) { return client.Op3(bstr, data); });
}

HRESULT CHostServiceE::Op3Second(CString text, LONG index) {
    return Op3(text, index);
}

HRESULT CHostServiceE::Op3AllItems(CString text) {
    return CallAllItems(m_table, [&](CNamedIconItem* item) {
        return CallClientsWithText(item, text,
                                   [](Client& client, BSTR bstr, DWORD data) { return client.Op3(bstr, data); });
    });
}

HRESULT CHostServiceE::Op4(CString text, LONG index) {
    return CallClientsWithText(ItemAt(m_table, index), text,
                               [](Client& client, BSTR bstr, DWORD data) { return client.Op4(bstr, data); });
}

HRESULT CHostServiceE::Op4Second(CString text, LONG index) {
    return Op4(text, index);
}

HRESULT CHostServiceE::Op4AllItems(CString text) {
    return CallAllItems(m_table, [&](CNamedIconItem* item) {
        return CallClientsWithText(item, text,
                                   [](Client& client, BSTR bstr, DWORD data) { return client.Op4(bstr, data); });
    });
}

HRESULT CHostServiceE::Op5(CString text, DWORD numberA, DWORD numberB) {
    return CallAllItems(m_table, [&](CNamedIconItem* item) {
        return CallClientsWithText(item, text, [&](Client& client, BSTR bstr, DWORD data) {
            return client.Op5(bstr, data, numberA, numberB);
        });
    });
}

HRESULT CHostServiceE::Op6(CString text, DWORD numberA, DWORD numberB) {
    return CallAllItems(m_table, [&](CNamedIconItem* item) {
        return CallClientsWithText(item, text, [&](Client& client, BSTR bstr, DWORD data) {
            return client.Op6(bstr, data, numberA, numberB);
        });
    });
}

HRESULT CHostServiceE::Op7(CString text, DWORD numberA, DWORD numberB) {
    return CallAllItems(m_table, [&](CNamedIconItem* item) {
        return CallClientsWithText(item, text, [&](Client& client, BSTR bstr, DWORD data) {
            return client.Op7(bstr, data, numberA, numberB);
        });
    });
}

HRESULT CHostServiceE::Op8(CString text, LONG index, DWORD number1, DWORD number2, DWORD number3, DWORD number4,
                           DWORD number5) {
    return CallClientsWithText(ItemAt(m_table, index), text, [&](Client& client, BSTR bstr, DWORD data) {
        return client.Op8(bstr, data, number1, number2, number3, number4, number5);
    });
}

HRESULT CHostServiceE::Op9(LONG index, DWORD number) {
    return CallClients(ItemAt(m_table, index), [&](Client& client, DWORD data) { return client.Op9(data, number); });
}

HRESULT CHostServiceE::Op10(CString text, LONG index, DWORD number) {
    return CallClientsWithText(ItemAt(m_table, index), text,
                               [&](Client& client, BSTR bstr, DWORD data) { return client.Op10(bstr, data, number); });
}

HRESULT CHostServiceE::Op11(LONG index, DWORD number) {
    return CallClients(ItemAt(m_table, index), [&](Client& client, DWORD data) { return client.Op11(data, number); });
}

HRESULT CHostServiceE::Op12(CString text, LONG index, DWORD number) {
    return CallClientsWithText(ItemAt(m_table, index), text,
                               [&](Client& client, BSTR bstr, DWORD data) { return client.Op12(bstr, data, number); });
}

HRESULT CHostServiceE::Op13(DWORD numberA, DWORD numberB, std::unique_ptr<BYTE[]>& buffer1,
                            std::unique_ptr<BYTE[]>& buffer2, DWORD* value, LONG index) {
    ScopedVariant first;
    ScopedVariant second;
    DWORD clientValue = 0;
    return CallClients(ItemAt(m_table, index), [&](Client& client, DWORD data) {
        const HRESULT result =
            client.Op13(numberA, numberB, data, first.Address(), second.Address(), &clientValue);
        if (result == S_OK) {
            buffer1 = ByteBuffer(first.Value());
            buffer2 = ByteBuffer(second.Value());
            if (value != nullptr) {
                *value = clientValue;
            }
        }
        // Each client fills the two lists afresh, as outs are filled; what an
        // earlier one left must not be overwritten unfreed.
        first.Clear();
        second.Clear();
        return result == S_OK ? S_OK : E_FAIL;
    });
}

HRESULT CHostServiceE::Op14(DWORD numberA, CString text, DWORD numberB, LONG index) {
    return CallClientsWithText(ItemAt(m_table, index), text, [&](Client& client, BSTR bstr, DWORD data) {
        return client.Op14(numberA, bstr, data, numberB);
    });
}

HRESULT CHostServiceE::Op15(CString& out, DWORD numberA, CString text, DWORD numberB, LONG index) {
    CNamedIconItem* item = ItemAt(m_table, index);
    if (item == nullptr) {
        return E_FAIL;
    }
    const kit::Text bstr(text);
    for (Client* client : ClientsOf(item)) {
        platform::Bstr answer;
        if (SUCCEEDED(client->Op15(answer.Out(), numberA, bstr.Host(), item->GetData(), numberB))) {
            out = answer.Ansi().c_str();
            return S_OK;
        }
    }
    return E_FAIL;
}

HRESULT CHostServiceE::Op16(DWORD* value1, DWORD* value2, CString text, DWORD number, LONG index) {
    if (value1 != nullptr) {
        *value1 = kNoValue;
    }
    if (value2 != nullptr) {
        *value2 = kNoValue;
    }
    CNamedIconItem* item = ItemAt(m_table, index);
    if (item == nullptr) {
        return E_FAIL;
    }
    const kit::Text bstr(text);
    for (Client* client : ClientsOf(item)) {
        DWORD first = kNoValue;
        DWORD second = kNoValue;
        const HRESULT result = client->Op16(&first, &second, bstr.Host(), item->GetData(), number);
        if (result == S_OK) {
            if (value1 != nullptr && first != kNoValue) {
                *value1 = first;
            }
            if (value2 != nullptr && second != kNoValue) {
                *value2 = second;
            }
            return S_OK;
        }
        if (result == S_FALSE) {
            return S_OK;
        }
    }
    return E_FAIL;
}

HRESULT CHostServiceE::Op17(LONG index, CString& out, DWORD number) {
    for (Client* client : ClientsOf(ItemAt(m_table, index))) {
        DWORD value = 0;  // not passed back
        platform::Bstr answer;
        if (SUCCEEDED(client->Op17(&value, answer.Out(), number))) {
            out = answer.Ansi().c_str();
            return S_OK;
        }
    }
    return E_FAIL;
}

BOOL CHostServiceE::HasClient(void* client) const {
    if (m_table == nullptr) {
        return FALSE;
    }
    CPtrArray clients;
    m_table->MergeClientLists(clients);
    for (INT_PTR i = 0; i < clients.GetSize(); ++i) {
        if (clients[i] == client) {
            return TRUE;
        }
    }
    return FALSE;
}
