// The event engine over the real link and the simulated emulator: its
// register map (defaults, the device file's "SWTI" section and device
// section, the firmware information file), the commands its operations
// send, the trace it reads back, its failures, and its texts.
#include "events/event_engine.h"

#include "events/event_editor_rules.h"

#include "tests/link/link_fixture.h"

#include "platform/host/ids.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace eventtest {
namespace {

using linktest::Bytes;
using Lines = std::vector<std::string>;

constexpr DWORD kTraceAreaBase = 0xF000;  // the demo device's ASE1 area

class EventEngine : public linktest::LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        StartFirmware();
    }

    static std::string File(const std::string& name) { return testing_support::ProgramFolder() + name; }
    std::unique_ptr<CEventEngine> Make(const std::string& file, IHostServiceProvider* host = nullptr) {
        return std::make_unique<CEventEngine>(File(file).c_str(), "VK31D16", kTraceAreaBase, host);
    }
    // An engine attached to the link; the log starts after its attach.
    std::unique_ptr<CEventEngine> Attached(const std::string& file) {
        auto engine = Make(file);
        EXPECT_EQ(engine->Attach(&Link()), S_OK);
        ClearFrames();
        return engine;
    }

    // count two-byte jumps from C000, each to the next instruction (a branch
    // and a destination record each), then the break byte: the program stops
    // by itself with a known trace.
    void RunJumps(int count) {
        Bytes program;
        for (int i = 0; i < count; ++i) {
            program.insert(program.end(), {0xFE, 0x01});
        }
        program.push_back(0x00);
        Control().writeTarget(0xC000, program.data(), static_cast<DWORD>(program.size()));
        std::vector<DWORD> registers(20, 0);
        registers[14] = 0xC000;
        registers[17] = 0x0A00;
        Control().setRegisters(registers.data());
        Bytes go = emutest::GoRequest(0);
        ASSERT_EQ(Link().MonitorSend(go), 0u);
        for (int i = 0; i < 100 && Status().running != 0; ++i) {
            Control().getFrameCount();  // a driver call lets the program run on
        }
        ASSERT_EQ(Status().running, 0u);
    }
    // The branch addresses of the records, as "B:C000" or "D:C002".
    static Lines Branches(const std::vector<CEventTraceRecord>& records) {
        Lines lines;
        for (const CEventTraceRecord& record : records) {
            char text[16];
            std::snprintf(text, sizeof(text), "%c:%04X", record.branchSide == 1 ? 'B' : 'D',
                          static_cast<unsigned>(record.value));
            lines.push_back(text);
        }
        return lines;
    }
    static Lines JumpRecords(int first, int last) {
        Lines lines;
        for (int i = first; i <= last; ++i) {
            const unsigned address = 0xC000 + 2 * static_cast<unsigned>(i / 2);
            char text[16];
            std::snprintf(text, sizeof(text), "%c:%04X", i % 2 == 0 ? 'B' : 'D', address + (i % 2 == 0 ? 0 : 2));
            lines.push_back(text);
        }
        return lines;
    }
};

TEST_F(EventEngine, TheRegisterMapFromDefaultsOverridesAndTheFirmwareInformationFile) {
    const EventRegisterMap demo = Make("VK31X.cnf")->GetRegisterMap();
    EXPECT_EQ(demo.base, 0xD060u);
    EXPECT_EQ(demo.dcrData, 0x18);
    EXPECT_EQ(demo.dcrCommand, 0x1A);
    const BYTE lows[8] = {0, 4, 8, 12, 0, 4, 8, 12};
    for (std::size_t n = 0; n < 8; ++n) {
        const AddressInterruptRegisters& channel = demo.interrupts[n];
        const BYTE high = n < 4 ? lows[n] + 2 : lows[n] + 1;
        EXPECT_EQ((std::array<DWORD, 4>{channel.low, channel.high, channel.enable, channel.space}),
                  (std::array<DWORD, 4>{lows[n], high, static_cast<DWORD>(high + 1), n < 4 ? 0u : 1u}))
            << "channel " << n;
    }
    EXPECT_EQ(demo.eventA, (EventRegisterRow{0x10, 0x12, 0x13, 0x14, 0x16, 0x17}));
    EXPECT_EQ(demo.eventB, (EventRegisterRow{0x18, 0x1A, 0x1B, 0x1C, 0, 0}));
    EXPECT_EQ(demo.trigger, 0x0F);
    EXPECT_EQ((std::array<BYTE, 4>{demo.traceCount, demo.tracePointer, demo.tracePointerOffset, demo.traceData}),
              (std::array<BYTE, 4>{0x20, 0x21, 0x22, 0x23}));
    EXPECT_EQ(demo.traceSize, 64);
    EXPECT_EQ(Make("VK31X.cnf")->GetTraceBufferAddress(), 0xF396u) << "its .fif names no offset";
    EXPECT_EQ(Make("LinkTestFiles\\EVENTS.cnf")->GetTraceBufferAddress(), 0xF380u) << "the .fif's offset";

    auto other = Make("LinkTestFiles\\EVMAP.cnf");
    const EventRegisterMap map = other->GetRegisterMap();
    EXPECT_EQ(map.base, 0xE000u) << "from the device section";
    EXPECT_EQ(map.dcrData, 0x30);
    EXPECT_EQ(map.interrupts[1].low, 0xC4) << "1C4 keeps its low byte";
    EXPECT_EQ(map.interrupts[1].space, 2u);
    EXPECT_EQ(map.interrupts[2].low, 8) << "a key the section lacks keeps its default";
    EXPECT_EQ(map.traceSize, 16) << "the device section's size wins";
    EXPECT_EQ(other->GetTraceBufferAddress(), 0xF200u) << "the .fif's FFFF: the section's offset";
}

// "FIRM NAME" names the firmware from the plug-in's folder, for the engine as
// for the start-up: a firmware information file beside the device file is not
// the one read.
TEST_F(EventEngine, TheFirmwareInformationFileIsTheOneInThePluginsFolder) {
    folder_.Write("ruled.cnf", "[VK31D16]\r\nFIRM NAME=LinkTestFiles\\frm_events.sys\r\n");
    std::filesystem::create_directory(folder_.Native() / "LinkTestFiles");
    folder_.Write("LinkTestFiles/frm_events.fif", "[FirmInf]\r\nSWTI=1\r\nSWTI_TraceBufferAddr=100\r\n");
    CEventEngine engine(folder_.Windows("ruled.cnf").c_str(), "VK31D16", kTraceAreaBase);
    EXPECT_EQ(engine.GetTraceBufferAddress(), 0xF380u) << "the plug-in folder's frm_events.fif";
}

TEST_F(EventEngine, ATraceSizeOutsideOneTo255ReadsAs64) {
    struct Case {
        const char* shared;  // the "SWTI" section's value ("" none)
        const char* device;  // the device section's
        LONG size;
    };
    const Case cases[] = {
        {"", "", 64},    {"32", "", 32},  {"32", "200", 200}, {"", "1", 1},     {"", "255", 255},
        {"", "256", 64}, {"", "0", 64},   {"", "-5", 64},     {"300", "", 64},  {"", "4096", 64},
    };
    for (const Case& c : cases) {
        std::string text = "[VK31D16]\r\n";
        if (*c.device != '\0') {
            text += std::string("SWTI_TraceSize=") + c.device + "\r\n";
        }
        if (*c.shared != '\0') {
            text += std::string("[SWTI]\r\nSWTI_TraceSize=") + c.shared + "\r\n";
        }
        // A file of its own each: the settings reader keeps a file it read.
        const std::string name = "size" + std::to_string(&c - cases) + ".cnf";
        folder_.Write(name, text);
        CEventEngine engine(folder_.Windows(name).c_str(), "VK31D16", kTraceAreaBase);
        EXPECT_EQ(engine.GetTraceSize(), c.size) << c.shared << " / " << c.device;
    }
}

TEST_F(EventEngine, AttachSendsTheRegisterAddressesAndTheStoredSettings) {
    auto engine = Make("LinkTestFiles\\EVMAP.cnf");
    ASSERT_EQ(engine->Attach(&Link()), S_OK);
    EXPECT_EQ(FramesIn(), (Lines{
                              "00 0E 5A 50 00 0E 30 E0 00 00 32 E0 00 00 A5 81",
                              "00 18 5A 52 00 18 01 18 80 01 1A 00 00 1B 00 00 1C 00 00 00 00 00 00 00 00 81",
                              "00 18 5A 52 00 18 01 10 80 01 12 00 00 13 00 00 14 00 00 16 00 00 17 00 00 81",
                              "00 08 5A 53 00 08 0E 00 00 81",
                              "00 10 5A 54 00 10 28 91 00 10 00 F2 00 00 2A 2B A5 81",
                          }));
    ClearFrames();
    // Address interrupts: register space 0 at the base, the others by their
    // own numbers.
    EXPECT_TRUE(engine->SetAddressInterrupt(0, 0xC010, 1));
    EXPECT_TRUE(engine->SetAddressInterrupt(1, 0xC012, 0));
    EXPECT_FALSE(engine->SetAddressInterrupt(8, 0xC012, 1)) << "there are eight channels";
    EXPECT_EQ(FramesIn(), (Lines{
                              "00 18 5A 51 00 18 00 40 E0 00 00 10 C0 41 E0 00 00 00 00 42 E0 00 00 01 A5 81",
                              "00 18 5A 51 00 18 02 C4 00 00 00 12 C0 45 00 00 00 00 00 46 00 00 00 00 A5 81",
                          }));
}

TEST_F(EventEngine, EachEngineSendsTheNumbersOfItsOwnMap) {
    auto first = Make("LinkTestFiles\\EVMAP.cnf");
    auto second = Make("VK31X.cnf");
    first->Attach(&Link());
    second->Attach(&Link());
    ClearFrames();
    EXPECT_TRUE(first->SetAddressInterrupt(0, 0xC010, 1));
    EXPECT_TRUE(second->SetAddressInterrupt(0, 0xC010, 1));
    EXPECT_TRUE(first->SetAddressInterrupt(0, 0xC010, 0));
    const Lines frames = FramesIn();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].substr(21, 11), "40 E0 00 00");
    EXPECT_EQ(frames[1].substr(21, 11), "60 D0 00 00");
    EXPECT_EQ(frames[2].substr(21, 11), "40 E0 00 00");
}

TEST_F(EventEngine, DetachedEditsAreKeptAndTheNextStartSendsThemAll) {
    auto engine = Attached("VK31X.cnf");
    EXPECT_TRUE(engine->SetEvent(0, 1, 1, 2, 0x09FC, 0, 2, 0, "stack"));
    EXPECT_TRUE(engine->SetBreakCombination(4));
    EXPECT_TRUE(engine->SetTraceCondition(0, 0, 0, 1, 1, 1));
    EXPECT_TRUE(FramesIn().empty()) << "detached";
    EXPECT_EQ(std::string(engine->GetEvent(0)->name.data()), "stack");

    engine->StartEvents(1);
    const Lines started = {
        "00 18 5A 52 00 18 01 18 80 01 1A 00 00 1B 00 00 1C 00 00 00 00 00 00 00 00 81",
        "00 18 5A 52 00 18 01 10 80 01 12 FC 09 13 00 00 14 02 00 16 00 00 17 00 00 81",
        "00 08 5A 53 00 08 0F 04 00 81",
        "00 10 5A 54 00 10 20 90 00 40 96 F3 00 00 22 23 A5 81",
    };
    EXPECT_EQ(FramesIn(), started);
    // Attached: an edit goes out at once.
    ClearFrames();
    EXPECT_TRUE(engine->SetBreakCombination(5));
    EXPECT_EQ(FramesIn(), Lines{"00 08 5A 53 00 08 0F 05 00 81"});

    // Without the breaks: combination 0 and bit 0 set, the stored values kept.
    ClearFrames();
    engine->StartEvents(0);
    Lines frames = FramesIn();
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[2], "00 08 5A 53 00 08 0F 00 00 81");
    EXPECT_EQ(frames[3], "00 10 5A 54 00 10 20 91 00 40 96 F3 00 00 22 23 A5 81");
    EXPECT_EQ(engine->GetBreakCombination(), 5);
    EXPECT_EQ(engine->FormatBreakCondition(), "Event [A or B] with Trace Full Break");

    ClearFrames();
    engine->StopEvents();
    frames = FramesIn();
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[2], "00 08 5A 53 00 08 0F 00 00 81");
    EXPECT_EQ(frames[3], "00 10 5A 54 00 10 20 91 00 40 96 F3 00 00 22 23 A5 81");
    ClearFrames();
    EXPECT_TRUE(engine->SetBreakCombination(6));
    engine->StopEvents();
    EXPECT_TRUE(FramesIn().empty()) << "detached after the stop";
}

TEST_F(EventEngine, FailedCommandsKeepTheOldSettings) {
    // Status 1 on 'P' fails the attach, and nothing else is sent.
    auto engine = Make("VK31X.cnf");
    Inject(Q3V_SIM_FAULT_EVENT_STATUS, 1, 1);
    EXPECT_EQ(engine->Attach(&Link()), E_FAIL);
    EXPECT_EQ(FramesIn().size(), 1u);
    // So does a failing 'R' after it.
    // 'P' sent and answered, then the fault for the first 'R'.
    ClearFrames();
    Control().injectFaultAfter(3, Q3V_SIM_FAULT_EVENT_STATUS, 1, 1);
    EXPECT_EQ(engine->Attach(&Link()), E_FAIL);
    EXPECT_EQ(FramesIn().size(), 2u);

    engine->StartEvents(1);
    Inject(Q3V_SIM_FAULT_EVENT_STATUS, 2, 3);
    EXPECT_FALSE(engine->SetEvent(1, 0, 2, 0, 0x1234, 7, 0, 0xFFFF, "x"));
    EXPECT_FALSE(engine->SetBreakCombination(7));
    EXPECT_FALSE(engine->SetTraceCondition(2, 4, 5, 0, 1, 1));
    EXPECT_EQ(engine->GetEvent(1)->address, 0u);
    EXPECT_EQ(engine->GetBreakCombination(), 0);
    EXPECT_EQ(engine->GetTraceSettings().type, 0);

    // A lost link fails at once, every time.
    Inject(Q3V_SIM_FAULT_LINK_LOST, 1, 0);
    EXPECT_FALSE(engine->SetAddressInterrupt(0, 0xC010, 1));
    EXPECT_FALSE(engine->SetBreakCombination(4));
    EXPECT_EQ(engine->Attach(&Link()), E_FAIL);
    DWORD count = 0;
    EXPECT_FALSE(engine->GetTraceCount(&count));
}

TEST_F(EventEngine, TheTraceComesBackOldestFirstAlsoWhenWrapped) {
    // Sixteen records (EVMAP's size), twenty recorded: wrapped at 4.
    auto engine = Attached("LinkTestFiles\\EVMAP.cnf");
    RunJumps(10);
    DWORD count = 0;
    EXPECT_TRUE(engine->GetTraceCount(&count));
    EXPECT_EQ(count, 16u);
    ASSERT_TRUE(engine->ReadTrace());
    EXPECT_EQ(Branches(engine->GetRecords()), JumpRecords(4, 19));

    // Not wrapped: the first pointer entries.
    RunJumps(3);
    ASSERT_TRUE(engine->ReadTrace());
    EXPECT_EQ(Branches(engine->GetRecords()), JumpRecords(0, 5));
    const std::vector<EventTraceEntry> copy = engine->GetTraceRecords();
    ASSERT_EQ(copy.size(), 6u);
    EXPECT_TRUE(copy[0].branchSource);
    EXPECT_FALSE(copy[1].branchSource);
    EXPECT_EQ(copy[1].address, 0xC002u);
}

TEST_F(EventEngine, APointerBeyondTheTraceSizeReadsNoFurther) {
    auto engine = Attached("LinkTestFiles\\EVMAP.cnf");
    // The emulator's buffer made larger than the engine's sixteen.
    Bytes trace = linktest::Hex("00 10 5A 54 00 10 28 91 00 40 00 F2 00 00 2A 2B A5 81");
    Bytes reply(64);
    ASSERT_EQ(Link().MonitorTransact(trace, reply), 0u);
    RunJumps(10);
    DWORD count = 0;
    EXPECT_TRUE(engine->GetTraceCount(&count));
    EXPECT_EQ(count, 16u);
    ASSERT_TRUE(engine->ReadTrace());
    EXPECT_EQ(Branches(engine->GetRecords()), JumpRecords(0, 15));
}

TEST_F(EventEngine, AFailedPointerGivesAnEmptyTraceAndAFailedReadKeepsTheRecords) {
    auto engine = Attached("LinkTestFiles\\EVMAP.cnf");
    RunJumps(3);
    ASSERT_TRUE(engine->ReadTrace());
    ASSERT_EQ(engine->GetRecords().size(), 6u);
    // 'V' failing, or short of its data: the records stay, the read fails.
    Control().injectFaultAfter(3, Q3V_SIM_FAULT_EVENT_STATUS, 1, 1);  // 'V'
    EXPECT_FALSE(engine->ReadTrace());
    EXPECT_EQ(engine->GetRecords().size(), 6u);
    Control().injectFaultAfter(3, Q3V_SIM_FAULT_EVENT_SHORT, 8, 1);
    EXPECT_FALSE(engine->ReadTrace());
    EXPECT_EQ(engine->GetRecords().size(), 6u);
    // 'U' failing or short: an empty trace, and success.
    Inject(Q3V_SIM_FAULT_EVENT_SHORT, 1, 1);
    EXPECT_TRUE(engine->ReadTrace());
    EXPECT_TRUE(engine->GetRecords().empty());
    ASSERT_TRUE(engine->ReadTrace());
    ASSERT_EQ(engine->GetRecords().size(), 6u);
    Inject(Q3V_SIM_FAULT_EVENT_STATUS, 1, 1);
    EXPECT_TRUE(engine->ReadTrace());
    EXPECT_TRUE(engine->GetRecords().empty());
}

TEST_F(EventEngine, DataTraceRecordsAreDecodedFromTheirTypeByte) {
    auto engine = Attached("LinkTestFiles\\EVMAP.cnf");
    // Data trace of event A on the stack: the call's three pushes.
    engine->StartEvents(1);
    ASSERT_TRUE(engine->SetEvent(0, 1, 1, 2, 0x09FC, 0, 2, 0, ""));
    ASSERT_TRUE(engine->SetTraceCondition(2, 0, 0, 0, 0, 1));
    const Bytes call = {0xFD, 0x10, 0xC0, 0x00};  // JSR.A C010
    Control().writeTarget(0xC000, call.data(), 4);
    const Bytes stop = {0x00};
    Control().writeTarget(0xC010, stop.data(), 1);
    std::vector<DWORD> registers(20, 0);
    registers[14] = 0xC000;
    registers[17] = 0x0A00;
    Control().setRegisters(registers.data());
    Bytes go = emutest::GoRequest(0);
    ASSERT_EQ(Link().MonitorSend(go), 0u);
    for (int i = 0; i < 100 && Status().running != 0; ++i) {
        Control().getFrameCount();
    }
    ASSERT_TRUE(engine->ReadTrace());
    const std::vector<CEventTraceRecord> records = engine->GetRecords();
    ASSERT_EQ(records.size(), 3u);
    for (const CEventTraceRecord& record : records) {
        EXPECT_EQ(record.kind, 0);
        EXPECT_EQ(record.direction, 2) << "writes";
        EXPECT_EQ(record.size, 1);
        EXPECT_EQ(record.code, 0) << "event A";
    }
    // The return address C004, pushed low byte first.
    EXPECT_EQ(records[0].value, 0x04u);
    EXPECT_EQ(records[1].value, 0xC0u);
    EXPECT_EQ(records[2].value, 0x00u);
    EXPECT_EQ(engine->GetTraceRecords()[2].selector, 0u);
}

TEST_F(EventEngine, TheConditionTexts) {
    auto engine = Make("VK31X.cnf");
    struct Case {
        LONG kind, size, type;
        DWORD address;
        WORD data;
        LONG maskBits;
        WORD dataMask;
        const char* condition;
        const char* access;
    };
    const Case cases[] = {
        {1, 1, 2, 0x1234, 0, 0, 0, "(addr)==0x001234", "WRITE"},
        {1, 1, 1, 0x1230, 0, 4, 0, "0x001230<=(addr)<=0x00123F", "READ"},
        {1, 1, 0, 0x1234, 0x12, 0, 0xFFFF, "(addr)==0x001234", "R/W"},
        {0, 1, 3, 0x1234, 0x12, 0, 0xFFFF, "(addr)==0x001234 &&&& (data)==0x12", "WRITE"},
        {0, 2, 0, 0x1234, 0x1234, 0, 0x0FF0, "(addr)==0x001234 &&&& (data&&0x0FF0)==0x1234", "R/W"},
        {0, 1, 0, 0x1234, 0x34, 0, 0x01F0, "(addr)==0x001234 &&&& (data&&0xF0)==0x34", "R/W"},
        {0, 0, 0, 0x1234, 0x34, 0, 0x00F0, "(addr)==0x001234 &&&& (data&&0x00F0)==0x0034", "R/W"},
        {0, 1, 0, 0x1234, 0x34, 0, 0, "(addr)==0x001234", "R/W"},
        {1, 1, 2, 0x120000, 0, 15, 0, "0x120000<=(addr)<=0x127FFF", "WRITE"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(engine->SetEvent(1, c.kind, c.size, c.type, c.address, c.data, c.maskBits, c.dataMask, ""));
        std::string condition;
        std::string access;
        engine->FormatCondition(1, condition, access);
        EXPECT_EQ(condition, c.condition);
        EXPECT_EQ(access, c.access);
    }
    std::string condition = "old";
    std::string access = "old";
    engine->FormatCondition(2, condition, access);
    EXPECT_EQ(condition + access, "") << "no such event";

    DWORD low = 7;
    DWORD high = 7;
    engine->GetEventAddressRange(2, &low, &high);
    EXPECT_EQ(low + high, 14u) << "untouched";
    engine->GetEventAddressRange(1, &low, &high);
    EXPECT_EQ(low, 0x120000u);
    EXPECT_EQ(high, 0x127FFFu);

    // With the host's address range (the service the Event Setting dialog
    // reads too): two digits for each byte of its high address.
    for (const auto& [top, text] : {std::pair{0xFFFFu, "(addr)==0x1234"}, std::pair{0xFFFFFu, "(addr)==0x001234"},
                                    std::pair{0x1000000u, "(addr)==0x00001234"}}) {
        host_.AddressRange().SetRange(std::pair<DWORD, DWORD>{0, top});
        auto ranged = Make("VK31X.cnf", &host_);
        ranged->SetEvent(0, 1, 1, 2, 0x1234, 0, 0, 0, "");
        ranged->FormatCondition(0, condition, access);
        EXPECT_EQ(condition, text);
        EXPECT_EQ("(addr)==0x" + ReadEditorAddressRange(&host_).Format(0x1234), text) << "the dialog's digits";
    }
    // A host without the service: six digits.
    host_.OfferService(IID_IHAddressRange, nullptr);
    auto unranged = Make("VK31X.cnf", &host_);
    unranged->SetEvent(0, 1, 1, 2, 0x1234, 0, 0, 0, "");
    unranged->FormatCondition(0, condition, access);
    EXPECT_EQ(condition, "(addr)==0x001234");
}

TEST_F(EventEngine, TheCombinationBreakAndTraceTexts) {
    const std::pair<LONG, const char*> combinations[] = {{4, "A"}, {5, "A or B"}, {6, "A and B"}, {7, "B -> A"},
                                                         {0, ""},  {3, ""},       {8, ""}};
    for (const auto& [value, text] : combinations) {
        EXPECT_EQ(CEventEngine::FormatCombination(value), text) << value;
    }
    auto engine = Make("VK31X.cnf");
    struct Break {
        LONG combination, full;
        const char* text;
    };
    for (const Break& b : {Break{0, 0, ""}, Break{4, 0, "Event [A]"}, Break{0, 1, "Trace Full Break"},
                           Break{6, 1, "Event [A and B] with Trace Full Break"}, Break{9, 1, "Trace Full Break"}}) {
        engine->SetBreakCombination(b.combination);
        engine->SetTraceCondition(0, 0, 0, 1, b.full, 1);
        EXPECT_EQ(engine->FormatBreakCondition(), b.text);
    }
    struct Trace {
        LONG type, start, stop, pickUp;
        const char* text;
    };
    for (const Trace& t : {Trace{0, 0, 0, 1, "from [Go] to [Break]"},
                           Trace{0, 5, 2, 1, "from [A or B] to [Trace FULL]"},
                           Trace{2, 0, 7, 0, "Pick up [A] from [Go] to [B -> A]"},
                           Trace{2, 4, 6, 1, "Pick up [A or B] from [A] to [A and B]"},
                           Trace{1, 0, 0, 0, "from [Go] to [Break]"}}) {
        engine->SetTraceCondition(t.type, t.start, t.stop, t.pickUp, 0, 1);
        EXPECT_EQ(engine->FormatTraceCondition(), t.text);
    }
}

TEST_F(EventEngine, TheGoThreadAndTheUiThreadShareTheEngine) {
    auto engine = Attached("LinkTestFiles\\EVMAP.cnf");
    RunJumps(3);
    std::thread runs([&] {
        for (int i = 0; i < 20; ++i) {
            engine->StartEvents(i % 2);
            engine->SetAddressInterrupt(static_cast<DWORD>(i % 8), 0xC010, 0);
            engine->StopEvents();
        }
    });
    for (int i = 0; i < 20; ++i) {
        engine->ReadTrace();
        engine->SetBreakCombination(4 + i % 4);
        std::string condition;
        std::string access;
        engine->FormatCondition(0, condition, access);
        static_cast<void>(engine->GetTraceRecords());
    }
    runs.join();
    EXPECT_TRUE(engine->ReadTrace());
    EXPECT_EQ(engine->GetRecords().size(), 6u);
}

}  // namespace
}  // namespace eventtest
