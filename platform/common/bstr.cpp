#include "platform/bstr.h"

#include "platform/codepage.h"

#include <atomic>
#include <limits>
#include <utility>

namespace platform {
namespace {

// OLECHAR is char16_t on Linux and wchar_t on Windows; both hold UTF-16 code
// units, so the texts pass between them unchanged.
const char16_t* AsUtf16(const OLECHAR* text) {
    return reinterpret_cast<const char16_t*>(text);
}

const OLECHAR* AsOleText(const char16_t* text) {
    return reinterpret_cast<const OLECHAR*>(text);
}

// The allocations a BstrAllocationFault still lets through; negative when
// none is in place.
std::atomic<int> allocationsBeforeFault{-1};

// True when an installed fault takes this allocation.
bool FaultTakes() {
    int left = allocationsBeforeFault.load();
    while (left > 0 && !allocationsBeforeFault.compare_exchange_weak(left, left - 1)) {
    }
    return left == 0;
}

BSTR AllocOrThrow(std::u16string_view text) {
    if (text.size() > std::numeric_limits<UINT>::max() / sizeof(OLECHAR) || FaultTakes()) {
        throw ComError(E_OUTOFMEMORY);
    }
    BSTR copy = SysAllocStringLen(AsOleText(text.data()), static_cast<UINT>(text.size()));
    if (copy == nullptr) {
        throw ComError(E_OUTOFMEMORY);
    }
    return copy;
}

}  // namespace

BstrAllocationFault::BstrAllocationFault(int successes) {
    allocationsBeforeFault = successes < 0 ? 0 : successes;
}

BstrAllocationFault::~BstrAllocationFault() {
    allocationsBeforeFault = -1;
}

BSTR AllocBstr(std::string_view ansi) {
    return AllocOrThrow(AnsiToWide(ansi));
}

std::string BstrToAnsi(BSTR text) {
    return WideToAnsi(BstrToWide(text));
}

// The whole counted text, embedded NULs included.
std::u16string BstrToWide(BSTR text) {
    if (text == nullptr) {
        return {};
    }
    return std::u16string(AsUtf16(text), SysStringLen(text));
}

// A null text stays a null BSTR, which is the empty text.
Bstr::Bstr(const OLECHAR* wide) : text_(wide != nullptr ? AllocOrThrow(AsUtf16(wide)) : nullptr) {}

Bstr& Bstr::operator=(Bstr&& other) noexcept {
    if (this != &other) {
        SysFreeString(text_);
        text_ = other.Detach();
    }
    return *this;
}

BSTR* Bstr::Out() {
    SysFreeString(text_);
    text_ = nullptr;
    return &text_;
}

BSTR Bstr::Detach() {
    return std::exchange(text_, nullptr);
}

}  // namespace platform
