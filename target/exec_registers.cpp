// The register cache between the host's register array and the monitor's
// register image, the device's register table, the guarded-area check and
// the version report when the handler opens.
#include "target/target_exec_vk3.h"

#include "link/link_state.h"
#include "monitor/monitor_control.h"
#include "monitor/monitor_engine.h"
#include "link/monitor_services.h"
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "target/host_access_guard.h"
#include "config/settings_files.h"

#include "platform/bstr.h"
#include "platform/mbstring.h"

#include <array>
#include <cstdio>
#include <string>

namespace {

constexpr std::size_t kRegisterCount = 20;
constexpr std::size_t kPcRow = 14;
constexpr std::size_t kUspRow = 16;
constexpr std::size_t kFlgRow = 19;
constexpr HRESULT kNotAvailable = 0x80042001;

constexpr std::array<RegisterDescriptor, kRegisterCount> kRegisterTable{{
    {"0R0", 2, 0},  {"0R1", 2, 1},   {"0R2", 2, 2},  {"0R3", 2, 3},  {"0A0", 2, 4},  {"0A1", 2, 5},  {"0FB", 2, 6},
    {"1R0", 2, 7},  {"1R1", 2, 8},   {"1R2", 2, 9},  {"1R3", 2, 10}, {"1A0", 2, 11}, {"1A1", 2, 12}, {"1FB", 2, 13},
    {"PC", 3, 14},  {"INTB", 3, 15}, {"USP", 2, 16}, {"ISP", 2, 17}, {"SB", 2, 18},  {"FLG", 2, 19},
}};
// The monitor's register numbers, in table order.
constexpr std::array<DWORD, kRegisterCount> kMonitorNumbers{0,  2,  4,  6,  8,  10, 12, 14, 16, 18,
                                                            20, 22, 24, 26, 28, 31, 34, 36, 38, 40};

}  // namespace

DWORD CTargetExecVk3::GetRegisterCount() {
    return kRegisterCount;
}

const RegisterDescriptor* CTargetExecVk3::GetRegisterDescriptor(DWORD row) {
    return row < kRegisterCount ? &kRegisterTable[row] : nullptr;
}

const RegisterDescriptor* CTargetExecVk3::FindRegisterByIndex(DWORD index) {
    for (const RegisterDescriptor& row : kRegisterTable) {
        if (row.index == index) {
            return &row;
        }
    }
    return nullptr;
}

int CTargetExecVk3::FindRegisterIndexByName(const char* name) {
    if (name == nullptr) {
        return -1;
    }
    for (const RegisterDescriptor& row : kRegisterTable) {
        if (_mbsicmp(reinterpret_cast<const unsigned char*>(row.name), reinterpret_cast<const unsigned char*>(name)) ==
            0) {
            return static_cast<int>(row.index);
        }
    }
    return -1;
}

BOOL CTargetExecVk3::LoadRegistersFromHost() {
    if (const std::uint64_t* array = HostArray()) {
        for (std::size_t i = 0; i < kRegisterCount; ++i) {
            g_registerImage[i] = static_cast<DWORD>(array[i]);
        }
    }
    return TRUE;
}

BOOL CTargetExecVk3::StoreRegistersToHost() {
    if (std::uint64_t* array = HostArray()) {
        for (std::size_t i = 0; i < kRegisterCount; ++i) {
            array[i] = (array[i] & 0xFFFFFFFF00000000ULL) | g_registerImage[i];
        }
    }
    return TRUE;
}

HRESULT CTargetExecVk3::SetOption(DWORD_PTR value) {
    const HRESULT result = CTargetExec2::SetOption(value);
    m_hostArray = reinterpret_cast<std::uint64_t*>(value);
    if (value != 0) {
        InitRegisters();
    }
    return result;
}

void CTargetExecVk3::InitRegisters() {
    CHostAccessGuard guard;
    guard.SetHeld(1);
    if (g_monitorControl != nullptr) {
        // A monitor that cannot be set up leaves the image as it was; the
        // host then shows those values.
        static_cast<void>(g_monitorControl->InitMonitor());
    }
    StoreRegistersToHost();
}

DWORD CTargetExecVk3::GetPC() const {
    const std::uint64_t* array = HostArray();
    return array != nullptr ? static_cast<DWORD>(array[kPcRow]) & g_deviceValues.maxAddr : 0;
}

DWORD CTargetExecVk3::GetFlags() const {
    const std::uint64_t* array = HostArray();
    return array != nullptr ? static_cast<DWORD>(array[kFlgRow]) : 0;
}

DWORD CTargetExecVk3::GetStackPointer() const {
    const std::uint64_t* array = HostArray();
    return array != nullptr ? static_cast<DWORD>(array[kUspRow]) : 0;
}

void CTargetExecVk3::SetPC(DWORD value) {
    if (std::uint64_t* array = HostArray()) {
        array[kPcRow] = (array[kPcRow] & 0xFFFFFFFF00000000ULL) | value;
    }
    WriteChangedRegister();
}

void CTargetExecVk3::SetFlags(DWORD value) {
    if (std::uint64_t* array = HostArray()) {
        array[kFlgRow] = (array[kFlgRow] & 0xFFFFFFFF00000000ULL) | value;
    }
    WriteChangedRegister();
}

void CTargetExecVk3::SetStackPointer(DWORD value) {
    if (std::uint64_t* array = HostArray()) {
        array[kUspRow] = (array[kUspRow] & 0xFFFFFFFF00000000ULL) | value;
    }
    WriteChangedRegister();
}

void CTargetExecVk3::WriteChangedRegister() {
    if (g_emuResponse == nullptr || g_emuResponse->RunStatus() != CEmuResponse::kStopped) {
        ShowTargetMessage(res_id::kNotCurrentlyAvailable, MB_ICONEXCLAMATION);
        return;
    }
    IHRegisterService* registers = nullptr;
    if (m_host == nullptr ||
        FAILED(m_host->QueryService(IID_IHRegisterService, reinterpret_cast<void**>(&registers))) ||
        registers == nullptr || g_monitorEngine == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < kRegisterCount; ++i) {
        const platform::Bstr name(kRegisterTable[i].name);
        DWORD value = 0;
        if (FAILED(registers->GetValueByName(name.Get(), &value)) || value == g_registerImage[i]) {
            continue;
        }
        BYTE bytes[4] = {};
        WORD width = 0;
        if (FAILED(registers->GetBytesByName(name.Get(), bytes, &width))) {
            return;
        }
        if (width == 2) {
            bytes[2] = bytes[0];
            bytes[3] = bytes[1];
            bytes[0] = bytes[1] = 0;
        } else if (width == 1) {
            bytes[3] = bytes[0];
            bytes[0] = bytes[1] = bytes[2] = 0;
        }
        CHostAccessGuard guard;
        guard.SetHeld(1);
        static_cast<void>(g_monitorEngine->MonitorSetRegister(kMonitorNumbers[i], bytes));  // its line is in the reply
        EmuReplyPtr record;
        static_cast<void>(g_emuResponse->CheckError(record));  // the record is only released
        return;
    }
}

DWORD CTargetExecVk3::CheckGuardedArea() {
    const DWORD pc = GetPC();
    const DWORD sp = GetStackPointer();
    // The memory map spans the device's space up to its top address.
    const DWORD high = g_deviceValues.maxAddr;
    if (sp > high) {
        ShowTargetError("Stack pointer in guarded area", MB_OK);
        return kNotAvailable;
    }
    if (pc > high) {
        ShowTargetError("Program counter in guarded area", MB_OK);
        return kNotAvailable;
    }
    return 0;
}

void CTargetExecVk3::ReportVersions() {
    if (g_protocolType != 0) {
        const std::string text = std::string("Boot version \"") + g_mcuVersionInfo.data() + "\"";
        ReportToHost(text.c_str());
    }
    AdapterVersionRecord bytes = g_adapterVersionWords;
    if (bytes[0] == 0xFF) {
        return;
    }
    bytes[6] = static_cast<BYTE>(bytes[7] >> 4);
    bytes[7] = static_cast<BYTE>(bytes[7] & 0x0F);
    bytes[10] = static_cast<BYTE>(bytes[11] >> 4);
    bytes[11] = static_cast<BYTE>(bytes[11] & 0x0F);
    bytes[13] = bytes[14];
    bytes[14] = static_cast<BYTE>(bytes[15] >> 4);
    bytes[15] = static_cast<BYTE>(bytes[15] & 0x0F);
    std::string digits;
    for (const BYTE byte : bytes) {
        digits += std::to_string(byte).front();
    }
    const std::string text = "Q3v firmware version \"" + digits.substr(3, 1) + "." + digits.substr(6, 2) + "." +
                             digits.substr(10, 2) + "." + digits.substr(13, 3) + "\"";
    ReportToHost(text.c_str());
}
