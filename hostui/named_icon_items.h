// The named icon item table: named items, each with an index, a text, a few
// settings, a list of client pointers and a numbered collection of small
// images (an image and its mask). Items are addressed by index; the table
// also remembers the order in which they were added.
//
// Images are copied through a buffer of 1,024 bytes: a bitmap with more
// pixel data than that is refused, never cut. An index outside the table's
// slots answers as an empty slot.
#pragma once

#include "platform/afx.h"

#include <map>
#include <memory>
#include <vector>

// The most pixel data an image or mask bitmap may hold (16 by 16 pixels at
// up to 32 bits per pixel).
inline constexpr DWORD kNamedIconImageBytes = 1024;
// The source size image drawing takes.
inline constexpr int kNamedIconImageSize = 16;

// An image and its mask, each an owned copy or null.
class CNamedIconImagePair {
public:
    CNamedIconImagePair() = default;
    CNamedIconImagePair(const CNamedIconImagePair&) = delete;
    CNamedIconImagePair& operator=(const CNamedIconImagePair&) = delete;

    // Drop the current bitmap of that half and keep a copy of the given one
    // (none for null). False, with the half left empty, for a bitmap that
    // cannot be copied.
    bool SetImage(CBitmap* image);
    bool SetMask(CBitmap* mask);
    CBitmap* GetImage() const { return m_image.get(); }
    CBitmap* GetMask() const { return m_mask.get(); }

private:
    std::unique_ptr<CBitmap> m_image;
    std::unique_ptr<CBitmap> m_mask;
};

// Whether a bitmap's pixel data fit the copy buffer.
bool FitsNamedIconImage(CBitmap* bitmap);
// Copies a bitmap into one that holds none yet; false when the source does
// not fit or the copy cannot be made.
bool CopyNamedIconBitmap(CBitmap* source, CBitmap& target);

class CNamedIconItem {
public:
    CNamedIconItem() = default;
    ~CNamedIconItem() { RemoveAllImages(); }
    CNamedIconItem(const CNamedIconItem&) = delete;
    CNamedIconItem& operator=(const CNamedIconItem&) = delete;

    CString GetName() const { return m_name; }
    CString GetText() const { return m_text; }
    CPtrList* GetClients() { return &m_clients; }
    LONG GetIndex() const { return m_index; }
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
    LONG GetNextImageIndex() const { return m_nextImageIndex; }
    void AddClient(void* client) { m_clients.AddTail(client); }

    // The new image's index, or -1 for a null or too large image or mask.
    // Indices are never reused.
    LONG AddImages(CBitmap* image, CBitmap* mask);
    // 1 with copies of the stored image (and mask, when there is one) in the
    // caller's bitmaps, which must hold none yet; 0 without such an image or
    // when a copy cannot be made.
    int GetImages(LONG imageIndex, CBitmap* image, CBitmap* mask) const;
    // Draws the image with its mask as transparency from a 16 by 16 source,
    // stretched to the rectangle. Answers 0.
    int DrawImage(LONG imageIndex, CDC* dc, int x, int y, int width, int height) const;
    int RemoveImage(LONG imageIndex);
    // Keeps the next image index.
    void RemoveAllImages();

private:
    friend class CNamedIconItemTable;

    CString m_name;
    CPtrList m_clients;  // borrowed
    LONG m_index = -1;
    CString m_text;
    DWORD m_value1 = 1;
    LONG m_value2 = -1;
    LONG m_extent = 20;
    DWORD m_value3 = 0;
    COLORREF m_colour = 0xC0C0C0;
    DWORD m_flags = 0;
    DWORD m_marker = 0;
    std::map<LONG, std::unique_ptr<CNamedIconImagePair>> m_images;
    DWORD m_data = 0;
    LONG m_value4 = -1;
    LONG m_initialExtent = 20;
    LONG m_nextImageIndex = 0;
};

class CNamedIconItemTable {
public:
    // Flag bits the table searches for.
    static constexpr DWORD kFlag20 = 0x20;
    static constexpr DWORD kFlag40 = 0x40;

    CNamedIconItemTable() = default;
    ~CNamedIconItemTable() { RemoveAll(); }
    CNamedIconItemTable(const CNamedIconItemTable&) = delete;
    CNamedIconItemTable& operator=(const CNamedIconItemTable&) = delete;

    // 0 when the name is not empty and an item has it already; else the item
    // takes the first empty slot (or a new one) and 1 is answered with its
    // index.
    int AddItem(LONG* index, DWORD data, void* client, DWORD value1, CString text, LONG value2, LONG extent,
                LONG value4, DWORD value3, COLORREF colour, DWORD flags, DWORD marker, LPCSTR name);
    void RemoveItem(LONG index);
    void DeleteItemAt(LONG index);
    void RemoveAll();

    CNamedIconItem* GetItemAt(LONG index) const;
    int HasItem(LONG index) const { return GetItemAt(index) != nullptr ? 1 : 0; }
    // The order of addition of the live items.
    POSITION GetFirstPosition() const { return m_order.GetHeadPosition(); }
    CNamedIconItem* GetNextItem(POSITION& position) const;
    LONG GetSlotCount() const { return static_cast<LONG>(m_slots.size()); }

    CString GetItemText(LONG index) const;
    CPtrList* GetItemList(LONG index) const;
    int AddItemClient(LONG index, void* client);
    DWORD GetItemData(LONG index) const;
    // An empty slot answers 0, -1, 20, 20, 20 and 0.
    DWORD GetItemValue1(LONG index) const;
    LONG GetItemValue2(LONG index) const;
    LONG GetItemExtent(LONG index) const;
    DWORD GetItemValue3(LONG index) const;
    COLORREF GetItemColour(LONG index) const;
    DWORD GetItemFlags(LONG index) const;
    void SetItemExtent(LONG index, LONG value);
    void SetItemValue4(LONG index, LONG value);
    void SetItemInitialExtent(LONG index, LONG value);
    int QueryItemExtent(LONG index, LONG* value) const;
    int QueryItemValue4(LONG index, LONG* value) const;
    int QueryItemInitialExtent(LONG index, LONG* value) const;
    LONG GetTotalExtent() const;

    // 1 with the index of the first item (in slot order) of that exact name;
    // 0 for an empty name or when none has it.
    int FindItemByName(LPCSTR name, LONG* index) const;
    LONG FindMarkedItem() const;
    LONG FindItemWithFlag40() const;
    // Appends the index of every item with flag 0x20; answers the last one
    // appended, -1 when none.
    LONG CollectItemsWithFlag20(CList<LONG, LONG>& indices) const;
    // Every item's clients in slot order, each pointer once.
    void MergeClientLists(CPtrArray& clients) const;

    int GetItemImages(LONG index, LONG imageIndex, CBitmap* image, CBitmap* mask) const;
    LONG GetItemImageCount(LONG index) const;
    LONG AddItemImages(LONG index, CBitmap* image, CBitmap* mask);
    int RemoveItemImage(LONG index, LONG imageIndex);
    void RemoveAllItemImages(LONG index);
    int DrawItemImage(LONG index, LONG imageIndex, CDC* dc, int x, int y, int width, int height) const;

private:
    CList<LONG, LONG> m_order;
    std::vector<std::unique_ptr<CNamedIconItem>> m_slots;
};
