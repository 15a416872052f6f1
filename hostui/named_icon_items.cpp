#include "hostui/named_icon_items.h"

BOOL CNamedIconItemTable::AddItem(int* index, DWORD data, void* client, DWORD value1, CString text, LONG value2,
                                  LONG extent, LONG value4, DWORD value3, COLORREF colour, DWORD flags, DWORD marker,
                                  LPCSTR name) {
    const CString itemName(name);
    if (!itemName.IsEmpty()) {
        for (const auto& item : m_slots) {
            if (item != nullptr && item->m_name.Compare(itemName) == 0) {
                return FALSE;
            }
        }
    }
    std::size_t slot = 0;
    while (slot < m_slots.size() && m_slots[slot] != nullptr) {
        ++slot;
    }
    if (slot == m_slots.size()) {
        m_slots.emplace_back();
    }
    auto item = std::make_unique<CNamedIconItem>();
    item->m_name = itemName;
    item->m_index = static_cast<int>(slot);
    item->m_value1 = value1;
    item->m_text = text;
    item->m_value2 = value2;
    item->m_extent = extent;
    item->m_initialExtent = extent;
    item->m_value3 = value3;
    item->m_colour = colour;
    item->m_flags = flags;
    item->m_marker = marker;
    item->AddClient(client);
    item->m_data = data;
    item->m_value4 = value4;
    m_slots[slot] = std::move(item);
    m_order.AddTail(static_cast<int>(slot));
    if (index != nullptr) {
        *index = static_cast<int>(slot);
    }
    return TRUE;
}

void CNamedIconItemTable::RemoveItem(int index) {
    DeleteItemAt(index);
    for (POSITION position = m_order.GetHeadPosition(); position != nullptr;) {
        const POSITION current = position;
        if (m_order.GetNext(position) == index) {
            m_order.RemoveAt(current);
            break;
        }
    }
}

void CNamedIconItemTable::DeleteItemAt(int index) {
    if (index >= 0 && index < GetSlotCount()) {
        m_slots[static_cast<std::size_t>(index)].reset();
    }
}

void CNamedIconItemTable::RemoveAll() {
    m_slots.clear();
    m_order.RemoveAll();
}

CNamedIconItem* CNamedIconItemTable::GetItemAt(int index) const {
    if (index < 0 || index >= GetSlotCount()) {
        return nullptr;  // outside the table reads as an empty slot
    }
    return m_slots[static_cast<std::size_t>(index)].get();
}

CNamedIconItem* CNamedIconItemTable::GetNextItem(POSITION& position) const {
    return GetItemAt(m_order.GetNext(position));
}

CPtrList* CNamedIconItemTable::GetItemList(int index) const {
    CNamedIconItem* item = GetItemAt(index);
    return item != nullptr ? item->GetClientList() : nullptr;
}

BOOL CNamedIconItemTable::AddItemClient(int index, void* client) {
    CNamedIconItem* item = GetItemAt(index);
    if (item == nullptr) {
        return FALSE;
    }
    item->AddClient(client);
    return TRUE;
}

DWORD CNamedIconItemTable::GetItemData(int index) const {
    const CNamedIconItem* item = GetItemAt(index);
    return item != nullptr ? item->GetData() : 0;
}

void CNamedIconItemTable::MergeClientLists(CPtrArray& clients) const {
    clients.RemoveAll();
    for (const auto& item : m_slots) {
        if (item == nullptr) {
            continue;
        }
        for (POSITION position = item->m_clients.GetHeadPosition(); position != nullptr;) {
            void* client = item->m_clients.GetNext(position);
            bool held = false;
            for (INT_PTR i = 0; i < clients.GetSize() && !held; ++i) {
                held = clients[i] == client;
            }
            if (!held) {
                clients.Add(client);
            }
        }
    }
}
