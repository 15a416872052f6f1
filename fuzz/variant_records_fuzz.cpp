// The readers of host list VARIANTs fed with fuzzed lists: any outer type,
// arrays of VARIANTs or of plain values, one or two dimensions, elements of
// any simple kind. Malformed lists must be refused without a crash or leak.
#include "frame/com_utils.h"
#include "platform/bstr.h"
#include "util/command_file.h"
#include "util/custom_placeholder.h"
#include "util/download_module.h"
#include "util/file_time.h"
#include "util/string_record_lists.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// Reads the fuzz input a byte or a few at a time.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return next_ >= size_; }
    std::uint8_t Byte() { return Empty() ? 0 : data_[next_++]; }
    std::uint32_t Word() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value = (value << 8) | Byte();
        }
        return value;
    }
    std::string Text() {
        const std::size_t length = Byte() % 16;
        std::string text;
        for (std::size_t i = 0; i < length && !Empty(); ++i) {
            text += static_cast<char>(Byte());
        }
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t next_ = 0;
};

const VARTYPE kOuterTypes[] = {VT_ARRAY | VT_BSTR, VT_ARRAY | VT_UINT, VT_ARRAY | VT_UI1, VT_ARRAY | VT_I4,
                               VT_EMPTY,           VT_BSTR,            VT_ARRAY | VT_VARIANT};

void FillElement(VARIANT& element, Input& input) {
    switch (input.Byte() % 6) {
        case 0:
            element.vt = VT_BSTR;
            element.bstrVal = platform::AllocBstr(input.Text());
            break;
        case 1:
            element.vt = VT_UINT;
            element.uintVal = input.Word();
            break;
        case 2:
            element.vt = VT_UI1;
            element.bVal = input.Byte();
            break;
        case 3:
            element.vt = VT_I4;
            element.lVal = static_cast<LONG>(input.Word());
            break;
        case 4:
            element.vt = VT_BSTR;
            element.bstrVal = nullptr;
            break;
        default:
            element.vt = VT_EMPTY;
            break;
    }
}

// A list VARIANT made from the input; the caller clears it.
void MakeList(VARIANT& list, Input& input) {
    VariantInit(&list);
    const std::uint8_t shape = input.Byte();
    const VARTYPE outer = kOuterTypes[shape % (sizeof(kOuterTypes) / sizeof(kOuterTypes[0]))];
    if ((outer & VT_ARRAY) == 0) {
        return;
    }
    const ULONG count = input.Byte() % 40;
    const bool plain = (shape & 0x10) != 0;
    const bool square = (shape & 0x20) != 0;
    SAFEARRAYBOUND bounds[2] = {{count, static_cast<LONG>(shape & 0x40 ? 1 : 0)}, {2, 0}};
    SAFEARRAY* array = SafeArrayCreate(plain ? VT_UI4 : VT_VARIANT, square ? 2 : 1, bounds);
    if (array == nullptr) {
        return;
    }
    if (!plain) {
        VARIANT* elements = nullptr;
        SafeArrayAccessData(array, reinterpret_cast<void**>(&elements));
        const ULONG total = square ? count * 2 : count;
        for (ULONG i = 0; i < total; ++i) {
            FillElement(elements[i], input);
        }
        SafeArrayUnaccessData(array);
    }
    list.vt = outer;
    list.parray = (shape & 0x80) != 0 && count == 0 ? nullptr : array;
    if (list.parray == nullptr) {
        SafeArrayDestroy(array);
    }
}

template <typename List>
void DeleteAll(List& list) {
    while (!list.IsEmpty()) {
        delete list.RemoveHead();
    }
}

void ReadEverything(const VARIANT& list) {
    CDownloadModuleList modules;
    VariantToDownloadModuleList(list, modules);
    CDownloadModulePtrList modulePointers;
    VariantToDownloadModulePtrList(list, modulePointers);
    DeleteAll(modulePointers);
    CCommandFileList files;
    VariantToCommandFileList(list, files);
    DeleteAll(files);
    CQuadStringPtrList quads;
    VariantToQuadStringList(list, quads);
    DeleteAll(quads);
    CDoubleStringUintPtrList doubles;
    VariantToDoubleStringUintList(list, doubles);
    DeleteAll(doubles);
    CFileTimeList times;
    VariantToFileTimeList(list, times);
    CCustomPlaceholderMap placeholders;
    VariantToCustomPlaceholderMap(list, placeholders);
    DeleteCustomPlaceholders(placeholders);
    CCustomPlaceholderList placeholderList;
    VariantToCustomPlaceholderList(list, placeholderList);
    DeleteCustomPlaceholders(placeholderList);

    CUIntArray uints;
    CComUtils::VariantToUintList(list, &uints);
    CDWordArray words;
    CComUtils::VariantToDWordArray(list, words);
    CUintList uintList;
    CComUtils::VariantToUintCList(list, uintList);
    CStringList strings;
    CComUtils::VariantToStringList(list, &strings);
    CStringArray stringArray;
    CComUtils::VariantToStringArray(list, stringArray);
    CStringPairList pairs;
    CComUtils::SafeArrayToStringPairList(list, pairs);
    CStringPairArray pairArray;
    CComUtils::SafeArrayToStringPairArray(list, pairArray);
    CStringTripleList triples;
    CComUtils::SafeArrayToStringTripleList(list, triples);
    CStringTripleArray tripleArray;
    CComUtils::SafeArrayToStringTripleArray(list, tripleArray);
    CStringQuadList quadList;
    CComUtils::SafeArrayToStringQuadList(list, quadList);
    CStringQuadArray quadArray;
    CComUtils::SafeArrayToStringQuadArray(list, quadArray);
    CStringUintList stringUints;
    CComUtils::VariantToStringUintList(list, stringUints);
    CDoubleStringUintList doubleStringUints;
    CComUtils::VariantToDoubleStringUintList(list, doubleStringUints);
    CMapStringToString map;
    CComUtils::VariantToStringMap(list, map);
    CNamedStringMaps named;
    CComUtils::VariantToNamedStringMaps(list, named);
    for (POSITION position = named.GetStartPosition(); position != nullptr;) {
        CString key;
        CMapStringToString* value = nullptr;
        named.GetNextAssoc(position, key, value);
        delete value;
    }
    CFileTime time;
    CComUtils::VariantToFileTime(list, time);
    std::unique_ptr<BYTE[]> buffer;
    DWORD length = 0;
    CComUtils::VariantToByteBuffer(list, buffer, length);
    CByteArray bytes;
    CComUtils::SafeArrayToByteArray(list, bytes);
    CInt32Array ints;
    CComUtils::VariantToIntArray(list, ints);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    VARIANT list;
    MakeList(list, input);
    ReadEverything(list);
    VariantClear(&list);
    return 0;
}
