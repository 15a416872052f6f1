// The break records: the range and value tests, the pass count, the sequence
// steps and the cycle multiples, each as a table of cases.
#include "breaks/break_contents.h"

#include "tests/breaks/break_fixture.h"
#include "tests/support/test_ui.h"

#include <gtest/gtest.h>

namespace {

using breaktest::BreakServicesFixture;

class BreakRecordsTest : public ::testing::Test, public BreakServicesFixture {};

TEST_F(BreakRecordsTest, AccessRangeOverlapsInSixtyFourBits) {
    const CTBreakAccessContents record(0x2000, 0x1000, 0, nullptr);
    EXPECT_EQ(record.GetLow(), 0x1000u);
    EXPECT_EQ(record.GetHigh(), 0x2000u);
    const CTBreakAccessContents top(0xFFFFFFF0, 0xFFFFFFFF, 0, nullptr);
    struct Case {
        const CTBreakAccessContents* record;
        DWORD address;
        WORD size;
        bool matches;
    } const cases[] = {
        {&record, 0x0FFE, 4, true},          // reaches 0x1001
        {&record, 0x0FFC, 4, false},         // ends at 0x0FFF
        {&record, 0x2000, 1, true},          // the last byte
        {&record, 0x2001, 8, false},
        {&record, 0x1800, 0, false},         // size 0 never matches
        {&top, 0xFFFFFFFE, 4, true},         // runs past the top: no wrap to 1
        {&top, 0xFFFFFFE0, 0x10, false},
        {&top, 0xFFFFFFE0, 0x11, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.record->MatchesRange(c.address, c.size), c.matches) << std::hex << c.address << " size " << c.size;
    }
}

TEST_F(BreakRecordsTest, AccessTypeZeroMatchesEveryAccess) {
    const CTBreakAccessContents any(0x1000, 0x1000, 0, nullptr);
    const CTBreakAccessContents write(0x1000, 0x1000, 2, nullptr);
    EXPECT_TRUE(any.MatchesAccessType(1));
    EXPECT_TRUE(any.MatchesAccessType(2));
    EXPECT_TRUE(write.MatchesAccessType(2));
    EXPECT_FALSE(write.MatchesAccessType(1));
    const CTBreakCfgAccessContents cfg(0x3000, 0x2000, 1, nullptr);
    EXPECT_TRUE(cfg.MatchesRange(0x2000));
    EXPECT_TRUE(cfg.MatchesRange(0x3000));
    EXPECT_FALSE(cfg.MatchesRange(0x3001));
    EXPECT_FALSE(cfg.MatchesAccessType(2));
}

TEST_F(BreakRecordsTest, DataRangeIsTheSizeCodesByteCount) {
    const CTBreakDataContents word(0x1000, 0, 2, 0, 0, nullptr);
    const CTBreakDataContents none(0x1000, 0, 0, 0, 0, nullptr);
    const CTBreakDataContents floating(0x1000, 0, 20, 0, 0, nullptr);  // 4-byte float: low four bits 4
    const CTBreakDataContents top(0xFFFFFFFF, 0, 2, 0, 0, nullptr);
    struct Case {
        const CTBreakDataContents* record;
        DWORD address;
        WORD size;
        bool matches;
    } const cases[] = {
        {&word, 0x1001, 1, true},  {&word, 0x1002, 1, false}, {&word, 0x0FFF, 2, true}, {&word, 0x1000, 0, false},
        {&none, 0x1000, 4, false}, {&floating, 0x1003, 1, true}, {&floating, 0x1004, 1, false},
        {&top, 0xFFFFFFFF, 1, true},  // the watched range runs past the top
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.record->MatchesRange(c.address, c.size), c.matches) << std::hex << c.address << " size " << c.size;
    }
}

TEST_F(BreakRecordsTest, ValueComparisons) {
    struct Case {
        const char* name;
        WORD size;
        WORD mode;
        DWORD valueLow;
        DWORD valueHigh;
        DWORD low;
        DWORD high;
        bool registerMatches;
        bool cfgMatches;
    } const cases[] = {
        {"byte equal, upper bytes ignored", 1, 0, 0x12, 0, 0xAB12, 0, true, false},
        {"byte not equal", 1, 1, 0x12, 0, 0x13, 0, true, true},
        {"halfword equal", 2, 0, 0x1234, 0, 0xFF1234, 0, true, false},
        {"word high words differ", 4, 0, 0x1, 0x2, 0x1, 0x3, false, false},
        {"any value", 4, 2, 0x1, 0, 0x99, 0x99, true, true},
        {"cfg data compares the high word", 1, 0, 0x55, 0, 0, 0x1255, false, true},
        {"cfg data size 8 compares both", 8, 0, 0x10, 0x20, 0x10, 0x20, true, true},
        {"float compares four bytes", 20, 0, 0x3F800000, 0, 0x3F800000, 0, true, false},
    };
    for (const Case& c : cases) {
        const CTBreakRegisterContents reg(3, c.valueLow, c.size, c.mode, c.valueHigh, nullptr);
        const CTBreakCfgDataContents cfg(0x10, c.valueLow, c.size, c.mode, c.valueHigh, nullptr);
        EXPECT_EQ(reg.MatchesValue(c.low, c.high), c.registerMatches) << c.name;
        EXPECT_EQ(cfg.MatchesValue(c.low, c.high), c.cfgMatches) << c.name;
    }
    EXPECT_TRUE(CTBreakRegisterContents(3, 0, 4, 0, 0, nullptr).MatchesRegister(3));
    EXPECT_FALSE(CTBreakRegisterContents(3, 0, 4, 0, 0, nullptr).MatchesRegister(4));
}

TEST_F(BreakRecordsTest, PcPassCountCountsEveryHitAtItsAddress) {
    CTBreakPcContents record(0x1000, 3, CLSID_Q3vVk3Target, BreakText(), 0, nullptr, nullptr);
    std::vector<bool> reached;
    for (int hit = 0; hit < 4; ++hit) {
        EXPECT_FALSE(record.IsHit(0x1002));
        EXPECT_TRUE(record.IsHit(0x1000));
        reached.push_back(record.IsCountReached());
    }
    EXPECT_EQ(reached, (std::vector<bool>{false, false, true, true})) << "the record never counts back by itself";
    EXPECT_TRUE(CTBreakPcContents(0x1000, 0, CLSID_Q3vVk3Target, BreakText(), 0, nullptr, nullptr).IsCountReached());
}

TEST_F(BreakRecordsTest, SequenceStepsInOrder) {
    const CTBreakSequenceContents::Addresses steps{0x100, 0x200, 0x300, 0xAAAA, 0xBBBB, 0xCCCC, 0xDDDD, 0xEEEE};
    CTBreakSequenceContents record(3, steps, nullptr);
    EXPECT_EQ(record.GetAddresses()[3], 0u) << "slots past the step count are zero";
    std::vector<bool> hits;
    for (const DWORD pc : {0x100u, 0x300u, 0x200u, 0x300u, 0x300u}) {
        hits.push_back(record.IsHit(pc));
    }
    EXPECT_EQ(hits, (std::vector<bool>{false, false, false, true, true}));
    EXPECT_TRUE(record.ListsAddress(0x200));
    EXPECT_FALSE(record.ListsAddress(0xAAAA));
    for (const WORD count : {WORD{0}, WORD{9}}) {
        EXPECT_FALSE(CTBreakSequenceContents::IsValidStepCount(count)) << count;
    }
}

TEST_F(BreakRecordsTest, CycleHitsAtEachMultipleCountTimes) {
    struct Case {
        DWORD period;
        DWORD count;
        std::vector<DWORD> counters;
        std::vector<bool> hits;
    } const cases[] = {
        {100, 2, {50, 100, 150, 200, 250, 300, 400}, {false, true, false, true, false, false, false}},
        {100, 0, {100, 199, 200, 300, 301}, {true, false, true, true, false}},
        {0x60000000, 0, {0x60000000, 0xC0000000, 0xFFFFFFFF}, {true, true, false}},  // 3P is past 32 bits
    };
    for (const Case& c : cases) {
        CTBreakCycleContents record(c.period, c.count, nullptr);
        std::vector<bool> hits;
        for (const DWORD counter : c.counters) {
            hits.push_back(record.IsHit(counter));
            record.SetCycle(counter);
        }
        EXPECT_EQ(hits, c.hits) << "period " << c.period << " count " << c.count;
    }
}

TEST_F(BreakRecordsTest, CycleWithoutPeriodKeepsItsPassAndSaysSo) {
    testsupport::TestUi ui;
    CTBreakCycleContents record(0, 0, nullptr);
    record.SetCycle(10);
    EXPECT_EQ(record.GetPass(), 1u);
    EXPECT_EQ(record.GetCurrentCycle(), 10u);
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui.MessageBoxes()[0].text, "Illegal Cycle value. CTBreakCycleContents::SetCycle()");
}

TEST_F(BreakRecordsTest, KindsWithoutAnAddressSaySoWhenAsked) {
    testsupport::TestUi ui;
    const CTBreakRegisterContents reg(1, 0, 4, 0, 0, nullptr);
    EXPECT_EQ(reg.GetAddress(), 0u);
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui.MessageBoxes()[0].text, "Illegal Call Function");
}

TEST_F(BreakRecordsTest, ActionsFromTheirDescriptions) {
    BreakActionDesc fileInput;
    fileInput.type = break_action::kFileInput;
    fileInput.fileName = "in.bin";
    BreakActionDesc interrupt;
    interrupt.type = break_action::kInterrupt;
    interrupt.interruptType1 = 0x1A;
    interrupt.interruptType2 = 3;
    interrupt.priority = 5;
    EXPECT_EQ(CTBreakCycleContents(1, 0, nullptr).GetActionType(), break_action::kStop);
    EXPECT_EQ(CTBreakCycleContents(1, 0, nullptr).GetEnable(), 1);
    EXPECT_EQ(CTBreakCycleContents(1, 0, &fileInput).GetAction()->GetText(), "File Input(in.bin) [close]");
    EXPECT_EQ(CTBreakCycleContents(1, 0, &interrupt).GetAction()->GetText(), "Interrupt(1a/5)");
    services_.cpuTypeCode = 13;
    EXPECT_EQ(CTBreakCycleContents(1, 0, &interrupt).GetAction()->GetText(), "Interrupt(1a,3/5)");
    fileInput.fileName.assign(400, 'n');
    EXPECT_EQ(CTBreakCycleContents(1, 0, &fileInput).GetAction()->GetText().size(), CTBreakAction::kTextLimit);
    BreakActionDesc unknown;
    unknown.type = 4;
    EXPECT_FALSE(CTBreakContents::IsValidDesc(&unknown));
    EXPECT_TRUE(CTBreakContents::IsValidDesc(nullptr));
}

}  // namespace
