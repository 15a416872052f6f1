// The break-condition text commands "BC1" to "BC8": a condition text sets a
// channel of the working table, "-" clears it, and every command displays
// what the channels hold.
#include "config/break_channels.h"
#include "monitor/monitor_object.h"
#include "monitor/monitor_output.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr std::size_t kTokenLimit = 80;
constexpr std::size_t kValueDigits = 8;
// Where a value starts after its "=": past a two-character radix prefix.
constexpr std::size_t kPrefixSkip = 2;
constexpr DWORD kDirectionRead = 10;
constexpr DWORD kDirectionWrite = 11;
constexpr DWORD kBusData = 13;
constexpr DWORD kBusDma = 12;
constexpr DWORD kDataWord = 6;
constexpr DWORD kDataLowByte = 8;
constexpr DWORD kDataHighByte = 9;

constexpr std::size_t npos = std::string::npos;

bool Has(const std::string& text, std::string_view mark) {
    return text.find(mark) != npos;
}

bool EndsToken(char c) {
    return c == ' ' || c == ';' || c == '\0';
}

// The value of the token that starts skip characters after the "=" of mark.
ConditionToken TokenAfter(std::string& text, std::string_view mark, std::size_t skip) {
    const std::size_t at = text.find(mark);
    return CMonitorUnit::ReadConditionToken(text, at + mark.size() + skip);
}

}  // namespace

ConditionToken CMonitorUnit::ReadConditionToken(std::string& text, std::size_t offset) {
    ConditionToken token;
    std::size_t length = 0;
    while (offset + length < text.size() && length < kTokenLimit && !EndsToken(text[offset + length])) {
        char& c = text[offset + length];
        const auto code = static_cast<unsigned char>(c);
        if (code >= 'G' && code <= 0x7F) {
            c = static_cast<char>(code - 0x20);
        }
        ++length;
    }
    for (std::size_t i = 0; i < std::min(length, kValueDigits); ++i) {
        const char c = text[offset + i];
        if (c == '*') {
            token.value <<= 4;
            token.mask = (token.mask << 4) | 0xF;
            continue;
        }
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            break;
        }
        token.value = (token.value << 4) | static_cast<DWORD>(digit);
        token.mask <<= 4;
    }
    return token;
}

void CMonitorUnit::BreakConditionCommand(int channel, std::string_view text) {
    if (channel >= 1 && channel <= static_cast<int>(kBreakChannelCount)) {
        const std::string_view condition = text.substr(std::min<std::size_t>(1, text.size()));
        if (condition.starts_with('-')) {
            g_breakChannels[static_cast<std::size_t>(channel - 1)] = BreakChannelRecord{};
            DisplayBreakChannels(channel);
        } else {
            ParseBreakConditionText(channel, condition);
        }
        return;
    }
    if (text.starts_with('-')) {
        g_breakChannels = {};
    }
    DisplayBreakChannels(0);
}

void CMonitorUnit::ParseBreakConditionText(int channel, std::string_view condition) {
    // The parse works on a copy: its tokens' letters are made upper case
    // there, and the stored text shows them so.
    std::string text(condition);
    BreakChannelRecord record{};
    bool recognised = true;
    if (Has(text, "A=")) {
        record.kind = Has(text, "XA=") ? kBreakKindXAddress : Has(text, "YA=") ? kBreakKindYAddress
                                                                              : kBreakKindDataAccess;
        record.address = TokenAfter(text, "A=", kPrefixSkip).value;
        record.pcBefore = 1;
    } else if (Has(text, "PC=")) {
        record.kind = kBreakKindAddress;
        record.pcBefore = Has(text, ";P") ? 0 : 1;
        record.direction = kDirectionRead;
        record.address = TokenAfter(text, "PC=", kPrefixSkip).value;
    } else {
        record.pcBefore = 1;
        recognised = false;
    }
    if (record.kind != 0) {
        record.maskCode = Has(text, ";M1") ? 1 : Has(text, ";M2") ? 2 : Has(text, ";M3") ? 3 : 0;
    }
    if (record.kind != kBreakKindAddress) {
        if (Has(text, "D=")) {
            record.dataKind = Has(text, "WD=") ? kDataWord : Has(text, "LBD=") ? kDataLowByte
                                                             : Has(text, "HBD=") ? kDataHighByte
                                                                                 : 0;
            const ConditionToken data = TokenAfter(text, "D=", kPrefixSkip);
            record.dataValue = data.value;
            record.dataMask = data.mask;
            recognised = true;
        }
        if (Has(text, "R ") || Has(text, "W ")) {
            record.direction = Has(text, "R ") ? kDirectionRead : kDirectionWrite;
            recognised = true;
        }
        if (Has(text, "DAT") || Has(text, "DMA")) {
            record.bus = Has(text, "DAT") ? kBusData : kBusDma;
            recognised = true;
        }
        if (Has(text, "COUNT=")) {
            record.passCount = TokenAfter(text, "COUNT=", 0).value;
        }
    }
    if (recognised && channel >= 1 && channel <= static_cast<int>(kBreakChannelCount)) {
        record.enable = 1;
        const std::size_t length = std::min(text.size(), kBreakChannelTextSize - 1);
        std::memcpy(record.commandText, text.data(), length);
        g_breakChannels[static_cast<std::size_t>(channel - 1)] = record;
    }
    DisplayBreakChannels(channel);
}

void CMonitorUnit::DisplayBreakChannels(int channel) {
    for (std::size_t n = 1; n <= kBreakChannelCount; ++n) {
        if (channel != 0 && n != static_cast<std::size_t>(channel)) {
            continue;
        }
        std::array<char, 5> label{' ', 'B', 'C', static_cast<char>('0' + n), ' '};
        AppendMonitorOutput(label.data(), static_cast<WORD>(label.size()));
        AppendMonitorOutput(g_breakChannels[n - 1].commandText, static_cast<WORD>(kBreakChannelTextSize));
        AppendMonitorText("\r\n");
    }
}
