// The readers of host list VARIANTs fed with fuzzed lists: any outer type,
// arrays of VARIANTs or of plain values, one or two dimensions, elements of
// any simple kind. Malformed lists must be refused without a crash or leak.
#include "frame/com_utils.h"
#include "fuzz/fuzz_lists.h"
#include "platform/bstr.h"
#include "util/command_file.h"
#include "util/custom_placeholder.h"
#include "util/download_module.h"
#include "util/file_time.h"
#include "util/string_record_lists.h"

#include <cstddef>
#include <cstdint>

namespace {

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
    fuzz_lists::Input input(data, size);
    VARIANT list;
    fuzz_lists::MakeList(list, input);
    ReadEverything(list);
    VariantClear(&list);
    return 0;
}
