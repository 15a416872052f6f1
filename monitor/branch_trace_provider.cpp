#include "monitor/branch_trace_provider.h"

#include "monitor/trace_memory.h"
#include "monitor/trace_row_format.h"
#include "config/device_data.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr char kHeader[] = "PTR\tIP\tType\tAddress\tInstruction";
constexpr LONG kColumnKinds[] = {1, -1, 3, 2, 5};
constexpr char kBranch[] = "BRANCH";
constexpr BYTE kTraceRecording = 0x02;
constexpr DWORD kLargestBlock = 64;
constexpr DWORD kWordBlock = 8;
constexpr DWORD kEmptyWord = 0xFFFF;
constexpr DWORD kEmptyAddress = 0xFFFFF;  // the low 20 bits of an empty 3-byte register

BranchTraceLayout DeviceLayout() {
    return BranchTraceLayout{g_deviceValues.traceBufSize, g_deviceValues.regTrcbr};
}

}  // namespace

BranchTraceBlock BranchTraceBlockOf(const BranchTraceLayout& layout) {
    const DWORD first = layout.registers[0];
    const DWORD last = layout.registers[3];
    if ((layout.bufferSize != 2 && layout.bufferSize != 3) || last < first ||
        std::any_of(layout.registers.begin(), layout.registers.end(),
                    [&](DWORD address) { return address < first || address > last; })) {
        return {};
    }
    const DWORD length = last - first + layout.bufferSize;
    if (length > kLargestBlock || (layout.bufferSize == 2 && length < kWordBlock)) {
        return {};
    }
    return {length, layout.bufferSize == 2 ? 2u : 1u};
}

std::vector<DWORD> BranchAddresses(const BranchTraceLayout& layout, const BYTE* block) {
    std::vector<DWORD> addresses;
    for (std::size_t i = 0; i < layout.registers.size(); ++i) {
        DWORD value = 0;
        bool empty = false;
        if (layout.bufferSize == 2) {
            value = block[2 * i] * 256u + block[2 * i + 1];
            empty = value == kEmptyWord;
        } else {
            const DWORD offset = layout.registers[i] - layout.registers[0];
            value = block[offset] | (block[offset + 1] << 8) | (static_cast<DWORD>(block[offset + 2]) << 16);
            empty = (value & kEmptyAddress) == kEmptyAddress;
        }
        if (!empty) {
            // The first register holds the newest branch.
            addresses.insert(addresses.begin(), value);
        }
    }
    return addresses;
}

CBranchTraceListProvider::CBranchTraceListProvider(IHostServiceProvider* host, CTraceMemoryAccess* memory)
    : CTraceHandler(host, memory) {}

HRESULT CBranchTraceListProvider::OnTargetOpen() {
    DeleteRecords();
    const HRESULT opened = CTraceHandler::OnTargetOpen();
    if (FAILED(opened)) {
        return opened;
    }
    BYTE control = 0;
    CTraceMemoryAccess* memory = Memory();
    if (memory == nullptr || !memory->Read(g_deviceValues.regTrc, 1, 1, &control)) {
        return E_FAIL;
    }
    control |= kTraceRecording;
    return memory->Write(g_deviceValues.regTrc, 1, &control) ? S_OK : E_FAIL;
}

void CBranchTraceListProvider::BuildRecords() {
    const BranchTraceLayout layout = DeviceLayout();
    const BranchTraceBlock block = BranchTraceBlockOf(layout);
    CTraceMemoryAccess* memory = Memory();
    if (block.length == 0 || memory == nullptr) {
        return;
    }
    std::vector<BYTE> bytes(block.length);
    if (!memory->Read(layout.registers[0], block.length, block.unitSize, bytes.data())) {
        return;
    }
    for (const DWORD address : BranchAddresses(layout, bytes.data())) {
        AddAtTail(std::make_unique<CTraceRecord>(address, kBranch));
    }
    Renumber();
}

std::string CBranchTraceListProvider::FormatRow(CTraceRecord& record) {
    const LONG pointer = Pointer(record);
    const std::string instruction =
        record.m_valid != 0 ? FormatInstructionAt(GetHost(), Memory(), record.m_address) : std::string();
    char text[96];
    std::snprintf(text, sizeof(text), "%+07ld\t%04ld\t%s\t%08X\t", static_cast<long>(pointer),
                  static_cast<long>(pointer < 0 ? -pointer : pointer), record.m_type.c_str(),
                  static_cast<unsigned>(record.m_address));
    return text + instruction;
}

const char* CBranchTraceListProvider::GetHeaderText() const {
    return kHeader;
}

std::span<const LONG> CBranchTraceListProvider::GetColumnKinds() const {
    return kColumnKinds;
}
