// The memory compare, copy and search dialogs on the road: each opened as
// it stands, filled in and run as a person would, against the memory handler
// that the simulated host hands out as its memory server, over the real
// monitor and link down to the simulated emulator.
#include "target/memory_dialogs.h"

#include "res/resource_ids.h"
#include "target/target_memory_vk3.h"
#include "tests/monitor/monitor_fixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace monitortest {
namespace {

using Lines = std::vector<std::string>;

// The first eight bytes of the RAM ranges the tests compare, copy and search.
const Bytes kBytes = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};

class MemoryDialogs : public MonitorTest {
protected:
    void SetUp() override {
        MonitorTest::SetUp();
        memory_ = std::make_unique<CTargetMemoryVk3>(&host_);
        // The host hands out the target's memory server as its service.
        host_.OfferService(IID_IHTMemoryServer2, static_cast<IHTMemoryServer2*>(memory_.get()));
        PutTarget(0x400, Bytes(0x400, 0));
        PutTarget(0x400, kBytes);
        PutTarget(0x600, kBytes);
        ClearFrames();
    }
    void TearDown() override {
        host_.OfferService(IID_IHTMemoryServer2, nullptr);
        memory_.reset();
        MonitorTest::TearDown();
    }
    void PutTarget(DWORD address, const Bytes& bytes) const {
        ASSERT_EQ(Control().writeTarget(address, bytes.data(), static_cast<DWORD>(bytes.size())), Q3V_SIM_OK);
    }
    // Runs the dialog as the script has it; it ends cancelled.
    template <typename Dialog>
    void Run(Dialog& dialog) {
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
    // The dialog of the template, run as above.
    void RunDialog(UINT templateId) {
        if (templateId == res_id::kMemoryCompareDialog) {
            CDlgMemoryCompare dialog;
            Run(dialog);
        } else if (templateId == res_id::kMemoryCopyDialog) {
            CDlgMemoryCopy dialog;
            Run(dialog);
        } else {
            CDlgMemoryFind dialog;
            Run(dialog);
        }
    }

    std::unique_ptr<CTargetMemoryVk3> memory_;
};

// The fields each dialog shows when it opens, and its caption and check boxes.
TEST_F(MemoryDialogs, EachOpensWithItsFieldsAsNumberTexts) {
    const std::string zero = "H'00000000";
    const std::string four = "H'00000004";
    for (const UINT id : {res_id::kMemoryCompareDialog, res_id::kMemoryCopyDialog, res_id::kMemorySearchDialog}) {
        ui_.OnDialog(id).PressCancel();
        RunDialog(id);
    }
    const auto shown = ui_.Dialogs();
    ASSERT_EQ(shown.size(), 3u);
    struct Case {
        const char* caption;
        std::vector<std::pair<int, std::string>> fields;
    };
    const Case cases[] = {
        {"Compare Memory",
         {{res_id::kMemBegin, zero}, {res_id::kMemEnd, zero}, {res_id::kMemSecondAddress, zero},
          {res_id::kMemAccessSize, four}}},
        {"Copy Memory",
         {{res_id::kMemBegin, zero}, {res_id::kMemEnd, zero}, {res_id::kMemSecondAddress, zero},
          {res_id::kMemAccessSize, four}}},
        {"Search Memory",
         {{res_id::kMemBegin, zero}, {res_id::kMemEnd, zero}, {res_id::kMemData, ""}, {res_id::kMemMask, ""},
          {res_id::kMemAccessSize, four}, {res_id::kMemSearchForward, "Search Forward"},
          {res_id::kMemSearchEqual, "Sarch Equal"}}},
    };
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].caption, cases[i].caption);
        for (const auto& [id, text] : cases[i].fields) {
            const platform::ControlView* control = shown[i].Find(id);
            ASSERT_NE(control, nullptr) << cases[i].caption << " " << id;
            EXPECT_EQ(control->text, text) << cases[i].caption << " " << id;
        }
    }
    EXPECT_EQ(shown[2].Find(res_id::kMemSearchForward)->kind, "check box");
    EXPECT_EQ(shown[2].Find(res_id::kMemSearchEqual)->kind, "check box");
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(FramesIn().empty()) << "opening reaches nothing";
}

// Equal ranges compare OK; then one byte of the second range changes and the
// first unit that holds it is shown with both its values, most significant
// byte first, whatever the unit.
TEST_F(MemoryDialogs, CompareShowsOkOrTheFirstDifferenceWithBothValues) {
    struct Case {
        const char* accessSize;
        const char* shown;
    };
    const Case cases[] = {
        {"4", "H'404. H'88776655. H'88AB6655."},
        {"2", "H'406. H'8877. H'88AB."},
        {"D'1", "H'406. H'77. H'AB."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.accessSize);
        PutTarget(0x606, {0x77});
        testsupport::TestUi person;
        person.OnDialog("Compare Memory")
            .SetText(res_id::kMemBegin, "400")
            .SetText(res_id::kMemEnd, "H'4FF")
            .SetText(res_id::kMemSecondAddress, "600")
            .SetText(res_id::kMemAccessSize, c.accessSize)
            .PressOk()
            .Do([this](platform::UiDialog&) { PutTarget(0x606, {0xAB}); })
            .PressOk()
            .PressCancel();
        CDlgMemoryCompare dialog;
        Run(dialog);
        Lines boxes;
        for (const platform::MessageBoxRequest& box : person.MessageBoxes()) {
            boxes.push_back(box.text);
            EXPECT_EQ(box.Buttons(), static_cast<UINT>(MB_OK)) << "a plain box";
        }
        EXPECT_EQ(boxes, (Lines{"COMPARE OK", c.shown}));
    }
}

// A copy lands in the emulator's own memory; a destination the device does
// not have is refused at the address where it stumbled, and nothing is
// written.
TEST_F(MemoryDialogs, CopyWritesTheTargetOrShowsWhereItWasRefused) {
    ui_.OnDialog("Copy Memory")
        .SetText(res_id::kMemBegin, "400")
        .SetText(res_id::kMemEnd, "40F")
        .SetText(res_id::kMemSecondAddress, "700")
        .SetText(res_id::kMemAccessSize, "1")
        .PressOk()
        .Do([this](platform::UiDialog&) { ClearFrames(); })
        .SetText(res_id::kMemSecondAddress, "H'3000")  // the hole after the data flash
        .PressOk()
        .PressCancel();
    CDlgMemoryCopy dialog;
    Run(dialog);
    EXPECT_EQ(Messages(), (Lines{"COPY OK", "H'3000. H'0. H'0."}));
    Bytes expected = kBytes;
    expected.resize(16, 0);
    EXPECT_EQ(ReadTarget(0x700, 16), expected);
    EXPECT_TRUE(FramesIn().empty()) << "the refused copy sent nothing";
}

// A unit of the access size equal to the data where the mask has bits: the
// data is the unit's value (the target holds its low byte first), forward
// looks at every byte, else at whole units from the beginning.
TEST_F(MemoryDialogs, FindShowsTheAddressFoundOrThatItFailed) {
    PutTarget(0x453, {0xFE, 0xBA});
    struct Case {
        const char* data;
        const char* mask;
        const char* accessSize;
        bool forward;
        const char* shown;
    };
    const Case cases[] = {
        {"BAFE", "FFFF", "2", true, "H'453."},
        {"  H'BAFE ", "FFFF", "2", false, "FIND FAILED"},  // no whole unit from 0x400 holds it
        {"66", "FF", "1", false, "H'405."},
        {"88FF", "FF00", "2", false, "H'406."},  // the high byte alone
        {"7766", "FFFF", "2", true, "H'405."},  // across two units
        {"1234", "FFFF", "2", true, "FIND FAILED"},
        {"88776655", "FFFFFFFF", "4", false, "H'404."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.data);
        testsupport::TestUi person;
        auto& script = person.OnDialog("Search Memory")
                           .SetText(res_id::kMemBegin, "400")
                           .SetText(res_id::kMemEnd, "4FF")
                           .SetText(res_id::kMemData, c.data)
                           .SetText(res_id::kMemMask, c.mask)
                           .SetText(res_id::kMemAccessSize, c.accessSize);
        if (c.forward) {
            script.Check(res_id::kMemSearchForward);
        }
        script.PressOk().PressCancel();
        CDlgMemoryFind dialog;
        Run(dialog);
        ASSERT_EQ(person.MessageBoxes().size(), 1u);
        EXPECT_EQ(person.MessageBoxes()[0].text, c.shown);
        EXPECT_EQ(person.MessageBoxes()[0].Buttons(), static_cast<UINT>(MB_OK));
    }
}

// A number text the host cannot read fails the exchange: the dialog stays
// open with the field in focus, and nothing reaches the memory server. The
// search's data and mask, read after the exchange, say so.
TEST_F(MemoryDialogs, ATextTheHostCannotReadRunsNothing) {
    struct Case {
        UINT dialog;
        int field;
        const char* text;
        Lines shown;
    };
    const Case cases[] = {
        {res_id::kMemoryCompareDialog, res_id::kMemEnd, "no_such_symbol", {}},
        {res_id::kMemoryCopyDialog, res_id::kMemSecondAddress, "H'12G4", {}},
        {res_id::kMemorySearchDialog, res_id::kMemAccessSize, "", {}},
        {res_id::kMemorySearchDialog, res_id::kMemData, " zz ", {"Invalid value or symbol: zz"}},
        {res_id::kMemorySearchDialog, res_id::kMemMask, "   ", {"Invalid value or symbol: "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        testsupport::TestUi person;
        person.OnDialog(c.dialog)
            .SetText(res_id::kMemBegin, "400")
            .SetText(res_id::kMemEnd, "40F")
            .SetText(c.dialog == res_id::kMemorySearchDialog ? res_id::kMemData : res_id::kMemSecondAddress, "600")
            .SetText(c.dialog == res_id::kMemorySearchDialog ? res_id::kMemMask : res_id::kMemAccessSize, "FF")
            .SetText(c.field, c.text)
            .PressOk()
            .Do([&c](platform::UiDialog& shown) {
                EXPECT_TRUE(shown.IsOpen());
                if (c.shown.empty()) {
                    EXPECT_EQ(GetFocus(), shown.Control(c.field));
                }
            })
            .PressCancel();
        RunDialog(c.dialog);
        Lines boxes;
        for (const platform::MessageBoxRequest& box : person.MessageBoxes()) {
            boxes.push_back(box.text);
        }
        EXPECT_EQ(boxes, c.shown);
        EXPECT_TRUE(FramesIn().empty()) << "nothing reached the emulator";
    }
    EXPECT_EQ(ReadTarget(0x600, 16), ReadTarget(0x400, 16)) << "nothing copied";
}

// An operation the emulator refuses shows its failure, never its "OK": its
// first request is refused. Without the refusal the copy and the search
// would succeed (the range holds zeros, which the search looks for).
TEST_F(MemoryDialogs, ARefusedOperationShowsItsFailure) {
    using Fields = std::vector<std::pair<int, const char*>>;
    struct Case {
        UINT dialog;
        Fields fields;
        const char* shown;
    };
    const Case cases[] = {
        {res_id::kMemoryCopyDialog, {{res_id::kMemSecondAddress, "700"}}, "H'0. H'0. H'0."},
        {res_id::kMemorySearchDialog, {{res_id::kMemData, "0"}, {res_id::kMemMask, "FF"}}, "FIND FAILED"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        testsupport::TestUi person;
        auto& script = person.OnDialog(c.dialog)
                           .SetText(res_id::kMemBegin, "400")
                           .SetText(res_id::kMemEnd, "40F")
                           .SetText(res_id::kMemAccessSize, "1");
        for (const auto& [id, text] : c.fields) {
            script.SetText(id, text);
        }
        script.Do([this](platform::UiDialog&) { Inject(Q3V_SIM_FAULT_NAK, 0, 1); }).PressOk().PressCancel();
        RunDialog(c.dialog);
        ASSERT_EQ(person.MessageBoxes().size(), 1u);
        EXPECT_EQ(person.MessageBoxes()[0].text, c.shown);
    }
    EXPECT_EQ(ReadTarget(0x700, 16), Bytes(16, 0)) << "nothing copied";
}

// A compare whose first read the emulator refuses has compared nothing: it
// shows that it failed, neither "COMPARE OK" (the ranges are equal, so that
// is what it would show had it read them) nor a difference. (It showed
// "H'0. H'0. H'0.", a difference at address 0.)
TEST_F(MemoryDialogs, ACompareTheEmulatorRefusesShowsItsFailure) {
    ui_.OnDialog("Compare Memory")
        .SetText(res_id::kMemBegin, "400")
        .SetText(res_id::kMemEnd, "40F")
        .SetText(res_id::kMemSecondAddress, "600")
        .Do([this](platform::UiDialog&) { Inject(Q3V_SIM_FAULT_NAK, 0, 1); })
        .PressOk()
        .PressOk()
        .PressCancel();
    CDlgMemoryCompare dialog;
    Run(dialog);
    const Lines shown = Messages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "COMPARE FAILED");
    EXPECT_EQ(shown[1], "COMPARE OK") << "read again once the emulator answers";
}

// The copy's flag asks for a verified copy (it reads -1 after the
// exchange): the copy is written and checked, so a verify error the
// emulator reports fails it, with the error lines on the host's error
// output; a copy without the flag is written unverified and sees none.
TEST_F(MemoryDialogs, AVerifiedCopyIsCheckedAsItIsWritten) {
    struct Case {
        int verify;
        bool fault;
        const char* shown;
        Lines reports;
    };
    const Case cases[] = {
        {1, false, "COPY OK", {}},
        {0, true, "COPY OK", {}},
        {1, true, "H'0. H'0. H'0.", {"FAILED AT 00000500 WRITE=11 '.' READ=11 '.'", " *** 31:Verify error"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.verify << (c.fault ? " with a verify fault" : ""));
        PutTarget(0x500, Bytes(2, 0));
        const std::size_t reports = HostReports().size();
        testsupport::TestUi person;
        person.OnDialog("Copy Memory")
            .SetText(res_id::kMemBegin, "400")
            .SetText(res_id::kMemEnd, "401")
            .SetText(res_id::kMemSecondAddress, "500")
            .SetText(res_id::kMemAccessSize, "1")
            .Do([this, &c](platform::UiDialog&) { Inject(Q3V_SIM_FAULT_VERIFY, 0, c.fault ? 1 : 0); })
            .PressOk()
            .PressCancel();
        CDlgMemoryCopy dialog;
        dialog.m_verify = c.verify;
        Run(dialog);
        EXPECT_EQ(dialog.m_verify, c.verify != 0 ? -1 : 0);
        ASSERT_EQ(person.MessageBoxes().size(), 1u);
        EXPECT_EQ(person.MessageBoxes()[0].text, c.shown);
        const Lines all = HostReports();
        EXPECT_EQ(Lines(all.begin() + static_cast<std::ptrdiff_t>(reports), all.end()), c.reports);
        if (!c.fault || c.verify == 0) {
            EXPECT_EQ(ReadTarget(0x500, 2), (Bytes{0x11, 0x22}));
        }
    }
}

}  // namespace
}  // namespace monitortest
