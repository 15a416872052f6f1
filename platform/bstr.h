// Conversions between ANSI texts and BSTRs, and an owning BSTR holder in the
// manner of the compiler's COM string helper.
#pragma once

#include "platform/com.h"

#include <string>
#include <string_view>

namespace platform {

// A new BSTR holding the text converted from the ANSI code page (the caller
// frees it). Throws ComError(E_OUTOFMEMORY) when it cannot be allocated.
BSTR AllocBstr(std::string_view ansi);
// The ANSI form of a BSTR (a null BSTR is the empty text).
std::string BstrToAnsi(BSTR text);
std::u16string BstrToWide(BSTR text);

// The error the COM string helper raises.
class ComError {
public:
    explicit ComError(HRESULT code) : code_(code) {}
    HRESULT Error() const { return code_; }

private:
    HRESULT code_;
};

// For tests of what runs out of memory: while one lives, AllocBstr fails
// (throws ComError(E_OUTOFMEMORY)) once the given number of allocations has
// succeeded. One at a time, process-wide.
class BstrAllocationFault {
public:
    explicit BstrAllocationFault(int successes = 0);
    ~BstrAllocationFault();
    BstrAllocationFault(const BstrAllocationFault&) = delete;
    BstrAllocationFault& operator=(const BstrAllocationFault&) = delete;
};

// Owns one BSTR and frees it on every exit.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::string_view ansi) : text_(AllocBstr(ansi)) {}
    explicit Bstr(const OLECHAR* wide);
    ~Bstr() { SysFreeString(text_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& other) noexcept : text_(other.Detach()) {}
    Bstr& operator=(Bstr&& other) noexcept;

    BSTR Get() const { return text_; }
    // Frees the held text and answers the address to receive a new one.
    BSTR* Out();
    BSTR Detach();
    std::string Ansi() const { return BstrToAnsi(text_); }
    UINT Length() const { return SysStringLen(text_); }

private:
    BSTR text_ = nullptr;
};

}  // namespace platform
