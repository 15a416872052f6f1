// CFileTime: one Windows file time (100-nanosecond intervals since 1601) as
// its two 32-bit halves, with comparisons, the current local time, text forms
// and serialisation. Every time it takes from the clock is local time.
#pragma once

#include "platform/afx.h"
#include "platform/com.h"
#include "platform/files.h"

class CFileTime : public CObject {
public:
    CFileTime() = default;
    // Note the order: the high half first.
    CFileTime(DWORD high, DWORD low) : m_low(low), m_high(high) {}
    explicit CFileTime(const FILETIME& time) : m_low(time.dwLowDateTime), m_high(time.dwHighDateTime) {}
    CFileTime(const CFileTime& other) : CObject(), m_low(other.m_low), m_high(other.m_high) {}
    CFileTime& operator=(const CFileTime& other);
    // The first 8 characters are the high half and the next 8 the low half,
    // each hexadecimal; a half that holds any other character, or nothing,
    // reads as 0.
    explicit CFileTime(LPCSTR text);
    ~CFileTime() override = default;

    bool operator<(const CFileTime& other) const;
    bool operator>(const CFileTime& other) const;
    bool operator==(const CFileTime& other) const { return m_low == other.m_low && m_high == other.m_high; }
    bool operator!=(const CFileTime& other) const { return !(*this == other); }

    // The current local time; when it cannot be converted, the maximum marker
    // (SetNow) or zero (Now).
    static CFileTime Now();
    void SetNow();
    void SetZero();
    // Both halves 0x7FFFFFFF.
    void SetMax();

    // "%H:%M:%S, %A, %B %d, %Y".
    CString Format() const;
    // Year, month, day, hour, minute, second and milliseconds joined by ':'.
    // Anything else, a value out of range or a date that does not exist gives
    // the current local time.
    void SetFromText(LPCSTR text);
    // "%08x%08x" of the high and low halves, reversed character by character:
    // the form the host exchanges.
    CString FormatHex() const;
    CString FormatHexPlain() const;
    // "%08x%08x" of the complements of the halves.
    CString FormatHexInverted() const;
    // "%08x" of the high half's complement and the last three digits of
    // "%08x" of the low half's complement shifted right by 23 bits.
    CString FormatShortInverted() const;
    // This minus other, as one 64-bit subtraction.
    CFileTime Difference(const CFileTime& other) const;

    // Low half, then high half, as 32-bit words.
    void Serialize(CArchive& archive) override;

    DWORD GetLow() const { return m_low; }
    DWORD GetHigh() const { return m_high; }
    FILETIME ToFileTime() const { return FILETIME{m_low, m_high}; }

private:
    DWORD m_low = 0;
    DWORD m_high = 0;
};

using CFileTimeList = CList<CFileTime>;

// Two VT_UINT elements per time, the low half first, in a VARIANT of type
// VT_ARRAY | VT_UINT.
void FileTimeListToVariant(const CFileTimeList& list, VARIANT& out);
// Appends a time per two elements, the low half first (a last odd element is
// ignored). A VARIANT of another type, without an array, or with an element
// that is no VT_UINT leaves the list unchanged.
void VariantToFileTimeList(const VARIANT& list, CFileTimeList& out);
