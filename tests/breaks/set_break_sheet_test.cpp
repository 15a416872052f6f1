// The "Set Break" sheet through the UI driver, over the break manager and
// the simulated host's services (expression evaluator, name lookup,
// breakpoint list), on CPU type 200 with both address limits at the demo
// device's H'FFFF: which controls each kind shows, the size lists, the
// refusals, the presets of an edited break, what OK makes, the offered
// kinds, the sheet's buttons and help; and the action page's model.
#include "breaks/break_manager.h"
#include "breaks/set_break_action_page.h"
#include "breaks/set_break_type_page.h"

#include "res/resource_ids.h"
#include "sim/host/expression_evaluator.h"
#include "sim/host/sim_host.h"
#include "target/target_vk3.h"
#include "tests/breaks/break_fixture.h"
#include "tests/support/cfg_in_target.h"
#include "tests/support/help_file.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_ui.h"

#include "platform/files.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace res_id;
using breaktest::BreakServicesFixture;
using breaktest::DeviceDataScope;
using platform::UiDialog;
using Script = platform::ScriptedUiDriver::DialogScript;
using Texts = std::vector<std::string>;

constexpr DWORD kLimit = 0xFFFF;  // "MAX ADDR" of the demo device

BreakActionDesc Action(LONG type, const std::string& name = "out.bin") {
    BreakActionDesc desc;
    desc.type = type;
    if (type == break_action::kFileInput || type == break_action::kFileOutput) {
        desc.fileName = name;
        desc.address = 0x800;
        desc.dataSize = 2;
        desc.count = 3;
    }
    if (type == break_action::kInterrupt) {
        desc.interruptType1 = 10;
        desc.priority = 3;
    }
    return desc;
}

// An evaluator that turns no value into text.
class MuteFloatTexts : public simhost::ExpressionEvaluator {
public:
    using ExpressionEvaluator::ExpressionEvaluator;
    HRESULT STDMETHODCALLTYPE FloatToText(float, DWORD, BSTR*) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE DoubleToText(double, DWORD, BSTR*) override { return E_FAIL; }
};

Texts Items(HWND combo) {
    Texts items;
    const auto count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        char text[64] = {};
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        items.emplace_back(text);
    }
    return items;
}

int Selected(const UiDialog& shown, int id) {
    return static_cast<int>(SendMessageA(shown.Control(id), CB_GETCURSEL, 0, 0));
}

// What the sheet puts into a hidden field, as the person cannot.
void Preset(const UiDialog& shown, int id, const char* text) {
    SetWindowTextA(shown.Control(id), text);
}

class SetBreakSheet : public ::testing::Test, public BreakServicesFixture {
protected:
    SetBreakSheet() {
        g_deviceAreas = {};
        g_deviceValues.flashBlockCount = 0;
        g_emuSel = connect_mode::kKeepFlashAndConnect;
        services_.topAddress = kLimit;
        services_.dataLimit = kLimit;
        GetTarget()->Attach(&host_, 1);
        manager_ = std::make_unique<CTBreakManager>(&host_);
    }
    ~SetBreakSheet() override {
        manager_.reset();
        GetTarget()->Detach(1);
    }

    Script& Sheet() { return ui_.OnDialog(kSetBreakTypePage); }
    // Opens the sheet with the steps (which end it) and answers whether it
    // was left with OK.
    void Run(LONG index, const std::function<void(Script&)>& steps) {
        steps(Sheet());
        manager_->RunSetBreakDialog(index);
    }
    // OK refused: a beep, the focus in the field (id 0: wherever it was),
    // the page still open.
    Script& ExpectRefusal(Script& sheet, int id) {
        auto beeps = std::make_shared<std::size_t>(0);
        return sheet.Do([this, beeps](UiDialog&) { *beeps = ui_.Beeps().size(); })
            .PressOk()
            .Do([this, id, beeps](UiDialog& shown) {
                EXPECT_TRUE(shown.IsOpen());
                EXPECT_EQ(ui_.Beeps().size(), *beeps + 1);
                if (id != 0) {
                    EXPECT_EQ(GetFocus(), shown.Control(id)) << "focus for " << id;
                }
            });
    }
    std::size_t Total() const {
        std::size_t total = 0;
        for (int kind = 0; kind < static_cast<int>(kBreakKindCount); ++kind) {
            total += manager_->GetKindBreakCount(kind);
        }
        return total;
    }
    std::vector<simhost::HostBreakpointService::Breakpoint> HostBreaks() { return host_.Breakpoints().Breakpoints(); }
    // PC breaks that go past the host: an interrupt each.
    void FillPcBreaks(DWORD count) {
        for (DWORD n = 0; n < count; ++n) {
            ASSERT_EQ(manager_->AddPcBreak(0x100 + 2 * n, 1, Action(break_action::kInterrupt)), 1);
        }
    }

    DeviceDataScope deviceData_;
    testsupport::TestUi ui_;
    simhost::CallLog log_;
    simhost::HostServiceProvider host_{log_};
    std::unique_ptr<CTBreakManager> manager_;
};

// Every control a kind may show, with the kinds that show it.
struct ShownControl {
    int id;
    std::set<int> kinds;
};

TEST_F(SetBreakSheet, EachKindShowsItsGroupsAndHidesAndDisablesTheOthers) {
    ASSERT_EQ(manager_->AddPcBreak(0xC000, 1, Action(break_action::kInterrupt)), 1);
    ASSERT_EQ(manager_->AddAccessBreak(0x800, 0x810, 1, nullptr), 1);
    ASSERT_EQ(manager_->AddDataBreak(0x800, 1, 1, 0, 0, nullptr), 1);
    ASSERT_EQ(manager_->AddRegisterBreak(2, 1, 4, 0, 0, nullptr), 1);
    ASSERT_EQ(manager_->AddSequenceBreak(2, {0xC000, 0xC004}, nullptr), 1);
    ASSERT_EQ(manager_->AddCycleBreak(100, 0, nullptr), 1);
    ASSERT_EQ(manager_->AddCfgAccessBreak(1, 2, 0, nullptr), 1);
    ASSERT_EQ(manager_->AddCfgDataBreak(3, 0, 1, 0, 0, nullptr), 1);
    const ShownControl controls[] = {
        {kBrkAddressLabel, {0, 2}},  {kBrkAddress, {0, 2}},       {kBrkStart, {1}},
        {kBrkEnd, {1}},              {kBrkEndLabel, {1}},         {kBrkSequence[0], {4}},
        {kBrkSequenceLabel[7], {4}}, {kBrkRegister, {3}},         {kBrkCycle, {5}},
        {kBrkCfgNumber, {7}},        {kBrkCfgStart, {6}},         {kBrkCfgEnd, {6}},
        {kBrkCountGroup, {5}},       {kBrkAll, {5}},              {kBrkTimes, {5}},
        {kBrkData, {2, 3, 7}},       {kBrkSizeLabel, {2, 3, 7}},  {kBrkSize, {2, 3, 7}},
        {kBrkAccessType, {1, 6}},    {kBrkOptionGroup, {2, 3, 7}}, {kBrkNotEqual, {2, 3, 7}},
        {kBreakTypeList, {}},        {kBreakTypeLabel, {}},       {kBrkCount, {}},
    };
    for (int kind = 0; kind < static_cast<int>(kBreakKindCount); ++kind) {
        Run(kind, [&](Script& sheet) {
            sheet.Do([&](UiDialog& shown) {
                for (const ShownControl& control : controls) {
                    const bool shows = control.kinds.count(kind) != 0;
                    EXPECT_EQ(shown.IsVisible(control.id), shows) << "kind " << kind << ", control " << control.id;
                    // The kind list belongs to no group: hidden as the template made it.
                    if (control.id != kBrkCount && control.id != kBreakTypeList && control.id != kBreakTypeLabel) {
                        EXPECT_EQ(shown.IsEnabled(control.id), shows) << "kind " << kind << ", control " << control.id;
                    }
                }
                // The count field stays as the template made it for the PC kind.
                EXPECT_EQ(shown.IsEnabled(kBrkCount), kind == 0);
            });
            sheet.PressCancel();
        });
    }
}

TEST_F(SetBreakSheet, TheSizeListsOfType200) {
    ASSERT_EQ(manager_->AddDataBreak(0x800, 1, 1, 0, 0, nullptr), 1);
    ASSERT_EQ(manager_->AddRegisterBreak(2, 1, 4, 0, 0, nullptr), 1);
    Run(0, [&](Script& sheet) {
        sheet.Do([&](UiDialog& shown) {
            EXPECT_EQ(Items(shown.Control(kBrkSize)),
                      (Texts{"Byte", "Word", "Long word", "Single float", "Double float"}));
        });
        sheet.PressCancel();
    });
    Run(1, [&](Script& sheet) {
        sheet.Do([&](UiDialog& shown) {
            EXPECT_EQ(Items(shown.Control(kBrkSize)), (Texts{"Byte", "Word", "Long word", "Single float"}));
            EXPECT_EQ(Selected(shown, kBrkSize), -1) << "no register text: no size";
        });
        sheet.PressCancel();
    });
    // A new break's (hidden) size list starts at Byte here, at Long word on
    // other CPU types.
    Run(-1, [&](Script& sheet) {
        sheet.Do([&](UiDialog& shown) { EXPECT_EQ(Selected(shown, kBrkSize), 0); });
        sheet.PressCancel();
    });
    services_.cpuTypeCode = 7;
    Run(-1, [&](Script& sheet) {
        sheet.Do([&](UiDialog& shown) { EXPECT_EQ(Selected(shown, kBrkSize), 2); });
        sheet.PressCancel();
    });
}

TEST_F(SetBreakSheet, ANewBreakIsAStopPcBreakHandedToTheHost) {
    Run(-1, [&](Script& sheet) {
        sheet.Do([&](UiDialog& shown) {
            EXPECT_EQ(shown.Caption(), "Set Break");
            EXPECT_EQ(shown.Text(kBrkAddress), "H'00000000");
            EXPECT_EQ(Items(shown.Control(kBreakTypeList)).front(), "PC Breakpoint");
        });
        sheet.SetText(kBrkAddress, "H'C010").PressOk();
    });
    const auto breaks = HostBreaks();
    ASSERT_EQ(breaks.size(), 1u);
    EXPECT_EQ(breaks[0].address, 0xC010u);
    EXPECT_EQ(breaks[0].text, "1");
    EXPECT_TRUE(IsEqualGUID(breaks[0].owner, CLSID_Q3vVk3Target));
    ASSERT_EQ(manager_->GetPcCount(), 1u);
    EXPECT_EQ(manager_->GetPcBreakAt(0)->GetActionType(), break_action::kStop);
}

// --- refusals -------------------------------------------------------------

struct Refusal {
    const char* name;
    std::function<void(CTBreakManager&)> setUp;  // the break the sheet edits (none: a new break)
    std::vector<std::pair<int, const char*>> texts;
    int size;  // the size entry chosen, -2 for none
    int focus;
    bool box;  // "Invalid value or symbol: "
};

TEST_F(SetBreakSheet, AWrongEntryBeepsFocusesItsFieldAndKeepsThePage) {
    const auto data = [](CTBreakManager& m) { ASSERT_EQ(m.AddDataBreak(0x800, 1, 1, 0, 0, nullptr), 1); };
    const auto access = [](CTBreakManager& m) { ASSERT_EQ(m.AddAccessBreak(0x800, 0x810, 0, nullptr), 1); };
    const auto reg = [](CTBreakManager& m) { ASSERT_EQ(m.AddRegisterBreak(2, 1, 4, 0, 0, nullptr), 1); };
    const auto sequence = [](CTBreakManager& m) { ASSERT_EQ(m.AddSequenceBreak(1, {0xC000}, nullptr), 1); };
    const auto cycle = [](CTBreakManager& m) { ASSERT_EQ(m.AddCycleBreak(100, 2, nullptr), 1); };
    const Refusal refusals[] = {
        {"pc count 16384", nullptr, {{kBrkCount, "D'16384"}}, -2, kBrkCount, false},
        {"pc count 0", nullptr, {{kBrkCount, "0"}}, -2, kBrkCount, false},
        {"pc neither name nor number", nullptr, {{kBrkAddress, "nowhere"}}, -2, kBrkAddress, true},
        {"pc above limit A", nullptr, {{kBrkAddress, "H'10000"}}, -2, kBrkAddress, true},
        {"pc empty", nullptr, {{kBrkAddress, ""}}, -2, kBrkAddress, true},
        {"access start above B", access, {{kBrkStart, "H'10000"}}, -2, kBrkStart, false},
        {"access start after end", access, {{kBrkStart, "H'900"}, {kBrkEnd, "H'8FF"}}, -2, kBrkEnd, false},
        {"data above B", data, {{kBrkAddress, "H'10000"}}, -2, kBrkAddress, false},
        {"data word at an odd address", data, {{kBrkAddress, "H'801"}}, 1, kBrkAddress, false},
        {"data long word above B - 3", data, {{kBrkAddress, "H'FFFE"}}, 2, kBrkAddress, false},
        {"data byte value 0x100", data, {{kBrkData, "H'100"}}, 0, kBrkData, false},
        {"data word value 0x10000", data, {{kBrkData, "H'10000"}}, 1, kBrkData, false},
        {"data no size", data, {}, -1, kBrkSize, false},
        {"data not a value", data, {{kBrkData, "zz"}}, 0, kBrkData, false},
        {"data double above B - 7", data, {{kBrkAddress, "H'FFFA"}, {kBrkData, "1.5"}}, 4, kBrkAddress, false},
        {"register without a name", reg, {}, 0, kBrkRegister, false},
        {"register no size", reg, {{kBrkRegister, "R0"}}, -1, kBrkSize, false},
        {"register byte value", reg, {{kBrkRegister, "R0"}, {kBrkData, "H'1FF"}}, 0, kBrkData, false},
        {"sequence first empty", sequence, {{kBrkSequence[0], ""}}, -2, kBrkSequence[0], false},
        {"sequence odd", sequence, {{kBrkSequence[1], "H'C001"}}, -2, kBrkSequence[1], false},
        {"sequence above A", sequence, {{kBrkSequence[1], "H'10000"}}, -2, kBrkSequence[1], false},
        {"cycle 0", cycle, {{kBrkCycle, "0"}}, -2, kBrkCycle, false},
        {"cycle times 0", cycle, {{kBrkTimesText, "0"}}, -2, kBrkTimesText, false},
        {"cycle times 65536", cycle, {{kBrkTimesText, "D'65536"}}, -2, kBrkTimesText, false},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.name);
        manager_->RemoveByGlobalIndex(-1, 1);
        if (refusal.setUp) {
            refusal.setUp(*manager_);
        }
        const std::size_t boxes = ui_.MessageBoxes().size();
        Run(refusal.setUp ? 0 : -1, [&](Script& sheet) {
            for (const auto& [id, text] : refusal.texts) {
                if (id == kBrkCount) {
                    sheet.Do([id = id, text = text](UiDialog& shown) { Preset(shown, id, text); });
                } else {
                    sheet.SetText(id, text);
                }
            }
            if (refusal.size >= -1) {
                sheet.Do([&](UiDialog& shown) {
                    SendMessageA(shown.Control(kBrkSize), CB_SETCURSEL, static_cast<WPARAM>(refusal.size), 0);
                });
            }
            sheet.Do([&](UiDialog&) {
                if (refusal.box) {
                    ui_.AnswerNextMessageBox(IDOK);
                }
            });
            ExpectRefusal(sheet, refusal.focus).PressCancel();
        });
        const auto shownBoxes = ui_.MessageBoxes();
        ASSERT_EQ(shownBoxes.size(), boxes + (refusal.box ? 1 : 0));
        if (refusal.box) {
            EXPECT_EQ(shownBoxes.back().text, "Invalid value or symbol: ");
            EXPECT_EQ(shownBoxes.back().type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
        }
    }
}

TEST_F(SetBreakSheet, AcceptedEntries) {
    // The PC count's field is never shown: an empty text counts 1, 16383 is
    // the most.
    for (const auto& [count, text] : {std::pair{"", "1"}, std::pair{"D'16383", "3FFF"}}) {
        manager_->RemoveByGlobalIndex(-1, 1);
        Run(-1, [&, count = count](Script& sheet) {
            sheet.Do([count](UiDialog& shown) { Preset(shown, kBrkCount, count); })
                .SetText(kBrkAddress, "H'C004")
                .PressOk();
        });
        ASSERT_EQ(HostBreaks().size(), 1u);
        EXPECT_EQ(HostBreaks()[0].text, text);
    }
    // An empty end takes the start.
    ASSERT_EQ(manager_->AddAccessBreak(0x800, 0x810, 0, nullptr), 1);
    Run(1, [](Script& sheet) { sheet.SetText(kBrkEnd, "").PressOk(); });
    const auto* range = static_cast<const CTBreakAccessContents*>(manager_->GetBreakAt(BreakKind::Access, 0));
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(range->GetLow(), 0x800u);
    EXPECT_EQ(range->GetHigh(), 0x800u);
    // A register break without a data text compares no value.
    ASSERT_EQ(manager_->AddRegisterBreak(2, 1, 4, 0, 0, nullptr), 1);
    Run(2, [](Script& sheet) {
        sheet.SetText(kBrkRegister, "R0").Select(kBrkSize, "Word").SetText(kBrkData, "").PressOk();
    });
    const auto* reg = static_cast<const CTBreakRegisterContents*>(manager_->GetBreakAt(BreakKind::Register, 0));
    ASSERT_NE(reg, nullptr);
    EXPECT_EQ(reg->GetRegisterNumber(), 0xFFFF) << "no typed name resolves";
    EXPECT_EQ(reg->GetCompareMode(), 2);
    EXPECT_EQ(reg->GetValueLow(), 0u);
    EXPECT_EQ(reg->GetSize(), 2);
    // "ALL" stores 0 whatever the times field holds.
    ASSERT_EQ(manager_->AddCycleBreak(100, 2, nullptr), 1);
    Run(3, [](Script& sheet) { sheet.SetText(kBrkTimesText, "zz").Pick(kBrkAll).PressOk(); });
    const auto* cycle = static_cast<const CTBreakCycleContents*>(manager_->GetBreakAt(BreakKind::Cycle, 0));
    ASSERT_NE(cycle, nullptr);
    EXPECT_EQ(cycle->GetPeriod(), 100u);
    EXPECT_EQ(cycle->GetCount(), 0u);
}

TEST_F(SetBreakSheet, AnEmptySequenceAddressDisablesTheOnesAfterIt) {
    ASSERT_EQ(manager_->AddSequenceBreak(2, {0xC000, 0xC004}, nullptr), 1);
    Run(0, [](Script& sheet) {
        sheet.Do([](UiDialog& shown) {
            EXPECT_TRUE(shown.IsEnabled(kBrkSequence[2]));
            EXPECT_FALSE(shown.IsEnabled(kBrkSequence[3]));
        });
        sheet.SetText(kBrkSequence[1], "").Do([](UiDialog& shown) {
            for (int step = 2; step < 8; ++step) {
                EXPECT_FALSE(shown.IsEnabled(kBrkSequence[step])) << step;
            }
        });
        sheet.SetText(kBrkSequence[1], "H'C010").SetText(kBrkSequence[2], "H'C004").Do([](UiDialog& shown) {
            EXPECT_FALSE(shown.Type(kBrkSequence[4], "1")) << "address 5 waits for address 4";
            EXPECT_TRUE(shown.IsEnabled(kBrkSequence[3]));
        });
        sheet.PressOk();
    });
    const auto* sequence = static_cast<const CTBreakSequenceContents*>(manager_->GetBreakAt(BreakKind::Sequence, 0));
    ASSERT_NE(sequence, nullptr);
    EXPECT_EQ(sequence->GetStepCount(), 3);
    EXPECT_EQ(sequence->GetAddresses(), (CTBreakSequenceContents::Addresses{0xC000, 0xC010, 0xC004}));
}

// --- presets of an edited break ---------------------------------------------

struct PresetCase {
    const char* name;
    std::function<void(CTBreakManager&)> make;
    std::vector<std::pair<int, const char*>> texts;
    int checked;  // the radio button that is checked, 0 for none
};

TEST_F(SetBreakSheet, AnEditedBreakPresetsItsTextsAndChoices) {
    testsupport::RoundingCfg flushing(1);
    const testsupport::CfgHandlerInTarget installed(&flushing);
    const float denormal = 1e-40f;
    const DWORD denormalBits = std::bit_cast<DWORD>(denormal);
    const auto doubleBits = std::bit_cast<std::uint64_t>(0.1);
    const auto upper = static_cast<DWORD>(doubleBits >> 32);
    const auto lower = static_cast<DWORD>(doubleBits);
    const auto data = [](DWORD low, WORD size, WORD mode, DWORD high) {
        return [=](CTBreakManager& m) { ASSERT_EQ(m.AddDataBreak(0x800, low, size, mode, high, nullptr), 1); };
    };
    const PresetCase cases[] = {
        {"pc", [](CTBreakManager& m) { ASSERT_EQ(m.AddPcBreak(0xC010, 5, Action(break_action::kInterrupt)), 1); },
         {{kBrkAddress, "H'0000C010"}, {kBrkCount, "D'5"}}, 0},
        {"access", [](CTBreakManager& m) { ASSERT_EQ(m.AddAccessBreak(0x810, 0x800, 2, nullptr), 1); },
         {{kBrkStart, "H'00000800"}, {kBrkEnd, "H'00000810"}, {kBrkAccessType, "Write"}}, 0},
        {"data quad word", data(5, 8, 0, 1),
         {{kBrkAddress, "H'00000800"}, {kBrkData, "H'100000005"}, {kBrkSize, "Single float"}}, kBrkEqual},
        {"data not equal", data(0xAB, 1, 1, 0), {{kBrkData, "H'AB"}, {kBrkSize, "Byte"}}, kBrkNotEqual},
        {"data float, the host's text", data(std::bit_cast<DWORD>(2.5f), 20, 0, 0),
         {{kBrkData, "2.5"}, {kBrkSize, "Single float"}}, kBrkEqual},
        {"data double, the host's text", data(upper, 24, 0, lower),
         {{kBrkData, "0.10000000000000001"}, {kBrkSize, "Double float"}}, kBrkEqual},
        {"register float", [&](CTBreakManager& m) { ASSERT_EQ(m.AddRegisterBreak(1, denormalBits, 20, 0, 0, nullptr), 1); },
         {{kBrkData, "9.9999461e-41"}, {kBrkRegister, ""}}, kBrkEqual},
        {"register no value", [](CTBreakManager& m) { ASSERT_EQ(m.AddRegisterBreak(1, 7, 2, 2, 0, nullptr), 1); },
         {{kBrkData, ""}}, kBrkEqual},
        {"sequence", [](CTBreakManager& m) { ASSERT_EQ(m.AddSequenceBreak(2, {0xC000, 0xC010}, nullptr), 1); },
         {{kBrkSequence[0], "H'0000C000"}, {kBrkSequence[1], "H'0000C010"}, {kBrkSequence[2], ""}}, 0},
        {"cycle times", [](CTBreakManager& m) { ASSERT_EQ(m.AddCycleBreak(0x64, 3, nullptr), 1); },
         {{kBrkCycle, "H'64"}, {kBrkTimesText, "D'3"}}, kBrkTimes},
        {"cycle all", [](CTBreakManager& m) { ASSERT_EQ(m.AddCycleBreak(0x1000, 0, nullptr), 1); },
         {{kBrkCycle, "H'1000"}, {kBrkTimesText, ""}}, kBrkAll},
    };
    for (const PresetCase& c : cases) {
        SCOPED_TRACE(c.name);
        manager_->RemoveByGlobalIndex(-1, 1);
        c.make(*manager_);
        Run(0, [&](Script& sheet) {
            sheet.Do([&](UiDialog& shown) {
                EXPECT_EQ(Items(shown.Control(kBreakTypeList)).size(), 1u) << "only the break's own kind";
                for (const auto& [id, text] : c.texts) {
                    EXPECT_EQ(shown.Text(id), text) << id;
                }
                if (c.checked != 0) {
                    EXPECT_EQ(shown.CheckState(c.checked), BST_CHECKED);
                }
            });
            sheet.PressCancel();
        });
    }
    // Without the host's evaluator the page prints the values itself, a
    // denormal flushed under "RM_ZERO".
    MuteFloatTexts mute(log_);
    host_.OfferService(IID_IHExpressionEvaluator, static_cast<IHExpressionEvaluator*>(&mute));
    const std::pair<DWORD, const char*> own[] = {{denormalBits, "+0.000000e+00"},
                                                  {std::bit_cast<DWORD>(-1.5f), "-1.500000e+00"}};
    for (const auto& [bits, text] : own) {
        manager_->RemoveByGlobalIndex(-1, 1);
        ASSERT_EQ(manager_->AddDataBreak(0x800, bits, 20, 0, 0, nullptr), 1);
        Run(0, [text = text](Script& sheet) {
            sheet.Do([text](UiDialog& shown) { EXPECT_EQ(shown.Text(kBrkData), text); }).PressCancel();
        });
    }
    manager_->RemoveByGlobalIndex(-1, 1);
    ASSERT_EQ(manager_->AddDataBreak(0x800, upper, 24, 0, lower, nullptr), 1);
    Run(0, [](Script& sheet) {
        sheet.Do([](UiDialog& shown) { EXPECT_EQ(shown.Text(kBrkData), "+1.00000000000000e-01"); }).PressCancel();
    });
}

// --- what OK makes of an edit -------------------------------------------------

TEST_F(SetBreakSheet, TheSecondAccessBreakAfterFivePcBreaksIsIndexSix) {
    FillPcBreaks(5);
    ASSERT_EQ(manager_->AddAccessBreak(0x800, 0x810, 0, nullptr), 1);
    ASSERT_EQ(manager_->AddAccessBreak(0x900, 0x9FF, 1, nullptr), 1);
    Run(6, [](Script& sheet) {
        sheet.Do([](UiDialog& shown) {
            EXPECT_EQ(Items(shown.Control(kBreakTypeList)), Texts{"Break Access"});
            EXPECT_EQ(shown.Text(kBrkStart), "H'00000900");
            EXPECT_EQ(shown.Text(kBrkEnd), "H'000009FF");
            EXPECT_EQ(shown.Text(kBrkAccessType), "Read");
        });
        sheet.SetText(kBrkEnd, "H'A00").PressOk();
    });
    const auto* range = static_cast<const CTBreakAccessContents*>(manager_->GetBreakAt(BreakKind::Access, 1));
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(range->GetLow(), 0x900u);
    EXPECT_EQ(range->GetHigh(), 0xA00u);
    EXPECT_EQ(range->GetAccessType(), 1);
    EXPECT_EQ(manager_->GetAccessCount(), 2u);
}

TEST_F(SetBreakSheet, AChangedCountReplacesAFileOutputBreakWithItsAction) {
    ASSERT_EQ(manager_->AddPcBreak(0xC010, 1, Action(break_action::kFileOutput)), 1);
    Run(0, [](Script& sheet) {
        sheet.Do([](UiDialog& shown) { Preset(shown, kBrkCount, "D'7"); }).PressOk();
    });
    ASSERT_EQ(manager_->GetPcCount(), 1u);
    const CTBreakPcContents* pc = manager_->GetPcBreakAt(0);
    EXPECT_EQ(pc->GetAddress(), 0xC010u);
    EXPECT_EQ(pc->GetPassCount(), 7u);
    EXPECT_TRUE(CTBreakManager::IsSameAction(*pc->GetAction(), Action(break_action::kFileOutput)));
    EXPECT_TRUE(HostBreaks().empty()) << "not a Stop break: the host is not asked";
}

TEST_F(SetBreakSheet, OkWithoutAChangeLeavesTheBreakAlone) {
    ASSERT_EQ(manager_->AddDataBreak(0x800, 0x12, 1, 1, 0, nullptr), 1);
    const CTBreakContents* before = manager_->GetBreakAt(BreakKind::Data, 0);
    manager_->InputFileNames() = {"a", "b", "c", "d", "e"};
    const int marks = services_.modifiedMarks;
    Run(0, [](Script& sheet) {
        sheet.Do([](UiDialog& shown) {
            EXPECT_EQ(shown.CheckState(kBrkNotEqual), BST_CHECKED);
            EXPECT_EQ(shown.CheckState(kBrkEqual), BST_UNCHECKED);
        });
        sheet.PressOk();
    });
    EXPECT_EQ(manager_->GetBreakAt(BreakKind::Data, 0), before);
    EXPECT_EQ(services_.modifiedMarks, marks);
    EXPECT_EQ(manager_->InputFileNames().size(), 5u) << "the lists are not written back";
}

TEST_F(SetBreakSheet, CancelChangesNothingAndOkKeepsFourFileNamesOfEachList) {
    ASSERT_EQ(manager_->AddDataBreak(0x800, 0x12, 1, 0, 0, nullptr), 1);
    const Texts six = {"1.dat", "2.dat", "3.dat", "4.dat", "5.dat", "6.dat"};
    manager_->InputFileNames() = six;
    manager_->OutputFileNames() = {"o.dat"};
    Run(0, [](Script& sheet) { sheet.SetText(kBrkAddress, "H'900").SetText(kBrkData, "H'34").PressCancel(); });
    EXPECT_EQ(manager_->InputFileNames(), six);
    EXPECT_EQ(static_cast<const CTBreakDataContents*>(manager_->GetBreakAt(BreakKind::Data, 0))->GetAddress(), 0x800u);
    Run(-1, [](Script& sheet) { sheet.SetText(kBrkAddress, "H'C000").PressOk(); });
    EXPECT_EQ(manager_->InputFileNames(), (Texts{"1.dat", "2.dat", "3.dat", "4.dat"}));
    EXPECT_EQ(manager_->OutputFileNames(), Texts{"o.dat"});
}

TEST_F(SetBreakSheet, ANameOfThreeAddressesMakesABreakAtEachThatHasRoom) {
    for (const DWORD address : {0xC000u, 0xC004u, 0xC010u}) {
        host_.Names().DefineName("spot", address);
    }
    Run(-1, [](Script& sheet) { sheet.SetText(kBrkAddress, "spot").PressOk(); });
    ASSERT_EQ(HostBreaks().size(), 3u);
    EXPECT_EQ(manager_->GetPcCount(), 3u);
    manager_->RemoveByGlobalIndex(-1, 1);
    FillPcBreaks(253);  // room for two
    Run(-1, [](Script& sheet) { sheet.SetText(kBrkAddress, "spot").PressOk(); });
    EXPECT_EQ(HostBreaks().size(), 2u);
    EXPECT_EQ(manager_->GetPcCount(), 255u);
}

// --- offered kinds ------------------------------------------------------------

TEST_F(SetBreakSheet, AFullPcListShowsTheNextKindAndFullListsOfferNone) {
    FillPcBreaks(255);
    Run(-1, [](Script& sheet) {
        sheet.Do([](UiDialog& shown) {
            EXPECT_EQ(Items(shown.Control(kBreakTypeList)),
                      (Texts{"Break Access", "Break Data", "Break Register", "Break Sequence", "Break Cycle"}))
                << "never the CFG kinds on this CPU";
            EXPECT_TRUE(shown.IsVisible(kBrkStart));
        });
        sheet.SetText(kBrkStart, "H'800").PressOk();
    });
    EXPECT_EQ(manager_->GetAccessCount(), 1u);
    ASSERT_EQ(manager_->AddAccessBreak(0x900, 0x900, 0, nullptr), 1);
    for (DWORD n = 0; n < 8; ++n) {
        ASSERT_EQ(manager_->AddDataBreak(0x800 + 2 * n, 0, 1, 0, 0, nullptr), 1);
        ASSERT_EQ(manager_->AddRegisterBreak(static_cast<WORD>(n), 0, 1, 0, 0, nullptr), 1);
    }
    ASSERT_EQ(manager_->AddSequenceBreak(1, {0xC000}, nullptr), 1);
    for (DWORD n = 1; n <= 255; ++n) {
        ASSERT_EQ(manager_->AddCycleBreak(n, 0, nullptr), 1);
    }
    const std::size_t total = Total();
    Run(-1, [this](Script& sheet) {
        sheet.Do([](UiDialog& shown) { EXPECT_TRUE(Items(shown.Control(kBreakTypeList)).empty()); });
        ExpectRefusal(sheet, 0);
        sheet.PressCancel();
    });
    EXPECT_EQ(Total(), total);
}

TEST_F(SetBreakSheet, TypesFiftyAndFiftyOneOfferTheCfgKindsAndTheQuadWord) {
    services_.cpuTypeCode = 50;
    FillPcBreaks(255);
    Run(-1, [](Script& sheet) {
        sheet.Do([](UiDialog& shown) {
            EXPECT_EQ(Items(shown.Control(kBreakTypeList)),
                      (Texts{"Break Access", "Break Data", "Break Register", "Break Sequence", "Break Cycle",
                             "Break CFG Access", "Break CFG Data"}));
        });
        sheet.PressCancel();
    });
    ASSERT_EQ(manager_->AddDataBreak(0x808, 5, 8, 0, 1, nullptr), 1);
    Run(255, [this](Script& sheet) {
        sheet.Do([](UiDialog& shown) {
            EXPECT_EQ(Items(shown.Control(kBrkSize)),
                      (Texts{"Byte", "Word", "Long word", "Quad word", "Single float", "Double float"}));
            EXPECT_EQ(shown.Text(kBrkSize), "Quad word");
            EXPECT_EQ(shown.Text(kBrkData), "H'100000005");
        });
        // A quad word keeps to multiples of 8 here; the value is read in 32 bits.
        ExpectRefusal(sheet.SetText(kBrkAddress, "H'804"), kBrkAddress);
        sheet.SetText(kBrkAddress, "H'810").PressOk();
    });
    const auto* data = static_cast<const CTBreakDataContents*>(manager_->GetBreakAt(BreakKind::Data, 0));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->GetAddress(), 0x810u);
    EXPECT_EQ(data->GetSize(), 8);
    EXPECT_EQ(data->GetValueLow(), 5u) << "H'100000005 cut to 32 bits";
    EXPECT_EQ(data->GetValueHigh(), 0u);
}

// --- the sheet ----------------------------------------------------------------

TEST_F(SetBreakSheet, NoHelpOrApplyButtonAndTheTitleBarsHelpButton) {
    Run(-1, [](Script& sheet) {
        sheet.Do([](UiDialog& shown) {
            EXPECT_TRUE(shown.IsSheet());
            EXPECT_EQ(shown.PageCount(), 1) << "the action page is not shown";
            EXPECT_EQ(shown.Control(IDHELP), nullptr);
            EXPECT_EQ(shown.Control(ID_APPLY_NOW), nullptr);
            EXPECT_NE(shown.Control(IDOK), nullptr);
            EXPECT_NE(GetWindowLongA(shown.Window(), GWL_EXSTYLE) & static_cast<LONG>(WS_EX_CONTEXTHELP), 0);
        });
        sheet.PressCancel();
    });
}

TEST_F(SetBreakSheet, HelpIsAPopUpFromTheModulesHelpFileWhenItIsThere) {
    testsupport::HelpFile file("breaks_tests");
    CWinApp* app = AfxGetApp();
    ASSERT_NE(app, nullptr);
    const LPSTR applicationHelp = app->m_pszHelpFilePath;
    Run(-1, [](Script& sheet) { sheet.Help(kBrkAddress).Help(IDOK).PressCancel(); });
    EXPECT_TRUE(ui_.HelpCalls().empty()) << "no help file";
    file.Create();
    Run(-1, [](Script& sheet) { sheet.Help(kBrkAddress).Help(IDOK).PressCancel(); });
    const auto calls = ui_.HelpCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].file, file.Path());
    EXPECT_EQ(calls[0].command, static_cast<UINT>(HELP_CONTEXTPOPUP));
    EXPECT_EQ(calls[0].data, 0x80000000u + (145u << 16) + 1002u);
    EXPECT_EQ(calls[1].data, 0x80000000u + (145u << 16) + static_cast<UINT>(IDOK)) << "the sheet's own button";
    EXPECT_EQ(app->m_pszHelpFilePath, applicationHelp) << "the help path was the module's for the call only";
}

// --- the action page ------------------------------------------------------------

TEST(ActionPage, PresetReadBackAndComparison) {
    const CSetBrk2 fresh;
    const BreakActionDesc stop = fresh.ReadBack();
    EXPECT_EQ(stop.type, break_action::kStop);
    EXPECT_EQ(fresh.countText, "D'1");
    EXPECT_EQ(fresh.priorityText, "H'0");
    EXPECT_EQ(fresh.fullActionList, 1);
    EXPECT_EQ(fresh.helpBase, 144u);
    EXPECT_EQ(fresh.host, nullptr);
    EXPECT_TRUE(CTBreakManager::IsSameAction(CTBreakActionStop(), stop));

    BreakActionDesc input = Action(break_action::kFileInput, "in.dat");
    input.dataSize = 4;
    input.count = 65536 + 4464;
    const CTBreakActionFileInput inputAction(input);
    CSetBrk2 page(nullptr);
    CTBreakManager::PresetActionPage(page, inputAction);
    EXPECT_EQ(page.sizeIndex, 2);
    EXPECT_EQ(page.countText, "D'70000");
    EXPECT_EQ(page.countValue, 4464u);
    EXPECT_EQ(page.addressText, "H'00000800");
    EXPECT_EQ(page.ReadBack().count, 4464u);
    EXPECT_FALSE(CTBreakManager::IsSameAction(inputAction, page.ReadBack())) << "the count lost its high bits";

    BreakActionDesc output = Action(break_action::kFileOutput);
    output.dataSize = 3;
    output.append = 1;
    const CTBreakActionFileOutput outputAction(output);
    CSetBrk2 outputPage(nullptr);
    CTBreakManager::PresetActionPage(outputPage, outputAction);
    EXPECT_EQ(outputPage.sizeIndex, 0);
    EXPECT_EQ(outputPage.append, 1);
    EXPECT_EQ(outputPage.ReadBack().dataSize, 1u);

    BreakActionDesc upper = Action(break_action::kFileInput, "IN.DAT");
    BreakActionDesc lower = Action(break_action::kFileInput, "in.dat");
    EXPECT_FALSE(CTBreakManager::IsSameAction(CTBreakActionFileInput(upper), lower)) << "names differ in case";
    EXPECT_TRUE(CTBreakManager::IsSameAction(CTBreakActionFileInput(lower), lower));
    BreakActionDesc appended = output;
    appended.append = 0;
    EXPECT_FALSE(CTBreakManager::IsSameAction(outputAction, appended));
    EXPECT_FALSE(CTBreakManager::IsSameAction(outputAction, Action(break_action::kStop)));

    BreakActionDesc interrupt = Action(break_action::kInterrupt);
    interrupt.interruptType1 = 10;
    interrupt.interruptType2 = 0;
    interrupt.priority = 3;
    const CTBreakActionInterrupt interruptAction(interrupt);
    CSetBrk2 interruptPage(nullptr);
    CTBreakManager::PresetActionPage(interruptPage, interruptAction);
    EXPECT_EQ(interruptPage.interruptType1Text, "H'A");
    EXPECT_EQ(interruptPage.interruptType2Text, "H'0");
    EXPECT_EQ(interruptPage.priorityText, "H'3");
    EXPECT_TRUE(CTBreakManager::IsSameAction(interruptAction, interruptPage.ReadBack()));
    interrupt.priority = 4;
    EXPECT_FALSE(CTBreakManager::IsSameAction(interruptAction, interrupt));
}

}  // namespace
