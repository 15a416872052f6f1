#include "sim/host/program_image.h"

#include "platform/paths.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

namespace simhost {
namespace {

constexpr std::uint64_t kAddressLimit = 0x100000000ull;
constexpr std::uint32_t kResetVector = 0xFFFC;

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// The bytes of a record after "Sn", or an error text.
std::optional<std::vector<std::uint8_t>> HexBytes(std::string_view digits, std::string& error) {
    if (digits.size() % 2 != 0) {
        error = "odd number of hexadecimal digits";
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(digits.size() / 2);
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        const int high = HexDigit(digits[i]);
        const int low = HexDigit(digits[i + 1]);
        if (high < 0 || low < 0) {
            error = "not a hexadecimal digit";
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
    }
    return bytes;
}

// The address width of a record type; 0 for one that is not a record.
std::size_t AddressWidth(char type) {
    switch (type) {
    case '0':
    case '1':
    case '5':
    case '9':
        return 2;
    case '2':
    case '6':
    case '8':
        return 3;
    case '3':
    case '7':
        return 4;
    default:
        return 0;
    }
}

class Reader {
public:
    // One line (without its line end); false and the error when it is broken.
    bool Line(std::string_view line, std::string& error) {
        if (line.size() < 2 || line[0] != 'S' || AddressWidth(line[1]) == 0) {
            error = "not an S-record";
            return false;
        }
        const char type = line[1];
        const auto bytes = HexBytes(line.substr(2), error);
        if (!bytes) {
            return false;
        }
        const std::size_t width = AddressWidth(type);
        if (bytes->empty() || bytes->front() != bytes->size() - 1 || bytes->size() < width + 2) {
            error = "wrong byte count";
            return false;
        }
        unsigned sum = 0;
        for (const std::uint8_t byte : *bytes) {
            sum += byte;
        }
        if ((sum & 0xFF) != 0xFF) {
            error = "bad checksum";
            return false;
        }
        if (type < '1' || type > '3') {
            ended_ = ended_ || type >= '7';
            return true;
        }
        std::uint64_t address = 0;
        for (std::size_t i = 1; i <= width; ++i) {
            address = address << 8 | (*bytes)[i];
        }
        const std::size_t first = width + 1;
        const std::size_t count = bytes->size() - first - 1;
        if (address + count > kAddressLimit) {
            error = "data past 0xFFFFFFFF";
            return false;
        }
        for (std::size_t i = 0; i < count; ++i) {
            bytes_[static_cast<std::uint32_t>(address + i)] = (*bytes)[first + i];
        }
        return true;
    }
    bool Ended() const { return ended_; }
    ProgramImage Image() const {
        ProgramImage image;
        for (const auto& [address, byte] : bytes_) {
            if (image.runs.empty() || image.runs.back().Last() + 1 != address || image.runs.back().Last() == 0xFFFFFFFFu) {
                image.runs.push_back({address, {}});
            }
            image.runs.back().bytes.push_back(byte);
        }
        return image;
    }
    bool Empty() const { return bytes_.empty(); }

private:
    std::map<std::uint32_t, std::uint8_t> bytes_;
    bool ended_ = false;
};

}  // namespace

std::size_t ProgramImage::ByteCount() const {
    std::size_t count = 0;
    for (const ProgramRun& run : runs) {
        count += run.bytes.size();
    }
    return count;
}

std::optional<std::uint32_t> ProgramImage::ResetVector() const {
    for (const ProgramRun& run : runs) {
        if (run.start <= kResetVector && run.Last() >= kResetVector + 2) {
            const std::size_t at = kResetVector - run.start;
            return static_cast<std::uint32_t>(run.bytes[at] | run.bytes[at + 1] << 8 | run.bytes[at + 2] << 16);
        }
    }
    return std::nullopt;
}

ProgramRead ReadSRecords(std::string_view text, const std::string& name) {
    Reader reader;
    std::size_t lineNumber = 0;
    std::size_t position = 0;
    while (position < text.size() && !reader.Ended()) {
        std::size_t end = text.find('\n', position);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(position, end - position);
        position = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty()) {
            continue;
        }
        std::string error;
        if (!reader.Line(line, error)) {
            return {std::nullopt, name + " line " + std::to_string(lineNumber) + ": " + error};
        }
    }
    if (reader.Empty()) {
        return {std::nullopt, name + ": no data records"};
    }
    return {reader.Image(), {}};
}

ProgramRead ReadSRecordFile(const std::string& path) {
    const auto native = platform::ToNativePath(path);
    // A folder would open and throw at its first read; a pipe would wait
    // for a writer.
    std::error_code failure;
    if (native && std::filesystem::exists(*native, failure) && !std::filesystem::is_regular_file(*native, failure)) {
        return {std::nullopt, path + ": a folder or device, not a program file"};
    }
    std::ifstream file;
    if (native) {
        file.open(*native, std::ios::binary);
    }
    if (!file) {
        return {std::nullopt, path + ": cannot open the file"};
    }
    // A read that fails (an I/O error) throws from inside the iterator.
    std::string text;
    try {
        text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        return {std::nullopt, path + ": cannot read the file"};
    }
    return ReadSRecords(text, path);
}

}  // namespace simhost
