// The "Event" columns on the real road: the simulated host's source and
// disassembly views with the plug-in's columns, clicks into them, the
// channel menu answered by the UI script, and the host's go stopping at the
// conditions the columns placed. The demo device (two channels) has no event
// function; its EVENTS group has it and gets the event columns.
//
// The demo: C000 JSR.A C010 (line 12); C004 NOP; C005 NOP (13); C006 JMP.B
// C000 (14); C010 NOP; C011 NOP (5); C012 RTS (6), all in Vk3Demo.c.
#include "tests/road/break_condition_road_fixture.h"

#include "events/event_column_wnd.h"
#include "events/target_event_vk3.h"
#include "events/view_column_base.h"
#include "platform/host/view_column_interfaces.h"
#include "sim/host/break_list_window.h"

#include <algorithm>

namespace {

using namespace roadtest;
using simhost::ColumnRecord;
using simhost::HostViewColumnService;

constexpr char kSource[] = "C:\\Vk3Demo\\Vk3Demo.c";
constexpr char kDisassembly[] = "Disassembly View";
constexpr DWORD kToggle = 0x2;
constexpr DWORD kContext = 0x4;
// The source and disassembly services give a column's glyphs the cookies
// from 4 on: glyph 1 has cookie 4, glyph 2 cookie 5.
constexpr DWORD kCookieOfGlyph1 = 4;

// A menu item as the script saw it: its text with "(gray)" and "(check)".
std::string Shown(const platform::MenuItemView& item) {
    return item.text + (item.grayed ? " (gray)" : "") + (item.checked ? " (check)" : "");
}

// The channel sub-menus of a channel menu, each with its items.
std::vector<std::string> Shown(const platform::MenuRequest& menu) {
    std::vector<std::string> lines;
    for (const platform::MenuItemView& channel : menu.items) {
        std::string line = Shown(channel) + ":";
        for (const platform::MenuItemView& item : channel.items) {
            line += " " + Shown(item) + ",";
        }
        line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

class ViewColumnRoad : public BreakConditionRoad {
protected:
    HostViewColumnService& Source() { return host_->Services().SourceColumns(); }
    HostViewColumnService& Asm() { return host_->Services().AsmColumns(); }
    CViewColumnBase& Columns() { return *target_->GetEventColumns(); }
    LONG SourceId() { return Columns().SourceColumnId(); }
    LONG AsmId() { return Columns().AsmColumnId(); }
    void OpenViews() {
        Source().OpenView(kSource);
        Asm().OpenView(kDisassembly);
    }
    // The host's break list names its kinds, as when it opens.
    void OpenBreakList() { ASSERT_EQ(simhost::BreakListWindow(host_->Services()).Header(), "Breakpoint\tBreakcondition"); }
    std::vector<DWORD> SourceGlyphs(DWORD line) { return Source().Marks(SourceId(), kSource, line).glyphs; }
    std::vector<DWORD> AsmGlyphs(DWORD address) { return Asm().Marks(AsmId(), kDisassembly, address).glyphs; }
    // A context click on a source line with the menu answered by command
    // (0 dismisses it): the menu shown.
    std::vector<std::string> ContextMenu(DWORD line, UINT command = 0) {
        ui_.ChooseNextMenuItem(command);
        const std::size_t before = ui_.Menus().size();
        EXPECT_EQ(Source().Click(SourceId(), kSource, line, kContext), 0);
        // The chosen command reaches the window through the host's message loop.
        platform::ProcessWaitingMessages();
        const auto menus = ui_.Menus();
        return menus.size() > before ? Shown(menus.back()) : std::vector<std::string>{};
    }
    IHTMemoryServer4* MemoryServer() {
        for (const simhost::InterfaceRegistration& registration : host_->Services().Registrations()) {
            if (registration.server && IsEqualIID(registration.iid, IID_IHTMemoryServer4)) {
                return static_cast<IHTMemoryServer4*>(registration.object);
            }
        }
        return nullptr;
    }
};

TEST_F(ViewColumnRoad, BothColumnsAreRegisteredAndAddedToTheOpenedViews) {
    const auto source = Source().Column(SourceId());
    const auto disassembly = Asm().Column(AsmId());
    ASSERT_TRUE(source.has_value());
    ASSERT_TRUE(disassembly.has_value());
    for (const auto& [column, value8, value12] :
         {std::tuple{*source, 2, 1u}, std::tuple{*disassembly, -1, 0u}}) {
        EXPECT_EQ(column.key, "");
        EXPECT_EQ(column.kind, 0u);
        EXPECT_EQ(column.flag, 1u);
        EXPECT_EQ(column.title, "Event");
        EXPECT_EQ(column.glyphCount, 8u);
        EXPECT_EQ(column.value8, value8);
        EXPECT_EQ(column.value9, 20u);
        EXPECT_EQ(column.value10, 1u);
        EXPECT_EQ(column.value11, 16u);
        EXPECT_EQ(column.value12, value12);
        EXPECT_TRUE(IsEqualIID(column.iid, IID_IHViewColumn));
        EXPECT_TRUE(column.active);
        // Every glyph was asked for: 16 by 16 pixels of 4 bits.
        EXPECT_EQ(column.glyphBytes, std::vector<DWORD>(8, 128));
    }
    EXPECT_EQ(Columns().GlyphCookie(1), kCookieOfGlyph1);
    EXPECT_EQ(Columns().GlyphCookie(2), kCookieOfGlyph1 + 1);

    OpenViews();
    EXPECT_EQ(Source().Column(SourceId())->views, std::vector<std::string>{"c:\\vk3demo\\vk3demo.c"});
    EXPECT_EQ(Asm().Column(AsmId())->views, std::vector<std::string>{"disassembly view"});
    Asm().CloseView(kDisassembly);
    EXPECT_TRUE(Asm().Column(AsmId())->views.empty());
}

TEST_F(ViewColumnRoad, TheChannelMenuWindowIsAHiddenChildOfTheHostsMainWindowUntilTeardown) {
    ASSERT_NE(Columns().Window(), nullptr);
    const HWND window = Columns().Window()->GetSafeHwnd();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), AfxGetMainWnd()->GetSafeHwnd());
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_CHILD | WS_VISIBLE), static_cast<LONG>(WS_CHILD));
    const LONG sourceId = SourceId();
    const LONG asmId = AsmId();
    EXPECT_EQ(host_->EndTargetSession(), S_OK);
    target_ = nullptr;
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(Source().Column(sourceId).has_value()) << "withdrawn";
    EXPECT_FALSE(Asm().Column(asmId).has_value());
}

TEST_F(ViewColumnRoad, AToggleInTheDisassemblyColumnPlacesTheConditionThatStopsTheGo) {
    OpenViews();
    EXPECT_EQ(Asm().Click(AsmId(), kDisassembly, 0xC010, kToggle), E_FAIL);
    EXPECT_EQ(Echoes(), Lines{"breakcondition_set channel 1 address 0xC010 pcbefore"});
    EXPECT_EQ(std::string(set_->DisplayText(0)), "Address=H'0000c010(Vk3Demo.c/5) pcbefore ");
    EXPECT_EQ(Asm().Marks(AsmId(), kDisassembly, 0xC010).mask, 1u << kCookieOfGlyph1);
    EXPECT_EQ(AsmGlyphs(0xC010), std::vector<DWORD>{1});
    EXPECT_EQ(SourceGlyphs(5), std::vector<DWORD>{1});
    EXPECT_EQ(Asm().Marks(AsmId(), kDisassembly, 0xC012).result, S_FALSE);
    const auto refreshes = Asm().Refreshes();
    EXPECT_NE(std::find(refreshes.begin(), refreshes.end(), "disassembly view " + std::to_string(AsmId()) + " C010 C010"),
              refreshes.end());

    EXPECT_EQ(Go(), "BREAK CONDITION 1");
    EXPECT_EQ(Status().pc, 0xC010u);

    EXPECT_EQ(set_->EnableChannel(0, 0), 1u);
    EXPECT_EQ(SourceGlyphs(5), std::vector<DWORD>{2}) << "a disabled channel shows the ring";

    EXPECT_EQ(Asm().Click(AsmId(), kDisassembly, 0xC010, kToggle), E_FAIL);
    EXPECT_EQ(std::string(set_->DisplayText(0)), "None");
    EXPECT_EQ(Asm().Marks(AsmId(), kDisassembly, 0xC010).result, S_FALSE);
    AtStart();
    EXPECT_EQ(Go(), "BREAK KEY");
    EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(ViewColumnRoad, TheContextMenuOffersTheLinesOwnChannelOrAddInTheFreeOnes) {
    OpenViews();
    EXPECT_EQ(ContextMenu(5), (Lines{"&BC 1 (gray): &Add, &Edit ... (gray), &Remove (gray)",
                                     "B&C 2 (gray): &Add, &Edit ... (gray), &Remove (gray)"}))
        << "until the host's break list names its kinds, every channel is grayed";
    OpenBreakList();
    EXPECT_EQ(Source().Click(SourceId(), kSource, 5, kToggle), 0);
    EXPECT_EQ(Echoes(), Lines{"breakcondition_set channel 1 address 0xC010 pcbefore"});
    EXPECT_EQ(SourceGlyphs(5), std::vector<DWORD>{1});
    EXPECT_EQ(ContextMenu(5), (Lines{"&BC 1 (check): &Add (gray), &Edit ..., &Remove",
                                     "B&C 2 (gray): &Add, &Edit ... (gray), &Remove (gray)"}));
    EXPECT_EQ(ContextMenu(6), (Lines{"&BC 1 (gray): &Add, &Edit ... (gray), &Remove (gray)",
                                     "B&C 2: &Add, &Edit ... (gray), &Remove (gray)"}));

    // "&Add" in channel 2 on line 6, "&Remove" of channel 1 on line 5.
    EXPECT_TRUE(ContextMenu(6, res_id::kCmdChannelAdd[1]).size() == 2);
    EXPECT_EQ(SourceGlyphs(6), std::vector<DWORD>{1});
    EXPECT_EQ(ContextMenu(5, res_id::kCmdChannelRemove[0]).size(), 2u);
    EXPECT_EQ(Source().Marks(SourceId(), kSource, 5).result, S_FALSE);
    EXPECT_EQ(std::string(set_->DisplayText(0)), "None");
    EXPECT_EQ(Go(), "BREAK CONDITION 2");
    EXPECT_EQ(Status().pc, 0xC012u);

    // "&Edit ..." opens the channel's sheet.
    ui_.OnDialog(res_id::kSetBcAddressPage).SetText(res_id::kBcAddress, "").Type(res_id::kBcAddress, "C004").PressOk();
    ContextMenu(6, res_id::kCmdChannelEdit[1]);
    EXPECT_EQ(ui_.PendingDialogScripts(), 0u);
    EXPECT_EQ(SourceGlyphs(13), std::vector<DWORD>{1});
}

// The menu's 24 commands: each reaches the event handler with its own
// channel. "&Edit ..." opens channel n's sheet; "&Add" and "&Remove" work on
// the demo's two channels.
TEST_F(ViewColumnRoad, EachMenuCommandCarriesItsChannel) {
    OpenViews();
    OpenBreakList();
    ContextMenu(6);  // the menu's line: C012
    const HWND window = Columns().Window()->GetSafeHwnd();
    for (int n = 0; n < 8; ++n) {
        ui_.OnDialog("Break condition " + std::to_string(n + 1)).PressCancel();
        SendMessageA(window, WM_COMMAND, res_id::kCmdChannelEdit[n], 0);
    }
    EXPECT_EQ(ui_.PendingDialogScripts(), 0u);
    for (int n = 0; n < 2; ++n) {
        SendMessageA(window, WM_COMMAND, res_id::kCmdChannelAdd[n], 0);
        EXPECT_EQ(std::string(set_->DisplayText(static_cast<DWORD>(n))), "Address=H'0000c012(Vk3Demo.c/6) pcbefore ")
            << n;
        SendMessageA(window, WM_COMMAND, res_id::kCmdChannelRemove[n], 0);
        EXPECT_EQ(std::string(set_->DisplayText(static_cast<DWORD>(n))), "None") << n;
    }
}

TEST_F(ViewColumnRoad, AContextClickOnALineWithoutCodeOnlyRepaintsIt) {
    OpenViews();
    OpenBreakList();
    EXPECT_EQ(Source().Click(SourceId(), kSource, 40, kContext), 0);
    EXPECT_TRUE(ui_.Menus().empty());
    const auto refreshes = Source().Refreshes();
    ASSERT_FALSE(refreshes.empty());
    EXPECT_EQ(refreshes.back(), "c:\\vk3demo\\vk3demo.c " + std::to_string(SourceId()) + " 28 28");
}

TEST_F(ViewColumnRoad, BothFlagsOpenTheMenuInASourceViewAndToggleInTheDisassembly) {
    OpenViews();
    OpenBreakList();
    ui_.ChooseNextMenuItem(0);
    EXPECT_EQ(Source().Click(SourceId(), kSource, 5, kToggle | kContext), 0);
    EXPECT_EQ(ui_.Menus().size(), 1u);
    EXPECT_EQ(std::string(set_->DisplayText(0)), "None");
    EXPECT_EQ(Asm().Click(AsmId(), kDisassembly, 0xC010, kToggle | kContext), E_FAIL);
    EXPECT_EQ(ui_.Menus().size(), 1u);
    EXPECT_EQ(AsmGlyphs(0xC010), std::vector<DWORD>{1});
}

TEST_F(ViewColumnRoad, AfterADownloadTheEnabledChannelsStillStopTheGoAndKeepTheirMarks) {
    OpenViews();
    ASSERT_EQ(Source().Click(SourceId(), kSource, 5, kToggle), 0);
    ASSERT_EQ(Source().Click(SourceId(), kSource, 6, kToggle), 0);
    ASSERT_EQ(set_->EnableChannel(1, 0), 1u);
    const DWORD disabledEntry = Columns().HasEntryForChannel(1);
    host_->Services().Output().ClearLines();
    IHTMemoryServer4* memory = MemoryServer();
    ASSERT_NE(memory, nullptr);
    ASSERT_EQ(memory->OnDownload(0xFFFF), S_OK);
    ASSERT_EQ(memory->OnDownload(0), S_OK);
    EXPECT_EQ(Echoes(), Lines{"breakcondition_set channel 1 address 0xC010 pcbefore"}) << "the enabled one is sent again";
    EXPECT_EQ(SourceGlyphs(5), std::vector<DWORD>{1});
    EXPECT_EQ(SourceGlyphs(6), std::vector<DWORD>{2}) << "the disabled one stays as it was";
    ASSERT_EQ(Columns().Entries().size(), 2u);
    EXPECT_EQ(Columns().HasEntryForChannel(0), 1u);
    EXPECT_EQ(Columns().HasEntryForChannel(1), disabledEntry);
    EXPECT_EQ(Go(), "BREAK CONDITION 1");
}

// A host that never asked for the glyphs, or gave cookies beyond a mask's 32
// bits: the line has its mark, but shows no glyph rather than another one.
TEST_F(ViewColumnRoad, GlyphCookiesOutsideTheMaskShowNothing) {
    OpenViews();
    ASSERT_EQ(Asm().Click(AsmId(), kDisassembly, 0xC010, kToggle), E_FAIL);
    struct Case {
        DWORD cookie;
        DWORD mask;
    };
    for (const Case& c : {Case{0, 1u}, Case{31, 0x80000000u}, Case{32, 0}, Case{0xFFFFFFFF, 0}, Case{40, 0}}) {
        VARIANT bits{};
        VARIANT mask{};
        DWORD bytes = 0;
        ASSERT_EQ(Columns().GetGlyph(1, c.cookie, 0, &bits, &mask, &bytes), S_OK);
        VariantClear(&bits);
        VariantClear(&mask);
        DWORD shown = 0xDEAD;
        EXPECT_EQ(Columns().GetLineGlyphs(&shown, kDisassembly, 0, 0xC010), S_OK) << c.cookie;
        EXPECT_EQ(shown, c.mask) << c.cookie;
    }
}

// The glyph matrix: each index's image and the common mask.
TEST_F(ViewColumnRoad, GlyphsByIndexAndKind) {
    struct Case {
        DWORD index;
        DWORD kind;
        HRESULT result;
        DWORD bytes;
    };
    for (const Case& c : {Case{0, 0, S_OK, 0}, Case{1, 0, S_OK, 128}, Case{2, 0, S_OK, 128}, Case{8, 0, S_OK, 128},
                          Case{9, 0, E_FAIL, 0}, Case{1, 3, E_FAIL, 77}}) {
        VARIANT bits{};
        VARIANT mask{};
        DWORD bytes = 77;
        EXPECT_EQ(Columns().GetGlyph(c.index, 4, c.kind, &bits, &mask, &bytes), c.result) << c.index;
        EXPECT_EQ(bytes, c.bytes) << c.index;
        if (c.result == S_OK) {
            EXPECT_EQ(mask.vt, VT_ARRAY | VT_UI1);
        }
        VariantClear(&bits);
        VariantClear(&mask);
    }
    DWORD shown = 5;
    EXPECT_EQ(Columns().GetLineGlyphs(&shown, kDisassembly, 3, 0xC010), S_FALSE) << "another kind";
    EXPECT_EQ(shown, 0u);
}

// The device with the hardware break: four channels, menu 3082.
class HwBreakColumnRoad : public ViewColumnRoad {
protected:
    const char* Group() const override { return "LinkTestFiles\\HWBRK"; }
};

TEST_F(HwBreakColumnRoad, FourChannelsInTheMenuAndTheEntries) {
    EXPECT_EQ(Columns().GetChannelCount(), 4u);
    EXPECT_EQ(Columns().Entries().size(), 4u);
    OpenViews();
    OpenBreakList();
    ASSERT_EQ(target_->GetEventHandler()->SetChannelCondition(2, 0xC012, 0xC012), S_OK);
    EXPECT_EQ(SourceGlyphs(6), std::vector<DWORD>{1});
    EXPECT_EQ(ContextMenu(6), (Lines{"BC &1 (gray): &Add, &Edit ... (gray), &Remove (gray)",
                                     "BC &2 (gray): &Add, &Edit ... (gray), &Remove (gray)",
                                     "BC &3 (check): &Add (gray), &Edit ..., &Remove",
                                     "BC &4 (gray): &Add, &Edit ... (gray), &Remove (gray)"}));
    EXPECT_EQ(ContextMenu(13), (Lines{"BC &1: &Add, &Edit ... (gray), &Remove (gray)",
                                      "BC &2: &Add, &Edit ... (gray), &Remove (gray)",
                                      "BC &3 (gray): &Add, &Edit ... (gray), &Remove (gray)",
                                      "BC &4: &Add, &Edit ... (gray), &Remove (gray)"}));
    ContextMenu(13, res_id::kCmdChannelAdd[3]);
    EXPECT_EQ(std::string(set_->DisplayText(3)), "Address=H'0000c004(Vk3Demo.c/13) pcbefore ");
    EXPECT_EQ(SourceGlyphs(13), std::vector<DWORD>{1});
    EXPECT_EQ(Go(), "BREAK CONDITION 3") << "the subroutine's return comes first";
}

// A protocol-type-1 device whose file counts eight channels: the column has
// two entries, and a condition in a channel beyond them takes none.
class ManyChannelsColumnRoad : public ViewColumnRoad {
protected:
    const char* Group() const override { return "LinkTestFiles\\MANYBC"; }
};

TEST_F(ManyChannelsColumnRoad, AChannelBeyondTheEntriesTakesNoEntry) {
    EXPECT_EQ(Columns().GetChannelCount(), 2u);
    ASSERT_EQ(Columns().Entries().size(), 2u);
    OpenViews();
    ui_.OnDialog(res_id::kSetBcAddressPage)
        .Check(res_id::kBcAddressDontCare, false)
        .SetText(res_id::kBcAddress, "")
        .Type(res_id::kBcAddress, "C012")
        .PressOk();
    set_->EditChannel(4, 1);
    EXPECT_EQ(std::string(set_->DisplayText(4)), "Address=H'0000c012(Vk3Demo.c/6) pcbefore ");
    EXPECT_EQ(Columns().Entries().size(), 2u);
    EXPECT_EQ(Columns().HasEntryForChannel(4), 0u);
    EXPECT_EQ(SourceGlyphs(6), std::vector<DWORD>{}) << "channel 5 is not one the column shows on this device";
    set_->ClearChannel(4, 1);
    EXPECT_EQ(std::string(set_->DisplayText(4)), "None") << "the device has the fifth channel";
}

// The event function's columns on the EVENTS group (two channels).
class EventColumnRoad : public ViewColumnRoad {
protected:
    const char* Group() const override { return "LinkTestFiles\\EVENTS"; }
    HostViewColumnService& Events() { return host_->Services().EventColumns(); }
    ColumnRecord Titled(const char* title) {
        const auto column = Events().ColumnTitled(title);
        EXPECT_TRUE(column.has_value()) << title;
        return column.value_or(ColumnRecord{});
    }
    LONG SourceColumnId() { return Titled("Event").id; }
    LONG AsmColumnId() { return Titled("Event - ASM").id; }
    void OpenEventViews() {
        Events().OpenView(kSource, [](const ColumnRecord& column) { return column.value12 == 2; });
        Events().OpenView("", [](const ColumnRecord& column) { return column.value12 == 12; });
    }
    std::vector<std::string> Reported() { return host_->Services().ReportedErrors(); }
};

TEST_F(EventColumnRoad, TheTwoEventColumnsAreRegisteredWithTheirKeys) {
    EXPECT_TRUE(Source().Columns().empty()) << "the owner itself is not registered";
    const ColumnRecord source = Titled("Event");
    const ColumnRecord disassembly = Titled("Event - ASM");
    for (const auto& [column, key, twelfth] :
         {std::tuple{source, "EventColumnKey", 2u}, std::tuple{disassembly, "EventColumnKeyDis", 12u}}) {
        EXPECT_EQ(column.key, key);
        EXPECT_EQ(column.kind, 0u);
        EXPECT_EQ(column.flag, 1u);
        EXPECT_EQ(column.glyphCount, 2u);
        EXPECT_EQ(column.value8, -1);
        EXPECT_EQ(column.value9, 20u);
        EXPECT_EQ(column.value10, 16u);
        EXPECT_EQ(column.value11, 16u);
        EXPECT_EQ(column.value12, twelfth);
        EXPECT_TRUE(column.active);
    }
    OpenEventViews();
    EXPECT_EQ(Events().Column(AsmColumnId())->views, std::vector<std::string>{"disassembly"});
    EXPECT_EQ(Events().Column(SourceColumnId())->views, std::vector<std::string>{"c:\\vk3demo\\vk3demo.c"});
    const LONG sourceId = SourceColumnId();
    const std::size_t receivers = host_->Services().EventReceivers().size();
    EXPECT_EQ(Columns().Destroy(), 1);
    EXPECT_EQ(Columns().Destroy(), 1) << "nothing left to delete";
    EXPECT_FALSE(Events().Column(sourceId).has_value());
    EXPECT_EQ(host_->Services().EventReceivers().size(), receivers - 2) << "both columns withdrew from the events";
}

TEST_F(EventColumnRoad, SourceFilesOfTheSameNameShareTheirMarks) {
    OpenEventViews();
    ASSERT_EQ(Events().Click(SourceColumnId(), kSource, 5, kToggle), 0);
    EXPECT_EQ(Events().Marks(SourceColumnId(), "D:\\Other\\VK3DEMO.C", 5).mask, 1u);
    EXPECT_EQ(Events().Marks(SourceColumnId(), "D:\\Other\\Vk3Demo.h", 5).result, S_FALSE);
    // A channel set elsewhere (the event handler's entry point): the column
    // rebuilds its marks at the event.
    ASSERT_EQ(target_->GetEventHandler()->SetChannelCondition(1, 0xC012, 0xC012), S_OK);
    EXPECT_EQ(Events().Marks(SourceColumnId(), kSource, 6).mask, 1u);
}

TEST_F(EventColumnRoad, AClickSetsTheLowestFreeChannelAndTheGoStopsThere) {
    OpenEventViews();
    EXPECT_EQ(Events().Click(SourceColumnId(), kSource, 6, kToggle), 0);
    EXPECT_EQ(Events().Marks(SourceColumnId(), kSource, 6).mask, 1u);
    EXPECT_EQ(Events().Marks(AsmColumnId(), "disassembly", 0xC012).mask, 1u);
    EXPECT_EQ(Events().Click(AsmColumnId(), "", 0xC010, kToggle), 0);
    EXPECT_EQ(Events().Marks(SourceColumnId(), kSource, 5).mask, 1u) << "the source column followed the event";
    EXPECT_EQ(Go(), "BREAK CONDITION 2");
    EXPECT_EQ(Status().pc, 0xC010u);

    // Full: nothing changes.
    EXPECT_EQ(Events().Click(SourceColumnId(), kSource, 13, kToggle), 1);
    EXPECT_EQ(Reported().back(), "Too many event points.");
    EXPECT_EQ(Events().Marks(SourceColumnId(), kSource, 13).result, S_FALSE);
    EXPECT_EQ(Events().Marks(SourceColumnId(), kSource, 6).mask, 1u);

    // A second click clears the channel; the freed one takes the next.
    EXPECT_EQ(Events().Click(SourceColumnId(), kSource, 6, kToggle), 0);
    EXPECT_EQ(Events().Marks(SourceColumnId(), kSource, 6).result, S_FALSE);
    host_->Services().AddressRange().SetRange(std::pair<DWORD, DWORD>{0xC000, 0xC00F});
    EXPECT_EQ(Events().Click(AsmColumnId(), "", 0xC012, kToggle), 1);
    EXPECT_EQ(Reported().back(), "Invalid event address.");
    EXPECT_EQ(Events().Marks(AsmColumnId(), "", 0xC012).result, S_FALSE);
    EXPECT_EQ(Events().Marks(SourceColumnId(), kSource, 5).mask, 1u);
    AtStart();
    EXPECT_EQ(Go(), "BREAK CONDITION 2");
}

// Each click that sets or clears a channel marks the session modified; a
// refused one does not.
TEST_F(EventColumnRoad, AClickThatChangesAChannelMarksTheSessionModified) {
    const auto modified = [this] {
        DWORD flag = 7;
        EXPECT_EQ(target_->GetModified(nullptr, nullptr, nullptr, &flag), S_OK);
        return flag;
    };
    OpenEventViews();
    struct Case {
        LONG column;
        const char* view;
        DWORD line;
        HRESULT result;
        DWORD modified;
    };
    const Case cases[] = {
        {SourceColumnId(), kSource, 6, 0, 1},    // sets channel 1
        {AsmColumnId(), "", 0xC010, 0, 1},       // sets channel 2
        {SourceColumnId(), kSource, 13, 1, 0},   // no free channel
        {AsmColumnId(), "", 0xC012, 0, 1},       // clears channel 1
        {SourceColumnId(), kSource, 5, 0, 1},    // clears channel 2
    };
    for (const Case& c : cases) {
        host_->SaveSession("ws", "proj", "sess");
        ASSERT_EQ(modified(), 0u);
        EXPECT_EQ(Events().Click(c.column, c.view, c.line, kToggle), c.result) << c.line;
        EXPECT_EQ(modified(), c.modified) << c.line;
    }
}

// The click matrix of the event columns: only the toggle flag acts.
TEST_F(EventColumnRoad, OnlyTheToggleFlagActsInTheEventColumns) {
    OpenEventViews();
    struct Case {
        DWORD flags;
        DWORD kind;
        bool sets;
    };
    for (const Case& c : {Case{0, 0, false}, Case{kContext, 0, false}, Case{kToggle, 1, false},
                          Case{kToggle | kContext, 0, true}}) {
        const std::size_t menus = ui_.Menus().size();
        const auto column = Events().Column(AsmColumnId());
        ASSERT_TRUE(column.has_value());
        EXPECT_EQ(column->column->OnColumnClick("", c.kind, c.flags, 0xC010, 0, 1, 1), 0);
        EXPECT_EQ(ui_.Menus().size(), menus) << "no menu in these columns";
        EXPECT_EQ(Events().Marks(AsmColumnId(), "", 0xC010).result == S_OK, c.sets) << c.flags;
    }
    // A source line without code: its mark goes, nothing else.
    EXPECT_EQ(Events().Click(SourceColumnId(), kSource, 40, kToggle), 0);
}

TEST_F(EventColumnRoad, GlyphsOfTheEventColumns) {
    const auto column = Events().Column(SourceColumnId());
    ASSERT_TRUE(column.has_value());
    EXPECT_EQ(column->glyphBytes, (std::vector<DWORD>{128, 128}));
    VARIANT bits{};
    VARIANT mask{};
    DWORD bytes = 9;
    EXPECT_EQ(column->column->GetGlyph(3, 0, 0, &bits, &mask, &bytes), E_FAIL);
    EXPECT_EQ(bytes, 0u);
    bytes = 9;
    EXPECT_EQ(column->column->GetGlyph(1, 0, 7, &bits, &mask, &bytes), S_OK) << "another kind";
    EXPECT_EQ(bytes, 9u);
    EXPECT_EQ(bits.vt, VT_EMPTY);
}

}  // namespace
