#include "monitor/trace_row_format.h"

#include "monitor/trace_memory.h"
#include "config/device_data.h"

#include "platform/bstr.h"
#include "platform/host/status_interfaces.h"

#include <array>

namespace {

constexpr char kEmulatorCode[] = "*** EML ***";

bool InEmulatorArea(DWORD address) {
    const DeviceArea& area = g_deviceAreas[kAreaAse1];
    return area.enable != 0 && area.Contains(address);
}

}  // namespace

std::string FormatTraceRow(IHostServiceProvider* host, const BYTE* bytes, DWORD address) {
    if (InEmulatorArea(address)) {
        return kEmulatorCode;
    }
    IHDisassembler* disassembler = nullptr;
    if (host != nullptr) {
        host->QueryService(IID_IHDisassembler, reinterpret_cast<void**>(&disassembler));
    }
    platform::Bstr text;
    if (disassembler == nullptr || FAILED(disassembler->Disassemble(address, bytes, text.Out()))) {
        return {};
    }
    return text.Ansi();
}

std::string FormatInstructionAt(IHostServiceProvider* host, CTraceMemoryAccess* memory, DWORD address) {
    if (InEmulatorArea(address)) {
        return kEmulatorCode;
    }
    std::array<BYTE, kTraceInstructionBytes> bytes{};
    if (memory == nullptr || !memory->Read(address, kTraceInstructionBytes, 1, bytes.data())) {
        return {};
    }
    return FormatTraceRow(host, bytes.data(), address);
}
