#include "startup/device_config.h"

#include "config/module_folder.h"
#include "target/target_vk3.h"

#include "platform/bstr.h"
#include "platform/crt_strings.h"
#include "platform/host/session_interfaces.h"
#include "platform/profile.h"

#include <cctype>
#include <cstdint>
#include <cstdio>

namespace {

constexpr DWORD kProfileBufferSize = 1024;
constexpr char kGroupTableFile[] = "PgDef.ini";
constexpr char kGroupTableSection[] = "MCU_GROUP_TABLE";
constexpr char kPgSection[] = "PG";
constexpr char kFamilyEmulator[] = "Q3";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool EndsTokenBefore(char c) {
    return c == '"' || c == '[' || c == ']' || c == '|';
}

bool IsSeparator(char c) {
    return c == ',' || c == '[' || c == ']' || c == '|';
}

std::string ReadIni(const char* section, const std::string& key, const char* defaultValue, const std::string& file) {
    if (key.empty()) {
        return defaultValue;
    }
    char buffer[kProfileBufferSize] = "";
    GetPrivateProfileStringA(section, key.c_str(), defaultValue, buffer, kProfileBufferSize, file.c_str());
    return buffer;
}

bool IsHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// A hexadecimal text as the 32-bit run time's strtoul reads it: blanks, a
// sign, an optional "0x", the digits; 0 without digits, 0xFFFFFFFF beyond
// 32 bits. (The 64-bit run time's would keep the low half instead.)
DWORD ReadHex(const std::string& text) {
    const char* p = text.c_str();
    while (std::isspace(static_cast<unsigned char>(*p)) != 0) {
        ++p;
    }
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') {
        ++p;
    }
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && IsHexDigit(p[2])) {
        p += 2;
    }
    std::uint64_t value = 0;
    for (; IsHexDigit(*p); ++p) {
        value = value * 16 + static_cast<std::uint64_t>(std::isdigit(static_cast<unsigned char>(*p)) != 0
                                                            ? *p - '0'
                                                            : std::tolower(static_cast<unsigned char>(*p)) - 'a' + 10);
        if (value > 0xFFFFFFFFu) {
            return 0xFFFFFFFFu;
        }
    }
    return negative ? static_cast<DWORD>(0u - static_cast<DWORD>(value)) : static_cast<DWORD>(value);
}

// The value of FIRMWARE or WORK_RAM: the part before the first ',' as a
// hexadecimal number and its "%X" text; an empty part gives 0 and no text.
void ReadAddress(const std::string& value, DWORD& address, std::string& text) {
    const std::string part = value.substr(0, value.find(','));
    if (part.empty()) {
        address = 0;
        text.clear();
        return;
    }
    address = ReadHex(part);
    char formatted[16];
    std::snprintf(formatted, sizeof(formatted), "%X", static_cast<unsigned>(address));
    text = formatted;
}

// The ANSI form of a host text, cut at the description's length.
std::string Cut(const platform::Bstr& text) {
    std::string ansi = text.Ansi();
    if (ansi.size() > CDeviceConfig::kMaxText) {
        ansi.resize(CDeviceConfig::kMaxText);
    }
    return ansi;
}

}  // namespace

void CDeviceConfig::Clear() {
    m_cpuType.clear();
    m_romSize.clear();
    m_mcuGroup.clear();
    m_device.clear();
    m_emulator.clear();
    m_firmwareText.clear();
    m_workRamText.clear();
    m_firmwareAddress = 0;
    m_workRamAddress = 0;
    m_placementByAddress = 1;
    m_dataFlashBlock = 0;
}

std::optional<std::string> CDeviceConfig::NextToken(const std::string& text, std::size_t& position) {
    while (position < text.size() && IsBlank(text[position])) {
        ++position;
    }
    if (position >= text.size()) {
        return std::nullopt;
    }
    std::string token;
    const char first = text[position];
    if (first == '"') {
        ++position;
        while (position < text.size() && text[position] != '"') {
            if (token.size() < kMaxText) {
                token += text[position];
            }
            ++position;
        }
        // Past the closing quote, the character after it is skipped too;
        // neither step leaves the text.
        for (int step = 0; step < 2 && position < text.size(); ++step) {
            ++position;
        }
        return token;
    }
    if (IsSeparator(first)) {
        ++position;
        return std::string(1, first);
    }
    while (position < text.size()) {
        const char c = text[position];
        if (IsBlank(c)) {
            ++position;
            continue;
        }
        if (EndsTokenBefore(c)) {
            break;
        }
        if (token.size() < kMaxText) {
            token += c;
        }
        ++position;
        if (c == ',') {
            break;  // a comma after other characters is the token's last
        }
    }
    return token;
}

void CDeviceConfig::ParseDescription(const std::string& text) {
    Clear();
    std::size_t position = 0;
    while (const auto token = NextToken(text, position)) {
        std::string* field = nullptr;
        if (*token == "CPUTYPE") {
            field = &m_cpuType;
        } else if (*token == "ROM_SIZE") {
            field = &m_romSize;
        } else if (*token == "EMULATOR") {
            field = &m_emulator;
        }
        const bool firmware = *token == "FIRMWARE";
        const bool workRam = *token == "WORK_RAM";
        if (field == nullptr && !firmware && !workRam) {
            continue;
        }
        if (!NextToken(text, position)) {  // the separator
            break;
        }
        const auto value = NextToken(text, position);
        if (!value) {
            break;
        }
        if (field != nullptr) {
            *field = *value;
        } else if (firmware) {
            ReadAddress(*value, m_firmwareAddress, m_firmwareText);
        } else {
            ReadAddress(*value, m_workRamAddress, m_workRamText);
        }
    }
}

void CDeviceConfig::ReadFlashBlocks() {
    const std::string& folder = GetModuleDirectory();
    m_mcuGroup = ReadIni(kGroupTableSection, m_cpuType, "", folder + kGroupTableFile);
    const std::string groupFile = folder + m_mcuGroup + ".cnf";
    m_device = m_mcuGroup.empty() ? std::string() : ReadIni(kPgSection, "ROM_" + m_romSize, "", groupFile);
    m_placementByAddress = 1;
    if (m_mcuGroup.empty() || m_device.empty()) {
        return;
    }
    const DWORD count = ReadHex(ReadIni(m_device.c_str(), "FLASHBLOCK", "0", groupFile));
    for (DWORD n = 0; n < count; ++n) {
        char key[32];
        std::snprintf(key, sizeof(key), "DATAFLASH_BLOCK%u", static_cast<unsigned>(n));
        const std::string start = ReadIni(kPgSection, key, "", groupFile);
        if (start.empty()) {
            break;
        }
        if (ReadHex(start) == m_firmwareAddress) {
            m_placementByAddress = 0;
            m_dataFlashBlock = n;
            break;
        }
    }
}

std::optional<std::string> CDeviceConfig::GetHostDescription() {
    IHostServiceProvider* host = GetTarget()->GetHost();
    if (host == nullptr) {
        return std::nullopt;
    }
    IHBuildSettings* settings = nullptr;
    if (FAILED(host->QueryService(IID_IHBuildSettings, reinterpret_cast<void**>(&settings))) || settings == nullptr) {
        return std::nullopt;
    }
    platform::Bstr first;
    platform::Bstr second;
    platform::Bstr third;
    if (FAILED(settings->GetFirstText(first.Out())) || FAILED(settings->GetSecondText(second.Out())) ||
        FAILED(settings->GetThirdText(third.Out()))) {
        return std::nullopt;
    }
    IHDeviceDescription* descriptions = nullptr;
    if (FAILED(host->QueryService(IID_IHDeviceDescription, reinterpret_cast<void**>(&descriptions))) ||
        descriptions == nullptr) {
        return std::nullopt;
    }
    platform::Bstr description;
    if (FAILED(descriptions->GetDescription(first.Get(), second.Get(), third.Get(), description.Out()))) {
        return std::nullopt;
    }
    return Cut(description);
}

bool CDeviceConfig::Read(DeviceSelectionRecord& record) {
    const auto description = GetHostDescription();
    if (!description) {
        return false;
    }
    ParseDescription(*description);
    ReadFlashBlocks();
    record = DeviceSelectionRecord{m_mcuGroup,       m_device,         m_emulator,
                                   m_firmwareText,   m_workRamText,    m_firmwareAddress,
                                   m_workRamAddress, m_placementByAddress, m_dataFlashBlock};
    return _stricmp(m_emulator.c_str(), kFamilyEmulator) == 0 && !m_cpuType.empty() && !m_romSize.empty() &&
           !m_device.empty();
}
