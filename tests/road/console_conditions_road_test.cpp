// The break-condition commands on the fixture devices, typed into the
// simulated host's command window over the plug-in module and the simulated
// emulator: four channels of protocol type 2 (CHAN4), the data-break device
// (HWBRK), and the event-function firmware (EVENTS), whose commands work on
// the channel table, echo each change to the host's output window and list
// each channel with what the host knows of its address.
#include "tests/road/break_condition_road_fixture.h"

#include "sim/host/command_window.h"

#include "platform/host/ids.h"

#include <memory>
#include <string>

namespace {

using roadtest::Lines;

constexpr char kFree[] = "Break condition:Disable None\n";

struct Answer {
    HRESULT result;
    std::string text;
};

struct Refusal {
    const char* line;
    std::string text;
};

class ConsoleConditions : public roadtest::BreakConditionRoad {
protected:
    simhost::CommandWindow& Window() {
        if (window_ == nullptr) {
            window_ = std::make_unique<simhost::CommandWindow>(host_->Services(), host_->Log());
        }
        return *window_;
    }
    Answer Do(const std::string& line) {
        const simhost::CommandOutput output = Window().Execute(line);
        return {output.result, output.text};
    }
    // Each line is refused with exactly its text.
    void ExpectRefusals(std::initializer_list<Refusal> refusals) {
        for (const Refusal& refusal : refusals) {
            const Answer answer = Do(refusal.line);
            EXPECT_EQ(answer.result, E_FAIL) << refusal.line;
            EXPECT_EQ(answer.text, refusal.text) << refusal.line;
        }
    }

    std::unique_ptr<simhost::CommandWindow> window_;
};

// --- four channels, protocol type 2 -----------------------------------------

class FourChannelConditions : public ConsoleConditions {
protected:
    const char* Group() const override { return "LinkTestFiles\\CHAN4"; }
    const char* Device() const override { return "VK32D64"; }
    // The rows of enabled program-fetch conditions at the addresses.
    static std::string Rows(std::initializer_list<const char*> addresses) {
        std::string rows;
        for (const char* address : addresses) {
            rows += std::string("Break condition:Enable Address=H'") + address + " pcbefore \n";
        }
        return rows;
    }
};

TEST_F(FourChannelConditions, FourAddressesTakeTheFourChannelsAndAFifthIsRefused) {
    // Free channels hold their reset address 0, which takes no part in the
    // comparison.
    EXPECT_EQ(Do("bcs address 0").result, S_OK);
    for (const char* line : {"bcs address 1001", "bcs address 1002", "bcs address 1003"}) {
        EXPECT_EQ(Do(line).result, S_OK) << line;
    }
    EXPECT_EQ(Do("bcd").text, Rows({"00000000", "00001001", "00001002", "00001003"}));
    const std::string allFour = Do("bcd").text;
    ExpectRefusals({
        {"bcs address 1004", "Too many points\n"},
        {"bcs channel 1 address 1002", "Invalid address\n"},
        {"bcs address 1000 access", "Invalid condition\n"},
        {"bcc channel 5", "Parameter keyword [channel_number] is a mistake. input keyword (1,2,3,4)."},
    });
    EXPECT_EQ(Do("bcd").text, allFour) << "no refusal changed a channel";

    EXPECT_EQ(Do("bcs channel 2 address 1001").result, S_OK) << "the channel that holds it";
    EXPECT_EQ(Do("bcc channel 3").result, S_OK);
    EXPECT_EQ(Do("bcs address 1004").result, S_OK) << "the freed channel";
    EXPECT_EQ(Do("bcd").text, Rows({"00000000", "00001001", "00001004", "00001003"}));
}

// --- three channels, protocol type 2: the two the device's rules keep ------

class ThreeChannelConditions : public FourChannelConditions {
protected:
    const char* Group() const override { return "LinkTestFiles\\CHAN3"; }
};

// The third row, a channel the device does not keep, holds nothing. (It
// showed the second channel's condition.)
TEST_F(ThreeChannelConditions, OnlyTheChannelsTheDeviceKeepsAreTakenAndAThirdIsRefused) {
    EXPECT_EQ(Do("bcs address 1001").result, S_OK);
    EXPECT_EQ(Do("bcs address 1002").result, S_OK);
    const std::string listed = Do("bcd").text;
    EXPECT_EQ(listed, Rows({"00001001", "00001002"}) + kFree);
    // The third channel's record is never loaded nor stored: a condition
    // for it would be answered as set and dropped.
    ExpectRefusals({
        {"bcs address 1003", "Too many points\n"},
        {"bcs channel 3 address 1003", "Too many points\n"},
    });
    EXPECT_EQ(Do("bcd").text, listed) << "no refusal changed a channel";
    EXPECT_EQ(Do("bcc channel 1").result, S_OK);
    EXPECT_EQ(Do("bcs address 1003").result, S_OK) << "the freed channel";
    EXPECT_EQ(Do("bcd").text, Rows({"00001003", "00001002"}) + kFree);
}

// --- the data-break device: channel 3 takes the data conditions -------------

class DataBreakConditions : public ConsoleConditions {
protected:
    const char* Group() const override { return "LinkTestFiles\\HWBRK"; }
};

TEST_F(DataBreakConditions, AnAccessConditionGoesToChannelThreeAndASecondOneIsRefused) {
    Answer answer = Do("bcs channel 1 address 1000 access direction read");
    EXPECT_EQ(answer.result, S_OK);
    EXPECT_EQ(answer.text, "");
    // Behind channel 3's access condition the fourth channel cannot be set up.
    const std::string third = "Break condition:Enable Address=H'00001000 Direction R  \n";
    const std::string fourth = "Impossible setup:Disable None\n";
    EXPECT_EQ(Do("bcd").text, kFree + std::string(kFree) + third + fourth) << "four rows";

    // Channel 3 holds a condition the line does not name: it stays.
    for (const char* line : {"bcs address 1100 access data 5", "bcs channel 2 address 1100 access"}) {
        answer = Do(line);
        EXPECT_EQ(answer.result, E_FAIL) << line;
        EXPECT_EQ(answer.text, "Too many points\n") << line;
    }
    EXPECT_EQ(Do("bcd").text, kFree + std::string(kFree) + third + fourth);

    EXPECT_EQ(Do("bcs address 1200").result, S_OK) << "a program-fetch condition takes a free channel";
    EXPECT_EQ(Do("bcs channel 3 address 1100 access data 5").result, S_OK) << "named, channel 3 is replaced";
    EXPECT_EQ(Do("bcd").text, "Break condition:Enable Address=H'00001200 pcbefore \n" + std::string(kFree) +
                                  "Break condition:Enable Address=H'00001100 D=H'5 L-byte \n" + fourth);
}

// --- the event function: the channel table ----------------------------------

class EventFunctionConditions : public ConsoleConditions {
protected:
    const char* Group() const override { return "LinkTestFiles\\EVENTS"; }
};

constexpr char kSetAtC010[] = "Break condition: Enable  Address=0x0000C010(Vk3Demo.c/5,tick) pcbefore\n";
constexpr char kSwtiFree[] = "Break condition: Disable None\n";

TEST_F(EventFunctionConditions, TheCommandsOfTheChannelTableAnswerTheirWords) {
    const auto words = Window().ClientWords();
    for (const char* word : {"bcc", "bcd", "bce", "bcs", "bcm"}) {
        EXPECT_TRUE(std::any_of(words.begin(), words.end(), [&](const auto& w) { return w.at(1) == word; }))
            << word;
    }
    const auto& texts = host_->Services().CommandSyntax().Texts();
    EXPECT_EQ(texts.at("bcs").text, "[<\"channel\"> <channel_number>] <\"address\"> <address> [<\"pcbefore\">]")
        << "the same text whatever the protocol type";
    EXPECT_EQ(texts.at("breakcondition_display").text, "none") << "passed to the host as it is";
    EXPECT_EQ(texts.at("bcd").flag, 1u);
}

TEST_F(EventFunctionConditions, ASetConditionIsEchoedListedAndStopsTheGo) {
    Answer answer = Do("bcs address C010");
    EXPECT_EQ(answer.result, S_OK);
    EXPECT_EQ(answer.text, "");
    EXPECT_EQ(Echoes(), Lines{"breakcondition_set channel 1 address 0xc010 pcbefore"});
    answer = Do("bcd");
    EXPECT_EQ(answer.result, S_OK);
    EXPECT_EQ(answer.text, std::string(kSetAtC010) + kSwtiFree);

    EXPECT_EQ(Go(), "BREAK CONDITION 1");
    EXPECT_EQ(Registers().Value(roadtest::kPc), 0xC010u);
}

// Each host service the listing asks that is not there leaves its part out.
TEST_F(EventFunctionConditions, AMissingServiceDropsItsPartOfTheListing) {
    ASSERT_EQ(Do("bcs channel 2 address C010").result, S_OK);
    simhost::HostServiceProvider& services = host_->Services();
    const auto listing = [&] { return Do("bcd").text; };

    services.AddressLookup().Item().WithholdFunctionNames(true);
    EXPECT_EQ(listing(), std::string(kSwtiFree) + kSetAtC010) << "the symbol table names the function";
    services.OfferService(IID_IHSymbolService, nullptr);
    EXPECT_EQ(listing(), std::string(kSwtiFree) + "Break condition: Enable  Address=0x0000C010(Vk3Demo.c/5) pcbefore\n");
    services.AddressLookup().Item().WithholdFunctionNames(false);
    services.OfferService(IID_IHAddressLookup, nullptr);
    EXPECT_EQ(listing(), std::string(kSwtiFree) + "Break condition: Enable  Address=0x0000C010 pcbefore\n");
    services.OfferService(IID_IHSymbolService, &services.Symbols());
    EXPECT_EQ(listing(), std::string(kSwtiFree) + "Break condition: Enable  Address=0x0000C010(tick) pcbefore\n");
    services.OfferService(IID_IHExpressionEvaluator, nullptr);
    EXPECT_EQ(listing(), std::string(kSwtiFree) + "Break condition: Enable   pcbefore\n")
        << "without the address text nothing of the address is shown";
}

// The echo of each change reaches the output window in order through the
// host output wrapper; a window that is not ready gets nothing, and the
// commands still succeed.
TEST_F(EventFunctionConditions, EachChangeIsEchoedInOrderOnlyWhileTheOutputIsReady) {
    EXPECT_EQ(Do("bcs address C010").result, S_OK);
    EXPECT_EQ(Do("bce disable channel 1").result, S_OK);
    EXPECT_EQ(Do("bcc").result, S_OK);
    EXPECT_EQ(Echoes(), (Lines{"breakcondition_set channel 1 address 0xc010 pcbefore",
                               "breakcondition_enable disable channel 1", "breakcondition_clear channel 1"}));

    host_->Services().Output().ClearLines();
    host_->Services().Output().SetReadyAnswer(S_FALSE);
    EXPECT_EQ(Do("bcs address C010").result, S_OK);
    host_->Services().Output().SetReadyAnswer(S_OK);
    host_->Services().OfferService(IID_IHOutputWindow, nullptr);
    EXPECT_EQ(Do("bce disable").result, S_OK);
    EXPECT_EQ(Do("bcs address C012").result, S_OK);
    EXPECT_TRUE(Echoes().empty());
    EXPECT_EQ(Do("bcd").text,
              "Break condition: Disable Address=0x0000C010(Vk3Demo.c/5,tick) pcbefore\n"
              "Break condition: Enable  Address=0x0000C012(Vk3Demo.c/6,tick) pcbefore\n");
}

TEST_F(EventFunctionConditions, BadWordsAreRefusedWithOneMessageAndChangeNoChannel) {
    ASSERT_EQ(Do("bcs address C010").result, S_OK);
    const std::string before = Do("bcd").text;
    ExpectRefusals({
        {"bcc channel", "Too few parameters"},
        {"bcc channel 3", "Parameter keyword [channel_number] is a mistake. input keyword (1,2)."},
        {"bcc channel 0", "Parameter keyword [channel_number] is a mistake. input keyword (1,2)."},
        {"bcc ch 1 x", "Too many parameters"},
        {"bcc x", "Parameter keyword [channel] is a mistake. input keyword (channel)."},
        {"bcc address", "Too few parameters"},
        {"bcc address 9999", "Invalid address"},
        {"bcc address C010 x", "Too many parameters"},
        {"bcd x", "Too many parameters"},
        {"bce", "Too few parameters"},
        {"bce on", "Parameter keyword [mode] is a mistake. input keyword (enable,disable)."},
        {"bce disable channel 9", "Parameter keyword [channel_number] is a mistake. input keyword (1,2)."},
        {"bce disable address 9999", "Invalid address"},
        {"bce disable x", "Parameter keyword [channel] is a mistake. input keyword (channel)."},
        {"bcs", "Too few parameters"},
        {"bcs x", "Parameter keyword [channel, address] is a mistake. input keyword (channel,address)."},
        {"bcs channel 1", "Too few parameters"},
        {"bcs channel 1 at C012", "Parameter keyword [address] is a mistake. input keyword (address)."},
        {"bcs address zz", "Invalid address"},
        {"bcs address 10000", "Invalid address"},
        {"bcs address C012 x", "Parameter keyword [pcbefore] is a mistake. input keyword (pcbefore)."},
        {"bcs address C012 pcbefore x", "Too many parameters"},
        {"bcs channel 2 address C010", "Invalid address"},
    });
    EXPECT_EQ(Do("bcd").text, before);
    EXPECT_TRUE(Echoes().size() == 1u) << "no refusal echoed a change";

    EXPECT_EQ(Do("bcs channel 1 address C010").result, S_OK) << "the channel that holds it";
    ASSERT_EQ(Do("bcs address C012 pcbefore").result, S_OK);
    ExpectRefusals({{"bcs address C000", "Too many points"}});
}

}  // namespace
