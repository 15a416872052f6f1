#include "util/custom_placeholder.h"

#include "util/variant_list.h"

#include <memory>
#include <vector>

namespace {

constexpr std::size_t kElementsPerRecord = 4;
constexpr std::size_t kTextsPerRecord = 3;

void WriteRecords(const std::vector<const CCustomPlaceholderInfo*>& records, VARIANT& out) {
    variant_list::Writer writer(records.size() * kElementsPerRecord);
    std::size_t index = 0;
    for (const CCustomPlaceholderInfo* record : records) {
        writer.Text(index++, record->m_description);
        writer.Text(index++, record->m_name);
        writer.Text(index++, record->m_value);
    }
    // The last quarter of the elements stays empty.
    writer.Finish(out, variant_list::kStrings);
}

// The records of a host list; nothing when the list is refused.
std::vector<std::unique_ptr<CCustomPlaceholderInfo>> ReadRecords(const VARIANT& placeholders) {
    std::vector<std::unique_ptr<CCustomPlaceholderInfo>> records;
    const variant_list::Reader reader(placeholders, variant_list::kStrings);
    if (!reader.IsValid() || reader.Count() % kElementsPerRecord != 0) {
        return records;
    }
    const std::size_t count = reader.Count() / kElementsPerRecord;
    for (std::size_t k = 0; k < count; ++k) {
        auto record = std::make_unique<CCustomPlaceholderInfo>();
        const std::size_t first = k * kTextsPerRecord;
        if (!reader.Text(first, record->m_description) || !reader.Text(first + 1, record->m_name) ||
            !reader.Text(first + 2, record->m_value)) {
            records.clear();
            return records;
        }
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace

void DeleteCustomPlaceholders(CCustomPlaceholderMap& map) {
    for (POSITION position = map.GetStartPosition(); position != nullptr;) {
        CString name;
        CCustomPlaceholderInfo* record = nullptr;
        map.GetNextAssoc(position, name, record);
        delete record;
    }
    map.RemoveAll();
}

void DeleteCustomPlaceholders(CCustomPlaceholderList& list) {
    while (!list.IsEmpty()) {
        delete list.RemoveHead();
    }
}

void SetCustomPlaceholder(CCustomPlaceholderMap& map, CCustomPlaceholderInfo* record) {
    CCustomPlaceholderInfo* previous = nullptr;
    const bool replaces = map.Lookup(record->m_name, previous) && previous != record;
    map.SetAt(record->m_name, record);
    if (replaces) {
        delete previous;
    }
}

void CustomPlaceholderMapToVariant(const CCustomPlaceholderMap& map, VARIANT& out) {
    std::vector<const CCustomPlaceholderInfo*> records;
    for (POSITION position = map.GetStartPosition(); position != nullptr;) {
        CString name;
        CCustomPlaceholderInfo* record = nullptr;
        map.GetNextAssoc(position, name, record);
        if (record != nullptr) {
            records.push_back(record);
        }
    }
    WriteRecords(records, out);
}

void VariantToCustomPlaceholderMap(const VARIANT& placeholders, CCustomPlaceholderMap& map) {
    for (auto& record : ReadRecords(placeholders)) {
        SetCustomPlaceholder(map, record.get());
        record.release();  // the map owns it now
    }
}

void CustomPlaceholderListToVariant(const CCustomPlaceholderList& list, VARIANT& out) {
    std::vector<const CCustomPlaceholderInfo*> records;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        if (const CCustomPlaceholderInfo* record = list.GetNext(position)) {
            records.push_back(record);
        }
    }
    WriteRecords(records, out);
}

void VariantToCustomPlaceholderList(const VARIANT& placeholders, CCustomPlaceholderList& list) {
    for (auto& record : ReadRecords(placeholders)) {
        list.AddTail(record.get());
        record.release();  // the list owns it now
    }
}

BOOL CompareCustomPlaceholderLists(const CCustomPlaceholderList& a, const CCustomPlaceholderList& b) {
    if (a.GetCount() != b.GetCount()) {
        return FALSE;
    }
    for (POSITION x = a.GetHeadPosition(), y = b.GetHeadPosition(); x != nullptr;) {
        const CCustomPlaceholderInfo* first = a.GetNext(x);
        const CCustomPlaceholderInfo* second = b.GetNext(y);
        if (first != second && (first == nullptr || second == nullptr || *first != *second)) {
            return FALSE;
        }
    }
    return TRUE;
}
