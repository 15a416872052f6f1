#include "link/mot_record.h"

namespace {

// Each character's value as a hexadecimal digit; any other character reads
// as 0, as the format's readers have always taken it (the checksum catches
// a damaged digit).
constexpr std::array<BYTE, 256> MakeDigitTable() {
    std::array<BYTE, 256> table{};
    for (int c = '0'; c <= '9'; ++c) {
        table[static_cast<std::size_t>(c)] = static_cast<BYTE>(c - '0');
    }
    for (int c = 'A'; c <= 'F'; ++c) {
        table[static_cast<std::size_t>(c)] = static_cast<BYTE>(c - 'A' + 10);
        table[static_cast<std::size_t>(c - 'A' + 'a')] = static_cast<BYTE>(c - 'A' + 10);
    }
    return table;
}

constexpr std::array<BYTE, 256> kDigit = MakeDigitTable();

BYTE ByteAt(std::string_view line, std::size_t at) {
    return static_cast<BYTE>((kDigit[static_cast<unsigned char>(line[at])] << 4) |
                             kDigit[static_cast<unsigned char>(line[at + 1])]);
}

// Address bytes of each record type; -1 for a type that is never valid.
constexpr int kAddressBytes[10] = {2, 2, 3, 4, -1, 2, 3, 4, 3, 2};

}  // namespace

MotRecord ParseMotRecord(std::string_view line) {
    MotRecord record;
    // The first character is not looked at; the type must be a digit.
    if (line.size() < 4 || line[1] < '0' || line[1] > '9') {
        return record;
    }
    const int type = line[1] - '0';
    const int addressBytes = kAddressBytes[type];
    const std::size_t count = ByteAt(line, 2);
    // The line holds every byte its count names; what follows the checksum
    // is not looked at.
    if (addressBytes < 0 || count < static_cast<std::size_t>(addressBytes) + 1 || line.size() < 4 + 2 * count) {
        return record;
    }
    BYTE sum = static_cast<BYTE>(count);
    DWORD address = 0;
    std::size_t at = 4;
    for (int i = 0; i < addressBytes; ++i, at += 2) {
        const BYTE byte = ByteAt(line, at);
        address = (address << 8) | byte;
        sum = static_cast<BYTE>(sum + byte);
    }
    const std::size_t dataLength = count - static_cast<std::size_t>(addressBytes) - 1;
    for (std::size_t i = 0; i < dataLength; ++i, at += 2) {
        const BYTE byte = ByteAt(line, at);
        record.data[i] = byte;
        sum = static_cast<BYTE>(sum + byte);
    }
    if (static_cast<BYTE>(255 - sum) != ByteAt(line, at)) {
        return record;
    }
    record.length = static_cast<WORD>(dataLength);
    record.address = address;
    switch (type) {
    case 0:
        record.kind = MotRecord::Kind::Header;
        break;
    case 1:
    case 2:
    case 3:
        record.kind = MotRecord::Kind::Data;
        break;
    case 5:
    case 6:
        // A count record carries no data besides its count.
        record.kind = dataLength == 0 ? MotRecord::Kind::Count : MotRecord::Kind::Bad;
        break;
    default:
        record.kind = MotRecord::Kind::End;
        break;
    }
    return record;
}
