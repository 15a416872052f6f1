// CHostServiceE over a named icon item table: each client operation as a row
// of the per-item or the all-item table, and the operations that combine
// their clients' answers by rules of their own.
#include "hostui/host_service_e.h"
#include "tests/hostui/wrapper_rows.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace wrapper_rows;
using hostfake::Call;
using hostfake::FakeServiceEClient;

constexpr DWORD kDataP = 100;
constexpr DWORD kDataQ = 200;

// A table whose item P (index 0, data 100) has clients p1 and p2 and whose
// item Q (index 1, data 200) has client q1; index 2 is an empty slot.
class ServiceE : public testing::Test {
protected:
    ServiceE() {
        LONG index = -1;
        table.AddItem(&index, kDataP, &p1, 1, "", -1, 20, -1, 0, 0xC0C0C0, 0, 0, "P");
        table.AddItemClient(index, &p2);
        table.AddItem(&index, kDataQ, &q1, 1, "", -1, 20, -1, 0, 0xC0C0C0, 0, 0, "Q");
        table.AddItem(&index, 300, &spare, 1, "", -1, 20, -1, 0, 0xC0C0C0, 0, 0, "R");
        table.RemoveItem(index);
    }
    ~ServiceE() override { EXPECT_TRUE(leak_check::NothingLeaked()); }

    // Every client's calls, in the order p1, p2, q1.
    std::vector<std::vector<Call>> Calls() const { return {p1.Calls(), p2.Calls(), q1.Calls()}; }
    void ClearCalls() {
        for (FakeServiceEClient* client : {&p1, &p2, &q1, &spare}) {
            client->ClearCalls();
        }
    }
    void Answer(int slot, HRESULT p1Answer, HRESULT p2Answer, HRESULT q1Answer) {
        p1.Script(slot, {p1Answer, {}});
        p2.Script(slot, {p2Answer, {}});
        q1.Script(slot, {q1Answer, {}});
    }

    FakeServiceEClient p1;
    FakeServiceEClient p2;
    FakeServiceEClient q1;
    FakeServiceEClient spare;
    CNamedIconItemTable table;
    CHostServiceE service{&table};
};

// A per-item method with the arguments every client must receive; "D"
// stands for the item's data word.
struct PerItemRow {
    int slot;
    std::function<HRESULT(CHostServiceE&, LONG index)> call;
    std::vector<std::string> args;
};

std::vector<std::string> WithData(std::vector<std::string> args, DWORD data) {
    for (std::string& arg : args) {
        if (arg == "D") {
            arg = std::to_string(data);
        }
    }
    return args;
}

TEST_F(ServiceE, PerItemOperationsCallEveryClientOfTheItemAndCombineTheirResults) {
    const PerItemRow rows[] = {
        {3, [](CHostServiceE& e, LONG i) { return e.Op3("t", i); }, {Q("t"), "D"}},
        {3, [](CHostServiceE& e, LONG i) { return e.Op3Second("t", i); }, {Q("t"), "D"}},
        {4, [](CHostServiceE& e, LONG i) { return e.Op4("t", i); }, {Q("t"), "D"}},
        {4, [](CHostServiceE& e, LONG i) { return e.Op4Second("t", i); }, {Q("t"), "D"}},
        {8, [](CHostServiceE& e, LONG i) { return e.Op8("t", i, 1, 2, 3, 4, 5); }, {Q("t"), "D", "1", "2", "3", "4", "5"}},
        {9, [](CHostServiceE& e, LONG i) { return e.Op9(i, 7); }, {"D", "7"}},
        {10, [](CHostServiceE& e, LONG i) { return e.Op10("t", i, 7); }, {Q("t"), "D", "7"}},
        {11, [](CHostServiceE& e, LONG i) { return e.Op11(i, 7); }, {"D", "7"}},
        {12, [](CHostServiceE& e, LONG i) { return e.Op12("t", i, 7); }, {Q("t"), "D", "7"}},
        {14, [](CHostServiceE& e, LONG i) { return e.Op14(1, "t", 2, i); }, {"1", Q("t"), "D", "2"}},
    };
    for (const PerItemRow& row : rows) {
        SCOPED_TRACE("op " + std::to_string(row.slot));
        const Call expected{row.slot, WithData(row.args, kDataP)};
        Answer(row.slot, S_OK, S_OK, S_OK);
        EXPECT_EQ(row.call(service, 0), S_OK);
        EXPECT_EQ(Calls(), (std::vector<std::vector<Call>>{{expected}, {expected}, {}}));
        ClearCalls();
        // S_FALSE is no failure; a failing client does not stop the others.
        Answer(row.slot, S_FALSE, S_FALSE, S_OK);
        EXPECT_EQ(row.call(service, 0), S_OK);
        Answer(row.slot, kFailure, S_OK, S_OK);
        EXPECT_EQ(row.call(service, 0), E_FAIL);
        EXPECT_EQ(p2.Calls().size(), 2u);
        ClearCalls();
        Answer(row.slot, S_OK, S_OK, kFailure);
        EXPECT_EQ(row.call(service, 1), E_FAIL);
        EXPECT_EQ(Calls(), (std::vector<std::vector<Call>>{{}, {}, {{row.slot, WithData(row.args, kDataQ)}}}));
        ClearCalls();
        // An empty slot, a slot outside the table and a table that is not
        // there: nothing is called, S_OK.
        EXPECT_EQ(row.call(service, 2), S_OK);
        EXPECT_EQ(row.call(service, 9), S_OK);
        CHostServiceE withoutTable(nullptr);
        EXPECT_EQ(row.call(withoutTable, 0), S_OK);
        EXPECT_EQ(Calls(), (std::vector<std::vector<Call>>{{}, {}, {}}));
        EXPECT_TRUE(spare.Calls().empty());
    }
}

TEST_F(ServiceE, AllItemOperationsCombineOverEveryItemAndClient) {
    const std::pair<int, std::function<HRESULT(CHostServiceE&)>> rows[] = {
        {3, [](CHostServiceE& e) { return e.Op3AllItems("t"); }},
        {4, [](CHostServiceE& e) { return e.Op4AllItems("t"); }},
        {5, [](CHostServiceE& e) { return e.Op5("t", 1, 2); }},
        {6, [](CHostServiceE& e) { return e.Op6("t", 1, 2); }},
        {7, [](CHostServiceE& e) { return e.Op7("t", 1, 2); }},
    };
    for (const auto& [slot, call] : rows) {
        SCOPED_TRACE("op " + std::to_string(slot));
        const auto args = [slot = slot](DWORD data) {
            return slot <= 4 ? std::vector<std::string>{Q("t"), std::to_string(data)}
                             : std::vector<std::string>{Q("t"), std::to_string(data), "1", "2"};
        };
        Answer(slot, S_OK, S_FALSE, S_OK);
        EXPECT_EQ(call(service), S_OK);
        EXPECT_EQ(Calls(), (std::vector<std::vector<Call>>{
                               {{slot, args(kDataP)}}, {{slot, args(kDataP)}}, {{slot, args(kDataQ)}}}));
        // A failure of the first item's client is reported although the last
        // item's clients succeed (operations 3 and 4 alike).
        Answer(slot, kFailure, S_OK, S_OK);
        EXPECT_EQ(call(service), E_FAIL);
        Answer(slot, S_OK, S_OK, kFailure);
        EXPECT_EQ(call(service), E_FAIL);
        CHostServiceE withoutTable(nullptr);
        EXPECT_EQ(call(withoutTable), S_OK);
        ClearCalls();
    }
}

TEST_F(ServiceE, AllItemOperationsWalkTheItemsInTheOrderTheyWereAdded) {
    // R's slot went back to the table; S takes it, after Q in the order of
    // addition, and P is added again at the end.
    FakeServiceEClient s1;
    LONG index = -1;
    ASSERT_TRUE(table.AddItem(&index, 400, &s1, 1, "", -1, 20, -1, 0, 0xC0C0C0, 0, 0, "S"));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(table.AddItem(&index, 500, &s1, 1, "", -1, 20, -1, 0, 0xC0C0C0, 0, 0, "P"));
    table.RemoveItem(0);
    ASSERT_TRUE(table.AddItem(&index, 500, &p1, 1, "", -1, 20, -1, 0, 0xC0C0C0, 0, 0, "P"));
    EXPECT_EQ(index, 0);
    EXPECT_EQ(service.Op9(0, 1), S_OK);  // the new P
    p1.ClearCalls();
    EXPECT_EQ(service.Op5("t", 1, 2), S_OK);
    EXPECT_EQ(q1.Calls().size(), 1u);
    EXPECT_EQ(s1.Calls().size(), 1u);
    EXPECT_EQ(p1.Calls(), (std::vector<Call>{{5, {Q("t"), "500", "1", "2"}}}));
    EXPECT_TRUE(p2.Calls().empty());
}

TEST_F(ServiceE, ANullClientPointerIsPassedOver) {
    LONG index = -1;
    ASSERT_TRUE(table.AddItem(&index, 900, nullptr, 1, "", -1, 20, -1, 0, 0xC0C0C0, 0, 0, "N"));
    EXPECT_EQ(service.Op9(index, 1), S_OK);
    CString text = "old";
    EXPECT_EQ(service.Op15(text, 1, "t", 2, index), E_FAIL);
    EXPECT_EQ(text, "old");
}

TEST_F(ServiceE, Operation13TakesTheBuffersOfEveryClientAnsweringExactlyOk) {
    p1.Script(13, {S_OK, {hostfake::Out::List(hostfake::MakeByteList({1, 2, 3})),
                          hostfake::Out::List(hostfake::MakeByteList({4})), Num(9)}});
    p2.Script(13, {S_OK, {hostfake::Out::List(hostfake::MakeByteList({5, 6})),
                          hostfake::Out::List(hostfake::MakeByteList({7})), Num(10)}});
    std::unique_ptr<BYTE[]> first;
    std::unique_ptr<BYTE[]> second;
    DWORD value = 77;
    EXPECT_EQ(service.Op13(1, 2, first, second, &value, 0), S_OK);
    // The later client's buffers replace the earlier's (which are freed).
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first[0], 5);
    EXPECT_EQ(first[1], 6);
    EXPECT_EQ(second[0], 7);
    EXPECT_EQ(value, 10u);
    // Each client gets the lists empty, as outs.
    const Call expected{13, {"1", "2", "100", "out", "out", "out(0)"}};
    EXPECT_EQ(p1.Calls(), (std::vector<Call>{expected}));
    EXPECT_EQ(p2.Calls(), (std::vector<Call>{{13, {"1", "2", "100", "out", "out", "out(9)"}}}));
}

TEST_F(ServiceE, Operation13FailsForAnyOtherAnswerAndKeepsTheOuts) {
    p1.Script(13, {S_FALSE, {hostfake::Out::List(hostfake::MakeByteList({1})), hostfake::Out::Keep(), Num(9)}});
    p2.Script(13, {kFailure, {hostfake::Out::List(hostfake::MakeByteList({2})), hostfake::Out::Keep(), Num(8)}});
    std::unique_ptr<BYTE[]> first;
    std::unique_ptr<BYTE[]> second;
    DWORD value = 77;
    EXPECT_EQ(service.Op13(1, 2, first, second, &value, 0), E_FAIL);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(value, 77u);
    EXPECT_EQ(service.Op13(1, 2, first, second, &value, 2), S_OK);  // an empty slot
    EXPECT_EQ(p1.Calls().size(), 1u);
}

TEST_F(ServiceE, Operation15TakesTheFirstTextThatSucceeds) {
    FakeServiceEClient p3;
    table.AddItemClient(0, &p3);
    p1.Script(15, {kFailure, {Txt("one")}});
    p2.Script(15, {S_FALSE, {Txt("two")}});
    CString text = "old";
    EXPECT_EQ(service.Op15(text, 1, "t", 2, 0), S_OK);
    EXPECT_EQ(text, "two");
    EXPECT_EQ(p1.Calls(), (std::vector<Call>{{15, {"out", "1", Q("t"), "100", "2"}}}));
    EXPECT_EQ(p2.Calls().size(), 1u);
    EXPECT_TRUE(p3.Calls().empty());

    p2.Script(15, {kFailure, {Txt("two")}});
    p3.Script(15, {kFailure, {}});
    text = "old";
    EXPECT_EQ(service.Op15(text, 1, "t", 2, 0), E_FAIL);
    EXPECT_EQ(text, "old");
    EXPECT_EQ(service.Op15(text, 1, "t", 2, 2), E_FAIL);  // an empty slot
    CHostServiceE withoutTable(nullptr);
    EXPECT_EQ(withoutTable.Op15(text, 1, "t", 2, 0), E_FAIL);
    EXPECT_EQ(text, "old");
}

TEST_F(ServiceE, Operation16TakesTheFirstAnswer) {
    DWORD first = 77;
    DWORD second = 77;
    // S_FALSE ends the walk with nothing taken.
    p1.Script(16, {S_FALSE, {Num(1), Num(2)}});
    EXPECT_EQ(service.Op16(&first, &second, "t", 3, 0), S_OK);
    EXPECT_EQ(first, 0xFFFFFFFFu);
    EXPECT_EQ(second, 0xFFFFFFFFu);
    EXPECT_EQ(p1.Calls(), (std::vector<Call>{{16, {"out(-1)", "out(-1)", Q("t"), "100", "3"}}}));
    EXPECT_TRUE(p2.Calls().empty());
    // S_OK gives the values but those that are -1.
    p1.Script(16, {S_OK, {Num(0xFFFFFFFF), Num(7)}});
    EXPECT_EQ(service.Op16(&first, &second, "t", 3, 0), S_OK);
    EXPECT_EQ(first, 0xFFFFFFFFu);
    EXPECT_EQ(second, 7u);
    // A failing client passes the walk on.
    p1.Script(16, {kFailure, {Num(1), Num(2)}});
    p2.Script(16, {S_OK, {Num(5), Num(6)}});
    EXPECT_EQ(service.Op16(&first, &second, "t", 3, 0), S_OK);
    EXPECT_EQ(first, 5u);
    EXPECT_EQ(second, 6u);
    // No client answering: E_FAIL, the values set to -1 all the same.
    p2.Script(16, {kFailure, {}});
    EXPECT_EQ(service.Op16(&first, &second, "t", 3, 0), E_FAIL);
    EXPECT_EQ(first, 0xFFFFFFFFu);
    second = 77;
    EXPECT_EQ(service.Op16(&first, &second, "t", 3, 2), E_FAIL);
    EXPECT_EQ(second, 0xFFFFFFFFu);
}

TEST_F(ServiceE, Operation17TakesTheFirstTextThatSucceeds) {
    p1.Script(17, {kFailure, {Num(4), Txt("one")}});
    p2.Script(17, {S_OK, {Num(4), Txt("two")}});
    CString text = "old";
    EXPECT_EQ(service.Op17(0, text, 3), S_OK);
    EXPECT_EQ(text, "two");
    // The clients get no data word here.
    EXPECT_EQ(p1.Calls(), (std::vector<Call>{{17, {"out(0)", "out", "3"}}}));
    text = "old";
    EXPECT_EQ(service.Op17(2, text, 3), E_FAIL);
    EXPECT_EQ(text, "old");
}

TEST_F(ServiceE, TheMembershipTestLooksAtEveryItemsClients) {
    EXPECT_TRUE(service.HasClient(&q1));
    EXPECT_TRUE(service.HasClient(&p2));
    EXPECT_FALSE(service.HasClient(&spare));  // its item was removed
    CHostServiceE withoutTable(nullptr);
    EXPECT_FALSE(withoutTable.HasClient(&q1));
    CPtrArray merged;
    table.AddItemClient(1, &p2);
    table.MergeClientLists(merged);
    ASSERT_EQ(merged.GetSize(), 3);
    EXPECT_EQ(merged[0], &p1);
    EXPECT_EQ(merged[1], &p2);
    EXPECT_EQ(merged[2], &q1);
}

TEST_F(ServiceE, ATextThatCannotBeMadeStopsTheCallBeforeAnyClient) {
    const std::function<HRESULT()> withText[] = {
        [&] { return service.Op3("t", 0); },
        [&] { return service.Op3AllItems("t"); },
        [&] { return service.Op5("t", 1, 2); },
        [&] { return service.Op14(1, "t", 2, 0); },
        [&] {
            CString text = "old";
            return service.Op15(text, 1, "t", 2, 0);
        },
        [&] {
            DWORD first = 0;
            DWORD second = 0;
            return service.Op16(&first, &second, "t", 3, 0);
        },
    };
    for (const auto& call : withText) {
        platform::BstrAllocationFault fault;
        HRESULT error = S_OK;
        try {
            static_cast<void>(call());
        } catch (const platform::ComError& raised) {
            error = raised.Error();
        }
        EXPECT_EQ(error, E_OUTOFMEMORY);
    }
    EXPECT_EQ(Calls(), (std::vector<std::vector<Call>>{{}, {}, {}}));
    // No text is made for an empty slot or for an operation without one.
    platform::BstrAllocationFault fault;
    EXPECT_EQ(service.Op3("t", 2), S_OK);
    EXPECT_EQ(service.Op9(0, 7), S_OK);
    EXPECT_EQ(p1.Calls().size(), 1u);
}

}  // namespace
