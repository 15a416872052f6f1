#include "util/variant_list.h"

#include "platform/bstr.h"

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <utility>

namespace variant_list {

Reader::Reader(const VARIANT& list, VARTYPE type) {
    if (list.vt != type || list.parray == nullptr || SafeArrayGetDim(list.parray) != 1) {
        return;
    }
    VARTYPE elements = VT_EMPTY;
    LONG lower = 0;
    LONG upper = -1;
    if (FAILED(SafeArrayGetVartype(list.parray, &elements)) || elements != VT_VARIANT ||
        SafeArrayGetElemsize(list.parray) != sizeof(VARIANT) || FAILED(SafeArrayGetLBound(list.parray, 1, &lower)) ||
        FAILED(SafeArrayGetUBound(list.parray, 1, &upper))) {
        return;
    }
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(list.parray, &data))) {
        return;
    }
    array_ = list.parray;
    data_ = static_cast<const VARIANT*>(data);
    count_ = upper >= lower ? static_cast<std::size_t>(static_cast<std::int64_t>(upper) - lower + 1) : 0;
}

Reader::~Reader() {
    if (array_ != nullptr) {
        SafeArrayUnaccessData(array_);
    }
}

const VARIANT* Reader::Element(std::size_t index, VARTYPE type) const {
    if (data_ == nullptr || index >= count_ || data_[index].vt != type) {
        return nullptr;
    }
    return &data_[index];
}

bool Reader::IsUnfilled(std::size_t index) const {
    return data_ != nullptr && index < count_ && (data_[index].vt == VT_EMPTY || data_[index].vt == VT_NULL);
}

template <typename Value, typename Take>
bool Reader::ValueOf(std::size_t index, VARTYPE type, Value& value, Take take) const {
    if (IsUnfilled(index)) {
        value = Value();
        return true;
    }
    const VARIANT* element = Element(index, type);
    if (element == nullptr) {
        return false;
    }
    value = take(*element);
    return true;
}

bool Reader::Text(std::size_t index, CString& text) const {
    return ValueOf(index, VT_BSTR, text,
                   [](const VARIANT& element) { return CString(platform::BstrToAnsi(element.bstrVal).c_str()); });
}

bool Reader::Uint(std::size_t index, UINT& value) const {
    return ValueOf(index, VT_UINT, value, [](const VARIANT& element) { return element.uintVal; });
}

bool Reader::Byte(std::size_t index, BYTE& value) const {
    return ValueOf(index, VT_UI1, value, [](const VARIANT& element) { return element.bVal; });
}

bool Reader::Int(std::size_t index, LONG& value) const {
    return ValueOf(index, VT_I4, value, [](const VARIANT& element) { return element.lVal; });
}

Writer::Writer(std::size_t count) : count_(count) {
    if (count > std::numeric_limits<ULONG>::max() / sizeof(VARIANT)) {
        throw platform::ComError(E_OUTOFMEMORY);
    }
    SAFEARRAYBOUND bound;
    bound.cElements = static_cast<ULONG>(count);
    bound.lLbound = 0;
    array_ = SafeArrayCreate(VT_VARIANT, 1, &bound);
    void* data = nullptr;
    if (array_ == nullptr || FAILED(SafeArrayAccessData(array_, &data))) {
        if (array_ != nullptr) {
            SafeArrayDestroy(array_);
        }
        throw platform::ComError(E_OUTOFMEMORY);
    }
    data_ = static_cast<VARIANT*>(data);
}

Writer::~Writer() {
    if (array_ != nullptr) {
        SafeArrayUnaccessData(array_);
        SafeArrayDestroy(array_);
    }
}

VARIANT& Writer::At(std::size_t index) {
    if (index >= count_) {
        throw std::out_of_range("variant list element out of range");
    }
    return data_[index];
}

void Writer::Text(std::size_t index, LPCSTR text) {
    VARIANT& element = At(index);
    element.bstrVal = platform::AllocBstr(text != nullptr ? text : "");
    element.vt = VT_BSTR;
}

void Writer::Uint(std::size_t index, UINT value) {
    VARIANT& element = At(index);
    element.vt = VT_UINT;
    element.uintVal = value;
}

void Writer::Byte(std::size_t index, BYTE value) {
    VARIANT& element = At(index);
    element.vt = VT_UI1;
    element.bVal = value;
}

void Writer::Int(std::size_t index, LONG value) {
    VARIANT& element = At(index);
    element.vt = VT_I4;
    element.lVal = value;
}

void Writer::Finish(VARIANT& out, VARTYPE type) {
    SafeArrayUnaccessData(array_);
    VariantInit(&out);
    out.vt = type;
    out.parray = array_;
    array_ = nullptr;
    data_ = nullptr;
}

bool ReadTexts(const VARIANT& list, std::size_t perRecord, std::vector<CString>& texts) {
    const Reader reader(list, kStrings);
    if (!reader.IsValid() || perRecord == 0 || reader.Count() % perRecord != 0) {
        return false;
    }
    std::vector<CString> read(reader.Count());
    for (std::size_t i = 0; i < read.size(); ++i) {
        if (!reader.Text(i, read[i])) {
            return false;
        }
    }
    texts = std::move(read);
    return true;
}

void WriteTexts(const std::vector<CString>& texts, VARIANT& out) {
    Writer writer(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        writer.Text(i, texts[i]);
    }
    writer.Finish(out, kStrings);
}

CString NumberText(DWORD value) {
    CString text;
    text.Format("%d", static_cast<int>(value));
    return text;
}

}  // namespace variant_list
