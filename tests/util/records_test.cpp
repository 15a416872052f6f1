#include "util/command_file.h"
#include "util/download_module.h"
#include "util/record_arrays.h"
#include "util/string_record_lists.h"

#include "tests/util/variant_helpers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using test_variants::FillTexts;
using test_variants::OwnedVariant;
using test_variants::Texts;
using Strings = std::vector<std::string>;

template <typename Record>
void DeleteAll(CList<Record*, Record*>& list) {
    while (!list.IsEmpty()) {
        delete list.RemoveHead();
    }
}

// The fault: a default-constructed record left option word 3 unset.
TEST(CDownloadModule, DefaultsAndTheModifiedFlag) {
    const CDownloadModule empty;
    EXPECT_EQ(empty.GetFileName(), "");
    EXPECT_EQ(empty.GetOffset(), 0u);
    EXPECT_EQ(empty.GetOptionWord1(), 0u);
    EXPECT_EQ(empty.GetOptionWord2(), 0u);
    EXPECT_EQ(empty.GetOptionWord3(), 1u);
    EXPECT_EQ(empty.GetOptionWord4(), 0u);
    EXPECT_FALSE(empty.IsModified());

    CDownloadModule module("prog.mot", 0x100u, "MOT", 1, 2, 3, 4);
    EXPECT_FALSE(module.IsModified());
    const CDownloadModule copy(module);
    EXPECT_TRUE(copy.IsModified());
    EXPECT_TRUE(copy == module);  // the flag does not count
    const CDownloadModule& self = module;
    module = self;
    EXPECT_FALSE(module.IsModified());  // assignment to itself does nothing
    CDownloadModule assigned;
    assigned = module;
    EXPECT_TRUE(assigned.IsModified());
    module.SetOptionWord4(9);
    EXPECT_TRUE(module.IsModified());
    EXPECT_FALSE(module == copy);

    const CDownloadModule upper("PROG.MOT", 0x100u, "MOT", 1, 2, 3, 4);
    EXPECT_FALSE(upper == copy);  // the file name's case counts
    const CDownloadModule fromText("a", "256", "f", 0, 0, 1, 0);
    EXPECT_EQ(fromText.GetOffset(), 256u);
    EXPECT_EQ(CDownloadModule("a", "-1", "f", 0, 0, 1, 0).GetOffset(), 0xFFFFFFFFu);
}

TEST(DownloadModuleLists, CrossAsSevenTextsPerRecord) {
    CDownloadModuleList list;
    list.AddTail(CDownloadModule("a.mot", 0xFFFFFFFFu, "MOT", 1, 2, 3, 4));
    OwnedVariant value;
    DownloadModuleListToVariant(list, value.Get());
    EXPECT_EQ(value.Get().vt, VT_ARRAY | VT_BSTR);
    EXPECT_EQ(Texts(value.Get()), (Strings{"a.mot", "-1", "MOT", "1", "2", "3", "4"}));

    CDownloadModuleList values;
    VariantToDownloadModuleList(value.Get(), values);
    ASSERT_EQ(values.GetCount(), 1);
    EXPECT_TRUE(values.GetHead() == list.GetHead());
    EXPECT_TRUE(values.GetHead().IsModified());  // stored by assignment

    CDownloadModulePtrList pointers;
    VariantToDownloadModulePtrList(value.Get(), pointers);
    ASSERT_EQ(pointers.GetCount(), 1);
    EXPECT_FALSE(pointers.GetHead()->IsModified());
    OwnedVariant again;
    DownloadModulePtrListToVariant(pointers, again.Get());
    EXPECT_EQ(Texts(again.Get()), Texts(value.Get()));
    DeleteAll(pointers);

    CDownloadModuleList empty;
    OwnedVariant none;
    DownloadModuleListToVariant(empty, none.Get());
    EXPECT_EQ(test_variants::Count(none.Get(), VT_ARRAY | VT_BSTR), 0);
    VariantToDownloadModuleList(none.Get(), values);
    EXPECT_EQ(values.GetCount(), 1);
}

TEST(DownloadModuleLists, OnlyWholeRecordsAreRead) {
    OwnedVariant fourteen;
    FillTexts(fourteen, {"a", "1", "f", "0", "0", "1", "0", "b", "2", "g", "0", "0", "1", "0"});
    CDownloadModuleList list;
    VariantToDownloadModuleList(fourteen.Get(), list);
    EXPECT_EQ(list.GetCount(), 2);

    OwnedVariant thirteen;
    FillTexts(thirteen, {"a", "1", "f", "0", "0", "1", "0", "b", "2", "g", "0", "0", "1"});
    VariantToDownloadModuleList(thirteen.Get(), list);
    EXPECT_EQ(list.GetCount(), 2);
}

TEST(DownloadModuleLists, OlderLayoutsTakeTheDefaults) {
    CDownloadModuleRecord1List first;
    first.AddTail(new CDownloadModuleRecord1{"one.mot", 16, "MOT", 7});
    CDownloadModulePtrList modules;
    modules.AddTail(new CDownloadModule("stale", 0u, "", 0, 0, 0, 0));
    Layout1ListToDownloadModuleList(first, modules);  // the stale record is deleted
    ASSERT_EQ(modules.GetCount(), 1);
    const CDownloadModule* module = modules.GetHead();
    EXPECT_EQ(module->GetFileName(), "one.mot");
    EXPECT_EQ(module->GetOptionWord1(), 7u);
    EXPECT_EQ(module->GetOptionWord2(), 0u);
    EXPECT_EQ(module->GetOptionWord3(), 1u);
    EXPECT_EQ(module->GetOptionWord4(), 0u);
    EXPECT_FALSE(module->IsModified());

    CDownloadModuleRecord3List third;
    third.AddTail(new CDownloadModuleRecord3{"three", 1, "f", 1, 2, 3});
    Layout3ListToDownloadModuleList(third, modules);
    EXPECT_EQ(modules.GetHead()->GetOptionWord3(), 3u);
    EXPECT_EQ(modules.GetHead()->GetOptionWord4(), 0u);

    const CDownloadModuleRecord4 fromSecond(CDownloadModuleRecord2{"two", 2, "f", 5, 6});
    EXPECT_EQ(fromSecond.optionWord2, 6u);
    EXPECT_EQ(fromSecond.optionWord3, 1u);
    EXPECT_EQ(CDownloadModuleRecord4().optionWord3, 1u);

    CDownloadModuleRecord4List fourth;
    DownloadModuleListToRecord4List(modules, fourth);
    ASSERT_EQ(fourth.GetCount(), 1);
    EXPECT_EQ(fourth.GetHead()->fileName, "three");
    Layout4ListToDownloadModuleList(fourth, modules);
    EXPECT_EQ(modules.GetHead()->GetOptionWord2(), 2u);

    CDownloadModulePtrList copies;
    CopyDownloadModulePtrList(modules, copies);
    ASSERT_EQ(copies.GetCount(), 1);
    EXPECT_TRUE(copies.GetHead()->IsModified());
    EXPECT_NE(copies.GetHead(), modules.GetHead());

    DeleteAll(first);
    DeleteAll(third);
    DeleteAll(fourth);
    DeleteAll(modules);
    DeleteAll(copies);
}

TEST(DownloadModuleLists, Record4ListSortsByNameWithCase) {
    CDownloadModuleRecord4List list;
    for (const char* name : {"b.mot", "B.mot", "a.mot"}) {
        list.AddTail(new CDownloadModuleRecord4(name, 0, "", 0, 0, 1, 0));
    }
    SortRecord4ListByName(list);
    Strings names;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        names.push_back(list.GetNext(position)->fileName.Str());
    }
    EXPECT_EQ(names, (Strings{"B.mot", "a.mot", "b.mot"}));
    DeleteAll(list);
}

TEST(CommandFiles, CrossAsTwoTextsPerRecord) {
    CCommandFileList list;
    list.AddTail(new CCommandFile("run.cmd", -3));
    list.AddTail(new CCommandFile("b.cmd", 1));
    OwnedVariant value;
    CommandFileListToVariant(list, value.Get());
    EXPECT_EQ(Texts(value.Get()), (Strings{"run.cmd", "-3", "b.cmd", "1"}));
    CCommandFileList back;
    VariantToCommandFileList(value.Get(), back);
    ASSERT_EQ(back.GetCount(), 2);
    EXPECT_TRUE(*back.GetHead() == *list.GetHead());
    EXPECT_FALSE(*back.GetTail() == *back.GetHead());

    OwnedVariant odd;
    FillTexts(odd, {"a", "1", "b"});
    VariantToCommandFileList(odd.Get(), back);
    EXPECT_EQ(back.GetCount(), 2);
    DeleteAll(list);
    DeleteAll(back);
}

TEST(StringRecordLists, QuadRecordsCrossInTheirOwnOrder) {
    CQuadStringPtrList list;
    list.AddTail(new QUADSTRING_STRUCT("a", "b", "c", "d"));
    OwnedVariant value;
    QuadStringListToVariant(list, value.Get());
    EXPECT_EQ(Texts(value.Get()), (Strings{"c", "b", "d", "a"}));
    CQuadStringPtrList back;
    VariantToQuadStringList(value.Get(), back);
    EXPECT_TRUE(QuadStringListsEqual(list, back));
    back.GetHead()->fourth = "D";
    EXPECT_FALSE(QuadStringListsEqual(list, back));
    back.AddTail(new QUADSTRING_STRUCT());
    EXPECT_FALSE(QuadStringListsEqual(list, back));
    DeleteAll(list);
    DeleteAll(back);
}

TEST(StringRecordLists, DoubleStringUintRecords) {
    CDoubleStringUintPtrList list;
    list.AddTail(new DOUBLESTRINGUINT_STRUCT("x", "y", 0xFFFFFFFFu));
    OwnedVariant value;
    DoubleStringUintListToVariant(list, value.Get());
    EXPECT_EQ(Texts(value.Get()), (Strings{"x", "y", "-1"}));
    CDoubleStringUintPtrList back;
    VariantToDoubleStringUintList(value.Get(), back);
    ASSERT_EQ(back.GetCount(), 1);
    EXPECT_EQ(back.GetHead()->value, 0xFFFFFFFFu);
    EXPECT_TRUE(DoubleStringUintListsEqual(list, back));
    DeleteAll(list);
    DeleteAll(back);
}

TEST(RecordLists, MalformedArraysAreRefusedWithoutACrash) {
    CDownloadModuleList modules;
    CCommandFileList files;
    OwnedVariant empty;
    VariantToDownloadModuleList(empty.Get(), modules);
    VariantToCommandFileList(empty.Get(), files);

    // A number where a text belongs.
    variant_list::Writer writer(2);
    writer.Text(0, "a.cmd");
    writer.Uint(1, 5);
    OwnedVariant mixed;
    writer.Finish(mixed.Get(), VT_ARRAY | VT_BSTR);
    VariantToCommandFileList(mixed.Get(), files);

    // The right texts under another list type.
    OwnedVariant texts;
    FillTexts(texts, {"a.cmd", "1"});
    texts.Get().vt = VT_ARRAY | VT_UINT;
    VariantToCommandFileList(texts.Get(), files);
    texts.Get().vt = VT_ARRAY | VT_BSTR;

    // An array of plain BSTRs instead of VARIANTs, and a list without an array.
    OwnedVariant plain;
    plain.Get().vt = VT_ARRAY | VT_BSTR;
    plain.Get().parray = SafeArrayCreateVector(VT_BSTR, 0, 2);
    VariantToCommandFileList(plain.Get(), files);
    VARIANT noArray;
    VariantInit(&noArray);
    noArray.vt = VT_ARRAY | VT_BSTR;
    noArray.parray = nullptr;  // VariantInit sets only the type
    VariantToCommandFileList(noArray, files);
    VariantToDownloadModuleList(noArray, modules);

    EXPECT_TRUE(files.IsEmpty());
    EXPECT_TRUE(modules.IsEmpty());
}

TEST(RecordArrays, CompareInt32AndArraysOfSize) {
    std::int32_t values[] = {1, -1, 0, 2147483647, -2147483647 - 1};
    std::qsort(values, 5, sizeof(values[0]), CompareInt32);
    EXPECT_EQ(std::vector<std::int32_t>(values, values + 5),
              (std::vector<std::int32_t>{-2147483647 - 1, -1, 0, 1, 2147483647}));

    CDWordArray two;
    two.SetSize(2);
    CDWordArray three;
    three.SetSize(3);
    CDWordArrayPtrArray arrays;
    arrays.Add(&two);
    arrays.Add(&three);
    arrays.Add(&two);
    CDWordArrayPtrArray found;
    CollectArraysOfSize(arrays, 2, found);
    EXPECT_EQ(found.GetSize(), 2);
    EXPECT_TRUE(HasArrayOfSize(arrays, 3));
    EXPECT_FALSE(HasArrayOfSize(arrays, 4));
}

}  // namespace
