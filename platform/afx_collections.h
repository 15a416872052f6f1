// The class library's collections: lists walked by POSITION, arrays by
// index, and maps by key, with the orders the class library gives them. A
// list keeps insertion order; a map walks its hash table from the first bucket
// up, and within a bucket from the most recently added entry.
#pragma once

#include "platform/afx_object.h"
#include "platform/afx_string.h"

#include <cstdint>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

struct CollectionPositionTag;
using POSITION = CollectionPositionTag*;

// List: a doubly linked list. TYPE is held by value; ARG_TYPE is how values
// are passed in.
template <typename TYPE, typename ARG_TYPE = const TYPE&>
class CList : public CObject {
public:
    explicit CList(int blockSize = 10) { static_cast<void>(blockSize); }
    ~CList() override { RemoveAll(); }
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;

    INT_PTR GetCount() const { return count_; }
    INT_PTR GetSize() const { return count_; }
    BOOL IsEmpty() const { return count_ == 0 ? TRUE : FALSE; }

    TYPE& GetHead() { return Checked(head_)->value; }
    const TYPE& GetHead() const { return Checked(head_)->value; }
    TYPE& GetTail() { return Checked(tail_)->value; }
    const TYPE& GetTail() const { return Checked(tail_)->value; }

    TYPE RemoveHead() {
        Node* node = Checked(head_);
        TYPE value = std::move(node->value);
        Unlink(node);
        return value;
    }
    TYPE RemoveTail() {
        Node* node = Checked(tail_);
        TYPE value = std::move(node->value);
        Unlink(node);
        return value;
    }

    POSITION AddHead(ARG_TYPE value) { return InsertBefore(nullptr, value); }
    POSITION AddTail(ARG_TYPE value) { return InsertAfter(nullptr, value); }
    void AddHead(const CList* other) {
        for (POSITION position = other->GetTailPosition(); position != nullptr;) {
            AddHead(other->GetPrev(position));
        }
    }
    void AddTail(const CList* other) {
        for (POSITION position = other->GetHeadPosition(); position != nullptr;) {
            AddTail(other->GetNext(position));
        }
    }

    void RemoveAll() {
        while (head_ != nullptr) {
            Unlink(head_);
        }
    }

    POSITION GetHeadPosition() const { return ToPosition(head_); }
    POSITION GetTailPosition() const { return ToPosition(tail_); }
    // The value at position; position moves to the next (or previous) one,
    // null after the last.
    TYPE& GetNext(POSITION& position) {
        Node* node = Checked(ToNode(position));
        position = ToPosition(node->next);
        return node->value;
    }
    const TYPE& GetNext(POSITION& position) const {
        Node* node = Checked(ToNode(position));
        position = ToPosition(node->next);
        return node->value;
    }
    TYPE& GetPrev(POSITION& position) {
        Node* node = Checked(ToNode(position));
        position = ToPosition(node->previous);
        return node->value;
    }
    const TYPE& GetPrev(POSITION& position) const {
        Node* node = Checked(ToNode(position));
        position = ToPosition(node->previous);
        return node->value;
    }
    TYPE& GetAt(POSITION position) { return Checked(ToNode(position))->value; }
    const TYPE& GetAt(POSITION position) const { return Checked(ToNode(position))->value; }
    void SetAt(POSITION position, ARG_TYPE value) { Checked(ToNode(position))->value = value; }
    void RemoveAt(POSITION position) { Unlink(Checked(ToNode(position))); }

    // Before the head (null position) or before position.
    POSITION InsertBefore(POSITION position, ARG_TYPE value) {
        Node* next = position == nullptr ? head_ : ToNode(position);
        Node* node = new Node{TYPE(value), next != nullptr ? next->previous : tail_, next};
        Link(node);
        return ToPosition(node);
    }
    // After the tail (null position) or after position.
    POSITION InsertAfter(POSITION position, ARG_TYPE value) {
        Node* previous = position == nullptr ? tail_ : ToNode(position);
        Node* node = new Node{TYPE(value), previous, previous != nullptr ? previous->next : head_};
        Link(node);
        return ToPosition(node);
    }

    // The first element equal to value after startAfter (from the head when
    // null), or null.
    POSITION Find(ARG_TYPE value, POSITION startAfter = nullptr) const {
        Node* node = startAfter == nullptr ? head_ : ToNode(startAfter)->next;
        for (; node != nullptr; node = node->next) {
            if (node->value == value) {
                return ToPosition(node);
            }
        }
        return nullptr;
    }
    // The element at a zero-based index, or null.
    POSITION FindIndex(INT_PTR index) const {
        if (index < 0 || index >= count_) {
            return nullptr;
        }
        Node* node = head_;
        while (index-- > 0) {
            node = node->next;
        }
        return ToPosition(node);
    }

private:
    struct Node {
        TYPE value;
        Node* previous;
        Node* next;
    };

    static POSITION ToPosition(Node* node) { return reinterpret_cast<POSITION>(node); }
    static Node* ToNode(POSITION position) { return reinterpret_cast<Node*>(position); }
    static Node* Checked(Node* node) {
        if (node == nullptr) {
            throw std::out_of_range("list position is null");
        }
        return node;
    }

    void Link(Node* node) {
        (node->previous != nullptr ? node->previous->next : head_) = node;
        (node->next != nullptr ? node->next->previous : tail_) = node;
        ++count_;
    }
    void Unlink(Node* node) {
        (node->previous != nullptr ? node->previous->next : head_) = node->next;
        (node->next != nullptr ? node->next->previous : tail_) = node->previous;
        --count_;
        delete node;
    }

    Node* head_ = nullptr;
    Node* tail_ = nullptr;
    INT_PTR count_ = 0;
};

class CStringList : public CList<CString, const char*> {
public:
    using CList::CList;
};
class CPtrList : public CList<void*, void*> {
public:
    using CList::CList;
};
class CObList : public CList<CObject*, CObject*> {
public:
    using CList::CList;
};

// Array: contiguous, growing as elements are added. Index access out of range
// throws std::out_of_range instead of touching memory it does not own.
template <typename TYPE, typename ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;
    ~CArray() override = default;
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(items_.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return items_.empty() ? TRUE : FALSE; }
    // New elements are value-initialised (zero for plain values).
    void SetSize(INT_PTR newSize, INT_PTR growBy = -1) {
        static_cast<void>(growBy);
        items_.resize(static_cast<std::size_t>(newSize < 0 ? 0 : newSize));
    }
    void FreeExtra() { items_.shrink_to_fit(); }
    void RemoveAll() { items_.clear(); }

    TYPE& GetAt(INT_PTR index) { return items_.at(Index(index)); }
    const TYPE& GetAt(INT_PTR index) const { return items_.at(Index(index)); }
    void SetAt(INT_PTR index, ARG_TYPE value) { items_.at(Index(index)) = value; }
    TYPE& ElementAt(INT_PTR index) { return GetAt(index); }
    TYPE& operator[](INT_PTR index) { return GetAt(index); }
    const TYPE& operator[](INT_PTR index) const { return GetAt(index); }
    TYPE* GetData() { return items_.data(); }
    const TYPE* GetData() const { return items_.data(); }

    INT_PTR Add(ARG_TYPE value) {
        items_.push_back(TYPE(value));
        return GetUpperBound();
    }
    INT_PTR Append(const CArray& other) {
        const INT_PTR first = GetSize();
        items_.insert(items_.end(), other.items_.begin(), other.items_.end());
        return first;
    }
    void Copy(const CArray& other) { items_ = other.items_; }
    void SetAtGrow(INT_PTR index, ARG_TYPE value) {
        if (index >= GetSize()) {
            SetSize(index + 1);
        }
        SetAt(index, value);
    }
    // Inserts count copies at index; an index past the end grows the array.
    void InsertAt(INT_PTR index, ARG_TYPE value, INT_PTR count = 1) {
        if (index < 0 || count <= 0) {
            return;
        }
        if (index > GetSize()) {
            SetSize(index);
        }
        items_.insert(items_.begin() + index, static_cast<std::size_t>(count), TYPE(value));
    }
    void InsertAt(INT_PTR index, const CArray* other) {
        if (other == nullptr || index < 0) {
            return;
        }
        if (index > GetSize()) {
            SetSize(index);
        }
        items_.insert(items_.begin() + index, other->items_.begin(), other->items_.end());
    }
    void RemoveAt(INT_PTR index, INT_PTR count = 1) {
        if (index < 0 || count <= 0 || index + count > GetSize()) {
            throw std::out_of_range("array removal out of range");
        }
        items_.erase(items_.begin() + index, items_.begin() + index + count);
    }

private:
    static std::size_t Index(INT_PTR index) {
        return index < 0 ? static_cast<std::size_t>(-1) : static_cast<std::size_t>(index);
    }

    std::vector<TYPE> items_;
};

class CStringArray : public CArray<CString, const char*> {};
class CPtrArray : public CArray<void*, void*> {};
class CObArray : public CArray<CObject*, CObject*> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
class CWordArray : public CArray<WORD, WORD> {};
class CByteArray : public CArray<BYTE, BYTE> {};
class CUIntArray : public CArray<UINT, UINT> {};

// The hash of a key, as the class library's maps compute it.
inline UINT HashKey(const char* key) {
    UINT hash = 0;
    while (key != nullptr && *key != '\0') {
        // Characters are signed bytes here, as in the class library.
        hash = (hash << 5) + hash + static_cast<UINT>(static_cast<int>(static_cast<signed char>(*key++)));
    }
    return hash;
}
inline UINT HashKey(const CString& key) {
    return HashKey(static_cast<const char*>(key));
}
template <typename KEY>
UINT HashKey(KEY key) {
    // Integral and pointer keys: their value shifted right by four.
    if constexpr (std::is_pointer_v<KEY>) {
        return static_cast<UINT>(reinterpret_cast<std::uintptr_t>(key) >> 4);
    } else {
        return static_cast<UINT>(static_cast<std::uintptr_t>(key) >> 4);
    }
}

template <typename KEY, typename ARG_KEY, typename VALUE, typename ARG_VALUE>
class CMap : public CObject {
public:
    explicit CMap(int blockSize = 10) { static_cast<void>(blockSize); }
    ~CMap() override { RemoveAll(); }
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;

    INT_PTR GetCount() const { return count_; }
    INT_PTR GetSize() const { return count_; }
    BOOL IsEmpty() const { return count_ == 0 ? TRUE : FALSE; }
    UINT GetHashTableSize() const { return static_cast<UINT>(buckets_.size()); }
    // Sets the number of buckets; only while the map is empty.
    void InitHashTable(UINT size) {
        if (count_ == 0 && size > 0) {
            buckets_.assign(size, nullptr);
        }
    }

    BOOL Lookup(ARG_KEY key, VALUE& value) const {
        const Entry* entry = Find(key);
        if (entry == nullptr) {
            return FALSE;
        }
        value = entry->value;
        return TRUE;
    }
    VALUE& operator[](ARG_KEY key) {
        if (Entry* entry = Find(key)) {
            return entry->value;
        }
        if (buckets_.empty()) {
            buckets_.assign(kDefaultTableSize, nullptr);
        }
        const UINT hash = HashKey(key);
        Entry*& head = buckets_[hash % buckets_.size()];
        head = new Entry{KEY(key), VALUE(), hash, head};
        ++count_;
        return head->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }
    BOOL RemoveKey(ARG_KEY key) {
        if (buckets_.empty()) {
            return FALSE;
        }
        Entry** link = &buckets_[HashKey(key) % buckets_.size()];
        for (; *link != nullptr; link = &(*link)->next) {
            if ((*link)->key == key) {
                Entry* removed = *link;
                *link = removed->next;
                delete removed;
                --count_;
                return TRUE;
            }
        }
        return FALSE;
    }
    void RemoveAll() {
        for (Entry*& head : buckets_) {
            while (head != nullptr) {
                Entry* next = head->next;
                delete head;
                head = next;
            }
        }
        buckets_.clear();
        count_ = 0;
    }

    POSITION GetStartPosition() const { return count_ == 0 ? nullptr : ToPosition(FirstFrom(0)); }
    void GetNextAssoc(POSITION& position, KEY& key, VALUE& value) const {
        const Entry* entry = reinterpret_cast<const Entry*>(position);
        if (entry == nullptr) {
            throw std::out_of_range("map position is null");
        }
        key = entry->key;
        value = entry->value;
        const Entry* next = entry->next != nullptr
                                ? entry->next
                                : FirstFrom(static_cast<std::size_t>(entry->hash % buckets_.size()) + 1);
        position = ToPosition(next);
    }

private:
    static constexpr UINT kDefaultTableSize = 17;

    struct Entry {
        KEY key;
        VALUE value;
        UINT hash;
        Entry* next;
    };

    static POSITION ToPosition(const Entry* entry) {
        return reinterpret_cast<POSITION>(const_cast<Entry*>(entry));
    }
    const Entry* FirstFrom(std::size_t bucket) const {
        for (; bucket < buckets_.size(); ++bucket) {
            if (buckets_[bucket] != nullptr) {
                return buckets_[bucket];
            }
        }
        return nullptr;
    }
    Entry* Find(ARG_KEY key) const {
        if (buckets_.empty()) {
            return nullptr;
        }
        for (Entry* entry = buckets_[HashKey(key) % buckets_.size()]; entry != nullptr; entry = entry->next) {
            if (entry->key == key) {
                return entry;
            }
        }
        return nullptr;
    }

    std::vector<Entry*> buckets_;
    INT_PTR count_ = 0;
};

class CMapStringToString : public CMap<CString, const char*, CString, const char*> {};
class CMapStringToOb : public CMap<CString, const char*, CObject*, CObject*> {};
class CMapStringToPtr : public CMap<CString, const char*, void*, void*> {};
class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {};
class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {};
