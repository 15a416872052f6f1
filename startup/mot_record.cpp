#include "startup/mot_record.h"

#include <optional>

namespace {

std::optional<BYTE> HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<BYTE>(c - '0');
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<BYTE>(c - 'A' + 10);
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<BYTE>(c - 'a' + 10);
    }
    return std::nullopt;
}

// Address bytes of each record type; 0 for types that carry none of their own.
constexpr int kAddressBytes[10] = {2, 2, 3, 4, -1, 2, 3, 4, 3, 2};

}  // namespace

MotRecord ParseMotRecord(std::string_view line) {
    MotRecord record;
    if (line.size() < 4 || (line[0] != 'S' && line[0] != 's') || line[1] < '0' || line[1] > '9') {
        return record;
    }
    const int type = line[1] - '0';
    // Every character after the type is a hexadecimal digit, in pairs.
    const std::string_view digits = line.substr(2);
    if (digits.size() % 2 != 0) {
        return record;
    }
    std::array<BYTE, 256> bytes{};
    const std::size_t byteCount = digits.size() / 2;
    if (byteCount > bytes.size()) {
        return record;
    }
    for (std::size_t i = 0; i < byteCount; ++i) {
        const auto high = HexDigit(digits[2 * i]);
        const auto low = HexDigit(digits[2 * i + 1]);
        if (!high || !low) {
            return record;
        }
        bytes[i] = static_cast<BYTE>((*high << 4) | *low);
    }
    // The count byte names exactly the bytes that follow it.
    const std::size_t count = bytes[0];
    const int addressBytes = kAddressBytes[type];
    if (addressBytes < 0 || byteCount != count + 1 || count < static_cast<std::size_t>(addressBytes) + 1) {
        return record;
    }
    BYTE sum = 0;
    for (std::size_t i = 0; i < count; ++i) {
        sum = static_cast<BYTE>(sum + bytes[i]);
    }
    if (static_cast<BYTE>(255 - sum) != bytes[count]) {
        return record;
    }
    DWORD address = 0;
    for (int i = 0; i < addressBytes; ++i) {
        address = (address << 8) | bytes[1 + static_cast<std::size_t>(i)];
    }
    const std::size_t dataLength = count - static_cast<std::size_t>(addressBytes) - 1;
    for (std::size_t i = 0; i < dataLength; ++i) {
        record.data[i] = bytes[1 + static_cast<std::size_t>(addressBytes) + i];
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
