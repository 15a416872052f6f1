#include "hostui/named_icon_items.h"

#include "util/scaled_bitmap.h"

#include <array>

namespace {

// What an empty slot answers.
constexpr DWORD kEmptyValue1 = 0;
constexpr LONG kEmptyValue2 = -1;
constexpr LONG kEmptyExtent = 20;
constexpr DWORD kEmptyValue3 = 20;
constexpr COLORREF kEmptyColour = 20;
constexpr DWORD kMarked = 1;

// The pixel data of a bitmap, as its description gives them.
bool Describe(CBitmap* bitmap, BITMAP& description) {
    if (bitmap == nullptr || bitmap->GetSafeHandle() == nullptr ||
        bitmap->GetBitmap(&description) != static_cast<int>(sizeof(BITMAP))) {
        return false;
    }
    const unsigned long long bytes = static_cast<unsigned long long>(description.bmWidthBytes) *
                                     static_cast<unsigned long long>(description.bmHeight) * description.bmPlanes;
    return description.bmWidthBytes >= 0 && description.bmHeight >= 0 && bytes <= kNamedIconImageBytes;
}

std::unique_ptr<CBitmap> CopyOf(CBitmap* source) {
    auto copy = std::make_unique<CBitmap>();
    return CopyNamedIconBitmap(source, *copy) ? std::move(copy) : nullptr;
}

}  // namespace

bool FitsNamedIconImage(CBitmap* bitmap) {
    BITMAP description{};
    return Describe(bitmap, description);
}

bool CopyNamedIconBitmap(CBitmap* source, CBitmap& target) {
    BITMAP description{};
    if (!Describe(source, description) || target.GetSafeHandle() != nullptr) {
        return false;
    }
    std::array<BYTE, kNamedIconImageBytes> pixels{};
    source->GetBitmapBits(kNamedIconImageBytes, pixels.data());
    description.bmBits = pixels.data();
    return target.CreateBitmapIndirect(&description) != FALSE;
}

bool CNamedIconImagePair::SetImage(CBitmap* image) {
    m_image.reset();
    if (image != nullptr) {
        m_image = CopyOf(image);
    }
    return image == nullptr || m_image != nullptr;
}

bool CNamedIconImagePair::SetMask(CBitmap* mask) {
    m_mask.reset();
    if (mask != nullptr) {
        m_mask = CopyOf(mask);
    }
    return mask == nullptr || m_mask != nullptr;
}

LONG CNamedIconItem::AddImages(CBitmap* image, CBitmap* mask) {
    if (image == nullptr || !FitsNamedIconImage(image) || (mask != nullptr && !FitsNamedIconImage(mask)) ||
        m_images.count(m_nextImageIndex) != 0) {
        return -1;
    }
    auto pair = std::make_unique<CNamedIconImagePair>();
    if (!pair->SetImage(image) || !pair->SetMask(mask)) {
        return -1;
    }
    m_images[m_nextImageIndex] = std::move(pair);
    return m_nextImageIndex++;
}

int CNamedIconItem::GetImages(LONG imageIndex, CBitmap* image, CBitmap* mask) const {
    const auto found = m_images.find(imageIndex);
    if (found == m_images.end() || image == nullptr || !CopyNamedIconBitmap(found->second->GetImage(), *image)) {
        return 0;
    }
    if (found->second->GetMask() != nullptr && mask != nullptr &&
        !CopyNamedIconBitmap(found->second->GetMask(), *mask)) {
        return 0;
    }
    return 1;
}

int CNamedIconItem::DrawImage(LONG imageIndex, CDC* dc, int x, int y, int width, int height) const {
    const auto found = m_images.find(imageIndex);
    if (found != m_images.end() && dc != nullptr) {
        DrawScaledBitmap(dc, found->second->GetImage(), found->second->GetMask(), x, y, kNamedIconImageSize,
                         kNamedIconImageSize, width, height);
    }
    return 0;
}

int CNamedIconItem::RemoveImage(LONG imageIndex) {
    m_images.erase(imageIndex);
    return 0;
}

void CNamedIconItem::RemoveAllImages() {
    m_images.clear();
}

int CNamedIconItemTable::AddItem(LONG* index, DWORD data, void* client, DWORD value1, CString text, LONG value2,
                                 LONG extent, LONG value4, DWORD value3, COLORREF colour, DWORD flags, DWORD marker,
                                 LPCSTR name) {
    const CString itemName = name != nullptr ? name : "";
    LONG existing = -1;
    if (!itemName.IsEmpty() && FindItemByName(itemName, &existing) != 0) {
        return 0;
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
    item->m_index = static_cast<LONG>(slot);
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
    m_order.AddTail(static_cast<LONG>(slot));
    if (index != nullptr) {
        *index = static_cast<LONG>(slot);
    }
    return 1;
}

void CNamedIconItemTable::RemoveItem(LONG index) {
    DeleteItemAt(index);
    if (POSITION position = m_order.Find(index); position != nullptr) {
        m_order.RemoveAt(position);
    }
}

void CNamedIconItemTable::DeleteItemAt(LONG index) {
    if (index >= 0 && index < GetSlotCount()) {
        m_slots[static_cast<std::size_t>(index)].reset();
    }
}

void CNamedIconItemTable::RemoveAll() {
    m_slots.clear();
    m_order.RemoveAll();
}

CNamedIconItem* CNamedIconItemTable::GetItemAt(LONG index) const {
    return index >= 0 && index < GetSlotCount() ? m_slots[static_cast<std::size_t>(index)].get() : nullptr;
}

CNamedIconItem* CNamedIconItemTable::GetNextItem(POSITION& position) const {
    if (position == nullptr) {
        return nullptr;
    }
    return GetItemAt(m_order.GetNext(position));
}

CString CNamedIconItemTable::GetItemText(LONG index) const {
    const CNamedIconItem* item = GetItemAt(index);
    return item != nullptr ? item->GetText() : CString();
}

CPtrList* CNamedIconItemTable::GetItemList(LONG index) const {
    CNamedIconItem* item = GetItemAt(index);
    return item != nullptr ? item->GetClients() : nullptr;
}

int CNamedIconItemTable::AddItemClient(LONG index, void* client) {
    CNamedIconItem* item = GetItemAt(index);
    if (item == nullptr) {
        return 0;
    }
    item->AddClient(client);
    return 1;
}

DWORD CNamedIconItemTable::GetItemData(LONG index) const {
    const CNamedIconItem* item = GetItemAt(index);
    return item != nullptr ? item->GetData() : 0;
}

DWORD CNamedIconItemTable::GetItemValue1(LONG index) const {
    const CNamedIconItem* item = GetItemAt(index);
    return item != nullptr ? item->GetValue1() : kEmptyValue1;
}

LONG CNamedIconItemTable::GetItemValue2(LONG index) const {
    const CNamedIconItem* item = GetItemAt(index);
    return item != nullptr ? item->GetValue2() : kEmptyValue2;
}

LONG CNamedIconItemTable::GetItemExtent(LONG index) const {
    const CNamedIconItem* item = GetItemAt(index);
    return item != nullptr ? item->GetExtent() : kEmptyExtent;
}

DWORD CNamedIconItemTable::GetItemValue3(LONG index) const {
    const CNamedIconItem* item = GetItemAt(index);
    return item != nullptr ? item->GetValue3() : kEmptyValue3;
}

COLORREF CNamedIconItemTable::GetItemColour(LONG index) const {
    const CNamedIconItem* item = GetItemAt(index);
    return item != nullptr ? item->GetColour() : kEmptyColour;
}

DWORD CNamedIconItemTable::GetItemFlags(LONG index) const {
    const CNamedIconItem* item = GetItemAt(index);
    return item != nullptr ? item->GetFlags() : 0;
}

void CNamedIconItemTable::SetItemExtent(LONG index, LONG value) {
    if (CNamedIconItem* item = GetItemAt(index)) {
        item->m_extent = value;
    }
}

void CNamedIconItemTable::SetItemValue4(LONG index, LONG value) {
    if (CNamedIconItem* item = GetItemAt(index)) {
        item->m_value4 = value;
    }
}

void CNamedIconItemTable::SetItemInitialExtent(LONG index, LONG value) {
    if (CNamedIconItem* item = GetItemAt(index)) {
        item->m_initialExtent = value;
    }
}

int CNamedIconItemTable::QueryItemExtent(LONG index, LONG* value) const {
    const CNamedIconItem* item = GetItemAt(index);
    if (item == nullptr || value == nullptr) {
        return 0;
    }
    *value = item->GetExtent();
    return 1;
}

int CNamedIconItemTable::QueryItemValue4(LONG index, LONG* value) const {
    const CNamedIconItem* item = GetItemAt(index);
    if (item == nullptr || value == nullptr) {
        return 0;
    }
    *value = item->GetValue4();
    return 1;
}

int CNamedIconItemTable::QueryItemInitialExtent(LONG index, LONG* value) const {
    const CNamedIconItem* item = GetItemAt(index);
    if (item == nullptr || value == nullptr) {
        return 0;
    }
    *value = item->GetInitialExtent();
    return 1;
}

LONG CNamedIconItemTable::GetTotalExtent() const {
    LONG total = 0;
    for (const auto& item : m_slots) {
        if (item != nullptr) {
            total += item->GetExtent();
        }
    }
    return total;
}

int CNamedIconItemTable::FindItemByName(LPCSTR name, LONG* index) const {
    if (name == nullptr || name[0] == '\0') {
        return 0;
    }
    for (const auto& item : m_slots) {
        if (item != nullptr && item->m_name == name) {
            if (index != nullptr) {
                *index = item->GetIndex();
            }
            return 1;
        }
    }
    return 0;
}

LONG CNamedIconItemTable::FindMarkedItem() const {
    for (const auto& item : m_slots) {
        if (item != nullptr && item->GetMarker() == kMarked) {
            return item->GetIndex();
        }
    }
    return -1;
}

LONG CNamedIconItemTable::FindItemWithFlag40() const {
    for (const auto& item : m_slots) {
        if (item != nullptr && (item->GetFlags() & kFlag40) != 0) {
            return item->GetIndex();
        }
    }
    return -1;
}

LONG CNamedIconItemTable::CollectItemsWithFlag20(CList<LONG, LONG>& indices) const {
    LONG last = -1;
    for (const auto& item : m_slots) {
        if (item != nullptr && (item->GetFlags() & kFlag20) != 0) {
            last = item->GetIndex();
            indices.AddTail(last);
        }
    }
    return last;
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

int CNamedIconItemTable::GetItemImages(LONG index, LONG imageIndex, CBitmap* image, CBitmap* mask) const {
    const CNamedIconItem* item = GetItemAt(index);
    return item != nullptr ? item->GetImages(imageIndex, image, mask) : 0;
}

LONG CNamedIconItemTable::GetItemImageCount(LONG index) const {
    const CNamedIconItem* item = GetItemAt(index);
    return item != nullptr ? item->GetNextImageIndex() : -1;
}

LONG CNamedIconItemTable::AddItemImages(LONG index, CBitmap* image, CBitmap* mask) {
    CNamedIconItem* item = GetItemAt(index);
    return item != nullptr ? item->AddImages(image, mask) : -1;
}

int CNamedIconItemTable::RemoveItemImage(LONG index, LONG imageIndex) {
    if (CNamedIconItem* item = GetItemAt(index)) {
        item->RemoveImage(imageIndex);
    }
    return 0;
}

void CNamedIconItemTable::RemoveAllItemImages(LONG index) {
    if (CNamedIconItem* item = GetItemAt(index)) {
        item->RemoveAllImages();
    }
}

int CNamedIconItemTable::DrawItemImage(LONG index, LONG imageIndex, CDC* dc, int x, int y, int width,
                                       int height) const {
    if (const CNamedIconItem* item = GetItemAt(index)) {
        item->DrawImage(imageIndex, dc, x, y, width, height);
    }
    return 0;
}
