#include "frame/error_codes.h"

#include "platform/bstr.h"
#include "sim/host/sim_host.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::string TextOf(IHErrorCodeTable& table, HRESULT code) {
    platform::Bstr text;
    EXPECT_EQ(table.GetErrorText(code, text.Out()), S_OK);
    return text.Ansi();
}

class ErrorCodeTableTest : public ::testing::Test {
protected:
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    CErrorCodeTable table{&host};
};

TEST(FixedErrorCodes, NinetySixRowsWithConsecutiveTextIds) {
    ASSERT_EQ(FixedErrorCodeCount(), 96u);
    std::set<HRESULT> codes;
    for (std::size_t row = 0; row < FixedErrorCodeCount(); ++row) {
        EXPECT_EQ(FixedErrorCodes()[row].textId, 51440u + row);
        codes.insert(FixedErrorCodes()[row].code);
    }
    EXPECT_EQ(codes.size(), 96u);  // every code has its own row
}

TEST_F(ErrorCodeTableTest, FixedCodesReadTheirTexts) {
    struct Case {
        std::uint32_t code;
        const char* text;
    };
    const Case cases[] = {
        {0x00000000, "No error"},
        {0x80040201, "DLL error"},
        {0x80040210, "DLL not compatible"},
        {0x80042001, "Not currently available"},
        {0x80042035, "Cannot find specified breakpoint."},
        {0x80042040, "Cancel' from I/O config dialog"},
        {0x80041011, "Divide by zero"},
        {0x80043070, "Invalid syntax"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextOf(table, static_cast<HRESULT>(c.code)), c.text) << std::hex << c.code;
    }
}

// The host's table stands for the real host's, which knows the system's
// codes: the simulated host answers each with the plug-in's own text.
TEST_F(ErrorCodeTableTest, TheSimulatedHostsTableAnswersEveryFixedCodeWithThePluginsText) {
    simhost::HostErrorCodeTable hostTable;
    for (std::size_t row = 0; row < FixedErrorCodeCount(); ++row) {
        const HRESULT code = FixedErrorCodes()[row].code;
        EXPECT_EQ(TextOf(hostTable, code), TextOf(table, code)) << std::hex << code;
    }
    EXPECT_EQ(TextOf(hostTable, static_cast<HRESULT>(0x8004020Au)), "Unknown Error");
    EXPECT_EQ(TextOf(hostTable, E_FAIL), "Unknown Error");
}

TEST_F(ErrorCodeTableTest, UnknownCodesReadUnknownError) {
    EXPECT_EQ(TextOf(table, static_cast<HRESULT>(0x8004020Au)), "Unknown Error");
    EXPECT_EQ(TextOf(table, E_FAIL), "Unknown Error");
}

TEST_F(ErrorCodeTableTest, RegistersFromTheFirstFreeNumberAndReusesFreedCodes) {
    platform::Bstr first("first text");
    platform::Bstr second("DLL error");  // may repeat a fixed text
    HRESULT firstCode = 0;
    HRESULT secondCode = 0;
    ASSERT_EQ(table.RegisterError(first.Get(), &firstCode), S_OK);
    ASSERT_EQ(table.RegisterError(second.Get(), &secondCode), S_OK);
    EXPECT_EQ(firstCode, static_cast<HRESULT>(0x8004020Au));
    EXPECT_EQ(secondCode, static_cast<HRESULT>(0x8004020Bu));
    EXPECT_EQ(TextOf(table, firstCode), "first text");
    EXPECT_EQ(TextOf(table, secondCode), "DLL error");
    EXPECT_EQ(TextOf(table, static_cast<HRESULT>(0x80040201u)), "DLL error");

    EXPECT_EQ(table.UnregisterError(firstCode), S_OK);
    EXPECT_EQ(TextOf(table, firstCode), "Unknown Error");
    EXPECT_EQ(table.UnregisterError(firstCode), E_FAIL);
    HRESULT again = 0;
    platform::Bstr third("third");
    ASSERT_EQ(table.RegisterError(third.Get(), &again), S_OK);
    EXPECT_EQ(again, firstCode);
}

TEST_F(ErrorCodeTableTest, FixedRowsCannotBeRemoved) {
    EXPECT_EQ(table.UnregisterError(static_cast<HRESULT>(0x80040201u)), E_FAIL);
    EXPECT_EQ(TextOf(table, static_cast<HRESULT>(0x80040201u)), "DLL error");
}

TEST_F(ErrorCodeTableTest, RegistersItselfAsTheHostsServerForItsLifetime) {
    simhost::CallLog ownLog;
    simhost::HostServiceProvider ownHost{ownLog};
    {
        CErrorCodeTable scoped(&ownHost);
        const auto registrations = ownHost.Registrations();
        ASSERT_EQ(registrations.size(), 1u);
        EXPECT_TRUE(registrations[0].server);
        EXPECT_EQ(registrations[0].iid, IID_IHErrorCodeTable);
    }
    EXPECT_TRUE(ownHost.Registrations().empty());
}

TEST_F(ErrorCodeTableTest, AnswersOnlyItsOwnInterfaces) {
    void* object = nullptr;
    EXPECT_EQ(table.QueryInterface(IID_IHErrorCodeTable, &object), S_OK);
    EXPECT_EQ(object, static_cast<IHErrorCodeTable*>(&table));
    EXPECT_EQ(table.QueryInterface(IID_IHTarget, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
}

TEST(ErrorReporter, AsksTheHostsErrorCodeTableService) {
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    CErrorCodeTable table{nullptr};
    host.OfferService(IID_IHErrorCodeTable, &table);
    CErrorReporterImpl reporter(&host);
    platform::Bstr text;
    EXPECT_EQ(reporter.GetErrorText(static_cast<HRESULT>(0x80042019u), text.Out()), S_OK);
    EXPECT_EQ(text.Ansi(), "Invalid parameter");
}

TEST(ErrorReporter, WithoutAnErrorCodeTableItFails) {
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    host.OfferService(IID_IHErrorCodeTable, nullptr);
    CErrorReporterImpl reporter(&host);
    CErrorReporterImpl detached(nullptr);
    platform::Bstr text;
    EXPECT_EQ(reporter.GetErrorText(0, text.Out()), E_FAIL);
    EXPECT_EQ(detached.GetErrorText(0, text.Out()), E_FAIL);
    EXPECT_EQ(text.Get(), nullptr);
}

}  // namespace
