#include "target/memory_dialogs.h"

#include "res/resource_ids.h"
#include "target/target_vk3.h"
#include "frame/error_codes.h"
#include "frame/number_text.h"
#include "frame/number_text_exchange.h"

#include "platform/host/target_interfaces.h"

#include <array>
#include <cstdint>

namespace {

// The number fields are hexadecimal number texts of eight digits.
constexpr WORD kRadix = 16;
constexpr int kWidth = 8;
// A unit's bytes: the servers' buffers hold units of up to 8 bytes.
constexpr std::size_t kUnitBytes = 8;
using UnitBytes = std::array<BYTE, kUnitBytes>;

// The memory server the host hands out, or null.
IHTMemoryServer2* HostMemoryServer() {
    IHostServiceProvider* host = GetTarget()->GetHost();
    IHTMemoryServer2* server = nullptr;
    if (host == nullptr || FAILED(host->QueryService(IID_IHTMemoryServer2, reinterpret_cast<void**>(&server)))) {
        return nullptr;
    }
    return server;
}

CString HexField(std::uint64_t value) {
    CString text;
    text.Format("H'%I64X.", value);
    return text;
}

// An address and two values, as the results show them.
CString ThreeFields(DWORD address, std::uint64_t first, std::uint64_t second) {
    return HexField(address) + " " + HexField(first) + " " + HexField(second);
}

// A unit's value from its bytes, most significant first.
std::uint64_t UnitValue(const UnitBytes& bytes, DWORD unit) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < unit && i < bytes.size(); ++i) {
        value = value << 8 | bytes[i];
    }
    return value;
}

// A value's bytes as the target's memory holds them, least significant
// first.
UnitBytes MemoryBytes(DWORD value) {
    UnitBytes bytes{};
    for (std::size_t i = 0; i < sizeof(value); ++i) {
        bytes[i] = static_cast<BYTE>(value >> (8 * i));
    }
    return bytes;
}

// The text trimmed and evaluated by the host; false, after the message, when
// the host cannot read it.
bool EvaluateField(CString text, DWORD& value) {
    text.Trim();
    if (EvaluateAddressExpression(text, &value, kRadix)) {
        return true;
    }
    ShowInvalidSymbol(text);
    return false;
}

}  // namespace

CDlgMemoryCompare::CDlgMemoryCompare(CWnd* parent) : CDialog(res_id::kMemoryCompareDialog, parent) {}

void CDlgMemoryCompare::DoDataExchange(CDataExchange* exchange) {
    DDX_NumberText(exchange, res_id::kMemBegin, m_begin, kRadix, kWidth);
    DDX_NumberText(exchange, res_id::kMemEnd, m_end, kRadix, kWidth);
    DDX_NumberText(exchange, res_id::kMemSecondAddress, m_secondStart, kRadix, kWidth);
    DDX_NumberText(exchange, res_id::kMemAccessSize, m_accessSize, kRadix, kWidth);
}

void CDlgMemoryCompare::OnOK() {
    IHTMemoryServer2* server = HostMemoryServer();
    if (server == nullptr || !UpdateData(TRUE)) {
        return;
    }
    alignas(DWORD) UnitBytes first{};
    alignas(DWORD) UnitBytes second{};
    DWORD address = 0;
    const HRESULT result =
        server->CompareMemory(m_begin, m_end, m_secondStart, m_accessSize, reinterpret_cast<DWORD*>(first.data()),
                              reinterpret_cast<DWORD*>(second.data()), &address);
    // Only a difference found has an address and two values: a compare that
    // could not be made (refused, unread) shows that it failed.
    if (result == S_OK) {
        AfxMessageBox("COMPARE OK");
    } else if (result == TE_COMPARE_FAILED) {
        AfxMessageBox(ThreeFields(address, UnitValue(first, m_accessSize), UnitValue(second, m_accessSize)));
    } else {
        AfxMessageBox("COMPARE FAILED");
    }
}

CDlgMemoryCopy::CDlgMemoryCopy(CWnd* parent) : CDialog(res_id::kMemoryCopyDialog, parent) {}

void CDlgMemoryCopy::DoDataExchange(CDataExchange* exchange) {
    DDX_NumberText(exchange, res_id::kMemBegin, m_begin, kRadix, kWidth);
    DDX_NumberText(exchange, res_id::kMemEnd, m_end, kRadix, kWidth);
    DDX_NumberText(exchange, res_id::kMemSecondAddress, m_destination, kRadix, kWidth);
    DDX_NumberText(exchange, res_id::kMemAccessSize, m_accessSize, kRadix, kWidth);
    if (m_verify != 0) {
        m_verify = -1;
    }
}

void CDlgMemoryCopy::OnOK() {
    IHTMemoryServer2* server = HostMemoryServer();
    if (server == nullptr || !UpdateData(TRUE)) {
        return;
    }
    DWORD address = 0;
    const HRESULT result =
        server->CopyMemory(m_begin, m_end, m_destination, static_cast<WORD>(m_verify), m_accessSize, 0, 0, &address);
    AfxMessageBox(result == S_OK ? CString("COPY OK") : ThreeFields(address, 0, 0));
}

CDlgMemoryFind::CDlgMemoryFind(CWnd* parent) : CDialog(res_id::kMemorySearchDialog, parent) {}

void CDlgMemoryFind::DoDataExchange(CDataExchange* exchange) {
    DDX_NumberText(exchange, res_id::kMemBegin, m_begin, kRadix, kWidth);
    DDX_NumberText(exchange, res_id::kMemEnd, m_end, kRadix, kWidth);
    DDX_Text(exchange, res_id::kMemData, m_data);
    DDX_Text(exchange, res_id::kMemMask, m_mask);
    DDX_NumberText(exchange, res_id::kMemAccessSize, m_accessSize, kRadix, kWidth);
    DDX_Check(exchange, res_id::kMemSearchForward, m_searchForward);
    DDX_Check(exchange, res_id::kMemSearchEqual, m_searchEqual);
}

void CDlgMemoryFind::OnOK() {
    IHTMemoryServer2* server = HostMemoryServer();
    if (server == nullptr || !UpdateData(TRUE)) {
        return;
    }
    DWORD data = 0;
    DWORD mask = 0;
    if (!EvaluateField(m_data, data) || !EvaluateField(m_mask, mask)) {
        return;
    }
    const UnitBytes pattern = MemoryBytes(data);
    const UnitBytes maskBytes = MemoryBytes(mask);
    DWORD found = 0;
    // A unit longer than the pattern's bytes is not looked for.
    const bool hit = m_accessSize <= pattern.size() &&
                     server->SearchMemory(m_begin, m_end, static_cast<WORD>(m_searchForward),
                                          static_cast<WORD>(m_searchEqual), m_accessSize, pattern.data(),
                                          maskBytes.data(), &found) == S_OK;
    AfxMessageBox(hit ? HexField(found) : CString("FIND FAILED"));
}
