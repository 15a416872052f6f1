#include "monitor/monitor_object.h"

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr unsigned kWordBits = 32;

}  // namespace

void CMonitorObject::FormatHex(DWORD value, char* destination, std::size_t digits) {
    for (std::size_t i = 0; i < digits; ++i) {
        const std::size_t shift = 4 * (digits - 1 - i);
        destination[i] = shift < kWordBits ? kHexDigits[(value >> shift) & 0xF] : '0';
    }
}

void CMonitorObject::FormatAscii(DWORD value, char* destination, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const auto shift = static_cast<unsigned>((8 * (count - 1 - i)) % kWordBits);
        const auto byte = static_cast<BYTE>(value >> shift);
        destination[i] = byte < 0x20 || byte >= 0x7F ? '.' : static_cast<char>(byte);
    }
}

int CMonitorObject::HexDigitValue(char character) {
    if (character >= '0' && character <= '9') {
        return character - '0';
    }
    if (character >= 'A' && character <= 'F') {
        return character - 'A' + 10;
    }
    return -1;
}
