#include "sim/host/debug_services.h"

#include "platform/bstr.h"
#include "sim/host/query_answer.h"

#include <cstdio>

namespace simhost {
namespace {

struct Opcodes {
    BYTE callShort, callWord, callAbsolute, returnSub, returnInterrupt, breakByte;
};
constexpr Opcodes kOpcodes{0xEF, 0xF5, 0xFD, 0xF3, 0xFB, 0x00};
constexpr Opcodes kOpcodesType3{0xDD, 0xCF, 0xCD, 0xDF, 0x9E, 0x08};

constexpr BYTE kNop = 0x04;
constexpr BYTE kJumpShort = 0xFE;
constexpr BYTE kJumpWord = 0xF4;
constexpr BYTE kJumpAbsolute = 0xFC;
constexpr BYTE kExtension = 0x7D;
constexpr BYTE kExitFrame = 0xF2;

std::string WithTarget(const char* mnemonic, DWORD target) {
    char text[32];
    std::snprintf(text, sizeof(text), "%s %06X", mnemonic, static_cast<unsigned>(target & 0xFFFFFF));
    return text;
}

DWORD Short(DWORD address, BYTE displacement) {
    return address + 1 + static_cast<DWORD>(static_cast<std::int8_t>(displacement));
}

DWORD Word(DWORD address, BYTE low, BYTE high) {
    return address + 1 + static_cast<DWORD>(static_cast<std::int16_t>(low | (high << 8)));
}

DWORD Absolute(const BYTE* bytes) {
    return bytes[1] | (bytes[2] << 8) | (static_cast<DWORD>(bytes[3]) << 16);
}

}  // namespace

HRESULT HostExecution::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHExecutionService*>(this), iid, IID_IHExecutionService, object);
}

HRESULT HostExecution::QueryExecuting() {
    const bool executing = executing_;
    log_.Add("QueryExecuting", executing ? "yes" : "no");
    return executing ? S_OK : E_FAIL;
}

HRESULT HostDisassembler::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHDisassembler*>(this), iid, IID_IHDisassembler, object);
}

std::string HostDisassembler::Text(DWORD address, const BYTE* bytes) const {
    const Opcodes& op = protocolType_ == 3 ? kOpcodesType3 : kOpcodes;
    const BYTE opcode = bytes[0];
    if (opcode == op.breakByte) {
        return "BRK";
    }
    if (opcode == kNop) {
        return "NOP";
    }
    if (opcode == kJumpShort) {
        return WithTarget("JMP.B", Short(address, bytes[1]));
    }
    if (opcode == kJumpWord) {
        return WithTarget("JMP.W", Word(address, bytes[1], bytes[2]));
    }
    if (opcode == kJumpAbsolute) {
        return WithTarget("JMP.A", Absolute(bytes));
    }
    if (opcode == op.callShort) {
        return WithTarget("JSR.B", Short(address, bytes[1]));
    }
    if (opcode == op.callWord) {
        return WithTarget("JSR.W", Word(address, bytes[1], bytes[2]));
    }
    if (opcode == op.callAbsolute) {
        return WithTarget("JSR.A", Absolute(bytes));
    }
    if (opcode == op.returnSub) {
        return "RTS";
    }
    if (opcode == op.returnInterrupt) {
        return "REIT";
    }
    if (opcode == kExtension && bytes[1] == kExitFrame && protocolType_ != 3) {
        return "EXITD";
    }
    char text[16];
    std::snprintf(text, sizeof(text), ".BYTE %02X", opcode);
    return text;
}

HRESULT HostDisassembler::Disassemble(DWORD address, const BYTE* bytes, BSTR* text) {
    if (bytes == nullptr || text == nullptr) {
        return E_POINTER;
    }
    const std::string instruction = Text(address, bytes);
    char where[16];
    std::snprintf(where, sizeof(where), "%06X", static_cast<unsigned>(address));
    log_.Add("Disassemble", std::string(where) + "|" + instruction);
    *text = platform::AllocBstr(instruction);
    return S_OK;
}

}  // namespace simhost
