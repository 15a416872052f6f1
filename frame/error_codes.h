// The plug-in's error codes, the error-code table service and the error
// reporter that each handler owns.
#pragma once

#include "platform/host/interfaces.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// The plug-in's own error codes: failure HRESULTs of the interface facility.
constexpr HRESULT MakeTargetError(std::uint16_t number) {
    return static_cast<HRESULT>(0x80040000u | number);
}
inline constexpr HRESULT TE_DLL_ERROR = MakeTargetError(0x0201);              // "DLL error"
inline constexpr HRESULT TE_FILE_READ_ERROR = MakeTargetError(0x0216);        // "File Read error"
inline constexpr HRESULT TE_FILE_WRITE_ERROR = MakeTargetError(0x0217);       // "File Write error"
inline constexpr HRESULT TE_NOT_AVAILABLE = MakeTargetError(0x2001);          // "Not currently available"
inline constexpr HRESULT TE_INVALID_ADDRESS = MakeTargetError(0x2010);        // "Invalid address value"
inline constexpr HRESULT TE_INVALID_INDEX = MakeTargetError(0x2012);          // "Invalid index value"
inline constexpr HRESULT TE_INVALID_PARAMETER = MakeTargetError(0x2019);      // "Invalid parameter"
inline constexpr HRESULT TE_COMPARE_FAILED = MakeTargetError(0x2020);         // "Compare failed"
inline constexpr HRESULT TE_FIND_FAILED = MakeTargetError(0x2021);            // "Find failed"
inline constexpr HRESULT TE_TABLE_FULL = MakeTargetError(0x2023);             // "Table full": break refused
inline constexpr HRESULT TE_NO_SUCH_BREAKPOINT = MakeTargetError(0x2035);     // "Cannot find specified breakpoint."

// One row of the fixed table: a code and the string-table id of its text.
struct ErrorCodeRow {
    HRESULT code;
    UINT textId;
};

// The fixed table of the system's error codes, in row order.
const ErrorCodeRow* FixedErrorCodes();
std::size_t FixedErrorCodeCount();

// The plug-in's implementation of the host's error-code table service.
class CErrorCodeTable : public IHErrorCodeTable {
public:
    explicit CErrorCodeTable(IHostServiceProvider* host);
    virtual ~CErrorCodeTable();
    CErrorCodeTable(const CErrorCodeTable&) = delete;
    CErrorCodeTable& operator=(const CErrorCodeTable&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }

    HRESULT STDMETHODCALLTYPE GetErrorText(HRESULT code, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE RegisterError(BSTR text, HRESULT* code) override;
    HRESULT STDMETHODCALLTYPE Placeholder5() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Placeholder6() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnregisterError(HRESULT code) override;

private:
    struct Registered {
        HRESULT code;
        std::string text;
    };
    bool IsTaken(HRESULT code) const;

    IHostServiceProvider* host_;
    const ErrorCodeRow* fixed_;
    std::size_t fixedCount_;
    std::vector<std::unique_ptr<Registered>> registered_;
};

// The IHErrorReporter object of a handler: asks the host's error-code table
// service for the text of a code.
class CErrorReporterImpl : public IHErrorReporter {
public:
    explicit CErrorReporterImpl(IHostServiceProvider* owner) : owner_(owner) {}
    virtual ~CErrorReporterImpl() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE GetErrorText(HRESULT code, BSTR* text) override;

private:
    IHostServiceProvider* owner_;
};

// Asks the host for its error-code table service and for the text of a code.
// A host without the service (or no host) answers E_FAIL and leaves the text
// untouched.
HRESULT QueryHostErrorText(IHostServiceProvider* host, HRESULT code, BSTR* text);
