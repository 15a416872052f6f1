// CNamedIconItemTable: named items, each with an index, a text, a few 32-bit
// settings, a data word and a list of client pointers, addressed by index;
// the table also keeps the order in which the items were added.
//
// What is here is what the client-calling wrapper (CHostServiceE) uses and
// what fills a table for it; the items' images are not kept here.
#pragma once

#include "platform/afx.h"

#include <memory>
#include <vector>

class CNamedIconItem {
public:
    CNamedIconItem() = default;
    CNamedIconItem(const CNamedIconItem&) = delete;
    CNamedIconItem& operator=(const CNamedIconItem&) = delete;

    CString GetName() const { return m_name; }
    CString GetText() const { return m_text; }
    CPtrList* GetClientList() { return &m_clients; }
    int GetIndex() const { return m_index; }
    DWORD GetValue1() const { return m_value1; }
    LONG GetValue2() const { return m_value2; }
    LONG GetExtent() const { return m_extent; }
    DWORD GetValue3() const { return m_value3; }
    COLORREF GetColour() const { return m_colour; }
    DWORD GetFlags() const { return m_flags; }
    DWORD GetMarker() const { return m_marker; }
    DWORD GetData() const { return m_data; }
    LONG GetValue4() const { return m_value4; }
    LONG GetInitialExtent() const { return m_initialExtent; }
    // Client pointers are borrowed: the item never releases them.
    void AddClient(void* client) { m_clients.AddTail(client); }

private:
    friend class CNamedIconItemTable;

    CString m_name;
    CPtrList m_clients;
    int m_index = -1;
    CString m_text;
    DWORD m_value1 = 1;
    LONG m_value2 = -1;
    LONG m_extent = 20;
    DWORD m_value3 = 0;
    COLORREF m_colour = 0xC0C0C0;
    DWORD m_flags = 0;
    DWORD m_marker = 0;
    DWORD m_data = 0;
    LONG m_value4 = -1;
    LONG m_initialExtent = 20;
};

class CNamedIconItemTable {
public:
    CNamedIconItemTable() = default;
    ~CNamedIconItemTable() { RemoveAll(); }
    CNamedIconItemTable(const CNamedIconItemTable&) = delete;
    CNamedIconItemTable& operator=(const CNamedIconItemTable&) = delete;

    // Adds an item in the first empty slot (or a new one) and writes its
    // index; 0 and nothing added when a non-empty name is taken already
    // (names compare exactly), else 1.
    BOOL AddItem(int* index, DWORD data, void* client, DWORD value1, CString text, LONG value2, LONG extent,
                 LONG value4, DWORD value3, COLORREF colour, DWORD flags, DWORD marker, LPCSTR name);
    // Deletes the item and forgets it in the order of addition.
    void RemoveItem(int index);
    // Deletes the item of a slot inside the table, leaving the slot empty.
    void DeleteItemAt(int index);
    void RemoveAll();

    // The item of a slot; null for an empty slot or one outside the table.
    CNamedIconItem* GetItemAt(int index) const;
    BOOL HasItem(int index) const { return GetItemAt(index) != nullptr ? TRUE : FALSE; }
    int GetSlotCount() const { return static_cast<int>(m_slots.size()); }
    // The items in the order of addition.
    POSITION GetFirstPosition() const { return m_order.GetHeadPosition(); }
    CNamedIconItem* GetNextItem(POSITION& position) const;
    // The item's client list; null for an empty slot.
    CPtrList* GetItemList(int index) const;
    BOOL AddItemClient(int index, void* client);
    // The item's data word; 0 for an empty slot.
    DWORD GetItemData(int index) const;
    // Empties the array, then appends every client of every item (in slot
    // order, each list in its order) that it does not hold yet.
    void MergeClientLists(CPtrArray& clients) const;

private:
    CList<int, int> m_order;
    std::vector<std::unique_ptr<CNamedIconItem>> m_slots;
};
