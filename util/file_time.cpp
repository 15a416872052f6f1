#include "util/file_time.h"

#include "util/variant_list.h"
#include "platform/systime.h"
#include "util/string_numbers.h"
#include "util/string_split.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::uint64_t Ticks(const CFileTime& time) {
    return (static_cast<std::uint64_t>(time.GetHigh()) << 32) | time.GetLow();
}

// The current local time as a file time; false when it cannot be converted.
bool LocalNow(FILETIME& time) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return SystemTimeToFileTime(&now, &time) != FALSE;
}

CString Hex(DWORD high, DWORD low) {
    CString text;
    text.Format("%08lx%08lx", high, low);
    return text;
}

}  // namespace

CFileTime& CFileTime::operator=(const CFileTime& other) {
    m_low = other.m_low;
    m_high = other.m_high;
    return *this;
}

CFileTime::CFileTime(LPCSTR text) {
    const CString all = text != nullptr ? text : "";
    m_high = ParseHexText(all.Left(8));
    m_low = ParseHexText(all.Mid(8, 8));
}

bool CFileTime::operator<(const CFileTime& other) const {
    return Ticks(*this) < Ticks(other);
}

bool CFileTime::operator>(const CFileTime& other) const {
    return Ticks(*this) > Ticks(other);
}

CFileTime CFileTime::Now() {
    FILETIME time{};
    return LocalNow(time) ? CFileTime(time) : CFileTime();
}

void CFileTime::SetNow() {
    FILETIME time{};
    if (LocalNow(time)) {
        *this = CFileTime(time);
    } else {
        SetMax();
    }
}

void CFileTime::SetZero() {
    m_low = 0;
    m_high = 0;
}

void CFileTime::SetMax() {
    m_low = 0x7FFFFFFF;
    m_high = 0x7FFFFFFF;
}

CString CFileTime::Format() const {
    const FILETIME fileTime = ToFileTime();
    SYSTEMTIME time{};
    if (!FileTimeToSystemTime(&fileTime, &time)) {
        return CString();
    }
    return CTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond, -1)
        .Format("%H:%M:%S, %A, %B %d, %Y");
}

void CFileTime::SetFromText(LPCSTR text) {
    CStringArray parts;
    if (SplitToStringArray(text, parts, ':') == 7) {
        int value[7];
        for (int i = 0; i < 7; ++i) {
            value[i] = ReadInt(parts[i]);
        }
        const bool inRange = value[0] >= 1999 && value[0] <= 30828 && value[1] >= 0 && value[1] <= 12 &&
                             value[2] >= 0 && value[2] <= 31 && value[3] >= 0 && value[3] <= 24 && value[4] >= 0 &&
                             value[4] <= 59 && value[5] >= 0 && value[5] <= 59 && value[6] >= 0 && value[6] <= 999;
        if (inRange) {
            SYSTEMTIME time{};
            time.wYear = static_cast<WORD>(value[0]);
            time.wMonth = static_cast<WORD>(value[1]);
            time.wDay = static_cast<WORD>(value[2]);
            time.wHour = static_cast<WORD>(value[3]);
            time.wMinute = static_cast<WORD>(value[4]);
            time.wSecond = static_cast<WORD>(value[5]);
            time.wMilliseconds = static_cast<WORD>(value[6]);
            FILETIME fileTime{};
            if (SystemTimeToFileTime(&time, &fileTime)) {
                *this = CFileTime(fileTime);
                return;
            }
        }
    }
    *this = Now();
}

CString CFileTime::FormatHex() const {
    CString text = FormatHexPlain();
    text.MakeReverse();
    return text;
}

CString CFileTime::FormatHexPlain() const {
    return Hex(m_high, m_low);
}

CString CFileTime::FormatHexInverted() const {
    return Hex(~m_high, ~m_low);
}

CString CFileTime::FormatShortInverted() const {
    CString low;
    low.Format("%08lx", static_cast<DWORD>(~m_low >> 23));
    CString text;
    text.Format("%08lx", static_cast<DWORD>(~m_high));
    return text + low.Right(3);
}

CFileTime CFileTime::Difference(const CFileTime& other) const {
    const std::uint64_t difference = Ticks(*this) - Ticks(other);
    return CFileTime(static_cast<DWORD>(difference >> 32), static_cast<DWORD>(difference));
}

void CFileTime::Serialize(CArchive& archive) {
    CObject::Serialize(archive);
    if (archive.IsStoring()) {
        archive << m_low << m_high;
    } else {
        archive >> m_low >> m_high;
    }
}

void FileTimeListToVariant(const CFileTimeList& list, VARIANT& out) {
    variant_list::Writer writer(static_cast<std::size_t>(list.GetCount()) * 2);
    std::size_t index = 0;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        const CFileTime& time = list.GetNext(position);
        writer.Uint(index++, time.GetLow());
        writer.Uint(index++, time.GetHigh());
    }
    writer.Finish(out, variant_list::kUints);
}

void VariantToFileTimeList(const VARIANT& list, CFileTimeList& out) {
    const variant_list::Reader reader(list, variant_list::kUints);
    std::vector<CFileTime> times;
    for (std::size_t i = 0; i + 1 < reader.Count(); i += 2) {
        UINT low = 0;
        UINT high = 0;
        if (!reader.Uint(i, low) || !reader.Uint(i + 1, high)) {
            return;
        }
        times.emplace_back(high, low);
    }
    for (const CFileTime& time : times) {
        out.AddTail(time);
    }
}
